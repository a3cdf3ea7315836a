#include "player/strong/position.h"
#include "random_positions.h"

#include <cstdlib>
#include <gtest/gtest.h>

// The incremental line patterns against the rules library, point by point: fives for both
// colours and black's forbidden points must agree exactly, and make/unmake must restore every
// point's class and the hash.
TEST(StrongPosition, FivesAndForbiddenPointsAgreeWithTheRules) {
    std::mt19937 rng(7);
    int forbiddenSeen = 0, fivesSeen = 0;
    for (int game = 0; game < 400; ++game) {
        BanArray board = randomPosition(rng, 10 + game % 50);
        Position pos(board, colourToMove(board.moveCount()));
        ChkStat judge(board);
        for (int p = 0; p < kPoints; ++p) {
            if (board.at(p) != kEmpty) continue;
            const MoveCode black = judge.judgeBlack(p), white = judge.judgeWhite(p);
            ASSERT_EQ(pos.cls(Colour::Black, p) == kClassFive, black == 1) << game << " " << p;
            ASSERT_EQ(pos.cls(Colour::White, p) == kClassFive, isWinCode(white))
                << game << " " << p;
            ASSERT_EQ(pos.forbidden(p), isForbiddenCode(black)) << game << " " << p;
            forbiddenSeen += isForbiddenCode(black);
            fivesSeen += black == 1;
        }
    }
    EXPECT_GT(forbiddenSeen, 20);
    EXPECT_GT(fivesSeen, 20);
}

// The point sets agree with the points: each empty point in the set of its class, and the near
// points those with a stone within two cells.
void expectSetsInStep(const Position& pos) {
    const PointSet near = pos.nearPoints();
    for (int p = 0; p < kPoints; ++p) {
        bool stone = false;
        for (int q = 0; q < kPoints; ++q)
            stone |= !pos.empty(q) && std::abs(cellX(p) - cellX(q)) <= 2 &&
                     std::abs(cellY(p) - cellY(q)) <= 2;
        ASSERT_EQ(near.test(p), pos.empty(p) && stone) << p;
        for (const Colour c : {Colour::Black, Colour::White})
            for (int cls = 0; cls < kClassCount; ++cls)
                ASSERT_EQ(pos.pointsOfClass(c, cls).test(p), pos.empty(p) && pos.cls(c, p) == cls)
                    << p;
    }
}

TEST(StrongPosition, MakeAndUnmakeRestoreEverything) {
    std::mt19937 rng(11);
    const BanArray board = randomPosition(rng, 30);
    Position pos(board, colourToMove(board.moveCount()));
    const Position fresh(board, colourToMove(board.moveCount()));
    std::vector<int> made;
    for (int p = 0; p < kPoints && made.size() < 40; p += 7)
        if (pos.empty(p)) {
            pos.make(p);
            made.push_back(p);
        }
    // Built from scratch, the position after the moves has the same points.
    BanArray after(board);
    for (size_t i = 0; i < made.size(); ++i)
        after[made[i]] =
            (colourToMove(board.moveCount()) == kBlack) == (i % 2 == 0) ? kBlack : kWhite;
    const Position rebuilt(after, colourToMove(board.moveCount() + static_cast<int>(made.size())));
    EXPECT_EQ(pos.hash(), rebuilt.hash());
    for (int p = 0; p < kPoints; ++p) {
        if (!pos.empty(p)) continue;
        for (const Colour c : {Colour::Black, Colour::White})
            ASSERT_EQ(pos.cls(c, p), rebuilt.cls(c, p)) << p;
    }
    expectSetsInStep(pos);
    for (size_t i = 0; i < made.size(); ++i) pos.unmake();
    EXPECT_EQ(pos.hash(), fresh.hash());
    EXPECT_EQ(pos.valueSum(Colour::Black), fresh.valueSum(Colour::Black));
    EXPECT_EQ(pos.valueSum(Colour::White), fresh.valueSum(Colour::White));
    for (int p = 0; p < kPoints; ++p)
        for (const Colour c : {Colour::Black, Colour::White})
            ASSERT_EQ(pos.cls(c, p), fresh.cls(c, p)) << p;
    expectSetsInStep(pos);
}

// A freshly built position (the empty board included) files every empty point under its class
// for each colour, and the near set is the empty points beside stones.
TEST(StrongPosition, AFreshPositionHoldsEveryEmptyPointInItsSets) {
    std::mt19937 rng(13);
    for (int game = 0; game < 40; ++game) {
        const BanArray board = randomPosition(rng, game % 30);
        SCOPED_TRACE(game);
        expectSetsInStep(Position(board, colourToMove(board.moveCount())));
    }
}
