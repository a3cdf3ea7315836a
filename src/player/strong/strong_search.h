#pragma once

#include "base/geometry.h"
#include "rules/ban_array.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// One root move of a multi-line analysis with its score (as SearchReport's) and its line.
struct RootLine {
    int move = kNoMove;
    int score = 0;
    int winIn = 0;
    std::vector<int> line;
};

// One report of the strong search, from the side to move's view.
struct SearchReport {
    int bestMove = kNoMove; // 0..224, kNoMove (255) when none
    int score = 0;          // evaluation, positive = good for the side to move
    int winIn = 0;          // > 0: proven win in this many own moves; < 0: proven loss; 0: unproven
    int depth = 0;          // completed iterative-deepening depth
    uint64_t nodes = 0;
    int64_t elapsedMs = 0;
    std::vector<int> line;       // principal line from the root, points 0..224
    std::vector<RootLine> lines; // with multiPv > 1: best first (lines[0] = the PV)
};
using ReportCallback = std::function<void(const SearchReport&)>;

struct StrongLimits {
    int64_t timeMs = 1000; // budget for this decision; <= 0: until stopped
    int maxDepth = 60;
    size_t hashMegabytes = 64; // transposition table size
    uint64_t maxNodes = 0;     // > 0: also stop after about this many nodes (repeatable tests)
    int multiPv = 1;           // > 1: also report this many best root moves with their lines
    // Search threads sharing the table (the calling thread and threads - 1 helpers). With more
    // than one, a node limit counts the calling thread's nodes and decisions are not repeatable.
    int threads = 1;
    // The table and the win by threats begun are kept for the next decision that sets this,
    // whatever thread makes it (for a caller that starts a thread for each decision); one such
    // decision at a time has them, one made meanwhile starts afresh. Otherwise they are the
    // calling thread's.
    bool keepAcrossThreads = false;
};

// Decides a move for colourToMove(board.moveCount()). Always returns a legal empty point when
// one exists (black plays a forbidden point only when nothing else is empty); stops within
// 10 ms of `stop` becoming true or of the deadline and returns its best move so far. Calls
// onReport (on the calling thread) after each completed depth and for the final answer. The
// table is kept from one decision to the next (see keepAcrossThreads).
SearchReport strongSearch(const BanArray& board, const StrongLimits& limits,
                          const std::atomic<bool>& stop, const ReportCallback& onReport = {});

// Makes the calling thread's transposition table of this size ahead of its first decision
// (strongSearch makes it otherwise, within that decision's time), for a player whose turn
// times are short.
void prepareStrongSearch(size_t hashMegabytes);
