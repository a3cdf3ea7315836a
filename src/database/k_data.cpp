#include "database/k_data.h"

#include "rules/ban_array.h"

#include <bitset>

namespace {

// The black and white cells of an entry; false when a stone lies off the board or a point is
// used twice.
bool cellSets(const KData& d, std::bitset<kPoints>& black, std::bitset<kPoints>& white) {
    const int n = d.stoneCount();
    for (int i = 0; i < n; ++i) {
        const int cell = d.stones[i];
        if (cell >= kPoints || black.test(cell) || white.test(cell)) return false;
        (i % 2 == 0 ? black : white).set(cell);
    }
    return true;
}

} // namespace

KData::KData(int n) : stones(n) {
    for (int i = 0; i < n; ++i) stones[i] = kNoMove;
}

KData::KData(const BanArray& board) : KData(board.moveCount()) {
    const int n = stoneCount();
    int nextBlack = 0;
    int nextWhite = 1;
    for (int x = 0; x < kBoardSize; ++x) {
        for (int y = 0; y < kBoardSize; ++y) {
            const int cell = cellIndex(x, y);
            const char c = board.at(cell);
            if (c == kBlack && nextBlack < n) {
                stones[nextBlack] = static_cast<uint8_t>(cell);
                nextBlack += 2;
            } else if (c == kWhite && nextWhite < n) {
                stones[nextWhite] = static_cast<uint8_t>(cell);
                nextWhite += 2;
            }
        }
    }
}

uint8_t KData::continuationMove(int i) const {
    if (continuations.empty()) return kNoMove;
    if (i < 0 || i >= continuationCount()) return kNoPoint;
    return continuations[static_cast<size_t>(i)].move;
}

bool KData::placeOn(BanArray& board) const {
    bool all = true;
    const int n = stoneCount();
    for (int i = 0; i < n; ++i) {
        const int cell = stones[i];
        if (cell >= kPoints || !board.put(cell)) all = false;
    }
    return all;
}

bool KData::isValidPosition() const {
    std::bitset<kPoints> black, white;
    return cellSets(*this, black, white);
}

bool KData::samePosition(const KData& other) const {
    if (stoneCount() != other.stoneCount()) return false;
    std::bitset<kPoints> b1, w1, b2, w2;
    if (!cellSets(*this, b1, w1) || !cellSets(other, b2, w2)) return false;
    return b1 == b2 && w1 == w2;
}

bool KData::occupies(int cell) const {
    const int n = stoneCount();
    for (int i = 0; i < n; ++i) {
        if (stones[i] == cell) return true;
    }
    return false;
}
