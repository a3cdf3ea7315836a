#pragma once

#include <cstdint>

// What a stone of one colour at a point makes in one line, judged from the five cells on each
// side, weakest first. For black a run of six or more is an overline (forbidden), and only an
// exact five counts as five; for white every run of five or more is a five.
enum LinePattern : uint8_t {
    kPatNone,      // no five can ever pass through the point in this line
    kPatOne,       // a five is still possible
    kPatTwo,       // one more stone makes a closed three
    kPatTwoOpen,   // one more stone makes an open three
    kPatThree,     // one more stone makes a four
    kPatThreeOpen, // one more stone makes a straight four (or two fours in the line)
    kPatFour,      // one point completes a five
    kPatFourOpen,  // two or more points complete a five
    kPatFive,
    kPatOverline,
    kPatCount
};

// The cells of a line window: two bits each, empty, black, white, off the board.
enum LineCell : uint32_t { kCellEmpty = 0, kCellBlack = 1, kCellWhite = 2, kCellWall = 3 };

// Half width of the window; a key holds the 2 * kReach cells around the centre (not the
// centre itself), offset -kReach at bits 0-1 up to offset +kReach at the top.
inline constexpr int kReach = 5;
inline constexpr int kKeyBits = 4 * kReach;

// The bit position of the cell at offset (-kReach..kReach, not 0) from the centre.
constexpr int keyShift(int offset) {
    return 2 * (offset < 0 ? offset + kReach : offset + kReach - 1);
}

// The pattern a stone of colour (0 black, 1 white) makes at the centre of the window key.
// The tables are built once, on first use, and are read-only afterwards.
const uint8_t* linePatternTable(int colour);

// A point's four line patterns combined: its threat class and its value for one colour.
enum PointClass : uint8_t {
    kClassNone,
    kClassThree,       // makes one open three
    kClassDoubleThree, // two or more open threes
    kClassFour,        // one four
    kClassFourThree,   // a four and an open three
    kClassFlexFour,    // a straight four or two fours: two points complete a five
    kClassFive,
    kClassCount
};

struct PointInfo {
    int16_t value = 0;   // evaluation weight of the point for the colour
    uint8_t cls = 0;     // PointClass
    uint8_t suspect = 0; // black only: may be forbidden, ask the rules
};

// Index of four direction patterns into the combination table.
constexpr uint32_t comboIndex(const uint8_t pats[4]) {
    return pats[0] | pats[1] << 4 | pats[2] << 8 | pats[3] << 12;
}
// The combination table of colour (0 black, 1 white), 1 << 16 entries.
const PointInfo* pointInfoTable(int colour);
