#include "opening/position_symmetry.h"

#include "database/openings.h"
#include "database/symmetry.h"

uint8_t positionSymmetries(const BanArray& board) {
    uint8_t mask = 0;
    for (int s = 0; s < kSymmetries; ++s) {
        bool keeps = true;
        for (int i = 0; i < kPoints && keeps; ++i) {
            const char c = board.at(i);
            if (c == kEmpty) continue;
            keeps = board.at(transformCell(i, s)) == c;
        }
        if (keeps) mask = static_cast<uint8_t>(mask | (1u << s));
    }
    return mask;
}

bool equivalentUnder(uint8_t mask, int a, int b) {
    if (a < 0 || a >= kPoints || b < 0 || b >= kPoints) return false;
    for (int s = 0; s < kSymmetries; ++s)
        if ((mask & (1u << s)) && transformCell(a, s) == b) return true;
    return false;
}

int openingIndexOf(const BanArray& board) {
    int stones = 0;
    for (int i = 0; i < kPoints; ++i) stones += board.at(i) != kEmpty;
    if (stones != 3) return -1;
    for (int o = 0; o < kOpeningCount; ++o) {
        const Opening& opening = openings()[static_cast<size_t>(o)];
        for (int s = 0; s < kSymmetries; ++s) {
            bool same = true;
            for (int k = 0; k < 3 && same; ++k) {
                const int cell = cellIndex(opening.stones[k][0], opening.stones[k][1]);
                same = board.at(transformCell(cell, s)) == (k == 1 ? kWhite : kBlack);
            }
            if (same) return o;
        }
    }
    return -1;
}
