// The black shape tests. Each shape is a row of cell conditions read from a fixed offset
// relative to its start a ('B' black, '+' empty, 'x' not black, '?' not read), tried at the
// listed starts in order; the first placement that matches ends the test.
#include "rules/chk_stat.h"
#include "rules/line_window.h"

#include <cassert>
#include <cstdint>

namespace {

struct Shape {
    const char* cells; // conditions, the first one at offset a + from
    int from;
    int ext;       // offset of the extending point from a (true threes only)
    int starts[4]; // values of a, in the order they are tried
    int startCount;
    int blacks;  // 'B' conditions: a window with fewer stones cannot match
    int empties; // '+' conditions
    // The conditions as bit sets, bit i for the i-th condition.
    uint32_t blackMask;
    uint32_t emptyMask;
    uint32_t notBlackMask;
};

constexpr int countOf(const char* s, char c) {
    int n = 0;
    for (; *s; ++s) n += *s == c;
    return n;
}

constexpr uint32_t maskOf(const char* s, char c) {
    uint32_t m = 0;
    for (int i = 0; s[i]; ++i)
        if (s[i] == c) m |= 1u << i;
    return m;
}

constexpr Shape shape(const char* cells, int from, int ext, int s0, int s1 = 99, int s2 = 99,
                      int s3 = 99) {
    int count = 1 + (s1 != 99) + (s2 != 99) + (s3 != 99);
    return Shape{cells,
                 from,
                 ext,
                 {s0, s1, s2, s3},
                 count,
                 countOf(cells, 'B'),
                 countOf(cells, '+'),
                 maskOf(cells, 'B'),
                 maskOf(cells, '+'),
                 maskOf(cells, 'x')};
}

// Unbroken four whose extension on one side runs into one more black stone.
constexpr Shape kSpoiledFour[] = {
    shape("xBBBB+B", -1, 0, 0, -1, -2, -3),
    shape("B+BBBBx", -2, 0, 0, -1, -2, -3),
};
// Two fours through the centre in one line.
constexpr Shape kLineDoubleFour[] = {
    shape("xB+BBB+Bx", -1, 0, -2, -3, -4),
    shape("xBB+BB+BBx", -1, 0, -3, -4),
    shape("xBBB+B+BBBx", -1, 0, -4),
};
// Four stones in five cells with one inner gap. In BBB+B the gap is not read: where no five
// exists it can only be empty.
constexpr Shape kSplitFour[] = {
    shape("xB+BBBx", -1, 0, 0, -2, -3, -4),
    shape("xBB+BBx", -1, 0, 0, -1, -3, -4),
    shape("xBBB?Bx", -1, 0, 0, -1, -2, -4),
};
// Unbroken three that one stone at the extending point turns into +BBBB+.
constexpr Shape kTrueThree[] = {
    shape("x+BBB++x", -2, 3, 0, -1, -2),
    shape("x++BBB+x", -3, -1, 0, -1, -2),
};
// Split threes B+BB and BB+B; the extending point is the gap.
constexpr Shape kTrueSplitThree[] = {
    shape("x+B+BB+x", -2, 1, 0, -2, -3),
    shape("x+BB+B+x", -2, 2, 0, -1, -3),
};

bool matchesAt(const LineWindow& w, const Shape& s, int a) {
    if (w.own == kBlack) {
        // Own cells are the black ones; cells outside the window have no bit in either set, so
        // a 'B' or '+' condition there fails and an 'x' condition holds, as with the blocker.
        const int shift = a + s.from + 8;
        assert(shift >= 0);
        const uint32_t black = w.ownBits[w.direction] >> shift;
        const uint32_t empty = w.emptyBits[w.direction] >> shift;
        return (black & s.blackMask) == s.blackMask && (empty & s.emptyMask) == s.emptyMask &&
               (black & s.notBlackMask) == 0;
    }
    int k = a + s.from;
    for (const char* p = s.cells; *p; ++p, ++k) {
        char c = w.cell(k);
        switch (*p) {
        case 'B':
            if (c != kBlack) return false;
            break;
        case '+':
            if (c != kEmpty) return false;
            break;
        case 'x':
            if (c == kBlack) return false;
            break;
        default:
            break;
        }
    }
    return true;
}

// Cells outside the span read as the blocker, so a shape needs at least as many stones and
// empty cells in the span as it has conditions of each kind.
bool mayMatch(const LineWindow& w, const Shape& s) {
    return w.stones[w.direction] >= s.blacks && w.empties[w.direction] >= s.empties;
}

template <size_t N> bool anyMatch(const LineWindow& w, const Shape (&shapes)[N]) {
    for (const Shape& s : shapes) {
        if (!mayMatch(w, s)) continue;
        for (int i = 0; i < s.startCount; ++i)
            if (matchesAt(w, s, s.starts[i])) return true;
    }
    return false;
}

// A placement counts only when its cells match and its extending point is not forbidden for
// black; when the point is forbidden the next placement is tried.
template <size_t N> bool anyTrueThree(const LineWindow& w, const Shape (&shapes)[N]) {
    for (const Shape& s : shapes) {
        if (!mayMatch(w, s)) continue;
        for (int i = 0; i < s.startCount; ++i) {
            int a = s.starts[i];
            if (matchesAt(w, s, a) && !isForbiddenBlack(w.board, w.pointAt(a + s.ext))) return true;
        }
    }
    return false;
}

} // namespace

// Each test first asks for the fewest stones any of its shapes needs, which rules out most
// windows at once.
bool isSpoiledFour(const LineWindow& w) {
    return w.stones[w.direction] >= 5 && anyMatch(w, kSpoiledFour);
}
// The run through the centre is one run, so each form matches at one start at most.
int spoiledFourEnds(const LineWindow& w) {
    if (w.stones[w.direction] < 5) return 0;
    int ends = 0;
    for (const Shape& s : kSpoiledFour) {
        if (!mayMatch(w, s)) continue;
        for (int i = 0; i < s.startCount; ++i) {
            if (matchesAt(w, s, s.starts[i])) {
                ++ends;
                break;
            }
        }
    }
    return ends;
}
bool isLineDoubleFour(const LineWindow& w) {
    return w.stones[w.direction] >= 5 && anyMatch(w, kLineDoubleFour);
}
bool isSplitFour(const LineWindow& w) {
    return w.stones[w.direction] >= 4 && anyMatch(w, kSplitFour);
}
bool isTrueThree(const LineWindow& w) {
    return w.stones[w.direction] >= 3 && anyTrueThree(w, kTrueThree);
}
bool isTrueSplitThree(const LineWindow& w) {
    return w.stones[w.direction] >= 3 && anyTrueThree(w, kTrueSplitThree);
}
