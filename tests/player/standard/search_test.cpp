#include "board_picture.h"
#include "player/standard/phase_iter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <vector>

namespace {

std::atomic<bool> noStop{false};

struct Search {
    explicit Search(const BanArray& board,
                    const StandardSettings& level = StandardSettings::standard())
        : iter(board, level, noStop) {
        iter.skipDatabase();
    }
    Phase& root() { return *iter.root(); }
    PhaseIter iter;
};

std::vector<Phase*> nodesAtDepth(Phase* node, int depth) {
    std::vector<Phase*> out;
    if (node->depth() == depth) {
        out.push_back(node);
        return out;
    }
    for (Phase* c : node->children) {
        auto sub = nodesAtDepth(c, depth);
        out.insert(out.end(), sub.begin(), sub.end());
    }
    return out;
}

// Black to move (8 stones each) with two fours, each open at both ends.
const std::vector<std::string> kBlackFours = {
    "...............", "...............", "..XXXX.........", "...............", "...............",
    "...............", "...............", "...............", "........XXXX...", "...............",
    "OOO............", "...............", "O..............", "...............", "O.O.O..O.......",
};

} // namespace

TEST(ForcedRules, MakesFiveAtTheFirstPointInPointOrder) {
    BanArray board = boardPicture(kBlackFours);
    ASSERT_EQ(board.moveCount(), 16); // black to move
    Search s(board);
    // Five points: (1, 2), (6, 2), (7, 8), (12, 8); the first in point order is (1, 2).
    EXPECT_EQ(s.iter.search(), cellIndex(1, 2));
    EXPECT_EQ(s.root().children.size(), 1u);
    EXPECT_EQ(s.iter.nodeCount(), 1);
}

TEST(ForcedRules, BlocksTheOpponentsFive) {
    // White to move has nothing; black's four on row 2 is closed by white at (1, 2), so its
    // one five point is (6, 2).
    BanArray board = boardPicture({
        "...............",
        "...............",
        ".OXXXX.........",
        "...............",
        "...............",
        ".......X.......",
        "...............",
        "...........O...",
        "...............",
        "...............",
        "...X...........",
        "...............",
        "...............",
        "...O...........",
        "O..........O...",
    });
    ASSERT_EQ(board.moveCount(), 11); // white to move
    Search s(board);
    EXPECT_EQ(s.iter.search(), cellIndex(6, 2));
    EXPECT_EQ(s.root().children.size(), 1u);
}

TEST(ForcedRules, OwnFiveBeforeBlocking) {
    // White to move: white has a four on row 10, black a four on row 2.
    BanArray board = boardPicture({
        "...............",
        "...............",
        ".OXXXX.........",
        "...............",
        "...............",
        ".......X.......",
        "...............",
        "...............",
        "...............",
        "...............",
        ".......OOOO....",
        "...............",
        "...X...........",
    });
    ASSERT_EQ(board.moveCount(), 11);
    Search s(board);
    // White's five points are (6, 10) and (11, 10); black's (6, 2) comes earlier in point order
    // but winning comes first.
    EXPECT_EQ(s.iter.search(), cellIndex(6, 10));
}

TEST(ForcedRules, StraightFourIsTheOnlyRootChild) {
    // Black to move with an open three on row 7; white has nothing.
    BanArray board = boardPicture({
        "O..............",
        "...............",
        "...............",
        "...............",
        "...............",
        "...............",
        "...............",
        "......XXX......",
        "...............",
        "...............",
        "...............",
        "...............",
        "...............",
        "...............",
        "O.............O",
    });
    ASSERT_EQ(board.moveCount(), 6);
    Search s(board);
    // (5, 7) and (9, 7) make a straight four; (5, 7) comes first.
    EXPECT_EQ(s.iter.search(), cellIndex(5, 7));
    ASSERT_EQ(s.root().children.size(), 1u);
    // White must block one end, black then makes five: the line is a win.
    EXPECT_EQ(s.root().value, kWinValue);
}

TEST(SearchChoice, StopsTheOpponentsOpenThree) {
    // White to move; black threatens a straight four at either end of h8-j8. Any other move
    // loses to it (white can block only one end of the four), so white takes an end.
    BanArray board = boardPicture({
        "...............",
        "...............",
        "...............",
        "...............",
        "...............",
        "...............",
        "........O......",
        "......XXX......",
        "...............",
        "...............",
        "...............",
        "...............",
        "...............",
        "...............",
        "O..............",
    });
    ASSERT_EQ(board.moveCount(), 5);
    Search s(board);
    const int move = s.iter.search();
    EXPECT_TRUE(move == cellIndex(5, 7) || move == cellIndex(9, 7)) << move;
    EXPECT_GT(s.root().value, kLossValue);
}

TEST(SearchChoice, PlaysTheFourThree) {
    // Black to move: (9, 7) makes a four on row 7 (x 6..9, open at x 10) and an open three on
    // column 9 (y 5..7). White must block the five at (10, 7), and the three then becomes a
    // straight four: a win within the depth.
    BanArray board = boardPicture({
        "O..............",
        "...............",
        "...............",
        "...............",
        "...............",
        ".........X.....",
        ".........X.....",
        ".....OXXX......",
        "...............",
        "...............",
        "...............",
        "...............",
        "...............",
        "...............",
        "O.O...........O",
    });
    ASSERT_EQ(board.moveCount(), 10);
    Search s(board);
    EXPECT_EQ(s.root().codes()->sideCodes[cellIndex(9, 7)], 4);
    EXPECT_EQ(s.iter.search(), cellIndex(9, 7));
}

TEST(SearchChoice, BestRootMoveTakesTheFirstOfEqualValues) {
    Search s(boardMoves({cellIndex(7, 7), cellIndex(8, 8), cellIndex(6, 6), cellIndex(9, 9)}));
    s.iter.addChild(&s.root(), cellIndex(3, 3));
    s.iter.addChild(&s.root(), cellIndex(4, 11));
    s.iter.addChild(&s.root(), cellIndex(12, 2));
    s.iter.addChild(&s.root(), cellIndex(1, 13));
    auto it = s.root().children.begin();
    (*it++)->value = 5;
    (*it++)->value = 7;
    (*it++)->value = kUnsetValue;
    (*it++)->value = 7;
    EXPECT_EQ(s.iter.bestRootMove(), cellIndex(4, 11));
}

TEST(Cutoff, ComparesANodeWithItsParentOnly) {
    Search s(boardMoves({cellIndex(7, 7), cellIndex(8, 8)}));
    Phase& root = s.root();
    s.iter.addChild(&root, cellIndex(3, 3));
    Phase* odd = root.children.back();
    s.iter.addChild(odd, cellIndex(4, 4));
    Phase* even = odd->children.back();

    EXPECT_FALSE(s.iter.isCutoff(&root));
    // Odd depth (minimum) under the root (maximum): the root holds 80, the node 50 so far.
    root.value = 80;
    odd->value = 50;
    EXPECT_TRUE(s.iter.isCutoff(odd));
    odd->value = 80;
    EXPECT_FALSE(s.iter.isCutoff(odd));
    odd->value = 90;
    EXPECT_FALSE(s.iter.isCutoff(odd));
    odd->value = kUnsetValue;
    EXPECT_FALSE(s.iter.isCutoff(odd));
    root.value = kUnsetValue;
    odd->value = 50;
    EXPECT_FALSE(s.iter.isCutoff(odd));

    // Even depth (maximum) under an odd node (minimum).
    even->value = 60;
    EXPECT_TRUE(s.iter.isCutoff(even));
    even->value = 40;
    EXPECT_FALSE(s.iter.isCutoff(even));
}

TEST(Cutoff, TheWalkAbandonsRefutedReplies) {
    // On a real search some replies are left with unvisited children, and every value a reply
    // holds is the minimum of what its children passed on.
    BanArray board = boardMoves(
        {cellIndex(7, 7), cellIndex(8, 7), cellIndex(7, 8), cellIndex(6, 9), cellIndex(8, 8)});
    Search s(board);
    s.iter.search();
    int abandoned = 0;
    for (Phase* reply : s.root().children) {
        long valued = 0;
        for (Phase* c : reply->children)
            if (c->value != kUnsetValue) ++valued;
        if (valued < static_cast<long>(reply->children.size())) ++abandoned;
        // A minimising node never holds more than any of its valued children.
        for (Phase* c : reply->children) {
            if (c->value != kUnsetValue) {
                EXPECT_LE(reply->value, c->value);
            }
        }
    }
    EXPECT_GT(abandoned, 0);
    EXPECT_EQ(s.root().value, s.root().bestChildValue());
}

TEST(Transpositions, SameBoardAtTheSameDepthTakesTheStoredValue) {
    StandardSettings one = StandardSettings::standard();
    one.hashSize = 1; // every key in one bucket
    Search s(boardMoves({cellIndex(7, 7), cellIndex(8, 8)}), one);
    Phase& root = s.root();
    const int a = cellIndex(3, 3), b = cellIndex(11, 11), sameColumn = cellIndex(3, 4);
    const int w = cellIndex(13, 1);
    auto line = [&](Phase* from, std::vector<int> points) {
        for (int p : points) {
            s.iter.addChild(from, p);
            from = from->children.back();
        }
        return from;
    };
    // Black a, white w, black b against black b, white w, black a; a decoy of the same key
    // (same stones per column, another board) and an entry of another key come first.
    Phase* decoy = line(&root, {sameColumn, w, b});
    Phase* ra = line(&root, {a});
    Phase* raw = line(ra, {w});
    Phase* otherKey = line(raw, {cellIndex(0, 14)});
    Phase* first = line(raw, {b});
    Phase* second = line(&root, {b, w, a});
    ASSERT_EQ(second->depth(), 3);
    ASSERT_EQ(positionKey(decoy->board), positionKey(first->board));
    ASSERT_NE(positionKey(otherKey->board), positionKey(first->board));
    ASSERT_TRUE(first->board == second->board);
    ASSERT_FALSE(decoy->board == second->board);

    EXPECT_FALSE(s.iter.lookupTransposition(second)); // nothing valued yet, itself included
    decoy->value = 77;
    otherKey->value = 66;
    EXPECT_FALSE(s.iter.lookupTransposition(second));
    EXPECT_EQ(second->value, kUnsetValue);
    first->value = 42;
    EXPECT_TRUE(s.iter.lookupTransposition(second));
    EXPECT_EQ(second->value, 42);
    // Depth-1 nodes are never entered.
    decoy->parent->parent->value = 5;
    Phase* again = line(&root, {sameColumn});
    EXPECT_FALSE(s.iter.lookupTransposition(again));
}

TEST(Transpositions, TheWalkValuesARepeatedPositionOnce) {
    BanArray board = boardMoves(
        {cellIndex(7, 7), cellIndex(8, 7), cellIndex(7, 8), cellIndex(6, 9), cellIndex(8, 8)});
    Search s(board);
    s.iter.search();
    int reused = 0;
    for (int depth = 2; depth <= 4; ++depth) {
        std::vector<Phase*> nodes = nodesAtDepth(&s.root(), depth);
        for (size_t i = 0; i < nodes.size(); ++i) {
            for (size_t j = i + 1; j < nodes.size(); ++j) {
                if (nodes[i]->value == kUnsetValue || nodes[j]->value == kUnsetValue) continue;
                if (!(nodes[i]->board == nodes[j]->board)) continue;
                // The later one was valued from the earlier: same value, never expanded.
                EXPECT_EQ(nodes[j]->value, nodes[i]->value);
                EXPECT_TRUE(nodes[j]->children.empty());
                ++reused;
            }
        }
    }
    EXPECT_GT(reused, 0);
}
