#include "tune/self_play.h"

#include "database/openings.h"
#include "player/strong/strong_search.h"
#include "rules/ban_array.h"
#include "rules/chk_stat.h"
#include "rules/fallback_point.h"

#include <atomic>
#include <ostream>
#include <random>
#include <thread>
#include <vector>

namespace {

// An empty point within two cells of a stone, chosen at random; kNoMove when none.
int randomNearPoint(const BanArray& board, std::mt19937& rng) {
    std::vector<int> near;
    for (int p = 0; p < kPoints; ++p) {
        if (board.at(p) != kEmpty) continue;
        bool close = false;
        for (int dy = -2; dy <= 2 && !close; ++dy)
            for (int dx = -2; dx <= 2 && !close; ++dx) {
                const int x = cellX(p) + dx, y = cellY(p) + dy;
                close = onBoard(x, y) && board.at(cellIndex(x, y)) != kEmpty;
            }
        if (close) near.push_back(p);
    }
    return near.empty() ? kNoMove : near[rng() % near.size()];
}

// Plays game g (see playSelfPlayGames) and writes its line to out.
void playGame(const SelfPlayOptions& options, int g, const StrongLimits& limits,
              std::ostream& out) {
    const std::atomic<bool> stop{false};
    std::mt19937 rng(options.seed * 1000003u + static_cast<uint32_t>(g));
    const Opening& opening = openings()[static_cast<size_t>(g % kOpeningCount)];
    BanArray board;
    std::vector<int> moves;
    for (const int p : openingCells(opening, (g / kOpeningCount) % 8)) {
        board.put(p);
        moves.push_back(p);
    }
    const int randoms =
        1 + static_cast<int>(rng() % static_cast<uint32_t>(std::max(1, options.randomMoves)));
    for (int tries = 0; moves.size() < 3u + static_cast<size_t>(randoms) && tries < 200; ++tries) {
        const int p = randomNearPoint(board, rng);
        if (p == kNoMove) break;
        const int code = ChkStat(board).judgePoint(p, colourToMove(board.moveCount()));
        if (isEndCode(code)) continue;
        board.put(p);
        moves.push_back(p);
    }
    double blackScore = 0.5;
    while (board.moveCount() < kPoints) {
        const char side = colourToMove(board.moveCount());
        int move = strongSearch(board, limits, stop).bestMove;
        if (move < 0 || move >= kPoints || board.at(move) != kEmpty) move = fallbackPoint(board);
        const int code = ChkStat(board).judgePoint(move, side);
        board.put(move);
        moves.push_back(move);
        if (isWinCode(code)) {
            blackScore = side == kBlack ? 1.0 : 0.0;
            break;
        }
        if (side == kBlack && isForbiddenCode(code)) {
            blackScore = 0.0;
            break;
        }
    }
    out << blackScore;
    for (const int p : moves) out << ' ' << p;
    out << '\n' << std::flush;
}

} // namespace

void playSelfPlayGames(const SelfPlayOptions& options, std::ostream& out) {
    StrongLimits limits;
    limits.timeMs = 0;
    limits.maxNodes = options.nodes;
    limits.hashMegabytes = 16;
    // Each game on a thread of its own, whose table starts empty: a game does not depend on
    // the games before it, so runs that split the work by --first play the same games.
    for (int g = options.first; g < options.first + options.count; ++g)
        std::thread([&, g] { playGame(options, g, limits, out); }).join();
}
