#include "rules/line_window.h"

#include "rules/board_lines.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace {

// Set bits of every 11-bit value.
constexpr std::array<uint8_t, 2048> makeBitCount11() {
    std::array<uint8_t, 2048> t{};
    for (int v = 0; v < 2048; ++v)
        for (int b = 0; b < 11; ++b) t[static_cast<size_t>(v)] += (v >> b) & 1;
    return t;
}
constexpr std::array<uint8_t, 2048> kBitCount11 = makeBitCount11();
constexpr int bitCount11(uint32_t v) {
    return kBitCount11[v & 0x7ff];
}

} // namespace

LineWindow::LineWindow(char ownColour, int centre, BanArray& b)
    : x(cellX(centre)), y(cellY(centre)), own(ownColour), blocker(otherColour(ownColour)),
      board(b) {
    const char o = ownColour;
    const bool inside = centre >= 0 && centre < kPoints;
    const LineReach reach = inside ? kLineReach[static_cast<size_t>(centre)] : LineReach{};
    const char* origin = b.cellData() + (inside ? centre : 0);
    for (int d = 0; d < 4; ++d) {
        uint32_t ownSet = 1u << 8, emptySet = 0;
        const int step = kLineStride[d];
        // Anything but own or empty blocks, so the span holds only those two.
        int k = 1;
        for (const char* p = origin + step; k <= reach.plus[d]; ++k, p += step) {
            const char c = *p;
            if (c == o) {
                ownSet |= 1u << (8 + k);
            } else if (c == kEmpty) {
                emptySet |= 1u << (8 + k);
            } else {
                break;
            }
        }
        right[d] = k - 1;
        k = 1;
        for (const char* p = origin - step; k <= reach.minus[d]; ++k, p -= step) {
            const char c = *p;
            if (c == o) {
                ownSet |= 1u << (8 - k);
            } else if (c == kEmpty) {
                emptySet |= 1u << (8 - k);
            } else {
                break;
            }
        }
        left[d] = 1 - k;
        ownBits[d] = ownSet;
        emptyBits[d] = emptySet;
        stones[d] = bitCount11(ownSet >> 3);
        empties[d] = bitCount11(emptySet >> 3);
    }
}

// Each line's eleven cells are cut out of the board's line bit sets with one shift. Cells off
// the board have neither bit, so they block like stones of the other colour; the spans then
// end at the lowest blocking bit above the centre and the highest below it.
LineWindow::LineWindow(char ownColour, int centre, BanArray& b, const BoardLines& lines)
    : x(cellX(centre)), y(cellY(centre)), own(ownColour), blocker(otherColour(ownColour)),
      board(b) {
    const LineSlot& slot = kLineSlot[static_cast<size_t>(centre)];
    for (int d = 0; d < 4; ++d) {
        // bit j stands for offset j - 5
        const int shift = slot.pos[d] + 3;
        uint32_t ownSet = ((lines.own[d][slot.line[d]] >> shift) & 0x7ff) | (1u << 5);
        uint32_t emptySet = (lines.empty[d][slot.line[d]] >> shift) & 0x7ff & ~(1u << 5);
        const uint32_t blocking = ~(ownSet | emptySet);
        const int up = std::countr_zero((blocking >> 6) | (1u << 5));
        const int down = std::countl_zero((blocking << 27) | (1u << 26));
        const uint32_t span = ((2u << (up + down)) - 1) << (5 - down);
        ownSet &= span;
        emptySet &= span;
        right[d] = up;
        left[d] = -down;
        ownBits[d] = ownSet << 3;
        emptyBits[d] = emptySet << 3;
        stones[d] = bitCount11(ownSet);
        empties[d] = bitCount11(emptySet);
    }
}

int LineWindow::pointAt(int k) const {
    return cellIndex(x + k * kLineDx[direction], y + k * kLineDy[direction]);
}
