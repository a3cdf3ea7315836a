#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

// The positions that some thread of a decision is searching right now, so that the other
// threads search other moves first and come back to these later (a light form of ABDADA's
// deferred moves). Without it the threads of a Lazy SMP search, which order their moves alike,
// search the same subtrees at the same moment and gain little from each other. Lossy and
// lock-free: a slot holds one key, a collision only makes a thread defer a move it need not.
class BusyTable {
  public:
    bool busy(uint64_t key) const {
        return slots_[key & kMask].load(std::memory_order_relaxed) == key;
    }
    void enter(uint64_t key) { slots_[key & kMask].store(key, std::memory_order_relaxed); }
    // Clears the slot unless another position has taken it since.
    void leave(uint64_t key) {
        uint64_t expected = key;
        slots_[key & kMask].compare_exchange_strong(expected, 0, std::memory_order_relaxed);
    }

  private:
    static constexpr size_t kSlots = size_t{1} << 14;
    static constexpr uint64_t kMask = kSlots - 1;
    std::atomic<uint64_t> slots_[kSlots] = {};
};
