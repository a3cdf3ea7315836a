#include "base/geometry.h"

#include <gtest/gtest.h>

namespace {

TEST(Geometry, CellIndexCorners) {
    EXPECT_EQ(cellIndex(0, 0), 0);
    EXPECT_EQ(cellIndex(14, 0), 14);
    EXPECT_EQ(cellIndex(0, 1), 15);
    EXPECT_EQ(cellIndex(14, 14), 224);
    for (int i : {0, 14, 15, 112, 224}) EXPECT_EQ(cellIndex(cellX(i), cellY(i)), i);
    EXPECT_FALSE(onBoard(15, 0));
    EXPECT_FALSE(onBoard(0, -1));
}

TEST(Geometry, PointText) {
    EXPECT_EQ(pointText(0, 0), "a1");
    EXPECT_EQ(pointText(14, 14), "oF");
    EXPECT_EQ(pointText(7, 7), "h8");
    int x = -1, y = -1;
    ASSERT_TRUE(pointTextToXY('H', '8', x, y));
    EXPECT_EQ(x, 7);
    EXPECT_EQ(y, 7);
    ASSERT_TRUE(pointTextToXY('o', 'F', x, y));
    EXPECT_EQ(x, 14);
    EXPECT_EQ(y, 14);
    EXPECT_FALSE(pointTextToXY('p', '1', x, y));
    EXPECT_FALSE(pointTextToXY('a', 'f', x, y)); // rows above 9 are upper case
    EXPECT_FALSE(pointTextToXY('a', '0', x, y));
    EXPECT_EQ(x, 14);
}

TEST(Geometry, RecordLettersReadBackWithoutRangeCheck) {
    EXPECT_EQ(recordLetters(14, 0), "oa");
    EXPECT_EQ(recordLetters(7, 7), "hh");
    int x = 0, y = 0;
    recordLettersToXY('p', 'a', x, y);
    EXPECT_EQ(x, 15);
    EXPECT_EQ(y, 0);
    EXPECT_FALSE(onBoard(x, y));
    recordLettersToXY('A', 'a', x, y);
    EXPECT_LT(x, 0);
}

TEST(Geometry, MoveNumbers) {
    EXPECT_EQ(moveNumber(14, 14), 1515);
    EXPECT_EQ(moveNumber(0, 0), 101);
    EXPECT_EQ(moveNumber(7, 7), 808);
    int x = -1, y = -1;
    for (int bad : {100, 116, 1500, 1600, 0, 99, -101, 10101}) {
        EXPECT_FALSE(moveNumberToXY(bad, x, y)) << bad;
    }
    EXPECT_EQ(x, -1);
    ASSERT_TRUE(moveNumberToXY(1501, x, y));
    EXPECT_EQ(x, 14);
    EXPECT_EQ(y, 0);
}

TEST(Geometry, MovesAndColours) {
    EXPECT_NE(makePos(7, 7, 'B'), makePos(7, 7, 'W'));
    EXPECT_EQ(makePos(7, 7, 'B'), (Pos{7, 7, 'B'}));
    MovedPos m{3, 4, 'W', 12};
    EXPECT_EQ(m.pos(), makePos(3, 4, 'W'));
    EXPECT_EQ(colourToMove(0), 'B');
    EXPECT_EQ(colourToMove(224), 'B');
    EXPECT_EQ(colourToMove(1), 'W');
}

} // namespace
