#include "strong/transposition.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {
constexpr size_t kHugePage = size_t{2} << 20;
} // namespace

void TranspositionTable::Release::operator()(Entry* entries) const {
    ::operator delete[](entries, std::align_val_t(align));
}

void TranspositionTable::resize(size_t megabytes) {
    const size_t count =
        std::bit_floor(std::max<size_t>(megabytes * 1024 * 1024 / sizeof(Entry), 1));
    if (entries_ && mask_ + 1 == count) return;
    entries_.reset(); // the old table goes before the new one is made
    // The probes land anywhere in the table: on Linux a table of whole huge pages asks for
    // them, so that a probe seldom misses the address cache. The table is cleared here, which
    // also faults its pages in now rather than in the middle of a timed search (the system
    // may take milliseconds to find a huge page).
    const size_t bytes = count * sizeof(Entry);
    const size_t align = bytes >= kHugePage ? kHugePage : alignof(Entry);
    void* memory = ::operator new[](bytes, std::align_val_t(align));
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    if (align == kHugePage) madvise(memory, bytes, MADV_HUGEPAGE);
#endif
    std::memset(memory, 0, bytes);
    entries_ = std::unique_ptr<Entry[], Release>(static_cast<Entry*>(memory), Release{align});
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
