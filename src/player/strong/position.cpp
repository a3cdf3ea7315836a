#include "player/strong/position.h"

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

// The keys of each direction lie line after line, each point's at its place along its line,
// with kReach spare words between lines and at both ends. A stone then changes the keys of one
// run of 2 * kReach + 1 words per direction (its own with weight 0), which are added in one
// fixed-length loop the compiler turns into a few vector additions; the spare words take what
// falls off the board and are never read.
struct Neighbours {
    static constexpr int kRun = 2 * kReach + 2; // a multiple of 4; the last weight is 0
    struct Entry {
        uint8_t point, direction;
        uint16_t key; // index into the key words
    };
    Entry entry[kPoints][4 * 2 * kReach];
    uint8_t count[kPoints];
    uint16_t key[kPoints][4]; // where the point's key of each direction is
    uint32_t run[2][kRun];    // a stone's step at the offsets -kReach..kReach + 1
    int words;                // key words used
    PointSet square[kPoints]; // the 5 x 5 square around the point
    Neighbours() {
        int next = kReach;
        for (int d = 0; d < 4; ++d)
            for (int p = 0; p < kPoints; ++p) {
                // A line starts at a point whose predecessor is off the board.
                if (onBoard(cellX(p) - kDirX[d], cellY(p) - kDirY[d])) continue;
                for (int x = cellX(p), y = cellY(p); onBoard(x, y); x += kDirX[d], y += kDirY[d])
                    key[cellIndex(x, y)][d] = static_cast<uint16_t>(next++);
                next += kReach;
            }
        words = next + kRun - kReach;
        for (int p = 0; p < kPoints; ++p) {
            count[p] = 0;
            for (int d = 0; d < 4; ++d)
                for (int o = -kReach; o <= kReach; ++o) {
                    const int x = cellX(p) + o * kDirX[d], y = cellY(p) + o * kDirY[d];
                    if (o == 0 || !onBoard(x, y)) continue;
                    const int q = cellIndex(x, y);
                    assert(key[q][d] == key[p][d] + o);
                    entry[p][count[p]++] = {static_cast<uint8_t>(q), static_cast<uint8_t>(d),
                                            key[q][d]};
                }
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx)
                    if (onBoard(cellX(p) + dx, cellY(p) + dy))
                        square[p].set(cellIndex(cellX(p) + dx, cellY(p) + dy));
        }
        // A stone's step in both views of a key: own in its colour's, blocked in the other's.
        const uint32_t unit[2] = {kCellOwn + (kCellBlocked << 16), kCellBlocked + (kCellOwn << 16)};
        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < kRun; ++i) {
                const int o = i - kReach;
                run[c][i] = o == 0 || o > kReach ? 0 : power3(keyDigit(-o)) * unit[c];
            }
    }
};
const Neighbours kNeighbours;

// What one step of a direction's pattern adds to the combination index.
constexpr int comboStep(int d) {
    uint8_t pats[4] = {};
    pats[d] = 1;
    return static_cast<int>(comboIndex(pats));
}
constexpr int kComboStep[4] = {comboStep(0), comboStep(1), comboStep(2), comboStep(3)};

// Adds (or subtracts) a stone's run of steps to the keys around it in one direction.
inline void addRun(uint32_t* __restrict keys, const uint32_t* __restrict run) {
    for (int i = 0; i < Neighbours::kRun; ++i) keys[i] += run[i];
}
inline void subtractRun(uint32_t* __restrict keys, const uint32_t* __restrict run) {
    for (int i = 0; i < Neighbours::kRun; ++i) keys[i] -= run[i];
}
} // namespace

uint64_t zobrist(int colour, int p) {
    return kZobrist.key[colour][p];
}

Position::Position(const BanArray& board, char toMove)
    : undo_(std::make_unique<Undo[]>(kMaxPly)),
      changes_(std::make_unique<Change[]>(static_cast<size_t>(kMaxPly) * kChangesPerMove)),
      classMoves_(
          std::make_unique<ClassMove[]>(static_cast<size_t>(kMaxPly) * 2 * kChangesPerMove)),
      mirror_(board) {
    table_[0] = linePatternTable(0);
    table_[1] = linePatternTable(1);
    comboTable_[0] = pointInfoTable(0);
    comboTable_[1] = pointInfoTable(1);
    assert(kNeighbours.words <= kKeyWords);
    cell_.fill(kEmpty);
    for (int p = 0; p < kPoints; ++p) {
        empty_.set(p);
        for (int d = 0; d < 4; ++d) {
            uint32_t key = 0;
            for (int o = -kReach; o <= kReach; ++o) {
                const int x = cellX(p) + o * kDirX[d], y = cellY(p) + o * kDirY[d];
                if (o != 0 && !onBoard(x, y)) key += kCellBlocked * power3(keyDigit(o));
            }
            key_[kNeighbours.key[p][d]] = key | key << 16;
            lines_[p].pattern[0][d] = table_[0][key];
            lines_[p].pattern[1][d] = table_[1][key];
        }
    }
    for (int c = 0; c < 2; ++c)
        for (int p = 0; p < kPoints; ++p) {
            lines_[p].combo[c] = static_cast<uint16_t>(comboIndex(lines_[p].pattern[c]));
            const PointInfo& info = lines_[p].info[c] = comboTable_[c][lines_[p].combo[c]];
            ++classCount_[c][info.cls];
            classSet_[c][info.cls].set(p);
            sum_[c] += info.value;
        }
    for (int p = 0; p < kPoints; ++p) {
        const char c = board.at(p);
        if (c == kBlack || c == kWhite) add(p, c == kBlack ? 0 : 1, false);
    }
    base_ = count_;
    side_ = toMove == kBlack ? Colour::Black : Colour::White;
}

int Position::countAtLeast(Colour c, int cls) const {
    const int colour = index(c);
    int n = 0;
    for (int c = cls; c < kClassCount; ++c) n += classCount_[colour][c];
    return n;
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
        u.classMoves = classMoveCount_;
    }
    for (int c = 0; c < 2; ++c) {
        const PointInfo& info = lines_[p].info[c];
        --classCount_[c][info.cls];
        classSet_[c][info.cls].reset(p);
        sum_[c] -= info.value;
    }
    cell_[p] = colour == 0 ? kBlack : kWhite;
    empty_.reset(p);
    mirror_.setAt(p, cell_[p]);
    // The loop works on local copies of the tables and sums: its byte stores could otherwise
    // alias the members, which would be read again after every store.
    const uint8_t *const blackTable = table_[0], *const whiteTable = table_[1];
    const PointInfo* const combos[2] = {comboTable_[0], comboTable_[1]};
    int sums[2] = {sum_[0], sum_[1]};
    auto refresh = [&](int c, int q, Lines& lines) {
        PointInfo& info = lines.info[c];
        assert(lines.combo[c] == comboIndex(lines.pattern[c]));
        const PointInfo next = combos[c][lines.combo[c]];
        sums[c] += next.value - info.value;
        if (next.cls != info.cls) {
            moveClass(c, q, info.cls, next.cls);
            if (log)
                classMoves_[classMoveCount_++] = {static_cast<uint8_t>(c), static_cast<uint8_t>(q),
                                                  info.cls, next.cls};
        }
        info = next;
    };
    for (int d = 0; d < 4; ++d)
        addRun(&key_[kNeighbours.key[p][d] - kReach], kNeighbours.run[colour]);
    const Neighbours::Entry* e = kNeighbours.entry[p];
    for (int i = 0, n = kNeighbours.count[p]; i < n; ++i) {
        const int q = e[i].point, d = e[i].direction;
        if (cell_[q] != kEmpty) continue;
        const uint32_t key = key_[e[i].key];
        // Far stones often change no pattern: nothing to recompute or to undo then.
        const uint8_t black = blackTable[key & 0xffff], white = whiteTable[key >> 16];
        Lines& lines = lines_[q];
        const bool blackChanged = black != lines.pattern[0][d],
                   whiteChanged = white != lines.pattern[1][d];
        if (!blackChanged && !whiteChanged) continue;
        if (log) {
            // Field by field: a braced temporary is built on the stack and read back in
            // overlapping pieces, which stalls the store forwarding on every change.
            log[logged].lines = lines;
            log[logged].point = static_cast<uint8_t>(q);
            ++logged;
        }
        lines.combo[0] =
            static_cast<uint16_t>(lines.combo[0] + (black - lines.pattern[0][d]) * kComboStep[d]);
        lines.combo[1] =
            static_cast<uint16_t>(lines.combo[1] + (white - lines.pattern[1][d]) * kComboStep[d]);
        lines.pattern[0][d] = black;
        lines.pattern[1][d] = white;
        if (blackChanged) refresh(0, q, lines);
        if (whiteChanged) refresh(1, q, lines);
    }
    sum_[0] = sums[0];
    sum_[1] = sums[1];
    if (record) undo_[count_ - base_].changes = logged;
    near_ |= kNeighbours.square[p];
    hash_ ^= zobrist(colour, p);
    ++count_;
}

void Position::make(int p) {
    assert(p >= 0 && p < kPoints && cell_[p] == kEmpty);
    assert(count_ - base_ < kMaxPly);
    stack_[count_ - base_] = static_cast<uint8_t>(p);
    add(p, index(side_), true);
    side_ = ~side_;
}

// Takes the keys back and restores the patterns, classes and sums that make recorded.
void Position::unmake() {
    assert(count_ > base_);
    --count_;
    const int ply = count_ - base_;
    const int p = stack_[ply];
    const int own = cell_[p] == kBlack ? 0 : 1;
    for (int d = 0; d < 4; ++d)
        subtractRun(&key_[kNeighbours.key[p][d] - kReach], kNeighbours.run[own]);
    const Undo& u = undo_[ply];
    const Change* log = &changes_[static_cast<size_t>(ply) * kChangesPerMove];
    for (int i = 0; i < u.changes; ++i) lines_[log[i].point] = log[i].lines;
    while (classMoveCount_ > u.classMoves) {
        const ClassMove& m = classMoves_[--classMoveCount_];
        moveClass(m.colour, m.point, m.to, m.from);
    }
    // The point's own patterns were left alone while it held the stone.
    for (int c = 0; c < 2; ++c) {
        ++classCount_[c][lines_[p].info[c].cls];
        classSet_[c][lines_[p].info[c].cls].set(p);
    }
    sum_[0] = u.sum[0];
    sum_[1] = u.sum[1];
    near_ = u.near;
    hash_ ^= zobrist(own, p);
    cell_[p] = kEmpty;
    empty_.set(p);
    mirror_.setAt(p, kEmpty);
    side_ = ~side_;
}
