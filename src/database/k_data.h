#pragma once

#include "base/tvector.h"

#include <cstdint>
#include <vector>

class BanArray;

// One continuation of a database position: the cell index of the stone that follows and a
// number stored with it (read, copied and written back, no other meaning).
struct KDataElement {
    uint8_t move = 15;
    int32_t value = 0;
};

// One database position: its stones (slots 0, 2, 4... black, 1, 3, 5... white, any order
// within a colour), the continuations stored for it (the first is the one a lookup returns)
// and a tag that is only read, copied and written back. Stone and move values may lie outside
// 0..224 when they come from a damaged file; such an entry holds no valid position.
class KData {
  public:
    // n stone slots holding 255 (no point) until set, no continuations, tag 1024.
    explicit KData(int n);
    // The position of a board: stone count = the board's move count; scanning x from 0 to 14
    // and within each x, y from 0 to 14, black cells fill slots 0, 2, 4..., white cells slots
    // 1, 3, 5..., each colour stopping when its next slot would lie beyond the stone count.
    explicit KData(const BanArray& board);

    int stoneCount() const { return stones.size(); }
    int continuationCount() const { return static_cast<int>(continuations.size()); }

    // The move of continuation i; 225 when i lies past the last continuation; 255 (no move)
    // when the entry has no continuations at all.
    uint8_t continuationMove(int i) const;

    // Puts the stones on board in slot order with BanArray::put (so black, white, black...).
    // A stone off the board or on an occupied point is skipped (the board is not touched for
    // it) and the result is false; true when every stone was placed.
    bool placeOn(BanArray& board) const;

    // True when the stone counts are equal, both entries hold valid positions (every stone on
    // the board, no point twice) and they have the same set of black and of white cells, that
    // is, when placing both on empty boards gives equal boards.
    bool samePosition(const KData& other) const;

    // Whether every stone is on the board and no point is used twice.
    bool isValidPosition() const;

    // Whether cell i (0..224) holds one of the stones.
    bool occupies(int cell) const;

    int32_t tag = 1024;
    tvector<uint8_t> stones;
    std::vector<KDataElement> continuations;
};
