#pragma once

#include <array>

// The 26 canonical renju openings: black on the centre, white next to it, directly (D1..D13)
// or diagonally (I1..I13), and black's third stone. Points are (x, y) with y = 0 the top row;
// white is to move after them.
struct Opening {
    const char* code; // "D1" .. "I13"
    const char* name; // the Japanese name, UTF-8
    const char* romanised;
    int stones[3][2]; // in the order played
};

inline constexpr int kOpeningCount = 26;
// All 26, direct openings first.
const std::array<Opening, kOpeningCount>& openings();

// The opening's three stones in the order played, as cells 0..224 carried by symmetry s
// (0..7, see symmetry.h; 0 leaves them as they are). Every symmetry gives the same opening.
std::array<int, 3> openingCells(const Opening& opening, int s = 0);
