#pragma once

#include "rules/ban_array.h"
#include "rules/move_code.h"

// ChkStat: "check status", the inherited name of the judge (see docs/glossary.md).
// Judges what a stone makes under renju rules, on a BanArray. A judgement writes stones into
// the board while it runs and restores it exactly before returning, so a board must not be
// judged from two threads at once. Allocates nothing.
class ChkStat {
  public:
    explicit ChkStat(BanArray& board) : board_(board) {}

    // The code of a black (white) stone at point 0..224, whatever the point holds now;
    // kCodeNothing for a point outside the board, which is not touched.
    MoveCode judgeBlack(int point);
    MoveCode judgeWhite(int point);
    // judgeBlack when colour is 'B', else judgeWhite.
    MoveCode judgePoint(int point, char colour);
    // The board's last move, as black when the move count is odd, else as white; kCodeNothing
    // when the board has no last move.
    MoveCode judgeLastMove();
    // isForbiddenCode(judgeBlack(point)).
    bool isForbiddenBlack(int point);
    // Every point at once for colour ('B' or 'W'): codes[i] = judgePoint(i, colour) for each
    // empty point i and kCodeNothing for each occupied one. True when some code wins
    // (isWinCode).
    bool judgeEmptyPoints(char colour, uint8_t codes[kPoints]);
    // The same for the empty points among the count points listed; other codes are left
    // as they are.
    void judgeEmptyPointsOf(char colour, const uint8_t* points, int count, uint8_t codes[kPoints]);
    // isWinCode(judgePoint(point, colour)) for point 0..224, without a whole judgement: a
    // stone there completes exactly five in a line, or for white five or more.
    bool makesFive(int point, char colour) const;

  private:
    BanArray& board_;
};

// The same as ChkStat(board).isForbiddenBlack(point); used by the true-three tests.
bool isForbiddenBlack(BanArray& board, int point);
