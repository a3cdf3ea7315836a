#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <vector>

// One candidate move: a point 0..224 and its score. Candidates compare by score only.
struct pos_value {
    uint8_t point = 0;
    int16_t score = 0;
    friend bool operator<(const pos_value& a, const pos_value& b) { return a.score < b.score; }
    friend bool operator>(const pos_value& a, const pos_value& b) { return a.score > b.score; }
};

// One node of the linked heap. Destroying a node detaches it from its parent.
template <class T> struct tdbtree_node {
    tdbtree_node* parent = nullptr;
    tdbtree_node* left = nullptr;
    tdbtree_node* right = nullptr;
    T value{};

    tdbtree_node(tdbtree_node* p, const T& v) : parent(p), value(v) {}
    tdbtree_node(const tdbtree_node&) = delete;
    tdbtree_node& operator=(const tdbtree_node&) = delete;
    ~tdbtree_node() {
        if (!parent) return;
        if (parent->left == this)
            parent->left = nullptr;
        else
            parent->right = nullptr;
    }
};

// A binary heap held in linked nodes, filled level by level from the left exactly like an array
// heap: numbering the nodes in level order (root 0, children of i at 2i + 1 and 2i + 2), a heap
// of count n holds the nodes 0..n - 1. The order among equal values is decided by siftUp and
// siftDown of the derived class; it is part of the behaviour of the search.
// Nodes taken off the heap are kept for the next pushes instead of being freed, so a heap
// that is cleared and filled again allocates nothing once it has held its largest count.
template <class T> class tdbtree {
  public:
    tdbtree() = default;
    tdbtree(const tdbtree&) = delete;
    tdbtree& operator=(const tdbtree&) = delete;
    virtual ~tdbtree() {
        destroy(root_);
        while (spare_) {
            tdbtree_node<T>* next = spare_->left;
            spare_->parent = nullptr;
            delete spare_;
            spare_ = next;
        }
    }

    // Adds v at the next free position and sifts it up.
    virtual void push(const T& v) {
        tdbtree_node<T>* node;
        if (!root_) {
            node = root_ = makeNode(nullptr, v);
        } else {
            tdbtree_node<T>* parent = nodeAt((count_ - 1) / 2);
            node = makeNode(parent, v);
            if (!parent->left)
                parent->left = node;
            else
                parent->right = node;
        }
        if (byPosition_.size() <= static_cast<size_t>(count_))
            byPosition_.push_back(node);
        else
            byPosition_[static_cast<size_t>(count_)] = node;
        ++count_;
        siftUp(node);
    }

    // Replaces the top value by v and sifts it down. False on an empty heap.
    virtual bool replaceTop(const T& v) {
        if (!root_) return false;
        root_->value = v;
        siftDown(root_);
        return true;
    }

    // Takes the top value into out; the last node's value moves to the root and sifts down.
    // False, changing nothing, on an empty heap.
    virtual bool pop(T& out) {
        if (!root_) return false;
        out = root_->value;
        if (count_ == 1) {
            release(root_);
            root_ = nullptr;
        } else {
            tdbtree_node<T>* last = nodeAt(count_ - 1);
            root_->value = last->value;
            release(last);
            siftDown(root_);
        }
        --count_;
        return true;
    }

    // Empties the heap.
    void clear() {
        releaseAll(root_);
        root_ = nullptr;
        count_ = 0;
    }

    int32_t size() const { return count_; }
    bool empty() const { return count_ == 0; }

  protected:
    virtual void siftDown(tdbtree_node<T>* node) = 0;
    virtual void siftUp(tdbtree_node<T>* node) = 0;

  private:
    // The node at level-order position k. In the linked tree it lies on the path that the bits
    // of k + 1 below its leading 1 give (0 left, 1 right); the nodes are also indexed by
    // position, which finds the same node without walking.
    tdbtree_node<T>* nodeAt(int32_t k) const {
        assert(k >= 0 && k < count_);
        return byPosition_[static_cast<size_t>(k)];
    }
    tdbtree_node<T>* makeNode(tdbtree_node<T>* parent, const T& v) {
        if (!spare_) return new tdbtree_node<T>(parent, v);
        tdbtree_node<T>* node = spare_;
        spare_ = node->left;
        node->parent = parent;
        node->left = node->right = nullptr;
        node->value = v;
        return node;
    }
    // Detaches a leaf from its parent and keeps it for later pushes (linked through left).
    void release(tdbtree_node<T>* node) {
        if (node->parent) {
            if (node->parent->left == node)
                node->parent->left = nullptr;
            else
                node->parent->right = nullptr;
        }
        node->parent = nullptr;
        node->right = nullptr;
        node->left = spare_;
        spare_ = node;
    }
    void releaseAll(tdbtree_node<T>* node) {
        if (!node) return;
        releaseAll(node->left);
        releaseAll(node->right);
        release(node);
    }
    static void destroy(tdbtree_node<T>* node) {
        if (!node) return;
        destroy(node->left);
        destroy(node->right);
        delete node;
    }

    int32_t count_ = 0;
    tdbtree_node<T>* root_ = nullptr;
    tdbtree_node<T>* spare_ = nullptr;
    std::vector<tdbtree_node<T>*> byPosition_; // entries 0..count_ - 1 are the heap's nodes
};

// Max-heap. A value moves up only past a strictly smaller parent, so a newer value stays behind
// an older equal one; moving down, the right child is taken unless the left one is strictly
// greater, and a node is exchanged only with a strictly greater child.
template <class T> class tdbtree_max : public tdbtree<T> {
  protected:
    void siftUp(tdbtree_node<T>* node) override {
        while (node->parent && node->parent->value < node->value) {
            T v = node->value;
            node->value = node->parent->value;
            node->parent->value = v;
            node = node->parent;
        }
    }
    void siftDown(tdbtree_node<T>* node) override {
        for (;;) {
            tdbtree_node<T>* child;
            if (node->left && node->right)
                child = node->left->value > node->right->value ? node->left : node->right;
            else if (node->left)
                child = node->left;
            else if (node->right)
                child = node->right;
            else
                return;
            if (!(child->value > node->value)) return;
            T v = node->value;
            node->value = child->value;
            child->value = v;
            node = child;
        }
    }
};
