#include "board_picture.h"
#include "player/book_move.h"
#include "player/standard/phase_iter.h"
#include "player/think.h"
#include "rules/chk_stat.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <vector>

namespace {

std::atomic<bool> noStop{false};

// Decides board with the given seed, its database files in directory (none: no database).
uint8_t decideWith(const BanArray& board, uint32_t seed, const std::string* directory = nullptr) {
    PhaseIter iter(board, StandardSettings::standard(), noStop,
                   directory ? *directory : std::string(), seed);
    if (!directory) iter.skipDatabase();
    return iter.decide();
}

BanHistory historyOf(const std::vector<int>& points) {
    BanHistory h;
    for (size_t i = 0; i < points.size(); ++i)
        h.append(cellX(points[i]), cellY(points[i]), colourToMove(static_cast<int>(i)), 20);
    return h;
}

// h8 i9 g9 i7 j8: five stones, white to move.
const std::vector<int> kFiveStones = {112, 128, 126, 98, 114};

} // namespace

TEST(EarlyMoves, EmptyBoardTakesTheCentre) {
    TempDir dir;
    EXPECT_EQ(thinkMove(BanHistory(), ThinkingLevel::standard(), noStop, dir.path()), 112);
}

TEST(EarlyMoves, SecondMoveLiesNextToTheCentre) {
    const BanArray onCentre = boardMoves({cellIndex(7, 7)});
    const BanArray onNeighbour = boardMoves({cellIndex(6, 6)});
    std::set<int> seenDx, seenDy;
    for (uint32_t seed = 0; seed < 120; ++seed) {
        int p = decideWith(onCentre, seed);
        int dx = cellX(p) - 7, dy = cellY(p) - 7;
        ASSERT_LE(std::abs(dx), 1);
        ASSERT_LE(std::abs(dy), 1);
        ASSERT_FALSE(dx == 0 && dy == 0);
        seenDx.insert(dx);
        seenDy.insert(dy);

        // Never the stone's point, and never the centre although it is empty.
        int q = decideWith(onNeighbour, seed);
        ASSERT_NE(q, cellIndex(6, 6));
        ASSERT_NE(q, cellIndex(7, 7));
        ASSERT_LE(std::abs(cellX(q) - 7), 1);
        ASSERT_LE(std::abs(cellY(q) - 7), 1);
    }
    EXPECT_EQ(seenDx.size(), 3u);
    EXPECT_EQ(seenDy.size(), 3u);
}

TEST(EarlyMoves, ThirdMoveLiesInTheCentralSquare) {
    const BanArray board = boardMoves({cellIndex(7, 7), cellIndex(8, 8)});
    std::set<int> xs;
    for (uint32_t seed = 0; seed < 120; ++seed) {
        int p = decideWith(board, seed);
        ASSERT_GE(cellX(p), 5);
        ASSERT_LE(cellX(p), 9);
        ASSERT_GE(cellY(p), 5);
        ASSERT_LE(cellY(p), 9);
        ASSERT_EQ(board.at(p), kEmpty);
        xs.insert(cellX(p));
    }
    EXPECT_EQ(xs.size(), 5u);
}

TEST(EarlyMoves, SameSecondSameMoves) {
    const BanArray one = boardMoves({cellIndex(7, 7)});
    const BanArray two = boardMoves({cellIndex(7, 7), cellIndex(6, 8)});
    std::set<int> differ;
    for (uint32_t seed = 1700000000; seed < 1700000040; ++seed) {
        EXPECT_EQ(decideWith(one, seed), decideWith(one, seed));
        EXPECT_EQ(decideWith(two, seed), decideWith(two, seed));
        differ.insert(decideWith(two, seed));
    }
    EXPECT_GT(differ.size(), 1u); // the seed matters
}

TEST(DecideEnds, WonGameAndFullBoardGiveZero) {
    // Black's fifth stone in a row was the last move.
    TempDir dir;
    BanHistory won = historyOf({cellIndex(3, 7), cellIndex(3, 8), cellIndex(4, 7), cellIndex(4, 8),
                                cellIndex(5, 7), cellIndex(5, 8), cellIndex(6, 7), cellIndex(9, 9),
                                cellIndex(7, 7)});
    EXPECT_EQ(thinkMove(won, ThinkingLevel::standard(), noStop, dir.path()), 0);

    // A full board without five anywhere: columns alternate, rows go two and two.
    BanArray full;
    for (int p = 0; p < kPoints; ++p) full[p] = (cellX(p) + 2 * cellY(p)) % 4 < 2 ? kBlack : kWhite;
    full.setMoveCount(225);
    full.setLastMove(0);
    ASSERT_EQ(full.at(0), kBlack);
    ASSERT_FALSE(isWinCode(ChkStat(full).judgeLastMove()));
    EXPECT_EQ(decideWith(full, 1), 0);
}

TEST(DecideEnds, StopSetBeforeTheSearchGives255) {
    TempDir dir;
    std::atomic<bool> stop{true};
    EXPECT_EQ(thinkMove(historyOf(kFiveStones), ThinkingLevel::standard(), stop, dir.path()), 255);
    // The opening rules answer at once, stopped or not.
    EXPECT_EQ(thinkMove(BanHistory(), ThinkingLevel::standard(), stop, dir.path()), 112);
}

TEST(Database, AKnownPositionIsAnsweredWithoutSearching) {
    TempDir dir;
    const BanHistory history = historyOf(kFiveStones);
    const uint8_t searched = thinkMove(history, ThinkingLevel::standard(), noStop, dir.path());
    ASSERT_LT(searched, 225);
    ASSERT_NE(searched, 14);
    // The stored continuation is the far corner (14, 0), which the search never plays.
    dir.write("kelp005.kdb", "210 1 5\r\n1024 112 128 126 98 114 14 0\r\n");
    EXPECT_EQ(thinkMove(history, ThinkingLevel::standard(), noStop, dir.path()), 14);
    EXPECT_EQ(thinkMove(history, ThinkingLevel::standard(), noStop, dir.path() + "/"), 14);
    // Stored in another orientation (mirrored left to right), the move comes back mirrored.
    dir.write("kelp005.kdb", "210 1 5\r\n1024 112 126 128 96 110 0 0\r\n");
    EXPECT_EQ(thinkMove(history, ThinkingLevel::standard(), noStop, dir.path()), 14);
}

TEST(Database, ADamagedAnswerLetsTheSearchRun) {
    TempDir dir;
    const BanHistory history = historyOf(kFiveStones);
    const uint8_t searched = thinkMove(history, ThinkingLevel::standard(), noStop, dir.path());
    // A continuation onto a stone, one off the board, and one that is not a number.
    for (const char* line : {"1024 112 128 126 98 114 128 0", "1024 112 128 126 98 114 240 0",
                             "1024 112 128 126 98 114 -3 0", "1024 112 128 126 98 114 x 0"}) {
        dir.write("kelp005.kdb", std::string("210 1 5\r\n") + line + "\r\n");
        EXPECT_EQ(thinkMove(history, ThinkingLevel::standard(), noStop, dir.path()), searched)
            << line;
    }
}

TEST(Database, ALevelThatReadsNoDatabaseSearchesAtBothLevels) {
    TempDir dir;
    const BanHistory history = historyOf(kFiveStones);
    dir.write("kelp005.kdb", "210 1 5\r\n1024 112 128 126 98 114 14 0\r\n");
    for (ThinkingLevel level : {ThinkingLevel::standard(), ThinkingLevel::strong(50)}) {
        EXPECT_EQ(thinkMove(history, level, noStop, dir.path()), 14);
        level.readDatabase = false;
        testing::internal::CaptureStderr();
        const uint8_t move = thinkMove(history, level, noStop, dir.path() + "/none/");
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_LT(move, 225);
        EXPECT_NE(move, 14);
    }
}

// f8 o15 g8 o13 h6 o11 h7 o9: black to move, and the book's h8 is a double three.
TEST(Database, AForbiddenOrOccupiedAnswerIsNeverPlayed) {
    TempDir dir;
    const BanHistory history = historyOf({110, 224, 111, 194, 82, 164, 97, 134});
    dir.write("kelp008.kdb", "210 1 8\r\n1024 110 224 111 194 82 164 97 134 112 0\r\n");
    ThinkingLevel strong = ThinkingLevel::strong(0);
    strong.strongSettings()->maxNodes = 2000;
    for (const ThinkingLevel& level : {ThinkingLevel::standard(), strong}) {
        const uint8_t move = thinkMove(history, level, noStop, dir.path());
        EXPECT_LT(move, 225);
        EXPECT_NE(move, 112);
    }
    EXPECT_EQ(bookMove(BanArray(history), dir.path()), 255);
    // the same answer is white's to play after one more pair of moves elsewhere
    dir.write("kelp009.kdb", "210 1 9\r\n1024 110 224 111 194 82 164 97 134 0 112 0\r\n");
    const BanHistory white = historyOf({110, 224, 111, 194, 82, 164, 97, 134, 0});
    EXPECT_EQ(bookMove(BanArray(white), dir.path()), 112);
}
