#pragma once

#include "rules/ban_array.h"

#include <array>
#include <cstdint>

// BanInfo: "board information" (see docs/glossary.md).
// The point-code maps of one position: the MoveCode of every point for the side to move and
// for the other side (kCodeNothing on occupied points), and for each side a flag saying that some
// empty point would make five (isWinCode). The side to move is black when the board's move count is
// even.
class BanInfo {
  public:
    // Both maps all kCodeNothing, both flags 0.
    BanInfo();
    BanInfo(const BanInfo&) = default;
    BanInfo& operator=(const BanInfo&) = default;

    // Judges every empty point for black and then white; returns the two flags or-ed.
    int computeFull(BanArray& board);
    // Takes the parent's maps with the sides exchanged (after one move the side to move
    // changes).
    void copySwapped(const BanInfo& parent);
    // After the board's last move: that point becomes kCodeNothing, and for black and then white
    // the empty points of the four spans through it are judged again; the flags are recomputed from
    // the whole maps. Other points keep their codes. Returns the two flags or-ed.
    int updateIncremental(BanArray& board);

    std::array<uint8_t, kPoints> sideCodes;  // side to move
    std::array<uint8_t, kPoints> otherCodes; // the other side
    uint8_t sideWin = 0;
    uint8_t otherWin = 0;
};
