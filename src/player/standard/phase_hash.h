#pragma once

#include "base/thash.h"
#include "rules/ban_array.h"

#include <cstdint>

class Phase;

// The nodes of one depth of the search, by positionKey of their boards. Entries are only added;
// a bucket keeps its entries in insertion order. The nodes are not owned.
class PhaseHash : public thash<int32_t, Phase*> {
  public:
    explicit PhaseHash(int32_t buckets) : thash(buckets) {}
    // The key modulo the bucket count (a negative key, which only -2^31 can be, is brought into
    // range).
    int bucketOf(const int32_t& key) const override;
};

// The sum over all stones of 2^x for a black stone and 2^(15 + x) for a white one (x the
// column), wrapping in 32 bits; a negative sum is negated. Equal keys do not mean equal boards.
int32_t positionKey(const BanArray& board);
