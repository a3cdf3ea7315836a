#include "player/strong/searcher.h"

#include "player/strong/evaluation.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>

using namespace search_params;

namespace {

// Mate scores count plies from the root; the table holds them from the node.
int toTable(int score, int ply) {
    return score > kWinBound ? score + ply : score < -kWinBound ? score - ply : score;
}
int fromTable(int score, int ply) {
    return score > kWinBound ? score - ply : score < -kWinBound ? score + ply : score;
}

} // namespace

int winInOf(int score) {
    if (score > kWinBound) return (kWin - score + 1) / 2;
    if (score < -kWinBound) return -((kWin + score) / 2);
    return 0;
}

Searcher::Searcher(const BanArray& board, const StrongLimits& limits, const std::atomic<bool>& stop,
                   const std::atomic<bool>* helperStop, TranspositionTable& tt,
                   Clock::time_point start)
    : pos_(board, colourToMove(board.moveCount())), solver_(pos_, stop), stop_(stop),
      helperStop_(helperStop), tt_(tt), limits_(limits), start_(start) {}

bool Searcher::timeUp() {
    if (aborted_) return true;
    // Solver nodes at the leaves count too, so the clock is read every kCheckInterval nodes.
    if (++nodes_ < nextCheck_) return false;
    nextCheck_ = nodes_ + kCheckInterval;
    // The limits let the first depth finish, so that every answer has been searched; the stop
    // flags do not wait.
    if (stop_.load(std::memory_order_relaxed) ||
        (helperStop_ && helperStop_->load(std::memory_order_relaxed)) ||
        (firstDepthDone_ && limits_.timeMs > 0 && elapsedMs() >= limits_.timeMs) ||
        (firstDepthDone_ && limits_.maxNodes > 0 && nodes_ >= limits_.maxNodes))
        aborted_ = true;
    return aborted_;
}

int Searcher::search(int depth, int alpha, int beta, int ply, bool pvNode) {
    assert(ply <= kMaxPly);
    SearchStackEntry& ss = stack_[ply];
    ss.pvLength = ply;
    if (timeUp()) return 0;
    const Colour us = pos_.side(), them = ~us;
    if (pos_.countAtLeast(us, kClassFive)) {
        ss.pv[ply] = static_cast<uint8_t>(pos_.firstOfClass(us, kClassFive));
        ss.pvLength = ply + 1;
        return kWin - ply - 1;
    }
    if (ply >= kMaxPly - 1) return evaluate(pos_);
    const bool threatened = pos_.countAtLeast(them, kClassFive) > 0;
    if (depth <= 0 && !threatened) {
        if (pos_.countAtLeast(us, kClassFour)) {
            const uint64_t before = solver_.nodes();
            const bool win = solver_.vcf(kLeafVcfBudget);
            nodes_ += solver_.nodes() - before;
            if (win) return kWin - ply - solver_.lineLength();
        }
        return evaluate(pos_);
    }

    const uint64_t key = pos_.hash();
    int ttMove = kNoMove;
    TranspositionTable::Entry e;
    if (tt_.probe(key, e)) {
        ttMove = e.move;
        const int s = fromTable(e.score, ply);
        // Only outside the principal line: there the line must be searched to be reported.
        if (!pvNode && e.depth >= depth &&
            (e.bound == TranspositionTable::kExact ||
             (e.bound == TranspositionTable::kLower && s >= beta) ||
             (e.bound == TranspositionTable::kUpper && s <= alpha)))
            return s;
    }

    // Below the root and off the principal line, with no five, open three or four-three of the
    // opponent's to answer, the static value may cut the node short.
    if (!pvNode && ply > 0 && (depth <= kFutilityDepth || depth >= kNullMoveDepth) &&
        std::abs(beta) < kWinBound && !threatened && !threatensWinInTwo(pos_, them)) {
        const int staticValue = evaluate(pos_, false);
        // Reverse futility: far enough above beta near the leaves, the node fails high.
        if (depth <= kFutilityDepth && staticValue - kFutilityMargin * depth >= beta)
            return staticValue - kFutilityMargin * depth;
        // Null move: a side that stays above beta even after passing fails high. The pass is
        // searched kNullReduction plies shallower; two passes in a row are not tried. A stone more
        // seldom hurts (black's forbidden points aside), so the pass is taken as a lower bound;
        // where the opponent has a threat to answer, the conditions above rule it out.
        if (depth >= kNullMoveDepth && !ss.afterNull && staticValue >= beta) {
            pos_.setSide(them);
            stack_[ply + 1].afterNull = true;
            const int score = -search(depth - 1 - kNullReduction, -beta, -beta + 1, ply + 1, false);
            stack_[ply + 1].afterNull = false;
            pos_.setSide(us);
            if (aborted_) return 0;
            if (score >= beta && score < kWinBound) return score;
        }
    }

    const RootMoves root{rootFilter_ ? rootAllowed_ : nullptr,
                         excluding_ ? rootExcluded_ : nullptr};
    const PickedMoves picked = pickMoves(pos_, ply, depth, ttMove, history_[index(us)], ss, root);
    if (picked.winningPoint != kNoMove) {
        ss.pv[ply] = static_cast<uint8_t>(picked.winningPoint);
        ss.pvLength = ply + 1;
    }
    int count = picked.count;
    if (ply == 0) rootMoveCount_ = count;
    if (count == 0) return picked.forcedScore; // a decided node, or no move at all (a draw)

    const int alphaStart = alpha;
    const SearchStackEntry& next = stack_[ply + 1];
    int best = -kInfinity, bestMove = ss.moves[0];
    // With several threads, a move whose position another thread is searching waits until
    // the node's other moves are done (searched then as a late move).
    int deferred[kMaxDeferred];
    int deferredCount = 0;
    const bool sharing = busy_ && depth >= kDeferDepth;
    // A node that searched only its few best moves and lost with every one of them is not
    // proven lost: a loss would then stand on moves never looked at, and a side could go for
    // a win that is not there. So the other moves follow, as late moves, before the node
    // reports a loss.
    int searchedBefore = 0;
    bool widened = false;
    for (;;) {
        for (int i = 0; i < count + deferredCount; ++i) {
            const bool late = i >= count;
            const int p = late ? deferred[i - count] : ss.moves[i];
            const int order = searchedBefore + i;
            const bool tactical = pos_.cls(us, p) >= kClassThree || pos_.cls(them, p) >= kClassFour;
            // A single forced reply costs no depth.
            const int newDepth = count == 1 && !widened ? depth : depth - 1;
            pos_.make(p);
            if (newDepth > 0) tt_.prefetch(pos_.hash());
            const uint64_t childKey = sharing ? pos_.hash() : 0;
            if (sharing && order > 0 && !late && deferredCount < kMaxDeferred &&
                busy_->busy(childKey)) {
                pos_.unmake();
                deferred[deferredCount++] = p;
                continue;
            }
            if (sharing) busy_->enter(childKey);
            int score;
            if (order == 0) {
                score = -search(newDepth, -beta, -alpha, ply + 1, pvNode);
            } else {
                const int reduction =
                    (depth >= kReductionDepth && order >= kReductionMove && !tactical)
                        ? 1 + (order >= kDeepReductionMove)
                        : 0;
                score = -search(newDepth - reduction, -alpha - 1, -alpha, ply + 1, false);
                if (score > alpha && (reduction || score < beta))
                    score = -search(newDepth, -beta, -alpha, ply + 1, pvNode);
            }
            if (sharing) busy_->leave(childKey);
            pos_.unmake();
            if (aborted_) return 0;
            if (score > best) {
                best = score;
                bestMove = p;
                if (score > alpha) {
                    alpha = score;
                    if (ply == 0) rootScore_ = score;
                    ss.pv[ply] = static_cast<uint8_t>(p);
                    for (int j = ply + 1; j < next.pvLength; ++j) ss.pv[j] = next.pv[j];
                    ss.pvLength = std::max(next.pvLength, ply + 1);
                    if (alpha >= beta) {
                        if (!tactical && ss.killers[0] != p) {
                            ss.killers[1] = ss.killers[0];
                            ss.killers[0] = p;
                        }
                        history_[index(us)][p] += depth * depth;
                        // The quiet moves searched before the cut-off did not cut: they lose
                        // as much as it gains.
                        for (int j = 0; j < std::min(i, count); ++j) {
                            const int q = ss.moves[j];
                            if (q != p && pos_.cls(us, q) < kClassThree &&
                                pos_.cls(them, q) < kClassFour)
                                history_[index(us)][q] -= depth * depth;
                        }
                        break;
                    }
                }
            }
        }
        if (widened || best >= beta || best >= -kWinBound || picked.available <= count) break;
        PointSet searched;
        for (int i = 0; i < count; ++i) searched.set(ss.moves[i]);
        const PickedMoves all =
            pickMoves(pos_, ply, depth, ttMove, history_[index(us)], ss, root, true);
        searchedBefore = count;
        count = 0;
        for (int i = 0; i < all.count; ++i)
            if (!searched.test(ss.moves[i])) ss.moves[count++] = ss.moves[i];
        deferredCount = 0;
        widened = true;
    }
    // The root's entry while further lines are searched would name a move that is not the best.
    if (ply > 0 || !excluding_) {
        const TranspositionTable::Bound bound = best >= beta        ? TranspositionTable::kLower
                                                : best > alphaStart ? TranspositionTable::kExact
                                                                    : TranspositionTable::kUpper;
        tt_.store(key, toTable(best, ply), std::max(depth, 0), bound, bestMove);
    }
    return best;
}

void Searcher::fillLine(std::vector<int>& line) const {
    line.assign(stack_[0].pv, stack_[0].pv + stack_[0].pvLength);
}

// Further root lines of a multi-line analysis at depth: each the best root move not yet
// listed, searched with a full window, so its score is exact. A pass cut short keeps the
// lines of the last depth that are not listed yet.
void Searcher::searchFurtherLines(int depth, SearchReport& report) {
    std::vector<RootLine> lines{{report.bestMove, report.score, report.winIn, report.line}};
    std::fill_n(rootExcluded_, kPoints, false);
    excluding_ = true;
    while (static_cast<int>(lines.size()) < limits_.multiPv) {
        for (const RootLine& l : lines) rootExcluded_[l.move] = true;
        const int score = search(depth, -kInfinity, kInfinity, 0, true);
        if (aborted_ || stack_[0].pvLength == 0 || rootExcluded_[stack_[0].pv[0]]) break;
        RootLine line{stack_[0].pv[0], score, winInOf(score), {}};
        fillLine(line.line);
        lines.push_back(std::move(line));
    }
    excluding_ = false;
    for (const RootLine& old : report.lines) {
        if (static_cast<int>(lines.size()) >= limits_.multiPv) break;
        if (std::none_of(lines.begin(), lines.end(),
                         [&](const RootLine& l) { return l.move == old.move; }))
            lines.push_back(old);
    }
    report.lines = std::move(lines);
}

void Searcher::iterate(SearchReport& report, const ReportCallback& onReport, int firstDepth) {
    // No new depth is begun after kSoftSharePercent of what is left to the main search has
    // gone; one that the limit cuts short still gives its best finished root move.
    const int64_t searchStartMs = elapsedMs();
    const uint64_t searchStartNodes = nodes_;
    const int64_t softMs =
        limits_.timeMs > 0 ? searchStartMs + std::max<int64_t>(limits_.timeMs - searchStartMs, 2) *
                                                 kSoftSharePercent / 100
                           : 0;
    const uint64_t softNodes =
        limits_.maxNodes > searchStartNodes
            ? searchStartNodes + (limits_.maxNodes - searchStartNodes) * kSoftSharePercent / 100
            : 0;
    for (int depth = firstDepth; depth <= std::max(firstDepth, limits_.maxDepth); ++depth) {
        const int score = search(depth, -kInfinity, kInfinity, 0, true);
        if (stack_[0].pvLength == 0) break;
        // An unfinished depth still counts when a root move was searched to its end: the moves
        // are searched best first, so its move is at least as good as the last depth's.
        if (aborted_ && depth > firstDepth) {
            if (stack_[0].pv[0] != report.bestMove && !isMate(report.score)) {
                report.bestMove = stack_[0].pv[0];
                report.score = rootScore_;
                fillLine(report.line);
            }
            break;
        }
        report.bestMove = stack_[0].pv[0];
        report.score = score;
        report.winIn = winInOf(score);
        report.depth = depth;
        fillLine(report.line);
        if (aborted_) break;
        if (limits_.multiPv > 1) searchFurtherLines(depth, report);
        firstDepthDone_ = true;
        report.nodes = nodes_;
        report.elapsedMs = elapsedMs();
        if (onReport) onReport(report);
        if (isMate(score) && depth > 2 * std::abs(report.winIn) + 2) break;
        if ((softMs && elapsedMs() >= softMs) || (limits_.maxNodes && nodes_ >= softNodes)) {
            stoppedEarly_ = true;
            break;
        }
    }
    report.nodes = nodes_;
}
