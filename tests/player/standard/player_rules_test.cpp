// The computer player's rules seen from outside: decisions made through the public entry
// (decideBenchPosition) agree with a small model of the player written here from its rules,
// at depth 2 where the model is exact, and each rule is shown to decide a move somewhere.
// The model reads the point codes from the rules library and its own copy of the tables.

#include "board_picture.h"
#include "player/standard/bench_suite.h"
#include "rules/chk_stat.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace {

using Table = std::array<int, 24>;

// The player's tables, by MoveCode.
struct Tables {
    Table candidateOwn{0,  0,  1000, 800, 100, 14, 12, 10, 8, 28,    26,    24,
                       22, 16, 12,   10,  10,  8,  6,  4,  0, -1000, -1000, -1000};
    Table candidateOther{0,  0,  600, 400, 50, 12, 10, 8, 6, 24, 22, 20,
                         20, 14, 10,  8,   8,  6,  4,  2, 0, 8,  8,  8};
    Table leafOwn{1000, 1000, 150, 110, 50, 16, 14, 12, 10, 30, 28, 26,
                  18,   16,   14,  12,  5,  4,  3,  2,  0,  0,  0,  0};
    Table leafOther{800, 800, 100, 90, 40, 14, 12, 10, 8, 24, 22, 20,
                    16,  14,  12,  10, 4,  3,  2,  1,  0, 0,  0,  0};
};

struct Model {
    Tables tables;
    std::vector<int> widths{10, 8};
    bool reorderTop = true; // a visited node's top candidate is popped and pushed back
};

struct Candidate {
    int point;
    int16_t score;
};

// The candidate heap with its tie rules: an array in level order; equal scores never move up,
// and on the way down the right child wins a tie.
class Heap {
  public:
    void push(Candidate c) {
        size_t i = items_.size();
        items_.push_back(c);
        while (i > 0 && items_[(i - 1) / 2].score < items_[i].score) {
            std::swap(items_[(i - 1) / 2], items_[i]);
            i = (i - 1) / 2;
        }
    }
    bool pop(Candidate& out) {
        if (items_.empty()) return false;
        out = items_[0];
        items_[0] = items_.back();
        items_.pop_back();
        size_t i = 0;
        for (;;) {
            const size_t l = 2 * i + 1, r = l + 1;
            if (l >= items_.size()) break;
            size_t pick = l;
            if (r < items_.size() && !(items_[l].score > items_[r].score)) pick = r;
            if (!(items_[pick].score > items_[i].score)) break;
            std::swap(items_[pick], items_[i]);
            i = pick;
        }
        return true;
    }

  private:
    std::vector<Candidate> items_;
};

struct Codes {
    std::array<uint8_t, kPoints> own{}, other{};
};

Codes codesOf(BanArray board) {
    Codes c;
    const char toMove = colourToMove(board.moveCount());
    ChkStat judge(board);
    judge.judgeEmptyPoints(toMove, c.own.data());
    judge.judgeEmptyPoints(otherColour(toMove), c.other.data());
    return c;
}

// The first point whose code is below limit, or -1.
int firstBelow(const std::array<uint8_t, kPoints>& codes, int limit) {
    for (int p = 0; p < kPoints; ++p)
        if (codes[p] < limit) return p;
    return -1;
}

// The forced child of a node: own five, block the other's five, own straight four; -1 if none.
int forcedPoint(const Codes& c) {
    for (auto [codes, limit] : {std::pair{&c.own, 2}, {&c.other, 2}, {&c.own, 3}}) {
        const int p = firstBelow(*codes, limit);
        if (p >= 0) return p;
    }
    return -1;
}

// The children of a node in order: the forced one, or the best candidates up to the width,
// stopping after point 0.
std::vector<int> children(const BanArray& board, const Codes& c, const Model& m, int depth,
                          bool reorder) {
    const int forced = forcedPoint(c);
    if (forced >= 0) return {forced};
    Heap heap;
    for (int x = 0; x < 15; ++x)
        for (int y = 0; y < 15; ++y) {
            const int p = x + 15 * y;
            if (board.at(p) != kEmpty) continue;
            heap.push({p, static_cast<int16_t>(m.tables.candidateOwn[c.own[p]] +
                                               m.tables.candidateOther[c.other[p]])});
        }
    Candidate top;
    if (reorder && heap.pop(top)) heap.push(top);
    std::vector<int> out;
    Candidate next;
    while (static_cast<int>(out.size()) < m.widths[static_cast<size_t>(depth)] && heap.pop(next)) {
        out.push_back(next.point);
        if (next.point == 0) break;
    }
    return out;
}

BanArray after(const BanArray& board, int point) {
    BanArray next = board;
    next.put(point);
    return next;
}

// A leaf at depth 2, the computer to move: its own codes less the other side's.
int leafValue(const BanArray& board, const Model& m) {
    BanArray judged = board;
    if (ChkStat(judged).judgeLastMove() < 2) return -10000;
    const Codes c = codesOf(board);
    int16_t value = 0;
    for (int p = 0; p < kPoints; ++p)
        if (board.at(p) == kEmpty)
            value = static_cast<int16_t>(value + m.tables.leafOwn[c.own[p]] -
                                         m.tables.leafOther[c.other[p]]);
    return value;
}

// The decision at depth 2: the first root child whose least leaf value is the greatest. A
// forced root child is the answer at once.
int decide(const BanArray& root, const Model& m) {
    const Codes rootCodes = codesOf(root);
    if (forcedPoint(rootCodes) >= 0) return forcedPoint(rootCodes);
    int best = 0, bestValue = -20000;
    for (int move : children(root, rootCodes, m, 0, false)) {
        const BanArray reply = after(root, move);
        int least = 20000;
        for (int answer : children(reply, codesOf(reply), m, 1, m.reorderTop))
            least = std::min(least, leafValue(after(reply, answer), m));
        if (least > bestValue) best = move, bestValue = least;
    }
    return best;
}

StandardSettings levelOf(const std::vector<int>& widths) {
    StandardSettings level;
    level.widths.assign(widths.begin(), widths.end());
    level.widths.resize(20, 1);
    level.maxDepth = static_cast<int32_t>(widths.size());
    level.hashSize = 5003;
    return level;
}

int engineDecision(const BanArray& board, const std::vector<int>& widths) {
    return decideBenchPosition(board, levelOf(widths)).point;
}

// The first suite position (of 60) where changing the model changes its decision, with the
// engine's decision there; -1 when none does.
struct Witness {
    int position = -1;
    int engine = -1, model = -1, changed = -1;
};
Witness findWitness(const Model& model, const std::function<void(Model&)>& change) {
    static const std::vector<BanArray> positions = benchPositions(60);
    Model other = model;
    change(other);
    for (size_t i = 0; i < positions.size(); ++i) {
        const int a = decide(positions[i], model), b = decide(positions[i], other);
        if (a != b) return {static_cast<int>(i), engineDecision(positions[i], model.widths), a, b};
    }
    return {};
}

} // namespace

// Decisions at depth 2 with several widths agree with the model on the first suite positions.
TEST(PlayerRules, DecisionsAtDepthTwoFollowTheRules) {
    const std::vector<BanArray> positions = benchPositions(12);
    for (const std::vector<int>& widths :
         {std::vector<int>{10, 8}, std::vector<int>{3, 5}, std::vector<int>{6, 1}}) {
        Model m;
        m.widths = widths;
        for (size_t i = 0; i < positions.size(); ++i)
            EXPECT_EQ(engineDecision(positions[i], widths), decide(positions[i], m))
                << "position " << i << " widths " << widths[0] << "," << widths[1];
    }
}

// Each rule and one entry of each table changes the decision in some position, where the
// player decides as the rule says.
TEST(PlayerRules, EachRuleDecidesSomeMove) {
    struct Change {
        const char* name;
        std::vector<int> widths;
        std::function<void(Model&)> change;
    };
    const Change changes[] = {
        {"root width", {10, 8}, [](Model& x) { x.widths[0] = 4; }},
        {"reply width", {10, 8}, [](Model& x) { x.widths[1] = 3; }},
        // Among replies of equal top score, the pushed-back top is no longer the first.
        {"top candidate pushed back", {10, 1}, [](Model& x) { x.reorderTop = false; }},
        {"candidateOwnScore[19]", {10, 8}, [](Model& x) { x.tables.candidateOwn[19] = 9; }},
        {"candidateOtherScore[18]", {10, 8}, [](Model& x) { x.tables.candidateOther[18] = 9; }},
        {"leafOwnScore[19]", {10, 8}, [](Model& x) { x.tables.leafOwn[19] = 0; }},
        {"leafOtherScore[18]", {10, 8}, [](Model& x) { x.tables.leafOther[18] = 0; }},
    };
    for (const Change& c : changes) {
        Model m;
        m.widths = c.widths;
        const Witness w = findWitness(m, c.change);
        EXPECT_GE(w.position, 0) << c.name << " decides nothing in the suite";
        EXPECT_EQ(w.engine, w.model)
            << c.name << " at position " << w.position << " (changed: " << w.changed << ")";
    }
}

// A five to stop comes before one's own straight four.
TEST(PlayerRules, BlockingAFiveComesBeforeAStraightFour) {
    // White to move has an open three (f9 g9 h9) and could make a straight four; black's four
    // d7..g7, closed at h7, makes five at c7.
    const BanArray board = boardPicture({
        "...............", //
        "...............", //
        "...............", //
        "...............", //
        "...............", //
        "...............", //
        "...XXXXO.......", //
        "...............", //
        ".....OOO.......", //
        "...............", //
        "X..............", //
    });
    ASSERT_EQ(board.moveCount() % 2, 1) << "white to move";
    const Codes c = codesOf(board);
    ASSERT_GE(firstBelow(c.own, 3), 0) << "white has a straight four";
    EXPECT_EQ(decideBenchPosition(board, StandardSettings::standard()).point, 2 + 15 * 6);
}

// Fewer candidates score above zero than the width: the children end with point 0, which
// comes among the zero scores in the heap's order. The widths of the deeper nodes.
TEST(PlayerRules, ChildrenStopAtPointZeroAndWidthsHoldPerDepth) {
    const BanArray board = boardPicture({
        "...............", //
        "...............", //
        "...............", //
        "...............", //
        "...............", //
        "...............", //
        "...............", //
        ".......XO......", //
        "........X......", //
    });
    Model wide;
    wide.widths = {150, 1};
    const std::vector<int> made = children(board, codesOf(board), wide, 0, false);
    ASSERT_LT(made.size(), 150u);
    ASSERT_EQ(made.back(), 0);
    // Depth 2 with a reply width of 1: one leaf under each root child.
    auto nodes = [&](int width) { return decideBenchPosition(board, levelOf({width, 1})).nodes; };
    const long few = nodes(1), some = nodes(3);
    EXPECT_EQ(some - few, 4) << "two more root children, each with its leaf";
    // The candidates up to point 0: the same tree for any wider width.
    EXPECT_EQ(nodes(150), few + 2 * static_cast<long>(made.size() - 1));
    EXPECT_EQ(nodes(224), nodes(150));

    // At depth 4 along a single line, the widths of depths 2 and 3 (no forced move and no
    // transposition can occur so early): each node of depth 3 brings its leaf.
    auto deep = [&](std::vector<int> widths) {
        return decideBenchPosition(board, levelOf(widths)).nodes;
    };
    const long line = deep({1, 1, 1, 1});
    EXPECT_EQ(deep({1, 1, 5, 1}) - line, 2 * 4);
    EXPECT_EQ(deep({1, 1, 1, 6}) - line, 5);
}
