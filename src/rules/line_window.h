#pragma once

#include "rules/ban_array.h"

#include <cstdint>

struct BoardLines;

// The four lines through one point (row, diagonal, column, anti-diagonal), each cut to five
// cells either side, as one colour sees them. Off-board cells, and every cell past the first
// stone of the other colour, read as the blocker. The centre always reads as own. The window
// copies what it reads, so later changes to the board do not affect it.
struct LineWindow {
    // Builds the window for colour own ('B' or 'W') at cell index centre of board. A centre
    // outside 0..224 gives a window that reads nothing from the board (every span empty).
    LineWindow(char own, int centre, BanArray& board);
    // The same window taken from lines, the line bit sets of board for colour own (which
    // must be equal to the board's cells except at the centre); centre must be 0..224.
    LineWindow(char own, int centre, BanArray& board, const BoardLines& lines);

    // Cell at offset k (-5..5) of the current direction; blocker for any other k.
    char cell(int k) const {
        if (k < -5 || k > 5) return blocker;
        if ((ownBits[direction] >> (k + 8)) & 1u) return own;
        return (emptyBits[direction] >> (k + 8)) & 1u ? kEmpty : blocker;
    }
    int spanLength() const { return right[direction] - left[direction] + 1; }
    // Cell index of the board point at offset k of the current direction (must be on the
    // board, as every cell of the span is).
    int pointAt(int k) const;

    int32_t direction = 0; // 0 row, 1 diagonal, 2 column, 3 anti-diagonal; set before each test
    int32_t x = 0, y = 0;
    char own;
    char blocker;
    BanArray& board;
    int32_t right[4];   // highest offset reached on the + side, 0..5
    int32_t left[4];    // lowest offset reached on the - side, -5..0
    int32_t stones[4];  // own stones in left..right, the centre included
    int32_t empties[4]; // empty cells in left..right
    // The same cells as bit sets: bit k + 8 is set when the cell at offset k (-5..5) is own
    // (ownBits) or empty (emptyBits); every other bit is clear.
    uint32_t ownBits[4];
    uint32_t emptyBits[4];
};

// Generic line tests on the current direction, for either colour.
// Length n of the unbroken run through the centre: n >= 5 gives n; n of 3 or 4 gives -n with
// both ends empty, n with one, -1 with none; n <= 2 gives 0.
int classifyRun(const LineWindow& w);
bool hasFour(const LineWindow& w);
bool hasOpenThree(const LineWindow& w);
bool hasOpenTwo(const LineWindow& w);

// Black shape tests on the current direction (meaningful only in a window built for black).
bool isSpoiledFour(const LineWindow& w);
bool isLineDoubleFour(const LineWindow& w);
bool isSplitFour(const LineWindow& w);
// True three: an unbroken three that one more stone turns into a straight four, whose
// extending point is not itself forbidden for black (judged on w.board, which holds the
// centre stone). isTrueSplitThree: the same for B+BB and BB+B.
bool isTrueThree(const LineWindow& w);
bool isTrueSplitThree(const LineWindow& w);
