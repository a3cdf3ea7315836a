// Black and white judgements of whole positions. In the pictures 'o' marks the judged point;
// each picture is a part of the board with its first character at the given (x, y).
#include "board_picture.h"
#include "rules/chk_stat.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// clang-format off
const Area kFiveAndOverline = {1, 3, {
    "......B",
    "......B",
    "......B",
    "......B",
    "BBBBBBo",
}};
const Area kSix = {2, 7, {
    "BBBBBo",
}};
const Area kWhiteSix = {2, 7, {
    "WWWWWo",
}};
const Area kWhiteFive = {3, 7, {
    "WWWWo",
}};
const Area kTwoFours = {3, 4, {
    "....B",
    "....B",
    "....B",
    "WBBBo",
    "....W",
}};
const Area kSplitDoubleFour = {4, 7, {
    "B.BoB.B",
}};
const Area kDoubleThree = {6, 6, {
    ".B.",
    "BoB",
    ".B.",
}};
const Area kWhiteDoubleThree = {6, 6, {
    ".W.",
    "WoW",
    ".WW",
}};
const Area kThreesAndStraightFour = {4, 4, {
    "B....",
    ".B...",
    "..BB.",
    "..BoB",
    "...B.",
}};
const Area kThreeWithForbiddenEnd = {4, 6, {
    "...B.....",
    "W.BoB....",
    "...B..B..",
    ".......B.",
    "........B",
}};
const Area kFourThree = {3, 6, {
    "....B",
    "WBBBo",
    "....B",
}};
const Area kStraightFour = {4, 7, {
    "BBBo",
}};
const Area kClosedThreeAndThree = {4, 6, {
    "...B",
    "WBBo",
    "...B",
}};
const Area kFourAndTwo = {3, 7, {
    "WBBBo.",
    ".....B",
}};
// +BBBB+B: filling the right end makes six, the open left end an exact five.
const Area kSpoiledFour = {4, 7, {
    "BBBo.B",
}};
const Area kSpoiledFourBlocked = {3, 7, {
    "WBBBo.B",
}};
const Area kSpoiledBothEnds = {2, 7, {
    "B.BBBo.B",
}};
const Area kSpoiledFourOnTheLeft = {2, 7, {
    "B.oBBB",
}};
const Area kSpoiledFourAndFour = {4, 3, {
    "...B..",
    "...B..",
    "...B..",
    "......",
    "BBBo.B",
}};
const Area kBlockedSpoiledFourAndFour = {3, 3, {
    "....B..",
    "....B..",
    "....B..",
    ".......",
    "WBBBo.B",
}};
const Area kSpoiledFourAndThree = {4, 5, {
    "......",
    "...B..",
    "BBBo.B",
    "...B..",
    "......",
}};
const Area kWhiteDoubleFour = {3, 4, {
    "....W",
    "....W",
    "....W",
    "BWWWo",
    "....B",
}};
// clang-format on

struct Judged {
    int black;
    int white;
};

// Judges the marked point for black and for white; neither judgement may change the board.
Judged judge(const Area& area) {
    Placed p = place(area);
    const BanArray before = p.board;
    ChkStat chk(p.board);
    Judged j{chk.judgeBlack(p.centre), chk.judgeWhite(p.centre)};
    EXPECT_TRUE(sameBoard(before, p.board));
    return j;
}

// The area with black and white exchanged.
Area swapped(Area area) {
    for (std::string& row : area.rows)
        for (char& c : row) c = c == 'B' ? 'W' : c == 'W' ? 'B' : c;
    return area;
}

// The area without the stone at board point (x, y).
Area without(Area area, int x, int y) {
    area.rows[static_cast<size_t>(y - area.y0)][static_cast<size_t>(x - area.x0)] = '.';
    return area;
}

TEST(JudgeBlack, EmptyBoardCentreIsNothing) {
    BanArray b;
    ChkStat chk(b);
    EXPECT_EQ(chk.judgeBlack(cellIndex(7, 7)), 20);
    EXPECT_EQ(chk.judgeWhite(cellIndex(7, 7)), 20);
    EXPECT_EQ(chk.judgePoint(0, kBlack), 20);
}

TEST(JudgeBlack, FiveWinsOverAnOverlineInAnotherLine) {
    // the row (an overline of seven) is looked at before the column (a five)
    EXPECT_EQ(judge(kFiveAndOverline).black, 1);
}

TEST(JudgeBlack, SixIsForbiddenButWinsForWhite) {
    EXPECT_EQ(judge(kSix).black, 23);
    EXPECT_EQ(judge(kWhiteSix).white, 0);
    EXPECT_EQ(judge(kWhiteFive).white, 1);
    EXPECT_EQ(judge(swapped(kWhiteFive)).black, 1);
}

TEST(JudgeBlack, DoubleFours) {
    EXPECT_EQ(judge(kTwoFours).black, 22);
    EXPECT_EQ(judge(kSplitDoubleFour).black, 22); // B+BBB+B: two fours in one line
    Placed end = place(kSplitDoubleFour);
    end.board[end.centre] = kBlack;
    ChkStat chk(end.board);
    EXPECT_EQ(chk.judgeBlack(cellIndex(4, 7)), 8); // on an end stone: a single four
    EXPECT_EQ(judge(kWhiteDoubleFour).white, 3);
}

TEST(JudgeBlack, DoubleThrees) {
    EXPECT_EQ(judge(kDoubleThree).black, 21);
    EXPECT_EQ(judge(kWhiteDoubleThree).white, 10); // 11 - one open two
    EXPECT_EQ(judge(swapped(kWhiteDoubleThree)).black, 21);
    // a straight four in a third line does not save a double three
    EXPECT_EQ(judge(kThreesAndStraightFour).black, 21);
}

TEST(JudgeBlack, ThreeWithForbiddenExtendingPointDoesNotCount) {
    // The row three extends only at (9, 7), where the diagonal (10..12, 8..10) would make a
    // second four: the row counts nothing and the column three alone makes 15.
    EXPECT_EQ(judge(kThreeWithForbiddenEnd).black, 15);
    EXPECT_EQ(judge(without(kThreeWithForbiddenEnd, 12, 10)).black, 21);
}

TEST(JudgeBlack, FoursAndThreesWithTwos) {
    EXPECT_EQ(judge(kStraightFour).black, 2);
    EXPECT_EQ(judge(kStraightFour).white, 20); // black stones are nothing to white
    EXPECT_EQ(judge(swapped(kStraightFour)).white, 2);
    EXPECT_EQ(judge(kFourThree).black, 4);
    EXPECT_EQ(judge(swapped(kFourThree)).white, 4);
    EXPECT_EQ(judge(kFourAndTwo).black, 7);
    EXPECT_EQ(judge(without(kFourAndTwo, 8, 8)).black, 8);
    EXPECT_EQ(judge(kClosedThreeAndThree).black, 15); // a blocked three is neither three nor two
    EXPECT_EQ(judge(without(kDoubleThree, 6, 7)).black, 14); // three and a two
}

TEST(JudgeBlack, SpoiledFourCountsNothingInItsLine) {
    EXPECT_EQ(judge(kSpoiledFourBlocked).black, 20);
    EXPECT_EQ(judge(kSpoiledBothEnds).black, 20);
    EXPECT_EQ(judge(swapped(kSpoiledFour)).white, 2);
}

// A four whose one end would make six still counts when its other end makes an exact five.
TEST(JudgeBlack, SpoiledFourWithAnOpenEndIsAFour) {
    EXPECT_EQ(judge(kSpoiledFour).black, 8);
    EXPECT_EQ(judge(kSpoiledFourOnTheLeft).black, 8);
    EXPECT_EQ(judge(kSpoiledFourAndFour).black, 22);
    EXPECT_EQ(judge(kSpoiledFourAndThree).black, 4);
    // with the open end blocked the column four is the only one
    EXPECT_EQ(judge(kBlockedSpoiledFourAndFour).black, 8);

    // A game in which black played this double four: (11, 4) makes the four (11, 2)..(11, 5)
    // in its column, spoiled at (11, 6) by (11, 7), and the four (11, 4)..(7, 8) on the
    // anti-diagonal.
    BanArray b;
    for (int n : {808,  807,  1009, 707,  1007, 906,  708,  1008, 607,  608, 509, 905,
                  806,  907,  908,  1005, 904,  804,  805,  706,  910,  809, 703, 1107,
                  1206, 1104, 1203, 1006, 1208, 1105, 1106, 1303, 1204, 1305})
        ASSERT_TRUE(b.put(cellIndex(n / 100 - 1, n % 100 - 1)));
    EXPECT_EQ(ChkStat(b).judgeBlack(cellIndex(11, 4)), 22);
}

TEST(JudgeBlack, PointsAreJudgedWhateverTheyHold) {
    Placed p = place(kStraightFour);
    p.board[p.centre] = kWhite;
    const BanArray before = p.board;
    ChkStat chk(p.board);
    EXPECT_EQ(chk.judgeBlack(p.centre), 2);
    EXPECT_EQ(chk.judgePoint(p.centre, kBlack), 2);
    EXPECT_FALSE(chk.isForbiddenBlack(p.centre));
    EXPECT_TRUE(sameBoard(before, p.board));
    EXPECT_EQ(p.board[p.centre], kWhite);
}

TEST(JudgeLastMove, ColourByMoveCount) {
    BanArray b;
    ChkStat chk(b);
    EXPECT_EQ(chk.judgeLastMove(), 20); // no last move yet
    // black (7, 7), white far away, black (8, 7), white, black (9, 7): then black's three
    for (int i : {cellIndex(7, 7), 0, cellIndex(8, 7), 14, cellIndex(6, 7)}) ASSERT_TRUE(b.put(i));
    EXPECT_EQ(chk.judgeLastMove(), 15);
    ASSERT_TRUE(b.put(cellIndex(5, 7))); // white blocks
    EXPECT_EQ(chk.judgeLastMove(), 20);
    EXPECT_EQ(b.moveCount(), 6);
}

TEST(JudgeBlack, ForbiddenPointIsForbidden) {
    Placed p = place(kDoubleThree);
    EXPECT_TRUE(isForbiddenBlack(p.board, p.centre));
    EXPECT_FALSE(isForbiddenBlack(p.board, cellIndex(0, 0)));
}

TEST(JudgeBlack, OutOfRangePointIsRefused) {
    BanArray b;
    const BanArray before = b;
    ChkStat chk(b);
    testing::internal::CaptureStderr();
    EXPECT_EQ(chk.judgeBlack(225), 20);
    EXPECT_EQ(chk.judgeWhite(-1), 20);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(sameBoard(before, b));
}

TEST(MoveCodeNames, TwentyFourNames) {
    const char* const expected[24] = {
        "長連", "五", "達四", "四四", "四三", "四", "四", "四", "四", "三三",   "三三",   "三三",
        "三",   "三", "三",   "三",   "",     "",   "",   "",   "",   "三三禁", "四四禁", "長連禁"};
    for (int c = 0; c < 24; ++c) EXPECT_STREQ(moveCodeName(c), expected[c]) << c;
    EXPECT_STREQ(moveCodeName(-1), "");
    EXPECT_STREQ(moveCodeName(24), "");
    EXPECT_TRUE(isEndCode(1) && isEndCode(21) && !isEndCode(2) && !isEndCode(20));
    EXPECT_TRUE(isForbiddenCode(23) && !isForbiddenCode(24) && !isForbiddenCode(20));
}

// The groups the callers test, code by code: the names say which group each code is in.
TEST(MoveCodeNames, PredicatesFollowTheNames) {
    for (int c = 0; c < kMoveCodeCount; ++c) {
        const std::string name = moveCodeName(c);
        EXPECT_EQ(isWinCode(c), name == "長連" || name == "五") << c;
        EXPECT_EQ(isFourCode(c), name == "四") << c;
        EXPECT_EQ(isQuietCode(c), name.empty()) << c;
        EXPECT_EQ(isForbiddenCode(c), name.ends_with("禁")) << c;
        EXPECT_EQ(isWarningCode(c),
                  isWinCode(c) || name == "四四" || name == "四三" || name == "三三")
            << c;
        EXPECT_EQ(isForcedWinCode(c), c <= kCodeDoubleFour) << c;
    }
    EXPECT_EQ(kCodeFour, 8);
    EXPECT_EQ(kCodeThree, 15);
    EXPECT_EQ(kCodeDoubleThree, 11);
}

} // namespace
