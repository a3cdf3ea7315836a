#pragma once

#include "model/move_node.h"

#include <vector>

// One row of the record as players read it (see recordOutline).
struct OutlineRow {
    const MOve* node = nullptr;
    // The row this one is nested under; -1 for the rows of the main line.
    int parent = -1;
    // The move's number in the game (0 for the root, the empty board).
    int moveNumber = 0;
    // The first move of a variation, as opposed to a move that continues a line.
    bool variationStart = false;
};

// The whole record tree as rows, in reading order: the root and the main line at the top level;
// after each move, the variations that leave the line there, nested under that move's row.
// A variation's first move is nested under the move it follows; its further moves are nested
// under that first move, and its own variations under their moves in the same way. Every node
// is one row.
std::vector<OutlineRow> recordOutline(const MOve& root);

// Whether node is root or one of its descendants (compares addresses only, so a pointer to a
// node that was since deleted is answered without being read).
bool isInTree(const MOve& root, const MOve* node);
// The child indices from root down to node; false, path empty, when node is not in the tree.
bool pathTo(const MOve& root, const MOve* node, std::vector<int>& path);
