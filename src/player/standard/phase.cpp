#include "player/standard/phase.h"

#include "base/diag.h"
#include "rules/chk_stat.h"

#include <cassert>

Phase::Phase(const BanArray& rootBoard) : board(rootBoard), info_(std::make_unique<BanInfo>()) {
    rootMoves_ = board.moveCount();
    info_->computeFull(board);
}

Phase::Phase(Phase* parentNode, int point)
    : parent(parentNode), board(parentNode ? parentNode->board : BanArray()) {
    if (!parent) {
        diag("Phase class constructor error ");
        info_ = std::make_unique<BanInfo>();
        return;
    }
    rootMoves_ = parent->rootMoves_;
    if (!board.put(point)) diag("Put Stone Error");
    codesPending_ = true;
}

BanInfo* Phase::codes() {
    if (codesPending_) {
        // The parent's codes have not changed since this node was made: codes are only ever
        // computed once and then released, so working them out now gives what working them
        // out at construction would have given.
        codesPending_ = false;
        BanInfo* above = parent->codes();
        assert(above);
        info_ = std::make_unique<BanInfo>();
        info_->copySwapped(*above);
        info_->updateIncremental(board);
    }
    return info_.get();
}

bool Phase::makesFive() {
    const int last = board.lastMove();
    return last < kPoints && ChkStat(board).makesFive(last, colourToMove(board.moveCount() - 1));
}

bool Phase::blocksFive() {
    const int last = board.lastMove();
    return last < kPoints && ChkStat(board).makesFive(last, colourToMove(board.moveCount()));
}

void Phase::propagate(int16_t v) {
    value = v;
    // A node that got no value has nothing to tell its parent.
    if (!parent || v == kUnsetValue) return;
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
    info_.reset();
    codesPending_ = false;
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
