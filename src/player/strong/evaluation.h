#pragma once

#include "player/strong/position.h"

// colour has an empty point it may play that gives it at least cls. Black's forbidden points do
// not count: a black three whose straight four would be forbidden threatens nothing.
bool hasPlayable(const Position& pos, Colour colour, int cls);

// colour threatens to win in two moves of its own unless answered now: it may play a straight
// four (an open three stands) or a four with an open three.
inline bool threatensWinInTwo(const Position& pos, Colour colour) {
    return hasPlayable(pos, colour, kClassFourThree);
}

// The static value of a quiet position for the side to move, within the unproven scores;
// theirThreat is threatensWinInTwo of the opponent, for a caller that knows it already.
int evaluate(const Position& pos, bool theirThreat);
inline int evaluate(const Position& pos) {
    return evaluate(pos, threatensWinInTwo(pos, ~pos.side()));
}
