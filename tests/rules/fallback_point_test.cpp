#include "base/geometry.h"
#include "rules/ban_array.h"
#include "rules/chk_stat.h"
#include "rules/fallback_point.h"

#include <gtest/gtest.h>

namespace {

BanArray boardOf(std::initializer_list<int> points) {
    BanArray board;
    for (int p : points) board.put(p);
    return board;
}

} // namespace

// The answer when a search has none: a playable point next to the stones, never a forbidden one
// for black, and no point at all on a full board.
TEST(FallbackPoint, NearestPlayablePointOrNone) {
    EXPECT_EQ(fallbackPoint(boardOf({kCentrePoint})), cellIndex(6, 6));
    EXPECT_EQ(fallbackPoint(boardOf({cellIndex(14, 14), cellIndex(0, 0)})), cellIndex(1, 0));

    // Black to move: e8 is a double three (d8, f8 with e6, e7) and the nearest empty point.
    BanArray doubleThree =
        boardOf({cellIndex(3, 7), cellIndex(0, 14), cellIndex(5, 7), cellIndex(14, 0),
                 cellIndex(4, 5), cellIndex(14, 14), cellIndex(4, 6), cellIndex(0, 13)});
    ASSERT_TRUE(ChkStat(doubleThree).isForbiddenBlack(cellIndex(4, 7)));
    const int answer = fallbackPoint(doubleThree);
    ASSERT_NE(answer, kNoMove);
    EXPECT_EQ(doubleThree.at(answer), kEmpty);
    EXPECT_FALSE(ChkStat(doubleThree).isForbiddenBlack(answer));

    BanArray full;
    for (int p = 0; p < kPoints; ++p) full.setAt(p, p % 2 ? kWhite : kBlack);
    EXPECT_EQ(fallbackPoint(full), kNoMove);
}
