// BanInfo: full scans, the swapped copy and the incremental update.
#include "board_picture.h"
#include "rules/ban_info.h"
#include "rules/chk_stat.h"

#include <gtest/gtest.h>

namespace {

TEST(BanInfoFull, EmptyBoardIsAllNothing) {
    BanArray b;
    BanInfo info;
    EXPECT_EQ(info.computeFull(b), 0);
    for (int i = 0; i < kPoints; ++i) {
        EXPECT_EQ(info.sideCodes[i], 20);
        EXPECT_EQ(info.otherCodes[i], 20);
    }
    EXPECT_EQ(info.sideWin, 0);
    EXPECT_EQ(info.otherWin, 0);
}

// Black four (3..6, 7) whose completion at (7, 7) is also a double three in the column and
// the diagonal: the five wins all the same.
TEST(BanInfoFull, FivePointWinsEvenWhereForbiddenShaped) {
    Placed p = line("+BBBBo+", 2, 7);
    for (int i : {cellIndex(7, 6), cellIndex(7, 8), cellIndex(6, 6), cellIndex(8, 8)})
        p.board[i] = kBlack;
    p.board[cellIndex(0, 0)] = kWhite;
    p.board[cellIndex(0, 2)] = kWhite;
    p.board[cellIndex(0, 4)] = kWhite;
    p.board[cellIndex(0, 6)] = kWhite;
    p.board.setMoveCount(16); // black to move
    BanInfo info;
    EXPECT_EQ(info.computeFull(p.board), 1);
    EXPECT_EQ(info.sideCodes[p.centre], 1);
    EXPECT_EQ(info.sideWin, 1);
    EXPECT_EQ(info.otherWin, 0);
    EXPECT_EQ(info.sideCodes[cellIndex(3, 7)], 20); // occupied
    EXPECT_EQ(info.otherCodes[cellIndex(3, 7)], 20);

    p.board.setMoveCount(17); // now white is to move: the maps change places
    BanInfo swapped;
    swapped.computeFull(p.board);
    EXPECT_EQ(swapped.otherCodes[p.centre], 1);
    EXPECT_EQ(swapped.otherWin, 1);
    EXPECT_EQ(swapped.sideWin, 0);
}

TEST(BanInfoFull, CopySwappedExchangesSides) {
    Placed p = line("WWWW+o", 2, 3);
    p.board.setMoveCount(5);
    BanInfo parent;
    parent.computeFull(p.board); // white to move, white can make five at (6, 3)
    EXPECT_EQ(parent.sideWin, 1);
    BanInfo child;
    child.copySwapped(parent);
    EXPECT_EQ(child.otherWin, 1);
    EXPECT_EQ(child.sideWin, 0);
    for (int i = 0; i < kPoints; ++i) {
        EXPECT_EQ(child.sideCodes[i], parent.otherCodes[i]);
        EXPECT_EQ(child.otherCodes[i], parent.sideCodes[i]);
    }
}

TEST(BanInfoIncremental, MovedPointIsOccupiedInBothMaps) {
    BanArray b;
    BanInfo root;
    root.computeFull(b);
    ASSERT_TRUE(b.put(cellIndex(7, 7)));
    BanInfo child;
    child.copySwapped(root);
    EXPECT_EQ(child.updateIncremental(b), 0);
    EXPECT_EQ(child.sideCodes[cellIndex(7, 7)], 20);
    EXPECT_EQ(child.otherCodes[cellIndex(7, 7)], 20);
    EXPECT_EQ(child.otherCodes[cellIndex(8, 8)], 19); // black: an open two there
    EXPECT_EQ(child.sideCodes[cellIndex(8, 8)], 20);
}

TEST(BanInfoIncremental, OnlyTheSpansUpToABlockerAreJudged) {
    // Black stones; the new white stone at (7, 7); a white stone at (9, 7) blocks black's
    // row beyond it, the board's edge cuts the column.
    Placed p = line("+B+o+W+", 4, 7);
    BanArray& b = p.board;
    b.setMoveCount(1); // white's turn: (7, 7) becomes the second move
    b[cellIndex(5, 7)] = kBlack;
    b[cellIndex(9, 7)] = kWhite;
    BanInfo info;
    for (int i = 0; i < kPoints; ++i) info.sideCodes[i] = info.otherCodes[i] = 30;
    ASSERT_TRUE(b.put(cellIndex(7, 7)));
    info.updateIncremental(b);
    // black is to move: the side-to-move map is black's
    EXPECT_NE(info.sideCodes[cellIndex(8, 7)], 30);  // before the white stone
    EXPECT_EQ(info.sideCodes[cellIndex(10, 7)], 30); // beyond it
    EXPECT_NE(info.sideCodes[cellIndex(2, 7)], 30);  // five cells away
    EXPECT_EQ(info.sideCodes[cellIndex(1, 7)], 30);  // six
    EXPECT_EQ(info.sideCodes[cellIndex(5, 7)], 30);  // a stone: not touched
    EXPECT_EQ(info.sideCodes[cellIndex(7, 7)], 20);
    EXPECT_NE(info.sideCodes[cellIndex(3, 11)], 30); // anti-diagonal
    EXPECT_EQ(info.sideCodes[cellIndex(8, 9)], 30);  // on no line through (7, 7)
    // white's row runs past its own stone at (9, 7) but stops at black's (5, 7)
    EXPECT_NE(info.otherCodes[cellIndex(10, 7)], 30);
    EXPECT_EQ(info.otherCodes[cellIndex(4, 7)], 30);
    EXPECT_NE(info.otherCodes[cellIndex(6, 7)], 30);
}

// A point whose code depends on a far stone keeps its old code: the row three of (7, 7)
// extends only at (9, 7), which the new stone (12, 10) makes forbidden. (7, 7) is on no line
// through (12, 10), so its code stays 21 although a full scan now says 15.
TEST(BanInfoIncremental, PointsOffTheSpansKeepTheirCodes) {
    // clang-format off
    Placed p = place({4, 6, {
        "...B....",
        "W.B.B...",
        "...B..B.",
        ".......B",
    }});
    // clang-format on
    BanArray& b = p.board;
    b.setMoveCount(8); // black to move
    BanInfo parent;
    parent.computeFull(b);
    EXPECT_EQ(parent.sideCodes[cellIndex(7, 7)], 21);
    ASSERT_TRUE(b.put(cellIndex(12, 10)));
    BanInfo child;
    child.copySwapped(parent);
    child.updateIncremental(b);
    EXPECT_EQ(child.otherCodes[cellIndex(7, 7)], 21);
    BanInfo fresh;
    fresh.computeFull(b);
    EXPECT_EQ(fresh.otherCodes[cellIndex(7, 7)], 15);
    EXPECT_EQ(child.otherCodes[cellIndex(9, 7)], fresh.otherCodes[cellIndex(9, 7)]); // on a span
}

TEST(BanInfoIncremental, FlagsFollowTheWholeMap) {
    Placed p = line("BWWW+o", 1, 3);
    BanArray& b = p.board;
    b.setMoveCount(5); // white to move
    BanInfo root;
    root.computeFull(b);
    EXPECT_EQ(root.sideWin, 0);
    ASSERT_TRUE(b.put(cellIndex(5, 3))); // white: four, five at (6, 3) next
    BanInfo child;
    child.copySwapped(root);
    EXPECT_EQ(child.updateIncremental(b), 1);
    EXPECT_EQ(child.otherWin, 1);
    EXPECT_EQ(child.sideWin, 0);
    EXPECT_EQ(child.otherCodes[cellIndex(6, 3)], 1);
    ASSERT_TRUE(b.put(cellIndex(6, 3))); // black blocks
    BanInfo grandchild;
    grandchild.copySwapped(child);
    EXPECT_EQ(grandchild.updateIncremental(b), 0);
}

} // namespace
