#include "player/standard/evaluation.h"
#include "player/standard/phase_iter.h"

#include "base/diag.h"

// The search is a depth-limited minimax over a tree that is built while it is walked, depth
// first and without recursion: every node keeps its place in its own child list (the list's
// cursor), so "current" plus the cursors are the whole stack. A node's children are all made at
// once when the node is first visited (one forced child, or the best-scored candidates up to the
// width of its depth), then visited one per pass. A child is valued at once when it repeats a
// valued position of its depth, when its last stone made five, or when it lies at the maximum
// depth (static evaluation); otherwise it becomes current. Each value is handed to the parent
// with propagate, which keeps the minimum at odd depths and the maximum at even ones, so when
// all children of a node are done its value is the minimax of what they gave, and finishing it
// hands that on. A node whose value so far is already on the wrong side of its parent's (worse
// for the parent's chooser than what the parent holds) can only move further that way, so it
// can no longer change the parent: isCutoff abandons it. Every pass polls the stop flag, and
// returning to a parent starts a new pass, so the parent is checked for a cut-off before its
// next child is taken.
uint8_t PhaseIter::search() {
    expandRoot(root_);
    if (root_->children.empty()) return 0;
    Phase* first = root_->children.front();
    // The forced rules make such a child the root's only child.
    if (first->makesFive() || first->blocksFive()) return static_cast<uint8_t>(first->lastPoint());

    Phase* current = root_;
    current->children.rewind();
    while (!stopped()) {
        if (isCutoff(current)) current = current->parent;
        if (!current->children.next()) {
            current->finish();
            if (current == root_) break;
            current = current->parent;
            continue;
        }
        Phase* child = current->children.current();
        if (lookupTransposition(child)) {
            child->finish();
        } else if (child->makesFive()) {
            child->setWinValue();
        } else if (child->depth() == maxDepth_ || child->board.moveCount() >= kPoints) {
            // A leaf's candidates would be scored only to be dropped: they change nothing.
            child->evaluate();
        } else {
            queue_.clear();
            child->scoreCandidates(queue_);
            // Taking the top off and pushing it back reorders candidates of the top score.
            pos_value top;
            if (queue_.pop(top)) queue_.push(top);
            expandNode(child, queue_);
            current = child;
            current->children.rewind();
        }
    }
    return bestRootMove();
}

void PhaseIter::expandRoot(Phase* root) {
    if (addForcedChild(root)) return;
    queue_.clear();
    root->scoreCandidates(queue_);
    addCandidateChildren(root, queue_);
}

void PhaseIter::expandNode(Phase* node, CandidateHeap& queue) {
    if (addForcedChild(node)) return;
    addCandidateChildren(node, queue);
}

// A five to make, else a five to stop, else a straight four to make: the first point in point
// order becomes the node's only child. Occupied points carry kCodeNothing and never qualify.
bool PhaseIter::addForcedChild(Phase* node) {
    const BanInfo& info = *node->codes();
    const uint8_t* side = info.sideCodes.data();
    const uint8_t* other = info.otherCodes.data();
    auto firstAtMost = [](const uint8_t* codes, int limit) {
        for (int p = 0; p < kPoints; ++p)
            if (codes[p] <= limit) return p;
        return -1;
    };
    int p = -1;
    if (info.sideWin) p = firstAtMost(side, kCodeFive);
    if (p < 0 && info.otherWin) p = firstAtMost(other, kCodeFive);
    if (p < 0) p = firstAtMost(side, kCodeStraightFour);
    if (p < 0) return false;
    addChild(node, p);
    return true;
}

void PhaseIter::addCandidateChildren(Phase* node, CandidateHeap& queue) {
    const int width = widthAt(node->depth());
    int count = 0;
    pos_value v;
    while (queue.pop(v)) {
        addChild(node, v.point);
        ++count;
        if (count >= width || v.point == 0) break;
    }
}

int PhaseIter::widthAt(int depth) const {
    const auto& widths = level_.widths;
    if (depth < 0 || depth >= static_cast<int>(widths.size())) return 1;
    return widths[static_cast<size_t>(depth)];
}

void PhaseIter::addChild(Phase* node, int point) {
    Phase* child = arena_.make(node, point);
    node->children.pushBack(child);
    ++nodes_;
    const int d = child->depth();
    if (d <= 1) return;
    if (d > maxDepth_) {
        diag("debug");
        return;
    }
    tables_[static_cast<size_t>(d - 1)].insert(positionKey(child->board), child);
}

// Entries of other keys sharing the bucket are passed over, so every node of the same key is
// tried. A value taken from an abandoned node is used as it stands.
bool PhaseIter::lookupTransposition(Phase* node) {
    const int d = node->depth();
    if (d < 1 || d > maxDepth_) return false;
    const int32_t key = positionKey(node->board);
    for (const auto& [entryKey, other] : tables_[static_cast<size_t>(d - 1)].bucketFor(key)) {
        if (entryKey != key || other->value == kUnsetValue) continue;
        if (other->board == node->board) {
            node->value = other->value;
            return true;
        }
    }
    return false;
}

bool PhaseIter::isCutoff(const Phase* node) const {
    const Phase* parent = node->parent;
    if (!parent || node->value == kUnsetValue || parent->value == kUnsetValue) return false;
    // At odd depth the node takes the minimum and its parent the maximum.
    if (node->depth() % 2 == 1) return parent->value > node->value;
    return parent->value < node->value;
}

// Ties go to the child made first, that is, to the better candidate score.
uint8_t PhaseIter::bestRootMove() const {
    const int16_t best = root_->bestChildValue();
    for (const Phase* child : root_->children)
        if (child->value == best) return static_cast<uint8_t>(child->lastPoint());
    return 0;
}
