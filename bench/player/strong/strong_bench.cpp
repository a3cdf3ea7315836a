// sorell-strong-bench [ms [count]]: the strong search on `count` fixed mid-game positions (16 by
// default) for `ms` milliseconds each (500 by default), one thread. Prints per position the
// move, depth, score, nodes and speed, then the totals and the peak heap of one decision besides
// the transposition table (made once, before the first measured decision). A node is one
// position reached by a move of the search or of the threat solver (one make), counted once.
//
// sorell-strong-bench --nodes N [count]: the same positions, each searched to N nodes without a
// time limit, so that every run of a build searches the same trees. Prints the same table and a
// signature of the decisions (move, score, depth, nodes and line of each position): a change that
// only makes the search faster keeps the signature, and the CPU time compares speed exactly.

#include "heap_counter.h"
#include "player/strong/strong_search.h"
#include "player/strong/threat_solver.h"
#include "rules/chk_stat.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

// FNV-1a over the values of a decision.
void mix(uint64_t& h, uint64_t v) {
    for (int i = 0; i < 8; ++i, v >>= 8) h = (h ^ (v & 0xff)) * 0x100000001b3ULL;
}
} // namespace

int main(int argc, char** argv) {
    const bool fixedNodes = argc > 1 && std::strcmp(argv[1], "--nodes") == 0;
    if (fixedNodes) ++argv, --argc;
    const int64_t arg = argc > 1 ? std::max<int64_t>(1, std::atoll(argv[1])) : 500;
    const int count = argc > 2 ? std::max(1, std::atoi(argv[2])) : 16;
    const std::atomic<bool> stop{false};
    StrongLimits limits;
    limits.timeMs = fixedNodes ? 0 : arg;
    limits.maxNodes = fixedNodes ? static_cast<uint64_t>(arg) : 0;
    // Warm-up: the pattern tables and the transposition table are made here. The table keeps
    // entries from one decision to the next, so the fixed-node run warms up by nodes too.
    StrongLimits warmUp{50, 60, limits.hashMegabytes};
    if (fixedNodes) warmUp = StrongLimits{0, 60, limits.hashMegabytes, 20000};
    strongSearch(benchPosition(1, 8), warmUp, stop);

    std::printf("%3s %6s %5s %6s %7s %10s %7s %9s %8s\n", "pos", "stones", "move", "depth", "score",
                "nodes", "cpu ms", "knodes/s", "heap KB");
    uint64_t totalNodes = 0;
    double totalMs = 0;
    long peakDecision = 0;
    uint64_t signature = 0xcbf29ce484222325ULL;
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
        for (const int64_t v : {int64_t{r.bestMove}, int64_t{r.score}, int64_t{r.depth},
                                static_cast<int64_t>(r.nodes)})
            mix(signature, static_cast<uint64_t>(v));
        for (const int p : r.line) mix(signature, static_cast<uint64_t>(p));
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
    if (fixedNodes) {
        std::printf("signature %016llx\n", static_cast<unsigned long long>(signature));
        return 0;
    }
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
