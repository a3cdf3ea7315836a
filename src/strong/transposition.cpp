#include "strong/transposition.h"

#include <algorithm>
#include <bit>

void TranspositionTable::resize(size_t megabytes) {
    const size_t count =
        std::bit_floor(std::max<size_t>(megabytes * 1024 * 1024 / sizeof(Entry), 1));
    if (entries_ && mask_ + 1 == count) return;
    entries_ = std::make_unique<Entry[]>(count);
    mask_ = count - 1;
}

void TranspositionTable::store(uint64_t key, int score, int depth, Bound bound, int move) {
    Entry& e = entries_[key & mask_];
    const bool same = e.key == key;
    // A deeper entry of this search survives unless the new one is exact.
    if (e.generation == generation_ && e.depth > depth + (same ? 0 : 2) && bound != kExact) return;
    if (!same || move != 255) e.move = static_cast<uint8_t>(move);
    e.key = key;
    e.score = static_cast<int16_t>(score);
    e.depth = static_cast<uint8_t>(std::min(depth, 255));
    e.bound = bound;
    e.generation = generation_;
}
