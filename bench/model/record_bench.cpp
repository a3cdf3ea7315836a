// Timing of the record text and files for a 225-move game with a few hundred variations:
// read the text, write it, and the whole cycle of reading, writing and reading back, in
// memory and through real files (with the flush to disk of every write).
#include "model/move_tree.h"
#include "model/record_files.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct Sample {
    std::string text;
    int variations = 0;
    int nodes = 0;
};

const Sample& sample() {
    static const Sample s = [] {
        Sample out;
        std::mt19937 rng(2024);
        std::vector<int> points(kPoints);
        for (int i = 0; i < kPoints; ++i) points[static_cast<size_t>(i)] = i;
        std::shuffle(points.begin(), points.end(), rng);
        MOveTree r;
        for (int p : points) r.PutMoveAlternating(cellX(p), cellY(p));
        out.nodes = kPoints;
        // Variations of one to six moves branching from random points of the main line.
        for (int v = 0; v < 300; ++v) {
            r.GoTopMainLine();
            int depth = std::uniform_int_distribution<int>(0, 200)(rng);
            for (int d = 0; d < depth; ++d) r.Forward();
            int length = std::uniform_int_distribution<int>(1, 6)(rng);
            for (int k = 0; k < length; ++k) {
                int x, y;
                do {
                    x = std::uniform_int_distribution<int>(0, 14)(rng);
                    y = std::uniform_int_distribution<int>(0, 14)(rng);
                } while (r.board().At(x, y) != kEmpty);
                r.PutMoveAlternating(x, y);
                r.SetValue(std::uniform_int_distribution<int>(-500, 500)(rng));
                ++out.nodes;
            }
            ++out.variations;
        }
        out.text = r.RecordText();
        return out;
    }();
    return s;
}

void setCounters(benchmark::State& state) {
    state.counters["nodes"] = sample().nodes;
    state.counters["variations"] = sample().variations;
    state.counters["text_bytes"] = static_cast<double>(sample().text.size());
}

void BM_ReadRecordText(benchmark::State& state) {
    for (auto _ : state) {
        MOveTree r;
        benchmark::DoNotOptimize(r.ReadBytes(sample().text));
    }
    setCounters(state);
}

void BM_WriteRecordText(benchmark::State& state) {
    MOveTree r;
    r.ReadBytes(sample().text);
    std::string out;
    for (auto _ : state) {
        r.WriteBytes(out);
        benchmark::DoNotOptimize(out.data());
    }
    setCounters(state);
}

void BM_ReadWriteReadBack(benchmark::State& state) {
    std::string out;
    for (auto _ : state) {
        MOveTree r;
        r.ReadBytes(sample().text);
        r.WriteBytes(out);
        MOveTree back;
        back.ReadBytes(out);
        benchmark::DoNotOptimize(back.root());
    }
    setCounters(state);
}

void BM_FileReadWriteReadBack(benchmark::State& state) {
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("sorell-model-bench-" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::string in = (dir / "in.txt").string(), out = (dir / "out.txt").string();
    {
        MOveTree r;
        r.ReadBytes(sample().text);
        r.WriteFile(in.c_str());
    }
    for (auto _ : state) {
        MOveTree r;
        r.ReadFile(in.c_str());
        r.WriteFile(out.c_str());
        MOveTree back;
        benchmark::DoNotOptimize(back.ReadFile(out.c_str()));
    }
    fs::remove_all(dir);
    setCounters(state);
}

} // namespace

BENCHMARK(BM_ReadRecordText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteRecordText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadWriteReadBack)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FileReadWriteReadBack)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
