#include "base/geometry.h"
#include "database/symmetry.h"

#include <gtest/gtest.h>

#include <set>

TEST(Symmetry, EachIsABijectionUndoneByItsInverse) {
    for (int s = 0; s < kSymmetries; ++s) {
        std::set<int> images;
        for (int c = 0; c < kPoints; ++c) {
            const int t = transformCell(c, s);
            ASSERT_LT(t, kPoints) << "s=" << s << " c=" << c;
            images.insert(t);
            EXPECT_EQ(inverseTransformCell(t, s), c) << "s=" << s << " c=" << c;
            EXPECT_EQ(transformCell(inverseTransformCell(c, s), s), c) << "s=" << s;
        }
        EXPECT_EQ(images.size(), 225u) << "s=" << s;
        EXPECT_EQ(transformCell(112, s), 112) << "the centre is fixed";
    }
}

TEST(Symmetry, TheEightMapsOfOnePoint) {
    // (x, y) = (9, 8) is (p, q) = (2, 1).
    const int c = cellIndex(9, 8);
    const int expected[kSymmetries][2] = {{2, 1},  {-1, -2}, {-2, -1}, {1, -2},
                                          {-1, 2}, {-2, 1},  {1, 2},   {2, -1}};
    std::set<int> all;
    for (int s = 0; s < kSymmetries; ++s) {
        const int t = transformCell(c, s);
        EXPECT_EQ(cellX(t) - 7, expected[s][0]) << "s=" << s;
        EXPECT_EQ(cellY(t) - 7, expected[s][1]) << "s=" << s;
        all.insert(t);
    }
    EXPECT_EQ(all.size(), 8u);
}

TEST(Symmetry, QuarterTurnsAreEachOthersInverse) {
    for (int c = 0; c < kPoints; ++c) {
        EXPECT_EQ(inverseTransformCell(c, 3), transformCell(c, 4));
        EXPECT_EQ(inverseTransformCell(c, 4), transformCell(c, 3));
        for (int s : {0, 1, 2, 5, 6, 7}) EXPECT_EQ(inverseTransformCell(c, s), transformCell(c, s));
    }
    EXPECT_NE(transformCell(cellIndex(8, 7), 3), transformCell(cellIndex(8, 7), 4));
}

TEST(Symmetry, NoPointStaysNoPoint) {
    for (int s = 0; s < kSymmetries; ++s) {
        EXPECT_EQ(transformCell(225, s), 255);
        EXPECT_EQ(transformCell(255, s), 255);
        EXPECT_EQ(inverseTransformCell(240, s), 255);
    }
}
