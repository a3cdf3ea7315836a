#pragma once

#include "player/strong/colour.h"
#include "player/strong/line_pattern.h"
#include "player/strong/point_set.h"
#include "rules/ban_array.h"
#include "rules/board_lines.h"
#include "rules/chk_stat.h"

#include <array>
#include <cassert>
#include <cstdint>
#include <memory>

// The strong search's board: stones, the side to move, and per empty point and colour the four
// line patterns, the point class and value, all updated incrementally by make and unmake. Per
// colour and class the set of empty points of that class is kept in step, so that fives and
// threats are found without scanning the board. A mirror BanArray lets the rules library judge
// black's forbidden points. Nothing is allocated after construction.
class Position {
  public:
    static constexpr int kMaxPly = kPoints + 1;

    // The board's stones; the side to move is `toMove` ('B' or 'W').
    Position(const BanArray& board, char toMove);

    Colour side() const { return side_; }
    int moveCount() const { return count_; }
    uint64_t hash() const { return hash_ ^ (side_ == Colour::White ? kSideKey : 0); }
    bool empty(int p) const { return cell_[p] == kEmpty; }
    char cell(int p) const { return cell_[p]; }
    // An empty point with a stone within two cells (in the 5 x 5 square around it).
    bool nearStones(int p) const { return cell_[p] == kEmpty && near_.test(p); }
    // Every such point.
    PointSet nearPoints() const { return near_ & empty_; }

    const PointInfo& info(Colour c, int p) const { return lines_[p].info[index(c)]; }
    int cls(Colour c, int p) const { return lines_[p].info[index(c)].cls; }
    uint8_t pattern(Colour c, int p, int d) const { return lines_[p].pattern[index(c)][d]; }
    // The empty points whose class for colour is cls.
    const PointSet& pointsOfClass(Colour c, int cls) const { return classSet_[index(c)][cls]; }
    // The lowest empty point whose class for colour is cls, kNoMove when there is none.
    int firstOfClass(Colour c, int cls) const { return classSet_[index(c)][cls].first(); }
    // How many empty points give colour a class of at least cls.
    int countAtLeast(Colour c, int cls) const;
    // The sum of colour's point values over the empty points.
    int valueSum(Colour c) const { return sum_[index(c)]; }

    // The rules' judgement: black at the empty point p would be forbidden (a five never is).
    bool forbidden(int p) const {
        const PointInfo& i = lines_[p].info[0];
        if (!i.suspect) return false;
        return judge_.isForbiddenBlack(p);
    }
    // colour may play p: empty, and for black not forbidden.
    bool playable(Colour c, int p) const {
        return empty(p) && (c == Colour::White || !forbidden(p));
    }

    // Puts the side to move's stone on the empty point p and passes the turn.
    void make(int p);
    // Takes back the last move made.
    void unmake();
    // Passes the turn without a stone (for the threat solver's attacker of either colour).
    void setSide(Colour c) { side_ = c; }
    int lastMove() const { return count_ > base_ ? stack_[count_ - base_ - 1] : kNoMove; }

  private:
    static constexpr uint64_t kSideKey = 0x9e3779b97f4a7c15ULL;
    void add(int p, int colour, bool record);
    void moveClass(int colour, int q, int from, int to) {
        --classCount_[colour][from];
        ++classCount_[colour][to];
        classSet_[colour][from].reset(q);
        classSet_[colour][to].set(q);
    }
    // A point's four line patterns and what they make, for both colours.
    struct Lines {
        uint8_t pattern[2][4];
        uint16_t combo[2]; // comboIndex of each colour's patterns, kept in step with them
        PointInfo info[2];
    };
    // An empty point as it was before make changed it (at most one line through the stone
    // passes through it), for unmake to put back without recomputing.
    struct Change {
        Lines lines;
        uint8_t point;
    };
    // A point of colour that went from one class to another, for unmake to move back.
    struct ClassMove {
        uint8_t colour, point, from, to;
    };
    struct Undo {
        int sum[2];
        PointSet near;
        int changes;
        int classMoves; // the class move stack's height before the move
    };
    static constexpr int kChangesPerMove = 4 * 2 * kReach;

    std::array<char, kPoints> cell_{};
    // Per point and direction, black's view of the line in the low 16 bits and white's in the
    // high 16 bits; neither exceeds 16 bits, so one addition changes both. Laid out line after
    // line (see position.cpp).
    static constexpr int kKeyWords = 1600;
    std::array<uint32_t, kKeyWords> key_{};
    Lines lines_[kPoints] = {};
    PointSet classSet_[2][kClassCount];
    PointSet empty_, near_;
    int classCount_[2][kClassCount] = {};
    int sum_[2] = {};
    uint64_t hash_ = 0;
    Colour side_ = Colour::Black;
    int count_ = 0;
    int base_ = 0;
    std::array<uint8_t, kMaxPly> stack_{};
    std::unique_ptr<Undo[]> undo_;
    std::unique_ptr<Change[]> changes_;
    std::unique_ptr<ClassMove[]> classMoves_;
    int classMoveCount_ = 0;
    mutable BanArray mirror_;
    mutable ChkStat judge_{mirror_};
    const uint8_t* table_[2];
    const PointInfo* comboTable_[2];
};

// The four line directions as (dx, dy): the rules library's order.
inline constexpr const int (&kDirX)[4] = kLineDx;
inline constexpr const int (&kDirY)[4] = kLineDy;

// Zobrist key of a stone of colour (0, 1) at p.
uint64_t zobrist(int colour, int p);
