#pragma once

#include <cassert>
#include <cstddef>
#include <list>

// A doubly linked list with a built-in cursor. The cursor stands either on an element or on
// the end marker (before the first and after the last element); rewind() puts it on the marker
// and next() walks it forward: a rewind followed by next() calls until one returns false
// visits every element in order.
template <class T> class tdlist {
  public:
    using iterator = typename std::list<T>::iterator;
    using const_iterator = typename std::list<T>::const_iterator;

    tdlist() : cursor_(items_.end()) {}
    tdlist(const tdlist& other) : items_(other.items_), cursor_(items_.end()) {}
    tdlist& operator=(const tdlist& other) {
        if (this != &other) {
            items_ = other.items_;
            cursor_ = items_.end();
        }
        return *this;
    }
    virtual ~tdlist() = default;

    void pushBack(const T& v) { items_.push_back(v); }
    // Removes the last element; the cursor goes to the marker if it stood on it.
    void popBack() {
        assert(!items_.empty());
        if (cursor_ != items_.end() && std::next(cursor_) == items_.end()) cursor_ = items_.end();
        items_.pop_back();
    }
    void clear() {
        items_.clear();
        cursor_ = items_.end();
    }
    size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    T& front() { return items_.front(); }
    T& back() { return items_.back(); }
    const T& front() const { return items_.front(); }
    const T& back() const { return items_.back(); }

    // Cursor on the end marker.
    void rewind() { cursor_ = items_.end(); }
    // Cursor to the following element (from the marker: the first). False when it reaches the
    // marker, or when the list is empty.
    bool next() {
        if (items_.empty()) return false;
        if (cursor_ == items_.end()) {
            cursor_ = items_.begin();
            return true;
        }
        ++cursor_;
        return cursor_ != items_.end();
    }
    // Cursor to the preceding element (from the marker: the last). False when it goes from the
    // first element to the marker, or when the list is empty.
    bool previous() {
        if (items_.empty()) return false;
        if (cursor_ == items_.begin()) {
            cursor_ = items_.end();
            return false;
        }
        --cursor_;
        return true;
    }
    bool atEnd() const { return cursor_ == items_.end(); }
    // The element under the cursor; the cursor must stand on an element.
    T& current() {
        assert(cursor_ != items_.end());
        return *cursor_;
    }
    const T& current() const {
        assert(cursor_ != items_.end());
        return *cursor_;
    }
    // Position of the cursor counted from the first element (0-based); size() on the marker.
    size_t cursorIndex() const {
        return static_cast<size_t>(std::distance(items_.begin(), const_iterator(cursor_)));
    }
    // Puts the cursor on element i (0-based); i == size() puts it on the marker.
    void setCursorIndex(size_t i) {
        assert(i <= items_.size());
        cursor_ = std::next(items_.begin(), static_cast<std::ptrdiff_t>(i));
    }

    iterator begin() { return items_.begin(); }
    iterator end() { return items_.end(); }
    const_iterator begin() const { return items_.begin(); }
    const_iterator end() const { return items_.end(); }

  private:
    std::list<T> items_;
    iterator cursor_;
};
