#pragma once

#include "rules/ban_array.h"

#include <QString>

#include <vector>

class BanHistory;
class QPainter;

// The board of a line, built once, and whether its last move ended the game.
struct JudgedPosition {
    explicit JudgedPosition(const BanHistory& moves);
    bool blackToMove() const { return board.moveCount() % 2 == 0 && !over; }

    BanArray board;
    bool over = false;
};

// Black's forbidden points and the stones that decided a game, for the board and its tooltips.

// The points where black may not play, while black is to move in a game that is not over;
// empty otherwise.
std::vector<int> forbiddenPoints(const BanHistory& moves);
std::vector<int> forbiddenPoints(JudgedPosition& position);
// Why black may not play point now, naming the rule and the lines, for example
// "三三禁: h8 で三が二つ (g8·h8·i8 と h7·h8·h9)"; empty when black may play there or it is not
// black's turn.
QString forbiddenExplanation(const BanHistory& moves, int point);
// When the last move ended the game: its five (or white's overline), or the lines of black's
// forbidden move. Empty otherwise.
std::vector<int> decidingStones(const BanHistory& moves);
std::vector<int> decidingStones(JudgedPosition& position);

// A point's name as the board's axes write it: "h8", "jA".
QString pointName(int point);

// A small red cross on the empty point (x, y).
void DrawForbiddenMark(QPainter& canvas, int x, int y);
// A ring inside the stone at (x, y).
void DrawDecidingMark(QPainter& canvas, int x, int y);
