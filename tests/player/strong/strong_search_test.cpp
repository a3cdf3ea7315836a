#include "player/strong/strong_search.h"
#include "player/think.h"
#include "random_positions.h"

#include <gtest/gtest.h>

namespace {

const std::atomic<bool> kNeverStop{false};

BanArray movesBoard(const std::vector<int>& points) {
    BanArray board;
    for (int p : points) board.put(p);
    return board;
}

// The answer is an empty point, and for black not forbidden unless every empty point is.
void expectLegal(const BanArray& position, int move) {
    ASSERT_TRUE(move >= 0 && move < kPoints);
    ASSERT_EQ(position.at(move), kEmpty);
    if (colourToMove(position.moveCount()) != kBlack) return;
    BanArray board(position);
    ChkStat judge(board);
    if (!judge.isForbiddenBlack(move)) return;
    for (int p = 0; p < kPoints; ++p)
        ASSERT_FALSE(board.at(p) == kEmpty && !judge.isForbiddenBlack(p)) << "forbidden " << move;
}

std::vector<int> textMoves(std::initializer_list<const char*> texts) {
    std::vector<int> moves;
    for (const char* text : texts) {
        int x = 0, y = 0;
        EXPECT_TRUE(pointTextToXY(text[0], text[1], x, y)) << text;
        moves.push_back(cellIndex(x, y));
    }
    return moves;
}

} // namespace

TEST(StrongSearch, EveryAnswerIsLegal) {
    std::mt19937 rng(5);
    StrongLimits limits{20, 2, 4};
    for (int i = 0; i < 2000; ++i) {
        const BanArray board = randomPosition(rng, 6 + i % 70);
        const SearchReport r = strongSearch(board, limits, kNeverStop);
        expectLegal(board, r.bestMove);
    }
}

// However small a node limit, the answer comes from a finished depth of the main search (the
// root's threat searches once spent whole limits and left an unsearched fallback point), unless
// the threat search proved a win.
TEST(StrongSearch, SmallNodeLimitsStillSearchTheAnswer) {
    std::mt19937 rng(11);
    StrongLimits limits{0, 60, 4, 600};
    for (int i = 0; i < 200; ++i) {
        const BanArray board = randomPosition(rng, 10 + i % 50);
        const SearchReport r = strongSearch(board, limits, kNeverStop);
        expectLegal(board, r.bestMove);
        EXPECT_TRUE(r.depth >= 1 || r.winIn > 0) << i;
    }
}

// From a game: black's k7 was taken for a win in 6, because white's answers were kept to the
// defences against a black three whose straight four is forbidden, and white's i6, which
// refutes k7, was never tried. No win may be claimed for black, and white after k7 is not lost.
TEST(StrongSearch, ABlackThreeWithAForbiddenFourIsNoThreat) {
    std::vector<int> game = textMoves(
        {"h8", "h7", "hA", "i8", "j9", "j7", "g7", "k6", "h9", "l5", "m4", "l7", "jA", "i7"});
    const StrongLimits limits{0, 60, 4, 300000};
    EXPECT_LE(strongSearch(movesBoard(game), limits, kNeverStop).winIn, 0);
    int x = 0, y = 0;
    pointTextToXY('k', '7', x, y);
    game.push_back(cellIndex(x, y));
    EXPECT_GE(strongSearch(movesBoard(game), limits, kNeverStop).winIn, 0);
}

// From a game: white's j7 was taken for a win in 3, because black's answers below it were kept
// to the few best, all of which lost, and black's k7, which holds, was never tried. A node that
// loses with its best few moves must try the others before it counts as lost.
TEST(StrongSearch, ALossNeedsEveryMoveTried) {
    const std::vector<int> game =
        textMoves({"h8", "h7", "jA", "g7", "f7", "f8", "h6", "g8", "i6", "g6", "g9", "f5", "e4",
                   "g4", "g5", "j9", "i8", "h3", "e6"});
    EXPECT_LE(strongSearch(movesBoard(game), StrongLimits{0, 60, 4, 300000}, kNeverStop).winIn, 0);
}

// A board whose empty points are all forbidden for black: black still gets a point.
TEST(StrongSearch, ForbiddenPointOnlyWhenNothingElseIsEmpty) {
    BanArray board;
    for (int p = 0; p < kPoints; ++p)
        board[p] = (cellX(p) + 2 * cellY(p)) % 3 == 0 ? kBlack : kWhite;
    // Three empty points in a row of blacks: each makes an overline.
    for (int x : {3, 4, 5}) board[cellIndex(x, 0)] = kBlack;
    board[cellIndex(0, 0)] = board[cellIndex(1, 0)] = board[cellIndex(2, 0)] = kBlack;
    board[cellIndex(6, 0)] = board[cellIndex(7, 0)] = kBlack;
    board[cellIndex(3, 0)] = board[cellIndex(5, 0)] = kEmpty;
    int stones = 0;
    for (int p = 0; p < kPoints; ++p) stones += board[p] != kEmpty;
    board.setMoveCount(static_cast<uint8_t>(stones % 2 ? stones + 1 : stones));
    const SearchReport r = strongSearch(board, StrongLimits{200, 4, 1}, kNeverStop);
    EXPECT_TRUE(r.bestMove == cellIndex(3, 0) || r.bestMove == cellIndex(5, 0));
}

TEST(StrongSearch, PlaysTheWinAndDefendsTheLoss) {
    // Black h8 i8 j8 k8 against white: black to move completes the five.
    const BanArray five = movesBoard({112, 127, 113, 128, 114, 129, 115, 130});
    const SearchReport win = strongSearch(five, StrongLimits{500, 60, 4}, kNeverStop);
    EXPECT_TRUE(win.bestMove == 111 || win.bestMove == 116);
    EXPECT_EQ(win.winIn, 1);
    // White's three-in-a-row plus black's open four: white must lose, and still blocks.
    const BanArray loss = movesBoard({112, 127, 113, 128, 114, 130, 115});
    const SearchReport defend = strongSearch(loss, StrongLimits{300, 60, 4}, kNeverStop);
    EXPECT_LT(defend.winIn, 0);
    EXPECT_TRUE(defend.bestMove == 111 || defend.bestMove == 116);
}

// A stop set before the call: a legal move at once, from the strong search and from thinkMove
// (which answers 255 for a decision abandoned by its caller).
TEST(StrongSearch, StopSetBeforehandAnswersAtOnce) {
    const std::atomic<bool> stopped{true};
    const BanArray board = movesBoard({112, 98, 126, 140, 96, 110, 124, 82});
    const SearchReport r = strongSearch(board, StrongLimits{0, 60, 4}, stopped);
    expectLegal(board, r.bestMove);
    EXPECT_EQ(r.depth, 0);
    BanHistory history;
    for (int p : {112, 98, 126, 140, 96, 110, 124, 82})
        history.append(cellX(p), cellY(p), colourToMove(static_cast<int>(history.size())), 20);
    EXPECT_EQ(thinkMove(history, ThinkingLevel::strong(0), stopped, "/nonexistent/"), kNoMove);
    const uint8_t played =
        thinkMove(history, ThinkingLevel::strong(50), kNeverStop, "/nonexistent/");
    expectLegal(board, played);
}
