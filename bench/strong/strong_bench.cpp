// sorell-strong-bench [ms [count]]: the strong search on `count` fixed mid-game positions (16 by
// default) for `ms` milliseconds each (500 by default), one thread. Prints per position the
// move, depth, score, nodes and speed, then the totals and the peak heap of one decision besides
// the transposition table (made once, before the first measured decision). A node is one
// position reached by a move of the search or of the threat solver (one make), counted once.

#include "heap_counter.h"
#include "rules/chk_stat.h"
#include "strong/strong_search.h"
#include "strong/threat_solver.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <new>
#include <random>
#include <thread>
#include <time.h>

namespace {

// Quiet game positions near the centre (no move made a three or more, and neither side wins by
// threats at once), the same on every run of this build.
BanArray benchPosition(uint32_t seed, int stones) {
    const std::atomic<bool> never{false};
    for (;; seed += 7919) {
        std::mt19937 rng(seed);
        BanArray board;
        for (int tries = 0; board.moveCount() < stones && tries < 4000; ++tries) {
            const int x = 7 + static_cast<int>(rng() % 9) - 4,
                      y = 7 + static_cast<int>(rng() % 9) - 4;
            const int p = cellIndex(x, y);
            if (board.at(p) != kEmpty) continue;
            if (ChkStat(board).judgePoint(p, colourToMove(board.moveCount())) < 16) continue;
            board.put(p);
        }
        const char side = colourToMove(board.moveCount());
        if (!solveThreat(board, side, ThreatKind::Vct, 20000, never).win &&
            !solveThreat(board, otherColour(side), ThreatKind::Vcf, 20000, never).win)
            return board;
    }
}

double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}
} // namespace

int main(int argc, char** argv) {
    const int64_t ms = argc > 1 ? std::max(1, std::atoi(argv[1])) : 500;
    const int count = argc > 2 ? std::max(1, std::atoi(argv[2])) : 16;
    const std::atomic<bool> stop{false};
    StrongLimits limits;
    limits.timeMs = ms;
    // Warm-up: the pattern tables and the transposition table are made here.
    strongSearch(benchPosition(1, 8), StrongLimits{50, 60, limits.hashMegabytes}, stop);

    std::printf("%3s %6s %5s %6s %7s %10s %7s %9s %8s\n", "pos", "stones", "move", "depth", "score",
                "nodes", "cpu ms", "knodes/s", "heap KB");
    uint64_t totalNodes = 0;
    double totalMs = 0;
    long peakDecision = 0;
    for (int i = 0; i < count; ++i) {
        const BanArray board = benchPosition(1000 + static_cast<uint32_t>(i), 12 + 2 * (i % 12));
        const long before = liveBytes.load();
        peakBytes = before;
        const double t0 = threadCpuMs();
        const SearchReport r = strongSearch(board, limits, stop);
        const double took = threadCpuMs() - t0;
        const long heap = peakBytes.load() - before;
        peakDecision = std::max(peakDecision, heap);
        totalNodes += r.nodes;
        totalMs += took;
        std::printf("%3d %6d %5d %6d %7d %10llu %7.0f %9.0f %8ld\n", i, board.moveCount(),
                    r.bestMove, r.depth, r.score, static_cast<unsigned long long>(r.nodes), took,
                    took > 0 ? static_cast<double>(r.nodes) / took : 0.0, heap / 1024);
    }
    std::printf("nodes %llu in %lld ms: %.0f nodes/s\n",
                static_cast<unsigned long long>(totalNodes), static_cast<long long>(totalMs),
                totalMs > 0
                    ? 1000.0 * static_cast<double>(totalNodes) / static_cast<double>(totalMs)
                    : 0.0);
    std::printf("transposition table %zu MB\n", limits.hashMegabytes);
    // Stop latency: searches without a time limit, stopped from another thread.
    double worstStopMs = 0;
    for (int i = 0; i < 4; ++i) {
        std::atomic<bool> stopNow{false};
        std::chrono::steady_clock::time_point stoppedAt;
        std::thread stopper([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(100 + 37 * i));
            stoppedAt = std::chrono::steady_clock::now();
            stopNow = true;
        });
        strongSearch(benchPosition(2000 + static_cast<uint32_t>(i), 16 + 4 * i),
                     StrongLimits{0, 60, limits.hashMegabytes}, stopNow);
        const auto returned = std::chrono::steady_clock::now();
        stopper.join();
        worstStopMs = std::max(
            worstStopMs, std::chrono::duration<double, std::milli>(returned - stoppedAt).count());
    }
    std::printf("longest return after the stop flag %.2f ms (wall clock)\n", worstStopMs);
    std::printf("peak heap, one decision, besides the table %.2f MB\n",
                static_cast<double>(peakDecision) / (1024.0 * 1024.0));
    return 0;
}
