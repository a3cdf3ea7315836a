// Properties over many positions from random legal games (fixed seed, reproducible).
#include "rules/ban_info.h"
#include "rules/chk_stat.h"
#include "rules/line_window.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

constexpr int kGames = 260;
constexpr int kMaxMoves = 60;
constexpr int kMinPositions = 10000;

bool sameBoard(const BanArray& a, const BanArray& b) {
    return a == b && a.lastMove() == b.lastMove();
}

// A random empty point, most often next to the stones so that shapes form; black never plays
// a forbidden point. Returns -1 when no move was found.
int randomMove(BanArray& b, std::mt19937& rng) {
    std::uniform_int_distribution<int> any(0, kPoints - 1), near(-2, 2), pct(0, 99);
    const bool black = colourToMove(b.moveCount()) == kBlack;
    ChkStat chk(b);
    for (int tries = 0; tries < 200; ++tries) {
        int p = any(rng);
        if (b.lastMove() < kPoints && pct(rng) < 85) {
            int x = cellX(b.lastMove()) + near(rng), y = cellY(b.lastMove()) + near(rng);
            if (tries % 2 == 1) {
                std::vector<int> stones;
                for (int i = 0; i < kPoints; ++i)
                    if (b.at(i) != kEmpty) stones.push_back(i);
                int s = stones[static_cast<size_t>(any(rng)) % stones.size()];
                x = cellX(s) + near(rng);
                y = cellY(s) + near(rng);
            }
            if (!onBoard(x, y)) continue;
            p = cellIndex(x, y);
        }
        if (b.at(p) != kEmpty) continue;
        if (black && chk.isForbiddenBlack(p)) continue;
        return p;
    }
    return -1;
}

// Plays the games and hands every position after a move, with the parent's maps, to check.
template <class Check> int forEachPosition(Check check) {
    std::mt19937 rng(20240517);
    int positions = 0;
    for (int g = 0; g < kGames; ++g) {
        BanArray b;
        BanInfo info;
        info.computeFull(b);
        for (int n = 0; n < kMaxMoves; ++n) {
            int p = randomMove(b, rng);
            if (p < 0) break;
            b.put(p);
            BanInfo child;
            child.copySwapped(info);
            child.updateIncremental(b);
            check(b, info, child);
            ++positions;
            info = child;
            if (isWinCode(ChkStat(b).judgeLastMove())) break;
        }
    }
    return positions;
}

TEST(RulesProperties, JudgementsRestoreTheBoardAndStayInTheirRange) {
    std::mt19937 pick(7);
    std::uniform_int_distribution<int> any(0, kPoints - 1);
    int judged = 0;
    int positions = forEachPosition([&](BanArray& b, const BanInfo&, const BanInfo&) {
        const BanArray before = b;
        ChkStat chk(b);
        // the empty points around the last move, where its shapes are, and a few anywhere
        std::vector<int> points;
        const int mx = cellX(b.lastMove()), my = cellY(b.lastMove());
        for (int y = my - 2; y <= my + 2; ++y)
            for (int x = mx - 2; x <= mx + 2; ++x)
                if (onBoard(x, y)) points.push_back(cellIndex(x, y));
        for (int i = 0; i < 6; ++i) points.push_back(any(pick));
        for (int p : points) {
            if (b.at(p) != kEmpty) continue;
            int black = chk.judgeBlack(p);
            ASSERT_TRUE(sameBoard(before, b)) << "black at " << p;
            int white = chk.judgeWhite(p);
            ASSERT_TRUE(sameBoard(before, b)) << "white at " << p;
            ASSERT_TRUE(black >= 1 && black <= 23) << black;
            ASSERT_TRUE(black != 3 && (black < 9 || black > 11)) << black;
            ASSERT_TRUE(white >= 0 && white <= 20) << white;
            // the quick five test agrees with the whole judgement
            ASSERT_EQ(chk.makesFive(p, kBlack), isWinCode(black)) << p;
            ASSERT_EQ(chk.makesFive(p, kWhite), isWinCode(white)) << p;
            judged += 2;
        }
        // an occupied point is judged as if its stone were replaced, and put back
        const int m = b.lastMove();
        ASSERT_EQ(chk.makesFive(m, kBlack), isWinCode(chk.judgeBlack(m)));
        ASSERT_EQ(chk.makesFive(m, kWhite), isWinCode(chk.judgeWhite(m)));
        ASSERT_TRUE(sameBoard(before, b));
    });
    EXPECT_GE(positions, kMinPositions);
    EXPECT_GT(judged, 10 * positions);
}

TEST(RulesProperties, IncrementalSpansEqualFreshJudgements) {
    int checked = 0;
    int positions = forEachPosition([&](BanArray& b, const BanInfo&, const BanInfo& child) {
        const int m = b.lastMove();
        const char side = colourToMove(b.moveCount());
        ChkStat chk(b);
        for (char c : {side, otherColour(side)}) {
            const auto& map = c == side ? child.sideCodes : child.otherCodes;
            ASSERT_EQ(map[m], 20);
            LineWindow w(c, m, b);
            for (int d = 0; d < 4; ++d) {
                w.direction = d;
                for (int k = w.left[d]; k <= w.right[d]; ++k) {
                    int p = w.pointAt(k);
                    if (b.at(p) != kEmpty) continue;
                    ASSERT_EQ(map[p], chk.judgePoint(p, c)) << "colour " << c << " point " << p;
                    ++checked;
                }
            }
        }
        // the flags always follow the whole maps
        bool sideWin = false, otherWin = false;
        for (int p = 0; p < kPoints; ++p) {
            if (b.at(p) != kEmpty) continue;
            sideWin |= isWinCode(child.sideCodes[p]);
            otherWin |= isWinCode(child.otherCodes[p]);
        }
        ASSERT_EQ(child.sideWin, sideWin);
        ASSERT_EQ(child.otherWin, otherWin);
    });
    EXPECT_GE(positions, kMinPositions);
    EXPECT_GT(checked, 10 * positions);
}

// The full scan leaves out points that see no stone of the judged colour; it must still give
// every point exactly its judgement.
TEST(RulesProperties, FullScanEqualsJudgementOfEveryPoint) {
    int n = 0, scans = 0;
    forEachPosition([&](BanArray& b, const BanInfo&, const BanInfo&) {
        if (++n % 25 != 0) return;
        ++scans;
        BanInfo full;
        full.computeFull(b);
        const char side = colourToMove(b.moveCount());
        ChkStat chk(b);
        for (int p = 0; p < kPoints; ++p) {
            const int expectSide = b.at(p) == kEmpty ? chk.judgePoint(p, side) : 20;
            const int expectOther = b.at(p) == kEmpty ? chk.judgePoint(p, otherColour(side)) : 20;
            ASSERT_EQ(full.sideCodes[p], expectSide) << p;
            ASSERT_EQ(full.otherCodes[p], expectOther) << p;
        }
    });
    EXPECT_GE(scans, 400);
}

// Every code of every position of the games, hashed: any change to a judgement shows here,
// also one that changes the full scan and the incremental update alike.
TEST(RulesProperties, CodesOfTheGamesAreUnchanged) {
    uint64_t hash = 1469598103934665603ull;
    auto mix = [&](uint8_t byte) { hash = (hash ^ byte) * 1099511628211ull; };
    forEachPosition([&](BanArray& b, const BanInfo&, const BanInfo& child) {
        for (int p = 0; p < kPoints; ++p) {
            mix(child.sideCodes[p]);
            mix(child.otherCodes[p]);
        }
        mix(static_cast<uint8_t>(ChkStat(b).judgeLastMove()));
    });
    EXPECT_EQ(hash, 0x85bb06bc6ba9f439ull) << std::hex << hash;
}

} // namespace
