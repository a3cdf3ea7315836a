#pragma once

#include "base/diag.h"

#include <cstdint>
#include <cstdio>
#include <new>

// Writes "(i)/(count)" and "Out of array index" to the error stream: the diagnostic of a
// checked access with a bad index.
inline void diagIndexOutOfRange(int32_t i, int32_t count) {
    char line[40];
    std::snprintf(line, sizeof line, "(%d)/(%d)", static_cast<int>(i), static_cast<int>(count));
    diag(line);
    diag("Out of array index");
}

// A fixed-size array whose every element access tests the index. A bad index writes
// "(i)/(count)" and "Out of array index" to the error stream and goes to a scratch element
// outside the array, so the array itself is never touched. Resizing to another count drops
// the contents; new elements are not initialised.
template <class T> class tvector {
  public:
    tvector() = default;
    explicit tvector(int32_t n) { resize(n); }
    tvector(const tvector& other) { copyFrom(other); }
    tvector& operator=(const tvector& other) {
        if (this != &other) copyFrom(other);
        return *this;
    }
    virtual ~tvector() { delete[] data_; }

    // Replaces the array by one of n elements (uninitialised) unless n equals the count.
    void resize(int32_t n) {
        if (n == count_) return;
        delete[] data_;
        data_ = nullptr;
        count_ = n;
        if (n > 0) {
            data_ = new (std::nothrow) T[static_cast<size_t>(n)];
            if (!data_) diagOutOfMemory();
        }
    }

    T& operator[](int32_t i) {
        if (i >= 0 && i < count_) return data_[i];
        return outOfRange(i);
    }
    const T& operator[](int32_t i) const {
        if (i >= 0 && i < count_) return data_[i];
        return outOfRange(i);
    }

    int32_t size() const { return count_; }
    // Unchecked view of the elements, for bulk copies (may be null when the array is empty).
    T* data() { return data_; }
    const T* data() const { return data_; }

  private:
    void copyFrom(const tvector& other) {
        resize(other.count_);
        for (int32_t i = 0; i < count_; ++i) (*this)[i] = other[i];
    }
    T& outOfRange(int32_t i) const {
        diagIndexOutOfRange(i, count_);
        thread_local T scratch{};
        scratch = T{};
        return scratch;
    }

    T* data_ = nullptr;
    int32_t count_ = 0;
};
