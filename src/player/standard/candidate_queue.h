#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

// One candidate move: a point 0..224 and its score. Candidates compare by score only.
struct pos_value {
    uint8_t point = 0;
    int16_t score = 0;
    friend bool operator<(const pos_value& a, const pos_value& b) { return a.score < b.score; }
    friend bool operator>(const pos_value& a, const pos_value& b) { return a.score > b.score; }
};

// The candidate max-heap of the search, an array heap (the children of entry i at 2i + 1 and
// 2i + 2). The order among equal scores is part of the behaviour of the search, so the
// exchange rules are fixed: a value moves up only past a strictly smaller parent, so a newer
// value stays behind an older equal one; moving down, the right child is taken unless the left
// one is strictly greater, and a value is exchanged only with a strictly greater child. The
// storage is kept when the heap is cleared, so a heap filled again allocates nothing once it
// has held its largest count.
class CandidateHeap {
  public:
    // Adds v at the end and sifts it up.
    void push(const pos_value& v) {
        items_.push_back(v);
        size_t i = items_.size() - 1;
        while (i > 0) {
            const size_t parent = (i - 1) / 2;
            if (!(items_[parent] < items_[i])) break;
            std::swap(items_[parent], items_[i]);
            i = parent;
        }
    }

    // Takes the top value into out; the last value moves to the top and sifts down. False,
    // changing nothing, on an empty heap.
    bool pop(pos_value& out) {
        if (items_.empty()) return false;
        out = items_.front();
        items_.front() = items_.back();
        items_.pop_back();
        const size_t n = items_.size();
        for (size_t i = 0;;) {
            const size_t left = 2 * i + 1, right = left + 1;
            size_t child;
            if (right < n)
                child = items_[left] > items_[right] ? left : right;
            else if (left < n)
                child = left;
            else
                break;
            if (!(items_[child] > items_[i])) break;
            std::swap(items_[child], items_[i]);
            i = child;
        }
        return true;
    }

    void clear() { items_.clear(); }
    int32_t size() const { return static_cast<int32_t>(items_.size()); }
    bool empty() const { return items_.empty(); }

  private:
    std::vector<pos_value> items_;
};
