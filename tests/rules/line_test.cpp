// The line window and the generic line tests (either colour).
#include "board_picture.h"
#include "rules/board_lines.h"
#include "rules/line_window.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace {

int runOf(const std::string& s, char own = kBlack, int x0 = 2) {
    Placed p = line(s, x0);
    LineWindow w(own, p.centre, p.board);
    w.direction = 0;
    return classifyRun(w);
}

template <class Test> bool rowTest(Test test, const std::string& s, char own = kBlack) {
    Placed p = line(s);
    LineWindow w(own, p.centre, p.board);
    w.direction = 0;
    return test(w);
}

TEST(LineWindowBuild, SpanStopsAtBlockerAndEdge) {
    Placed p = line("+B+oWB+", 0, 0);
    LineWindow w(kBlack, p.centre, p.board);
    w.direction = 0;
    EXPECT_EQ(w.left[0], -3);
    EXPECT_EQ(w.right[0], 0);
    EXPECT_EQ(w.stones[0], 2);
    EXPECT_EQ(w.empties[0], 2);
    EXPECT_EQ(w.cell(1), kWhite);
    EXPECT_EQ(w.cell(2), kWhite);  // a black stone past the blocker reads as blocker
    EXPECT_EQ(w.cell(-4), kWhite); // off the board
    EXPECT_EQ(w.cell(6), kWhite);
    // the column through (3, 0) runs down from the top edge
    w.direction = 2;
    EXPECT_EQ(w.left[2], 0);
    EXPECT_EQ(w.right[2], 5);
    EXPECT_EQ(w.right[w.direction] - w.left[w.direction] + 1, 6);
}

TEST(LineWindowBuild, CentreAlwaysOwnAndCellsCopied) {
    Placed p = line("+BwB+");
    LineWindow w(kBlack, p.centre, p.board);
    w.direction = 0;
    EXPECT_EQ(w.cell(0), kBlack); // the board holds white at the centre
    EXPECT_EQ(w.stones[0], 3);
    p.board[p.centre + 1] = kWhite;
    EXPECT_EQ(w.cell(1), kBlack); // later changes to the board are not seen
}

TEST(LineWindowBuild, DirectionsReadTheirLines) {
    // Along each direction, a white stone two cells on the + side and black on the - side.
    for (int d = 0; d < 4; ++d) {
        Placed p = line("B+o+W", 7, 3, d);
        LineWindow w(kWhite, p.centre, p.board);
        w.direction = d;
        EXPECT_EQ(w.cell(2), kWhite) << d;
        EXPECT_EQ(w.right[d], 5) << d;
        EXPECT_EQ(w.left[d], -1) << d;
        EXPECT_EQ(w.stones[d], 2) << d;
        EXPECT_EQ(w.pointAt(2), p.centre + (d == 0 ? 2 : d == 1 ? 32 : d == 2 ? 30 : 28)) << d;
    }
}

// Whole-board scans cut windows out of line bit sets; they must equal windows read from the
// board, at the edges and corners too.
TEST(LineWindowBuild, FromLineBitsEqualsFromBoard) {
    std::mt19937 rng(11);
    for (int round = 0; round < 60; ++round) {
        BanArray b;
        const int fill = 20 + round; // percent of the points holding a stone
        for (int i = 0; i < kPoints; ++i)
            if (static_cast<int>(rng() % 100) < fill) b[i] = rng() % 2 ? kBlack : kWhite;
        for (char own : {kBlack, kWhite}) {
            const BoardLines lines(b, own);
            for (int i = 0; i < kPoints; ++i) {
                LineWindow slow(own, i, b);
                LineWindow fast(own, i, b, lines);
                for (int d = 0; d < 4; ++d) {
                    ASSERT_EQ(fast.left[d], slow.left[d]) << i << " " << d;
                    ASSERT_EQ(fast.right[d], slow.right[d]) << i << " " << d;
                    ASSERT_EQ(fast.stones[d], slow.stones[d]) << i << " " << d;
                    ASSERT_EQ(fast.empties[d], slow.empties[d]) << i << " " << d;
                    ASSERT_EQ(fast.ownBits[d], slow.ownBits[d]) << i << " " << d;
                    ASSERT_EQ(fast.emptyBits[d], slow.emptyBits[d]) << i << " " << d;
                    fast.direction = slow.direction = d;
                    for (int k = -6; k <= 6; ++k) ASSERT_EQ(fast.cell(k), slow.cell(k)) << i;
                }
            }
        }
    }
}

TEST(ClassifyRun, FivesAndOverlines) {
    EXPECT_EQ(runOf("+BBbBB+"), 5);
    EXPECT_EQ(runOf("WBBbBBW"), 5);
    EXPECT_EQ(runOf("+BBBbBB+"), 6);
    EXPECT_EQ(runOf("BBBBBbBBBBBB", kBlack, 0), 11); // at most five cells either side
    EXPECT_EQ(runOf("+WWwWW+", kWhite), 5);
}

TEST(ClassifyRun, FoursAndThreesByOpenEnds) {
    EXPECT_EQ(runOf("+BbBB+"), -4);
    EXPECT_EQ(runOf("WBbBB+"), 4);
    EXPECT_EQ(runOf("WBbBBW"), -1);
    EXPECT_EQ(runOf("+BbB+"), -3);
    EXPECT_EQ(runOf("WBbB+"), 3);
    EXPECT_EQ(runOf("WbBBW"), -1);
    EXPECT_EQ(runOf("+bB+"), 0);
    EXPECT_EQ(runOf("+b+B+"), 0);
    EXPECT_EQ(runOf("+BbBB+", kWhite), 0); // black stones block white
    EXPECT_EQ(runOf("B+WwW+", kWhite), -3);
}

TEST(ClassifyRun, RunToTheEdgeHasABlockedEnd) {
    EXPECT_EQ(runOf("+bBBB", kBlack, 10), 4);
    EXPECT_EQ(runOf("bBBB+", kBlack, 0), 4);
    EXPECT_EQ(runOf("bBB+", kBlack, 0), 3);
}

TEST(HasFour, FourInAnyFiveCells) {
    EXPECT_TRUE(rowTest(hasFour, "WbBBB+W"));
    EXPECT_FALSE(rowTest(hasFour, "WbB+B+W"));
    EXPECT_TRUE(rowTest(hasFour, "WB+bBBW"));
    EXPECT_FALSE(rowTest(hasFour, "WbBBBW"));   // no empty cell: no room for a fifth
    EXPECT_FALSE(rowTest(hasFour, "WBB+b+BW")); // stones 4 but no five cells hold four
    EXPECT_TRUE(rowTest(hasFour, "WBbB+BBW"));  // filling the gap would make six: not looked at
    EXPECT_TRUE(rowTest(hasFour, "BW+WwW+", kWhite));
}

TEST(HasOpenThree, SixCellWindowWithOpenEnds) {
    EXPECT_TRUE(rowTest(hasOpenThree, "W+BbB++W"));
    EXPECT_TRUE(rowTest(hasOpenThree, "W+B+bB+W"));
    EXPECT_FALSE(rowTest(hasOpenThree, "W+BbB+W"));  // span of five
    EXPECT_FALSE(rowTest(hasOpenThree, "WBbB++W"));  // left end blocked
    EXPECT_FALSE(rowTest(hasOpenThree, "W+BbBB+W")); // four stones, no window of three
    EXPECT_TRUE(rowTest(hasOpenThree, "B++WwW++B", kWhite));
}

TEST(HasOpenTwo, SixCellWindowWithOpenEnds) {
    EXPECT_TRUE(rowTest(hasOpenTwo, "W++bB++W"));
    EXPECT_TRUE(rowTest(hasOpenTwo, "W+b++B+W"));
    EXPECT_FALSE(rowTest(hasOpenTwo, "W+bB++W")); // span of five
    EXPECT_FALSE(rowTest(hasOpenTwo, "W+bB+W"));
    EXPECT_FALSE(rowTest(hasOpenTwo, "W+b+++W"));
    EXPECT_TRUE(rowTest(hasOpenTwo, "B+w+W++B", kWhite));
}

} // namespace
