// Time of a full BanInfo scan (every empty point judged for black and for white) on a fixed
// set of mid-game positions from reproducible random games.
#include "rules/ban_info.h"
#include "rules/chk_stat.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

// Stones are played near earlier ones, black never on a forbidden point, and a game stops
// before anyone could complete five, so every position is a live mid-game position.
std::vector<BanArray> midGamePositions(int count) {
    std::mt19937 rng(1234567);
    std::uniform_int_distribution<int> near(-2, 2), stonesWanted(20, 60);
    std::vector<BanArray> out;
    while (static_cast<int>(out.size()) < count) {
        BanArray b;
        b.put(cellIndex(7, 7));
        const int target = stonesWanted(rng);
        bool live = true;
        while (live && b.moveCount() < target) {
            live = false;
            for (int tries = 0; tries < 400; ++tries) {
                int base = static_cast<int>(rng() % kPoints);
                if (b.at(base) == kEmpty) continue;
                int x = cellX(base) + near(rng), y = cellY(base) + near(rng);
                if (!onBoard(x, y) || b.at(cellIndex(x, y)) != kEmpty) continue;
                int p = cellIndex(x, y);
                ChkStat chk(b);
                int code = chk.judgePoint(p, colourToMove(b.moveCount()));
                if (code < 2 || code >= 21) continue;
                b.put(p);
                live = true;
                break;
            }
        }
        BanInfo info;
        if (live && info.computeFull(b) == 0) out.push_back(b);
    }
    return out;
}

void BM_FullScan(benchmark::State& state) {
    std::vector<BanArray> positions = midGamePositions(64);
    BanInfo info;
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(info.computeFull(positions[i]));
        benchmark::ClobberMemory();
        i = (i + 1) % positions.size();
    }
    // every empty point of both colours counts as one judgement, also where the scan can
    // tell the code without building a window
    long judged = 0;
    for (const BanArray& b : positions) judged += 2 * (kPoints - b.moveCount());
    state.counters["judgements/s"] =
        benchmark::Counter(static_cast<double>(judged) / static_cast<double>(positions.size()) *
                               static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FullScan)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
