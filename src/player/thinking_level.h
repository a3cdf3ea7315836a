#pragma once

#include <algorithm>
#include <cstdint>
#include <thread>
#include <variant>
#include <vector>

// The strong search's threads where a player has the machine to itself (the window): every core
// but one, at least one.
inline int32_t defaultSearchThreads() {
    return static_cast<int32_t>(std::max(2u, std::thread::hardware_concurrency()) - 1);
}

// The standard player's settings: the fixed-width tree search.
struct StandardSettings {
    // Entry d: how many candidate moves a node at depth d (plies below the root) may get.
    // Only entries 0 .. maxDepth - 1 are read.
    std::vector<int32_t> widths;
    // Depth at which nodes are valued statically; also the number of per-depth tables.
    int32_t maxDepth = 0;
    // Bucket count of each per-depth table.
    int32_t hashSize = 1;

    // The settings of every standard computer move: depth 4, 5003 buckets, widths 10, 8, 8, 6
    // then 1s.
    static StandardSettings standard() {
        StandardSettings s;
        s.widths = {10, 8, 8, 6};
        s.widths.resize(20, 1);
        s.maxDepth = 4;
        s.hashSize = 5003;
        return s;
    }
};

// The strong search's settings.
struct StrongSettings {
    // The budget per move in milliseconds (<= 0: until stopped).
    int64_t timeMs = 0;
    // The search also stops after about this many nodes (0: no node limit), for matches whose
    // result must not depend on the machine's speed.
    uint64_t maxNodes = 0;
    // The deepest iteration (0: no limit) and the transposition table size.
    int32_t depth = 0;
    uint32_t hashMegabytes = 64;
    // The threads (one, the calling thread, unless a caller asks for more).
    int32_t threads = 1;
    // The search's table and memory are kept for the next decision on any thread (see
    // StrongLimits), for a caller that decides on a new thread each time.
    bool keepAcrossThreads = false;
};

// Which player decides and with what settings, passed and stored by value: one player's
// settings at a time.
struct ThinkingLevel {
    std::variant<StandardSettings, StrongSettings> player = StandardSettings::standard();
    // Whether the openings database is asked before the search; a caller that knows no file
    // holds the position's stone count turns it off, so nothing is reported as missing.
    bool readDatabase = true;

    // The level of every standard computer move (see StandardSettings::standard).
    static ThinkingLevel standard() { return ThinkingLevel{}; }

    // The strong search with timeMs milliseconds a move.
    static ThinkingLevel strong(int64_t timeMs) {
        ThinkingLevel level;
        level.player = StrongSettings{.timeMs = timeMs};
        return level;
    }

    bool isStrong() const { return std::holds_alternative<StrongSettings>(player); }
    // The strong search's settings, or null for the standard player.
    StrongSettings* strongSettings() { return std::get_if<StrongSettings>(&player); }
    const StrongSettings* strongSettings() const { return std::get_if<StrongSettings>(&player); }
    // The standard player's settings, or null for the strong search.
    const StandardSettings* standardSettings() const {
        return std::get_if<StandardSettings>(&player);
    }
    StandardSettings* standardSettings() { return std::get_if<StandardSettings>(&player); }
};
