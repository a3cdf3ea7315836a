#pragma once

#include <cstdint>

// What a stone of one colour at one point makes, 0..23, lower is stronger:
// 0 white overline, 1 five, 2 straight four, 3 double four (white), 4 four-three,
// 5..8 four, 9..11 double three (white), 12..15 three, 16..20 nothing (20 also occupied or
// not judged), 21..23 black's forbidden double three, double four and overline.
using MoveCode = int8_t;

inline constexpr MoveCode kCodeNothing = 20;
inline constexpr MoveCode kCodeForbiddenThree = 21;
inline constexpr MoveCode kCodeForbiddenFour = 22;
inline constexpr MoveCode kCodeForbiddenOverline = 23;

// The name of a code for messages and the move history ("長連", "五", "達四", "四四", "四三",
// "四" x4, "三三" x3, "三" x4, "" x5, "三三禁", "四四禁", "長連禁"), UTF-8. Out of range: "".
const char* moveCodeName(int code);

// A five, or white's overline: the move wins.
constexpr bool isWinCode(int c) {
    return c < 2;
}
// A win, or black's forbidden move (which loses): the game ends with this move.
constexpr bool isEndCode(int c) {
    return c < 2 || c >= 21;
}
// A win, a straight four, or white's double four.
constexpr bool isForcedWinCode(int c) {
    return c < 4;
}
// As isForcedWinCode, or a four-three.
constexpr bool isFourThreeOrBetterCode(int c) {
    return c < 5;
}
// Black's forbidden moves.
constexpr bool isForbiddenCode(int c) {
    return c >= 21 && c < 24;
}
