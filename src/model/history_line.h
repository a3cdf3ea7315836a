#pragma once

#include <string>

// One line of the move-history box, UTF-8: colour name ("黒" for 'B', "白" otherwise), the
// move number (1-based), the point text in parentheses, ':' and the name of the move's code:
// "黒1(h8):" or "白12(jA):三". Coordinates outside 0..14 show as '?'.
std::string historyLine(int number, char colour, int x, int y, int code);
