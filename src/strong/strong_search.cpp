#include "strong/strong_search.h"

#include "rules/chk_stat.h"

#include <chrono>
#include <cstdlib>

namespace {

// The nearest empty point to the stones' centre of mass that the side to move may play.
int nearestPlayablePoint(const BanArray& root) {
    BanArray board(root);
    ChkStat judge(board);
    const char side = colourToMove(board.moveCount());
    int sx = 0, sy = 0, stones = 0;
    for (int p = 0; p < kPoints; ++p)
        if (board.at(p) != kEmpty) sx += cellX(p), sy += cellY(p), ++stones;
    const int cx = stones ? sx / stones : 7, cy = stones ? sy / stones : 7;
    int best = kNoMove, bestDistance = 1 << 30, fallback = kNoMove;
    for (int p = 0; p < kPoints; ++p) {
        if (board.at(p) != kEmpty) continue;
        if (fallback == kNoMove) fallback = p;
        const int d = std::abs(cellX(p) - cx) + std::abs(cellY(p) - cy);
        if (d >= bestDistance) continue;
        if (side == kBlack && judge.isForbiddenBlack(p)) continue;
        best = p;
        bestDistance = d;
    }
    return best != kNoMove ? best : fallback;
}

} // namespace

SearchReport strongSearch(const BanArray& board, const StrongLimits& /*limits*/,
                          const std::atomic<bool>& /*stop*/, const ReportCallback& onReport) {
    const auto start = std::chrono::steady_clock::now();
    SearchReport report;
    report.bestMove = nearestPlayablePoint(board);
    if (report.bestMove != kNoMove) report.line.push_back(report.bestMove);
    report.elapsedMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::steady_clock::now() - start)
                           .count();
    if (onReport) onReport(report);
    return report;
}
