#pragma once

#include "player/standard/phase.h"
#include "rules/move_code.h"

#include <cstdint>

// Tables indexed by MoveCode 0..23 (occupied points carry 20). A candidate scores
// candidateOwnScore[code of the side to move] + candidateOtherScore[code of the other side];
// a leaf is worth the sum over the empty points of leafOwnScore[own] - leafOtherScore[other].
// Fives score nothing as candidates: a node where either side can make five gets its one
// forced child before candidates are scored.
extern const int32_t candidateOwnScore[kMoveCodeCount];
extern const int32_t candidateOtherScore[kMoveCodeCount];
extern const int32_t leafOwnScore[kMoveCodeCount];
extern const int32_t leafOtherScore[kMoveCodeCount];

namespace evaluation_detail {
// Codes come from the rules and are always 0..23; anything else scores as "nothing".
inline int code(uint8_t c) {
    return c < kMoveCodeCount ? c : kCodeNothing;
}
} // namespace evaluation_detail

template <class Queue> void Phase::scoreCandidates(Queue& queue) {
    using evaluation_detail::code;
    const BanInfo* info = codes();
    const uint8_t* own = info->sideCodes.data();
    const uint8_t* other = info->otherCodes.data();
    for (int x = 0; x < kBoardSize; ++x) {
        for (int y = 0; y < kBoardSize; ++y) {
            const int p = cellIndex(x, y);
            if (board.at(p) != kEmpty) continue;
            const auto score = static_cast<int16_t>(candidateOwnScore[code(own[p])] +
                                                    candidateOtherScore[code(other[p])]);
            queue.push(pos_value{static_cast<uint8_t>(p), score});
        }
    }
}
