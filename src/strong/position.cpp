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

} // namespace

uint64_t zobrist(int colour, int p) {
    return kZobrist.key[colour][p];
}

Position::Position(const BanArray& board, char toMove) : mirror_(board) {
    table_[0] = linePatternTable(0);
    table_[1] = linePatternTable(1);
    combo_[0] = pointInfoTable(0);
    combo_[1] = pointInfoTable(1);
    cell_.fill(kEmpty);
    for (int p = 0; p < kPoints; ++p) {
        for (int d = 0; d < 4; ++d) {
            uint32_t key = 0;
            for (int o = -kReach; o <= kReach; ++o) {
                if (o == 0) continue;
                const int x = cellX(p) + o * kDirX[d], y = cellY(p) + o * kDirY[d];
                if (!onBoard(x, y)) key |= kCellWall << keyShift(o);
            }
            key_[p][d] = key;
        }
    }
    for (int p = 0; p < kPoints; ++p)
        for (int d = 0; d < 4; ++d) refresh(p, d);
    for (int c = 0; c < 2; ++c)
        for (int p = 0; p < kPoints; ++p) {
            info_[c][p] = combo_[c][comboIndex(pat_[c][p])];
            ++classCount_[c][info_[c][p].cls];
            sum_[c] += info_[c][p].value;
        }
    for (int p = 0; p < kPoints; ++p) {
        const char c = board.at(p);
        if (c == kBlack || c == kWhite) place(p, c == kBlack ? kCellBlack : kCellWhite, 1);
    }
    base_ = count_;
    side_ = toMove == kBlack ? 0 : 1;
}

int Position::countAtLeast(int colour, int cls) const {
    int n = 0;
    for (int c = cls; c < kClassCount; ++c) n += classCount_[colour][c];
    return n;
}

void Position::refresh(int p, int d) {
    for (int c = 0; c < 2; ++c) pat_[c][p][d] = table_[c][key_[p][d]];
}

// Adds (sign 1) or removes (sign -1) a stone. The point itself stops (starts) counting as an
// empty point; the points within kReach on its four lines get their keys and patterns anew.
void Position::place(int p, uint32_t cellCode, int sign) {
    const int colour = cellCode == kCellBlack ? 0 : 1;
    auto forget = [this](int q) {
        for (int c = 0; c < 2; ++c) {
            --classCount_[c][info_[c][q].cls];
            sum_[c] -= info_[c][q].value;
        }
    };
    auto remember = [this](int q) {
        for (int c = 0; c < 2; ++c) {
            info_[c][q] = combo_[c][comboIndex(pat_[c][q])];
            ++classCount_[c][info_[c][q].cls];
            sum_[c] += info_[c][q].value;
        }
    };
    if (sign > 0) {
        forget(p);
        cell_[p] = colour == 0 ? kBlack : kWhite;
        mirror_.setAt(p, cell_[p]);
    }
    const int px = cellX(p), py = cellY(p);
    for (int d = 0; d < 4; ++d) {
        for (int o = -kReach; o <= kReach; ++o) {
            if (o == 0) continue;
            const int x = px + o * kDirX[d], y = py + o * kDirY[d];
            if (!onBoard(x, y)) continue;
            const int q = cellIndex(x, y);
            key_[q][d] ^= cellCode << keyShift(-o);
            if (cell_[q] != kEmpty) continue;
            forget(q);
            refresh(q, d);
            remember(q);
        }
    }
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            if (onBoard(px + dx, py + dy)) near_[cellIndex(px + dx, py + dy)] += sign;
    hash_ ^= zobrist(colour, p);
    if (sign > 0) {
        ++count_;
    } else {
        --count_;
        cell_[p] = kEmpty;
        mirror_.setAt(p, kEmpty);
        for (int d = 0; d < 4; ++d) refresh(p, d);
        remember(p);
    }
}

void Position::make(int p) {
    assert(p >= 0 && p < kPoints && cell_[p] == kEmpty);
    assert(count_ - base_ < kMaxPly);
    stack_[count_ - base_] = static_cast<uint8_t>(p);
    place(p, side_ == 0 ? kCellBlack : kCellWhite, 1);
    side_ ^= 1;
}

void Position::unmake() {
    assert(count_ > base_);
    const int p = stack_[count_ - base_ - 1];
    place(p, cell_[p] == kBlack ? kCellBlack : kCellWhite, -1);
    side_ ^= 1;
}
