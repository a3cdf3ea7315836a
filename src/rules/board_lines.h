#pragma once

#include "base/geometry.h"

#include <array>
#include <cstdint>

// The four lines through a point as steps on the cell index: row, diagonal, column and
// anti-diagonal, the order of LineWindow's directions.
inline constexpr int kLineDx[4] = {1, 1, 0, -1};
inline constexpr int kLineDy[4] = {0, 1, 1, 1};
inline constexpr int kLineStride[4] = {1, kBoardSize + 1, kBoardSize, kBoardSize - 1};

// How many cells (at most 5) each line has on the board on the + and on the - side of a point.
struct LineReach {
    int8_t plus[4];
    int8_t minus[4];
};

namespace board_lines_detail {
constexpr int reachFrom(int x, int y, int dx, int dy) {
    int k = 0;
    while (k < 5 && onBoard(x + (k + 1) * dx, y + (k + 1) * dy)) ++k;
    return k;
}
constexpr std::array<LineReach, kPoints> makeReach() {
    std::array<LineReach, kPoints> table{};
    for (int i = 0; i < kPoints; ++i) {
        for (int d = 0; d < 4; ++d) {
            table[i].plus[d] =
                static_cast<int8_t>(reachFrom(cellX(i), cellY(i), kLineDx[d], kLineDy[d]));
            table[i].minus[d] =
                static_cast<int8_t>(reachFrom(cellX(i), cellY(i), -kLineDx[d], -kLineDy[d]));
        }
    }
    return table;
}
} // namespace board_lines_detail

inline constexpr std::array<LineReach, kPoints> kLineReach = board_lines_detail::makeReach();
