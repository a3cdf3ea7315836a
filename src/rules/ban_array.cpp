#include "rules/ban_array.h"

#include "rules/ban_history.h"

#include <cstring>

BanArray::BanArray() {
    cells_.fill(kEmpty);
}

char& BanArray::outOfRange(int i) {
    diagIndexOutOfRange(i, kPoints);
    thread_local char scratch = 0;
    scratch = 0;
    return scratch;
}

BanArray::BanArray(const BanHistory& history) : BanArray() {
    for (const MovedPos& m : history) {
        (*this)[cellIndex(m.x, m.y)] = static_cast<char>(m.colour);
        ++moveCount_;
    }
    if (!history.empty())
        lastMove_ = static_cast<uint8_t>(cellIndex(history.last().x, history.last().y));
}

bool BanArray::operator==(const BanArray& other) const {
    if (moveCount_ != other.moveCount_) return false;
    return std::memcmp(cells_.data(), other.cells_.data(), kPoints) == 0;
}

bool BanArray::put(int i) {
    if (i < 0 || i >= kPoints) {
        (void)(*this)[i]; // writes the array diagnostic; the board is not touched
        return false;
    }
    char& cell = cells_[static_cast<size_t>(i)];
    if (cell != kEmpty) return false;
    cell = colourToMove(moveCount_);
    lastMove_ = static_cast<uint8_t>(i);
    ++moveCount_;
    return true;
}
