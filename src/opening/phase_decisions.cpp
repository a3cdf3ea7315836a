#include "opening/phase_decisions.h"

#include "database/openings.h"
#include "database/symmetry.h"
#include "opening/position_symmetry.h"
#include "player/strong/strong_search.h"
#include "rules/chk_stat.h"

#include <algorithm>
#include <cassert>
#include <chrono>
#include <cstdlib>
#include <limits>

namespace {

using Clock = std::chrono::steady_clock;

// Candidate stones: empty points this close (in king steps) to a stone.
constexpr int kNearDistance = 2;
// Kept back from the whole time for the work around the searches and for a loaded machine's
// late wake-ups (a 1 s decision on a busy two-core machine ran up to 83 ms late with 15).
constexpr int64_t kReserveMs = 50;
// The search stops within about this much past its own deadline.
constexpr int64_t kStopSlackMs = 15;
// Fewest nodes a candidate's search gets under a node budget.
constexpr uint64_t kMinNodes = 500;

// The score from black's view at which an opening position counts as even. The strong
// search's evaluation of these early positions leans to black: in its own games from Soosorv-8
// phases, black lost most positions it scored between 0 and about +150 (52 games at 100000
// nodes a move), so decisions that aim at an even game aim here rather than at 0.
constexpr int kEvenScore = 150;
// Weighing fifth moves: a first look at every candidate takes this share of the time, then the
// best ones are searched again with the rest.
constexpr int kFirstLookPercent = 40;
constexpr size_t kSecondLookMin = 6;
constexpr size_t kSecondLookMax = 16;

// Hands out the decision's budget to its searches in stages: a stage takes a share of what is
// left and gives each of its searches an equal part of what remains of the stage, so that one
// search running long only shortens the others. When a stage's time is used up its remaining
// searches are skipped (exhausted()).
class BudgetSplitter {
  public:
    explicit BudgetSplitter(const DecisionBudget& b) : budget_(b), start_(Clock::now()) {}

    // A stage of `searches` searches with `percent` of the time left (of the node budget).
    void beginStage(int searches, int percent = 100) {
        searches_ = std::max(searches, 1);
        issued_ = 0;
        stageEndMs_ = elapsedMs() + remainingMs() * percent / 100;
        stageNodes_ = budget_.maxNodes * static_cast<uint64_t>(percent) / 100;
    }

    StrongLimits share() {
        StrongLimits limits;
        limits.hashMegabytes = 16;
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

    // True when the stage's time is up (never under a node budget alone).
    bool exhausted() const { return budget_.timeMs > 0 && elapsedMs() >= stageEndMs_; }

  private:
    int64_t elapsedMs() const {
        return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start_).count();
    }
    int64_t remainingMs() const {
        return std::max<int64_t>(budget_.timeMs - kReserveMs - elapsedMs(), 0);
    }

    DecisionBudget budget_;
    Clock::time_point start_;
    int searches_ = 1;
    int issued_ = 0;
    int64_t stageEndMs_ = 0;
    uint64_t stageNodes_ = 0;
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
    // Nearest to the centre first: searched first when the time runs short.
    std::stable_sort(points.begin(), points.end(), [](int a, int b) {
        auto d = [](int p) { return std::max(std::abs(cellX(p) - 7), std::abs(cellY(p) - 7)); };
        return d(a) < d(b);
    });
    return points;
}

// Every candidate point with the evaluation (black's view) of the position after it, best for
// black first, in one stage of the budget. Points left when the stage's time is up are ranked
// below every searched one.
std::vector<ScoredPoint> scorePoints(const BanArray& board, const std::vector<int>& points,
                                     BudgetSplitter& splitter, const std::atomic<bool>& stop,
                                     int percent = 100) {
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

// The value for the player answering a step of a stone of colour placed: when the opponent may
// swap next, the player ends with the worse colour (so balance is best); otherwise the score of
// the player's own colour.
int valueForPlacer(int blackScore, char colour, bool swapFollows) {
    if (swapFollows) return -std::abs(blackScore - kEvenScore);
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

// Black's fifth moves weighed in two looks: every candidate briefly, then the best again with
// the rest of the time, so that the ones offered and the worst of them are weighed deeper. The
// second look's points come first (best first), then the others.
std::vector<ScoredPoint> fifthScores(const BanArray& board, int n, BudgetSplitter& splitter,
                                     const std::atomic<bool>& stop) {
    std::vector<ScoredPoint> scored =
        scorePoints(board, candidatePoints(board, kAnywhere), splitter, stop, kFirstLookPercent);
    const size_t again = std::min(scored.size(), std::clamp(2 * static_cast<size_t>(std::max(n, 0)),
                                                            kSecondLookMin, kSecondLookMax));
    std::vector<int> best;
    for (size_t i = 0; i < again; ++i) best.push_back(scored[i].point);
    std::vector<ScoredPoint> deeper = scorePoints(board, best, splitter, stop);
    deeper.insert(deeper.end(), scored.begin() + static_cast<std::ptrdiff_t>(again), scored.end());
    scored = std::move(deeper);
    if (static_cast<int>(scored.size()) >= n) return scored;
    // Too few near the stones: the rest of the board, unweighed, below every weighed point.
    const int floor = scored.empty() ? 0 : scored.back().blackScore - 1;
    const uint8_t mask = positionSymmetries(board);
    BanArray probe = board;
    for (int p = 0; p < kPoints && static_cast<int>(scored.size()) < n; ++p) {
        if (board.at(p) != kEmpty || isForbiddenBlack(probe, p)) continue;
        bool seen = false;
        for (const ScoredPoint& s : scored) seen = seen || equivalentUnder(mask, p, s.point);
        if (!seen) scored.push_back({p, floor, false});
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
    splitter.beginStage(static_cast<int>(options.size()));
    for (size_t i = 0; i < options.size(); ++i) {
        if (stop || (splitter.exhausted() && !d.stones.empty())) break;
        BanArray after;
        for (int p : options[i]) after.put(p);
        const int score = searchBlackScore(after, splitter.share(), stop);
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
        if (value > bestValue && (s.searched || d.stones.empty())) {
            bestValue = value;
            d.stones = {s.point};
            d.blackScore = s.blackScore;
        }
    }
    return d;
}

// The swap decision of the player of colour own on board: black's worth is the position's
// evaluation, or, when black is to offer `fifths` fifth moves next, the fifths-th best of them
// (white takes the worst offered). Each colour's advantage is measured from an even score.
PhaseDecision weighSwap(const BanArray& board, char own, int fifths, BudgetSplitter& splitter,
                        const std::atomic<bool>& stop) {
    PhaseDecision d;
    d.kind = StepKind::Swap;
    int blackScore = 0;
    if (fifths > 0) {
        d.weighed = fifthScores(board, fifths, splitter, stop);
        blackScore = d.weighed.empty()
                         ? 0
                         : d.weighed[std::min<size_t>(fifths, d.weighed.size()) - 1].blackScore;
    } else {
        splitter.beginStage(1);
        blackScore = stop ? 0 : searchBlackScore(board, splitter.share(), stop);
    }
    const int blackAdvantage = blackScore - kEvenScore;
    d.ownScore = own == kBlack ? blackAdvantage : -blackAdvantage;
    d.otherScore = -d.ownScore;
    d.swap = d.otherScore > d.ownScore;
    d.blackScore = blackScore;
    return d;
}

PhaseDecision decideSwap(const OpeningPhase& phase, BudgetSplitter& splitter,
                         const std::atomic<bool>& stop) {
    const std::span<const RuleStep> remaining = phase.remainingSteps();
    const int declared = phase.record().declared;
    const bool offerNext = remaining.size() > 1 && remaining[1].kind == StepKind::Offer;
    return weighSwap(phase.board(), remaining[0].colour, offerNext ? declared : 0, splitter, stop);
}

PhaseDecision decideDeclare(const OpeningPhase& phase, BudgetSplitter& splitter,
                            const std::atomic<bool>& stop) {
    const RuleStep& step = phase.remainingSteps()[0];
    BanArray board = phase.board();
    if (colourToMove(board.moveCount()) == kWhite) {
        // Declared before white's fourth stone: weigh the offers after the search's fourth.
        splitter.beginStage(1, 25);
        const SearchReport r = strongSearch(board, splitter.share(), stop);
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
        const int imbalance =
            std::abs(d.weighed[static_cast<size_t>(n - 1)].blackScore - kEvenScore);
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
        if (inside && s.searched && std::abs(s.blackScore - kEvenScore) < singleBest) {
            singleBest = std::abs(s.blackScore - kEvenScore);
            single = s;
        }
    }
    const bool offerComplete = static_cast<int>(d.offered.size()) == ask.offerCount;
    if (single.point != kNoMove && (!offerComplete || -singleBest > d.blackScore - kEvenScore)) {
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
    // The searched point worst for black (the list is best first, unsearched ones last).
    for (const ScoredPoint& s : d.weighed)
        if (s.searched || d.chosen == kNoMove) {
            d.chosen = s.point;
            d.blackScore = s.blackScore;
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

PhaseDecision swapDecision(const BanArray& board, int fifths, const DecisionBudget& budget,
                           const std::atomic<bool>& stop) {
    BudgetSplitter splitter(budget);
    return weighSwap(board, colourToMove(board.moveCount()), fifths, splitter, stop);
}

int blackScoreOf(const BanArray& board, const DecisionBudget& budget,
                 const std::atomic<bool>& stop) {
    BudgetSplitter splitter(budget);
    splitter.beginStage(1);
    return searchBlackScore(board, splitter.share(), stop);
}
