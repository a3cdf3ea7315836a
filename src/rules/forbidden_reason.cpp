#include "rules/forbidden_reason.h"

#include "rules/chk_stat.h"
#include "rules/line_window.h"

namespace {

// The own stones of the shape on the window's current direction: going out from the centre on
// each side, stones separated by at most one empty cell, up to the first blocker or the first
// gap of two. A three or four lies within such a stretch.
std::vector<int> shapeStones(const LineWindow& w, bool unbroken) {
    const int gap = unbroken ? 0 : 1;
    auto reach = [&](int step) {
        int last = 0;
        for (int k = step, empties = 0; k >= -5 && k <= 5; k += step) {
            const char c = w.cell(k);
            if (c == w.own) {
                last = k;
                empties = 0;
            } else if (c == kEmpty && ++empties <= gap) {
                continue;
            } else {
                break;
            }
        }
        return last;
    };
    std::vector<int> stones;
    for (int k = reach(-1), end = reach(1); k <= end; ++k)
        if (w.cell(k) == w.own) stones.push_back(w.pointAt(k));
    return stones;
}

} // namespace

// The lines are found with the same window tests, in the same order, as ChkStat's black
// judgement, so they are the lines that gave the code.
ForbiddenReason forbiddenReason(BanArray& board, int point) {
    ForbiddenReason reason;
    if (point < 0 || point >= kPoints || board.at(point) == kWhite) return reason;
    ChkStat judge(board);
    const MoveCode code = judge.judgeBlack(point);
    if (!isForbiddenCode(code)) return reason;
    reason.code = code;

    const char saved = board.at(point);
    board.setAt(point, kBlack);
    LineWindow w(kBlack, point, board);
    for (int d = 0; d < 4; ++d) {
        w.direction = d;
        const int run = classifyRun(w);
        const int spoiledEnds = spoiledFourEnds(w);
        bool counts = false;
        if (code == kCodeForbiddenOverline) {
            counts = run >= 6;
        } else if (code == kCodeForbiddenFour) {
            // A four with one spoiled end counts when its other end is open (+BBBB+B).
            counts =
                isLineDoubleFour(w) || (spoiledEnds != 0 ? run == -4 && spoiledEnds == 1
                                                         : run == -4 || run == 4 || isSplitFour(w));
        } else if (spoiledEnds == 0 && run != -4 && run != 4 && !isSplitFour(w)) {
            counts = run == -3 ? isTrueThree(w) : run != 3 && isTrueSplitThree(w);
        }
        // The stone that spoils a four is no part of it.
        if (counts) reason.lines.push_back({d, shapeStones(w, run >= 6 || spoiledEnds != 0)});
    }
    board.setAt(point, saved);
    return reason;
}

std::vector<int> fiveThrough(BanArray& board, int point, char colour) {
    if (point < 0 || point >= kPoints) return {};
    const char saved = board.at(point);
    board.setAt(point, colour);
    LineWindow w(colour, point, board);
    std::vector<int> stones;
    for (int pass = 0; pass < 2 && stones.empty(); ++pass) {
        for (int d = 0; d < 4 && stones.empty(); ++d) {
            w.direction = d;
            const int run = classifyRun(w);
            if (pass == 0 ? run == 5 : run > 5) stones = shapeStones(w, true);
        }
    }
    board.setAt(point, saved);
    return stones;
}
