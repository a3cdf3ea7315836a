// sorell-strong-bench [ms [count]]: the strong search on `count` fixed mid-game positions (16 by
// default) for `ms` milliseconds each (500 by default), one thread. Prints per position the
// move, depth, score, nodes and speed, then the totals and the peak heap of one decision besides
// the transposition table (made once, before the first measured decision). A node is one
// position reached by a move of the search or of the threat solver (one make), counted once.

#include "rules/chk_stat.h"
#include "strong/strong_search.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <new>
#include <random>

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

// Random legal game positions near the centre, the same on every run of this build.
BanArray benchPosition(uint32_t seed, int stones) {
    std::mt19937 rng(seed);
    BanArray board;
    for (int tries = 0; board.moveCount() < stones && tries < 4000; ++tries) {
        const int x = 7 + static_cast<int>(rng() % 9) - 4, y = 7 + static_cast<int>(rng() % 9) - 4;
        const int p = cellIndex(x, y);
        if (board.at(p) != kEmpty) continue;
        if (isEndCode(ChkStat(board).judgePoint(p, colourToMove(board.moveCount())))) continue;
        board.put(p);
    }
    return board;
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

int main(int argc, char** argv) {
    const int64_t ms = argc > 1 ? std::max(1, std::atoi(argv[1])) : 500;
    const int count = argc > 2 ? std::max(1, std::atoi(argv[2])) : 16;
    const std::atomic<bool> stop{false};
    StrongLimits limits;
    limits.timeMs = ms;
    // Warm-up: the pattern tables and the transposition table are made here.
    strongSearch(benchPosition(1, 8), StrongLimits{50, 60, limits.hashMegabytes}, stop);

    std::printf("%3s %6s %5s %6s %7s %10s %7s %9s %8s\n", "pos", "stones", "move", "depth", "score",
                "nodes", "ms", "knodes/s", "heap KB");
    uint64_t totalNodes = 0;
    int64_t totalMs = 0;
    long peakDecision = 0;
    for (int i = 0; i < count; ++i) {
        const BanArray board = benchPosition(1000 + static_cast<uint32_t>(i), 12 + 2 * (i % 12));
        const long before = liveBytes.load();
        peakBytes = before;
        const auto t0 = std::chrono::steady_clock::now();
        const SearchReport r = strongSearch(board, limits, stop);
        const int64_t took = std::chrono::duration_cast<std::chrono::milliseconds>(
                                 std::chrono::steady_clock::now() - t0)
                                 .count();
        const long heap = peakBytes.load() - before;
        peakDecision = std::max(peakDecision, heap);
        totalNodes += r.nodes;
        totalMs += took;
        std::printf("%3d %6d %5d %6d %7d %10llu %7lld %9.0f %8ld\n", i, board.moveCount(),
                    r.bestMove, r.depth, r.score, static_cast<unsigned long long>(r.nodes),
                    static_cast<long long>(took),
                    took > 0 ? static_cast<double>(r.nodes) / static_cast<double>(took) : 0.0,
                    heap / 1024);
    }
    std::printf("nodes %llu in %lld ms: %.0f nodes/s\n",
                static_cast<unsigned long long>(totalNodes), static_cast<long long>(totalMs),
                totalMs > 0
                    ? 1000.0 * static_cast<double>(totalNodes) / static_cast<double>(totalMs)
                    : 0.0);
    std::printf("transposition table %zu MB\n", limits.hashMegabytes);
    std::printf("peak heap, one decision, besides the table %.2f MB\n",
                static_cast<double>(peakDecision) / (1024.0 * 1024.0));
    return 0;
}
