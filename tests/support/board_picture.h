#pragma once

#include "rules/ban_array.h"

#include <cassert>
#include <stdexcept>
#include <string>
#include <vector>

// Boards for the tests, written as text.
//
// line(s, x0, y0, d): the characters of s laid along direction d (0 row, 1 diagonal, 2 column,
// 3 anti-diagonal) from (x0, y0): '.' or '+' empty, 'B' or 'X' and 'W' or 'O' stones, and one
// centre marked 'b' or 'w' (a stone of that colour, the point to test) or 'o' (an empty point to
// test). Everything else on the board is empty; the move count is the number of stones.
struct Placed {
    BanArray board;
    int centre = -1;
};

// A part of a board in the same alphabet: rows of characters, the first one at (x0, y0).
// Everything else is empty; the centre mark is optional.
struct Area {
    int x0;
    int y0;
    std::vector<std::string> rows;
};

namespace board_picture_detail {
constexpr int kDx[4] = {1, 1, 0, -1};
constexpr int kDy[4] = {0, 1, 1, 1};

inline void placeCell(Placed& p, int x, int y, char c, int& stones) {
    if (!onBoard(x, y)) throw std::invalid_argument("a test board reaches off the board");
    int i = cellIndex(x, y);
    if (c == 'X') c = kBlack;
    if (c == 'O') c = kWhite;
    switch (c) {
    case 'b':
    case 'w':
    case 'o':
        p.centre = i;
        if (c == 'o') break;
        c = c == 'b' ? kBlack : kWhite;
        [[fallthrough]];
    case 'B':
    case 'W':
        p.board[i] = c;
        ++stones;
        break;
    default:
        break;
    }
}
} // namespace board_picture_detail

inline Placed line(const std::string& s, int x0 = 2, int y0 = 7, int d = 0) {
    Placed p;
    int stones = 0;
    for (size_t k = 0; k < s.size(); ++k) {
        int n = static_cast<int>(k);
        board_picture_detail::placeCell(p, x0 + n * board_picture_detail::kDx[d],
                                        y0 + n * board_picture_detail::kDy[d], s[k], stones);
    }
    p.board.setMoveCount(static_cast<uint8_t>(stones));
    return p;
}

inline Placed place(const Area& area) {
    Placed p;
    int stones = 0;
    for (size_t r = 0; r < area.rows.size(); ++r)
        for (size_t c = 0; c < area.rows[r].size(); ++c)
            board_picture_detail::placeCell(p, area.x0 + static_cast<int>(c),
                                            area.y0 + static_cast<int>(r), area.rows[r][c], stones);
    p.board.setMoveCount(static_cast<uint8_t>(stones));
    return p;
}

// Cells, move count and last move all equal.
inline bool sameBoard(const BanArray& a, const BanArray& b) {
    return a == b && a.lastMove() == b.lastMove();
}

// A whole board drawn as up to 15 rows of 15 characters in the same alphabet (no mark to
// test); rows not given are empty. The move count is the number of stones, so the side to move
// follows from it; the last move is lastX, lastY (225 when not given).
inline BanArray boardPicture(const std::vector<std::string>& rows, int lastX = -1, int lastY = -1) {
    for ([[maybe_unused]] const std::string& row : rows) assert(row.size() == 15);
    BanArray board = place(Area{0, 0, rows}).board;
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
