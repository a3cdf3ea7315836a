// The black shape tests, each tried with the centre on every stone of its shape.
#include "board_picture.h"
#include "rules/line_window.h"

#include <gtest/gtest.h>

namespace {

// Runs test on the row of s with the centre moved to each 'B' in turn; returns, per stone
// from the left, whether the test held ('1') or not ('0').
template <class Test> std::string perStone(Test test, const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != 'B') continue;
        std::string c = s;
        c[i] = 'b';
        Placed p = line(c);
        LineWindow w(kBlack, p.centre, p.board);
        w.direction = 0;
        out += test(w) ? '1' : '0';
    }
    return out;
}

template <class Test> bool atCentre(Test test, const std::string& s, int d = 0) {
    Placed p = line(s, 2, 2, d);
    LineWindow w(kBlack, p.centre, p.board);
    w.direction = d;
    return test(w);
}

TEST(SplitFour, AllThreeShapesOnEveryStone) {
    EXPECT_EQ(perStone(isSplitFour, "+B+BBB+"), "1111");
    EXPECT_EQ(perStone(isSplitFour, "+BB+BB+"), "1111");
    EXPECT_EQ(perStone(isSplitFour, "+BBB+B+"), "1111");
    EXPECT_EQ(perStone(isSplitFour, "W+BBB+W"), "000"); // unbroken: not a split four
}

TEST(SplitFour, OneMoreStoneBeyondEitherEndSpoilsIt) {
    EXPECT_FALSE(atCentre(isSplitFour, "+Bb+BBB+"));
    EXPECT_FALSE(atCentre(isSplitFour, "+b+BBBB+"));
    EXPECT_TRUE(atCentre(isSplitFour, "Wb+BBBW"));  // white neighbours are fine
    EXPECT_TRUE(atCentre(isSplitFour, "b+BBB", 1)); // on a diagonal
}

TEST(LineDoubleFour, OnlyInnerStonesOfTheShape) {
    EXPECT_EQ(perStone(isLineDoubleFour, "+B+BBB+B+"), "01110");
    EXPECT_EQ(perStone(isLineDoubleFour, "+BB+BB+BB+"), "001100");
    EXPECT_EQ(perStone(isLineDoubleFour, "+BBB+B+BBB+"), "0001000");
    EXPECT_EQ(perStone(isLineDoubleFour, "WB+BBB+BW"), "01110");
}

TEST(LineDoubleFour, BlackNextToTheShapeIsNotADoubleFour) {
    EXPECT_FALSE(atCentre(isLineDoubleFour, "BB+BbB+B+"));
    EXPECT_FALSE(atCentre(isLineDoubleFour, "+B+BbB+BB"));
    EXPECT_FALSE(atCentre(isLineDoubleFour, "+B+BbB++B"));
}

TEST(SpoiledFour, FourRunningIntoOneMoreStone) {
    EXPECT_EQ(perStone(isSpoiledFour, "+BBBB+B+"), "11110");
    EXPECT_EQ(perStone(isSpoiledFour, "+B+BBBB+"), "01111");
    EXPECT_EQ(perStone(isSpoiledFour, "WBBBB+BW"), "11110");
    EXPECT_EQ(perStone(isSpoiledFour, "+BBBB++B"), "00000");
    EXPECT_EQ(perStone(isSpoiledFour, "BBBBB+B"), "000000"); // a five and a stone: no spoiled four
}

TEST(TrueThree, OpenThreeOnAQuietBoard) {
    EXPECT_EQ(perStone(isTrueThree, "++BBB++"), "111");
    EXPECT_EQ(perStone(isTrueThree, "W+BBB++W"), "111"); // only the right side extends
    EXPECT_EQ(perStone(isTrueThree, "W+BBB+W"), "000");
    EXPECT_EQ(perStone(isTrueThree, "++BBB+B"), "0000");   // B two cells right of the three
    EXPECT_EQ(perStone(isTrueThree, "+++BBB++B"), "1110"); // left extension still works
}

TEST(TrueThree, SplitForms) {
    EXPECT_EQ(perStone(isTrueSplitThree, "++B+BB++"), "111");
    EXPECT_EQ(perStone(isTrueSplitThree, "++BB+B++"), "111");
    EXPECT_EQ(perStone(isTrueSplitThree, "W+B+BB+W"), "111");
    EXPECT_EQ(perStone(isTrueSplitThree, "WB+BB+W"), "000");
    EXPECT_EQ(perStone(isTrueSplitThree, "++B+BB+B"), "0000"); // black next to the shape
}

TEST(TrueThree, SplitFourLineIsNotAThree) {
    EXPECT_FALSE(atCentre(isTrueThree, "+B+BbB+B+"));
    EXPECT_FALSE(atCentre(isTrueSplitThree, "+B+BbB+B+"));
}

// Row "W+BbB++" from (2, 7): the three can only be extended at (7, 7), where the black
// column (7, 3..5) would make a second four: the extending point is forbidden.
TEST(TrueThree, ForbiddenExtendingPointDoesNotCount) {
    Placed p = line("W+BbB++", 2, 7);
    for (int y : {3, 4, 5}) p.board[cellIndex(7, y)] = kBlack;
    LineWindow w(kBlack, p.centre, p.board);
    w.direction = 0;
    EXPECT_FALSE(isTrueThree(w));
    p.board[cellIndex(7, 4)] = kWhite; // now (7, 7) is a plain straight four
    LineWindow w2(kBlack, p.centre, p.board);
    w2.direction = 0;
    EXPECT_TRUE(isTrueThree(w2));
}

// When the first placement's extending point is forbidden, the other side is tried.
TEST(TrueThree, NextPlacementTriedAfterAForbiddenOne) {
    Placed p = line("+++BbB+++", 1, 7);
    // (7, 7) right of the three is made forbidden by a black column three above it.
    for (int y : {3, 4, 5}) p.board[cellIndex(7, y)] = kBlack;
    LineWindow w(kBlack, p.centre, p.board);
    w.direction = 0;
    EXPECT_TRUE(isTrueThree(w)); // extended on the left at (3, 7)
    p.board[cellIndex(3, 4)] = kBlack;
    p.board[cellIndex(3, 5)] = kBlack;
    p.board[cellIndex(3, 3)] = kBlack;
    LineWindow w2(kBlack, p.centre, p.board);
    w2.direction = 0;
    EXPECT_FALSE(isTrueThree(w2)); // both extending points forbidden
}

} // namespace
