#pragma once

#include "model/move_tree.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

// The moves from the root's child to the current node.
std::vector<const MOve*> pathToCurrent(const MOveTree& record);

// The whole tree as text: every node with its move, code, value, comment and selection, and
// the path of the current node. Equal snapshots mean equal records.
std::string snapshot(const MOveTree& record);

// Checks that depth, selections, board cells and history agree with the path from the root to
// the current node; with checkMaps also that the codes and both judgement maps equal those of
// the same line played afresh.
void expectConsistent(const MOveTree& record, bool checkMaps = true);

// Plays "h8 i7 ..." (point texts) alternately from the current node; every move must be placed.
void playLine(MOveTree& record, const std::string& points);
