#include "player/standard/phase_hash.h"

int PhaseHash::bucketOf(const int32_t& key) const {
    int32_t r = key % bucketCount();
    return r < 0 ? r + bucketCount() : r;
}

int32_t positionKey(const BanArray& board) {
    uint32_t sum = 0;
    for (int p = 0; p < kPoints; ++p) {
        char c = board.at(p);
        if (c == kBlack)
            sum += 1u << cellX(p);
        else if (c == kWhite)
            sum += 1u << (15 + cellX(p));
    }
    auto key = static_cast<int32_t>(sum);
    // -2^31 has no positive counterpart and stays negative.
    if (key < 0 && key != INT32_MIN) key = -key;
    return key;
}
