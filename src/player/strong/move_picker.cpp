#include "player/strong/move_picker.h"

#include "player/strong/evaluation.h"

#include <algorithm>

using namespace search_params;

namespace {

// Puts the k strongest of the n moves first, strongest first, in the order a stable sort by
// score would give them (moves of equal score stay in the order they came). The rest of the
// list is left undefined. Most points fall below the k-th score at once, so a short limit costs
// a pass over the list rather than a whole sort.
void selectBest(int* moves, int* scores, int n, int k) {
    int kept = 0;
    for (int i = 0; i < n; ++i) {
        const int m = moves[i], s = scores[i];
        if (kept == k && scores[k - 1] >= s) continue;
        int j = kept < k ? kept++ : k - 1;
        for (; j > 0 && scores[j - 1] < s; --j) {
            moves[j] = moves[j - 1];
            scores[j] = scores[j - 1];
        }
        moves[j] = m;
        scores[j] = s;
    }
}

} // namespace

PickedMoves pickMoves(const Position& pos, int ply, int depth, int ttMove, const int* history,
                      SearchStackEntry& entry, const RootMoves& root, bool wide) {
    const Colour us = pos.side(), them = ~us;
    PickedMoves picked;
    int* moves = entry.moves;
    const int theirFives = pos.countAtLeast(them, kClassFive);
    if (theirFives) {
        const int five = pos.firstOfClass(them, kClassFive);
        if (theirFives == 1 && pos.playable(us, five)) {
            moves[0] = five;
            picked.count = 1;
            return picked;
        }
        // Lost; the root still needs a move, the one that loses last.
        if (ply > 0) {
            picked.forcedScore = -(kWin - ply - 2);
            return picked;
        }
    }
    // A straight four we may play wins.
    if (!theirFives && pos.countAtLeast(us, kClassFlexFour)) {
        for (const int p : pos.pointsOfClass(us, kClassFlexFour))
            if (pos.playable(us, p)) {
                picked.forcedScore = kWin - ply - 3;
                picked.winningPoint = p;
                return picked;
            }
    }
    // Against an open three only fours and the points of the three's fours; with no such move
    // (or none the root's defence check kept), every move, so that the loss comes last.
    const bool openThree = hasPlayable(pos, them, kClassFlexFour);
    const bool* excluded = ply == 0 ? root.excluded : nullptr;
    int* scores = entry.scores;
    int n = 0;
    auto collect = [&](bool defendOnly, const bool* allowed) {
        n = 0;
        for (const int p : pos.nearPoints()) {
            const PointInfo &mine = pos.info(us, p), &theirs = pos.info(them, p);
            if (defendOnly && mine.cls < kClassFour && theirs.cls < kClassFour) continue;
            if (allowed && !allowed[p]) continue;
            if (excluded && excluded[p]) continue;
            if (us == Colour::Black && mine.suspect && pos.forbidden(p)) continue;
            int s = 2 * mine.order + theirs.order + history[p] / kHistoryDivisor;
            if (mine.cls >= kClassFour) s += kOwnFourBonus;
            if (theirs.cls == kClassFive) s += kBlockFiveBonus;
            if (p == ttMove)
                s += kTableMoveBonus;
            else if (p == entry.killers[0])
                s += kKillerBonus[0];
            else if (p == entry.killers[1])
                s += kKillerBonus[1];
            moves[n] = p;
            scores[n] = s;
            ++n;
        }
    };
    const bool* allowed = ply == 0 ? root.allowed : nullptr;
    collect(openThree, allowed);
    if (n == 0 && openThree) collect(false, allowed);
    if (n == 0 && allowed) collect(false, nullptr);
    picked.available = n;
    picked.count = ply > 0 && !openThree && !wide ? std::min(n, moveLimitBelowRoot(depth)) : n;
    selectBest(moves, scores, n, picked.count);
    return picked;
}
