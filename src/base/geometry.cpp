#include "base/geometry.h"

#include <cassert>

std::string recordLetters(int x, int y) {
    return std::string{static_cast<char>('a' + x), static_cast<char>('a' + y)};
}

void recordLettersToXY(char cx, char cy, int& x, int& y) {
    x = cx - 'a';
    y = cy - 'a';
}

std::string pointText(int x, int y) {
    assert(onBoard(x, y));
    return std::string{kPointChars[x], kPointChars[15 + y]};
}

bool pointTextToXY(char column, char row, int& x, int& y) {
    int cx = -1, cy = -1;
    for (int i = 0; i < 15; ++i) {
        if (column == kPointChars[i] || column == kPointChars[i] - 'a' + 'A') cx = i;
        if (row == kPointChars[15 + i]) cy = i;
    }
    if (cx < 0 || cy < 0) return false;
    x = cx;
    y = cy;
    return true;
}

bool moveNumberToXY(int n, int& x, int& y) {
    if (n < 0) return false;
    int hi = n / 100, lo = n % 100;
    if (hi < 1 || hi > 15 || lo < 1 || lo > 15) return false;
    x = hi - 1;
    y = lo - 1;
    return true;
}
