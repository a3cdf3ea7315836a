#pragma once

#include "database/openings.h"
#include "database/symmetry.h"
#include "rules/ban_array.h"

#include <string>
#include <vector>

// The three stones in the order played: h8 (black), h7 or i7 (white), the third stone, as
// seen through symmetry 0..7 (0 leaves them as they are; 1..3 turn them by quarter turns,
// 4..7 mirror them first). Every symmetry gives the same opening.
std::vector<int> openingMoves(const Opening& opening, int symmetry = 0);

// The openings named in list: "all", or codes separated by commas ("D1,I13"; case-insensitive).
// False, with the unknown code in bad, when a code is not one of the 26.
bool selectOpenings(const std::string& list, std::vector<Opening>& out, std::string& bad);
