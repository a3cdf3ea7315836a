#include "strong/strong_search.h"

#include "strong/position.h"
#include "strong/threat_solver.h"
#include "strong/transposition.h"

#include <algorithm>
#include <chrono>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWin = 30000;
constexpr int kWinBound = 29000;
constexpr int kInfinity = 32000;
constexpr int kMaxPly = 200;
constexpr int kCentre = 112;
constexpr uint64_t kLeafVcfBudget = 200;
// Moves searched at a node below the root, strongest first, by the depth left: the ordering
// is good enough that near the leaves the few best points carry the node.
constexpr int moveLimitBelowRoot(int depth) {
    return depth <= 1 ? 8 : depth == 2 ? 10 : 12;
}
// Share of the main search's time (or nodes) after which no new depth is begun.
constexpr int kSoftSharePercent = 60;

bool isMate(int score) {
    return score > kWinBound || score < -kWinBound;
}
// Mate scores count plies from the root; the table holds them from the node.
int toTable(int score, int ply) {
    return score > kWinBound ? score + ply : score < -kWinBound ? score - ply : score;
}
int fromTable(int score, int ply) {
    return score > kWinBound ? score - ply : score < -kWinBound ? score + ply : score;
}

// One decision's search: iterative deepening of a principal-variation alpha-beta over one
// Position, with the threat solver at the root and at quiet leaves where the side to move has
// a four. All working memory is made before the first node.
class Searcher {
  public:
    // The budget runs from start, the moment the decision was asked for.
    Searcher(const BanArray& board, const StrongLimits& limits, const std::atomic<bool>& stop,
             TranspositionTable& tt, Clock::time_point start)
        : pos_(board, colourToMove(board.moveCount())), solver_(pos_, stop), stop_(stop), tt_(tt),
          limits_(limits), start_(start) {
        for (auto& k : killers_) k[0] = k[1] = kNoMove;
    }

    SearchReport run(const ReportCallback& onReport);

  private:
    bool threatOfSideToMove(uint64_t budget);
    void filterRootDefences(uint64_t budget, uint64_t nodeCap);
    int search(int depth, int alpha, int beta, int ply, bool pvNode);
    int evaluate() const;
    bool hasPlayable(int colour, int cls) const;
    int generate(int ply, int depth, int* moves, int ttMove, int& forcedScore);
    bool timeUp();
    int64_t elapsedMs() const {
        return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start_).count();
    }
    void fillLine(SearchReport& r) const;

    Position pos_;
    ThreatSolver solver_;
    const std::atomic<bool>& stop_;
    TranspositionTable& tt_;
    StrongLimits limits_;
    Clock::time_point start_;
    uint64_t nodes_ = 0, nextCheck_ = 0;
    bool aborted_ = false;
    int rootScore_ = 0; // the score of the root's best move searched to its end
    bool firstDepthDone_ = false;
    int killers_[kMaxPly + 1][2] = {};
    int history_[2][kPoints] = {};
    uint8_t pv_[kMaxPly + 1][kMaxPly + 1] = {};
    int pvLength_[kMaxPly + 1] = {};
    int moveBuffer_[kMaxPly + 1][kPoints] = {};
    bool rootFilter_ = false;
    bool rootAllowed_[kPoints] = {};
    int scoreBuffer_[kMaxPly + 1][kPoints] = {};
};

bool Searcher::timeUp() {
    if (aborted_) return true;
    // Solver nodes at the leaves count too, so the clock is read every 256 nodes of either.
    if (++nodes_ < nextCheck_) return false;
    nextCheck_ = nodes_ + 256;
    // The limits let the first depth finish, so that every answer has been searched; the stop
    // flag does not wait.
    if (stop_.load(std::memory_order_relaxed) ||
        (firstDepthDone_ && limits_.timeMs > 0 && elapsedMs() >= limits_.timeMs) ||
        (firstDepthDone_ && limits_.maxNodes > 0 && nodes_ >= limits_.maxNodes))
        aborted_ = true;
    return aborted_;
}

// colour has an empty point it may play that gives it at least cls. Black's forbidden points do
// not count: a black three whose straight four would be forbidden threatens nothing.
bool Searcher::hasPlayable(int colour, int cls) const {
    if (pos_.countAtLeast(colour, cls) == 0) return false;
    if (colour == 1 || pos_.countAtLeast(0, kClassFive)) return true;
    for (int c = cls; c < kClassFive; ++c)
        for (const int p : pos_.pointsOfClass(0, c))
            if (!pos_.forbidden(p)) return true;
    return false;
}

// Both colours' line patterns summed over the empty points, from the side to move, with a
// bonus for the move itself: a side to move with an open three or a four threat is a tempo
// ahead of the same shapes for the opponent.
int Searcher::evaluate() const {
    const int us = pos_.side(), them = us ^ 1;
    int score = pos_.valueSum(us) * 5 / 4 - pos_.valueSum(them);
    if (hasPlayable(us, kClassThree)) score += 60;
    if (hasPlayable(them, kClassFlexFour)) score -= 120;
    return std::clamp(score + 20, -kWinBound + 1, kWinBound - 1);
}

// The moves of a node, ordered, in moves; returns their count. When the node's value is
// already known (a win by a straight four, a loss to two five points or a forbidden block)
// the count is 0 and forcedScore holds it.
int Searcher::generate(int ply, int depth, int* moves, int ttMove, int& forcedScore) {
    const int us = pos_.side(), them = us ^ 1;
    int n = 0;
    forcedScore = 0;
    const int theirFives = pos_.countAtLeast(them, kClassFive);
    if (theirFives) {
        const int five = pos_.firstOfClass(them, kClassFive);
        if (theirFives == 1 && pos_.playable(us, five)) {
            moves[0] = five;
            return 1;
        }
        // Lost; the root still needs a move, the one that loses last.
        if (ply > 0) {
            forcedScore = -(kWin - ply - 2);
            return 0;
        }
    }
    // A straight four we may play wins.
    if (!theirFives && pos_.countAtLeast(us, kClassFlexFour)) {
        for (const int p : pos_.pointsOfClass(us, kClassFlexFour))
            if (pos_.playable(us, p)) {
                forcedScore = kWin - ply - 3;
                pv_[ply][ply] = static_cast<uint8_t>(p);
                pvLength_[ply] = ply + 1;
                return 0;
            }
    }
    // Against an open three only fours and the points of the three's fours; with no such move
    // (or none the root's defence check kept), every move, so that the loss comes last.
    const bool openThree = hasPlayable(them, kClassFlexFour);
    int* scores = scoreBuffer_[ply];
    auto collect = [&](bool defendOnly, bool rootFilter) {
        n = 0;
        for (const int p : pos_.nearPoints()) {
            const PointInfo &mine = pos_.info(us, p), &theirs = pos_.info(them, p);
            if (defendOnly && mine.cls < kClassFour && theirs.cls < kClassFour) continue;
            if (rootFilter && !rootAllowed_[p]) continue;
            if (us == 0 && mine.suspect && pos_.forbidden(p)) continue;
            int s = 2 * mine.value + theirs.value + history_[us][p] / 64;
            if (mine.cls >= kClassFour) s += 4000;
            if (theirs.cls == kClassFive) s += 1 << 22;
            if (p == ttMove)
                s += 1 << 24;
            else if (p == killers_[ply][0])
                s += 1 << 20;
            else if (p == killers_[ply][1])
                s += 1 << 19;
            moves[n] = p;
            scores[n] = s;
            ++n;
        }
    };
    const bool filter = ply == 0 && rootFilter_;
    collect(openThree, filter);
    if (n == 0 && openThree) collect(false, filter);
    if (n == 0 && filter) collect(false, false);
    // Insertion sort, strongest first (short lists).
    for (int i = 1; i < n; ++i) {
        const int m = moves[i], s = scores[i];
        int j = i;
        for (; j > 0 && scores[j - 1] < s; --j) {
            moves[j] = moves[j - 1];
            scores[j] = scores[j - 1];
        }
        moves[j] = m;
        scores[j] = s;
    }
    return ply > 0 && !openThree ? std::min(n, moveLimitBelowRoot(depth)) : n;
}

int Searcher::search(int depth, int alpha, int beta, int ply, bool pvNode) {
    pvLength_[ply] = ply;
    if (timeUp()) return 0;
    const int us = pos_.side(), them = us ^ 1;
    if (pos_.countAtLeast(us, kClassFive)) {
        pv_[ply][ply] = static_cast<uint8_t>(pos_.firstOfClass(us, kClassFive));
        pvLength_[ply] = ply + 1;
        return kWin - ply - 1;
    }
    if (ply >= kMaxPly - 1) return evaluate();
    const bool threatened = pos_.countAtLeast(them, kClassFive) > 0;
    if (depth <= 0 && !threatened) {
        if (pos_.countAtLeast(us, kClassFour)) {
            const uint64_t before = solver_.nodes();
            const bool win = solver_.vcf(kLeafVcfBudget);
            nodes_ += solver_.nodes() - before;
            if (win) return kWin - ply - solver_.lineLength();
        }
        return evaluate();
    }

    const uint64_t key = pos_.hash();
    int ttMove = kNoMove;
    if (const TranspositionTable::Entry* e = tt_.probe(key)) {
        ttMove = e->move;
        const int s = fromTable(e->score, ply);
        if (!pvNode && e->depth >= depth &&
            (e->bound == TranspositionTable::kExact ||
             (e->bound == TranspositionTable::kLower && s >= beta) ||
             (e->bound == TranspositionTable::kUpper && s <= alpha)))
            return s;
    }

    int* moves = moveBuffer_[ply];
    int forced = 0;
    const int count = generate(ply, depth, moves, ttMove, forced);
    if (count == 0) return forced; // a decided node, or no move at all (a draw)

    const int alphaStart = alpha;
    int best = -kInfinity, bestMove = moves[0];
    for (int i = 0; i < count; ++i) {
        const int p = moves[i];
        const bool tactical = pos_.cls(us, p) >= kClassThree || pos_.cls(them, p) >= kClassFour;
        // A single forced reply costs no depth.
        const int newDepth = count == 1 ? depth : depth - 1;
        pos_.make(p);
        int score;
        if (i == 0) {
            score = -search(newDepth, -beta, -alpha, ply + 1, pvNode);
        } else {
            const int reduction = (depth >= 3 && i >= 3 && !tactical) ? 1 + (i >= 10) : 0;
            score = -search(newDepth - reduction, -alpha - 1, -alpha, ply + 1, false);
            if (score > alpha && (reduction || score < beta))
                score = -search(newDepth, -beta, -alpha, ply + 1, pvNode);
        }
        pos_.unmake();
        if (aborted_) return 0;
        if (score > best) {
            best = score;
            bestMove = p;
            if (score > alpha) {
                alpha = score;
                if (ply == 0) rootScore_ = score;
                pv_[ply][ply] = static_cast<uint8_t>(p);
                for (int j = ply + 1; j < pvLength_[ply + 1]; ++j) pv_[ply][j] = pv_[ply + 1][j];
                pvLength_[ply] = std::max(pvLength_[ply + 1], ply + 1);
                if (alpha >= beta) {
                    if (!tactical && killers_[ply][0] != p) {
                        killers_[ply][1] = killers_[ply][0];
                        killers_[ply][0] = p;
                    }
                    history_[us][p] += depth * depth;
                    break;
                }
            }
        }
    }
    const TranspositionTable::Bound bound = best >= beta        ? TranspositionTable::kLower
                                            : best > alphaStart ? TranspositionTable::kExact
                                                                : TranspositionTable::kUpper;
    tt_.store(key, toTable(best, ply), std::max(depth, 0), bound, bestMove);
    return best;
}

// The side to move wins by fours or by threes, proven within budget.
bool Searcher::threatOfSideToMove(uint64_t budget) {
    const uint64_t before = solver_.nodes();
    const bool win = solver_.vcf(budget) || solver_.vct(budget, 4);
    nodes_ += solver_.nodes() - before;
    return win;
}

// When the opponent would win by threats if we passed, root moves after which that win still
// stands (proven by the solver) are dropped, unless every move keeps it. A move whose check
// runs out of budget or time stays.
void Searcher::filterRootDefences(uint64_t budget, uint64_t nodeCap) {
    const int us = pos_.side(), them = us ^ 1;
    pos_.setSide(them);
    const bool threat = pos_.countAtLeast(us, kClassFive) == 0 && threatOfSideToMove(budget * 4);
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

void Searcher::fillLine(SearchReport& r) const {
    r.line.clear();
    for (int j = 0; j < pvLength_[0]; ++j) r.line.push_back(pv_[0][j]);
}

int winInOf(int score) {
    if (score > kWinBound) return (kWin - score + 1) / 2;
    if (score < -kWinBound) return -((kWin + score) / 2);
    return 0;
}

SearchReport Searcher::run(const ReportCallback& onReport) {
    SearchReport report;
    auto finish = [&] {
        report.nodes = nodes_;
        report.elapsedMs = elapsedMs();
        return report;
    };
    const int us = pos_.side();
    // Node budgets of the threat searches: from the node limit when there is one, else from
    // the time (about what a loaded core searches in it).
    const int64_t budgetMs = limits_.timeMs > 0 ? limits_.timeMs : 2000;
    const uint64_t vctBudget =
        limits_.maxNodes ? std::max<uint64_t>(limits_.maxNodes / 6, 500)
                         : static_cast<uint64_t>(std::clamp<int64_t>(budgetMs * 150, 2000, 400000));
    const uint64_t vcfBudget =
        limits_.maxNodes ? std::max<uint64_t>(limits_.maxNodes / 4, 500) : 200000;
    const uint64_t filterBudget =
        limits_.maxNodes ? std::max<uint64_t>(limits_.maxNodes / 100, 100)
                         : static_cast<uint64_t>(std::clamp<int64_t>(budgetMs * 20, 500, 20000));
    // The threat searches before the main search get a share of the time.
    // (Without a time limit, half a second, so that the main search reports soon; a node limit
    // alone bounds them by their budgets, so that the decision is repeatable.)
    if (limits_.timeMs > 0 || limits_.maxNodes == 0)
        solver_.setDeadline(
            start_ + std::chrono::milliseconds(limits_.timeMs > 0 ? limits_.timeMs * 3 / 10 : 500));
    // A proven win by fours, then by threes, is played at once.
    {
        const uint64_t before = solver_.nodes();
        const bool win = solver_.vcf(vcfBudget) || solver_.vct(vctBudget, 6);
        nodes_ += solver_.nodes() - before;
        if (win && solver_.lineLength() > 0 && pos_.playable(us, solver_.line()[0])) {
            report.bestMove = solver_.line()[0];
            report.line.assign(solver_.line(), solver_.line() + solver_.lineLength());
            report.winIn = (solver_.lineLength() + 1) / 2;
            report.score = kWin - solver_.lineLength();
            return finish();
        }
    }
    // With a node limit, the root's threat searches leave at least half of it to the main search.
    filterRootDefences(filterBudget, limits_.maxNodes ? limits_.maxNodes / 2 : UINT64_MAX);
    solver_.setDeadline(Clock::time_point::max());
    tt_.newSearch();
    // No new depth is begun after kSoftSharePercent of what is left to the main search has
    // gone; one that the limit cuts short still gives its best finished root move.
    const int64_t searchStartMs = elapsedMs();
    const uint64_t searchStartNodes = nodes_;
    const int64_t softMs =
        limits_.timeMs > 0
            ? searchStartMs +
                  std::max<int64_t>(limits_.timeMs - searchStartMs, 2) * kSoftSharePercent / 100
            : 0;
    const uint64_t softNodes =
        limits_.maxNodes > searchStartNodes
            ? searchStartNodes + (limits_.maxNodes - searchStartNodes) * kSoftSharePercent / 100
            : 0;
    for (int depth = 1; depth <= std::max(1, limits_.maxDepth); ++depth) {
        const int score = search(depth, -kInfinity, kInfinity, 0, true);
        if (pvLength_[0] == 0) break;
        // An unfinished depth still counts when a root move was searched to its end: the moves
        // are searched best first, so its move is at least as good as the last depth's.
        if (aborted_ && depth > 1) {
            if (pv_[0][0] != report.bestMove && !isMate(report.score)) {
                report.bestMove = pv_[0][0];
                report.score = rootScore_;
                fillLine(report);
            }
            break;
        }
        report.bestMove = pv_[0][0];
        report.score = score;
        report.winIn = winInOf(score);
        report.depth = depth;
        fillLine(report);
        if (aborted_) break;
        firstDepthDone_ = true;
        report.nodes = nodes_;
        report.elapsedMs = elapsedMs();
        if (onReport) onReport(report);
        if (isMate(score) && depth > 2 * std::abs(report.winIn) + 2) break;
        if (softMs && elapsedMs() >= softMs) break;
        if (limits_.maxNodes && nodes_ >= softNodes) break;
    }
    return finish();
}

// Every empty point the side to move may play, nearest to the stones first; black's forbidden
// points only when nothing else is empty.
int fallbackMove(const BanArray& root) {
    BanArray board(root);
    ChkStat judge(board);
    const bool black = colourToMove(board.moveCount()) == kBlack;
    int anyEmpty = kNoMove;
    for (int radius = 1; radius <= kBoardSize; ++radius)
        for (int p = 0; p < kPoints; ++p) {
            if (board.at(p) != kEmpty) continue;
            if (anyEmpty == kNoMove) anyEmpty = p;
            bool near = false;
            for (int q = 0; q < kPoints && !near; ++q)
                near = board.at(q) != kEmpty && std::abs(cellX(p) - cellX(q)) <= radius &&
                       std::abs(cellY(p) - cellY(q)) <= radius;
            if (near && (!black || !judge.isForbiddenBlack(p))) return p;
        }
    return anyEmpty;
}

bool legalAnswer(const BanArray& root, int move) {
    if (move < 0 || move >= kPoints || root.at(move) != kEmpty) return false;
    if (colourToMove(root.moveCount()) != kBlack) return true;
    BanArray board(root);
    return !ChkStat(board).isForbiddenBlack(move);
}

TranspositionTable& threadTable(size_t megabytes) {
    thread_local TranspositionTable table;
    table.resize(std::max<size_t>(megabytes, 1));
    return table;
}

} // namespace

SearchReport strongSearch(const BanArray& board, const StrongLimits& limits,
                          const std::atomic<bool>& stop, const ReportCallback& onReport) {
    const auto start = Clock::now();
    int stones = 0;
    for (int p = 0; p < kPoints; ++p) stones += board.at(p) != kEmpty;
    SearchReport report;
    if (stones == 0) {
        report.bestMove = kCentre;
        report.line = {kCentre};
    } else if (stones < kPoints) {
        auto searcher = std::make_unique<Searcher>(board, limits, stop,
                                                   threadTable(limits.hashMegabytes), start);
        report = searcher->run(onReport);
        if (!legalAnswer(board, report.bestMove)) {
            report.bestMove = fallbackMove(board);
            report.line.assign(1, report.bestMove);
            report.winIn = 0;
        }
    }
    report.elapsedMs =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    if (onReport) onReport(report);
    return report;
}

void prepareStrongSearch(size_t hashMegabytes) {
    threadTable(hashMegabytes);
}
