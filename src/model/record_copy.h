#pragma once

#include "model/move_tree.h"

#include <memory>

// Makes target a full copy of source: the tree with values, comments, selections, codes and
// recorded map changes, the same current node, header, commentMode, board, keptHistory,
// recordFormat and game information. The copy shares no node with the source. Copying a
// record onto itself changes nothing.
void assignRecord(MOveTree& target, const MOveTree& source);
// A new record that is a full copy of source.
std::unique_ptr<MOveTree> cloneRecord(const MOveTree& source);
