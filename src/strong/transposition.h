#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

// The main search's transposition table: one entry per bucket, replaced when the new entry is
// deeper or the old one comes from an earlier search. Sized once; clearing is by generation.
class TranspositionTable {
  public:
    enum Bound : uint8_t { kNone, kUpper, kLower, kExact };
    // Trivially constructible, so a new table is not written before the search fills it.
    struct Entry {
        uint64_t key;
        int16_t score;
        uint8_t depth;
        uint8_t bound;
        uint8_t move;
        uint8_t generation;
    };

    // A table of about megabytes MB (at least one entry).
    void resize(size_t megabytes);
    void newSearch() { ++generation_; }
    // The entry for key, or null.
    const Entry* probe(uint64_t key) const {
        const Entry& e = entries_[key & mask_];
        return e.key == key && e.bound != kNone ? &e : nullptr;
    }
    void store(uint64_t key, int score, int depth, Bound bound, int move);
    size_t bytes() const { return (mask_ + 1) * sizeof(Entry); }

  private:
    struct Release {
        size_t align;
        void operator()(Entry* entries) const;
    };
    std::unique_ptr<Entry[], Release> entries_;
    uint64_t mask_ = 0;
    uint8_t generation_ = 0;
};
