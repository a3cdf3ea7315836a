#include "opening/phase_weighing.h"

#include "opening/position_symmetry.h"
#include "rules/chk_stat.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Candidate stones: empty points this close (in king steps) to a stone.
constexpr int kNearDistance = 2;
// Kept back from the whole time for the work around the searches and for a loaded machine's
// late wake-ups (a 1 s decision on a busy two-core machine ran up to 83 ms late with 15).
constexpr int64_t kReserveMs = 50;
// The search stops within about this much past its own deadline.
constexpr int64_t kStopSlackMs = 15;
// Fewest nodes a candidate's search gets under a node budget.
constexpr uint64_t kMinNodes = 500;

// Each weighing search's transposition table.
constexpr size_t kSearchTableMegabytes = 16;

} // namespace

BudgetSplitter::BudgetSplitter(const DecisionBudget& b) : budget_(b), start_(Clock::now()) {}

void BudgetSplitter::beginStage(int searches, int percent) {
    searches_ = std::max(searches, 1);
    issued_ = 0;
    stageEndMs_ = elapsedMs() + remainingMs() * percent / 100;
    stageNodes_ = budget_.maxNodes * static_cast<uint64_t>(percent) / 100;
}

StrongLimits BudgetSplitter::share() {
    StrongLimits limits;
    limits.hashMegabytes = kSearchTableMegabytes;
    const int left = std::max(searches_ - issued_, 1);
    ++issued_;
    const int64_t stageLeft = std::max<int64_t>(stageEndMs_ - elapsedMs(), 0);
    if (budget_.maxNodes > 0) {
        limits.maxNodes = std::max(stageNodes_ / static_cast<uint64_t>(searches_), kMinNodes);
        limits.timeMs = budget_.timeMs > 0 ? std::max<int64_t>(stageLeft / left, 1) : 0;
        return limits;
    }
    limits.timeMs = std::max<int64_t>((stageLeft - kStopSlackMs) / left, 1);
    return limits;
}

bool BudgetSplitter::exhausted() const {
    return budget_.timeMs > 0 && elapsedMs() >= stageEndMs_;
}

int64_t BudgetSplitter::elapsedMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start_).count();
}

int64_t BudgetSplitter::remainingMs() const {
    return std::max<int64_t>(budget_.timeMs - kReserveMs - elapsedMs(), 0);
}

int searchBlackScore(const BanArray& board, const StrongLimits& limits,
                     const std::atomic<bool>& stop) {
    const SearchReport r = strongSearch(board, limits, stop);
    return colourToMove(board.moveCount()) == kBlack ? r.score : -r.score;
}

std::vector<int> candidatePoints(const BanArray& board, int area) {
    const uint8_t mask = positionSymmetries(board);
    const bool blackToMove = colourToMove(board.moveCount()) == kBlack;
    BanArray probe = board;
    std::vector<int> points;
    for (int p = 0; p < kPoints; ++p) {
        if (board.at(p) != kEmpty) continue;
        if (std::abs(cellX(p) - 7) > area || std::abs(cellY(p) - 7) > area) continue;
        if (area == kAnywhere) {
            bool near = false;
            for (int q = 0; q < kPoints && !near; ++q)
                near = board.at(q) != kEmpty && std::abs(cellX(p) - cellX(q)) <= kNearDistance &&
                       std::abs(cellY(p) - cellY(q)) <= kNearDistance;
            if (!near) continue;
        }
        if (blackToMove && isForbiddenBlack(probe, p)) continue;
        bool seen = false;
        for (int q : points) seen = seen || equivalentUnder(mask, p, q);
        if (!seen) points.push_back(p);
    }
    // Nearest to the centre first: searched first when the time runs short.
    std::stable_sort(points.begin(), points.end(), [](int a, int b) {
        auto d = [](int p) { return std::max(std::abs(cellX(p) - 7), std::abs(cellY(p) - 7)); };
        return d(a) < d(b);
    });
    return points;
}

std::vector<ScoredPoint> scorePoints(const BanArray& board, const std::vector<int>& points,
                                     BudgetSplitter& splitter, const std::atomic<bool>& stop,
                                     int percent) {
    std::vector<ScoredPoint> scored;
    std::vector<int> skipped;
    scored.reserve(points.size());
    splitter.beginStage(static_cast<int>(points.size()), percent);
    for (int p : points) {
        if (stop || splitter.exhausted()) {
            skipped.push_back(p);
            continue;
        }
        BanArray after = board;
        after.put(p);
        scored.push_back({p, searchBlackScore(after, splitter.share(), stop)});
    }
    std::stable_sort(scored.begin(), scored.end(), [](const ScoredPoint& a, const ScoredPoint& b) {
        return a.blackScore > b.blackScore;
    });
    const int floor = scored.empty() ? 0 : scored.back().blackScore - 1;
    for (int p : skipped) scored.push_back({p, floor, false});
    return scored;
}
