#include "rules/ban_info.h"

#include "rules/chk_stat.h"
#include "rules/line_window.h"

namespace {

// Occupied points, and points where a stone makes nothing.
constexpr uint8_t kNothing = static_cast<uint8_t>(kCodeNothing);

// Judges every empty point for colour c; occupied points get kCodeNothing. Returns the win flag.
uint8_t fullScan(BanArray& board, char c, std::array<uint8_t, kPoints>& map) {
    return ChkStat(board).judgeEmptyPoints(c, map.data()) ? 1 : 0;
}

// The empty points of the four spans through the last move, as the window of colour c there
// sees them (up to the first stone of the other colour, at most five cells either side).
int spanPoints(BanArray& board, char c, uint8_t points[40]) {
    const int m = board.lastMove();
    LineWindow w(c, m, board);
    int n = 0;
    for (int d = 0; d < 4; ++d) {
        w.direction = d;
        for (int k = w.left[d]; k <= w.right[d]; ++k) {
            const int p = w.pointAt(k);
            if (board.at(p) == kEmpty) points[n++] = static_cast<uint8_t>(p);
        }
    }
    return n;
}

// Re-judges for colour c the empty points of the four spans through the last move; the flag
// is then read from the whole map. A board without a last move only has its flag read.
uint8_t incrementalScan(BanArray& board, char c, std::array<uint8_t, kPoints>& map) {
    const int m = board.lastMove();
    uint8_t* codes = map.data();
    if (m < kPoints) {
        codes[m] = kNothing;
        uint8_t points[40];
        const int n = spanPoints(board, c, points);
        ChkStat(board).judgeEmptyPointsOf(c, points, n, codes);
    }
    for (int i = 0; i < kPoints; ++i)
        if (board.at(i) == kEmpty && isWinCode(codes[i])) return 1;
    return 0;
}

} // namespace

BanInfo::BanInfo() {
    sideCodes.fill(kNothing);
    otherCodes.fill(kNothing);
}

int BanInfo::computeFull(BanArray& board) {
    const bool blackToMove = colourToMove(board.moveCount()) == kBlack;
    uint8_t black = fullScan(board, kBlack, blackToMove ? sideCodes : otherCodes);
    uint8_t white = fullScan(board, kWhite, blackToMove ? otherCodes : sideCodes);
    sideWin = blackToMove ? black : white;
    otherWin = blackToMove ? white : black;
    return sideWin | otherWin;
}

void BanInfo::copySwapped(const BanInfo& parent) {
    sideCodes = parent.otherCodes;
    otherCodes = parent.sideCodes;
    sideWin = parent.otherWin;
    otherWin = parent.sideWin;
}

int BanInfo::updateIncremental(BanArray& board) {
    const bool blackToMove = colourToMove(board.moveCount()) == kBlack;
    uint8_t black = incrementalScan(board, kBlack, blackToMove ? sideCodes : otherCodes);
    uint8_t white = incrementalScan(board, kWhite, blackToMove ? otherCodes : sideCodes);
    sideWin = blackToMove ? black : white;
    otherWin = blackToMove ? white : black;
    return sideWin | otherWin;
}
