#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

// The main search's transposition table: one entry per bucket, replaced when the new entry is
// deeper or the old one comes from an earlier search. Sized once; clearing is by generation.
//
// Several search threads share one table without locks. Each bucket is two words, the data and
// the key exclusive-or'ed with the data, each read and written whole (relaxed atomics). A probe
// accepts a bucket only when its two words decode to the probed key, so a bucket torn by two
// threads writing at once reads as a miss (or, with odds of one in 2^64, as another position's
// entry: a search treats the move as a hint and checks that it is empty).
class TranspositionTable {
  public:
    enum Bound : uint8_t { kNone, kUpper, kLower, kExact };
    struct Entry {
        int score = 0;
        int depth = 0;
        Bound bound = kNone;
        int move = 255;
    };

    // A table of about megabytes MB (at least one entry), cleared.
    void resize(size_t megabytes);
    // Begins a search: entries of earlier ones give way to any new one. Not during a search.
    void newSearch() { ++generation_; }
    // Fills out with key's entry and returns true when the table holds one.
    bool probe(uint64_t key, Entry& out) const;
    // Starts loading key's bucket into the cache, for a probe soon after.
    void prefetch(uint64_t key) const { __builtin_prefetch(&buckets_[key & mask_]); }
    void store(uint64_t key, int score, int depth, Bound bound, int move);
    size_t bytes() const { return (mask_ + 1) * sizeof(Bucket); }

  private:
    struct Bucket {
        uint64_t keyXorData;
        uint64_t data; // score 16 bits, depth, bound, move, generation 8 bits each
    };
    struct Release {
        size_t align;
        void operator()(Bucket* buckets) const;
    };
    static uint64_t load(const uint64_t& word) {
        return std::atomic_ref<const uint64_t>(word).load(std::memory_order_relaxed);
    }
    static void save(uint64_t& word, uint64_t value) {
        std::atomic_ref<uint64_t>(word).store(value, std::memory_order_relaxed);
    }
    std::unique_ptr<Bucket[], Release> buckets_;
    uint64_t mask_ = 0;
    uint8_t generation_ = 0;
};
