// The threat puzzles checked against the rules library and against a plain reference solver
// written here, independent of the engine: a depth-limited search over every four (and, for
// the three-based puzzles, every three) with renju's restrictions on black.

#include "reference_solver.h"
#include "threat_puzzles.h"

#include "base/geometry.h"
#include "rules/ban_array.h"
#include "rules/chk_stat.h"
#include "rules/move_code.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <unordered_set>
#include <vector>

using namespace reference;

namespace {

std::vector<ThreatPuzzle> puzzles() {
    static const PuzzleFile file = loadPuzzles(PUZZLE_FILE);
    return file.puzzles;
}

TEST(ThreatPuzzles, FileReadsCompletelyWithUniqueNamesAndEnoughOfEachSort) {
    const PuzzleFile file = loadPuzzles(PUZZLE_FILE);
    ASSERT_EQ(file.error, "");
    ASSERT_GE(file.puzzles.size(), 40u);
    std::set<std::string> names;
    int blackToMove = 0, vct = 0, nowin = 0;
    for (const ThreatPuzzle& p : file.puzzles) {
        EXPECT_TRUE(names.insert(p.name).second) << p.name;
        blackToMove += p.toMove == kBlack;
        vct += p.kind == PuzzleKind::Vct;
        nowin += !p.expectWin;
    }
    const int n = static_cast<int>(file.puzzles.size());
    EXPECT_GT(blackToMove, 0);
    EXPECT_LT(blackToMove, n);
    EXPECT_GT(vct, 0);
    EXPECT_GT(nowin, 0);
}

TEST(ThreatPuzzles, ParserRefusesMalformedBlocks) {
    const std::string row = std::string(15, '.') + "\n";
    std::string rows;
    for (int i = 0; i < 15; ++i) rows += row;
    auto parse = [](const std::string& s) {
        std::istringstream in(s);
        return parsePuzzles(in);
    };
    const std::string head = "puzzle a\ntomove W\nkind vcf\n";
    const PuzzleFile good = parse("# c\n" + head + "expect win h8 jA j10\n" + rows + "end\n");
    ASSERT_EQ(good.error, "");
    ASSERT_EQ(good.puzzles.size(), 1u);
    EXPECT_EQ(good.puzzles[0].acceptedMoves,
              (std::vector<int>{cellIndex(7, 7), cellIndex(9, 9), cellIndex(9, 9)}));
    EXPECT_EQ(colourToMove(good.puzzles[0].board.moveCount()), kWhite);
    EXPECT_NE(parse(head + "expect win z9\n" + rows + "end\n").error, "");
    EXPECT_NE(parse(head + "expect win\n" + rows + "end\n").error, "");
    EXPECT_NE(parse(head + "expect nowin\n" + rows).error, "");
    EXPECT_NE(parse(head + "expect nowin\n" + row + "end\n").error, "");
    EXPECT_NE(parse("puzzle a\ntomove X\nkind vcf\nexpect nowin\n" + rows + "end\n").error, "");
    std::string badCell = rows;
    badCell[3] = 'B';
    EXPECT_NE(parse(head + "expect nowin\n" + badCell + "end\n").error, "");
}

// Nobody has won yet, the side to move does not already have five, and every accepted move is
// a legal empty point that makes a five point (a four) or, for the three-based puzzles, a four
// or a three. A four is read from the five points it makes, not from the move's code: the
// rules' code counts no four in a line such as X.XXXX. whose one completion would be six,
// although its other end makes five.
TEST(ThreatPuzzles, PositionsAreOpenAndAcceptedMovesAreLegalThreats) {
    for (const ThreatPuzzle& p : puzzles()) {
        SCOPED_TRACE(p.name);
        BanArray b = p.board;
        ChkStat judge(b);
        for (int i = 0; i < kPoints; ++i) {
            if (b.at(i) == kEmpty) continue;
            const char c = b.at(i);
            b.setAt(i, kEmpty);
            for (int d = 0; d < 4; ++d)
                EXPECT_LT(runThrough(b, i, d, c), 5) << "a finished line through " << text(i);
            b.setAt(i, c);
        }
        EXPECT_TRUE(fivePoints(b, p.toMove).empty()) << "a five in one move";
        EXPECT_EQ(p.expectWin, !p.acceptedMoves.empty());
        for (int m : p.acceptedMoves) {
            ASSERT_EQ(b.at(m), kEmpty) << text(m);
            EXPECT_TRUE(legalFor(b, m, p.toMove)) << text(m);
            const MoveCode code = judge.judgePoint(m, p.toMove);
            b.setAt(m, p.toMove);
            const bool four = !fivePointsNear(b, m, p.toMove).empty();
            b.setAt(m, kEmpty);
            const bool three = p.kind == PuzzleKind::Vct && code >= 9 && code <= 15;
            EXPECT_TRUE(four || three) << text(m) << " code " << int(code);
        }
    }
}

// The reference finds exactly the accepted first moves, and none for "nowin".
TEST(ThreatPuzzles, ReferenceSolverAgreesWithContinuousFourPuzzles) {
    for (const ThreatPuzzle& p : puzzles()) {
        if (p.kind != PuzzleKind::Vcf) continue;
        SCOPED_TRACE(p.name);
        Reference ref(p.board, p.toMove);
        std::vector<int> found = ref.winningMoves(false);
        std::vector<int> accepted = p.acceptedMoves;
        std::sort(found.begin(), found.end());
        std::sort(accepted.begin(), accepted.end());
        EXPECT_EQ(texts(found), texts(accepted));
    }
}

// The first accepted move of each three-based puzzle wins against every answer within the
// depths (the others are the reference's too, but each costs seconds); for "nowin" the
// attacker has no win with one three (deeper searches were run when the puzzle was made).
TEST(ThreatPuzzles, ReferenceSolverConfirmsThreeBasedPuzzles) {
    for (const ThreatPuzzle& p : puzzles()) {
        if (p.kind != PuzzleKind::Vct) continue;
        SCOPED_TRACE(p.name);
        Reference ref(p.board, p.toMove);
        EXPECT_FALSE(ref.vcf(kVcfDepth)) << "wins by fours alone";
        if (p.expectWin) {
            const std::vector<int> legal = ref.candidates();
            const int m = p.acceptedMoves.front();
            ASSERT_NE(std::find(legal.begin(), legal.end(), m), legal.end()) << text(m);
            EXPECT_TRUE(ref.threatWins(m, kVctDepth)) << text(m);
        } else {
            EXPECT_FALSE(ref.vct(1));
        }
    }
}

} // namespace
