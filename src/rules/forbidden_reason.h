#pragma once

#include "rules/ban_array.h"
#include "rules/move_code.h"

#include <vector>

// One line of a shape: its direction (0 row, 1 diagonal, 2 column, 3 anti-diagonal, as in
// LineWindow) and the own stones that make the shape on it, the judged point included, in
// order along the line.
struct ShapeLine {
    int direction = 0;
    std::vector<int> stones;
};

// Why black may not play a point: the forbidden code and the lines that make it.
struct ForbiddenReason {
    // kCodeForbiddenThree, kCodeForbiddenFour or kCodeForbiddenOverline; kCodeNothing when
    // black may play there (or the point is off the board or holds a white stone).
    MoveCode code = kCodeNothing;
    // The true threes, the fours (a line holding two fours appears once) or the overlines.
    std::vector<ShapeLine> lines;
};

// The reason a black stone at point is forbidden, whether the point is empty or already holds
// that black stone. ChkStat decides the code; the lines are the ones its judgement counted.
// The board is left as it was.
ForbiddenReason forbiddenReason(BanArray& board, int point);

// The run of five stones of colour through point (the point taken as holding that colour), in
// order along the line; an overline's run when there is no five; empty when there is neither.
std::vector<int> fiveThrough(BanArray& board, int point, char colour);
