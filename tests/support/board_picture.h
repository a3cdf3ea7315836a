#pragma once

#include "rules/ban_array.h"

#include <cassert>
#include <string>
#include <vector>

// A board drawn as up to 15 rows of 15 characters: 'X' or 'B' black, 'O' or 'W' white,
// anything else empty;
// rows not given are empty. The move count is the number of stones, so the side to move
// follows from it; the last move is lastX, lastY (225 when not given).
inline BanArray boardPicture(const std::vector<std::string>& rows, int lastX = -1, int lastY = -1) {
    BanArray board;
    int stones = 0;
    for (size_t y = 0; y < rows.size(); ++y) {
        assert(rows[y].size() == 15);
        for (size_t x = 0; x < 15; ++x) {
            char c = rows[y][x];
            const bool black = c == 'X' || c == 'B', white = c == 'O' || c == 'W';
            if (!black && !white) continue;
            board[cellIndex(static_cast<int>(x), static_cast<int>(y))] = black ? kBlack : kWhite;
            ++stones;
        }
    }
    board.setMoveCount(static_cast<uint8_t>(stones));
    if (lastX >= 0) board.setLastMove(static_cast<uint8_t>(cellIndex(lastX, lastY)));
    return board;
}

// A board built by putting the points in order (black, white, black...).
inline BanArray boardMoves(const std::vector<int>& points) {
    BanArray board;
    for (int p : points) {
        [[maybe_unused]] bool ok = board.put(p);
        assert(ok);
    }
    return board;
}
