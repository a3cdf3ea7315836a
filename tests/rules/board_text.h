#pragma once

#include "rules/ban_array.h"

#include <string>

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

// A board from 15 rows of 15 characters with the same alphabet (centre optional).
Placed picture(const char* const rows[15]);

// Cells, move count and last move all equal.
bool sameBoard(const BanArray& a, const BanArray& b);
