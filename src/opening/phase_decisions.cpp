#include "opening/phase_decisions.h"

#include "database/openings.h"
#include "database/symmetry.h"
#include "opening/position_symmetry.h"
#include "rules/chk_stat.h"
#include "strong/strong_search.h"

#include <algorithm>
#include <cassert>
#include <chrono>
#include <cstdlib>
#include <limits>

namespace {

using Clock = std::chrono::steady_clock;

// Candidate stones: empty points this close (in king steps) to a stone.
constexpr int kNearDistance = 2;
// Kept back from the whole time for the work around the searches.
constexpr int64_t kReserveMs = 15;
// The search stops within about this much past its own deadline.
constexpr int64_t kStopSlackMs = 10;
// Fewest nodes a candidate's search gets under a node budget.
constexpr uint64_t kMinNodes = 500;

// Hands out the decision's budget to its searches, each an equal share of what is left, so
// that one search running long only shortens the others.
class BudgetSplitter {
  public:
    explicit BudgetSplitter(const DecisionBudget& b) : budget_(b), start_(Clock::now()) {}

    StrongLimits share(int searchesLeft) const {
        StrongLimits limits;
        limits.hashMegabytes = 16;
        const int left = std::max(searchesLeft, 1);
        if (budget_.maxNodes > 0) {
            limits.maxNodes = std::max(budget_.maxNodes / static_cast<uint64_t>(left), kMinNodes);
            limits.timeMs = budget_.timeMs > 0 ? std::max<int64_t>(remainingMs() / left, 1) : 0;
            return limits;
        }
        limits.timeMs = std::max<int64_t>((remainingMs() - kStopSlackMs) / left, 1);
        return limits;
    }

  private:
    int64_t remainingMs() const {
        const int64_t used =
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start_).count();
        return std::max<int64_t>(budget_.timeMs - kReserveMs - used, 0);
    }

    DecisionBudget budget_;
    Clock::time_point start_;
};

int searchBlackScore(const BanArray& board, const StrongLimits& limits,
                     const std::atomic<bool>& stop) {
    const SearchReport r = strongSearch(board, limits, stop);
    return colourToMove(board.moveCount()) == kBlack ? r.score : -r.score;
}

// The legal points within area (and near the stones when the area is the whole board), one
// for each class of points that a symmetry of the position maps onto each other.
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
    return points;
}

// Every candidate point with the evaluation (black's view) of the position after it.
std::vector<ScoredPoint> scorePoints(const BanArray& board, const std::vector<int>& points,
                                     BudgetSplitter& splitter, const std::atomic<bool>& stop) {
    std::vector<ScoredPoint> scored;
    scored.reserve(points.size());
    for (size_t i = 0; i < points.size(); ++i) {
        BanArray after = board;
        after.put(points[i]);
        const int left = static_cast<int>(points.size() - i);
        scored.push_back(
            {points[i], stop ? 0 : searchBlackScore(after, splitter.share(left), stop)});
    }
    std::stable_sort(scored.begin(), scored.end(), [](const ScoredPoint& a, const ScoredPoint& b) {
        return a.blackScore > b.blackScore;
    });
    return scored;
}

// The value for the player answering a step of a stone of colour placed: when the opponent may
// swap next, the player ends with the worse colour (so balance is best); otherwise the score of
// the player's own colour.
int valueForPlacer(int blackScore, char colour, bool swapFollows) {
    if (swapFollows) return -std::abs(blackScore);
    return colour == kBlack ? blackScore : -blackScore;
}

// True when, after the first `answered` remaining steps, the opponent may swap before any
// other stone or offer (a declaration may come between).
bool swapFollows(std::span<const RuleStep> remaining, size_t answered) {
    for (size_t i = answered; i < remaining.size(); ++i) {
        if (remaining[i].kind == StepKind::Swap) return true;
        if (remaining[i].kind != StepKind::Declare) return false;
    }
    return false;
}

std::vector<ScoredPoint> fifthScores(const BanArray& board, int n, BudgetSplitter& splitter,
                                     const std::atomic<bool>& stop) {
    std::vector<ScoredPoint> scored =
        scorePoints(board, candidatePoints(board, kAnywhere), splitter, stop);
    if (static_cast<int>(scored.size()) >= n) return scored;
    // Too few near the stones: the rest of the board, unweighed, below every weighed point.
    const int floor = scored.empty() ? 0 : scored.back().blackScore - 1;
    const uint8_t mask = positionSymmetries(board);
    BanArray probe = board;
    for (int p = 0; p < kPoints && static_cast<int>(scored.size()) < n; ++p) {
        if (board.at(p) != kEmpty || isForbiddenBlack(probe, p)) continue;
        bool seen = false;
        for (const ScoredPoint& s : scored) seen = seen || equivalentUnder(mask, p, s.point);
        if (!seen) scored.push_back({p, floor});
    }
    return scored;
}

// The stones of opening o under symmetry s.
std::vector<int> openingStones(int o, int s) {
    const Opening& opening = openings()[static_cast<size_t>(o)];
    std::vector<int> stones;
    for (const auto& st : opening.stones)
        stones.push_back(transformCell(cellIndex(st[0], st[1]), s));
    return stones;
}

// The tentative black's whole opening: one of the 26 that agrees with the stones already put,
// the one whose evaluation suits the steps that follow best.
PhaseDecision chooseOpening(const OpeningPhase& phase, size_t stonesToPut, BudgetSplitter& splitter,
                            const std::atomic<bool>& stop) {
    const BanArray& board = phase.board();
    const int placed = board.moveCount();
    const bool swapNext = swapFollows(phase.remainingSteps(), stonesToPut);
    std::vector<std::vector<int>> options;
    for (int o = 0; o < kOpeningCount; ++o)
        for (int s = 0; s < kSymmetries; ++s) {
            std::vector<int> stones = openingStones(o, s);
            bool agrees = true;
            for (int k = 0; k < placed && agrees; ++k)
                agrees = phase.record().stones[k] == stones[k];
            if (agrees) {
                options.push_back(std::move(stones));
                break; // one symmetry of each opening is enough
            }
        }
    PhaseDecision d;
    d.kind = StepKind::Stone;
    int bestValue = std::numeric_limits<int>::min();
    for (size_t i = 0; i < options.size(); ++i) {
        BanArray after;
        for (int p : options[i]) after.put(p);
        const int score =
            stop ? 0
                 : searchBlackScore(after, splitter.share(static_cast<int>(options.size() - i)),
                                    stop);
        const int value = valueForPlacer(score, kBlack, swapNext);
        if (value > bestValue) {
            bestValue = value;
            d.blackScore = score;
            d.stones.assign(options[i].begin() + placed, options[i].end());
        }
    }
    return d;
}

PhaseDecision decideStone(const OpeningPhase& phase, BudgetSplitter& splitter,
                          const std::atomic<bool>& stop) {
    const std::span<const RuleStep> remaining = phase.remainingSteps();
    const RuleStep& step = remaining[0];
    const BanArray& board = phase.board();
    size_t run = 0; // the Stone steps this player answers one after the other
    while (run < remaining.size() && remaining[run].kind == StepKind::Stone &&
           remaining[run].colour == step.colour)
        ++run;
    if (board.moveCount() + run == 3 && run >= 2) return chooseOpening(phase, run, splitter, stop);

    PhaseDecision d;
    d.kind = StepKind::Stone;
    const std::vector<int> points = candidatePoints(board, step.area);
    if (points.size() == 1) {
        d.stones = points;
        return d;
    }
    const std::vector<ScoredPoint> scored = scorePoints(board, points, splitter, stop);
    const bool swapNext = swapFollows(remaining, 1);
    int bestValue = std::numeric_limits<int>::min();
    for (const ScoredPoint& s : scored) {
        const int value = valueForPlacer(s.blackScore, step.colour, swapNext);
        if (value > bestValue) {
            bestValue = value;
            d.stones = {s.point};
            d.blackScore = s.blackScore;
        }
    }
    return d;
}

PhaseDecision decideSwap(const OpeningPhase& phase, BudgetSplitter& splitter,
                         const std::atomic<bool>& stop) {
    const std::span<const RuleStep> remaining = phase.remainingSteps();
    PhaseDecision d;
    d.kind = StepKind::Swap;
    int blackScore = 0;
    const int declared = phase.record().declared;
    if (remaining.size() > 1 && remaining[1].kind == StepKind::Offer && declared > 0) {
        // Black's worth is the declared-th best fifth move: white takes the worst offered.
        d.weighed = fifthScores(phase.board(), declared, splitter, stop);
        blackScore = d.weighed.empty()
                         ? 0
                         : d.weighed[std::min<size_t>(declared, d.weighed.size()) - 1].blackScore;
    } else {
        blackScore = stop ? 0 : searchBlackScore(phase.board(), splitter.share(1), stop);
    }
    const char own = remaining[0].colour;
    d.ownScore = own == kBlack ? blackScore : -blackScore;
    d.otherScore = -d.ownScore;
    d.swap = d.otherScore > d.ownScore;
    d.blackScore = blackScore;
    return d;
}

PhaseDecision decideDeclare(const OpeningPhase& phase, BudgetSplitter& splitter,
                            const std::atomic<bool>& stop) {
    const RuleStep& step = phase.remainingSteps()[0];
    BanArray board = phase.board();
    if (colourToMove(board.moveCount()) == kWhite) {
        // Declared before white's fourth stone: weigh the offers after the search's fourth.
        const SearchReport r = strongSearch(board, splitter.share(4), stop);
        if (r.bestMove != kNoMove) board.put(r.bestMove);
    }
    PhaseDecision d;
    d.kind = StepKind::Declare;
    d.weighed = fifthScores(board, step.count, splitter, stop);
    // The opponent may swap after the declaration, so the count that balances the position
    // (the count-th best fifth move nearest an even score) is the best one.
    d.count = 1;
    int best = std::numeric_limits<int>::max();
    const int most = std::min<int>(step.count, static_cast<int>(d.weighed.size()));
    for (int n = 1; n <= most; ++n) {
        const int imbalance = std::abs(d.weighed[static_cast<size_t>(n - 1)].blackScore);
        if (imbalance < best) {
            best = imbalance;
            d.count = n;
            d.blackScore = d.weighed[static_cast<size_t>(n - 1)].blackScore;
        }
    }
    return d;
}

PhaseDecision decideOffer(const OpeningPhase& phase, BudgetSplitter& splitter,
                          const std::atomic<bool>& stop) {
    const PhaseAsk ask = phase.ask();
    PhaseDecision d;
    d.kind = ask.step.kind;
    d.weighed = fifthScores(phase.board(), ask.offerCount, splitter, stop);
    const size_t n = std::min<size_t>(static_cast<size_t>(ask.offerCount), d.weighed.size());
    for (size_t i = 0; i < n; ++i) d.offered.push_back(d.weighed[i].point);
    d.blackScore = n > 0 ? d.weighed[n - 1].blackScore : 0;
    if (ask.step.kind != StepKind::FifthOrOffer) return d;

    // Or one stone within the area, after which white may swap: the best is the most even.
    int singleBest = std::numeric_limits<int>::max();
    ScoredPoint single;
    for (const ScoredPoint& s : d.weighed) {
        const bool inside = std::abs(cellX(s.point) - 7) <= ask.step.area &&
                            std::abs(cellY(s.point) - 7) <= ask.step.area;
        if (inside && std::abs(s.blackScore) < singleBest) {
            singleBest = std::abs(s.blackScore);
            single = s;
        }
    }
    const bool offerComplete = static_cast<int>(d.offered.size()) == ask.offerCount;
    if (single.point != kNoMove && (!offerComplete || -singleBest > d.blackScore)) {
        d.offered.clear();
        d.stones = {single.point};
        d.blackScore = single.blackScore;
    }
    return d;
}

PhaseDecision decideChoose(const OpeningPhase& phase, BudgetSplitter& splitter,
                           const std::atomic<bool>& stop) {
    PhaseDecision d;
    d.kind = StepKind::Choose;
    d.weighed = scorePoints(phase.board(), phase.record().offered, splitter, stop);
    if (!d.weighed.empty()) {
        d.chosen = d.weighed.back().point; // the worst for black
        d.blackScore = d.weighed.back().blackScore;
    }
    return d;
}

} // namespace

PhaseDecision decidePhaseStep(const OpeningPhase& phase, const DecisionBudget& budget,
                              const std::atomic<bool>& stop) {
    assert(!phase.finished());
    BudgetSplitter splitter(budget);
    PhaseDecision d;
    switch (phase.ask().step.kind) {
    case StepKind::Stone:
        d = decideStone(phase, splitter, stop);
        break;
    case StepKind::Swap:
        d = decideSwap(phase, splitter, stop);
        break;
    case StepKind::Declare:
        d = decideDeclare(phase, splitter, stop);
        break;
    case StepKind::Offer:
    case StepKind::FifthOrOffer:
        d = decideOffer(phase, splitter, stop);
        break;
    case StepKind::Choose:
        d = decideChoose(phase, splitter, stop);
        break;
    }
    d.stopped = stop;
    return d;
}

Refusal applyDecision(OpeningPhase& phase, const PhaseDecision& d) {
    switch (d.kind) {
    case StepKind::Stone:
        for (int p : d.stones)
            if (const Refusal r = phase.placeStone(p); r != Refusal::Ok) return r;
        return d.stones.empty() ? Refusal::NotAsked : Refusal::Ok;
    case StepKind::Swap:
        return phase.swap(d.swap);
    case StepKind::Declare:
        return phase.declare(d.count);
    case StepKind::Offer:
        return phase.offer(d.offered);
    case StepKind::FifthOrOffer:
        return d.stones.empty() ? phase.offer(d.offered) : phase.placeStone(d.stones.front());
    case StepKind::Choose:
        return phase.choose(d.chosen);
    }
    return Refusal::NotAsked;
}

std::vector<ScoredPoint> bestFifthMoves(const BanArray& board, int n, const DecisionBudget& budget,
                                        const std::atomic<bool>& stop) {
    BudgetSplitter splitter(budget);
    std::vector<ScoredPoint> scored = fifthScores(board, n, splitter, stop);
    if (static_cast<int>(scored.size()) > n) scored.resize(static_cast<size_t>(std::max(n, 0)));
    return scored;
}

int blackScoreOf(const BanArray& board, const DecisionBudget& budget,
                 const std::atomic<bool>& stop) {
    BudgetSplitter splitter(budget);
    return searchBlackScore(board, splitter.share(1), stop);
}
