#pragma once

#include <cstdint>

// What a stone of one colour at one point makes, 0..23, lower is stronger. Where a range is
// given, each open two the stone also makes lowers the code by one from the top of the range.
using MoveCode = int8_t;

inline constexpr MoveCode kCodeOverline = 0;     // white's overline: wins like a five
inline constexpr MoveCode kCodeFive = 1;         // exactly five (for white also five or more)
inline constexpr MoveCode kCodeStraightFour = 2; // a four open at both ends
inline constexpr MoveCode kCodeDoubleFour = 3;   // white's two fours
inline constexpr MoveCode kCodeFourThree = 4;    // a four and a three
inline constexpr MoveCode kCodeFour = 8;         // 5..8: a four
inline constexpr MoveCode kCodeDoubleThree = 11; // 9..11: white's two threes
inline constexpr MoveCode kCodeThree = 15;       // 12..15: a three
inline constexpr MoveCode kCodeNothing = 20;     // 16..20: no three; 20 also occupied or unjudged
inline constexpr MoveCode kCodeForbiddenThree = 21;    // black's forbidden double three
inline constexpr MoveCode kCodeForbiddenFour = 22;     // black's forbidden double four
inline constexpr MoveCode kCodeForbiddenOverline = 23; // black's forbidden overline
inline constexpr int kMoveCodeCount = 24;

// The name of a code for messages and the move history ("長連", "五", "達四", "四四", "四三",
// "四" x4, "三三" x3, "三" x4, "" x5, "三三禁", "四四禁", "長連禁"), UTF-8. Out of range: "".
const char* moveCodeName(int code);

// A five, or white's overline: the move wins.
constexpr bool isWinCode(int c) {
    return c <= kCodeFive;
}
// Black's forbidden moves.
constexpr bool isForbiddenCode(int c) {
    return c >= kCodeForbiddenThree && c <= kCodeForbiddenOverline;
}
// A win, or black's forbidden move (which loses): the game ends with this move.
constexpr bool isEndCode(int c) {
    return isWinCode(c) || c >= kCodeForbiddenThree;
}
// A win, a straight four, or white's double four.
constexpr bool isForcedWinCode(int c) {
    return c <= kCodeDoubleFour;
}
// As isForcedWinCode, or a four-three.
constexpr bool isFourThreeOrBetterCode(int c) {
    return c <= kCodeFourThree;
}
// A plain four (5..8): the other side must answer it.
constexpr bool isFourCode(int c) {
    return c > kCodeFourThree && c <= kCodeFour;
}
// A point the board marks as a threat: a win, white's double four, a four-three or white's
// double three. A straight four and plain fours and threes are not marked.
constexpr bool isWarningCode(int c) {
    return isWinCode(c) || c == kCodeDoubleFour || c == kCodeFourThree ||
           (c > kCodeFour && c <= kCodeDoubleThree);
}
// No four and no three (16..20): a quiet move.
constexpr bool isQuietCode(int c) {
    return c > kCodeThree && c <= kCodeNothing;
}
