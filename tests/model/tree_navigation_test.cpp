// The record tree: playing, stepping, variations and the refusals that change nothing, with
// the board kept equal to the path after every step.
#include "model/move_tree.h"
#include "model_test_support.h"

#include <gtest/gtest.h>

TEST(TreeNavigation, NewRecordRefusesToStep) {
    MOveTree r;
    std::string before = snapshot(r);
    EXPECT_FALSE(r.Back());
    EXPECT_FALSE(r.Forward());
    EXPECT_FALSE(r.NextVariation());
    EXPECT_FALSE(r.PrevVariation());
    EXPECT_FALSE(r.FirstVariation());
    EXPECT_FALSE(r.LastVariation());
    EXPECT_EQ(r.current(), r.root());
    EXPECT_EQ(r.depth(), 0);
    EXPECT_EQ(snapshot(r), before);
    expectConsistent(r);
}

TEST(TreeNavigation, ReplayingAMoveFollowsTheExistingNode) {
    MOveTree r;
    MOve* first = r.PutMove(7, 7, 'B');
    ASSERT_NE(first, nullptr);
    ASSERT_TRUE(r.Back());
    EXPECT_EQ(r.PutMove(7, 7, 'B'), first);
    EXPECT_EQ(r.root()->childCount(), 1);
    expectConsistent(r);

    // The same point with the other colour is another move.
    ASSERT_TRUE(r.Back());
    MOve* white = r.PutMove(7, 7, 'W');
    ASSERT_NE(white, nullptr);
    EXPECT_NE(white, first);
    EXPECT_EQ(r.root()->childCount(), 2);
    expectConsistent(r);
}

TEST(TreeNavigation, ANewMoveAfterTakeBackBecomesTheSelectedVariation) {
    MOveTree r;
    r.PutMove(7, 7, 'B');
    r.Back();
    MOve* second = r.PutMove(8, 8, 'B');
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(r.root()->childCount(), 2);
    EXPECT_EQ(r.root()->selectedIndex(), 1);
    ASSERT_TRUE(r.Back());
    ASSERT_TRUE(r.Forward());
    EXPECT_EQ(r.current(), second);
    EXPECT_EQ(r.board().At(8, 8), 'B');
    EXPECT_EQ(r.board().At(7, 7), '+');
    expectConsistent(r);
}

TEST(TreeNavigation, AlternatingColoursFollowTheMoveCount) {
    MOveTree r;
    EXPECT_EQ(r.PutMoveAlternating(7, 7)->pos.colour, 'B');
    EXPECT_EQ(r.PutMoveAlternating(8, 7)->pos.colour, 'W');
    EXPECT_EQ(r.PutMoveAlternating(9, 7)->pos.colour, 'B');
    r.Back();
    EXPECT_EQ(r.PutMoveAlternating(9, 9)->pos.colour, 'B');
    EXPECT_EQ(r.depth(), 3);
    expectConsistent(r);
}

TEST(TreeNavigation, RefusedMovesChangeNothing) {
    MOveTree r;
    playLine(r, "h8 i8");
    std::string before = snapshot(r);
    uint64_t judged = r.board().mapJudgements();
    EXPECT_EQ(r.PutMove(7, 7, 'W'), nullptr);  // occupied
    EXPECT_EQ(r.PutMove(7, 7, 'B'), nullptr);  // occupied, same colour
    EXPECT_EQ(r.PutMove(15, 0, 'B'), nullptr); // off the board
    EXPECT_EQ(r.PutMove(0, 15, 'B'), nullptr);
    EXPECT_EQ(r.PutMove(-1, 0, 'B'), nullptr);
    EXPECT_EQ(r.PutMove(256, 0, 'B'), nullptr); // would wrap to column 0 as a byte
    EXPECT_EQ(r.PutMove(3, 3, 'X'), nullptr);   // not a colour
    EXPECT_EQ(r.PutMoveLetters('p', 'a', 'B'), nullptr);
    EXPECT_EQ(r.PutMoveAlternating(8, 7), nullptr);
    EXPECT_EQ(r.PlayMove(makePos(20, 3, 'B')), nullptr);
    EXPECT_EQ(snapshot(r), before);
    EXPECT_EQ(r.board().mapJudgements(), judged);
    expectConsistent(r);
}

TEST(TreeNavigation, VariationsWrapAndReportIt) {
    MOveTree r;
    r.PutMove(7, 7, 'B');
    MOve* a = r.PutMove(8, 7, 'W');
    r.Back();
    MOve* b = r.PutMove(7, 8, 'W');
    r.Back();
    MOve* c = r.PutMove(6, 6, 'W');
    // Make the second one current.
    ASSERT_FALSE(r.NextVariation()); // from the last it wraps to the first
    EXPECT_EQ(r.current(), a);
    ASSERT_TRUE(r.NextVariation());
    EXPECT_EQ(r.current(), b);
    expectConsistent(r);

    EXPECT_TRUE(r.NextVariation());
    EXPECT_EQ(r.current(), c);
    EXPECT_FALSE(r.NextVariation());
    EXPECT_EQ(r.current(), a);
    EXPECT_FALSE(r.PrevVariation());
    EXPECT_EQ(r.current(), c);
    EXPECT_TRUE(r.PrevVariation());
    EXPECT_EQ(r.current(), b);
    expectConsistent(r);

    EXPECT_TRUE(r.FirstVariation());
    EXPECT_EQ(r.current(), a);
    EXPECT_TRUE(r.LastVariation());
    EXPECT_EQ(r.current(), c);
    EXPECT_EQ(r.depth(), 2);
    EXPECT_EQ(r.board().At(6, 6), 'W');
    EXPECT_EQ(r.board().At(8, 7), '+');
    expectConsistent(r);
}

TEST(TreeNavigation, SingleChildVariationStaysAndReportsWrap) {
    MOveTree r;
    MOve* only = r.PutMove(7, 7, 'B');
    EXPECT_FALSE(r.NextVariation());
    EXPECT_EQ(r.current(), only);
    EXPECT_FALSE(r.PrevVariation());
    EXPECT_EQ(r.current(), only);
    expectConsistent(r);
}

TEST(TreeNavigation, GoTopMainLineSelectsTheFirstChildEverywhere) {
    MOveTree r;
    playLine(r, "h8 i8 j8");
    r.Back();
    r.Back();
    playLine(r, "h9 hA");
    r.Back();
    playLine(r, "g7");
    r.GoTopMainLine();
    EXPECT_EQ(r.current(), r.root());
    EXPECT_EQ(r.board().moveCount(), 0);
    std::string line;
    while (r.Forward()) line += pointText(r.current()->pos.x, r.current()->pos.y) + " ";
    EXPECT_EQ(line, "h8 i8 j8 ");
    expectConsistent(r);
}

TEST(TreeNavigation, GoTopKeepsTheSelectionsForRedo) {
    MOveTree r;
    playLine(r, "h8 i8 j8");
    r.Back();
    playLine(r, "k8");
    MOve* last = r.current();
    r.GoTop();
    EXPECT_EQ(r.board().moveCount(), 0);
    EXPECT_EQ(r.depth(), 0);
    while (r.Forward()) {
    }
    EXPECT_EQ(r.current(), last);
    expectConsistent(r);
}

TEST(TreeNavigation, DeleteChildrenAndClear) {
    MOveTree r;
    playLine(r, "h8 i8 j8");
    r.Back();
    playLine(r, "k8");
    r.GoTop();
    r.Forward();
    r.DeleteChildren();
    EXPECT_EQ(r.current()->childCount(), 0);
    EXPECT_FALSE(r.Forward());
    EXPECT_EQ(r.board().moveCount(), 1);
    expectConsistent(r);

    r.GoTop();
    r.DeleteChildren();
    EXPECT_EQ(r.root()->childCount(), 0);
    EXPECT_EQ(r.board().moveCount(), 0);
    expectConsistent(r);

    playLine(r, "h8 i8");
    r.Clear();
    EXPECT_EQ(r.current(), r.root());
    EXPECT_EQ(r.root()->childCount(), 0);
    EXPECT_EQ(r.depth(), 0);
    EXPECT_EQ(r.board().At(7, 7), '+');
    expectConsistent(r);
}

TEST(TreeNavigation, SaveAndRestoreStateReturnsToTheSavedNode) {
    MOveTree r;
    playLine(r, "h8 i8 j8 k8");
    r.Back();
    r.Back();
    playLine(r, "a1");
    MOve* saved = r.current();
    r.SaveState();
    EXPECT_EQ(r.keptHistory().size(), 3u);
    r.GoTopMainLine(); // selects the other variation
    r.Forward();
    r.RestoreState();
    EXPECT_EQ(r.current(), saved);
    EXPECT_EQ(r.root()->childCount(), 1);
    EXPECT_EQ(r.current()->parent()->childCount(), 2);
    expectConsistent(r);
}

TEST(TreeNavigation, BackupTakesTheChildValues) {
    MOveTree r;
    auto children = [&](std::initializer_list<int> values) {
        r.Clear();
        int x = 0;
        for (int v : values) {
            r.PutMove(x++, 0, 'B');
            r.SetValue(v);
            r.Back();
        }
    };
    children({kNoValue, 5, 3});
    EXPECT_EQ(r.BackupMax(), 5);
    EXPECT_EQ(r.root()->value, 5);
    children({kNoValue, kNoValue});
    EXPECT_EQ(r.BackupMax(), kNoValue);
    children({7, kNoValue});
    EXPECT_EQ(r.BackupMax(), 7);
    children({7, -3, 9});
    EXPECT_EQ(r.BackupMin(), -3);
    EXPECT_EQ(r.root()->GetValue(), -3);
    // Unvalued children are skipped by the minimum too, except the first one's.
    children({7, kNoValue, 2, kNoValue});
    EXPECT_EQ(r.BackupMin(), 2);
    children({7, kNoValue});
    EXPECT_EQ(r.BackupMin(), 7);
    children({kNoValue, 5, 3});
    EXPECT_EQ(r.BackupMin(), kNoValue);
    EXPECT_EQ(r.root()->value, kNoValue);
    // A node without children keeps its value.
    r.Clear();
    r.SetValue(12);
    EXPECT_EQ(r.BackupMax(), kNoValue);
    EXPECT_EQ(r.BackupMin(), kNoValue);
    EXPECT_EQ(r.root()->value, 12);
}

TEST(TreeNavigation, LongRandomWalkKeepsBoardAndPathEqual) {
    MOveTree r;
    uint32_t seed = 12345;
    auto rnd = [&](int n) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) % static_cast<uint32_t>(n));
    };
    for (int step = 0; step < 3000; ++step) {
        switch (rnd(9)) {
        case 0:
        case 1:
        case 2:
            r.PutMoveAlternating(rnd(9) + 3, rnd(9) + 3);
            break;
        case 3:
            r.Back();
            break;
        case 4:
            r.Forward();
            break;
        case 5:
            r.NextVariation();
            break;
        case 6:
            r.PrevVariation();
            break;
        case 7:
            if (rnd(10) == 0)
                r.DeleteChildren();
            else
                r.GoTop();
            break;
        case 8:
            rnd(2) ? r.FirstVariation() : r.LastVariation();
            break;
        }
        if (step % 100 == 0)
            expectConsistent(r);
        else
            expectConsistent(r, false);
        if (HasFatalFailure()) return;
    }
}
