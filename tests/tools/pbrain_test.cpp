// pbrain-sorell driven through pipes the way a tournament manager drives it.

#include "base/geometry.h"
#include "child_process.h"
#include "rules/ban_array.h"
#include "rules/ban_history.h"
#include "rules/chk_stat.h"
#include "rules/move_code.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <random>
#include <regex>
#include <string>
#include <vector>

namespace {

constexpr int kMoveTimeoutMs = 120000; // generous: sanitizer builds think slowly
constexpr int kAnswerTimeoutMs = 30000;

std::optional<std::pair<int, int>> parseXY(const std::string& s) {
    std::smatch m;
    if (!std::regex_match(s, m, std::regex("([0-9]{1,2}),([0-9]{1,2})"))) return std::nullopt;
    return std::make_pair(std::stoi(m[1]), std::stoi(m[2]));
}

std::string xy(int i) {
    return std::to_string(cellX(i)) + "," + std::to_string(cellY(i));
}

bool isEmpty(const BanHistory& h, int i) {
    for (const MovedPos& m : h)
        if (cellIndex(m.x, m.y) == i) return false;
    return true;
}

// The scripted opponent: makes five when it can, blocks the other side's five, then its
// straight fours and four-threes, otherwise plays a random empty point within two lines of
// the stones. As black it avoids forbidden
// points while it has others.
int opponentMove(const BanHistory& h, std::mt19937& rng) {
    BanArray board(h);
    ChkStat judge(board);
    const char me = colourToMove(static_cast<int>(h.size()));
    const char other = otherColour(me);
    auto allowed = [&](int i) { return me == kWhite || !judge.isForbiddenBlack(i); };
    for (int i = 0; i < kPoints; ++i)
        if (board[i] == kEmpty && allowed(i) && isWinCode(judge.judgePoint(i, me))) return i;
    for (int i = 0; i < kPoints; ++i)
        if (board[i] == kEmpty && allowed(i) && isWinCode(judge.judgePoint(i, other))) return i;
    for (int i = 0; i < kPoints; ++i)
        if (board[i] == kEmpty && allowed(i) && isFourThreeOrBetterCode(judge.judgePoint(i, other)))
            return i;
    std::vector<int> near, any;
    for (int i = 0; i < kPoints; ++i) {
        if (board[i] != kEmpty || !allowed(i)) continue;
        any.push_back(i);
        for (const MovedPos& m : h)
            if (std::abs(m.x - cellX(i)) <= 2 && std::abs(m.y - cellY(i)) <= 2) {
                near.push_back(i);
                break;
            }
    }
    std::vector<int>& pool = near.empty() ? any : near;
    if (pool.empty()) {
        for (int i = 0; i < kPoints; ++i)
            if (board[i] == kEmpty) return i;
        return -1;
    }
    return pool[rng() % pool.size()];
}

class PbrainProcess : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(dir.path().empty());
        // Started in an empty directory with that directory as its database: no stray
        // kelp files can answer for it.
        ASSERT_TRUE(brain.start(PBRAIN_PATH, {"--db", dir.path()}, dir.path()));
    }

    std::string send(const std::string& line, int timeoutMs = kAnswerTimeoutMs) {
        EXPECT_TRUE(brain.writeLine(line)) << line;
        auto answer = brain.readLine(timeoutMs);
        EXPECT_TRUE(answer.has_value()) << "no answer to '" << line << "'";
        return answer.value_or("");
    }

    // Sends a move command, checks that the answer is a legal point for the side to move in
    // the test's own copy of the game, and plays it there. Returns its code.
    int brainMove(const std::string& line) {
        std::string answer = send(line, kMoveTimeoutMs);
        auto p = parseXY(answer);
        EXPECT_TRUE(p.has_value()) << "'" << line << "' answered '" << answer << "'";
        if (!p) return -1;
        EXPECT_TRUE(onBoard(p->first, p->second)) << answer;
        EXPECT_TRUE(isEmpty(game, cellIndex(p->first, p->second))) << answer << " is occupied";
        game.appendAndJudge(p->first, p->second, colourToMove(static_cast<int>(game.size())));
        EXPECT_FALSE(isForbiddenCode(game.last().code)) << "the brain played forbidden " << answer;
        return game.last().code;
    }

    // Plays the game on to its end: the brain answers every opponent move. Returns the code
    // of the move that ended it (20 when the board filled up).
    int playToTheEnd(int firstBrainCode) {
        int code = firstBrainCode;
        while (code >= 0 && !isEndCode(code) && game.size() < static_cast<size_t>(kPoints)) {
            int o = opponentMove(game, rng);
            if (o < 0) break;
            game.appendAndJudge(cellX(o), cellY(o), colourToMove(static_cast<int>(game.size())));
            if (isEndCode(game.last().code)) return game.last().code;
            if (game.size() >= static_cast<size_t>(kPoints)) break;
            code = brainMove("TURN " + xy(o));
            if (::testing::Test::HasFailure()) return -1;
        }
        return code;
    }

    TempDir dir;
    ChildProcess brain;
    BanHistory game;
    std::mt19937 rng{20240607};
};

} // namespace

TEST_F(PbrainProcess, PlaysWholeGamesAsBlackAndAfterABoardAsWhite) {
    EXPECT_EQ(send("ABOUT").rfind(R"(name="Sorell", version="2.22")", 0), 0u);
    EXPECT_EQ(send("START 15"), "OK");
    ASSERT_TRUE(brain.writeLine("INFO timeout_turn 5000"));
    ASSERT_TRUE(brain.writeLine("INFO timeout_match 0"));
    ASSERT_TRUE(brain.writeLine("INFO rule 4"));

    // Game 1: the brain opens as black.
    int end = playToTheEnd(brainMove("BEGIN"));
    ASSERT_FALSE(HasFailure());
    EXPECT_TRUE(isEndCode(end)) << "game 1 did not end by a five or a forbidden move";
    std::printf("game 1: %zu moves, %s won\n", game.size(),
                game.last().colour == kBlack ? "black (the brain)" : "white");
    // A move after the end is refused.
    int free = 0;
    while (!isEmpty(game, free)) ++free;
    EXPECT_EQ(send("TURN " + xy(free)).rfind("ERROR", 0), 0u);

    // Game 2: an opening sent with BOARD (black h8, white i9, black j8), the brain is white.
    EXPECT_EQ(send("RESTART"), "OK");
    game.clear();
    ASSERT_TRUE(brain.writeLine("BOARD"));
    const std::vector<std::pair<std::string, int>> opening = {
        {"7,7,2", cellIndex(7, 7)}, {"8,8,1", cellIndex(8, 8)}, {"9,7,2", cellIndex(9, 7)}};
    for (const auto& [line, cell] : opening) {
        ASSERT_TRUE(brain.writeLine(line));
        game.appendAndJudge(cellX(cell), cellY(cell), colourToMove(static_cast<int>(game.size())));
    }
    int code = brainMove("DONE");
    ASSERT_FALSE(HasFailure());
    EXPECT_EQ(game.last().colour, kWhite);

    // Take back the brain's answer and black's last stone, then let black play on the point
    // the brain had used: the brain must have freed it.
    const MovedPos mine = game.last();
    EXPECT_EQ(send("TAKEBACK " + std::to_string(mine.x) + "," + std::to_string(mine.y)), "OK");
    game.removeLast();
    const MovedPos theirs = game.last();
    EXPECT_EQ(send("TAKEBACK " + std::to_string(theirs.x) + "," + std::to_string(theirs.y)), "OK");
    game.removeLast();
    game.appendAndJudge(mine.x, mine.y, kBlack);
    code = brainMove("TURN " + std::to_string(mine.x) + "," + std::to_string(mine.y));
    ASSERT_FALSE(HasFailure());

    end = playToTheEnd(code);
    ASSERT_FALSE(HasFailure());
    EXPECT_TRUE(isEndCode(end) || game.size() == static_cast<size_t>(kPoints));
    std::printf("game 2: %zu moves, last move by %s, code %d\n", game.size(),
                game.last().colour == kBlack ? "black" : "white (the brain)", end);

    ASSERT_TRUE(brain.writeLine("END"));
    EXPECT_EQ(brain.finish(10000), 0);
}

TEST_F(PbrainProcess, MalformedLinesAreAnsweredAndThePositionKept) {
    EXPECT_EQ(send("START 15"), "OK");
    brainMove("BEGIN");
    game.appendAndJudge(8, 8, kWhite);
    brainMove("TURN 8,8");
    ASSERT_FALSE(HasFailure());

    const std::vector<std::string> junk = {
        "TURN",
        "TURN 7",
        "TURN 7,7,7",
        "TURN -1,2",
        "TURN 15,3",
        "TURN 3,15",
        "TURN x,y",
        "TURN 99999999999999,1",
        "TAKEBACK 0,0",
        "TAKEBACK",
        "DONE",
        "START 19",
        "RECTSTART 20,20",
        "BEGIN",
        "PLAY 1,1",
        "SWAP2BOARD",
        "HELLO",
        "1,2,1",
        "\x01\x02\xfe",
        std::string(5000, 'T'),
    };
    for (const std::string& line : junk) {
        std::string answer = send(line);
        EXPECT_TRUE(answer.rfind("ERROR ", 0) == 0 || answer.rfind("UNKNOWN ", 0) == 0)
            << "'" << line.substr(0, 20) << "' answered '" << answer << "'";
    }
    // A BOARD block that fails keeps the old position too.
    for (const char* line : {"BOARD", "7,7,1", "7,7,2"}) ASSERT_TRUE(brain.writeLine(line));
    EXPECT_EQ(send("DONE").rfind("ERROR ", 0), 0u);

    // The position is intact: its stones are still occupied, and the last two can be taken
    // back in order.
    for (const MovedPos& m : game) {
        std::string answer = send("TURN " + std::to_string(m.x) + "," + std::to_string(m.y));
        EXPECT_NE(answer.find("occupied"), std::string::npos) << answer;
    }
    const MovedPos last = game.last();
    EXPECT_EQ(send("TAKEBACK " + std::to_string(last.x) + "," + std::to_string(last.y)), "OK");
    game.removeLast();
    EXPECT_EQ(send("TAKEBACK 8,8"), "OK");
    game.removeLast();
    game.appendAndJudge(8, 8, kWhite);
    brainMove("TURN 8,8");

    // The end of the input ends the brain cleanly, without END.
    EXPECT_EQ(brain.finish(10000), 0);
}

TEST_F(PbrainProcess, OtherRulesAreRefused) {
    EXPECT_EQ(send("START 20").rfind("ERROR ", 0), 0u);
    EXPECT_EQ(send("START 15"), "OK");
    ASSERT_TRUE(brain.writeLine("INFO rule 1"));
    std::string answer = send("BEGIN");
    EXPECT_EQ(answer.rfind("ERROR ", 0), 0u);
    EXPECT_NE(answer.find("renju"), std::string::npos);
    ASSERT_TRUE(brain.writeLine("INFO rule 4"));
    EXPECT_EQ(send("BEGIN", kMoveTimeoutMs), "7,7"); // the opening move is the centre
    ASSERT_TRUE(brain.writeLine("END"));
    EXPECT_EQ(brain.finish(10000), 0);
}

// Without database files every decision looks for one; the message is written once.
TEST_F(PbrainProcess, ADiagnosticIsWrittenOncePerProcess) {
    EXPECT_EQ(send("START 15"), "OK");
    ASSERT_TRUE(brain.writeLine("INFO rule 4"));
    brainMove("BEGIN");
    for (int i = 0; i < 3 && !HasFailure(); ++i) {
        const int o = opponentMove(game, rng);
        game.appendAndJudge(cellX(o), cellY(o), colourToMove(static_cast<int>(game.size())));
        brainMove("TURN " + xy(o));
    }
    ASSERT_TRUE(brain.writeLine("END"));
    EXPECT_EQ(brain.finish(10000), 0);
    const std::string log = dir.read("stderr.log");
    const std::string line = "error: database not found\n";
    size_t count = 0;
    for (size_t at = log.find(line); at != std::string::npos; at = log.find(line, at + 1)) ++count;
    EXPECT_EQ(count, 1u) << log;
}

namespace {

// The resident memory of a process in kilobytes (Linux), -1 when unknown.
long residentKilobytes(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

// Starts a position whose decision would take the hour INFO timeout_turn allows.
void startLongDecision(ChildProcess& brain) {
    for (const char* line :
         {"INFO timeout_turn 3600000", "BOARD", "7,7,2", "8,7,1", "7,8,2", "DONE"})
        ASSERT_TRUE(brain.writeLine(line));
}

} // namespace

// END, RESTART and the end of input stop a decision at once; its stale move is not answered.
TEST_F(PbrainProcess, EndRestartAndEndOfInputStopADecision) {
    EXPECT_EQ(send("START 15"), "OK");
    startLongDecision(brain);
    EXPECT_EQ(send("RESTART"), "OK");
    EXPECT_EQ(send("BEGIN"), "7,7");
    startLongDecision(brain);
    ASSERT_TRUE(brain.writeLine("END"));
    EXPECT_EQ(brain.finish(kAnswerTimeoutMs), 0);

    ChildProcess closed;
    ASSERT_TRUE(closed.start(PBRAIN_PATH, {"--db", dir.path()}, dir.path()));
    ASSERT_TRUE(closed.writeLine("START 15"));
    EXPECT_EQ(closed.readLine(kAnswerTimeoutMs), "OK");
    startLongDecision(closed);
    EXPECT_EQ(closed.finish(kAnswerTimeoutMs), 0);
}

// INFO max_memory before the first turn makes the table that size at once: the brain holds
// less memory than one with the default table (64 MB) by most of that table.
TEST_F(PbrainProcess, MaxMemoryBeforeTheFirstTurnSizesTheTable) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer keeps freed memory in quarantine";
#endif
    constexpr long kMostOfTheDefaultTableKilobytes = 40 * 1024;
    EXPECT_EQ(send("START 15"), "OK");
    ASSERT_TRUE(brain.writeLine("INFO max_memory 20000000"));
    EXPECT_NE(send("ABOUT").find("Sorell"), std::string::npos);
    ChildProcess plain;
    ASSERT_TRUE(plain.start(PBRAIN_PATH, {"--db", dir.path()}, dir.path()));
    ASSERT_TRUE(plain.writeLine("START 15"));
    EXPECT_EQ(plain.readLine(kAnswerTimeoutMs), "OK");
    const long small = residentKilobytes(brain.pid()), large = residentKilobytes(plain.pid());
    ASSERT_GT(small, 0);
    EXPECT_GT(large - small, kMostOfTheDefaultTableKilobytes) << small << " kB against " << large;
    EXPECT_EQ(send("BEGIN", kMoveTimeoutMs), "7,7");
}

TEST(PbrainOptions, ValuesAsTheHelpSaysThemAndRefusalsNamed) {
    TempDir dir;
    EXPECT_EQ(runProgram(PBRAIN_PATH, {"--nodes", "1000000000000"}, dir.path()).status, 0);
    for (const auto& [option, value] :
         {std::pair{"--nodes", "0"}, std::pair{"--nodes", "12x"}, std::pair{"--level", "fast"}}) {
        const RunResult r = runProgram(PBRAIN_PATH, {option, value}, dir.path());
        EXPECT_EQ(r.status, 2) << option << ' ' << value;
        EXPECT_NE(r.err.find(std::string(option) + ": '" + value + "'"), std::string::npos)
            << r.err;
    }
}
