#include "player/strong/searcher.h"

#include <algorithm>

// The searcher's threat searches around its alpha-beta: the root's own win by threats and its
// defence filter before it, the helper's longer win search beside it, and what the time left
// after it buys (a longer win search, a check of the answer).

using namespace search_params;

// The side to move wins by fours or by threes, proven within budget.
bool Searcher::threatOfSideToMove(uint64_t budget) {
    const uint64_t before = solver_.nodes();
    const bool win = solver_.vcf(budget) || solver_.vct(budget, kFilterVctThrees);
    nodes_ += solver_.nodes() - before;
    return win;
}

// When the opponent would win by threats if we passed, root moves after which that win still
// stands (proven by the solver) are dropped, unless every move keeps it. A move whose check
// runs out of budget or time stays.
void Searcher::filterRootDefences(uint64_t budget, uint64_t nodeCap) {
    const Colour us = pos_.side(), them = ~us;
    pos_.setSide(them);
    const bool threat =
        pos_.countAtLeast(us, kClassFive) == 0 && threatOfSideToMove(budget * kFilterThreatFactor);
    pos_.setSide(us);
    if (!threat || solver_.aborted()) return;
    int kept = 0;
    for (int p = 0; p < kPoints; ++p) {
        rootAllowed_[p] = false;
        if (!pos_.nearStones(p) || !pos_.playable(us, p)) continue;
        if (nodes_ >= nodeCap) { // out of budget: the points not checked stay
            rootAllowed_[p] = true;
            ++kept;
            continue;
        }
        pos_.make(p);
        const bool stands = threatOfSideToMove(budget);
        pos_.unmake();
        if (stands && !solver_.aborted()) continue;
        rootAllowed_[p] = true;
        ++kept;
    }
    rootFilter_ = kept > 0;
}

void Searcher::shareRootFilter(const Searcher& main) {
    rootFilter_ = main.rootFilter_;
    std::copy_n(main.rootAllowed_, kPoints, rootAllowed_);
}

// The solver's winning line as the report's answer, when its first move may be played.
bool Searcher::reportThreatWin(SearchReport& report) {
    if (solver_.lineLength() == 0 || !pos_.playable(pos_.side(), solver_.line()[0])) return false;
    report.bestMove = solver_.line()[0];
    report.line.assign(solver_.line(), solver_.line() + solver_.lineLength());
    report.winIn = (solver_.lineLength() + 1) / 2;
    report.score = kWin - solver_.lineLength();
    report.nodes = nodes_;
    return true;
}

bool Searcher::solveRootDeeply(SearchReport& report, const StrongLimits& decision) {
    // Under a node limit, as many nodes as the main thread may search.
    const int64_t timeMs = decision.timeMs;
    const uint64_t budget = timeMs > 0 ? static_cast<uint64_t>(timeMs * kHelperVctNodesPerMs)
                            : decision.maxNodes > 0 ? decision.maxNodes
                                                    : kHelperVctUntimed;
    // The deadline is a share of the time the main thread's threat checks have left.
    if (timeMs > 0)
        solver_.setDeadline(Clock::now() +
                            std::chrono::milliseconds(std::max<int64_t>(timeMs - elapsedMs(), 0) *
                                                      kHelperVctPercent / 100));
    const uint64_t before = solver_.nodes();
    const bool win = solver_.vct(budget, kHelperVctThrees);
    nodes_ += solver_.nodes() - before;
    solver_.setDeadline(Clock::time_point::max());
    return win && reportThreatWin(report);
}

uint64_t Searcher::budgetLeft() {
    // A search that reached its depth limit is left as it was: a fixed-depth decision (the
    // book's) stays as it was made.
    if (!stoppedEarly_ || aborted_ || limits_.multiPv > 1) return 0;
    if (limits_.maxNodes > 0) return limits_.maxNodes > nodes_ ? limits_.maxNodes - nodes_ : 0;
    // A search without limits ends only when stopped.
    if (limits_.timeMs <= 0 || elapsedMs() >= limits_.timeMs) return 0;
    solver_.setDeadline(start_ + std::chrono::milliseconds(limits_.timeMs));
    return UINT64_MAX;
}

bool Searcher::solveRootWithTimeLeft(SearchReport& report) {
    const uint64_t budget = isMate(report.score) ? 0 : budgetLeft();
    if (budget == 0) return false;
    const uint64_t before = solver_.nodes();
    const bool win = solver_.vct(budget, kLateVctThrees);
    nodes_ += solver_.nodes() - before;
    solver_.setDeadline(Clock::time_point::max());
    return win && reportThreatWin(report);
}

void Searcher::checkAnswer(SearchReport& report) {
    const uint64_t budget = report.bestMove == kNoMove || isMate(report.score) ? 0 : budgetLeft();
    if (budget == 0) return;
    const uint64_t before = solver_.nodes();
    auto loses = [&](int move, uint64_t nodes) {
        pos_.make(move);
        const bool win = solver_.vct(nodes, kAnswerCheckThrees);
        pos_.unmake();
        return win && !solver_.aborted();
    };
    // The answer loses if the proof holds; any move not proven to lose is then better, so a
    // check cut short by the clock lets its move stand.
    if (loses(report.bestMove, budget)) {
        const uint64_t each = std::max(budget / kAnswerCheckDivisor, kMinAnswerCheck);
        for (int i = 0; i < rootMoveCount_; ++i) {
            const int p = stack_[0].moves[i];
            if (p == report.bestMove) continue;
            if (!loses(p, each)) {
                report.bestMove = p;
                report.line.assign(1, p);
                break;
            }
        }
    }
    nodes_ += solver_.nodes() - before;
    solver_.setDeadline(Clock::time_point::max());
}

bool Searcher::solveRoot(SearchReport& report, bool continuing) {
    // Node budgets of the threat searches: from the node limit when there is one, else from
    // the time (about what a loaded core searches in it).
    const int64_t budgetMs = limits_.timeMs > 0 ? limits_.timeMs : kUntimedThreatMs;
    const uint64_t n = limits_.maxNodes;
    const uint64_t vctBudget = n ? std::max(n / kNodeVctDivisor, kMinThreatBudget)
                                 : static_cast<uint64_t>(std::clamp(budgetMs * kVctNodesPerMs,
                                                                    kMinVctBudget, kMaxVctBudget));
    const uint64_t vcfBudget = n ? std::max(n / kNodeVcfDivisor, kMinThreatBudget) : kVcfBudget;
    const uint64_t filterBudget =
        n ? std::max(n / kNodeFilterDivisor, kMinFilterBudget)
          : static_cast<uint64_t>(
                std::clamp(budgetMs * kFilterNodesPerMs, kMinFilterTimed, kMaxFilterTimed));
    // The threat searches before the main search get a share of the time. (Without a time
    // limit, half a second, so that the main search reports soon; a node limit alone bounds
    // them by their budgets, so that the decision is repeatable.)
    if (limits_.timeMs > 0 || n == 0)
        solver_.setDeadline(
            start_ + std::chrono::milliseconds(limits_.timeMs > 0
                                                   ? limits_.timeMs * kRootThreatTimePercent / 100
                                                   : kUntimedThreatDeadlineMs));
    // A proven win by fours, then by threes, is played at once.
    const uint64_t before = solver_.nodes();
    bool win = solver_.vcf(vcfBudget) || solver_.vct(vctBudget, kRootVctThrees);
    // A win begun last move is proven again with its threes: the rest of its proof is smaller
    // than the search that found it, and the solver's table keeps what the shorter search did.
    if (!win && continuing) {
        if (limits_.timeMs > 0)
            solver_.setDeadline(start_ +
                                std::chrono::milliseconds(limits_.timeMs * kContinuePercent / 100));
        win = solver_.vct(n ? n * kContinuePercent / 100 : kHelperVctUntimed, kLateVctThrees);
    }
    nodes_ += solver_.nodes() - before;
    if (win && reportThreatWin(report)) return true;
    // With a node limit, the root's threat searches leave at least half of it to the main
    // search.
    filterRootDefences(filterBudget, n ? n / 2 : UINT64_MAX);
    solver_.setDeadline(Clock::time_point::max());
    return false;
}
