#include "rules/line_window.h"

#include <cstring>

namespace {
// Board steps of the four directions: row, diagonal, column, anti-diagonal.
constexpr int kDx[4] = {1, 1, 0, -1};
constexpr int kDy[4] = {0, 1, 1, 1};
} // namespace

LineWindow::LineWindow(char ownColour, int centre, BanArray& b)
    : x(cellX(centre)), y(cellY(centre)), own(ownColour), blocker(otherColour(ownColour)),
      board(b) {
    for (int d = 0; d < 4; ++d) {
        std::memset(cells[d], blocker, sizeof cells[d]);
        cells[d][5] = own;
        right[d] = 0;
        left[d] = 0;
        stones[d] = 1;
        empties[d] = 0;
    }
    for (int d = 0; d < 4; ++d) {
        for (int sign = 1; sign >= -1; sign -= 2) {
            for (int k = sign; k >= -5 && k <= 5; k += sign) {
                int cx = x + k * kDx[d], cy = y + k * kDy[d];
                if (!onBoard(cx, cy)) break;
                char c = b.at(cellIndex(cx, cy));
                // Anything but own or empty blocks, so the span holds only those two.
                if (c == own) {
                    ++stones[d];
                } else if (c == kEmpty) {
                    ++empties[d];
                } else {
                    break;
                }
                cells[d][k + 5] = c;
                if (sign > 0) {
                    right[d] = k;
                } else {
                    left[d] = k;
                }
            }
        }
    }
}

int LineWindow::pointAt(int k) const {
    return cellIndex(x + k * kDx[direction], y + k * kDy[direction]);
}

int classifyRun(const LineWindow& w) {
    int p = 0, m = 0;
    while (p < 5 && w.cell(p + 1) == w.own) ++p;
    while (m < 5 && w.cell(-(m + 1)) == w.own) ++m;
    int n = p + m + 1;
    if (n >= 5) return n;
    if (n == 4 || n == 3) {
        int open = (w.cell(p + 1) == kEmpty) + (w.cell(-(m + 1)) == kEmpty);
        if (open == 2) return -n;
        if (open == 1) return n;
        return -1;
    }
    return 0;
}

bool hasFour(const LineWindow& w) {
    const int d = w.direction;
    if (w.stones[d] < 4 || w.empties[d] < 1 || w.spanLength() < 5) return false;
    for (int s = w.left[d]; s <= w.right[d] - 4; ++s) {
        int n = 0;
        for (int k = s; k <= s + 4; ++k) n += w.cell(k) == w.own;
        if (n == 4) return true;
    }
    return false;
}

namespace {
// An open window of six, '+' at both ends, holding exactly `want` own stones inside.
bool hasOpenRun(const LineWindow& w, int want) {
    const int d = w.direction;
    if (w.stones[d] < want || w.empties[d] < want || w.spanLength() < 6) return false;
    for (int s = w.left[d]; s <= w.right[d] - 5; ++s) {
        if (w.cell(s) != kEmpty || w.cell(s + 5) != kEmpty) continue;
        int n = 0;
        for (int k = s + 1; k <= s + 4; ++k) n += w.cell(k) == w.own;
        if (n == want) return true;
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
