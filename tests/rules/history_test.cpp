// BanHistory: cursor rules, move text, judging on append; BanArray built from a history.
#include "rules/ban_array.h"
#include "rules/ban_history.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

BanHistory threeMoves() {
    BanHistory h;
    h.append(7, 7, 'B', 20);
    h.append(8, 6, 'W', 18);
    h.append(0, 14, 'B', 12);
    return h;
}

TEST(BanHistoryCursor, EmptyHistory) {
    BanHistory h;
    EXPECT_FALSE(h.next());
    EXPECT_FALSE(h.previous());
    EXPECT_EQ(h.currentCode(), 20);
    EXPECT_EQ(h.moveText(), "**,");
}

TEST(BanHistoryCursor, AppendFollowsAndRefusesOffBoard) {
    BanHistory h = threeMoves();
    EXPECT_EQ(h.current(), (MovedPos{0, 14, 'B', 12}));
    EXPECT_FALSE(h.append(15, 0, 'W', 20));
    EXPECT_FALSE(h.append(0, 15, 'W', 20));
    EXPECT_FALSE(h.append(-1, 0, 'W', 20));
    EXPECT_EQ(h.size(), 3u);
    EXPECT_EQ(h.currentCode(), 12);
}

TEST(BanHistoryCursor, RewindNextVisitsEveryMove) {
    BanHistory h = threeMoves();
    h.rewind();
    std::vector<int> codes;
    while (h.next()) codes.push_back(h.currentCode());
    EXPECT_EQ(codes, (std::vector<int>{20, 18, 12}));
    EXPECT_TRUE(h.next()); // from the marker again to the first move
    EXPECT_EQ(h.currentCode(), 20);
}

TEST(BanHistoryCursor, PreviousFromMarkerAndFromFirst) {
    BanHistory h = threeMoves();
    h.rewind();
    EXPECT_TRUE(h.previous());
    EXPECT_EQ(h.currentCode(), 12);
    EXPECT_TRUE(h.previous());
    EXPECT_TRUE(h.previous());
    EXPECT_EQ(h.currentCode(), 20);
    EXPECT_FALSE(h.previous()); // to the marker
    EXPECT_TRUE(h.next());
    EXPECT_EQ(h.currentCode(), 20);
}

TEST(BanHistoryCursor, RemoveLastStepsBackFirst) {
    BanHistory h = threeMoves();
    h.removeLast();
    EXPECT_EQ(h.size(), 2u);
    EXPECT_EQ(h.currentCode(), 18);
    h.rewind();
    h.next(); // on the first move
    h.removeLast();
    EXPECT_EQ(h.size(), 1u);
    EXPECT_TRUE(h.next()); // the cursor went to the marker: next reaches the first move
    EXPECT_EQ(h.currentCode(), 20);
    h.removeLast();
    EXPECT_TRUE(h.empty());
    h.removeLast(); // nothing to remove: refused
    EXPECT_TRUE(h.empty());
}

TEST(BanHistoryCopy, CursorEndsOneMoveFurtherOn) {
    BanHistory h = threeMoves();
    h.rewind();
    h.next();
    h.next(); // on the second move
    BanHistory copy(h);
    EXPECT_EQ(copy.currentCode(), 12); // on the third
    EXPECT_EQ(h.currentCode(), 18);    // the source's cursor is untouched
    BanHistory assigned;
    assigned.append(1, 1, 'B', 5);
    assigned = h;
    EXPECT_EQ(assigned.size(), 3u);
    EXPECT_EQ(assigned.currentCode(), 12);

    h.rewind();
    h.next(); // on the first
    EXPECT_EQ(BanHistory(h).currentCode(), 18);
}

TEST(BanHistoryCopy, FromLastMoveOrMarkerTheCopyIsOnTheMarker) {
    BanHistory h = threeMoves(); // cursor on the last move
    BanHistory copy(h);
    EXPECT_TRUE(copy.next()); // from the marker to the first move
    EXPECT_EQ(copy.currentCode(), 20);
    h.rewind();
    BanHistory fromMarker(h);
    EXPECT_TRUE(fromMarker.next());
    EXPECT_EQ(fromMarker.currentCode(), 20);
    BanHistory empty;
    BanHistory emptyCopy(empty);
    EXPECT_FALSE(emptyCopy.next());
}

TEST(BanHistoryCopy, SelfAssignmentChangesNothing) {
    BanHistory h = threeMoves();
    h.rewind();
    h.next();
    BanHistory& alias = h;
    h = alias;
    EXPECT_EQ(h.size(), 3u);
    EXPECT_EQ(h.currentCode(), 20);
}

TEST(BanHistoryText, MoveTextAndNumbers) {
    BanHistory h;
    h.append(7, 7, 'B', 20);
    h.append(8, 6, 'W', 20);
    EXPECT_EQ(h.moveText(), "h8,i7,**,");
    h.append(14, 14, 'B', 20);
    h.append(0, 0, 'W', 20);
    EXPECT_EQ(h.moveText(), "h8,i7,oF,a1,**,");
    std::ostringstream out;
    h.numberDump(out);
    EXPECT_EQ(out.str(), "808\n907\n1515\n101\n");
}

TEST(BanHistoryJudge, CodesOfAGame) {
    BanHistory h;
    ASSERT_TRUE(h.appendAndJudge(7, 7, 'B'));
    EXPECT_EQ(h.last().code, 20);
    h.appendAndJudge(0, 0, 'W');
    h.appendAndJudge(8, 7, 'B');
    EXPECT_EQ(h.last().code, 19); // an open two
    h.appendAndJudge(0, 1, 'W');
    h.appendAndJudge(9, 7, 'B');
    EXPECT_EQ(h.last().code, 15); // a three
    h.appendAndJudge(10, 7, 'W');
    h.appendAndJudge(8, 8, 'B');
    h.appendAndJudge(0, 2, 'W');
    EXPECT_EQ(h.last().code, 20);
    h.appendAndJudge(8, 6, 'B'); // column (8, 6..8): a three; both diagonals: twos
    EXPECT_EQ(h.last().code, 13);
    EXPECT_EQ(h.currentCode(), 13);
    EXPECT_FALSE(h.appendAndJudge(3, 15, 'W'));
    EXPECT_EQ(h.size(), 9u);
}

TEST(BanHistoryJudge, ForbiddenMoveIsRecorded) {
    BanHistory h;
    const int moves[][2] = {{6, 7}, {0, 0}, {8, 7}, {0, 2}, {7, 6}, {0, 4}, {7, 8}, {0, 6}};
    for (auto& m : moves) h.appendAndJudge(m[0], m[1], h.size() % 2 == 0 ? 'B' : 'W');
    h.appendAndJudge(7, 7, 'B');
    EXPECT_EQ(h.last().code, 21);
}

// The code goes to the new move even when the cursor stood elsewhere before the append.
TEST(BanHistoryJudge, CodeStoredInTheNewMoveWhereverTheCursorWas) {
    BanHistory h;
    h.appendAndJudge(7, 7, 'B');
    h.appendAndJudge(0, 0, 'W');
    h.appendAndJudge(8, 7, 'B');
    h.appendAndJudge(0, 1, 'W');
    h.rewind();
    h.appendAndJudge(9, 7, 'B');
    std::vector<int> codes;
    for (const MovedPos& m : h) codes.push_back(m.code);
    EXPECT_EQ(codes, (std::vector<int>{20, 20, 19, 20, 15}));
}

// Records may carry their own colours: a move is judged as the colour it was played with.
TEST(BanHistoryJudge, OwnColoursAreJudged) {
    BanHistory h;
    h.appendAndJudge(7, 7, 'B');
    h.appendAndJudge(8, 7, 'B');
    h.appendAndJudge(9, 7, 'B');
    EXPECT_EQ(h.last().code, 15);
    h.appendAndJudge(10, 7, 'W');
    EXPECT_EQ(h.last().code, 20);
}

TEST(BanArrayBuild, FromHistoryWithOwnColours) {
    BanHistory h;
    h.append(7, 7, 'W', 20);
    h.append(8, 7, 'W', 20);
    BanArray b(h);
    EXPECT_EQ(b[cellIndex(7, 7)], 'W');
    EXPECT_EQ(b[cellIndex(8, 7)], 'W');
    EXPECT_EQ(b.moveCount(), 2);
    EXPECT_EQ(b.lastMove(), cellIndex(8, 7));
    BanArray empty{BanHistory()};
    EXPECT_EQ(empty.lastMove(), kNoPoint);
    EXPECT_EQ(empty.moveCount(), 0);
    EXPECT_TRUE(empty == BanArray());
}

TEST(BanArrayBuild, PutAlternatesAndRefusesOccupied) {
    BanArray b;
    EXPECT_TRUE(b.put(112));
    EXPECT_TRUE(b.put(0));
    EXPECT_EQ(b[112], 'B');
    EXPECT_EQ(b[0], 'W');
    const BanArray before = b;
    EXPECT_FALSE(b.put(112));
    EXPECT_TRUE(b == before);
    EXPECT_EQ(b.lastMove(), 0);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(b.put(225));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "(225)/(225)\nOut of array index\n");
    EXPECT_EQ(b.moveCount(), 2);
}

TEST(BanArrayBuild, EqualityNeedsCountAndCells) {
    BanArray a, b;
    a.put(5);
    b.put(5);
    EXPECT_TRUE(a == b);
    b.setMoveCount(2);
    EXPECT_FALSE(a == b);
    BanArray c;
    c.put(6);
    EXPECT_FALSE(a == c);
    BanArray d;
    d.put(5);
    d.setLastMove(9); // the last move is not compared
    EXPECT_TRUE(a == d);
}

} // namespace
