#include "strong/position.h"

#include <algorithm>

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

// For each point and direction, the points within kReach on that line and the key digit the
// point takes in each of their windows.
struct Neighbours {
    struct Entry {
        uint8_t point;
        uint16_t weight; // 3 ^ digit
    };
    Entry entry[kPoints][4][2 * kReach];
    uint8_t count[kPoints][4];
    Neighbours() {
        for (int p = 0; p < kPoints; ++p)
            for (int d = 0; d < 4; ++d) {
                count[p][d] = 0;
                for (int o = -kReach; o <= kReach; ++o) {
                    const int x = cellX(p) + o * kDirX[d], y = cellY(p) + o * kDirY[d];
                    if (o == 0 || !onBoard(x, y)) continue;
                    entry[p][d][count[p][d]++] = {static_cast<uint8_t>(cellIndex(x, y)),
                                                  static_cast<uint16_t>(power3(keyDigit(-o)))};
                }
            }
    }
};
const Neighbours kNeighbours;

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
    combo_[0] = pointInfoTable(0);
    combo_[1] = pointInfoTable(1);
    cell_.fill(kEmpty);
    for (int p = 0; p < kPoints; ++p) {
        for (int d = 0; d < 4; ++d) {
            uint32_t key = 0;
            for (int o = -kReach; o <= kReach; ++o) {
                const int x = cellX(p) + o * kDirX[d], y = cellY(p) + o * kDirY[d];
                if (o != 0 && !onBoard(x, y)) key += kCellBlocked * power3(keyDigit(o));
            }
            key_[0][p][d] = key_[1][p][d] = static_cast<uint16_t>(key);
            refresh(p, d);
        }
    }
    for (int c = 0; c < 2; ++c)
        for (int p = 0; p < kPoints; ++p) {
            info_[c][p] = combo_[c][comboIndex(pat_[c][p])];
            ++classCount_[c][info_[c][p].cls];
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

// Adds a stone of colour: the point stops counting as an empty point; each empty point within
// kReach on its four lines gets the stone's digit in both colours' keys and its pattern in that
// line anew. With record, what changed goes on the undo stack of the move.
void Position::add(int p, int colour, bool record) {
    Change* log =
        record ? &changes_[static_cast<size_t>(count_ - base_) * kChangesPerMove] : nullptr;
    int logged = 0;
    if (record) {
        Undo& u = undo_[count_ - base_];
        std::copy(&classCount_[0][0], &classCount_[0][0] + 2 * kClassCount, &u.classCount[0][0]);
        u.sum[0] = sum_[0];
        u.sum[1] = sum_[1];
    }
    for (int c = 0; c < 2; ++c) {
        --classCount_[c][info_[c][p].cls];
        sum_[c] -= info_[c][p].value;
    }
    cell_[p] = colour == 0 ? kBlack : kWhite;
    mirror_.setAt(p, cell_[p]);
    const int own = colour, other = colour ^ 1;
    for (int d = 0; d < 4; ++d) {
        const Neighbours::Entry* e = kNeighbours.entry[p][d];
        for (int i = 0, n = kNeighbours.count[p][d]; i < n; ++i) {
            const int q = e[i].point;
            const int w = e[i].weight;
            key_[own][q][d] = static_cast<uint16_t>(key_[own][q][d] + w * kCellOwn);
            key_[other][q][d] = static_cast<uint16_t>(key_[other][q][d] + w * kCellBlocked);
            if (cell_[q] != kEmpty) continue;
            // Far stones often change no pattern: nothing to recompute or to undo then.
            const uint8_t black = table_[0][key_[0][q][d]], white = table_[1][key_[1][q][d]];
            if (black == pat_[0][q][d] && white == pat_[1][q][d]) continue;
            if (log)
                log[logged++] = {static_cast<uint8_t>(q),
                                 static_cast<uint8_t>(d),
                                 {pat_[0][q][d], pat_[1][q][d]},
                                 {info_[0][q], info_[1][q]}};
            pat_[0][q][d] = black;
            pat_[1][q][d] = white;
            for (int c = 0; c < 2; ++c) {
                PointInfo& info = info_[c][q];
                const PointInfo next = combo_[c][comboIndex(pat_[c][q])];
                --classCount_[c][info.cls];
                ++classCount_[c][next.cls];
                sum_[c] += next.value - info.value;
                info = next;
            }
        }
    }
    if (record) undo_[count_ - base_].changes = logged;
    const int px = cellX(p), py = cellY(p);
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            if (onBoard(px + dx, py + dy)) ++near_[cellIndex(px + dx, py + dy)];
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
    const int own = cell_[p] == kBlack ? 0 : 1, other = own ^ 1;
    for (int d = 0; d < 4; ++d) {
        const Neighbours::Entry* e = kNeighbours.entry[p][d];
        for (int i = 0, n = kNeighbours.count[p][d]; i < n; ++i) {
            const int q = e[i].point;
            const int w = e[i].weight;
            key_[own][q][d] = static_cast<uint16_t>(key_[own][q][d] - w * kCellOwn);
            key_[other][q][d] = static_cast<uint16_t>(key_[other][q][d] - w * kCellBlocked);
        }
    }
    const Undo& u = undo_[ply];
    const Change* log = &changes_[static_cast<size_t>(ply) * kChangesPerMove];
    for (int i = 0; i < u.changes; ++i) {
        const Change& c = log[i];
        pat_[0][c.point][c.direction] = c.pattern[0];
        pat_[1][c.point][c.direction] = c.pattern[1];
        info_[0][c.point] = c.info[0];
        info_[1][c.point] = c.info[1];
    }
    std::copy(&u.classCount[0][0], &u.classCount[0][0] + 2 * kClassCount, &classCount_[0][0]);
    sum_[0] = u.sum[0];
    sum_[1] = u.sum[1];
    const int px = cellX(p), py = cellY(p);
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            if (onBoard(px + dx, py + dy)) --near_[cellIndex(px + dx, py + dy)];
    hash_ ^= zobrist(own, p);
    cell_[p] = kEmpty;
    mirror_.setAt(p, kEmpty);
    side_ ^= 1;
}
