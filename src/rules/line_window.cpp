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

namespace {
// Own stones among the n cells from offset s on (n <= 5).
inline int ownCount(const LineWindow& w, int s, int n) {
    return bitCount11((w.ownBits[w.direction] >> (s + 8)) & ((1u << n) - 1));
}
inline bool isEmptyAt(const LineWindow& w, int k) {
    return k >= -5 && k <= 5 && (w.emptyBits[w.direction] >> (k + 8)) & 1u;
}
} // namespace

int classifyRun(const LineWindow& w) {
    const uint32_t own = w.ownBits[w.direction];
    // own cells from +1 up and from -1 down; bits past offset 5 are clear
    const int p = std::countr_one(own >> 9);
    const int m = std::countl_one(own << 24);
    const int n = p + m + 1;
    if (n >= 5) return n;
    if (n == 4 || n == 3) {
        const int open = isEmptyAt(w, p + 1) + isEmptyAt(w, -(m + 1));
        if (open == 2) return -n;
        if (open == 1) return n;
        return -1;
    }
    return 0;
}

bool hasFour(const LineWindow& w) {
    const int d = w.direction;
    if (w.stones[d] < 4 || w.empties[d] < 1 || w.spanLength() < 5) return false;
    for (int s = w.left[d]; s <= w.right[d] - 4; ++s)
        if (ownCount(w, s, 5) == 4) return true;
    return false;
}

namespace {
constexpr uint8_t kNibbleCount[16] = {0, 1, 1, 2, 1, 2, 2, 3, 1, 2, 2, 3, 2, 3, 3, 4};

// An open window of six, '+' at both ends, holding exactly `want` own stones inside. Empty bits
// lie only inside the span, which holds nothing but own and empty cells, so two empty ends
// put the whole window inside the span: the starts are the bits of empty & (empty >> 5).
bool hasOpenRun(const LineWindow& w, int want) {
    const int d = w.direction;
    if (w.stones[d] < want || w.empties[d] < want) return false;
    const uint32_t empty = w.emptyBits[d], own = w.ownBits[d];
    for (uint32_t ends = empty & (empty >> 5); ends != 0; ends &= ends - 1) {
        const int bit = std::countr_zero(ends); // the bit of the window's first end
        if (kNibbleCount[(own >> (bit + 1)) & 0xf] == want) return true;
    }
    return false;
}
} // namespace

bool hasOpenThree(const LineWindow& w) {
    return hasOpenRun(w, 3);
}
bool hasOpenTwo(const LineWindow& w) {
    return hasOpenRun(w, 2);
}
