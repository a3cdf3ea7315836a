// sorell-tune run as a separate process.

#include "child_process.h"

#include "rules/ban_array.h"
#include "rules/chk_stat.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// Self-play writes whole, legal games that end as their result says, and the fit reads them
// back with features that evaluate every position exactly as the search does.
TEST(TuneTool, PlaysLegalGamesAndFitsTheSearchsOwnEvaluation) {
    TempDir dir;
    RunResult r = runProgram(TUNE_PATH, {"games", "--count", "3", "--nodes", "800"}, dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream lines(r.out);
    int games = 0;
    for (std::string line; std::getline(lines, line); ++games) {
        std::istringstream fields(line);
        double blackScore = -1;
        fields >> blackScore;
        BanArray board;
        int last = kNoMove, code = kCodeNothing;
        for (int p; fields >> p; last = p) {
            ASSERT_TRUE(p >= 0 && p < kPoints && board.at(p) == kEmpty) << line;
            code = ChkStat(board).judgePoint(p, colourToMove(board.moveCount()));
            board.put(p);
        }
        ASSERT_NE(last, kNoMove);
        const bool blackLast = board.moveCount() % 2 == 1;
        if (blackScore == 1.0)
            EXPECT_TRUE(blackLast && isWinCode(code)) << line;
        else if (blackScore == 0.0)
            EXPECT_TRUE(blackLast ? isForbiddenCode(code) : isWinCode(code)) << line;
        else
            EXPECT_EQ(board.moveCount(), kPoints) << line;
    }
    EXPECT_EQ(games, 3);
    // The same games on every run, and a run from --first plays the same games as a longer one.
    const RunResult again =
        runProgram(TUNE_PATH, {"games", "--count", "3", "--nodes", "800"}, dir.path());
    EXPECT_EQ(again.out, r.out);
    const RunResult second = runProgram(
        TUNE_PATH, {"games", "--first", "1", "--count", "1", "--nodes", "800"}, dir.path());
    EXPECT_EQ(second.out, r.out.substr(r.out.find('\n') + 1, second.out.size()));

    dir.write("games.txt", r.out);
    r = runProgram(TUNE_PATH, {"fit", dir.file("games.txt"), "--steps", "2"}, dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find(" 0 evaluated otherwise than the search does"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("kPatternValue[2][kPatCount]"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("kPairValue[2][kPairCount]"), std::string::npos) << r.out;

    EXPECT_EQ(runProgram(TUNE_PATH, {"fit", dir.file("missing")}, dir.path()).status, 1);
    EXPECT_EQ(runProgram(TUNE_PATH, {"games", "--nodes", "x"}, dir.path()).status, 2);
}

} // namespace
