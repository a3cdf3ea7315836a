#pragma once

#include "rules/ban_array.h"

// The one answer every player and tool gives when a search has none (stopped early, or an
// answer that is off the board, occupied or forbidden): the empty point nearest the stones
// (Chebyshev distance; ties to the lowest cell index) that the side to move may play; black's
// forbidden points only when nothing else is empty. kNoMove when the board is full; the lowest
// empty point on an empty board.
int fallbackPoint(const BanArray& board);
