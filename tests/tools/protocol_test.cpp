#include "base/geometry.h"
#include "protocol/move_budget.h"
#include "protocol/pbrain_session.h"
#include "rules/move_code.h"

#include <gtest/gtest.h>

#include <deque>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// A decider that plays the scripted points first, then the first empty point in index order.
struct ScriptedDecider {
    std::deque<int> script;
    int calls = 0;
    int operator()(const BanHistory& history) {
        ++calls;
        if (!script.empty()) {
            int move = script.front();
            script.pop_front();
            return move;
        }
        bool used[kPoints] = {};
        for (const MovedPos& m : history) used[cellIndex(m.x, m.y)] = true;
        for (int i = 0; i < kPoints; ++i)
            if (!used[i]) return i;
        return kNoMove;
    }
};

class Brain : public ::testing::Test {
  protected:
    ScriptedDecider decider;
    PbrainSession session{[this](const BanHistory& h) { return decider(h); }};

    Lines send(std::string_view line) { return session.handleLine(line); }
    // Sends every line and returns the answers of the last one.
    Lines sendAll(const std::vector<std::string>& lines) {
        Lines out;
        for (const auto& l : lines) out = send(l);
        return out;
    }
    std::string position() const { return session.history().moveText(); }
    static bool isError(const Lines& out) {
        return out.size() == 1 && out[0].rfind("ERROR ", 0) == 0;
    }
};

// The black double-three setup: black (5,7), (6,7), (7,5), (7,6) with white in the corners;
// black at (7,7) would make two open threes.
const std::vector<std::string> kDoubleThreeSetup = {"5,7", "0,0",  "6,7", "0,14",
                                                    "7,5", "14,0", "7,6"};

} // namespace

TEST(ProtocolParsing, CommandWordsAndArguments) {
    EXPECT_EQ(parseCommand("TURN 7,8\r").kind, CommandKind::Turn);
    EXPECT_EQ(parseCommand("TURN 7,8\r").args, "7,8");
    EXPECT_EQ(parseCommand("  turn   3, 4  ").kind, CommandKind::Turn);
    EXPECT_EQ(parseCommand("  turn   3, 4  ").args, "3, 4");
    EXPECT_EQ(parseCommand("\r").kind, CommandKind::Empty);
    EXPECT_EQ(parseCommand("TURNS 1,1").kind, CommandKind::Unknown);
    EXPECT_EQ(parseCommand("Info rule 4").kind, CommandKind::Info);
}

TEST(ProtocolParsing, NumbersAndPointsAreStrict) {
    EXPECT_EQ(parseNumber(" 15 "), 15);
    EXPECT_FALSE(parseNumber("-1"));
    EXPECT_FALSE(parseNumber("1e3"));
    EXPECT_FALSE(parseNumber(""));
    EXPECT_FALSE(parseNumber("9999999999")); // would overflow
    // Three to nine digits are numbers like any other, leading zeros included.
    EXPECT_EQ(parseNumber("015"), 15);
    EXPECT_EQ(parseNumber("100"), 100);
    EXPECT_EQ(parseNumber("000000007"), 7);
    EXPECT_EQ(parseNumber("999999999"), 999999999);
    ASSERT_TRUE(parsePoint("3, 4"));
    EXPECT_EQ(parsePoint("3, 4")->y, 4);
    EXPECT_FALSE(parsePoint("3"));
    EXPECT_FALSE(parsePoint("3,4,5"));
    EXPECT_FALSE(parsePoint("3,,4"));
    EXPECT_FALSE(parsePoint("x,4"));
    ASSERT_TRUE(parseStone("1,2,2"));
    EXPECT_EQ(parseStone("1,2,2")->field, 2);
    EXPECT_FALSE(parseStone("1,2"));
    EXPECT_FALSE(parseStone("1,2,2,2"));
}

TEST(ProtocolParsing, LineReaderCutsLongLinesAndAcceptsMissingLastEnd) {
    std::string longLine(kMaxProtocolLine + 10, 'A');
    std::istringstream in("START 15\r\n" + longLine + "\nEND");
    std::string line;
    bool tooLong = false;
    ASSERT_TRUE(readProtocolLine(in, line, tooLong));
    EXPECT_EQ(line, "START 15\r");
    EXPECT_FALSE(tooLong);
    ASSERT_TRUE(readProtocolLine(in, line, tooLong));
    EXPECT_TRUE(tooLong);
    EXPECT_EQ(line.size(), kMaxProtocolLine);
    ASSERT_TRUE(readProtocolLine(in, line, tooLong));
    EXPECT_EQ(line, "END");
    EXPECT_FALSE(readProtocolLine(in, line, tooLong));
}

TEST_F(Brain, StartAcceptsOnlyTheRenjuBoard) {
    EXPECT_TRUE(isError(send("START 20")));
    EXPECT_FALSE(session.started());
    EXPECT_TRUE(isError(send("START abc")));
    EXPECT_TRUE(isError(send("START 150")));
    EXPECT_EQ(send("START 015"), Lines{"OK"});
    EXPECT_EQ(send("START 15\r"), Lines{"OK"});
    EXPECT_TRUE(session.started());
    EXPECT_TRUE(isError(send("RECTSTART 15,16")));
    EXPECT_EQ(send("RECTSTART 15,15"), Lines{"OK"});
    // A refused START keeps the game going.
    send("BEGIN");
    std::string before = position();
    EXPECT_TRUE(isError(send("START 19")));
    EXPECT_EQ(position(), before);
    EXPECT_TRUE(session.started());
}

TEST_F(Brain, GameCommandsBeforeStartAreRefused) {
    for (const char* line : {"BEGIN", "TURN 7,7", "RESTART", "TAKEBACK 7,7"})
        EXPECT_TRUE(isError(send(line))) << line;
    EXPECT_TRUE(isError(sendAll({"BOARD", "7,7,2", "DONE"})));
    EXPECT_EQ(decider.calls, 0);
    EXPECT_TRUE(session.history().empty());
    // ABOUT and INFO need no game.
    EXPECT_EQ(send("ABOUT")[0].rfind("name=\"Sorell\", version=\"2.22\"", 0), 0u);
    EXPECT_TRUE(send("INFO timeout_turn 1000").empty());
}

TEST_F(Brain, BeginAndTurnAlternateColours) {
    send("START 15");
    decider.script = {112, cellIndex(8, 8)};
    EXPECT_EQ(send("BEGIN"), Lines{"7,7"});
    EXPECT_EQ(send("TURN 8,7"), Lines{"8,8"});
    ASSERT_EQ(session.history().size(), 3u);
    auto it = session.history().begin();
    EXPECT_EQ(it->colour, kBlack);
    EXPECT_EQ((++it)->colour, kWhite);
    EXPECT_EQ((++it)->colour, kBlack);
    EXPECT_TRUE(isError(send("BEGIN"))); // not on a non-empty board
    EXPECT_EQ(send("RESTART"), Lines{"OK"});
    EXPECT_TRUE(session.history().empty());
}

TEST_F(Brain, UnusableDecisionsAreReplacedByLegalMoves) {
    send("START 15");
    decider.script = {112, 112, 255, 300, -1};
    EXPECT_EQ(send("BEGIN"), Lines{"7,7"});
    // Occupied, "stopped", off the board and negative answers: each time a legal point.
    for (const char* turn : {"TURN 0,0", "TURN 0,1", "TURN 0,2", "TURN 0,3"}) {
        Lines out = send(turn);
        ASSERT_EQ(out.size(), 1u) << turn;
        auto p = parsePoint(out[0]);
        ASSERT_TRUE(p) << out[0];
        EXPECT_TRUE(onBoard(p->x, p->y));
    }
    // Every point of the history is distinct.
    bool used[kPoints] = {};
    for (const MovedPos& m : session.history()) {
        EXPECT_FALSE(used[cellIndex(m.x, m.y)]);
        used[cellIndex(m.x, m.y)] = true;
    }
}

TEST_F(Brain, BlackNeverPlaysAForbiddenPoint) {
    send("START 15");
    // The brain is black: the position has 8 stones, the last one the opponent's.
    std::vector<std::string> lines{"BOARD"};
    const char* fields[] = {"1", "2"};
    std::vector<std::string> stones = kDoubleThreeSetup;
    stones.push_back("14,14");
    for (size_t k = 0; k < stones.size(); ++k) lines.push_back(stones[k] + "," + fields[k % 2]);
    lines.push_back("DONE");
    decider.script = {112};
    Lines out = sendAll(lines);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_NE(out[0], "7,7");
    EXPECT_FALSE(isForbiddenCode(session.history().last().code));
    EXPECT_EQ(session.history().last().colour, kBlack);
}

TEST_F(Brain, BoardFieldsFollowTheOrderOfPlay) {
    send("START 15");
    // Three stones: black, white, black; the brain (field 1) is white and moves next.
    decider.script = {cellIndex(9, 9)};
    EXPECT_EQ(sendAll({"BOARD", "7,7,2", "8,7,1", "7,8,2", "DONE"}), Lines{"9,9"});
    EXPECT_EQ(position(), "h8,i8,h9,jA,**,");
    EXPECT_EQ(session.history().last().colour, kWhite);
    // Two stones: the brain is black, its stone came first.
    decider.script = {cellIndex(1, 1)};
    EXPECT_EQ(sendAll({"BOARD", "7,7,1", "8,7,2", "DONE"}), Lines{"1,1"});
    EXPECT_EQ(session.history().last().colour, kBlack);
    // No stones: the brain opens as black.
    decider.script = {112};
    EXPECT_EQ(sendAll({"BOARD", "DONE"}), Lines{"7,7"});
    EXPECT_EQ(session.history().size(), 1u);
}

TEST_F(Brain, FaultyBoardsKeepThePosition) {
    send("START 15");
    decider.script = {112};
    send("BEGIN");
    send("TURN 3,3");
    const std::string before = position();
    const int callsBefore = decider.calls;
    const std::vector<std::vector<std::string>> faulty = {
        {"BOARD", "7,7,1", "8,7,1", "DONE"},          // not alternating
        {"BOARD", "7,7,2", "8,7,1", "DONE"},          // the brain's stone last
        {"BOARD", "7,7,1", "7,7,2", "DONE"},          // repeated point
        {"BOARD", "7,7,1", "15,7,2", "DONE"},         // off the board
        {"BOARD", "7,7,3", "DONE"},                   // continuous-game field
        {"BOARD", "7,7,1", "8,7,x", "DONE"},          // not a number
        {"BOARD", "7,7,1", "hello", "8,7,2", "DONE"}, // junk line
        {"BOARD", "3,7,1", "0,0,2", "4,7,1", "0,1,2", "5,7,1", "0,2,2", "6,7,1", "0,3,2", "7,7,1",
         "0,4,2", "DONE"}, // play after black's five
    };
    for (const auto& lines : faulty) {
        Lines out = sendAll(lines);
        EXPECT_TRUE(isError(out)) << lines[1] << " " << (out.empty() ? "" : out[0]);
        EXPECT_EQ(position(), before);
        EXPECT_FALSE(session.inBoardBlock());
    }
    EXPECT_EQ(decider.calls, callsBefore);
}

TEST_F(Brain, UnclosedBoardIsDroppedAndTheNextCommandStillRuns) {
    send("START 15");
    send("BOARD");
    send("7,7,2");
    Lines out = send("ABOUT");
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].rfind("ERROR", 0), 0u);
    EXPECT_EQ(out[1].rfind("name=", 0), 0u);
    EXPECT_TRUE(session.history().empty());
    EXPECT_TRUE(isError(send("DONE")));
    // END inside a block still ends the session.
    send("BOARD");
    send("END");
    EXPECT_TRUE(session.ended());
}

TEST_F(Brain, TakebackRemovesOnlyTheLastStone) {
    send("START 15");
    decider.script = {112, cellIndex(9, 9)};
    send("BEGIN");
    send("TURN 8,8");
    const std::string before = position();
    EXPECT_TRUE(isError(send("TAKEBACK 8,8"))); // not the last stone
    EXPECT_TRUE(isError(send("TAKEBACK 9")));
    // The last stone is 9,9: one matching coordinate is not enough.
    EXPECT_TRUE(isError(send("TAKEBACK 9,8")));
    EXPECT_TRUE(isError(send("TAKEBACK 8,9")));
    EXPECT_TRUE(isError(send("TAKEBACK 009,100")));
    EXPECT_EQ(session.history().size(), 3u);
    EXPECT_EQ(position(), before);
    EXPECT_TRUE(isError(send("TURN 100,5"))); // three digits: off the board, nothing played
    EXPECT_EQ(session.history().size(), 3u);
    EXPECT_EQ(send("TAKEBACK 9,9"), Lines{"OK"});
    EXPECT_EQ(send("TAKEBACK 8,8"), Lines{"OK"});
    EXPECT_EQ(position(), "h8,**,");
    decider.script = {cellIndex(6, 6)};
    EXPECT_EQ(send("TURN 8,6"), Lines{"6,6"});
    EXPECT_EQ(session.history().last().colour, kBlack);
}

TEST_F(Brain, OnlyRenjuIsPlayed) {
    send("START 15");
    EXPECT_TRUE(send("INFO rule 1").empty());
    for (const char* line : {"BEGIN", "TURN 7,7"}) {
        Lines out = send(line);
        ASSERT_TRUE(isError(out)) << line;
        EXPECT_NE(out[0].find("renju"), std::string::npos);
    }
    EXPECT_TRUE(isError(sendAll({"BOARD", "7,7,2", "DONE"})));
    EXPECT_TRUE(session.history().empty());
    EXPECT_TRUE(isError(send("INFO rule four")));
    EXPECT_EQ(session.rule(), 1);
    send("INFO RULE 5"); // renju with the exact-five bit: still renju
    decider.script = {112};
    EXPECT_EQ(send("BEGIN"), Lines{"7,7"});
    EXPECT_TRUE(send("INFO unknown_key whatever").empty());
}

TEST_F(Brain, AFiveEndsTheGameAndTheStoneStays) {
    send("START 15");
    // Black (the opponent) has four in a row on row 7; the brain is white.
    decider.script = {cellIndex(0, 0), cellIndex(0, 1), cellIndex(0, 2), cellIndex(0, 3)};
    for (const char* t : {"TURN 3,7", "TURN 4,7", "TURN 5,7", "TURN 6,7"}) send(t);
    Lines out = send("TURN 7,7");
    ASSERT_TRUE(isError(out));
    EXPECT_NE(out[0].find("over"), std::string::npos);
    EXPECT_EQ(session.history().size(), 9u);
    EXPECT_TRUE(isWinCode(session.history().last().code));
    const int calls = decider.calls;
    EXPECT_TRUE(isError(send("TURN 9,9")));
    EXPECT_EQ(session.history().size(), 9u);
    EXPECT_EQ(decider.calls, calls);
    // Taking the five back reopens the game.
    EXPECT_EQ(send("TAKEBACK 7,7"), Lines{"OK"});
    EXPECT_EQ(send("TURN 9,9").size(), 1u);
    EXPECT_EQ(session.history().size(), 10u);
}

TEST_F(Brain, BlacksForbiddenMoveEndsTheGame) {
    send("START 15");
    // The brain is white: seven stones, black's last.
    std::vector<std::string> lines{"BOARD"};
    for (size_t k = 0; k < kDoubleThreeSetup.size(); ++k)
        lines.push_back(kDoubleThreeSetup[k] + (k % 2 == 0 ? ",2" : ",1"));
    lines.push_back("DONE");
    decider.script = {cellIndex(14, 14)};
    EXPECT_EQ(sendAll(lines), Lines{"14,14"});
    Lines out = send("TURN 7,7");
    ASSERT_TRUE(isError(out));
    EXPECT_NE(out[0].find("forbidden"), std::string::npos);
    EXPECT_EQ(session.history().last().code, kCodeForbiddenThree);
}

TEST_F(Brain, MalformedLinesNeverChangeThePosition) {
    send("START 15");
    decider.script = {112};
    send("BEGIN");
    send("TURN 6,6");
    const std::string before = position();
    const int calls = decider.calls;
    const char* junk[] = {
        "TURN",         "TURN 7",    "TURN 7,7",    "TURN -1,3",          "TURN 15,0",
        "TURN 0,15",    "TURN a,b",  "TURN 1,2,3",  "TURN 99999999999,1", "TAKEBACK",
        "TAKEBACK 1,1", "DONE",      "PLAY 1,1",    "SWAP2BOARD",         "YXSTOP",
        "7,7,1",        "INFO rule", "BOARD extra", "\x01\x02\xff",       "START",
        "RECTSTART 15",
    };
    for (const char* line : junk) {
        Lines out = send(line);
        ASSERT_EQ(out.size(), 1u) << line;
        EXPECT_TRUE(out[0].rfind("ERROR ", 0) == 0 || out[0].rfind("UNKNOWN ", 0) == 0) << line;
        EXPECT_EQ(out[0].find_first_of("\r\n"), std::string::npos);
        EXPECT_EQ(position(), before) << line;
    }
    EXPECT_EQ(decider.calls, calls);
    EXPECT_TRUE(session.started());
    EXPECT_FALSE(session.ended());
}

// The time keys as managers send them, and what the strong level then gets for a move.
TEST_F(Brain, TimeKeysSetTheMoveBudget) {
    EXPECT_EQ(moveBudgetMs(session, 0), 1000); // no key: one second
    send("INFO timeout_turn 100");
    EXPECT_EQ(moveBudgetMs(session, 0), 70); // less the 30 ms margin
    send("info TIMEOUT_TURN 5000");
    EXPECT_EQ(moveBudgetMs(session, 0), 4500); // less 10 %
    for (const char* bad : {"INFO timeout_turn", "INFO timeout_turn -5", "INFO timeout_turn 1e3",
                            "INFO timeout_turn 100ms"}) {
        send(bad);
        EXPECT_EQ(moveBudgetMs(session, 0), 4500) << bad;
    }
    send("INFO timeout_turn 0");
    EXPECT_EQ(moveBudgetMs(session, 0), 20);

    // A match clock: a share of what is left over at least ten more of our moves.
    send("INFO timeout_turn 5000");
    send("INFO timeout_match 180000");
    EXPECT_EQ(moveBudgetMs(session, 0), (180000 - 50) / 56);
    send("INFO time_left 10050");
    EXPECT_EQ(moveBudgetMs(session, 0), 10000 / 56);
    EXPECT_EQ(moveBudgetMs(session, 200), 10000 / 10);
    send("INFO time_left 40");
    EXPECT_EQ(moveBudgetMs(session, 100), 5); // never nothing
}

// A clock already run out leaves no time; the Yixin limits and max_memory reach the strong
// level, and --nodes wins over max_node.
TEST_F(Brain, ClockAndSearchLimitsReachTheStrongLevel) {
    sendAll({"INFO timeout_turn 5000", "INFO time_left 60000", "INFO time_left -120"});
    EXPECT_EQ(moveBudgetMs(session, 0), 5);

    ThinkingLevel thinking = ThinkingLevel::strong(100);
    const StrongSettings& level = *thinking.strongSettings();
    applySearchLimits(session, 0, thinking);
    EXPECT_EQ(level.maxNodes, 0u);
    EXPECT_EQ(level.depth, 0);
    EXPECT_EQ(level.hashMegabytes, 64u);
    EXPECT_EQ(level.threads, 1);

    sendAll({"INFO thread_num 2", "INFO max_depth 8", "INFO max_node 50000",
             "INFO max_memory 41943040"});
    applySearchLimits(session, 0, thinking);
    EXPECT_EQ(level.depth, 8);
    EXPECT_EQ(level.maxNodes, 50000u);
    EXPECT_EQ(level.hashMegabytes, 40u - 16u);
    EXPECT_EQ(level.threads, 2);
    applySearchLimits(session, 3000, thinking);
    EXPECT_EQ(level.maxNodes, 3000u);

    sendAll({"INFO max_memory 1000000", "INFO max_depth 0"});
    applySearchLimits(session, 0, thinking);
    EXPECT_EQ(level.hashMegabytes, 1u);
    EXPECT_EQ(level.depth, 0);

    // The standard player has no search limits to take.
    ThinkingLevel standard = ThinkingLevel::standard();
    applySearchLimits(session, 3000, standard);
    EXPECT_FALSE(standard.isStrong());
}
