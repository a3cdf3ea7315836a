// sorell-bench [count [repeat]]: decides the fixed suite of positions (48 by default) at the
// standard level without database files, and prints per position the point chosen, the nodes
// made and the time, then the totals, the median and 95th-percentile decision times, decisions
// per second, the peak memory and the signature of the suite. With repeat > 1 (3 by default)
// the suite is decided that many times and each position's time is the best of its runs, which
// keeps other programs' load on the machine out of the figures; every run must choose the same.

#include "base/geometry.h"
#include "heap_counter.h"
#include "player/standard/bench_suite.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <new>
#include <sys/resource.h>
#include <vector>

namespace {

double percentile(std::vector<double> v, double q) {
    std::sort(v.begin(), v.end());
    size_t i = static_cast<size_t>(q * static_cast<double>(v.size() - 1) + 0.5);
    return v[std::min(i, v.size() - 1)];
}
} // namespace

int main(int argc, char** argv) {
    int count = argc > 1 ? std::atoi(argv[1]) : 48;
    if (count < 1) count = 48;
    int repeat = argc > 2 ? std::atoi(argv[2]) : 3;
    if (repeat < 1) repeat = 1;
    const std::vector<BanArray> positions = benchPositions(count);
    const StandardSettings level = StandardSettings::standard();

    std::vector<BenchResult> results(static_cast<size_t>(count));
    std::vector<long> heaps(static_cast<size_t>(count), 0);
    for (int run = 0; run < repeat; ++run) {
        for (int i = 0; i < count; ++i) {
            const long before = liveBytes.load();
            peakBytes = before;
            BenchResult r = decideBenchPosition(positions[static_cast<size_t>(i)], level);
            heaps[static_cast<size_t>(i)] = peakBytes.load() - before;
            BenchResult& best = results[static_cast<size_t>(i)];
            if (run > 0 && (r.point != best.point || r.nodes != best.nodes)) {
                std::printf("position %d decided differently in run %d\n", i + 1, run + 1);
                return 1;
            }
            if (run == 0) best = r;
            best.millis = std::min(best.millis, r.millis);
            best.cpuMillis = std::min(best.cpuMillis, r.cpuMillis);
        }
    }

    std::vector<double> times, cpuTimes;
    long totalNodes = 0, peakDecision = 0;
    double totalMillis = 0, totalCpu = 0;
    std::printf("%4s %6s %5s %8s %10s %10s %10s\n", "pos", "stones", "move", "nodes", "ms",
                "cpu ms", "heap KB");
    for (int i = 0; i < count; ++i) {
        const BenchResult& r = results[static_cast<size_t>(i)];
        const long heap = heaps[static_cast<size_t>(i)];
        peakDecision = std::max(peakDecision, heap);
        times.push_back(r.millis);
        cpuTimes.push_back(r.cpuMillis);
        totalNodes += r.nodes;
        totalMillis += r.millis;
        totalCpu += r.cpuMillis;
        std::printf("%4d %6d %5s %8ld %10.3f %10.3f %10ld\n", i + 1,
                    positions[static_cast<size_t>(i)].moveCount(),
                    r.point < kPoints ? pointText(cellX(r.point), cellY(r.point)).c_str() : "--",
                    r.nodes, r.millis, r.cpuMillis, heap / 1024);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("positions            %d (best of %d runs)\n", count, repeat);
    std::printf("total nodes          %ld\n", totalNodes);
    std::printf("total time           %.1f ms (processor %.1f ms)\n", totalMillis, totalCpu);
    std::printf("median decision      %.3f ms (processor %.3f ms)\n", percentile(times, 0.5),
                percentile(cpuTimes, 0.5));
    std::printf("95th percentile      %.3f ms (processor %.3f ms)\n", percentile(times, 0.95),
                percentile(cpuTimes, 0.95));
    std::printf("decisions per second %.1f\n", totalMillis > 0 ? count * 1000.0 / totalMillis : 0);
    std::printf("nodes per second     %.0f\n",
                totalMillis > 0 ? totalNodes * 1000.0 / totalMillis : 0);
    std::printf("peak heap, one decision %.2f MB\n", peakDecision / (1024.0 * 1024.0));
    std::printf("peak resident (process) %.2f MB\n", usage.ru_maxrss / 1024.0);
    std::printf("signature            %016llx\n",
                static_cast<unsigned long long>(benchSignature(results)));
    return 0;
}
