#include "database/symmetry.h"

#include "base/geometry.h"

#include <cassert>

namespace {

// (p, q) relative to the centre carried by symmetry s, back to a cell index (modulo 256, which
// never wraps for a cell on the board).
uint8_t mapCell(int cell, int s) {
    if (cell < 0 || cell >= kPoints) return kNoMove;
    const int p = cellX(cell) - 7;
    const int q = cellY(cell) - 7;
    int pp = p, qq = q;
    switch (s) {
    case 0:
        pp = p, qq = q;
        break;
    case 1:
        pp = -q, qq = -p;
        break;
    case 2:
        pp = -p, qq = -q;
        break;
    case 3:
        pp = q, qq = -p;
        break;
    case 4:
        pp = -q, qq = p;
        break;
    case 5:
        pp = -p, qq = q;
        break;
    case 6:
        pp = q, qq = p;
        break;
    case 7:
        pp = p, qq = -q;
        break;
    default:
        assert(false && "symmetry out of range");
        break;
    }
    return static_cast<uint8_t>((15 * (qq + 7) + (pp + 7)) & 0xFF);
}

} // namespace

uint8_t transformCell(int cell, int s) {
    return mapCell(cell, s);
}

uint8_t inverseTransformCell(int cell, int s) {
    // Only the two quarter turns differ from their inverses.
    if (s == 3) return mapCell(cell, 4);
    if (s == 4) return mapCell(cell, 3);
    return mapCell(cell, s);
}

KData transformed(const KData& d, int s) {
    KData t = d;
    const int n = t.stoneCount();
    for (int i = 0; i < n; ++i) t.stones[i] = transformCell(t.stones[i], s);
    return t;
}
