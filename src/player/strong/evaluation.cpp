#include "player/strong/evaluation.h"

#include "player/strong/evaluation_weights.h"
#include "player/strong/search_params.h"

#include <algorithm>

using namespace evaluation_weights;
using search_params::kWinBound;

bool hasPlayable(const Position& pos, Colour colour, int cls) {
    if (pos.countAtLeast(colour, cls) == 0) return false;
    if (colour == Colour::White || pos.countAtLeast(Colour::Black, kClassFive)) return true;
    for (int c = cls; c < kClassFive; ++c)
        for (const int p : pos.pointsOfClass(Colour::Black, c))
            if (!pos.forbidden(p)) return true;
    return false;
}

// Both colours' line patterns summed over the empty points (the point values of the pattern
// tables), from the side to move, with a bonus for the move itself: a side to move with an
// open three or a four threat is a tempo ahead of the same shapes for the opponent, and an
// opponent's open three or four-three must be answered at once.
int evaluate(const Position& pos, bool theirThreat) {
    const Colour us = pos.side(), them = ~us;
    int score = pos.valueSum(us) * kOwnWeightNum / kOwnWeightDen - pos.valueSum(them);
    if (hasPlayable(pos, us, kClassThree)) score += kOwnThreeBonus;
    if (theirThreat) score -= kTheirThreePenalty;
    return std::clamp(score + kTempoBonus, -kWinBound + 1, kWinBound - 1);
}
