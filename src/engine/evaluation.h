#pragma once

#include <cstdint>

// Tables indexed by MoveCode 0..23 (occupied points carry 20). A candidate scores
// candidateOwnScore[code of the side to move] + candidateOtherScore[code of the other side];
// a leaf is worth the sum over the empty points of leafOwnScore[own] - leafOtherScore[other].
// Fives score nothing as candidates: a node where either side can make five gets its one
// forced child before candidates are scored.
extern const int32_t candidateOwnScore[24];
extern const int32_t candidateOtherScore[24];
extern const int32_t leafOwnScore[24];
extern const int32_t leafOtherScore[24];
