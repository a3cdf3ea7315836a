#pragma once

#include <cassert>
#include <cstdint>
#include <memory>
#include <vector>

// The Oct layer, the bottom of the record tree (see docs/glossary.md).
// A node of the record tree. T is the most derived node class (MOve). A node owns its
// children; the first child is the main line. At most one child is selected: Forward follows
// it.
template <class T> class TOctTreeNode {
  public:
    explicit TOctTreeNode(T* parent = nullptr) : parent_(parent) {}
    TOctTreeNode(const TOctTreeNode&) = delete;
    TOctTreeNode& operator=(const TOctTreeNode&) = delete;
    // Destroys the whole subtree.
    virtual ~TOctTreeNode() = default;

    T* parent() const { return parent_; }
    int childCount() const { return static_cast<int>(children_.size()); }
    // Child i, 0-based; i must be below childCount().
    T* child(int i) const {
        assert(i >= 0 && i < childCount());
        return children_[static_cast<size_t>(i)].get();
    }
    // The selected child, or null when none is selected.
    T* selectedChild() const { return hasSelection() ? child(selected_) : nullptr; }
    // Index of the selected child, -1 when none is selected.
    int selectedIndex() const { return hasSelection() ? selected_ : -1; }
    // Selects child i; any i outside 0..childCount() - 1 selects none.
    void select(int i) { selected_ = (i >= 0 && i < childCount()) ? i : -1; }

    // Appends an owned child (its parent becomes this node) without changing the selection.
    T* appendChild(std::unique_ptr<T> node) {
        node->parent_ = static_cast<T*>(this);
        children_.push_back(std::move(node));
        return children_.back().get();
    }
    // Destroys child i with its subtree (i below childCount()). The selected child stays
    // selected; when it was child i, the first remaining child is selected, if any.
    void removeChild(int i) {
        assert(i >= 0 && i < childCount());
        children_.erase(children_.begin() + i);
        if (selected_ == i)
            selected_ = childCount() > 0 ? 0 : -1;
        else if (selected_ > i)
            --selected_;
    }
    // Moves child from to place to (both below childCount()), the others keeping their order;
    // the selected child stays selected.
    void moveChild(int from, int to) {
        assert(from >= 0 && from < childCount() && to >= 0 && to < childCount());
        T* kept = selectedChild();
        std::unique_ptr<T> node = std::move(children_[static_cast<size_t>(from)]);
        children_.erase(children_.begin() + from);
        children_.insert(children_.begin() + to, std::move(node));
        for (int k = 0; kept && k < childCount(); ++k)
            if (child(k) == kept) selected_ = k;
    }
    // Destroys every child with its subtree; no child is selected afterwards.
    void deleteChildren() {
        children_.clear();
        selected_ = -1;
    }

  private:
    bool hasSelection() const { return selected_ >= 0 && selected_ < childCount(); }

    std::vector<std::unique_ptr<T>> children_;
    T* parent_ = nullptr;
    int32_t selected_ = -1;
};

// The record tree: a root standing for the empty board, the current node and its depth.
// Invariant: at every node before current on the path from the root, the selected child is the
// next node of the path. Refusals return false and change nothing.
template <class T> class TOctTree {
  public:
    TOctTree() : root_(std::make_unique<T>()), current_(root_.get()) {}
    TOctTree(const TOctTree&) = delete;
    TOctTree& operator=(const TOctTree&) = delete;

    // Keep and bring back the current position around an operation that moves current.
    virtual void SaveState() {}
    virtual void RestoreState() {}
    // Deletes the root, hence every node.
    virtual ~TOctTree() = default;
    // Appends node as the last child of current, selects it and makes it current (depth + 1).
    virtual T* AddChild(std::unique_ptr<T> node) {
        T* n = current_->appendChild(std::move(node));
        current_->select(current_->childCount() - 1);
        current_ = n;
        ++depth_;
        return n;
    }
    // Deletes the whole tree; a new root becomes current.
    virtual void Clear() {
        current_ = nullptr;
        root_ = std::make_unique<T>();
        current_ = root_.get();
        depth_ = 0;
    }
    // Deletes every child of current with its subtree.
    virtual void DeleteChildren() { current_->deleteChildren(); }
    // Current becomes the root; the selections are kept, so Forward walks back down.
    virtual void GoTop() {
        current_ = root_.get();
        depth_ = 0;
    }
    // GoTop, then selects the first child at every node: Forward walks the main line.
    virtual void GoTopMainLine() {
        GoTop();
        std::vector<T*> stack{root_.get()};
        while (!stack.empty()) {
            T* n = stack.back();
            stack.pop_back();
            n->select(0);
            for (int i = 0; i < n->childCount(); ++i) stack.push_back(n->child(i));
        }
    }
    // Steps into the selected child; false when there is none.
    virtual bool Forward() {
        T* next = current_->selectedChild();
        if (!next) return false;
        current_ = next;
        ++depth_;
        return true;
    }
    // Steps to the parent; false at the root.
    virtual bool Back() {
        T* up = current_->parent();
        if (!up) return false;
        current_ = up;
        --depth_;
        return true;
    }
    // Back, select the next sibling (wrapping to the first, then the result is false), Forward.
    // False at the root.
    virtual bool NextVariation() {
        if (!Back()) return false;
        int i = current_->selectedIndex();
        bool moved = i + 1 < current_->childCount();
        current_->select(moved ? i + 1 : 0);
        Forward();
        return moved;
    }
    // As NextVariation toward the previous sibling, wrapping to the last.
    virtual bool PrevVariation() {
        if (!Back()) return false;
        int i = current_->selectedIndex();
        bool moved = i > 0;
        current_->select(moved ? i - 1 : current_->childCount() - 1);
        Forward();
        return moved;
    }
    // Back, select the first (last) sibling, Forward. False at the root.
    virtual bool FirstVariation() {
        if (!Back()) return false;
        current_->select(0);
        return Forward();
    }
    virtual bool LastVariation() {
        if (!Back()) return false;
        current_->select(current_->childCount() - 1);
        return Forward();
    }

    T* root() const { return root_.get(); }
    T* current() const { return current_; }
    // Number of moves from the root to current.
    int depth() const { return depth_; }

  protected:
    std::unique_ptr<T> root_;
    T* current_ = nullptr;
    int32_t depth_ = 0;
};
