#include "board_picture.h"
#include "player/standard/evaluation.h"
#include "player/standard/phase.h"
#include "rules/move_code.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Records the pushes instead of ordering them.
struct RecordingQueue {
    void push(const pos_value& v) { pushed.push_back(v); }
    std::vector<pos_value> pushed;
};

int scoreOf(const std::vector<pos_value>& pushed, int point) {
    for (const pos_value& v : pushed)
        if (v.point == point) return v.score;
    ADD_FAILURE() << "point " << point << " not pushed";
    return 0;
}

} // namespace

TEST(Evaluation, CandidatesArePushedColumnByColumnWithTheirScores) {
    // Black to move (four stones); black has an open three on row 7.
    BanArray board = boardPicture({
        "...............",
        "O..............",
        "...............",
        "...............",
        "...............",
        "...............",
        "...............",
        "......XXX......",
        "...............",
        "..............O",
    });
    ASSERT_EQ(board.moveCount() % 2, 1); // 5 stones: white to move
    board[cellIndex(0, 14)] = kWhite;    // 6 stones: black to move
    board.setMoveCount(6);
    Phase root(board);
    RecordingQueue q;
    root.scoreCandidates(q);

    ASSERT_EQ(q.pushed.size(), 225u - 6u);
    // Column by column, top to bottom: points ascend by y within x, then by x.
    int previous = -1;
    for (const pos_value& v : q.pushed) {
        int key = cellX(v.point) * 15 + cellY(v.point);
        EXPECT_GT(key, previous);
        previous = key;
        EXPECT_EQ(board.at(v.point), kEmpty);
        const int own = root.codes()->sideCodes[v.point], other = root.codes()->otherCodes[v.point];
        EXPECT_EQ(v.score, candidateOwnScore[own] + candidateOtherScore[other]);
    }
    // Black's straight four, white having nothing there.
    EXPECT_EQ(root.codes()->sideCodes[cellIndex(5, 7)], 2);
    EXPECT_EQ(scoreOf(q.pushed, cellIndex(5, 7)),
              1000 + candidateOtherScore[root.codes()->otherCodes[cellIndex(5, 7)]]);
    // A point far from everything scores 0.
    EXPECT_EQ(scoreOf(q.pushed, cellIndex(12, 2)), 0);
}

TEST(Evaluation, ForbiddenPointScoresMinusAThousandForBlack) {
    // Two black twos crossing at (7, 7): black there makes a double three.
    BanArray board = boardPicture({
        "O..............",
        "...............",
        "...............",
        "...............",
        "...............",
        "...............",
        ".......X.......",
        ".....XX........",
        ".......X.......",
        "...............",
        "...............",
        "...............",
        "...............",
        "...............",
        "O.O...........O",
    });
    ASSERT_EQ(board.moveCount(), 8); // black to move
    Phase root(board);
    ASSERT_EQ(root.codes()->sideCodes[cellIndex(7, 7)], kCodeForbiddenThree);
    RecordingQueue q;
    root.scoreCandidates(q);
    EXPECT_EQ(scoreOf(q.pushed, cellIndex(7, 7)),
              -1000 + candidateOtherScore[root.codes()->otherCodes[cellIndex(7, 7)]]);
}

TEST(Evaluation, LeafValueSumsOwnMinusOther) {
    Phase root(boardMoves({cellIndex(7, 7), cellIndex(8, 8)}));
    for (int p = 0; p < kPoints; ++p) {
        root.codes()->sideCodes[p] = kCodeNothing;
        root.codes()->otherCodes[p] = kCodeNothing;
    }
    root.codes()->sideCodes[cellIndex(0, 0)] = 15;
    root.codes()->otherCodes[cellIndex(3, 0)] = 8;
    // Codes on occupied points are not counted.
    root.codes()->sideCodes[cellIndex(7, 7)] = 1;
    root.evaluate();
    EXPECT_EQ(root.value, 12 - 8);
    EXPECT_EQ(root.codes(), nullptr);
}

TEST(Evaluation, LeafAtOddDepthGetsNoValue) {
    auto root = std::make_unique<Phase>(boardMoves({cellIndex(7, 7)}));
    auto child = std::make_unique<Phase>(root.get(), cellIndex(8, 8));
    testing::internal::CaptureStderr();
    child->evaluate();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Maximun count Error\n");
    EXPECT_EQ(child->value, kUnsetValue);
    EXPECT_EQ(root->value, kUnsetValue);
    EXPECT_EQ(child->codes(), nullptr);
}
