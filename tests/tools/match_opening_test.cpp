// sorell-match with an opening rule: the phase is played before each game and logged.

#include "child_process.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

TEST(MatchOpeningRule, EachGameStartsAfterItsPhaseAndTheLogShowsIt) {
    TempDir dir;
    const std::string engine = std::string(PBRAIN_PATH) + " --nodes 3000";
    RunResult r = runProgram(MATCH_PATH,
                             {"--engine1", engine, "--engine2", engine, "--openings", "D4",
                              "--opening-rule", "taraguchi-10", "--phase-nodes", "5000", "--grace",
                              "120000", "--games-log", dir.file("games.txt")},
                             dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("game 2/2"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("  black     "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("  phase     "), std::string::npos) << r.out;
    std::istringstream log(dir.read("games.txt"));
    int lines = 0;
    for (std::string line; std::getline(log, line); ++lines) {
        EXPECT_NE(line.find(" | phase taraguchi-10 opening=D4 swaps="), std::string::npos) << line;
        EXPECT_NE(line.find(" | h8 h7 i7 "), std::string::npos)
            << line; // the opening's stones first
    }
    EXPECT_EQ(lines, 2);

    r = runProgram(MATCH_PATH,
                   {"--engine1", engine, "--engine2", engine, "--opening-rule", "renju"},
                   dir.path());
    EXPECT_EQ(r.status, 2);
}
