// sorell-cli's opening-rule questions, run as a separate process.

#include "child_process.h"
#include "opening/position_symmetry.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

// D1 (h8 h7 h6) and white h5: the board is its own mirror image about the h column.
const std::string kMirrored = "(;GM[4]SZ[15];B[hh];W[hg];B[hf];W[he])";

} // namespace

TEST(CliOpening, OfferAndSwapAnswerTheOpeningQuestions) {
    TempDir dir;
    dir.write("four.sgf", kMirrored);
    dir.write("three.sgf", "(;GM[4]SZ[15];B[hh];W[hg];B[hf])");
    RunResult r =
        runProgram(CLI_PATH, {"offer", "four.sgf", "--count", "4", "--nodes", "40000"}, dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    BanArray board;
    for (int p : {cellIndex(7, 7), cellIndex(7, 6), cellIndex(7, 5), cellIndex(7, 4)}) board.put(p);
    const uint8_t mask = positionSymmetries(board);
    std::istringstream lines(r.out);
    std::vector<int> offered;
    std::string text, xy, word;
    int score = 0, last = 1 << 30;
    while (lines >> text >> xy >> word >> score) {
        int x = 0, y = 0;
        ASSERT_TRUE(pointTextToXY(text[0], text[1], x, y));
        for (int q : offered) EXPECT_FALSE(equivalentUnder(mask, cellIndex(x, y), q)) << r.out;
        offered.push_back(cellIndex(x, y));
        EXPECT_LE(score, last); // best first
        last = score;
    }
    EXPECT_EQ(offered.size(), 4u) << r.out;

    r = runProgram(CLI_PATH, {"swap", "three.sgf", "--nodes", "20000"}, dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.rfind("swap\n", 0) == 0 || r.out.rfind("keep\n", 0) == 0) << r.out;
    EXPECT_NE(r.out.find("\nblack "), std::string::npos);
    EXPECT_NE(r.out.find("\nwhite "), std::string::npos);

    EXPECT_EQ(runProgram(CLI_PATH, {"offer", "four.sgf", "--count", "0"}, dir.path()).status, 2);
    EXPECT_EQ(runProgram(CLI_PATH, {"offer", "three.sgf"}, dir.path()).status, 1);
    EXPECT_EQ(runProgram(CLI_PATH, {"swap", "three.sgf", "--fifths", "3"}, dir.path()).status, 1);
}
