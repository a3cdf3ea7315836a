#include "rules/board_lines.h"

#include <cstring>

namespace {
// Every on-board position of every line.
constexpr std::array<std::array<uint32_t, kLinesPerDirection>, 4> makeFullLines() {
    std::array<std::array<uint32_t, kLinesPerDirection>, 4> full{};
    for (int i = 0; i < kPoints; ++i) {
        const LineSlot& slot = kLineSlot[static_cast<size_t>(i)];
        for (int d = 0; d < 4; ++d)
            full[static_cast<size_t>(d)][slot.line[d]] |= 1u << (slot.pos[d] + 8);
    }
    return full;
}
constexpr auto kFullLines = makeFullLines();
} // namespace

// Only the stones are visited: the empty points of a line are its points without a stone.
BoardLines::BoardLines(const BanArray& board, char ownColour) {
    uint32_t occupied[4][kLinesPerDirection] = {};
    std::memset(own, 0, sizeof own);
    const char* cells = board.cellData();
    for (int i = 0; i < kPoints; ++i) {
        const char c = cells[i];
        if (c == kEmpty) continue;
        const LineSlot& slot = kLineSlot[static_cast<size_t>(i)];
        for (int d = 0; d < 4; ++d) {
            const uint32_t bit = 1u << (slot.pos[d] + 8);
            occupied[d][slot.line[d]] |= bit;
            if (c == ownColour) own[d][slot.line[d]] |= bit;
        }
    }
    for (int d = 0; d < 4; ++d)
        for (int l = 0; l < kLinesPerDirection; ++l)
            empty[d][l] =
                kFullLines[static_cast<size_t>(d)][static_cast<size_t>(l)] & ~occupied[d][l];
}
