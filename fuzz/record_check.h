#pragma once

#include "fuzz_check.h"
#include "model/move_tree.h"

#include <string>

// The record's board agrees with the path from the root to the current node: same number of
// moves as the depth, and the same moves in order.
inline void checkRecordConsistent(const MOveTree& record) {
    const BanHistory& history = record.board().history();
    FUZZ_CHECK(static_cast<int>(history.size()) == record.depth());
    FUZZ_CHECK(history.size() <= 225);
    std::string path;
    for (const MOve* node = record.current(); node->parent(); node = node->parent())
        path.insert(0, std::string{char(node->pos.x), char(node->pos.y), char(node->pos.colour)});
    std::string moves;
    for (const MovedPos& m : history) moves += std::string{char(m.x), char(m.y), char(m.colour)};
    FUZZ_CHECK(path == moves);
}

// The moves of the main line, read by walking it from the root (the record ends at its end).
inline std::string mainLine(MOveTree& record) {
    record.GoTopMainLine();
    while (record.Forward()) {
    }
    checkRecordConsistent(record);
    std::string moves;
    for (const MovedPos& m : record.board().history())
        moves += std::string{char(m.x), char(m.y), char(m.colour)};
    return moves;
}
