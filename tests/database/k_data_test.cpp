#include "database/k_data.h"
#include "rules/ban_array.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

KData entryOf(std::initializer_list<int> stones) {
    KData d(static_cast<int>(stones.size()));
    int i = 0;
    for (int s : stones) d.stones[i++] = static_cast<uint8_t>(s);
    return d;
}

} // namespace

TEST(KData, FromBoardListsEachColourByColumnThenRow) {
    BanArray board;
    // Played order: B (9,3), W (2,8), B (2,10), W (9,1), B (2,4).
    for (int cell :
         {cellIndex(9, 3), cellIndex(2, 8), cellIndex(2, 10), cellIndex(9, 1), cellIndex(2, 4)}) {
        ASSERT_TRUE(board.put(cell));
    }
    KData d(board);
    ASSERT_EQ(d.stoneCount(), 5);
    EXPECT_EQ(d.stones[0], cellIndex(2, 4));
    EXPECT_EQ(d.stones[2], cellIndex(2, 10));
    EXPECT_EQ(d.stones[4], cellIndex(9, 3));
    EXPECT_EQ(d.stones[1], cellIndex(2, 8));
    EXPECT_EQ(d.stones[3], cellIndex(9, 1));
    EXPECT_EQ(d.tag, 1024);
    EXPECT_TRUE(d.continuations.empty());
}

TEST(KData, FromBoardStopsEachColourAtTheStoneCount) {
    // A board whose move count says fewer stones than it holds: the extra stones of a colour
    // are not written past the slots.
    BanArray board;
    board[cellIndex(0, 0)] = kBlack;
    board[cellIndex(1, 0)] = kBlack;
    board[cellIndex(0, 1)] = kWhite;
    board.setMoveCount(2);
    KData d(board);
    ASSERT_EQ(d.stoneCount(), 2);
    EXPECT_EQ(d.stones[0], cellIndex(0, 0));
    EXPECT_EQ(d.stones[1], cellIndex(0, 1));
}

TEST(KData, ContinuationMove) {
    KData d(1);
    EXPECT_EQ(d.continuationMove(0), 255) << "no continuations: no move";
    d.continuations.push_back({100, 0});
    d.continuations.push_back({101, 5});
    EXPECT_EQ(d.continuationMove(0), 100);
    EXPECT_EQ(d.continuationMove(1), 101);
    EXPECT_EQ(d.continuationMove(2), 225);
    EXPECT_EQ(d.continuationMove(3), 225);
}

TEST(KData, SamePositionIgnoresOrderWithinAColour) {
    const KData a = entryOf({112, 113, 97, 98, 127});
    const KData b = entryOf({127, 98, 112, 113, 97});
    EXPECT_TRUE(a.samePosition(b));
    EXPECT_TRUE(b.samePosition(a));

    // The same cells with the colours exchanged are another position.
    const KData swapped = entryOf({113, 112, 98, 97, 127});
    EXPECT_FALSE(a.samePosition(swapped));
    // Fewer stones never match.
    EXPECT_FALSE(a.samePosition(entryOf({112, 113, 97, 98})));
    EXPECT_TRUE(KData(0).samePosition(KData(0)));
}

TEST(KData, DamagedPositionsMatchNothing) {
    const KData twice = entryOf({112, 113, 112});
    EXPECT_FALSE(twice.isValidPosition());
    EXPECT_FALSE(twice.samePosition(twice));
    const KData off = entryOf({112, 113, 230});
    EXPECT_FALSE(off.isValidPosition());
    EXPECT_FALSE(off.samePosition(off));
    EXPECT_FALSE(KData(3).isValidPosition()) << "slots not yet set must not read as real cells";
}

TEST(KData, SamePositionAgreesWithPlacedBoards) {
    const KData a = entryOf({112, 113, 97, 98});
    const KData b = entryOf({97, 98, 112, 113});
    const KData c = entryOf({97, 113, 112, 98});
    BanArray ba, bb, bc;
    EXPECT_TRUE(a.placeOn(ba));
    EXPECT_TRUE(b.placeOn(bb));
    EXPECT_TRUE(c.placeOn(bc));
    EXPECT_EQ(ba == bb, a.samePosition(b));
    EXPECT_EQ(ba == bc, a.samePosition(c));
    EXPECT_EQ(ba[112], kBlack);
    EXPECT_EQ(ba[113], kWhite);
    EXPECT_EQ(ba.moveCount(), 4);
}

TEST(KData, PlaceOnSkipsBadStonesWithoutTouchingTheBoard) {
    BanArray board;
    EXPECT_FALSE(entryOf({112, 240, 112}).placeOn(board));
    EXPECT_EQ(board.moveCount(), 1);
    EXPECT_EQ(board[112], kBlack);
}
