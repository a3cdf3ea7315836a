#include "player/standard/evaluation.h"

#include "base/diag.h"

// clang-format off
//                                      0  1     2    3    4   5   6   7  8   9  10  11  12  13  14  15  16 17 18 19 20     21     22     23
const int32_t candidateOwnScore[kMoveCodeCount]   = {0, 0, 1000, 800, 100, 14, 12, 10, 8, 28, 26, 24, 22, 16, 12, 10, 10, 8, 6, 4, 0, -1000, -1000, -1000};
const int32_t candidateOtherScore[kMoveCodeCount] = {0, 0,  600, 400,  50, 12, 10,  8, 6, 24, 22, 20, 20, 14, 10,  8,  8, 6, 4, 2, 0,     8,     8,     8};
const int32_t leafOwnScore[kMoveCodeCount]   = {1000, 1000, 150, 110, 50, 16, 14, 12, 10, 30, 28, 26, 18, 16, 14, 12, 5, 4, 3, 2, 0, 0, 0, 0};
const int32_t leafOtherScore[kMoveCodeCount] = { 800,  800, 100,  90, 40, 14, 12, 10,  8, 24, 22, 20, 16, 14, 12, 10, 4, 3, 2, 1, 0, 0, 0, 0};
// clang-format on

using evaluation_detail::code;

void Phase::evaluate() {
    if (depth() % 2 == 1) {
        // Leaves are valued at the maximum depth, which is even, or on a full board.
        diag("Maximun count Error");
        releaseInfo();
        return;
    }
    const BanInfo* info = codes();
    const uint8_t* own = info->sideCodes.data();
    const uint8_t* other = info->otherCodes.data();
    int16_t sum = 0;
    for (int p = 0; p < kPoints; ++p) {
        if (board.at(p) != kEmpty) continue;
        sum =
            static_cast<int16_t>(sum + leafOwnScore[code(own[p])] - leafOtherScore[code(other[p])]);
    }
    // -2500 marks an unvalued node; a leaf that sums to it is valued one above.
    propagate(sum == kUnsetValue ? static_cast<int16_t>(kUnsetValue + 1) : sum);
    releaseInfo();
}
