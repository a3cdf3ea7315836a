#pragma once

#include "app/board_drawing.h"
#include "app/opening_marks.h"
#include "base/geometry.h"

#include <QRect>

#include <vector>

class BanHistory;
class QPainter;
struct BoardOverlay;

// Everything the board shows for one position, judged once when the position (or what is
// shown) changes: painting only draws it, and never builds a position, judges a point or looks
// the openings book up.
struct BoardView {
    struct Stone {
        int x;
        int y;
        int number; // kNoNumber: none
        int kind;   // StoneKind
        bool latest;
    };
    // A stone of the analysed line that has not been played: its point, the move number it
    // would have, and its colour.
    struct Ghost {
        int point;
        int number;
        bool black;
    };

    // In drawing order: the played stones, the previous stone again, the standard move, the
    // warnings.
    std::vector<Stone> stones;
    std::vector<int> forbidden;
    // The stones that decided the game (ringed).
    std::vector<int> deciding;
    std::vector<Ghost> ghosts;
    int hint = kNoMove;
    // The opening phase's marks, drawn last.
    OpeningMarks opening;
    // The squares (in the default layout's pixels) that changed since the previous stone:
    // the latest stone, the previous stone, the standard move, the warnings, black's forbidden
    // points now and before the latest stone, the deciding stones, the overlay marks, the
    // opening marks.
    std::vector<QRect> changed;
};

// Judges the line once for the view. The overlay is shown only when it belongs to this line;
// the opening marks, when given, are shown as they are.
BoardView makeBoardView(const BanHistory& moves, const BoardDrawOptions& options,
                        const StandardLookup& standard, const BoardOverlay* overlay = nullptr,
                        const OpeningMarks* opening = nullptr);
// Draws the view in the default layout's pixels (352 x 343); the caller scales the canvas.
void DrawBoardView(QPainter& canvas, const BoardView& view, const BoardDrawOptions& options);
