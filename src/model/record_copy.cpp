#include "model/record_copy.h"

#include <vector>

namespace {

// Copies a node's own fields and its whole subtree under parent (depth is bounded by the 225
// points of a line).
std::unique_ptr<MOve> copySubtree(const MOve& source, MOve* parent) {
    auto node = std::make_unique<MOve>(source.pos, parent);
    node->code = source.code;
    node->mapChanges = source.mapChanges;
    node->comment = source.comment;
    node->properties = source.properties;
    node->value = source.value;
    for (int i = 0; i < source.childCount(); ++i)
        node->appendChild(copySubtree(*source.child(i), node.get()));
    node->select(source.selectedIndex());
    return node;
}

} // namespace

void assignRecord(MOveTree& target, const MOveTree& source) {
    if (&target == &source) return;
    // The path to the source's current node, as child indices from the root.
    std::vector<int> path;
    for (const MOve* n = source.current(); n->parent(); n = n->parent()) {
        const MOve* up = n->parent();
        int i = 0;
        while (up->child(i) != n) ++i;
        path.insert(path.begin(), i);
    }
    std::unique_ptr<MOve> root = copySubtree(*source.root(), nullptr);

    target.board_.Init(kBoardSize);
    target.root_ = std::move(root);
    target.current_ = target.root_.get();
    target.depth_ = 0;
    // Walking down puts each node on the board; its recorded map changes are replayed, so the
    // board ends equal to the source's without judging.
    for (int i : path) {
        target.current_->select(i);
        target.Forward();
    }
    target.header_ = source.header_;
    target.rootProperties_ = source.rootProperties_;
    target.commentMode_ = source.commentMode_;
    target.illegalMoves_ = source.illegalMoves_;
    target.keptHistory_ = source.keptHistory_;
    target.recordFormat_ = source.recordFormat_;
    target.gameInfo_ = source.gameInfo_;
}

std::unique_ptr<MOveTree> cloneRecord(const MOveTree& source) {
    auto copy = std::make_unique<MOveTree>();
    assignRecord(*copy, source);
    return copy;
}
