#include "board_picture.h"
#include "player/standard/phase.h"
#include "player/standard/phase_arena.h"
#include "rules/chk_stat.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A root on a board of n stones put in a row-major spiral-free order away from each other.
// The nodes of every test, freed at the end of the program.
PhaseArena arena;

Phase* rootWithStones(int n) {
    std::vector<int> points;
    for (int i = 0; i < n; ++i) points.push_back(cellIndex(2 * (i % 7), 2 * (i / 7)));
    return arena.make(boardMoves(points));
}

// Makes a child and links it as the search does.
Phase* addChild(Phase* parent, int point) {
    Phase* child = arena.make(parent, point);
    parent->children.pushBack(child);
    return child;
}

} // namespace

TEST(PhaseNode, ChildPutsTheColourToMove) {
    auto root7 = rootWithStones(7);
    Phase* c = addChild(root7, cellIndex(7, 7));
    EXPECT_EQ(c->board.moveCount(), 8);
    EXPECT_EQ(c->board[cellIndex(7, 7)], kWhite);
    EXPECT_EQ(c->lastPoint(), cellIndex(7, 7));
    EXPECT_EQ(c->depth(), 1);
    EXPECT_EQ(addChild(c, cellIndex(8, 8))->depth(), 2);

    auto root6 = rootWithStones(6);
    Phase* b = addChild(root6, cellIndex(7, 7));
    EXPECT_EQ(b->board[cellIndex(7, 7)], kBlack);
    // The parent's board is not touched.
    EXPECT_EQ(root6->board[cellIndex(7, 7)], kEmpty);
    EXPECT_EQ(root6->board.moveCount(), 6);
}

TEST(PhaseNode, ChildCodesAreTheParentsWithSidesExchangedAndUpdatedNearTheStone) {
    // Black: an open three on row 7; white to move at the root.
    BanArray board = boardPicture({
        "...............",
        "...............",
        "..O............",
        "...............",
        "...............",
        "...............",
        "...............",
        "......XXX......",
        "...............",
        ".............O.",
    });
    Phase* root = arena.make(board);
    ASSERT_EQ(colourToMove(root->board.moveCount()), kWhite);
    const int block = cellIndex(5, 7); // white takes the left end
    Phase* child = addChild(root, block);
    ASSERT_EQ(colourToMove(child->board.moveCount()), kBlack);

    ChkStat judge(child->board);
    // Near the new stone the child's side to move (black) is judged on the child's board.
    for (int x = 6; x <= 10; ++x) {
        int p = cellIndex(x, 7);
        if (child->board.at(p) == kEmpty) {
            EXPECT_EQ(child->codes()->sideCodes[p], judge.judgeBlack(p)) << x;
        }
    }
    EXPECT_EQ(child->codes()->sideCodes[block], kCodeNothing);
    EXPECT_EQ(child->codes()->otherCodes[block], kCodeNothing);
    // Far from it, codes are the parent's, sides exchanged.
    const int far = cellIndex(13, 13);
    EXPECT_EQ(child->codes()->sideCodes[far], root->codes()->otherCodes[far]);
    EXPECT_EQ(child->codes()->otherCodes[far], root->codes()->sideCodes[far]);
    // Black's straight four at the right end survives; at the left it is gone.
    EXPECT_EQ(root->codes()->otherCodes[cellIndex(9, 7)], 2);
    EXPECT_EQ(child->codes()->sideCodes[cellIndex(9, 7)], judge.judgeBlack(cellIndex(9, 7)));
    EXPECT_GT(child->codes()->sideCodes[cellIndex(9, 7)], 2);
}

TEST(PhaseNode, FiveMadeAndFiveBlocked) {
    // Black four on row 7 (x 3..6), white to move.
    BanArray board = boardPicture({
        "...............",
        "...............",
        "OOO............",
        "...............",
        "...............",
        "...............",
        "...............",
        "...XXXX........",
        "...............",
        "...............",
        "...............",
        "...............",
        "...............",
        "...............",
        "O.............X",
    });
    Phase* root = arena.make(board);
    // White takes the five point of black: blocks, makes nothing.
    Phase* block = addChild(root, cellIndex(7, 7));
    EXPECT_TRUE(block->blocksFive());
    EXPECT_FALSE(block->makesFive());
    // Elsewhere: neither; black then makes five at the other end.
    Phase* other = addChild(root, cellIndex(10, 10));
    EXPECT_FALSE(other->blocksFive());
    EXPECT_FALSE(other->makesFive());
    Phase* five = addChild(other, cellIndex(2, 7));
    EXPECT_TRUE(five->makesFive());
    EXPECT_FALSE(five->blocksFive());
}

TEST(PhaseValues, PropagateKeepsMaximumAtEvenParentsAndMinimumAtOdd) {
    auto root = rootWithStones(4);
    Phase* a = addChild(root, cellIndex(7, 7));
    Phase* b = addChild(root, cellIndex(8, 8));
    // Depth 1 into the root (computer, maximum).
    a->propagate(30);
    EXPECT_EQ(root->value, 30);
    b->propagate(10);
    EXPECT_EQ(root->value, 30);
    EXPECT_EQ(b->value, 10);
    b->propagate(40);
    EXPECT_EQ(root->value, 40);

    // Depth 2 into a depth-1 node (opponent, minimum): 30 then 10 leaves 10; 10 then 30 too.
    Phase* a1 = addChild(a, cellIndex(9, 9));
    Phase* a2 = addChild(a, cellIndex(10, 10));
    a->value = kUnsetValue;
    a1->propagate(30);
    EXPECT_EQ(a->value, 30);
    a2->propagate(10);
    EXPECT_EQ(a->value, 10);
    a1->propagate(30);
    EXPECT_EQ(a->value, 10);

    // An unvalued parent takes the first value whatever it is, the unset value included.
    b->value = kUnsetValue;
    Phase* b1 = addChild(b, cellIndex(11, 11));
    b1->propagate(-9999);
    EXPECT_EQ(b->value, -9999);
    b->value = kUnsetValue;
    b1->propagate(kUnsetValue);
    EXPECT_EQ(b->value, kUnsetValue);
}

TEST(PhaseValues, WinValueBySideAndCodesReleased) {
    auto root = rootWithStones(4);
    Phase* mine = addChild(root, cellIndex(7, 7));
    Phase* theirs = addChild(mine, cellIndex(8, 8));
    mine->setWinValue();
    EXPECT_EQ(mine->value, kWinValue);
    EXPECT_EQ(root->value, kWinValue);
    EXPECT_EQ(mine->codes(), nullptr);

    mine->value = kUnsetValue;
    theirs->setWinValue();
    EXPECT_EQ(theirs->value, kLossValue);
    EXPECT_EQ(mine->value, kLossValue);

    // finish passes on the node's own value.
    Phase* other = addChild(root, cellIndex(9, 9));
    other->value = 123;
    root->value = kUnsetValue;
    other->finish();
    EXPECT_EQ(root->value, 123);
    EXPECT_EQ(other->codes(), nullptr);
}

TEST(PhaseValues, BestChildValue) {
    auto root = rootWithStones(4);
    EXPECT_EQ(root->bestChildValue(), kUnsetValue);
    Phase* a = addChild(root, cellIndex(7, 7));
    Phase* b = addChild(root, cellIndex(8, 8));
    Phase* c = addChild(root, cellIndex(9, 9));
    EXPECT_EQ(root->bestChildValue(), kUnsetValue);
    a->value = kLossValue;
    EXPECT_EQ(root->bestChildValue(), kLossValue);
    a->value = 5;
    b->value = -3;
    c->value = 5;
    EXPECT_EQ(root->bestChildValue(), 5);
    b->value = 6;
    EXPECT_EQ(root->bestChildValue(), 6);
}

TEST(PhaseValues, UnsetMarkerIsNeverAValue) {
    auto root = rootWithStones(4);
    Phase* a = addChild(root, cellIndex(7, 7));
    Phase* leaf = addChild(a, cellIndex(8, 8));
    // A leaf whose sum is exactly the marker: three of the other side's fives and one straight
    // four on empty points, nothing else anywhere.
    BanInfo* codes = leaf->codes();
    for (int p = 0; p < kPoints; ++p) codes->sideCodes[p] = codes->otherCodes[p] = kCodeNothing;
    for (int x : {10, 11, 12}) codes->otherCodes[cellIndex(x, 14)] = 1;
    codes->otherCodes[cellIndex(13, 14)] = 2;
    leaf->evaluate();
    EXPECT_EQ(leaf->value, kUnsetValue + 1);
    EXPECT_EQ(a->value, kUnsetValue + 1);

    // A child that finishes without a value leaves its parent's value as it was, at both
    // kinds of parent.
    Phase* b = addChild(root, cellIndex(9, 9));
    Phase* b1 = addChild(b, cellIndex(10, 10));
    b->value = 40;
    b1->finish();
    EXPECT_EQ(b->value, 40);
    root->value = -30;
    b->value = kUnsetValue;
    b->finish();
    EXPECT_EQ(root->value, -30);
}
