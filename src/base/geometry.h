#pragma once

#include <cstdint>
#include <string>

// The 15 x 15 board: x is the column and y the row, both 0..14, (0, 0) at the top left.
inline constexpr int kBoardSize = 15;
inline constexpr int kPoints = 225;
// "No point" in the rules' boards (last move of an empty board).
inline constexpr int kNoPoint = 225;
// "No move" in the results of the computer player and the database.
inline constexpr int kNoMove = 255;

// Cell and colour characters.
inline constexpr char kBlack = 'B';
inline constexpr char kWhite = 'W';
inline constexpr char kEmpty = '+';
inline constexpr char kOffBoard = '*';

// Column letters at 0..14, row characters at 15..29.
inline constexpr const char kPointChars[] = "abcdefghijklmno123456789ABCDEF";

// One move without judgement. Two Pos are the same move only when all three bytes are equal.
struct Pos {
    uint8_t x = 0;
    uint8_t y = 0;
    uint8_t colour = kBlack;
    friend bool operator==(const Pos&, const Pos&) = default;
};

// One entry of a move history: the move and the MoveCode it made (20: not judged / nothing).
struct MovedPos {
    uint8_t x = 0;
    uint8_t y = 0;
    uint8_t colour = kBlack;
    uint8_t code = 20;
    Pos pos() const { return Pos{x, y, colour}; }
    friend bool operator==(const MovedPos&, const MovedPos&) = default;
};

// Copies the three values unchanged, no range check.
constexpr Pos makePos(int x, int y, char colour) {
    return Pos{static_cast<uint8_t>(x), static_cast<uint8_t>(y), static_cast<uint8_t>(colour)};
}

constexpr int cellIndex(int x, int y) {
    return x + kBoardSize * y;
}
constexpr int cellX(int index) {
    return index % kBoardSize;
}
constexpr int cellY(int index) {
    return index / kBoardSize;
}
constexpr bool onBoard(int x, int y) {
    return x >= 0 && x < kBoardSize && y >= 0 && y < kBoardSize;
}
// The board's centre point (h8), where the first stone goes.
inline constexpr int kCentrePoint = cellIndex(kBoardSize / 2, kBoardSize / 2);

// 'B' when the count of moves already on the board is even, else 'W'.
constexpr char colourToMove(int moveCount) {
    return moveCount % 2 == 0 ? kBlack : kWhite;
}
constexpr char otherColour(char c) {
    return c == kBlack ? kWhite : kBlack;
}

// Two lowercase letters 'a' + x, 'a' + y ("hh" for the centre).
std::string recordLetters(int x, int y);
// Reads two record letters back as c - 'a' each, without a range check.
void recordLettersToXY(char cx, char cy, int& x, int& y);

// Column letter from "abcdefghijklmno", row character from "123456789ABCDEF" ("h8" for the
// centre). x and y must be 0..14.
std::string pointText(int x, int y);
// Reads a point text: column letter in either case, then a row character. False when either
// character is not one of the tables'.
bool pointTextToXY(char column, char row, int& x, int& y);

// (x + 1) * 100 + (y + 1): 808 for the centre.
constexpr int moveNumber(int x, int y) {
    return (x + 1) * 100 + (y + 1);
}
// The point of a move number; false (x, y untouched) unless n / 100 and n % 100 are 1..15.
bool moveNumberToXY(int n, int& x, int& y);
