#include "app/board_view.h"

#include "app/board_overlay.h"
#include "app/forbidden_marks.h"
#include "rules/ban_history.h"

#include <iterator>

namespace {

void addStone(BoardView& view, int point, int number, int kind) {
    view.stones.push_back({cellX(point), cellY(point), number, kind, false});
    view.changed.push_back(copySquare(cellX(point), cellY(point)));
}

void addSquares(BoardView& view, const std::vector<int>& points) {
    for (int p : points) view.changed.push_back(copySquare(cellX(p), cellY(p)));
}

} // namespace

BoardView makeBoardView(const BanHistory& moves, const BoardDrawOptions& options,
                        const StandardLookup& standard, const BoardOverlay* overlay,
                        const OpeningMarks* opening) {
    BoardView view;
    const int n = static_cast<int>(moves.size());
    JudgedPosition position(moves);
    int k = 0;
    for (const MovedPos& m : moves) {
        ++k;
        view.stones.push_back({m.x, m.y, k, (k - 1) % 2, k == n});
    }
    if (n >= 1) view.changed.push_back(copySquare(moves.last().x, moves.last().y));
    if (n >= 2) {
        // The previous stone is drawn again: its latest-move cursor has gone.
        const MovedPos& previous = *std::prev(moves.end(), 2);
        addStone(view, cellIndex(previous.x, previous.y), n - 1, (n - 2) % 2);
        if (options.standard && standard) {
            const int p = standard(moves);
            if (p >= 0 && p < kPoints) addStone(view, p, n, kStandardStone);
        }
        if (options.warning)
            for (int p : warningPoints(position)) addStone(view, p, kNoNumber, kWarningStone);
        if (options.forbidden) {
            view.forbidden = forbiddenPoints(position);
            addSquares(view, view.forbidden);
            // The marks shown before the latest stone go away with it.
            BanHistory before = moves;
            before.removeLast();
            addSquares(view, forbiddenPoints(before));
        }
        view.deciding = decidingStones(position);
        addSquares(view, view.deciding);
    }
    if (overlay && overlay->showsOn(moves)) {
        for (const int p : ghostLine(position.board, overlay->line))
            view.ghosts.push_back({p, n + static_cast<int>(view.ghosts.size()) + 1,
                                   (n + static_cast<int>(view.ghosts.size())) % 2 == 0});
        if (overlay->hint >= 0 && overlay->hint < kPoints &&
            position.board.at(overlay->hint) == kEmpty)
            view.hint = overlay->hint;
        for (const BoardView::Ghost& g : view.ghosts)
            view.changed.push_back(copySquare(cellX(g.point), cellY(g.point)));
        if (view.hint != kNoMove) addSquares(view, {view.hint});
    }
    if (opening) {
        view.opening = *opening;
        addSquares(view, opening->points());
    }
    return view;
}

void DrawBoardView(QPainter& canvas, const BoardView& view, const BoardDrawOptions& options) {
    DrawEmptyBoard(canvas, options);
    for (const BoardView::Stone& s : view.stones)
        DrawStone(canvas, s.x, s.y, s.number, s.kind, s.latest, options);
    for (int p : view.forbidden) DrawForbiddenMark(canvas, cellX(p), cellY(p));
    for (int p : view.deciding) DrawDecidingMark(canvas, cellX(p), cellY(p));
    DrawOverlay(canvas, view);
    DrawOpeningMarks(canvas, view.opening);
}
