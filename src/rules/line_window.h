#pragma once

#include "rules/ban_array.h"

#include <array>
#include <bit>
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
inline int classifyRun(const LineWindow& w);
// Four own stones in five cells of the span.
inline bool hasFour(const LineWindow& w);
// An open window of six (empty at both ends, in the span) holding three (two) own stones.
inline bool hasOpenThree(const LineWindow& w);
inline bool hasOpenTwo(const LineWindow& w);

// Black shape tests on the current direction (meaningful only in a window built for black).
bool isSpoiledFour(const LineWindow& w);
// How many ends of the unbroken four through the centre are spoiled (0, 1 or 2): the end cell
// is empty and one more black stone lies just beyond it, so filling that end makes six.
int spoiledFourEnds(const LineWindow& w);
bool isLineDoubleFour(const LineWindow& w);
bool isSplitFour(const LineWindow& w);
// True three: an unbroken three that one more stone turns into a straight four, whose
// extending point is not itself forbidden for black (judged on w.board, which holds the
// centre stone). isTrueSplitThree: the same for B+BB and BB+B.
bool isTrueThree(const LineWindow& w);
bool isTrueSplitThree(const LineWindow& w);

// The generic tests are read from the bit sets of the window. Cells of the span are own or
// empty, so a group of cells lies inside the span exactly when each of them is own or empty.
namespace line_window_detail {
// For each pattern of own cells (bit j: offset j - 5), bit s set when the `len` cells from
// offset s - 5 + skip on hold exactly `want` own stones.
constexpr std::array<uint8_t, 2048> groupsHolding(int len, int skip, int want) {
    std::array<uint8_t, 2048> t{};
    for (int own = 0; own < 2048; ++own)
        for (int s = 0; s + skip + len <= 11; ++s)
            if (std::popcount(static_cast<unsigned>((own >> (s + skip)) & ((1 << len) - 1))) ==
                want)
                t[static_cast<size_t>(own)] |= static_cast<uint8_t>(1u << s);
    return t;
}
inline constexpr auto kFoursOfFive = groupsHolding(5, 0, 4); // s: first cell of the five
inline constexpr auto kInnerThrees = groupsHolding(4, 1, 3); // s: the open end of a six
inline constexpr auto kInnerTwos = groupsHolding(4, 1, 2);

inline bool isEmptyAt(const LineWindow& w, int k) {
    return k >= -5 && k <= 5 && (w.emptyBits[w.direction] >> (k + 8)) & 1u;
}
// An open window of six, '+' at both ends, holding exactly the table's number of own stones
// inside. Two empty ends put the whole window inside the span.
inline bool hasOpenRun(const LineWindow& w, const std::array<uint8_t, 2048>& inner) {
    const uint32_t empty = w.emptyBits[w.direction] >> 3;
    const uint32_t own = w.ownBits[w.direction] >> 3;
    return (empty & (empty >> 5) & inner[own & 0x7ff]) != 0;
}
} // namespace line_window_detail

inline int classifyRun(const LineWindow& w) {
    using line_window_detail::isEmptyAt;
    const uint32_t own = w.ownBits[w.direction];
    // own cells from +1 up and from -1 down; bits past offset 5 are clear
    const int p = std::countr_one(own >> 9);
    const int m = std::countl_one(own << 24);
    const int n = p + m + 1;
    if (n >= 5) return n;
    if (n == 4 || n == 3) {
        const int open = isEmptyAt(w, p + 1) + isEmptyAt(w, -(m + 1));
        if (open == 2) return -n;
        if (open == 1) return n;
        return -1;
    }
    return 0;
}

// Five cells inside the span holding four own stones.
inline bool hasFour(const LineWindow& w) {
    const uint32_t own = w.ownBits[w.direction] >> 3;
    const uint32_t in = (own | w.emptyBits[w.direction] >> 3) & 0x7ff;
    const uint32_t fiveIn = in & (in >> 1) & (in >> 2) & (in >> 3) & (in >> 4);
    return (fiveIn & line_window_detail::kFoursOfFive[own & 0x7ff]) != 0;
}
inline bool hasOpenThree(const LineWindow& w) {
    return line_window_detail::hasOpenRun(w, line_window_detail::kInnerThrees);
}
inline bool hasOpenTwo(const LineWindow& w) {
    return line_window_detail::hasOpenRun(w, line_window_detail::kInnerTwos);
}
