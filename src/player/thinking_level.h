#pragma once

#include <algorithm>
#include <cstdint>
#include <thread>
#include <vector>

// The strong search's threads where a player has the machine to itself (the window): every core
// but one, at least one.
inline int32_t defaultSearchThreads() {
    return static_cast<int32_t>(std::max(2u, std::thread::hardware_concurrency()) - 1);
}

// The search parameters, passed and stored by value.
struct ThinkingLevel {
    // Which player decides: the fixed-width tree search, or the strong search under a time
    // budget.
    enum class Kind { Standard, Strong };

    // Entry d: how many candidate moves a node at depth d (plies below the root) may get.
    // Only entries 0 .. maxDepth - 1 are read.
    std::vector<int32_t> widths;
    // Depth at which nodes are valued statically; also the number of per-depth tables.
    int32_t maxDepth = 0;
    // Bucket count of each per-depth table.
    int32_t hashSize = 1;
    Kind kind = Kind::Standard;
    // The strong search's budget per move in milliseconds (<= 0: until stopped).
    int64_t timeMs = 0;
    // The strong search also stops after about this many nodes (0: no node limit), for
    // matches whose result must not depend on the machine's speed.
    uint64_t maxNodes = 0;
    // The strong search's deepest iteration (0: no limit) and transposition table size.
    int32_t strongDepth = 0;
    uint32_t hashMegabytes = 64;
    // The strong search's threads (one, the calling thread, unless a caller asks for more).
    int32_t threads = 1;
    // Whether the openings database is asked before the search; a caller that knows no file
    // holds the position's stone count turns it off, so nothing is reported as missing.
    bool readDatabase = true;

    // The level of every computer move: depth 4, 5003 buckets, widths 10, 8, 8, 6 then 1s.
    static ThinkingLevel standard() {
        ThinkingLevel level;
        level.widths = {10, 8, 8, 6};
        level.widths.resize(20, 1);
        level.maxDepth = 4;
        level.hashSize = 5003;
        return level;
    }

    // The strong search with timeMs milliseconds a move.
    static ThinkingLevel strong(int64_t timeMs) {
        ThinkingLevel level;
        level.kind = Kind::Strong;
        level.timeMs = timeMs;
        return level;
    }
};
