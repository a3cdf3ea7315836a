#pragma once

// Live and peak heap bytes of a benchmark program, counted by replacing the global operator new
// and delete. Include it in exactly one source file of the program.

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>

namespace {
std::atomic<long> liveBytes{0};
std::atomic<long> peakBytes{0};

void* countedAlloc(size_t n) {
    void* p = std::malloc(n == 0 ? 1 : n);
    if (!p) throw std::bad_alloc();
    const long live = liveBytes += static_cast<long>(malloc_usable_size(p));
    long peak = peakBytes.load();
    while (live > peak && !peakBytes.compare_exchange_weak(peak, live)) {
    }
    return p;
}
void countedFree(void* p) {
    if (!p) return;
    liveBytes -= static_cast<long>(malloc_usable_size(p));
    std::free(p);
}
} // namespace

void* operator new(size_t n) {
    return countedAlloc(n);
}
void* operator new[](size_t n) {
    return countedAlloc(n);
}
void operator delete(void* p) noexcept {
    countedFree(p);
}
void operator delete[](void* p) noexcept {
    countedFree(p);
}
void operator delete(void* p, size_t) noexcept {
    countedFree(p);
}
void operator delete[](void* p, size_t) noexcept {
    countedFree(p);
}
