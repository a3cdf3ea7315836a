#include "base/geometry.h"
#include "database/kdb_file.h"
#include "database/openings.h"
#include "database/symmetry.h"

#include <gtest/gtest.h>

namespace {

TEST(Openings, CellsUnderEverySymmetry) {
    const Opening& i12 = openings()[24];
    const std::array<int, 3> plain = openingCells(i12);
    for (size_t k = 0; k < 3; ++k)
        EXPECT_EQ(plain[k], cellIndex(i12.stones[k][0], i12.stones[k][1]));
    for (int s = 0; s < kSymmetries; ++s) {
        const std::array<int, 3> cells = openingCells(i12, s);
        EXPECT_EQ(cells[0], cellIndex(7, 7));
        for (size_t k = 0; k < 3; ++k) EXPECT_EQ(cells[k], transformCell(plain[k], s));
    }
}

TEST(KdbFolderPath, ASeparatorOnceAndTheCurrentDirectoryEmpty) {
    EXPECT_EQ(kdbFolderPath(""), "");
    EXPECT_EQ(kdbFolderPath("db/books"), "db/books/");
    EXPECT_EQ(kdbFolderPath("db/"), "db/");
    EXPECT_EQ(kdbFolderPath("C:\\db\\"), "C:\\db\\");
    EXPECT_EQ(kdbFileName(3, kdbFolderPath("db/books")), "db/books/kelp003.kdb");
}

} // namespace
