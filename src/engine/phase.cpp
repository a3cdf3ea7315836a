#include "engine/phase.h"

#include "base/diag.h"
#include "rules/chk_stat.h"

Phase::Phase(BanArray* rootBoard) : board(rootBoard), info(new BanInfo) {
    rootMoves_ = board->moveCount();
    info->computeFull(*board);
}

Phase::Phase(Phase* parentNode, int point) : parent(parentNode), info(new BanInfo) {
    if (!parent) {
        diag("Phase class constructor error ");
        return;
    }
    rootMoves_ = parent->rootMoves_;
    board = new BanArray(*parent->board);
    if (!board->put(point)) diag("Put Stone Error");
    info->copySwapped(*parent->info);
    info->updateIncremental(*board);
}

Phase::~Phase() {
    releaseInfo();
    while (!children.empty()) {
        delete children.back();
        children.popBack();
    }
    delete board;
}

bool Phase::makesFive() {
    return isWinCode(ChkStat(*board).judgeLastMove());
}

bool Phase::blocksFive() {
    return isWinCode(
        ChkStat(*board).judgePoint(board->lastMove(), colourToMove(board->moveCount())));
}

void Phase::propagate(int16_t v) {
    value = v;
    if (!parent) return;
    if (depth() % 2 == 0) {
        // The parent is an opponent node: it keeps the minimum.
        if (parent->value != kUnsetValue && parent->value <= v) return;
    } else {
        // The parent is a computer node: it keeps the maximum.
        if (parent->value != kUnsetValue && parent->value >= v) return;
    }
    parent->value = v;
}

void Phase::setWinValue() {
    propagate(depth() % 2 == 1 ? kWinValue : kLossValue);
    releaseInfo();
}

void Phase::finish() {
    propagate(value);
    releaseInfo();
}

void Phase::releaseInfo() {
    delete info;
    info = nullptr;
}

int16_t Phase::bestChildValue() const {
    int16_t best = kLossValue;
    bool found = false;
    for (const Phase* child : children) {
        if (child->value == kUnsetValue) continue;
        found = true;
        if (child->value > best) best = child->value;
    }
    return found ? best : kUnsetValue;
}
