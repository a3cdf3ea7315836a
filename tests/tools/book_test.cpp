// sorell-book run as a separate process.

#include "child_process.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// A folder that already holds a book file is refused before any search, and nothing in it
// changes; so is a folder that is not there.
TEST(BookTool, RefusesAFolderWithABookBeforeSearching) {
    TempDir dir;
    dir.write("kelp003.kdb", "old");
    RunResult r =
        runProgram(BOOK_PATH, {"--out", dir.path(), "--depth", "1", "--stones", "4"}, dir.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("kelp003.kdb"), std::string::npos) << r.err;
    EXPECT_EQ(dir.read("kelp003.kdb"), "old");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, 1) << "a part of a new book was written beside the old one";

    r = runProgram(BOOK_PATH, {"--out", dir.file("missing")}, dir.path());
    EXPECT_EQ(r.status, 1);
    r = runProgram(BOOK_PATH, {"--depth", "0"}, dir.path());
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--depth: '0'"), std::string::npos) << r.err;
}

} // namespace
