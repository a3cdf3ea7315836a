#pragma once

#include <QColor>
#include <QRect>

#include <functional>
#include <vector>

class BanHistory;
class QPainter;
class QPixmap;
class QWidget;
class SrOption;
struct BoardOverlay;
struct BoardView;
struct JudgedPosition;

// What the board drawing shows, taken from the options.
struct BoardDrawOptions {
    bool numbering = false;
    bool latestCursor = false;
    bool standard = true;
    bool axisChar = true;
    bool warning = false;
    // Black's forbidden points while black is to move.
    bool forbidden = true;
    QColor face{228, 175, 14};

    static BoardDrawOptions from(const SrOption& option);
};

// The standard continuation of a line: point 0..224, or 255 for none.
using StandardLookup = std::function<int(const BanHistory& moves)>;
// The openings database's answer for the line (the file found by databaseDirectory).
int databaseStandardMove(const BanHistory& moves);

// Pixel geometry of the board: grid line i at 40 + 20 i both ways.
constexpr int boardPixel(int i) {
    return 40 + 20 * i;
}
// The point index (0..14 on the board) of a pixel of the default layout along either axis, as
// a click takes it: division truncates toward zero, so pixels 11..29 still give 0.
constexpr int boardPoint(int layoutPixel) {
    return (layoutPixel - 30) / 20;
}
// The 72 x 72 square around point (x, y) that holds its stone and surroundings.
inline QRect copySquare(int x, int y) {
    return QRect(20 * x - 6, 20 * y - 6, 72, 72);
}

// Stone kinds: their disc and number colours.
enum StoneKind { kBlackStone = 0, kWhiteStone = 1, kStandardStone = 2, kWarningStone = 3 };
// Number 255 writes no number.
inline constexpr int kNoNumber = 255;

// The face, grid, star points and (when on) the axis characters.
void DrawEmptyBoard(QPainter& canvas, const BoardDrawOptions& options);
// One disc of the kind at point (x, y), the latest mark when latest and the option is on, and
// the number when numbering is on.
void DrawStone(QPainter& canvas, int x, int y, int number, int kind, bool latest,
               const BoardDrawOptions& options);

// Draws the whole board of the line on the bitmap (its view, board_view.h) and returns, in
// order, the squares that changed since the previous stone: the latest stone, the previous
// stone, the hints, black's forbidden points now and before the latest stone, and the stones
// that decided the game. The overlay, when given, is drawn last.
std::vector<QRect> ComposeBoard(QPixmap& bitmap, const BanHistory& moves,
                                const BoardDrawOptions& options, const StandardLookup& standard,
                                const BoardOverlay* overlay = nullptr);

// The points where the player who made the last move could next make five, an overline, a
// double four, a four-three or a double three (black's forbidden shapes are not marked).
std::vector<int> warningPoints(const BanHistory& moves);
std::vector<int> warningPoints(JudgedPosition& position);

// Composes the view on the process's board bitmap with the current options, then copies the
// whole 352 x 362 bitmap to the target at (0, 0).
void CopyBoardImage(QPainter& target, const BoardView& view);
