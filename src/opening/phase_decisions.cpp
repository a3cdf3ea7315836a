#include "opening/phase_decisions.h"

#include "database/openings.h"
#include "database/symmetry.h"
#include "opening/phase_weighing.h"
#include "opening/position_symmetry.h"
#include "player/strong/strong_search.h"
#include "rules/chk_stat.h"

#include <algorithm>
#include <cassert>
#include <chrono>
#include <cstdlib>
#include <limits>

namespace {

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
