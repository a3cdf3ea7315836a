#pragma once

#include "rules/ban_array.h"

#include <string>
#include <vector>

// Boards for the tests, written as text.
//
// line(s, x0, y0, d): the characters of s laid along direction d (0 row, 1 diagonal, 2 column,
// 3 anti-diagonal) from (x0, y0): '.' or '+' empty, 'B' and 'W' stones, and one centre marked
// 'b' or 'w' (a stone of that colour, the point to test) or 'o' (an empty point to test).
// Everything else on the board is empty; the move count is the number of stones.
struct Placed {
    BanArray board;
    int centre = -1;
};
Placed line(const std::string& s, int x0 = 2, int y0 = 7, int d = 0);

// A part of a board in the same alphabet: rows of characters, the first one at (x0, y0).
// Everything else is empty; the centre mark is optional.
struct Area {
    int x0;
    int y0;
    std::vector<std::string> rows;
};
Placed place(const Area& area);

// Cells, move count and last move all equal.
bool sameBoard(const BanArray& a, const BanArray& b);
