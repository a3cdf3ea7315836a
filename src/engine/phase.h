#pragma once

#include "base/tdlist.h"
#include "engine/candidate_queue.h"
#include "rules/ban_array.h"
#include "rules/ban_info.h"

#include <cstdint>

// Values of search positions, always seen from the side to move at the root (the computer).
inline constexpr int16_t kUnsetValue = -2500;
inline constexpr int16_t kWinValue = 10000;
inline constexpr int16_t kLossValue = -10000;

// One node of the search tree: its own board, the point codes of that board for both sides,
// the node above, the nodes below in the order they were made, and a value. The depth of a node
// is its board's move count minus the root board's; at even depths the computer is to move.
class Phase {
  public:
    // Root: takes over board; the point codes are judged for the whole board.
    explicit Phase(BanArray* board);
    // Child of parent with a stone of the colour to move on point: the board is the parent's
    // with that stone, the point codes are the parent's with the sides exchanged and brought up
    // to date around the new stone. The codes are worked out on first use (codes()), which
    // must come before the parent's codes are released; many children are valued from a
    // transposition or a five, or never visited, and need none. The caller appends the node to
    // the parent's children.
    Phase(Phase* parent, int point);
    Phase(const Phase&) = delete;
    Phase& operator=(const Phase&) = delete;
    // Releases the codes, destroys the children from the last to the first, deletes the board.
    virtual ~Phase();

    int depth() const { return board ? board->moveCount() - rootMoves_ : 0; }
    // The point of the board's last stone.
    int lastPoint() const { return board ? board->lastMove() : kNoPoint; }

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

    // Pushes (point, score) for every empty point, column by column, top to bottom.
    void scoreCandidates(tdbtree<pos_value>& queue);
    // Values a leaf: the sum over the empty points of what the side to move could make there
    // minus a little less than what the other side could; a sum of -2500, the unset marker,
    // counts as -2499. At odd depth it writes
    // "Maximun count Error" and gives no value. The codes are released either way.
    void evaluate();

    Phase* parent = nullptr;
    tdlist<Phase*> children;
    BanArray* board = nullptr;
    int16_t value = kUnsetValue;

  private:
    BanInfo* info_ = nullptr;
    bool codesPending_ = false; // a child whose codes are not worked out yet
    uint8_t rootMoves_ = 0;     // the root board's move count
};
