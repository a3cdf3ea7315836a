#pragma once

#include "player/standard/candidate_queue.h"
#include "rules/ban_array.h"
#include "rules/ban_info.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// Values of search positions, always seen from the side to move at the root (the computer).
inline constexpr int16_t kUnsetValue = -2500;
inline constexpr int16_t kWinValue = 10000;
inline constexpr int16_t kLossValue = -10000;

class Phase;

// The children of a node in the order they were made (not owned), with the cursor the search
// walks them by. The cursor stands on a child or on the end marker: rewind() puts it on the
// marker and next() walks it forward, so a rewind followed by next() calls until one returns
// false visits every child in order.
class PhaseChildren {
  public:
    void pushBack(Phase* child) { items_.push_back(child); }
    size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    Phase* front() const { return items_.front(); }
    Phase* back() const { return items_.back(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

    void rewind() { cursor_ = kMarker; }
    // The cursor to the following child (from the marker: the first). False when it reaches
    // the marker, or when there are no children.
    bool next() {
        if (items_.empty()) return false;
        cursor_ = cursor_ == kMarker ? 0 : cursor_ + 1;
        if (cursor_ < items_.size()) return true;
        cursor_ = kMarker;
        return false;
    }
    // The child under the cursor; the cursor must stand on a child.
    Phase* current() const { return items_[cursor_]; }

  private:
    static constexpr size_t kMarker = static_cast<size_t>(-1);
    std::vector<Phase*> items_;
    size_t cursor_ = kMarker;
};

// One node of the search tree: its own board, the point codes of that board for both sides,
// the node above, the nodes below in the order they were made, and a value. Nodes are owned by
// the PhaseArena of their search (or by whoever made them), not by their parents. The depth of a
// node is its board's move count minus the root board's; at even depths the computer is to move.
class Phase {
  public:
    // Root on a copy of board; the point codes are judged for the whole board.
    explicit Phase(const BanArray& board);
    // Child of parent with a stone of the colour to move on point: the board is the parent's
    // with that stone, the point codes are the parent's with the sides exchanged and brought up
    // to date around the new stone. The codes are worked out on first use (codes()), which
    // must come before the parent's codes are released; many children are valued from a
    // transposition or a five, or never visited, and need none. The caller appends the node to
    // the parent's children.
    Phase(Phase* parent, int point);
    Phase(const Phase&) = delete;
    Phase& operator=(const Phase&) = delete;

    int depth() const { return board.moveCount() - rootMoves_; }
    // The point of the board's last stone.
    int lastPoint() const { return board.lastMove(); }

    // The last stone made five (or white's overline) for the colour that played it.
    bool makesFive();
    // The last stone took a point where the side now to move would have made five.
    bool blocksFive();
    // Sets the value and passes it to the parent: a node at even depth into a minimising
    // parent, at odd depth into a maximising one; an unvalued parent takes any value. The
    // unset value itself leaves the parent alone.
    void propagate(int16_t v);
    // For a node whose last stone made five: +10000 at odd depth (the computer made it),
    // -10000 at even depth; propagated, then the codes are released.
    void setWinValue();
    // Propagates the node's own value, then releases the codes.
    void finish();
    // The point codes of the board: both sides' maps and five flags; null once released.
    BanInfo* codes();
    void releaseInfo();
    // The largest value among the valued children; -2500 when none is valued.
    int16_t bestChildValue() const;

    // Pushes (point, score) for every empty point, column by column, top to bottom (defined
    // with the scores, in evaluation.h).
    template <class Queue> void scoreCandidates(Queue& queue);
    // Values a leaf: the sum over the empty points of what the side to move could make there
    // minus a little less than what the other side could; a sum of -2500, the unset marker,
    // counts as -2499. At odd depth it writes
    // "Maximun count Error" and gives no value. The codes are released either way.
    void evaluate();

    Phase* parent = nullptr;
    PhaseChildren children;
    BanArray board;
    int16_t value = kUnsetValue;

  private:
    std::unique_ptr<BanInfo> info_; // null once released, or while pending
    bool codesPending_ = false;     // a child whose codes are not worked out yet
    uint8_t rootMoves_ = 0;         // the root board's move count
};
