#pragma once

#include "base/geometry.h"

#include <algorithm>
#include <cstdint>
#include <vector>

// GoBan: game board (see docs/glossary.md).
// A square grid of pointers to move nodes (not owned), index x + size * y; null is empty.
template <class T> class TGoBan {
  public:
    TGoBan() { TGoBan::Init(kBoardSize); }
    virtual ~TGoBan() = default;

    // size (clamped to 0..15); every cell empty.
    virtual void Init(int size) {
        size_ = std::clamp(size, 0, kBoardSize);
        cells_.assign(static_cast<size_t>(size_ * size_), nullptr);
    }
    // '*' off the board, '+' for an empty point, otherwise the colour of the node there.
    char At(int x, int y) const {
        if (x < 0 || x >= size_ || y < 0 || y >= size_) return kOffBoard;
        const T* n = cells_[static_cast<size_t>(x + size_ * y)];
        return n ? n->ColourChar() : kEmpty;
    }
    // The node at (x, y); null when empty or off the board.
    T* cell(int x, int y) const {
        if (x < 0 || x >= size_ || y < 0 || y >= size_) return nullptr;
        return cells_[static_cast<size_t>(x + size_ * y)];
    }
    int size() const { return size_; }

  protected:
    void setCell(int x, int y, T* node) {
        if (x >= 0 && x < size_ && y >= 0 && y < size_)
            cells_[static_cast<size_t>(x + size_ * y)] = node;
    }

    std::vector<T*> cells_;
    int32_t size_ = 0;
};
