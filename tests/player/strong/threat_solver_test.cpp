#include "player/strong/threat_solver.h"
#include "random_positions.h"
#include "reference_solver.h"
#include "threat_puzzles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

const std::atomic<bool> kNeverStop{false};

// Rows of 15 characters, 'X' black, 'O' white; the move count follows the stones.
BanArray picture(const std::vector<std::string>& rows) {
    BanArray board;
    int stones = 0;
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x)
            if (rows[y][x] == 'X' || rows[y][x] == 'O') {
                board[cellIndex(static_cast<int>(x), static_cast<int>(y))] =
                    rows[y][x] == 'X' ? kBlack : kWhite;
                ++stones;
            }
    board.setMoveCount(static_cast<uint8_t>(stones));
    return board;
}

// Plays the line on a copy and checks it with the rules library: every attacker move legal,
// the last move a five, or a four whose only completion black may not block.
void expectSoundVcf(const BanArray& start, char attacker, const std::vector<int>& line) {
    ASSERT_FALSE(line.empty());
    BanArray board(start);
    ChkStat judge(board);
    char colour = attacker;
    for (size_t i = 0; i < line.size(); ++i, colour = otherColour(colour)) {
        const int p = line[i];
        ASSERT_EQ(board.at(p), kEmpty) << i;
        const MoveCode code = judge.judgePoint(p, colour);
        if (colour == attacker) {
            ASSERT_FALSE(isForbiddenCode(code)) << "attacker move " << i << " forbidden";
        }
        if (colour == attacker && i + 1 == line.size() && !isWinCode(code)) {
            board.setAt(p, colour);
            int fives = 0, block = kNoMove;
            for (int q = 0; q < kPoints; ++q)
                if (board.at(q) == kEmpty && isWinCode(judge.judgePoint(q, attacker)))
                    ++fives, block = q;
            EXPECT_TRUE(fives == 1 && attacker == kWhite && judge.isForbiddenBlack(block))
                << "the line ends in neither a five nor an unstoppable four";
            return;
        }
        board.setAt(p, colour);
    }
}

} // namespace

TEST(ThreatSolver, RenjuRulesDecideTheTrickyFours) {
    struct Case {
        const char* what;
        std::vector<std::string> rows;
        char attacker;
        bool win;
    };
    const Case cases[] = {
        // Black's four at the end of five stones would make six: no threat, no win.
        {"black four only as an overline",
         {"", "", "", "", "", "", "", "XX.XXXO........", "", "", "O..O..O........"},
         kBlack,
         false},
        // The same shape for white is a five (white's overline wins).
        {"white overline wins",
         {"", "", "", "", "", "", "", "OO.OOOX........", "", "", "X..X..X........"},
         kWhite,
         true},
        // White's four can be blocked only on a black double three: white wins.
        {"block only on a forbidden point",
         {"", "", "", "......X........", ".....X.........", "", "...XX..OOO.....",
          "....X..........", "...X...........", "", "", "", "", "", ""},
         kWhite,
         true},
        // A closed three: each four it makes is blocked, no win.
        {"blocked fours",
         {"", "", "", "", "", "", "X.OOO.X........", "", "", "", "", "", "", "", ""},
         kWhite,
         false},
    };
    for (const Case& c : cases) {
        const BanArray board = picture(c.rows);
        const ThreatResult r = solveThreat(board, c.attacker, ThreatKind::Vcf, 100000, kNeverStop);
        EXPECT_EQ(r.win, c.win) << c.what;
        if (r.win) expectSoundVcf(board, c.attacker, r.line);
    }
}

// Every win found on random positions is a sound line under the rules library.
TEST(ThreatSolver, WinsOnRandomPositionsAreSound) {
    std::mt19937 rng(3);
    int wins = 0;
    for (int i = 0; i < 300; ++i) {
        const BanArray board = randomPosition(rng, 14 + i % 40);
        for (char attacker : {kBlack, kWhite}) {
            const ThreatResult r = solveThreat(board, attacker, ThreatKind::Vcf, 20000, kNeverStop);
            if (!r.win) continue;
            ++wins;
            expectSoundVcf(board, attacker, r.line);
        }
    }
    EXPECT_GT(wins, 10);
}

TEST(ThreatSolver, SolvesThePuzzles) {
    const PuzzleFile file = loadPuzzles(PUZZLE_FILE);
    ASSERT_TRUE(file.error.empty()) << file.error;
    ASSERT_GE(file.puzzles.size(), 40u);
    for (const ThreatPuzzle& p : file.puzzles) {
        const auto start = std::chrono::steady_clock::now();
        const ThreatResult r = solveThreat(
            p.board, p.toMove, p.kind == PuzzleKind::Vcf ? ThreatKind::Vcf : ThreatKind::Vct,
            2000000, kNeverStop);
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        std::printf("puzzle %-44s %s %8.2f ms %8llu nodes\n", p.name.c_str(),
                    r.win ? "win  " : "nowin", ms, static_cast<unsigned long long>(r.nodes));
        EXPECT_EQ(r.win, p.expectWin) << p.name;
        if (r.win && p.expectWin) {
            EXPECT_NE(std::find(p.acceptedMoves.begin(), p.acceptedMoves.end(), r.firstMove),
                      p.acceptedMoves.end())
                << p.name << ": first move " << r.firstMove;
            if (p.kind == PuzzleKind::Vcf) expectSoundVcf(p.board, p.toMove, r.line);
        }
    }
}

// The largest budget is no node limit (a search bounded by the clock alone), also for a solver
// that has counted nodes before: every winning puzzle is proven again with it.
TEST(ThreatSolver, TheLargestBudgetIsNoNodeLimit) {
    const PuzzleFile file = loadPuzzles(PUZZLE_FILE);
    ASSERT_TRUE(file.error.empty()) << file.error;
    for (const ThreatPuzzle& p : file.puzzles) {
        if (!p.expectWin) continue;
        Position pos(p.board, p.toMove);
        ThreatSolver solver(pos, kNeverStop);
        auto solve = [&](uint64_t budget) {
            return p.kind == PuzzleKind::Vcf ? solver.vcf(budget) : solver.vct(budget, 8);
        };
        ASSERT_TRUE(solve(2000000)) << p.name;
        ASSERT_GT(solver.nodes(), 0u);
        EXPECT_TRUE(solve(UINT64_MAX)) << p.name;
    }
}

// Every three-based win claimed on random positions has a line whose first move the attacker
// may play; the wins with one three (the reference solver's reach in a test's time) are
// confirmed by the reference solver, which tries every answer.
TEST(ThreatSolver, ThreeBasedWinsOnRandomPositionsAreSound) {
    std::mt19937 rng(17);
    int claimed = 0, confirmed = 0;
    for (int i = 0; i < 400 && confirmed < 5; ++i) {
        const BanArray board = randomPosition(rng, 12 + i % 30);
        for (const char attacker : {kBlack, kWhite}) {
            if (solveThreat(board, attacker, ThreatKind::Vcf, 20000, kNeverStop).win) continue;
            const ThreatResult r = solveThreat(board, attacker, ThreatKind::Vct, 20000, kNeverStop);
            if (!r.win) continue;
            ++claimed;
            ASSERT_FALSE(r.line.empty()) << i;
            BanArray after(board);
            ASSERT_EQ(after.at(r.firstMove), kEmpty) << i;
            if (attacker == kBlack) {
                ASSERT_FALSE(ChkStat(after).isForbiddenBlack(r.firstMove));
            }
            Position pos(board, attacker);
            ThreatSolver oneThree(pos, kNeverStop);
            if (!oneThree.vct(20000, 1)) continue;
            reference::Reference ref(board, attacker);
            const int first = oneThree.line()[0];
            // A block of a defender's four is a step for the reference, not for the solver.
            EXPECT_TRUE(ref.threatWins(first, 2) || ref.threatWins(first, 3))
                << i << " " << reference::text(first);
            ++confirmed;
        }
    }
    EXPECT_GT(claimed, 10);
    EXPECT_GE(confirmed, 5);
}
