#pragma once

#include "rules/ban_array.h"

#include <cstdint>

// The board symmetries about the centre (database/symmetry.h numbering) that carry every stone
// of board onto a stone of the same colour, as a bit mask (bit s for symmetry s; bit 0, the
// identity, is always set).
uint8_t positionSymmetries(const BanArray& board);

// True when one of the symmetries in mask carries point a onto point b (a == b included).
bool equivalentUnder(uint8_t mask, int a, int b);

// The index 0..25 in openings() of the opening whose three stones, under some board symmetry,
// are exactly the stones of board (first three moves: black, white, black); -1 otherwise.
int openingIndexOf(const BanArray& board);
