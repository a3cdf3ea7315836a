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

// A line window as one colour sees it: the 2 * kReach cells around the centre (not the centre
// itself), each a base-3 digit: empty, own stone, or blocked (the other colour's stone or off
// the board). Offset -kReach is the lowest digit, +kReach the highest.
enum LineCell : uint32_t { kCellEmpty = 0, kCellOwn = 1, kCellBlocked = 2 };
inline constexpr int kReach = 5;
inline constexpr uint32_t kLineKeys = 59049; // 3 ^ (2 * kReach)

// The digit position of the cell at offset (-kReach..kReach, not 0) from the centre.
constexpr int keyDigit(int offset) {
    return offset < 0 ? offset + kReach : offset + kReach - 1;
}
constexpr uint32_t power3(int n) {
    return n == 0 ? 1 : 3 * power3(n - 1);
}

// The pattern a stone of colour (0 black, 1 white) makes at the centre of a window key of that
// colour's view. Built once, on first use, and read-only afterwards.
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
    int16_t order = 0;   // the point's weight in move ordering for the colour
    uint8_t cls = 0;     // PointClass
    uint8_t suspect = 0; // black only: may be forbidden, ask the rules
};

// Index of four direction patterns into the combination table.
constexpr uint32_t comboIndex(const uint8_t pats[4]) {
    return pats[0] + kPatCount * (pats[1] + kPatCount * (pats[2] + kPatCount * pats[3]));
}
inline constexpr uint32_t kComboCount = kPatCount * kPatCount * kPatCount * kPatCount;
// The combination table of colour (0 black, 1 white), kComboCount entries.
const PointInfo* pointInfoTable(int colour);
