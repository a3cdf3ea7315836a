#include "model/history_line.h"

#include "base/geometry.h"
#include "rules/move_code.h"

std::string historyLine(int number, char colour, int x, int y, int code) {
    std::string line = colour == kBlack ? "黒" : "白";
    line += std::to_string(number);
    line += '(';
    line += (x >= 0 && x < kBoardSize) ? kPointChars[x] : '?';
    line += (y >= 0 && y < kBoardSize) ? kPointChars[kBoardSize + y] : '?';
    line += "):";
    line += moveCodeName(code);
    return line;
}
