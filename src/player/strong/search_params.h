#pragma once

#include "player/strong/line_pattern.h"

#include <cstdint>

// Every tuned number of the strong search but the evaluation's (evaluation_weights.h). Changing
// one changes the fixed-node signature of sorell-strong-bench (and the test that pins it).
namespace search_params {

// --- Scores -------------------------------------------------------------------------------
inline constexpr int kWin = 30000;      // a five now; a win in n plies scores kWin - n
inline constexpr int kWinBound = 29000; // above: a proven win (below -kWinBound: a loss)
inline constexpr int kInfinity = 32000; // outside every score
inline constexpr int kMaxPly = 200;     // the deepest ply a search thread reaches

// --- Move ordering (move_picker.cpp) --------------------------------------------------------
// A point's ordering weight for a colour: the sum of its four line patterns' kOrderPatternValue
// (see LinePattern), plus a bonus for a four with an open three or for two open threes. These
// choose which few moves a node searches, so they rank threats; the evaluation's weights
// (evaluation_weights.h) are fitted to game results instead.
inline constexpr int16_t kOrderPatternValue[kPatCount] = {0, 1, 4, 10, 22, 60, 70, 400, 3000, 0};
inline constexpr int kOrderFourThreeBonus = 300;
inline constexpr int kOrderDoubleThreeBonus = 150;
// A point scores 2 x its ordering weight for the side to move plus its weight for the
// opponent, plus the history score divided by kHistoryDivisor, plus these bonuses.
inline constexpr int kHistoryDivisor = 64;
inline constexpr int kOwnFourBonus = 4000;      // our four
inline constexpr int kBlockFiveBonus = 1 << 22; // the opponent's five point
inline constexpr int kTableMoveBonus = 1 << 24;
inline constexpr int kKillerBonus[2] = {1 << 20, 1 << 19};
// Moves searched at a node below the root, strongest first, by the depth left: the ordering is
// good enough that near the leaves the few best points carry the node.
constexpr int moveLimitBelowRoot(int depth) {
    return depth <= 1 ? 8 : depth == 2 ? 10 : 12;
}

// --- Reductions (searcher.cpp) --------------------------------------------------------------
// Late quiet moves at depth >= kReductionDepth from the kReductionMoveth move on are searched
// one ply shallower first, two from the kDeepReductionMoveth on.
inline constexpr int kReductionDepth = 3;
inline constexpr int kReductionMove = 3;
inline constexpr int kDeepReductionMove = 10;

// --- Pruning (searcher.cpp) ---------------------------------------------------------------
// Reverse futility: at depth <= kFutilityDepth below the root, outside the principal line and
// with no open three or four-three of the opponent's standing, a static value
// kFutilityMargin x depth above beta is taken as a cut-off.
inline constexpr int kFutilityDepth = 2;
inline constexpr int kFutilityMargin = 120;
// Null move: under the same conditions, at depth >= kNullMoveDepth, a node whose static value
// is at least beta passes; a pass searched kNullReduction plies shallower that still fails
// high cuts the node.
inline constexpr int kNullMoveDepth = 4;
inline constexpr int kNullReduction = 2;

// --- Threads (searcher.cpp) ------------------------------------------------------------------
// At depth >= kDeferDepth a move that another thread is searching is put off, at most
// kMaxDeferred at a node.
inline constexpr int kDeferDepth = 3;
inline constexpr int kMaxDeferred = 16;

// --- Threat searches --------------------------------------------------------------------------
inline constexpr uint64_t kLeafVcfBudget = 200; // a leaf with a four of the side to move
inline constexpr int kRootVctThrees = 6;        // the root's own threat search
inline constexpr int kFilterVctThrees = 4;      // the root defence filter's threat searches
inline constexpr int kFilterThreatFactor = 4;   // the filter's first check gets this x budget
// Budgets with a node limit N: the root's VCF N / 4, VCT N / 6, each filter check N / 100
// (with these floors); the filter leaves half of N to the main search.
inline constexpr uint64_t kNodeVcfDivisor = 4, kNodeVctDivisor = 6, kNodeFilterDivisor = 100;
inline constexpr uint64_t kMinThreatBudget = 500, kMinFilterBudget = 100;
// Budgets by time (about what a loaded core searches in it): VCT 150 nodes a millisecond
// within [2000, 400000], VCF 200000, filter checks 20 a millisecond within [500, 20000].
inline constexpr int64_t kVctNodesPerMs = 150, kMinVctBudget = 2000, kMaxVctBudget = 400000;
inline constexpr uint64_t kVcfBudget = 200000;
inline constexpr int64_t kFilterNodesPerMs = 20, kMinFilterTimed = 500, kMaxFilterTimed = 20000;
inline constexpr int64_t kUntimedThreatMs = 2000; // the budget's base with no time limit
// With more than one thread, the first helper first searches the root for a win by threats
// with more threes and nodes than the single thread can spare (kHelperVctNodesPerMs of the
// decision's time, within kHelperVctPercent of the time left when it begins), then joins the
// search.
inline constexpr int kHelperVctThrees = 12;
inline constexpr int64_t kHelperVctNodesPerMs = 2000;
inline constexpr int kHelperVctPercent = 50;
inline constexpr uint64_t kHelperVctUntimed = 4000000; // its budget with no limit at all
// A main search that stops before its time or node limit (not at its depth) leaves the rest of the
// time (or nodes) to a threat search at the root with kLateVctThrees threes. When a decision began
// a win by threats, the next one looks for its rest with as many threes first, within
// kContinuePercent of its time.
inline constexpr int kLateVctThrees = 8;
// What is then still left checks the answer: when the opponent would win after it by threats
// with kAnswerCheckThrees threes, the first root move (in the last depth's order) after which
// that is not proven within 1 / kAnswerCheckDivisor of the nodes left is played instead. Under a
// clock the checks share no nodes: each runs until it is decided or the time is up, and a check
// the clock cuts short lets its move stand.
inline constexpr int kAnswerCheckThrees = 6;
inline constexpr uint64_t kAnswerCheckDivisor = 8, kMinAnswerCheck = 1000;
inline constexpr int kContinuePercent = 50;

// --- Time ------------------------------------------------------------------------------------
inline constexpr int kRootThreatTimePercent = 30; // the root's threat searches' deadline
inline constexpr int64_t kUntimedThreatDeadlineMs = 500;
// Share of the main search's time (or nodes) after which no new depth is begun.
inline constexpr int kSoftSharePercent = 60;
// The clock and the stop flag are read every this many nodes.
inline constexpr uint64_t kCheckInterval = 256;

} // namespace search_params
