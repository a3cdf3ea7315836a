#include "database/book_index.h"

#include "base/geometry.h"
#include "database/symmetry.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace {

// The canonical form of a valid position: black cells (even slots) sorted, then white cells
// sorted. False for a position with a stone off the board or a point used twice, which no
// lookup can match.
bool canonical(const KData& d, uint8_t* out) {
    const int n = d.stoneCount();
    if (!d.isValidPosition()) return false;
    const int blacks = (n + 1) / 2;
    for (int i = 0; i < n; ++i) out[i % 2 == 0 ? i / 2 : blacks + i / 2] = d.stones[i];
    std::sort(out, out + blacks);
    std::sort(out + blacks, out + n);
    return true;
}

uint64_t hashOf(const uint8_t* cells, int n) {
    uint64_t h = 0xcbf29ce484222325ull;
    for (int i = 0; i < n; ++i) h = (h ^ cells[i]) * 0x100000001b3ull;
    // the low bits pick the slot: mix every byte into them
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdull;
    h ^= h >> 33;
    return h;
}

} // namespace

// Entries are read one at a time and only their canonical cells and first move are kept;
// a position seen again later in the file is not indexed, so a lookup finds the first entry in
// file order, as KDataBase::findExact does. The table is rebuilt at twice the size whenever it
// becomes half full.
KdbReadResult BookIndex::read(std::istream& in, int n) {
    *this = BookIndex();
    stones_ = n;
    slots_.assign(1024, 0);
    std::array<uint8_t, kPoints> cells{};
    int32_t stones = 0;
    const KdbReadResult result = readKdbEach(in, n, stones, [&](const KData& entry) {
        ++count_;
        if (!canonical(entry, cells.data())) return;
        const uint64_t hash = hashOf(cells.data(), n);
        const size_t slot = slotOf(cells.data(), hash);
        if (slots_[slot] != 0) return;
        cells_.insert(cells_.end(), cells.begin(), cells.begin() + n);
        moves_.push_back(entry.continuationMove(0));
        slots_[slot] = slotValue(hash, moves_.size());
        if (2 * moves_.size() < slots_.size()) return;
        slots_.assign(2 * slots_.size(), 0);
        for (size_t e = 0; e < moves_.size(); ++e) {
            const uint8_t* c = cells_.data() + e * static_cast<size_t>(n);
            const uint64_t h = hashOf(c, n);
            slots_[slotOf(c, h)] = slotValue(h, e + 1);
        }
    });
    if (result != KdbReadResult::Ok) *this = BookIndex();
    return result;
}

// A slot holds the upper half of the position's hash beside its entry number, so a probe
// reads the entry's cells only when the hashes agree: one memory access per probe.
uint64_t BookIndex::slotValue(uint64_t hash, size_t entry) {
    return (hash & ~uint64_t{0xffffffff}) | static_cast<uint32_t>(entry);
}

size_t BookIndex::slotOf(const uint8_t* cells, uint64_t hash) const {
    const size_t mask = slots_.size() - 1;
    const size_t n = static_cast<size_t>(stones_);
    const uint64_t tag = hash & ~uint64_t{0xffffffff};
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const uint64_t v = slots_[slot];
        if (v == 0) return slot;
        const size_t e = static_cast<uint32_t>(v);
        if ((v & ~uint64_t{0xffffffff}) == tag &&
            (n == 0 || std::memcmp(cells_.data() + (e - 1) * n, cells, n) == 0))
            return slot;
    }
}

uint8_t BookIndex::lookup(const KData& query) const {
    if (moves_.empty() || query.stoneCount() != stones_) return kNoMove;
    std::array<uint8_t, kPoints> cells{};
    for (int s = 0; s < kSymmetries; ++s) {
        if (!canonical(transformed(query, s), cells.data())) continue;
        const uint64_t v = slots_[slotOf(cells.data(), hashOf(cells.data(), stones_))];
        if (v == 0) continue;
        const size_t e = static_cast<uint32_t>(v);
        // A file may hold any byte as a move; only an empty point of the query's own position
        // is an answer the caller can play.
        const uint8_t move = inverseTransformCell(moves_[e - 1], s);
        if (move >= kPoints || query.occupies(move)) return kNoMove;
        return move;
    }
    return kNoMove;
}
