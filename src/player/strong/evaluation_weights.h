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
    {0, 2, -4, -9, 12, 96, 192, 244, 3000, 0}, // black
    {0, 2, 4, -14, 29, 99, 253, 132, 3000, 0}, // white
};
inline constexpr int kFourThreeBonus[2] = {543, 34};
inline constexpr int kDoubleThreeBonus[2] = {-187, -136};
inline constexpr int kMaxPointValue = 20000;

// A point's two strongest line patterns, when both are from kPatTwo to kPatFourOpen, add the
// value of their pair: what the two lines make together beyond their sum (pairIndex).
inline constexpr int kPairCount = 21;
constexpr int pairIndex(int strong, int weak) {
    const int a = strong - kPatTwo, b = weak - kPatTwo;
    return a * (a + 1) / 2 + b;
}
// The pair of a point's four patterns, -1 when it has none.
constexpr int pointPair(const uint8_t pats[4]) {
    int strong = -1, weak = -1;
    for (int d = 0; d < 4; ++d) {
        const int p = pats[d] <= kPatFourOpen ? pats[d] : -1;
        if (p > strong) {
            weak = strong;
            strong = p;
        } else if (p > weak) {
            weak = p;
        }
    }
    return weak >= kPatTwo ? pairIndex(strong, weak) : -1;
}
inline constexpr int16_t kPairValue[2][kPairCount] = {
    {-18, 16,  39,  11,   73,  103, 7,   104, 126,  -1,  98,
     371, 325, 212, -358, 165, 350, 354, -22, -767, -639}, // black
    {7,   32,  53, 13,   86,  13,  -34, 58,   33,   33,  86,
     196, 174, 39, -889, 112, 291, 12,  -479, -425, -914}, // white
};

// A position's value: the side to move's point values summed count kOwnWeightNum /
// kOwnWeightDen of the opponent's, plus these side-to-move terms.
inline constexpr int kOwnWeightNum = 20;
inline constexpr int kOwnWeightDen = 16;
inline constexpr int kOwnThreeBonus = 234;     // the side to move may play an open three
inline constexpr int kTheirThreePenalty = 847; // an open three or four-three of the opponent's
inline constexpr int kTempoBonus = 61;         // the move itself

} // namespace evaluation_weights
