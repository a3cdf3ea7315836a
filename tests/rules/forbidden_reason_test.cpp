// The lines named as the reason of a forbidden move, and the stones of a five.
#include "board_picture.h"
#include "rules/board_lines.h"
#include "rules/forbidden_reason.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

int at(int x, int y) {
    return cellIndex(x, y);
}

struct Case {
    Area area;
    MoveCode code;
    std::vector<ShapeLine> lines;
};

// clang-format off
const Case kCases[] = {
    // A cross of two open threes: the row and the column through the point.
    {{6, 6, {".B.",
             "BoB",
             ".B."}},
     kCodeForbiddenThree, {{0, {at(6, 7), at(7, 7), at(8, 7)}}, {2, {at(7, 6), at(7, 7), at(7, 8)}}}},
    // A split three counts with its gap.
    {{4, 6, {"...B",
             "B.Bo",
             "...B"}},
     kCodeForbiddenThree, {{0, {at(4, 7), at(6, 7), at(7, 7)}}, {2, {at(7, 6), at(7, 7), at(7, 8)}}}},
    // Two fours in one line: one line holding both.
    {{4, 7, {"B.BoB.B"}}, kCodeForbiddenFour, {{0, {at(4, 7), at(6, 7), at(7, 7), at(8, 7), at(10, 7)}}}},
    // Two fours on two lines.
    {{3, 4, {"....B",
             "....B",
             "....B",
             "WBBBo",
             "....W"}},
     kCodeForbiddenFour, {{0, {at(4, 7), at(5, 7), at(6, 7), at(7, 7)}}, {2, {at(7, 4), at(7, 5), at(7, 6), at(7, 7)}}}},
    // Six in a row: the whole run.
    {{2, 7, {"BBBBBo"}}, kCodeForbiddenOverline,
     {{0, {at(2, 7), at(3, 7), at(4, 7), at(5, 7), at(6, 7), at(7, 7)}}}},
};
// clang-format on

} // namespace

TEST(ForbiddenReason, NamesTheLinesTheJudgementCounted) {
    for (const Case& c : kCases) {
        Placed p = place(c.area);
        const BanArray before = p.board;
        const ForbiddenReason r = forbiddenReason(p.board, p.centre);
        EXPECT_EQ(r.code, c.code);
        ASSERT_EQ(r.lines.size(), c.lines.size());
        for (size_t i = 0; i < c.lines.size(); ++i) {
            EXPECT_EQ(r.lines[i].direction, c.lines[i].direction);
            EXPECT_EQ(r.lines[i].stones, c.lines[i].stones);
        }
        EXPECT_TRUE(sameBoard(p.board, before));
        // The same reason when the forbidden stone is already on the board.
        if (c.code != kCodeNothing) {
            p.board.setAt(p.centre, kBlack);
            EXPECT_EQ(forbiddenReason(p.board, p.centre).lines.size(), c.lines.size());
        }
    }
}

TEST(ForbiddenReason, WhiteStonesAndOffBoardPointsHaveNone) {
    Placed p = place({6, 6, {".B.", "BoB", ".B."}});
    p.board.setAt(p.centre, kWhite);
    EXPECT_EQ(forbiddenReason(p.board, p.centre).code, kCodeNothing);
    EXPECT_EQ(forbiddenReason(p.board, -1).code, kCodeNothing);
    EXPECT_EQ(forbiddenReason(p.board, kPoints).code, kCodeNothing);
}

TEST(ForbiddenReason, FiveThroughAPoint) {
    Placed p = place({1, 3, {"......B", "......B", "......B", "......B", "BBBBBBo"}});
    // The column's five, not the row's overline of seven.
    EXPECT_EQ(fiveThrough(p.board, p.centre, kBlack),
              (std::vector<int>{at(7, 3), at(7, 4), at(7, 5), at(7, 6), at(7, 7)}));
    Placed w = place({3, 7, {"WWWWo"}});
    EXPECT_EQ(fiveThrough(w.board, w.centre, kWhite),
              (std::vector<int>{at(3, 7), at(4, 7), at(5, 7), at(6, 7), at(7, 7)}));
    Placed four = place({4, 7, {"BBBo"}});
    EXPECT_TRUE(fiveThrough(four.board, four.centre, kBlack).empty());
}
