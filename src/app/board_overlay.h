#pragma once

#include "base/geometry.h"

#include <string>
#include <vector>

class BanArray;
class BanHistory;
class QPainter;
struct BoardView;

// Marks laid over the board for one position: the hint's point and the analysis' principal
// line as ghost stones. They show only while the board shows that position.
struct BoardOverlay {
    // The position the marks belong to (positionKey); empty: none.
    std::string position;
    int hint = kNoMove;
    std::vector<int> line;

    // The key of the position after the moves.
    static std::string positionKey(const BanHistory& moves);
    bool showsOn(const BanHistory& moves) const {
        return !position.empty() && position == positionKey(moves);
    }
};

// The most ghost stones shown for a line (and moves of the line written beside them).
inline constexpr size_t kGhostStones = 5;

// The first moves of the line that can be shown as ghost stones on the board: at most
// kGhostStones, up to the first point that is off the board, occupied or repeated.
std::vector<int> ghostLine(const BanArray& board, const std::vector<int>& line);

// The view's ghost stones and the hint as a blue ring. A ghost stone is a pale, smaller disc
// of the side that would play it with a dashed blue rim and its move number in blue, so it is
// never taken for a played stone.
void DrawOverlay(QPainter& canvas, const BoardView& view);
