#pragma once

#include "rules/ban_array.h"

#include <string>

// What one move does to a renju game, judged by the rules library.
enum class MoveVerdict {
    Continue,  // a legal move; the game goes on
    Win,       // a five (or white's overline): the mover wins
    Forbidden, // black's double three, double four or overline: black loses
    Illegal,   // off the board or on a stone: the mover loses
    FullBoard, // the last empty point was filled without a win: a draw
};

// Judges the move of the side to move (by the board's move count) at x, y and, unless it is
// illegal, puts the stone.
MoveVerdict playMove(BanArray& board, int x, int y);

enum class Outcome { BlackWins, WhiteWins, Draw };

// "1-0", "0-1" or "1/2".
const char* outcomeText(Outcome outcome);
