#pragma once

#include "model/move_tree.h"

#include <string>

// The clipboard text of the record's current line: the point text and ',' of every move on
// the board, oldest first, then "**," ("h8,i7,**,"; "**," for an empty board).
std::string currentLineMoveText(const MOveTree& record);
