#pragma once

#include "model/sgf_tree.h"

#include <cstdint>
#include <string>

// "No value" of a node.
inline constexpr int32_t kNoValue = -20000;

// The abm layer of the record tree: minimax values (see docs/glossary.md).
// A record tree node with a minimax value, written and read as the comment property.
template <class T> class TabmNode : public TSgfTreeNode<T> {
  public:
    explicit TabmNode(T* parent = nullptr) : TSgfTreeNode<T>(parent) {}

    // Appends "C[value]".
    void WriteValue(std::string& out) const override;
    // value = the text's leading decimal integer (0 when there is none; clamped to 32 bits).
    void ReadValue(const std::string& in) override;
    virtual int GetValue() const { return value; }
    // Sets value to the greatest (smallest) child value, values of kNoValue ignored unless the
    // first child's, and returns it. A node without children keeps its value and gives
    // kNoValue.
    virtual int BackupMax();
    virtual int BackupMin();

    int32_t value = kNoValue;
};

// Adds minimax values to the tree.
template <class T> class TabmTree : public TSgfTree<T> {
  public:
    // Current's value = v; returns v.
    virtual int SetValue(int v) = 0;
    // Current's BackupMax (BackupMin).
    virtual int BackupMax() { return this->current_->BackupMax(); }
    virtual int BackupMin() { return this->current_->BackupMin(); }
};

template <class T> void TabmNode<T>::WriteValue(std::string& out) const {
    out += "C[";
    out += std::to_string(value);
    out += ']';
}

int32_t leadingInteger(const std::string& text);

template <class T> void TabmNode<T>::ReadValue(const std::string& in) {
    value = leadingInteger(in);
}

template <class T> int TabmNode<T>::BackupMax() {
    if (this->childCount() == 0) return kNoValue;
    int32_t best = this->child(0)->value;
    for (int i = 0; i < this->childCount(); ++i) {
        int32_t v = this->child(i)->value;
        if (v != kNoValue && v > best) best = v;
    }
    value = best;
    return best;
}

template <class T> int TabmNode<T>::BackupMin() {
    if (this->childCount() == 0) return kNoValue;
    int32_t best = this->child(0)->value;
    for (int i = 0; i < this->childCount(); ++i) {
        int32_t v = this->child(i)->value;
        if (v != kNoValue && v < best) best = v;
    }
    value = best;
    return best;
}
