#pragma once

#include "player/strong/position.h"
#include "player/strong/search_params.h"

#include <cstdint>

// One ply of a search thread: the node's candidate moves and their ordering scores, its two
// killer moves and the principal line found from it (indexed by absolute ply).
struct SearchStackEntry {
    int killers[2] = {kNoMove, kNoMove};
    int moves[kPoints] = {};
    int scores[kPoints] = {};
    uint8_t pv[search_params::kMaxPly + 1] = {};
    int pvLength = 0;
    bool afterNull = false; // the node was reached by a pass
};

// The root's restrictions on its moves: the defence filter's allowed points (null: every
// point) and, for further lines of a multi-line analysis, points already reported (null: none).
struct RootMoves {
    const bool* allowed = nullptr;
    const bool* excluded = nullptr;
};

// A node's candidate moves, strongest first. When the node's value is already known (a win by
// a straight four, a loss to two five points or a forbidden block) there are none and
// forcedScore holds it; winningPoint is the straight four's point when that is the reason.
struct PickedMoves {
    int count = 0;
    int available = 0; // the moves there were before the limit near the leaves
    int forcedScore = 0;
    int winningPoint = kNoMove;
};

// Generates and orders the moves of the node at ply with depth left into entry.moves:
// against an open three only fours and defences, near the leaves only the best few (all of
// them when wide). history holds the side to move's history scores per point; root applies at
// ply 0 only.
PickedMoves pickMoves(const Position& pos, int ply, int depth, int ttMove, const int* history,
                      SearchStackEntry& entry, const RootMoves& root, bool wide = false);
