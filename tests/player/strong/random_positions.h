#pragma once

#include "rules/ban_array.h"
#include "rules/chk_stat.h"

#include <cstdint>
#include <random>

// A game position of `stones` random moves near the centre, each legal and none ending the
// game (no five, no forbidden black move), so the side to move is still playing.
inline BanArray randomPosition(std::mt19937& rng, int stones) {
    BanArray board;
    std::uniform_int_distribution<int> offset(-5, 5);
    for (int tries = 0; board.moveCount() < stones && tries < 4000; ++tries) {
        const int x = 7 + offset(rng), y = 7 + offset(rng);
        const int p = cellIndex(x, y);
        if (board.at(p) != kEmpty) continue;
        const MoveCode code = ChkStat(board).judgePoint(p, colourToMove(board.moveCount()));
        if (isEndCode(code)) continue;
        board.put(p);
    }
    return board;
}
