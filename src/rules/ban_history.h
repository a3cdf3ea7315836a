#pragma once

#include "base/geometry.h"
#include "base/tdlist.h"
#include "rules/move_code.h"

#include <cstdint>
#include <ostream>
#include <string>

// "Ban" is the inherited word for board (see docs/glossary.md).
// The ordered moves of one game line, each with its MoveCode, and one cursor that stands on a
// move or on the end marker (before the first and after the last move).
class BanHistory {
  public:
    BanHistory() = default;
    // A copy holds the same moves; its cursor ends one move further on than the source's
    // (on the end marker when the source's cursor is on the last move or on the marker).
    BanHistory(const BanHistory& other);
    BanHistory& operator=(const BanHistory& other);

    void clear();
    void rewind();
    // From the marker to the first move (true); otherwise to the following move, false when
    // that is the marker. False on an empty history.
    bool next();
    // Back one move (from the marker to the last move), true; from the first move to the
    // marker, false. False on an empty history.
    bool previous();
    // The code of the current move; kCodeNothing when the history is empty.
    uint8_t currentCode() const;
    // The current move; the cursor must stand on a move.
    const MovedPos& current() const;

    // Adds the move at the end and advances the cursor once. False, changing nothing, unless
    // x < 15 and y < 15.
    bool append(int x, int y, char colour, int code);
    // Appends with code kCodeNothing, then judges the new last move on a board built from all moves
    // (colours by parity) and stores the code.
    bool appendAndJudge(int x, int y, char colour);
    // Cursor back one position, then drops the last move. The history must not be empty.
    void removeLast();

    // "h8,i7,**,": point text and ',' per move, then "**,".
    std::string moveText() const;
    // 100 * x + y + 101 per move, one per line.
    void numberDump(std::ostream& out) const;

    size_t size() const { return moves_.size(); }
    bool empty() const { return moves_.empty(); }
    const MovedPos& last() const { return moves_.back(); }
    MovedPos& last() { return moves_.back(); }
    // Iteration over the moves, oldest first (does not move the cursor).
    auto begin() const { return moves_.begin(); }
    auto end() const { return moves_.end(); }

  private:
    tdlist<MovedPos> moves_;
};
