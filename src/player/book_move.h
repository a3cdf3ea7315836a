#pragma once

#include "rules/ban_array.h"

#include <cstdint>
#include <string>

// The one way every player takes a move from the openings book: the answer of the book file
// for the board's stone count in directory (a directory path with or without its trailing
// separator; "" for the current directory) when that answer is an empty point and, for black,
// not a forbidden point; kNoMove otherwise, and the decision goes on to the search. Reads the
// file only when it is not held in memory or has changed (see openingBook).
uint8_t bookMove(const BanArray& board, const std::string& directory);
