#include "player/strong/strong_search.h"
#include "random_positions.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

// The fixed-node decisions of the strong search on fixed positions: random games of 8 to 56
// stones, so that own wins, the opponent's threats (the root defence filter), quiet positions
// and the table's bounds all take part. One thread, a fresh table, a node limit: every run of
// a build searches the same trees.
constexpr int kPositions = 36;
constexpr uint64_t kNodes = 4000;
// Changes with every intended change of the strong search's decisions (the commit that makes
// one says so); an unintended change is a fault.
constexpr uint64_t kPinnedSignature = 0x36a4bc0465c2d1d5ULL;

// FNV-1a over the values of a decision.
void mix(uint64_t& h, int64_t value) {
    auto v = static_cast<uint64_t>(value);
    for (int i = 0; i < 8; ++i, v >>= 8) h = (h ^ (v & 0xff)) * 0x100000001b3ULL;
}

uint64_t decisionSignature() {
    uint64_t h = 0xcbf29ce484222325ULL;
    // A thread of its own: its table is new, whatever other tests searched before.
    std::thread([&] {
        const std::atomic<bool> never{false};
        std::mt19937 rng(2026);
        for (int i = 0; i < kPositions; ++i) {
            const BanArray board = randomPosition(rng, 8 + 4 * (i % 13));
            const SearchReport r = strongSearch(board, StrongLimits{0, 60, 4, kNodes}, never);
            for (const int64_t v : {int64_t{r.bestMove}, int64_t{r.score}, int64_t{r.winIn},
                                    int64_t{r.depth}, static_cast<int64_t>(r.nodes)})
                mix(h, v);
            for (const int p : r.line) mix(h, p);
        }
    }).join();
    return h;
}

} // namespace

TEST(StrongSignature, FixedNodeDecisionsArePinned) {
    EXPECT_EQ(decisionSignature(), kPinnedSignature)
        << std::hex << "signature " << decisionSignature();
}
