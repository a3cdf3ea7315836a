#include "board_text.h"

#include <stdexcept>

namespace {
constexpr int kDx[4] = {1, 1, 0, -1};
constexpr int kDy[4] = {0, 1, 1, 1};

void place(Placed& p, int x, int y, char c, int& stones) {
    if (!onBoard(x, y)) throw std::invalid_argument("a test board reaches off the board");
    int i = cellIndex(x, y);
    switch (c) {
    case 'b':
    case 'w':
    case 'o':
        p.centre = i;
        if (c == 'o') break;
        c = c == 'b' ? kBlack : kWhite;
        [[fallthrough]];
    case 'B':
    case 'W':
        p.board[i] = c;
        ++stones;
        break;
    default:
        break;
    }
}
} // namespace

Placed line(const std::string& s, int x0, int y0, int d) {
    Placed p;
    int stones = 0;
    for (size_t k = 0; k < s.size(); ++k) {
        int n = static_cast<int>(k);
        place(p, x0 + n * kDx[d], y0 + n * kDy[d], s[k], stones);
    }
    p.board.setMoveCount(static_cast<uint8_t>(stones));
    return p;
}

Placed place(const Area& area) {
    Placed p;
    int stones = 0;
    for (size_t r = 0; r < area.rows.size(); ++r)
        for (size_t c = 0; c < area.rows[r].size(); ++c)
            place(p, area.x0 + static_cast<int>(c), area.y0 + static_cast<int>(r), area.rows[r][c],
                  stones);
    p.board.setMoveCount(static_cast<uint8_t>(stones));
    return p;
}

bool sameBoard(const BanArray& a, const BanArray& b) {
    return a == b && a.lastMove() == b.lastMove();
}
