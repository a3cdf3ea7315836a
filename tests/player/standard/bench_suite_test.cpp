#include "player/standard/bench_suite.h"
#include "rules/chk_stat.h"

#include <gtest/gtest.h>

#include <set>

// The signature of the first six positions of the suite, as "sorell-bench 6 1" prints it. It
// changes only when the moves the search chooses or the nodes it makes change: an intended
// change of behaviour updates it here; an unintended one fails this test.
TEST(BenchSuite, SignatureOfTheFirstPositions) {
    const std::vector<BanArray> positions = benchPositions(6);
    std::vector<BenchResult> results;
    for (const BanArray& board : positions)
        results.push_back(decideBenchPosition(board, StandardSettings::standard()));
    EXPECT_EQ(benchSignature(results), 0x7012a3354d2f5c27ull);
}

TEST(BenchSuite, PositionsAreReproducibleAndUndecided) {
    const std::vector<BanArray> a = benchPositions(10);
    const std::vector<BanArray> b = benchPositions(4);
    ASSERT_EQ(a.size(), 10u);
    std::set<int> parities;
    for (size_t i = 0; i < a.size(); ++i) {
        if (i < b.size()) {
            EXPECT_TRUE(a[i] == b[i]) << i;
        }
        BanArray board = a[i];
        const int n = board.moveCount();
        EXPECT_GE(n, 4);
        EXPECT_LE(n, 80);
        parities.insert(n % 2);
        int stones = 0;
        ChkStat judge(board);
        const char toMove = colourToMove(n);
        for (int p = 0; p < kPoints; ++p) {
            if (board.at(p) != kEmpty) {
                ++stones;
                continue;
            }
            // Nobody can make five and the side to move has no straight four.
            EXPECT_GE(judge.judgePoint(p, toMove), 3) << i << " " << p;
            EXPECT_GE(judge.judgePoint(p, otherColour(toMove)), 2) << i << " " << p;
        }
        EXPECT_EQ(stones, n);
    }
    EXPECT_EQ(parities.size(), 2u);
}
