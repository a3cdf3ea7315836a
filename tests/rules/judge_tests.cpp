// Black and white judgements of whole positions. In the pictures 'o' marks the judged point.
#include "board_text.h"
#include "rules/chk_stat.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

const char* const kFiveAndOverline[15] = {
    "...............", "...............", "...............", ".......B.......", ".......B.......",
    ".......B.......", ".......B.......", ".BBBBBBo.......", "...............", "...............",
    "...............", "...............", "...............", "...............", "...............",
};
const char* const kSix[15] = {
    "...............", "...............", "...............", "...............", "...............",
    "...............", "...............", "..BBBBBo.......", "...............", "...............",
    "...............", "...............", "...............", "...............", "...............",
};
const char* const kWhiteSix[15] = {
    "...............", "...............", "...............", "...............", "...............",
    "...............", "...............", "..WWWWWo.......", "...............", "...............",
    "...............", "...............", "...............", "...............", "...............",
};
const char* const kWhiteFive[15] = {
    "...............", "...............", "...............", "...............", "...............",
    "...............", "...............", "...WWWWo.......", "...............", "...............",
    "...............", "...............", "...............", "...............", "...............",
};
const char* const kTwoFours[15] = {
    "...............", "...............", "...............", "...............", ".......B.......",
    ".......B.......", ".......B.......", "...WBBBo.......", ".......W.......", "...............",
    "...............", "...............", "...............", "...............", "...............",
};
const char* const kSplitDoubleFour[15] = {
    "...............", "...............", "...............", "...............", "...............",
    "...............", "...............", "....B.BoB.B....", "...............", "...............",
    "...............", "...............", "...............", "...............", "...............",
};
const char* const kDoubleThree[15] = {
    "...............", "...............", "...............", "...............", "...............",
    "...............", ".......B.......", "......BoB......", ".......B.......", "...............",
    "...............", "...............", "...............", "...............", "...............",
};
const char* const kWhiteDoubleThree[15] = {
    "...............", "...............", "...............", "...............", "...............",
    "...............", ".......W.......", "......WoW......", ".......WW......", "...............",
    "...............", "...............", "...............", "...............", "...............",
};
const char* const kThreesAndStraightFour[15] = {
    "...............", "...............", "...............", "...............", "....B..........",
    ".....B.........", "......BB.......", "......BoB......", ".......B.......", "...............",
    "...............", "...............", "...............", "...............", "...............",
};
const char* const kThreeWithForbiddenEnd[15] = {
    "...............", "...............", "...............", "...............", "...............",
    "...............", ".......B.......", "....W.BoB......", ".......B..B....", "...........B...",
    "............B..", "...............", "...............", "...............", "...............",
};
const char* const kFourThree[15] = {
    "...............", "...............", "...............", "...............", "...............",
    "...............", ".......B.......", "...WBBBo.......", ".......B.......", "...............",
    "...............", "...............", "...............", "...............", "...............",
};
const char* const kStraightFour[15] = {
    "...............", "...............", "...............", "...............", "...............",
    "...............", "...............", "....BBBo.......", "...............", "...............",
    "...............", "...............", "...............", "...............", "...............",
};
const char* const kClosedThreeAndThree[15] = {
    "...............", "...............", "...............", "...............", "...............",
    "...............", ".......B.......", "....WBBo.......", ".......B.......", "...............",
    "...............", "...............", "...............", "...............", "...............",
};
const char* const kFourAndTwo[15] = {
    "...............", "...............", "...............", "...............", "...............",
    "...............", "...............", "...WBBBo.......", "........B......", "...............",
    "...............", "...............", "...............", "...............", "...............",
};
const char* const kSpoiledFour[15] = {
    "...............", "...............", "...............", "...............", "...............",
    "...............", "...............", "....BBBo.B.....", "...............", "...............",
    "...............", "...............", "...............", "...............", "...............",
};
const char* const kWhiteDoubleFour[15] = {
    "...............", "...............", "...............", "...............", ".......W.......",
    ".......W.......", ".......W.......", "...BWWWo.......", ".......B.......", "...............",
    "...............", "...............", "...............", "...............", "...............",
};

struct Judged {
    int black;
    int white;
};

// Judges the marked point for black and for white; neither judgement may change the board.
Judged judge(const char* const rows[15]) {
    Placed p = picture(rows);
    const BanArray before = p.board;
    ChkStat chk(p.board);
    Judged j{chk.judgeBlack(p.centre), chk.judgeWhite(p.centre)};
    EXPECT_TRUE(sameBoard(before, p.board));
    return j;
}

// The picture with black and white exchanged, and optionally with the stones in `drop` removed.
struct Edited {
    std::array<std::string, 15> rows;
    std::array<const char*, 15> ptrs;
    const char* const* get() { return ptrs.data(); }
};
Edited edit(const char* const rows[15], bool swap,
            std::initializer_list<std::pair<int, int>> drop = {}) {
    Edited e;
    for (int y = 0; y < 15; ++y) {
        e.rows[y] = rows[y];
        for (char& c : e.rows[y]) {
            if (swap && c == 'B')
                c = 'W';
            else if (swap && c == 'W')
                c = 'B';
        }
    }
    for (auto [x, y] : drop) e.rows[y][x] = '.';
    for (int y = 0; y < 15; ++y) e.ptrs[y] = e.rows[y].c_str();
    return e;
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
    EXPECT_EQ(judge(edit(kWhiteFive, true).get()).black, 1);
}

TEST(JudgeBlack, DoubleFours) {
    EXPECT_EQ(judge(kTwoFours).black, 22);
    EXPECT_EQ(judge(kSplitDoubleFour).black, 22); // B+BBB+B: two fours in one line
    Placed end = picture(kSplitDoubleFour);
    end.board[end.centre] = kBlack;
    ChkStat chk(end.board);
    EXPECT_EQ(chk.judgeBlack(cellIndex(4, 7)), 8); // on an end stone: a single four
    EXPECT_EQ(judge(kWhiteDoubleFour).white, 3);
}

TEST(JudgeBlack, DoubleThrees) {
    EXPECT_EQ(judge(kDoubleThree).black, 21);
    EXPECT_EQ(judge(kWhiteDoubleThree).white, 10); // 11 - one open two
    EXPECT_EQ(judge(edit(kWhiteDoubleThree, true).get()).black, 21);
    // a straight four in a third line does not save a double three
    EXPECT_EQ(judge(kThreesAndStraightFour).black, 21);
}

TEST(JudgeBlack, ThreeWithForbiddenExtendingPointDoesNotCount) {
    // The row three extends only at (9, 7), where the diagonal (10..12, 8..10) would make a
    // second four: the row counts nothing and the column three alone makes 15.
    EXPECT_EQ(judge(kThreeWithForbiddenEnd).black, 15);
    EXPECT_EQ(judge(edit(kThreeWithForbiddenEnd, false, {{12, 10}}).get()).black, 21);
}

TEST(JudgeBlack, FoursAndThreesWithTwos) {
    EXPECT_EQ(judge(kStraightFour).black, 2);
    EXPECT_EQ(judge(kStraightFour).white, 20); // black stones are nothing to white
    EXPECT_EQ(judge(edit(kStraightFour, true).get()).white, 2);
    EXPECT_EQ(judge(kFourThree).black, 4);
    EXPECT_EQ(judge(edit(kFourThree, true).get()).white, 4);
    EXPECT_EQ(judge(kFourAndTwo).black, 7);
    EXPECT_EQ(judge(edit(kFourAndTwo, false, {{8, 8}}).get()).black, 8);
    EXPECT_EQ(judge(kClosedThreeAndThree).black, 15); // a blocked three is neither three nor two
    EXPECT_EQ(judge(edit(kDoubleThree, false, {{6, 7}}).get()).black, 14); // three and a two
}

TEST(JudgeBlack, SpoiledFourCountsNothingInItsLine) {
    EXPECT_EQ(judge(kSpoiledFour).black, 20);
    EXPECT_EQ(judge(edit(kSpoiledFour, true).get()).white, 2);
}

TEST(JudgeBlack, PointsAreJudgedWhateverTheyHold) {
    Placed p = picture(kStraightFour);
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
    Placed p = picture(kDoubleThree);
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

} // namespace
