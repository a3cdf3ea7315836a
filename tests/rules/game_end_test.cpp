#include "base/geometry.h"
#include "rules/ban_history.h"
#include "rules/game_end.h"

#include <gtest/gtest.h>

namespace {

BanHistory play(std::initializer_list<std::pair<int, int>> moves) {
    BanHistory h;
    for (const auto& [x, y] : moves)
        h.appendAndJudge(x, y, colourToMove(static_cast<int>(h.size())));
    return h;
}

TEST(GameEnd, FiveForbiddenFullBoardOrPlayOn) {
    EXPECT_EQ(gameEnd(BanHistory{}), GameEnd::None);
    EXPECT_EQ(gameEnd(play({{7, 7}, {0, 0}, {8, 7}})), GameEnd::None);
    EXPECT_EQ(
        gameEnd(play({{3, 7}, {0, 0}, {4, 7}, {0, 1}, {5, 7}, {0, 2}, {6, 7}, {0, 3}, {7, 7}})),
        GameEnd::Five);
    // Black f8 g8 and h6 h7 around h8: h8 is a double three.
    EXPECT_EQ(
        gameEnd(play({{5, 7}, {0, 0}, {6, 7}, {14, 0}, {7, 5}, {0, 14}, {7, 6}, {14, 14}, {7, 7}})),
        GameEnd::Forbidden);
}

} // namespace
