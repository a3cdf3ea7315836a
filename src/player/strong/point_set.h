#pragma once

#include "base/geometry.h"

#include <bit>
#include <cassert>
#include <cstdint>

// A set of board points 0..224, one bit each in four words. Iteration visits the points in
// ascending order.
class PointSet {
  public:
    static constexpr int kWords = (kPoints + 63) / 64;

    bool test(int p) const {
        assert(p >= 0 && p < kPoints);
        return (w_[p >> 6] >> (p & 63)) & 1;
    }
    void set(int p) {
        assert(p >= 0 && p < kPoints);
        w_[p >> 6] |= uint64_t{1} << (p & 63);
    }
    void reset(int p) {
        assert(p >= 0 && p < kPoints);
        w_[p >> 6] &= ~(uint64_t{1} << (p & 63));
    }
    // The lowest point of the set, kNoMove when it is empty.
    int first() const {
        for (int i = 0; i < kWords; ++i)
            if (w_[i]) return 64 * i + std::countr_zero(w_[i]);
        return kNoMove;
    }
    PointSet& operator|=(const PointSet& o) {
        for (int i = 0; i < kWords; ++i) w_[i] |= o.w_[i];
        return *this;
    }
    PointSet& operator&=(const PointSet& o) {
        for (int i = 0; i < kWords; ++i) w_[i] &= o.w_[i];
        return *this;
    }
    friend PointSet operator&(PointSet a, const PointSet& b) { return a &= b; }

    class Iterator {
      public:
        int operator*() const { return 64 * word_ + std::countr_zero(bits_); }
        Iterator& operator++() {
            bits_ &= bits_ - 1;
            skip();
            return *this;
        }
        bool operator!=(const Iterator& o) const { return word_ != o.word_ || bits_ != o.bits_; }

      private:
        friend class PointSet;
        Iterator(const uint64_t* w, int word)
            : w_(w), word_(word), bits_(word < kWords ? w[word] : 0) {
            skip();
        }
        void skip() {
            while (bits_ == 0 && word_ < kWords)
                if (++word_ < kWords) bits_ = w_[word_];
        }
        const uint64_t* w_;
        int word_;
        uint64_t bits_;
    };
    Iterator begin() const { return Iterator(w_, 0); }
    Iterator end() const { return Iterator(w_, kWords); }

  private:
    uint64_t w_[kWords] = {};
};
