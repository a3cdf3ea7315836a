// The board position: cells, history and the two judgement maps kept through the nodes'
// recorded changes.
#include "model/board.h"
#include "model/move_tree.h"
#include "model_test_support.h"
#include "rules/ban_array.h"
#include "rules/chk_stat.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace {

bool allTwenty(const HanteiBoard& m) {
    for (uint8_t c : m)
        if (c != 20) return false;
    return true;
}

// Keeps the nodes a bare board refers to.
struct Nodes {
    MOve root;
    std::vector<std::unique_ptr<MOve>> made;
    MOve* add(std::unique_ptr<MOve> n) {
        made.push_back(std::move(n));
        return made.back().get();
    }
};

} // namespace

TEST(BoardPosition, PointQueries) {
    Board b;
    EXPECT_EQ(b.size(), 15);
    EXPECT_EQ(b.At(-1, 0), '*');
    EXPECT_EQ(b.At(0, 15), '*');
    EXPECT_EQ(b.At(15, 15), '*');
    EXPECT_EQ(b.At(0, 0), '+');
    EXPECT_EQ(b.At(14, 14), '+');
    EXPECT_EQ(b.cell(15, 0), nullptr);
    EXPECT_TRUE(allTwenty(b.blackMap()));
    EXPECT_TRUE(allTwenty(b.whiteMap()));
    EXPECT_EQ(b.colourToMove(), 'B');
}

TEST(BoardPosition, NewMovePlacesJudgesAndRefusesOccupiedPoints) {
    Board b;
    Nodes n;
    MOve* m = n.add(b.NewMove(makePos(7, 7, 'B'), &n.root));
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->parent(), &n.root);
    EXPECT_EQ(n.root.childCount(), 0); // linking is the tree's business
    EXPECT_EQ(b.At(7, 7), 'B');
    EXPECT_EQ(b.cell(7, 7), m);
    ASSERT_EQ(b.history().size(), 1u);
    EXPECT_EQ(b.history().last().pos(), makePos(7, 7, 'B'));
    EXPECT_EQ(b.history().last().code, 20); // a lone stone makes nothing
    EXPECT_EQ(b.colourToMove(), 'W');

    uint64_t judged = b.mapJudgements();
    EXPECT_EQ(b.NewMove(makePos(7, 7, 'B'), m), nullptr);
    EXPECT_EQ(b.NewMove(makePos(7, 7, 'W'), m), nullptr);
    EXPECT_EQ(b.NewMove(makePos(15, 7, 'W'), m), nullptr);
    EXPECT_EQ(b.NewMove(makePos(1, 1, 0), m), nullptr);
    EXPECT_EQ(b.history().size(), 1u);
    EXPECT_EQ(b.mapJudgements(), judged);
}

TEST(BoardPosition, MapsChangeOnlyOnTheFourLinesNearTheStone) {
    Board b;
    Nodes n;
    MOve* m = n.add(b.NewMove(makePos(7, 7, 'B'), &n.root));
    ASSERT_NE(m, nullptr);
    int changed = 0;
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 15; ++x) {
            int dx = x - 7, dy = y - 7;
            bool onLine = (dx == 0 || dy == 0 || dx == dy || dx == -dy) && !(dx == 0 && dy == 0);
            bool near = std::abs(dx) <= 5 && std::abs(dy) <= 5;
            int i = cellIndex(x, y);
            if (!(onLine && near)) {
                EXPECT_EQ(b.blackMap()[i], 20) << x << "," << y;
                EXPECT_EQ(b.whiteMap()[i], 20) << x << "," << y;
            } else if (b.blackMap()[i] != 20 || b.whiteMap()[i] != 20) {
                ++changed;
            }
        }
    EXPECT_GT(changed, 0);
    // 4 lines x 2 senses x 5 points, judged for both colours.
    EXPECT_EQ(b.mapJudgements(), 80u);
    EXPECT_EQ(m->mapChanges.entries.size(), 80u);

    // Every recorded code is the judgement of that point in the position after the move.
    BanArray ban(b.history());
    ChkStat judge(ban);
    for (const MOve::MapChange& e : m->mapChanges.entries) {
        EXPECT_EQ(e.after,
                  e.colour == kBlack ? judge.judgeBlack(e.cell) : judge.judgeWhite(e.cell));
        EXPECT_EQ(e.before, 20);
    }
}

TEST(BoardPosition, RemoveRestoresAndPutReplaysWithoutJudging) {
    Board b;
    Nodes n;
    MOve* a = n.add(b.NewMove(makePos(7, 7, 'B'), &n.root));
    MOve* c = n.add(b.NewMove(makePos(8, 7, 'W'), a));
    MOve* d = n.add(b.NewMove(makePos(6, 7, 'B'), c));
    ASSERT_TRUE(a && c && d);
    HanteiBoard black3 = b.blackMap(), white3 = b.whiteMap();
    b.Remove(d);
    b.Remove(c);
    HanteiBoard black1 = b.blackMap(), white1 = b.whiteMap();
    b.Remove(a);
    EXPECT_TRUE(allTwenty(b.blackMap()));
    EXPECT_TRUE(allTwenty(b.whiteMap()));
    EXPECT_EQ(b.history().size(), 0u);
    EXPECT_EQ(b.At(7, 7), '+');

    uint64_t judged = b.mapJudgements();
    b.Put(a);
    EXPECT_TRUE(b.blackMap() == black1);
    EXPECT_TRUE(b.whiteMap() == white1);
    b.Put(c);
    b.Put(d);
    EXPECT_TRUE(b.blackMap() == black3);
    EXPECT_TRUE(b.whiteMap() == white3);
    EXPECT_EQ(b.mapJudgements(), judged);
    EXPECT_EQ(b.At(6, 7), 'B');
    EXPECT_EQ(b.history().size(), 3u);
    EXPECT_EQ(b.history().last().code, d->code);
}

TEST(BoardPosition, AScanStopsAtTheFirstStoneOfTheOtherColour) {
    Board b;
    Nodes n;
    MOve* w = n.add(b.NewMove(makePos(5, 7, 'W'), &n.root));
    MOve* m = n.add(b.NewMove(makePos(3, 7, 'B'), w));
    ASSERT_TRUE(w && m);
    auto has = [m](char colour, int x, int y) {
        for (const MOve::MapChange& e : m->mapChanges.entries)
            if (e.colour == colour && e.cell == cellIndex(x, y)) return true;
        return false;
    };
    EXPECT_TRUE(has(kBlack, 4, 7));
    for (int x = 6; x <= 8; ++x) EXPECT_FALSE(has(kBlack, x, 7)) << x;
    EXPECT_TRUE(has(kBlack, 0, 7)); // toward -: 2, 1, 0 then off the board
    // White passes over its own stone.
    EXPECT_TRUE(has(kWhite, 4, 7));
    for (int x = 6; x <= 8; ++x) EXPECT_TRUE(has(kWhite, x, 7)) << x;
}

TEST(BoardPosition, InitEmptiesEverything) {
    Board b;
    Nodes n;
    MOve* m = n.add(b.NewMove(makePos(7, 7, 'B'), &n.root));
    ASSERT_NE(m, nullptr);
    b.Init(15);
    for (int i = 0; i < kPoints; ++i) EXPECT_EQ(b.At(cellX(i), cellY(i)), '+');
    EXPECT_TRUE(b.history().empty());
    EXPECT_TRUE(allTwenty(b.blackMap()));
    EXPECT_TRUE(allTwenty(b.whiteMap()));
}

TEST(BoardPosition, ReplayThroughTheRecordJudgesNothing) {
    MOveTree r;
    playLine(r, "h8 i9 h9 h7 g8 i8 j8 f8 g9");
    uint64_t judged = r.board().mapJudgements();
    HanteiBoard black = r.board().blackMap(), white = r.board().whiteMap();
    while (r.Back()) {
    }
    EXPECT_TRUE(allTwenty(r.board().blackMap()));
    while (r.Forward()) {
    }
    EXPECT_EQ(r.board().mapJudgements(), judged);
    EXPECT_TRUE(r.board().blackMap() == black);
    EXPECT_TRUE(r.board().whiteMap() == white);
    // Replaying with PlayMove follows the existing nodes: no judgement either.
    r.GoTop();
    playLine(r, "h8 i9 h9 h7");
    EXPECT_EQ(r.board().mapJudgements(), judged);
    expectConsistent(r);
}

TEST(BoardPosition, CodesOfShapesAreStoredWithTheMoves) {
    MOveTree r;
    // Black h8 i8 j8 with white elsewhere: the third black stone makes an open three.
    playLine(r, "h8 a1 i8 a2 j8");
    EXPECT_GE(r.current()->code, 12);
    EXPECT_LE(r.current()->code, 15);
    playLine(r, "a3 k8");
    EXPECT_EQ(r.current()->code, 2); // straight four
    playLine(r, "a4 l8");
    EXPECT_EQ(r.current()->code, 1); // five
    expectConsistent(r);
}
