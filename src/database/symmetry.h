#pragma once

#include "database/k_data.h"

#include <cstdint>

// The eight symmetries of the board about its centre point (rotations and reflections). A cell
// (x, y) is taken as (p, q) = (x - 7, y - 7) and mapped by symmetry s to:
//   0 (p, q)   1 (-q, -p)   2 (-p, -q)   3 (q, -p)   4 (-q, p)   5 (-p, q)   6 (q, p)   7 (p, -q)
// Every symmetry is its own inverse except 3 and 4, which are each other's inverse.
inline constexpr int kSymmetries = 8;

// The cell that symmetry s (0..7) carries cell to. A cell outside 0..224 gives 255.
uint8_t transformCell(int cell, int s);

// The cell that the inverse of symmetry s carries cell to: transformCell(inverseTransformCell
// (c, s), s) == c for every cell on the board. A cell outside 0..224 gives 255.
uint8_t inverseTransformCell(int cell, int s);

// A copy of d (tag and continuations unchanged) whose every stone is carried by symmetry s;
// the slot order, and so the colours, stay as they were.
KData transformed(const KData& d, int s);
