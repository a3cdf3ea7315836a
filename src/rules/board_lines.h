#pragma once

#include "base/geometry.h"
#include "rules/ban_array.h"

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

// Where a point lies on its four lines: the line's index within its direction and the
// point's position along it. Rows are indexed by y, diagonals by x - y + 14, columns by x and
// anti-diagonals by x + y; the position is x on a row and y on the other lines, so the point
// at offset k of a window lies at position + k.
struct LineSlot {
    uint8_t line[4];
    uint8_t pos[4];
};

namespace board_lines_detail {
constexpr std::array<LineSlot, kPoints> makeSlots() {
    std::array<LineSlot, kPoints> table{};
    for (int i = 0; i < kPoints; ++i) {
        const int x = cellX(i), y = cellY(i);
        const int line[4] = {y, x - y + 14, x, x + y};
        const int pos[4] = {x, y, y, y};
        for (int d = 0; d < 4; ++d) {
            table[i].line[d] = static_cast<uint8_t>(line[d]);
            table[i].pos[d] = static_cast<uint8_t>(pos[d]);
        }
    }
    return table;
}
} // namespace board_lines_detail

inline constexpr std::array<LineSlot, kPoints> kLineSlot = board_lines_detail::makeSlots();
inline constexpr int kLinesPerDirection = 29;

// Every line of a board as bit sets for one colour: bit pos + 8 is set when the point at
// position pos holds a stone of that colour (own) or is empty (empty). Points off the board
// have neither bit. Built once for a whole-board scan, so that each window takes its lines
// from here instead of reading the board cell by cell.
struct BoardLines {
    BoardLines(const BanArray& board, char ownColour);

    uint32_t own[4][kLinesPerDirection];
    uint32_t empty[4][kLinesPerDirection];
};
