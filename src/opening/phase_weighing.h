#pragma once

#include "opening/phase_decisions.h"
#include "player/strong/strong_search.h"
#include "rules/ban_array.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <vector>

// The weighing behind the opening-phase decisions: the decision's budget split over short
// strong searches, and the candidate points they weigh.

// Hands out the decision's budget to its searches in stages: a stage takes a share of what is
// left and gives each of its searches an equal part of what remains of the stage, so that one
// search running long only shortens the others. When a stage's time is used up its remaining
// searches are skipped (exhausted()).
class BudgetSplitter {
  public:
    explicit BudgetSplitter(const DecisionBudget& b);

    // A stage of `searches` searches with `percent` of the time left (of the node budget).
    void beginStage(int searches, int percent = 100);
    // The limits of the stage's next search: an equal part of what is left of the stage.
    StrongLimits share();
    // True when the stage's time is up (never under a node budget alone).
    bool exhausted() const;

  private:
    using Clock = std::chrono::steady_clock;
    int64_t elapsedMs() const;
    int64_t remainingMs() const;

    DecisionBudget budget_;
    Clock::time_point start_;
    int searches_ = 1;
    int issued_ = 0;
    int64_t stageEndMs_ = 0;
    uint64_t stageNodes_ = 0;
};

// The evaluation from black's view of the position, by a strong search under limits.
int searchBlackScore(const BanArray& board, const StrongLimits& limits,
                     const std::atomic<bool>& stop);

// The legal points within area (and near the stones when the area is the whole board), one
// for each class of points that a symmetry of the position maps onto each other, nearest to
// the centre first.
std::vector<int> candidatePoints(const BanArray& board, int area);

// Every candidate point with the evaluation (black's view) of the position after it, best for
// black first, in one stage of the budget. Points left when the stage's time is up are ranked
// below every searched one.
std::vector<ScoredPoint> scorePoints(const BanArray& board, const std::vector<int>& points,
                                     BudgetSplitter& splitter, const std::atomic<bool>& stop,
                                     int percent = 100);
