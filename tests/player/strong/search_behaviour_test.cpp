#include "player/strong/strong_search.h"
#include "player/strong/threat_solver.h"
#include "player/think.h"
#include "random_positions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <thread>

namespace {

const std::atomic<bool> kNever{false};

// colour would win by fours, then by threats with up to `threes` threes (four: what the root's
// defence filter looks for), proven within budget.
bool winsByThreats(const BanArray& board, char colour, uint64_t budget, int threes = 4) {
    Position pos(board, colour);
    ThreatSolver solver(pos, kNever);
    return solver.vcf(budget) || solver.vct(budget, threes);
}

BanArray withMove(const BanArray& board, int p) {
    BanArray after(board);
    after.put(p);
    return after;
}

BanArray boardOf(std::initializer_list<const char*> points) {
    BanArray board;
    for (const char* t : points) {
        int x = 0, y = 0;
        EXPECT_TRUE(pointTextToXY(t[0], t[1], x, y)) << t;
        board.put(cellIndex(x, y));
    }
    return board;
}

} // namespace

// The table keeps what the first search found; a second search of the same position must still
// search its root (a table hit there once ended every repeated search at depth 0).
TEST(StrongSearch, ASecondSearchOfThePositionSearchesAgain) {
    std::mt19937 rng(23);
    int repeated = 0;
    for (int i = 0; i < 16; ++i) {
        const BanArray board = randomPosition(rng, 6 + 2 * i);
        const StrongLimits limits{0, 60, 4, 20000};
        const SearchReport first = strongSearch(board, limits, kNever);
        if (first.depth == 0) continue; // the root's threat search proved a win
        EXPECT_GE(strongSearch(board, limits, kNever).depth, 1) << i;
        EXPECT_GE(strongSearch(board, StrongLimits{30, 60, 4}, kNever).depth, 1) << i;
        ++repeated;
    }
    EXPECT_GE(repeated, 6);
}

// Where the opponent would win by threats if we passed (with no open three standing) and some
// move stops it, the answer of a one-ply search is such a move: the root's defence filter keeps
// only those. The positions are ones where the search without the filter plays on regardless.
TEST(StrongSearch, TheRootDefendsAgainstAThreatWin) {
    constexpr uint64_t kBudget = 20000;
    const std::vector<int> chosen = {192, 251, 267, 391};
    std::mt19937 rng(29);
    for (int i = 0; i <= chosen.back(); ++i) {
        const BanArray board = randomPosition(rng, 14 + i % 24);
        if (std::find(chosen.begin(), chosen.end(), i) == chosen.end()) continue;
        const char us = colourToMove(board.moveCount()), them = otherColour(us);
        ASSERT_FALSE(solveThreat(board, us, ThreatKind::Vct, kBudget, kNever).win) << i;
        ASSERT_FALSE(Position(board, us).countAtLeast(
            them == kBlack ? Colour::Black : Colour::White, kClassFlexFour));
        ASSERT_TRUE(winsByThreats(board, them, kBudget)) << i;
        // A node limit gives the filter's checks 40,000 nodes each and no clock.
        const SearchReport r = strongSearch(board, StrongLimits{0, 1, 4, 4000000}, kNever);
        ASSERT_TRUE(r.bestMove >= 0 && r.bestMove < kPoints);
        EXPECT_FALSE(winsByThreats(withMove(board, r.bestMove), them, kBudget)) << i;
    }
}

// Several lines: the first is the answer's, each starts with its own legal move, no move twice.
TEST(StrongSearch, MultiLineAnalysisListsDistinctRootMoves) {
    std::mt19937 rng(31);
    const BanArray board = randomPosition(rng, 16);
    StrongLimits limits{0, 60, 4, 30000};
    EXPECT_TRUE(strongSearch(board, limits, kNever).lines.empty());
    limits.multiPv = 3;
    const SearchReport r = strongSearch(board, limits, kNever);
    ASSERT_EQ(r.lines.size(), 3u);
    EXPECT_EQ(r.lines[0].move, r.bestMove);
    EXPECT_EQ(r.lines[0].line, r.line);
    for (size_t i = 0; i < r.lines.size(); ++i) {
        const RootLine& l = r.lines[i];
        ASSERT_FALSE(l.line.empty());
        EXPECT_EQ(l.line[0], l.move);
        EXPECT_EQ(board.at(l.move), kEmpty);
        for (size_t j = 0; j < i; ++j) EXPECT_NE(r.lines[j].move, l.move);
    }
}

// The one timing check: a 50 ms decision answers well within 600 ms. Processor time is
// measured (the search runs on this thread alone), so that a loaded machine that keeps the
// thread waiting does not count against the search.
TEST(StrongSearch, ThinkMoveKeepsToItsBudget) {
    std::mt19937 rng(37);
    std::uniform_int_distribution<int> offset(-5, 5);
    for (int i = 0; i < 6; ++i) {
        BanArray board;
        BanHistory history;
        while (board.moveCount() < 12 + 6 * i) {
            const int p = cellIndex(7 + offset(rng), 7 + offset(rng));
            if (board.at(p) != kEmpty) continue;
            const char colour = colourToMove(board.moveCount());
            const MoveCode code = ChkStat(board).judgePoint(p, colour);
            if (isEndCode(code)) continue;
            board.put(p);
            history.append(cellX(p), cellY(p), colour, code);
        }
        ThinkingLevel level = ThinkingLevel::strong(50);
        level.readDatabase = false;
        const std::clock_t start = std::clock();
        const uint8_t move = thinkMove(history, level, kNever);
        const double tookMs = 1000.0 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
        EXPECT_LT(move, kPoints);
        EXPECT_LT(tookMs, 600.0) << i;
    }
}

// Black wins by threats here, but only with more threes than the root's first threat search
// tries. The nodes the main search leaves find the win; after white's answer the next decision
// goes on with it, which the same search on a thread that did not begin the win does not.
TEST(StrongSearch, TheNodesLeftFindALongerWinByThreatsAndItIsFollowed) {
    const BanArray board = boardOf({"h8", "h7", "i7", "j6", "g7", "g8", "i6", "i8", "f6", "e5",
                                    "g5", "g6", "j9", "e7", "e4", "h6", "h5", "i5"});
    ASSERT_FALSE(winsByThreats(board, kBlack, 10'000'000, 6));
    ASSERT_TRUE(winsByThreats(board, kBlack, 10'000'000, 8));
    const StrongLimits limits{0, 60, 4, 80000};
    BanArray next;
    std::thread([&] {
        const SearchReport first = strongSearch(board, StrongLimits{0, 60, 4, 460000}, kNever);
        ASSERT_GT(first.winIn, 0);
        EXPECT_GT(first.depth, 0); // not the root's first threat search
        ASSERT_GE(first.line.size(), 3u);
        next = withMove(withMove(board, first.line[0]), first.line[1]);
        EXPECT_GT(strongSearch(next, limits, kNever).winIn, 0);
    }).join();
    std::thread([&] { EXPECT_EQ(strongSearch(next, limits, kNever).winIn, 0); }).join();
}

// In this position of a lost game the answer played let black win by threats with six threes,
// which the root's defence filter (four threes) does not look for. With nodes left after the
// main search, the answer is checked and another move played.
TEST(StrongSearch, TheAnswerIsCheckedAgainstLongerThreatWins) {
    const BanArray board =
        boardOf({"h8", "h7", "i6", "i7", "g7", "g6", "i8", "j8", "h6", "j7", "k7", "i5",
                 "j9", "i9", "j5", "k6", "jB", "e8", "kA", "lB", "hB", "f7", "d9"});
    auto losesAfter = [&](int move) {
        return winsByThreats(withMove(board, move), kBlack, 10'000'000, 6);
    };
    int x = 0, y = 0;
    ASSERT_TRUE(pointTextToXY('i', 'A', x, y));
    ASSERT_TRUE(losesAfter(cellIndex(x, y))); // the game's answer
    std::thread([&] {
        const SearchReport r = strongSearch(board, StrongLimits{0, 60, 4, 200000}, kNever);
        EXPECT_FALSE(losesAfter(r.bestMove)) << r.bestMove;
    }).join();
}
