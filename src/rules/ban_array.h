#pragma once

#include "base/geometry.h"
#include "base/tvector.h"

#include <array>
#include <cassert>
#include <cstdint>

class BanHistory;

// "Ban" is the inherited word for board (see docs/glossary.md).
// The compact board of the rules, the search and the database: 225 cells ('+', 'B', 'W'),
// index x + 15 * y, the number of stones placed through this object and the last move
// (225 when none).
class BanArray {
  public:
    // Empty board: all '+', move count 0, last move 225.
    BanArray();
    // Each entry's own colour written into its cell, in order; last move = the last entry.
    explicit BanArray(const BanHistory& history);
    BanArray(const BanArray&) = default;
    BanArray& operator=(const BanArray&) = default;

    // Same move count and the same 225 cells.
    bool operator==(const BanArray& other) const;

    // Puts the colour to move ('B' when the move count is even) at index i. False, changing
    // nothing, when the cell is not empty.
    bool put(int i);

    // Checked cell access: a bad index writes the array diagnostic and reaches a scratch cell
    // outside the board.
    char& operator[](int i) {
        if (i >= 0 && i < kPoints) return cells_[static_cast<size_t>(i)];
        return outOfRange(i);
    }
    char operator[](int i) const {
        if (i >= 0 && i < kPoints) return cells_[static_cast<size_t>(i)];
        return outOfRange(i);
    }
    // Unchecked read for the hot paths; i must be 0..224.
    char at(int i) const {
        assert(i >= 0 && i < kPoints);
        return cells_.data()[i];
    }
    // The 225 cells as one unchecked array, for the hot paths.
    const char* cellData() const { return cells_.data(); }
    // Unchecked write for the hot paths (the judgements' temporary stones); i must be 0..224.
    void setAt(int i, char c) {
        assert(i >= 0 && i < kPoints);
        cells_.data()[i] = c;
    }

    uint8_t moveCount() const { return moveCount_; }
    uint8_t lastMove() const { return lastMove_; }
    void setMoveCount(uint8_t n) { moveCount_ = n; }
    void setLastMove(uint8_t i) { lastMove_ = i; }

  private:
    static char& outOfRange(int i);

    std::array<char, kPoints> cells_;
    uint8_t moveCount_ = 0;
    uint8_t lastMove_ = kNoPoint;
};
