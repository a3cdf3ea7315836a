#include "rules/chk_stat.h"

#include "rules/board_lines.h"
#include "rules/line_window.h"

namespace {

// With at most two own stones in every line, a stone can make no five, four or three in any
// of them, for black and for white alike: only the open twos count.
bool onlyTwosPossible(const LineWindow& w) {
    return w.stones[0] <= 2 && w.stones[1] <= 2 && w.stones[2] <= 2 && w.stones[3] <= 2;
}
MoveCode codeOfTwos(LineWindow& w) {
    int twos = 0;
    for (int d = 0; d < 4; ++d) {
        w.direction = d;
        twos += hasOpenTwo(w);
    }
    return static_cast<MoveCode>(kCodeNothing - twos);
}

// The black judgement on a window built for 'B' at the judged point, whose stone is on the
// board. Every loop runs over the directions in the order 0, 1, 2, 3.
MoveCode judgeBlackWindow(LineWindow& w) {
    if (onlyTwosPossible(w)) return codeOfTwos(w);
    int straight[4] = {}, closedFour[4] = {}, openThree[4] = {}, closedThree[4] = {};
    int overlines = 0;
    for (int d = 0; d < 4; ++d) {
        w.direction = d;
        int run = classifyRun(w);
        if (run == 5) return kCodeFive; // a five wins whatever else the stone makes
        if (run >= 6) {
            ++overlines;
        } else {
            straight[d] = run == -4;
            closedFour[d] = run == 4;
            openThree[d] = run == -3;
            closedThree[d] = run == 3;
        }
    }
    if (overlines != 0) return kCodeForbiddenOverline;
    for (int d = 0; d < 4; ++d) {
        w.direction = d;
        if (isLineDoubleFour(w)) return kCodeForbiddenFour;
    }

    int spoiled[4] = {}, fours[4] = {};
    int totalFours = 0;
    for (int d = 0; d < 4; ++d) {
        w.direction = d;
        // A four whose completion on one side makes six is no straight four. It is still a
        // four when its other end is open and completes an exact five (+BBBB+B); with that end
        // blocked, or spoiled as well, the line counts nothing.
        const int spoiledEnds = spoiledFourEnds(w);
        spoiled[d] = spoiledEnds != 0;
        if (spoiled[d]) {
            closedFour[d] = straight[d] && spoiledEnds == 1;
            straight[d] = 0;
        }
        int split = 0;
        if (!spoiled[d] && !straight[d] && !closedFour[d]) split = isSplitFour(w);
        fours[d] = straight[d] + closedFour[d] + split;
        totalFours += fours[d];
    }
    if (totalFours >= 2) return kCodeForbiddenFour;

    int totalThrees = 0, twos = 0;
    for (int d = 0; d < 4; ++d) {
        if (spoiled[d] || fours[d]) continue;
        w.direction = d;
        if (openThree[d]) {
            totalThrees += isTrueThree(w);
        } else if (!closedThree[d]) {
            // A run of three with one blocked end counts neither a three nor a two.
            if (isTrueSplitThree(w)) {
                ++totalThrees;
            } else {
                twos += hasOpenTwo(w);
            }
        }
    }
    if (totalThrees >= 2) return kCodeForbiddenThree;
    if (straight[0] + straight[1] + straight[2] + straight[3] == 1) return kCodeStraightFour;
    if (totalThrees == 1 && totalFours == 1) return kCodeFourThree;
    if (totalFours == 1) return static_cast<MoveCode>(kCodeFour - twos);
    if (totalThrees == 1) return static_cast<MoveCode>(kCodeThree - twos);
    return static_cast<MoveCode>(kCodeNothing - twos);
}

// The white judgement: white plays without restrictions and only the generic tests apply.
MoveCode judgeWhiteWindow(LineWindow& w) {
    if (onlyTwosPossible(w)) return codeOfTwos(w);
    int overlines = 0, fives = 0, straights = 0;
    for (int d = 0; d < 4; ++d) {
        w.direction = d;
        int run = classifyRun(w);
        overlines += run >= 6;
        fives += run == 5;
        straights += run == -4;
    }
    if (overlines) return kCodeOverline;
    if (fives) return kCodeFive;
    if (straights) return kCodeStraightFour;
    int fours = 0, threes = 0, twos = 0;
    for (int d = 0; d < 4; ++d) {
        w.direction = d;
        if (hasFour(w)) {
            ++fours;
        } else if (hasOpenThree(w)) {
            ++threes;
        } else if (hasOpenTwo(w)) {
            ++twos;
        }
    }
    if (fours >= 2) return kCodeDoubleFour;
    if (threes >= 1 && fours == 1) return kCodeFourThree;
    if (fours == 1) return static_cast<MoveCode>(kCodeFour - twos);
    if (threes >= 2) return static_cast<MoveCode>(kCodeDoubleThree - twos);
    if (threes == 1) return static_cast<MoveCode>(kCodeThree - twos);
    return static_cast<MoveCode>(kCodeNothing - twos);
}

} // namespace

// The true-three tests call isForbiddenBlack for the extending point of a three while the
// judged stone is on the board, so a judgement can recurse. The recursion ends: each level
// writes one black stone onto a point that was empty when the level above built its window
// (deeper levels have put their stones back by then), so every level holds one more stone
// than the level above and there are at most as many levels as empty points. The board is
// restored: each level puts back the one cell it wrote before returning, innermost first, and
// the move count and last move are never touched. Windows copy their cells, so the stones of
// deeper levels never change what an outer level reads.
MoveCode ChkStat::judgeBlack(int point) {
    if (point < 0 || point >= kPoints) return kCodeNothing;
    const char saved = board_.at(point);
    board_.setAt(point, kBlack);
    LineWindow w(kBlack, point, board_);
    MoveCode code = judgeBlackWindow(w);
    board_.setAt(point, saved);
    return code;
}

MoveCode ChkStat::judgeWhite(int point) {
    if (point < 0 || point >= kPoints) return kCodeNothing;
    const char saved = board_.at(point);
    board_.setAt(point, kWhite);
    LineWindow w(kWhite, point, board_);
    MoveCode code = judgeWhiteWindow(w);
    board_.setAt(point, saved);
    return code;
}

MoveCode ChkStat::judgePoint(int point, char colour) {
    return colour == kBlack ? judgeBlack(point) : judgeWhite(point);
}

MoveCode ChkStat::judgeLastMove() {
    const int last = board_.lastMove();
    // An empty board has no last move to judge.
    if (last >= kPoints) return kCodeNothing;
    return board_.moveCount() % 2 == 1 ? judgeBlack(last) : judgeWhite(last);
}

bool ChkStat::isForbiddenBlack(int point) {
    return isForbiddenCode(judgeBlack(point));
}

namespace {
// The code of a stone of colour (as its window sees it) on the empty point i, the window cut
// out of lines. A point that has no own stone within four cells on any of its lines can make
// no five, four, three or two (each of them needs an own stone besides the centre within four
// cells of it): its code is 20 for either colour without building a window.
MoveCode judgeWithLines(BanArray& board, const BoardLines& lines, int i, char colour) {
    const LineSlot& slot = kLineSlot[static_cast<size_t>(i)];
    uint32_t near = 0;
    for (int d = 0; d < 4; ++d) near |= lines.own[d][slot.line[d]] >> (slot.pos[d] + 4);
    if ((near & 0x1ff) == 0) return kCodeNothing; // offsets -4..4
    board.setAt(i, colour);
    LineWindow w(colour, i, board, lines);
    const MoveCode code = colour == kBlack ? judgeBlackWindow(w) : judgeWhiteWindow(w);
    board.setAt(i, kEmpty);
    return code;
}
} // namespace

// The board's lines are read once into bit sets and every window is cut out of them.
bool ChkStat::judgeEmptyPoints(char colour, uint8_t codes[kPoints]) {
    colour = colour == kBlack ? kBlack : kWhite;
    const BoardLines lines(board_, colour);
    bool win = false;
    for (int i = 0; i < kPoints; ++i) {
        codes[i] = kCodeNothing;
        if (board_.at(i) != kEmpty) continue;
        const MoveCode code = judgeWithLines(board_, lines, i, colour);
        codes[i] = static_cast<uint8_t>(code);
        win |= isWinCode(code);
    }
    return win;
}

void ChkStat::judgeEmptyPointsOf(char colour, const uint8_t* points, int count,
                                 uint8_t codes[kPoints]) {
    colour = colour == kBlack ? kBlack : kWhite;
    const BoardLines lines(board_, colour);
    for (int k = 0; k < count; ++k) {
        const int i = points[k];
        if (board_.at(i) == kEmpty)
            codes[i] = static_cast<uint8_t>(judgeWithLines(board_, lines, i, colour));
    }
}

// The whole judgement of a five-making stone ends in its first loop: black wins with a run of
// exactly five in some line, white with five or more. Runs are read up to five cells either
// side, as the windows read them.
bool ChkStat::makesFive(int point, char colour) const {
    const LineReach& reach = kLineReach[static_cast<size_t>(point)];
    const char* origin = board_.cellData() + point;
    for (int d = 0; d < 4; ++d) {
        const int step = kLineStride[d];
        int n = 1;
        for (int k = 1; k <= reach.plus[d] && origin[k * step] == colour; ++k) ++n;
        for (int k = 1; k <= reach.minus[d] && origin[-k * step] == colour; ++k) ++n;
        if (colour == kBlack ? n == 5 : n >= 5) return true;
    }
    return false;
}

bool isForbiddenBlack(BanArray& board, int point) {
    return ChkStat(board).isForbiddenBlack(point);
}
