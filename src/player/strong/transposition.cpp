#include "player/strong/transposition.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {
constexpr size_t kHugePage = size_t{2} << 20;

struct Fields {
    int16_t score;
    uint8_t depth, bound, move, generation;
};

uint64_t pack(const Fields& f) {
    return static_cast<uint16_t>(f.score) | uint64_t{f.depth} << 16 | uint64_t{f.bound} << 24 |
           uint64_t{f.move} << 32 | uint64_t{f.generation} << 40;
}

Fields unpack(uint64_t d) {
    return {static_cast<int16_t>(d & 0xffff), static_cast<uint8_t>(d >> 16),
            static_cast<uint8_t>(d >> 24), static_cast<uint8_t>(d >> 32),
            static_cast<uint8_t>(d >> 40)};
}
} // namespace

void TranspositionTable::Release::operator()(Bucket* buckets) const {
    ::operator delete[](buckets, std::align_val_t(align));
}

void TranspositionTable::resize(size_t megabytes) {
    const size_t count =
        std::bit_floor(std::max<size_t>(megabytes * 1024 * 1024 / sizeof(Bucket), 1));
    if (buckets_ && mask_ + 1 == count) return;
    buckets_.reset(); // the old table goes before the new one is made
    // The probes land anywhere in the table: on Linux a table of whole huge pages asks for
    // them, so that a probe seldom misses the address cache. The table is cleared here, which
    // also faults its pages in now rather than in the middle of a timed search (the system
    // may take milliseconds to find a huge page).
    const size_t bytes = count * sizeof(Bucket);
    const size_t align = bytes >= kHugePage ? kHugePage : alignof(Bucket);
    void* memory = ::operator new[](bytes, std::align_val_t(align));
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    if (align == kHugePage) madvise(memory, bytes, MADV_HUGEPAGE);
#endif
    std::memset(memory, 0, bytes);
    buckets_ = std::unique_ptr<Bucket[], Release>(static_cast<Bucket*>(memory), Release{align});
    mask_ = count - 1;
}

bool TranspositionTable::probe(uint64_t key, Entry& out) const {
    const Bucket& b = buckets_[key & mask_];
    const uint64_t data = load(b.data);
    if ((load(b.keyXorData) ^ data) != key) return false;
    const Fields f = unpack(data);
    if (f.bound == kNone) return false;
    out = Entry{f.score, f.depth, static_cast<Bound>(f.bound), f.move};
    return true;
}

void TranspositionTable::store(uint64_t key, int score, int depth, Bound bound, int move) {
    Bucket& b = buckets_[key & mask_];
    const uint64_t oldData = load(b.data);
    const Fields old = unpack(oldData);
    const bool same = (load(b.keyXorData) ^ oldData) == key;
    // A deeper entry of this search survives unless the new one is exact.
    if (old.generation == generation_ && old.depth > depth + (same ? 0 : 2) && bound != kExact)
        return;
    const Fields f{static_cast<int16_t>(score), static_cast<uint8_t>(std::min(depth, 255)),
                   static_cast<uint8_t>(bound),
                   static_cast<uint8_t>(!same || move != 255 ? move : old.move), generation_};
    const uint64_t data = pack(f);
    save(b.data, data);
    save(b.keyXorData, key ^ data);
}
