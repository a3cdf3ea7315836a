#pragma once

#include "base/tdlist.h"

#include <cassert>
#include <utility>
#include <vector>

// A fixed number of buckets, each a tdlist of (key, value) entries in insertion order.
// The bucket of a key is bucketOf(key), by default the key modulo the bucket count.
template <class K, class V> class thash {
  public:
    using Entry = std::pair<K, V>;
    using Bucket = tdlist<Entry>;

    explicit thash(int bucketCount) : buckets_(static_cast<size_t>(bucketCount)) {
        assert(bucketCount > 0);
    }
    virtual ~thash() = default;

    // Index of the bucket that holds key; always within 0..bucketCount() - 1.
    virtual int bucketOf(const K& key) const {
        long long n = static_cast<long long>(buckets_.size());
        long long r = static_cast<long long>(key) % n;
        return static_cast<int>(r < 0 ? r + n : r);
    }

    // Appends (key, value) at the end of its bucket.
    void insert(const K& key, const V& value) {
        buckets_[static_cast<size_t>(bucketOf(key))].pushBack(Entry(key, value));
        ++count_;
    }
    Bucket& bucketFor(const K& key) { return buckets_[static_cast<size_t>(bucketOf(key))]; }
    const Bucket& bucketFor(const K& key) const {
        return buckets_[static_cast<size_t>(bucketOf(key))];
    }
    int bucketCount() const { return static_cast<int>(buckets_.size()); }
    int count() const { return count_; }
    void clear() {
        for (auto& b : buckets_) b.clear();
        count_ = 0;
    }

  private:
    std::vector<Bucket> buckets_;
    int count_ = 0;
};
