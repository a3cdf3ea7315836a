#include "rules/fallback_point.h"

#include "base/geometry.h"
#include "rules/chk_stat.h"

#include <cstdlib>

int fallbackPoint(const BanArray& root) {
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
