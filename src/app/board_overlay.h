#pragma once

#include "base/geometry.h"

#include <string>
#include <vector>

class BanHistory;
class QPainter;
class QRect;

// Marks laid over the board for one position: the hint's point and the analysis' principal
// line as numbered ghost stones. They show only while the board shows that position.
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

// The first few moves of the line as translucent stones numbered from 1, coloured by the side
// that would play them, and the hint as a blue ring, on the empty points of the board; adds
// the squares drawn on.
void DrawOverlay(QPainter& canvas, const BoardOverlay& overlay, const BanHistory& moves,
                 std::vector<QRect>& copies);
