#pragma once

#include "player/strong/busy_table.h"
#include "player/strong/move_picker.h"
#include "player/strong/position.h"
#include "player/strong/strong_search.h"
#include "player/strong/threat_solver.h"
#include "player/strong/transposition.h"

#include <atomic>
#include <chrono>
#include <vector>

// One thread's part of a decision: iterative deepening of a principal-variation alpha-beta over
// its own Position and search stack, with the threat solver at the root and at quiet leaves
// where the side to move has a four. Threads of one decision share only the transposition
// table and the busy table. All working memory is made before the first node.
class Searcher {
  public:
    using Clock = std::chrono::steady_clock;

    // The budget runs from start, the moment the decision was asked for. helperStop, when
    // given, ends the search as stop does: a helper's is set when the main thread has decided,
    // the main thread's when a helper has proven a win.
    Searcher(const BanArray& board, const StrongLimits& limits, const std::atomic<bool>& stop,
             const std::atomic<bool>* helperStop, TranspositionTable& tt, Clock::time_point start);

    // The root's threat searches: a proven win by fours or threes fills report and returns
    // true; otherwise the root defence filter is set up for iterate. continuing: the last
    // decision began a win by threats, whose rest is looked for with more threes.
    bool solveRoot(SearchReport& report, bool continuing);
    // After iterate stopped short of its time or node limit, what it left goes to a longer
    // threat search at the root; a proven win replaces the answer (one thread only: a helper
    // has searched deeper).
    bool solveRootWithTimeLeft(SearchReport& report);
    // Then the answer is checked against the opponent's wins by threats with what is left
    // (kAnswerCheckThrees), and replaced by a root move that does not lose so.
    void checkAnswer(SearchReport& report);
    // The helper's long threat search at the root (see kHelperVctThrees) under the decision's
    // limits: a proven win fills report and returns true.
    bool solveRootDeeply(SearchReport& report, const StrongLimits& decision);
    // Takes the main thread's root defence filter (a helper does not repeat the checks).
    void shareRootFilter(const Searcher& main);
    // Deepens from firstDepth until a limit or a stop, keeping report at the best finished
    // answer (and with limits.multiPv > 1, its further root lines); onReport after each depth.
    void iterate(SearchReport& report, const ReportCallback& onReport, int firstDepth);

    uint64_t nodes() const { return nodes_; }
    // The positions the threads of this decision are searching; none for a single thread.
    void shareBusyTable(BusyTable* busy) { busy_ = busy; }

  private:
    bool threatOfSideToMove(uint64_t budget);
    bool reportThreatWin(SearchReport& report);
    void filterRootDefences(uint64_t budget, uint64_t nodeCap);
    int search(int depth, int alpha, int beta, int ply, bool pvNode);
    bool timeUp();
    int64_t elapsedMs() const {
        return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start_).count();
    }
    void fillLine(std::vector<int>& line) const;
    void searchFurtherLines(int depth, SearchReport& report);
    // The nodes or time left after iterate, as a solver budget (0: none).
    uint64_t budgetLeft();

    Position pos_;
    ThreatSolver solver_;
    const std::atomic<bool>& stop_;
    const std::atomic<bool>* helperStop_;
    TranspositionTable& tt_;
    BusyTable* busy_ = nullptr;
    StrongLimits limits_;
    Clock::time_point start_;
    uint64_t nodes_ = 0, nextCheck_ = 0;
    bool aborted_ = false;
    int rootScore_ = 0; // the score of the root's best move searched to its end
    bool firstDepthDone_ = false;
    int rootMoveCount_ = 0;     // the root's moves at the last depth, in stack_[0].moves
    bool stoppedEarly_ = false; // iterate stopped before its limit, not at its depth
    int history_[2][kPoints] = {};
    SearchStackEntry stack_[search_params::kMaxPly + 1];
    bool rootFilter_ = false;
    bool rootAllowed_[kPoints] = {};
    bool rootExcluded_[kPoints] = {};
    bool excluding_ = false;
};

// The score is a proven win or loss.
inline bool isMate(int score) {
    return score > search_params::kWinBound || score < -search_params::kWinBound;
}

// The number of own moves to a proven win (> 0) or loss (< 0) that score means, 0 for none.
int winInOf(int score);
