#pragma once

#include "player/strong/line_pattern.h"

#include <cstdint>

// The weights of the strong search's evaluation, fitted to the results of its own games by
// `sorell-tune fit` (tools/tune; docs/tuning.md says how). Changing one changes the fixed-node
// signature of sorell-strong-bench (and the test that pins it). They score positions only:
// which moves a node searches is ranked by search_params' ordering weights.
namespace evaluation_weights {

// A point's value for a colour is the sum of its four line patterns' values (kPatternValue of
// the colour, black first, weakest pattern first), plus a bonus for a four with an open three
// or for two open threes, at most kMaxPointValue.
inline constexpr int16_t kPatternValue[2][kPatCount] = {
    {0, 1, -5, 7, 36, 80, 256, 359, 3000, 0}, // black
    {0, 0, 9, 1, 39, 61, 270, 210, 3000, 0},  // white
};
inline constexpr int kFourThreeBonus[2] = {331, -5};
inline constexpr int kDoubleThreeBonus[2] = {-186, -169};
inline constexpr int kMaxPointValue = 20000;

// A position's value: the side to move's point values summed count kOwnWeightNum /
// kOwnWeightDen of the opponent's, plus these side-to-move terms.
inline constexpr int kOwnWeightNum = 19;
inline constexpr int kOwnWeightDen = 16;
inline constexpr int kOwnThreeBonus = 394;     // the side to move may play an open three
inline constexpr int kTheirThreePenalty = 489; // the opponent has an open three standing
inline constexpr int kTempoBonus = 55;         // the move itself

} // namespace evaluation_weights
