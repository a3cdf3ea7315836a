#include "strong/position.h"

namespace {

struct ZobristKeys {
    uint64_t key[2][kPoints];
    ZobristKeys() {
        uint64_t s = 0x2545f4914f6cdd1dULL;
        for (auto& colour : key)
            for (uint64_t& k : colour) {
                s += 0x9e3779b97f4a7c15ULL; // splitmix64
                uint64_t z = s;
                z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
                z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
                k = z ^ (z >> 31);
            }
    }
};
const ZobristKeys kZobrist;

// For each point, the slots (4 * point + direction) of the points within kReach on its four
// lines and the key digit the point takes in each of their windows.
struct Neighbours {
    struct Entry {
        uint16_t slot;
        uint16_t weight; // 3 ^ digit
    };
    Entry entry[kPoints][4 * 2 * kReach];
    uint8_t count[kPoints];
    PointSet square[kPoints]; // the 5 x 5 square around the point
    Neighbours() {
        for (int p = 0; p < kPoints; ++p) {
            count[p] = 0;
            for (int d = 0; d < 4; ++d)
                for (int o = -kReach; o <= kReach; ++o) {
                    const int x = cellX(p) + o * kDirX[d], y = cellY(p) + o * kDirY[d];
                    if (o == 0 || !onBoard(x, y)) continue;
                    entry[p][count[p]++] = {static_cast<uint16_t>(4 * cellIndex(x, y) + d),
                                            static_cast<uint16_t>(power3(keyDigit(-o)))};
                }
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx)
                    if (onBoard(cellX(p) + dx, cellY(p) + dy))
                        square[p].set(cellIndex(cellX(p) + dx, cellY(p) + dy));
        }
    }
};
const Neighbours kNeighbours;

// A stone's step in both views of a key: own in its colour's, blocked in the other's.
constexpr uint32_t kStoneUnit[2] = {kCellOwn + (kCellBlocked << 16),
                                    kCellBlocked + (kCellOwn << 16)};
// A direction's place value in comboIndex.
constexpr int kComboWeight[4] = {1, kPatCount, kPatCount* kPatCount,
                                 kPatCount* kPatCount* kPatCount};

} // namespace

uint64_t zobrist(int colour, int p) {
    return kZobrist.key[colour][p];
}

Position::Position(const BanArray& board, char toMove)
    : undo_(std::make_unique<Undo[]>(kMaxPly)),
      changes_(std::make_unique<Change[]>(static_cast<size_t>(kMaxPly) * kChangesPerMove)),
      mirror_(board) {
    table_[0] = linePatternTable(0);
    table_[1] = linePatternTable(1);
    comboTable_[0] = pointInfoTable(0);
    comboTable_[1] = pointInfoTable(1);
    cell_.fill(kEmpty);
    for (int p = 0; p < kPoints; ++p) {
        empty_.set(p);
        for (int d = 0; d < 4; ++d) {
            uint32_t key = 0;
            for (int o = -kReach; o <= kReach; ++o) {
                const int x = cellX(p) + o * kDirX[d], y = cellY(p) + o * kDirY[d];
                if (o != 0 && !onBoard(x, y)) key += kCellBlocked * power3(keyDigit(o));
            }
            key_[4 * p + d] = key | key << 16;
            pat_[0][4 * p + d] = table_[0][key];
            pat_[1][4 * p + d] = table_[1][key];
        }
    }
    for (int c = 0; c < 2; ++c)
        for (int p = 0; p < kPoints; ++p) {
            combo_[c][p] = static_cast<uint16_t>(comboIndex(&pat_[c][4 * p]));
            info_[c][p] = comboTable_[c][combo_[c][p]];
            ++classCount_[c][info_[c][p].cls];
            classSet_[c][info_[c][p].cls].set(p);
            sum_[c] += info_[c][p].value;
        }
    for (int p = 0; p < kPoints; ++p) {
        const char c = board.at(p);
        if (c == kBlack || c == kWhite) add(p, c == kBlack ? 0 : 1, false);
    }
    base_ = count_;
    side_ = toMove == kBlack ? 0 : 1;
}

int Position::countAtLeast(int colour, int cls) const {
    int n = 0;
    for (int c = cls; c < kClassCount; ++c) n += classCount_[colour][c];
    return n;
}

// The empty point q's pattern for colour in the line of slot becomes pattern; its class and
// value follow.
void Position::setPattern(int colour, int q, int slot, uint8_t pattern) {
    uint8_t& old = pat_[colour][slot];
    combo_[colour][q] =
        static_cast<uint16_t>(combo_[colour][q] + (pattern - old) * kComboWeight[slot & 3]);
    old = pattern;
    assert(combo_[colour][q] == comboIndex(&pat_[colour][4 * q]));
    PointInfo& info = info_[colour][q];
    const PointInfo next = comboTable_[colour][combo_[colour][q]];
    sum_[colour] += next.value - info.value;
    if (next.cls != info.cls) moveClass(colour, q, info.cls, next.cls);
    info = next;
}

// Adds a stone of colour: the point leaves the empty points and its class sets; each point
// within kReach on its four lines gets the stone's digit in both views of its key, and an
// empty one its patterns in that line anew. With record, what changed goes on the undo stack
// of the move.
void Position::add(int p, int colour, bool record) {
    assert(cell_[p] == kEmpty);
    Change* log =
        record ? &changes_[static_cast<size_t>(count_ - base_) * kChangesPerMove] : nullptr;
    int logged = 0;
    if (record) {
        Undo& u = undo_[count_ - base_];
        u.sum[0] = sum_[0];
        u.sum[1] = sum_[1];
        u.near = near_;
    }
    for (int c = 0; c < 2; ++c) {
        --classCount_[c][info_[c][p].cls];
        classSet_[c][info_[c][p].cls].reset(p);
        sum_[c] -= info_[c][p].value;
    }
    cell_[p] = colour == 0 ? kBlack : kWhite;
    empty_.reset(p);
    mirror_.setAt(p, cell_[p]);
    const uint32_t unit = kStoneUnit[colour];
    const Neighbours::Entry* e = kNeighbours.entry[p];
    for (int i = 0, n = kNeighbours.count[p]; i < n; ++i) {
        const int slot = e[i].slot, q = slot >> 2;
        const uint32_t key = key_[slot] += e[i].weight * unit;
        if (cell_[q] != kEmpty) continue;
        // Far stones often change no pattern: nothing to recompute or to undo then.
        const uint8_t black = table_[0][key & 0xffff], white = table_[1][key >> 16];
        if (black == pat_[0][slot] && white == pat_[1][slot]) continue;
        if (log)
            log[logged++] = {static_cast<uint16_t>(slot),
                             {pat_[0][slot], pat_[1][slot]},
                             {combo_[0][q], combo_[1][q]},
                             {info_[0][q], info_[1][q]}};
        if (black != pat_[0][slot]) setPattern(0, q, slot, black);
        if (white != pat_[1][slot]) setPattern(1, q, slot, white);
    }
    if (record) undo_[count_ - base_].changes = logged;
    near_ |= kNeighbours.square[p];
    hash_ ^= zobrist(colour, p);
    ++count_;
}

void Position::make(int p) {
    assert(p >= 0 && p < kPoints && cell_[p] == kEmpty);
    assert(count_ - base_ < kMaxPly);
    stack_[count_ - base_] = static_cast<uint8_t>(p);
    add(p, side_, true);
    side_ ^= 1;
}

// Takes the keys back and restores the patterns, classes and sums that make recorded.
void Position::unmake() {
    assert(count_ > base_);
    --count_;
    const int ply = count_ - base_;
    const int p = stack_[ply];
    const int own = cell_[p] == kBlack ? 0 : 1;
    const uint32_t unit = kStoneUnit[own];
    const Neighbours::Entry* e = kNeighbours.entry[p];
    for (int i = 0, n = kNeighbours.count[p]; i < n; ++i) key_[e[i].slot] -= e[i].weight * unit;
    const Undo& u = undo_[ply];
    const Change* log = &changes_[static_cast<size_t>(ply) * kChangesPerMove];
    for (int i = 0; i < u.changes; ++i) {
        const Change& c = log[i];
        const int q = c.slot >> 2;
        for (int colour = 0; colour < 2; ++colour) {
            pat_[colour][c.slot] = c.pattern[colour];
            combo_[colour][q] = c.combo[colour];
            if (info_[colour][q].cls != c.info[colour].cls)
                moveClass(colour, q, info_[colour][q].cls, c.info[colour].cls);
            info_[colour][q] = c.info[colour];
        }
    }
    // The point's own patterns were left alone while it held the stone.
    for (int c = 0; c < 2; ++c) {
        ++classCount_[c][info_[c][p].cls];
        classSet_[c][info_[c][p].cls].set(p);
    }
    sum_[0] = u.sum[0];
    sum_[1] = u.sum[1];
    near_ = u.near;
    hash_ ^= zobrist(own, p);
    cell_[p] = kEmpty;
    empty_.set(p);
    mirror_.setAt(p, kEmpty);
    side_ ^= 1;
}
