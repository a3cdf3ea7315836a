#include "rules/line_window.h"

#include "rules/board_lines.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace {

static_assert(std::endian::native == std::endian::little, "the window packs cells little-endian");

constexpr uint64_t kOnes = 0x0101010101010101ull;
constexpr uint64_t kHigh = 0x8080808080808080ull;

constexpr uint8_t kBitCount[32] = {0, 1, 1, 2, 1, 2, 2, 3, 1, 2, 2, 3, 2, 3, 3, 4,
                                   1, 2, 2, 3, 2, 3, 3, 4, 2, 3, 3, 4, 3, 4, 4, 5};

constexpr uint64_t repeat(char c) {
    return kOnes * static_cast<uint8_t>(c);
}

// 0x80 in every byte of v equal to the matching byte of pattern, 0 elsewhere. Exact: the
// additions cannot carry from one byte into the next.
constexpr uint64_t bytesEqual(uint64_t v, uint64_t pattern) {
    const uint64_t t = v ^ pattern;
    return ~(((t & ~kHigh) + ~kHigh) | t) & kHigh;
}

// The cells at distance 1..5 along step packed into bytes 0..4 (distance k in byte k - 1); the
// bytes past the board's edge, and the bytes above, hold the blocker.
inline uint64_t packHalfLine(const char* origin, int step, int reach, uint64_t blockers) {
    uint64_t v = blockers;
    switch (reach) {
    case 5:
        v = (v << 8) | static_cast<uint8_t>(origin[5 * step]);
        [[fallthrough]];
    case 4:
        v = (v << 8) | static_cast<uint8_t>(origin[4 * step]);
        [[fallthrough]];
    case 3:
        v = (v << 8) | static_cast<uint8_t>(origin[3 * step]);
        [[fallthrough]];
    case 2:
        v = (v << 8) | static_cast<uint8_t>(origin[2 * step]);
        [[fallthrough]];
    case 1:
        v = (v << 8) | static_cast<uint8_t>(origin[step]);
        [[fallthrough]];
    default:
        break;
    }
    return v;
}

// Bits 0..4 of the result are the high bits of bytes 0..4 of v.
constexpr uint32_t gatherBits(uint64_t v) {
    return static_cast<uint32_t>((((v >> 7) & 0x0101010101ull) * 0x0102040810204080ull) >> 56);
}

// The five low bits in reverse order.
constexpr std::array<uint8_t, 32> makeReverse5() {
    std::array<uint8_t, 32> t{};
    for (int i = 0; i < 32; ++i)
        for (int b = 0; b < 5; ++b)
            if (i & (1 << b)) t[static_cast<size_t>(i)] |= static_cast<uint8_t>(1 << (4 - b));
    return t;
}
constexpr std::array<uint8_t, 32> kReverse5 = makeReverse5();

// One side of a line as the window keeps it: the span runs up to the first cell that is
// neither own nor empty; from there on every cell reads as the blocker. Bit k - 1 of own and
// empty stands for the cell at distance k.
struct HalfLine {
    uint64_t cells;
    int span;
    uint32_t own;
    uint32_t empty;
};
inline HalfLine cutHalfLine(uint64_t v, uint64_t owns, uint64_t blockers) {
    const uint64_t ownBytes = bytesEqual(v, owns);
    const uint64_t emptyBytes = bytesEqual(v, repeat(kEmpty));
    const uint64_t blocking = ~(ownBytes | emptyBytes) & kHigh;
    // byte 5 always holds the blocker, so blocking is never 0 and the span is at most 5
    const int span = std::countr_zero(blocking) / 8;
    const uint64_t inside = (uint64_t{1} << (8 * span)) - 1;
    return {(v & inside) | (blockers & ~inside), span, gatherBits(ownBytes & inside),
            gatherBits(emptyBytes & inside)};
}

} // namespace

LineWindow::LineWindow(char ownColour, int centre, BanArray& b)
    : x(cellX(centre)), y(cellY(centre)), own(ownColour), blocker(otherColour(ownColour)),
      board(b) {
    // Locals throughout: stores into the char cells could otherwise alias every member read.
    const char o = ownColour, bl = blocker;
    const bool inside = centre >= 0 && centre < kPoints;
    const LineReach reach = inside ? kLineReach[static_cast<size_t>(centre)] : LineReach{};
    const char* origin = b.cellData() + (inside ? centre : 0);
    for (int d = 0; d < 4; ++d) {
        char line[11];
        std::memset(line, bl, sizeof line);
        line[5] = o;
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
            line[5 + k] = c;
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
            line[5 - k] = c;
        }
        left[d] = 1 - k;
        std::memcpy(cells[d], line, sizeof line);
        ownBits[d] = ownSet;
        emptyBits[d] = emptySet;
        stones[d] = kBitCount[(ownSet >> 3) & 31] + kBitCount[(ownSet >> 8) & 31] +
                    kBitCount[(ownSet >> 13) & 3];
        empties[d] = kBitCount[(emptySet >> 3) & 31] + kBitCount[(emptySet >> 9) & 31];
    }
}

int LineWindow::pointAt(int k) const {
    return cellIndex(x + k * kLineDx[direction], y + k * kLineDy[direction]);
}

namespace {
// Own stones among the n cells from offset s on (n <= 5).
inline int ownCount(const LineWindow& w, int s, int n) {
    return kBitCount[(w.ownBits[w.direction] >> (s + 8)) & ((1u << n) - 1)];
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
// An open window of six, '+' at both ends, holding exactly `want` own stones inside.
bool hasOpenRun(const LineWindow& w, int want) {
    const int d = w.direction;
    if (w.stones[d] < want || w.empties[d] < want || w.spanLength() < 6) return false;
    for (int s = w.left[d]; s <= w.right[d] - 5; ++s) {
        if (!isEmptyAt(w, s) || !isEmptyAt(w, s + 5)) continue;
        if (ownCount(w, s + 1, 4) == want) return true;
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
