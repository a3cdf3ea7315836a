// sorell-match: its opening table, its judging of moves, its Elo figures, and games played
// through pipes against pbrain-sorell and small scripted engines.

#include "child_process.h"
#include "elo.h"
#include "engine_process.h"
#include "game_judge.h"
#include "match_game.h"
#include "openings.h"

#include "rules/chk_stat.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

TEST(MatchOpenings, TwentySixDistinctLegalThreeStoneOpeningsAndTheirSelection) {
    const auto& all = openings();
    ASSERT_EQ(all.size(), 26u);
    std::set<std::vector<int>> positions;
    std::set<std::string> codes;
    for (const Opening& o : all) {
        SCOPED_TRACE(o.code);
        codes.insert(o.code);
        const std::vector<int> moves = openingMoves(o);
        ASSERT_EQ(moves.size(), 3u);
        positions.insert(moves);
        BanArray board;
        for (int p : moves) {
            ASSERT_TRUE(board.put(p));
            EXPECT_LE(std::abs(cellX(p) - 7), 2); // inside the centre's 5x5 square
            EXPECT_LE(std::abs(cellY(p) - 7), 2);
        }
        const int dx = std::abs(cellX(moves[1]) - 7), dy = std::abs(cellY(moves[1]) - 7);
        EXPECT_EQ(dx + dy, o.code[0] == 'D' ? 1 : 2); // white's stone: direct or diagonal
        EXPECT_EQ(std::max(dx, dy), 1);
        EXPECT_EQ(colourToMove(board.moveCount()), kWhite);
    }
    EXPECT_EQ(codes.size(), 26u);
    EXPECT_EQ(positions.size(), 26u);

    // The symmetries keep the centre and every distance; the lopsided I12 gives 8 positions.
    auto dist2 = [](int a, int b) {
        const int dx = cellX(a) - cellX(b), dy = cellY(a) - cellY(b);
        return dx * dx + dy * dy;
    };
    std::set<std::vector<int>> images;
    for (int s = 0; s < kSymmetries; ++s) {
        const std::vector<int> base = openingMoves(all[24]), m = openingMoves(all[24], s);
        ASSERT_EQ(m[0], cellIndex(7, 7));
        EXPECT_EQ(dist2(m[0], m[1]), dist2(base[0], base[1]));
        EXPECT_EQ(dist2(m[0], m[2]), dist2(base[0], base[2]));
        EXPECT_EQ(dist2(m[1], m[2]), dist2(base[1], base[2]));
        images.insert(m);
    }
    EXPECT_EQ(images.size(), 8u);

    std::vector<Opening> chosen;
    std::string bad;
    ASSERT_TRUE(selectOpenings("all", chosen, bad));
    EXPECT_EQ(chosen.size(), 26u);
    ASSERT_TRUE(selectOpenings("d1,I13", chosen, bad));
    ASSERT_EQ(chosen.size(), 2u);
    EXPECT_STREQ(chosen[1].name, "彗星");
    EXPECT_FALSE(selectOpenings("D1,D14", chosen, bad));
    EXPECT_EQ(bad, "D14");
    EXPECT_FALSE(selectOpenings("", chosen, bad));
}

// Stones put in order on an otherwise empty board; the side to move follows from the count.
BanArray stones(const std::vector<std::pair<int, int>>& black,
                const std::vector<std::pair<int, int>>& white, char toMove) {
    BanArray b;
    for (auto [x, y] : black) b[cellIndex(x, y)] = kBlack;
    for (auto [x, y] : white) b[cellIndex(x, y)] = kWhite;
    int n = static_cast<int>(black.size() + white.size());
    if (colourToMove(n) != toMove) ++n;
    b.setMoveCount(static_cast<uint8_t>(n));
    return b;
}

TEST(MatchJudge, FivesWinBlacksForbiddenMovesLoseAndBadPointsAreIllegal) {
    const std::vector<std::pair<int, int>> four = {{3, 7}, {4, 7}, {5, 7}, {6, 7}};
    const std::vector<std::pair<int, int>> far = {{0, 0}, {14, 0}, {0, 14}, {14, 14}};
    BanArray b = stones(four, far, kBlack);
    EXPECT_EQ(playMove(b, 7, 7), MoveVerdict::Win);
    EXPECT_EQ(b.at(cellIndex(7, 7)), kBlack);

    // Black's six in a row loses; white's wins.
    b = stones({{2, 7}, {3, 7}, {4, 7}, {6, 7}, {7, 7}}, far, kBlack);
    EXPECT_EQ(playMove(b, 5, 7), MoveVerdict::Forbidden);
    b = stones(far, {{2, 7}, {3, 7}, {4, 7}, {6, 7}, {7, 7}}, kWhite);
    EXPECT_EQ(playMove(b, 5, 7), MoveVerdict::Win);

    // Black's double three loses; the same point is fine for white.
    const std::vector<std::pair<int, int>> twoTwos = {{5, 7}, {6, 7}, {7, 5}, {7, 6}};
    b = stones(twoTwos, far, kBlack);
    EXPECT_EQ(playMove(b, 7, 7), MoveVerdict::Forbidden);
    b = stones(far, twoTwos, kWhite);
    EXPECT_EQ(playMove(b, 7, 7), MoveVerdict::Continue);
    EXPECT_EQ(colourToMove(b.moveCount()), kBlack);

    EXPECT_EQ(playMove(b, 7, 7), MoveVerdict::Illegal);
    EXPECT_EQ(playMove(b, 15, 3), MoveVerdict::Illegal);
    EXPECT_EQ(playMove(b, -1, 3), MoveVerdict::Illegal);
    EXPECT_EQ(colourToMove(b.moveCount()), kBlack);
}

TEST(MatchElo, ScoreToEloAndItsMargin) {
    EXPECT_EQ(eloFromScore(0.5), 0.0);
    EXPECT_NEAR(eloFromScore(0.75), 400 * std::log10(3.0), 1e-9);
    EXPECT_NEAR(eloFromScore(0.25), -eloFromScore(0.75), 1e-9);

    const EloEstimate even = eloEstimate({10, 10, 0});
    EXPECT_EQ(even.elo, 0.0);
    EXPECT_TRUE(even.finite);
    EXPECT_NEAR(even.margin, 160, 5); // 20 games of 1/2: the score's 95 % interval is +/- 0.219
    EXPECT_GT(eloEstimate({30, 10, 0}).elo, 150);
    EXPECT_LT(eloEstimate({120, 40, 0}).margin, eloEstimate({30, 10, 0}).margin);
    EXPECT_LT(eloEstimate({5, 5, 10}).margin, eloEstimate({10, 10, 0}).margin);

    const EloEstimate perfect = eloEstimate({104, 0, 0});
    EXPECT_FALSE(perfect.finite);
    EXPECT_GT(perfect.elo, 0);
    EXPECT_FALSE(eloEstimate({0, 3, 0}).finite);
    EXPECT_EQ(Tally{}.score(), 0.5);
}

TEST(MatchCommandLine, WordsAndQuotes) {
    EXPECT_EQ(splitCommandLine("  a  b\tc "), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(splitCommandLine("x --dir \"my dir\" ''"),
              (std::vector<std::string>{"x", "--dir", "my dir", ""}));
    EXPECT_TRUE(splitCommandLine("x 'open").empty());
    EXPECT_TRUE(splitCommandLine("   ").empty());
}

// A scripted engine: answers START with OK, then plays the given answer to every move request.
std::vector<std::string> scriptEngine(const TempDir& dir, const std::string& name,
                                      const std::string& moveAnswer) {
    dir.write(name, "while read -r line; do\n"
                    "  case \"$line\" in\n"
                    "    START*) echo OK ;;\n"
                    "    DONE*|TURN*) " +
                        moveAnswer +
                        " ;;\n"
                        "    END*) exit 0 ;;\n"
                        "  esac\n"
                        "done\n");
    return {"/bin/sh", dir.file(name)};
}

// Replays a game's moves through the judge: every stone legal until the last, which ends it.
MoveVerdict replay(const std::vector<int>& moves) {
    BanArray b;
    MoveVerdict v = MoveVerdict::Continue;
    for (size_t i = 0; i < moves.size(); ++i) {
        v = playMove(b, cellX(moves[i]), cellY(moves[i]));
        if (i + 1 < moves.size()) {
            EXPECT_EQ(v, MoveVerdict::Continue) << i;
        }
    }
    return v;
}

TEST(MatchGames, EnginesThatFailLoseAndRealGamesEndInAFive) {
    TempDir dir;
    GameSettings fast;
    fast.moveTimeMs[0] = fast.moveTimeMs[1] = 50;
    fast.graceMs = 300;
    fast.startTimeoutMs = 5000;
    const Opening& d1 = openings()[0];
    const EngineCommand pbrain{"pbrain", {PBRAIN_PATH}};

    // White (to move first) answers on the centre, which holds black's stone.
    EngineCommand pair[2] = {pbrain, {"occupied", scriptEngine(dir, "occupied.sh", "echo 7,7")}};
    GameRecord g = playGame(pair, 0, d1, 0, fast);
    EXPECT_EQ(g.outcome, Outcome::BlackWins);
    EXPECT_EQ(g.reason, EndReason::Illegal);

    // Chatter is skipped; a move that never comes is a timeout.
    pair[1] = {"silent", scriptEngine(dir, "silent.sh", "echo 'MESSAGE thinking'")};
    g = playGame(pair, 0, d1, 0, fast);
    EXPECT_EQ(g.reason, EndReason::Timeout);
    EXPECT_EQ(g.outcome, Outcome::BlackWins);

    pair[1] = {"quits", scriptEngine(dir, "quits.sh", "exit 0")};
    g = playGame(pair, 0, d1, 0, fast);
    EXPECT_EQ(g.reason, EndReason::Crash);

    // An engine that cannot be run loses as black too.
    pair[1] = {"missing", {dir.file("no-such-engine")}};
    g = playGame(pair, 1, d1, 0, fast);
    EXPECT_EQ(g.outcome, Outcome::WhiteWins);
    EXPECT_EQ(g.reason, EndReason::Crash);

    // Two real engines: every stone legal, the game ends the way the record says. The grace
    // is generous: sanitizer builds think slowly.
    EngineCommand real[2] = {pbrain, pbrain};
    GameSettings patient = fast;
    patient.graceMs = 120000;
    for (int black = 0; black < 2; ++black) {
        g = playGame(real, black, openings()[25], black * 5, patient);
        ASSERT_GT(g.moves.size(), 4u);
        EXPECT_EQ(g.engineMoves[0] + g.engineMoves[1], static_cast<int>(g.moves.size()) - 3);
        const MoveVerdict last = replay(g.moves);
        if (g.reason == EndReason::Five) {
            EXPECT_EQ(last, MoveVerdict::Win);
            EXPECT_EQ(g.outcome, g.moves.size() % 2 == 1 ? Outcome::BlackWins : Outcome::WhiteWins);
        } else if (g.reason == EndReason::Forbidden) {
            EXPECT_EQ(last, MoveVerdict::Forbidden);
            EXPECT_EQ(g.outcome, Outcome::WhiteWins);
        } else {
            EXPECT_EQ(g.reason, EndReason::FullBoard);
            EXPECT_EQ(g.outcome, Outcome::Draw);
        }
    }
}

TEST(MatchTool, PlaysBothColouringsAndReportsTheScore) {
    TempDir dir;
    const std::string engine = PBRAIN_PATH;
    RunResult r = runProgram(MATCH_PATH,
                             {"--engine1", engine, "--engine2", engine, "--time", "50", "--time2",
                              "30", "--grace", "120000", "--openings", "D3,I5", "--games-log",
                              dir.file("games.txt")},
                             dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("game 4/4"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("engine2: " + engine + ", 30 ms a move"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("  total  "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("  score "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("  Elo "), std::string::npos) << r.out;
    std::istringstream log(dir.read("games.txt"));
    int lines = 0;
    for (std::string line; std::getline(log, line); ++lines)
        EXPECT_EQ(line.rfind(lines < 2 ? "D3 black=engine" : "I5 black=engine", 0), 0u) << line;
    EXPECT_EQ(lines, 4);

    r = runProgram(MATCH_PATH, {"--engine1", engine, "--openings", "D1"}, dir.path());
    EXPECT_EQ(r.status, 2);
    r = runProgram(MATCH_PATH, {"--engine1", engine, "--engine2", engine, "--openings", "X9"},
                   dir.path());
    EXPECT_EQ(r.status, 2);
    for (const char* time : {"--time", "--time2"}) {
        r = runProgram(MATCH_PATH, {"--engine1", engine, "--engine2", engine, time, "0"},
                       dir.path());
        EXPECT_EQ(r.status, 2);
    }
}

} // namespace

namespace {

// An engine that writes MESSAGE lines for ever and never answers START. It leaves its process
// id in chatty.pid, and stops by itself after half a minute all the same.
std::vector<std::string> chattyEngine(const TempDir& dir) {
    dir.write("chatty.sh", "echo $$ > " + dir.file("chatty.pid") +
                               "; i=0; while [ $i -lt 600 ]; do echo 'MESSAGE warming up'; "
                               "sleep 0.05; i=$((i + 1)); done\n");
    return {"/bin/sh", dir.file("chatty.sh")};
}

// Whether the process runs (a zombie that nobody reaps has ended).
bool running(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) return false;
    const size_t paren = line.rfind(')');
    return paren != std::string::npos && line.size() > paren + 2 && line[paren + 2] != 'Z';
}

} // namespace

// The start timeout counts from START whatever the engine writes; the report's lines come as
// they are made; rounds whose games could not be counted are refused.
TEST(MatchTool, ChattyEnginesTimeOutAndTheReportIsNotHeldBack) {
    TempDir dir;
    GameSettings quick;
    quick.startTimeoutMs = 300;
    const EngineCommand pair[2] = {{"chatty", chattyEngine(dir)}, {"pbrain", {PBRAIN_PATH}}};
    const GameRecord g = playGame(pair, 0, openings()[0], 0, quick);
    EXPECT_EQ(g.reason, EndReason::Crash);
    EXPECT_EQ(g.outcome, Outcome::WhiteWins);
    EXPECT_NE(g.note.find("did not answer START"), std::string::npos) << g.note;

    // The header is out while the first game still waits for the chatty engine.
    std::filesystem::remove(dir.file("chatty.pid"));
    ChildProcess match;
    const std::string chatty = "/bin/sh " + dir.file("chatty.sh");
    ASSERT_TRUE(
        match.start(MATCH_PATH, {"--engine1", chatty, "--engine2", PBRAIN_PATH}, dir.path()));
    const auto header = match.readLine(20000);
    ASSERT_TRUE(header.has_value());
    EXPECT_EQ(header->rfind("engine1: /bin/sh", 0), 0u) << *header;
    // A match that is killed takes its engines with it.
    pid_t engine = 0;
    for (int i = 0; i < 200 && engine == 0; ++i) {
        std::istringstream(dir.read("chatty.pid")) >> engine;
        if (engine == 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_GT(engine, 0);
    EXPECT_TRUE(running(engine));
    kill(match.pid(), SIGKILL);
    match.finish(5000);
    for (int i = 0; i < 300 && running(engine); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(running(engine));

    const RunResult r = runProgram(
        MATCH_PATH, {"--engine1", chatty, "--engine2", chatty, "--rounds", "50000000"}, dir.path());
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--rounds"), std::string::npos) << r.err;
}
