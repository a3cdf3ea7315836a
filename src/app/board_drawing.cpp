#include "app/board_drawing.h"

#include "app/board_view.h"
#include "app/database_places.h"
#include "app/forbidden_marks.h"
#include "app/sorell_process.h"
#include "rules/ban_array.h"
#include "rules/ban_history.h"
#include "rules/chk_stat.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QWidget>

#include <utility>

namespace {

struct KindColours {
    QColor disc;
    QColor number;
};

const KindColours kKinds[4] = {
    {QColor(0, 0, 0), QColor(255, 255, 255)},
    {QColor(255, 255, 255), QColor(0, 0, 0)},
    {QColor(0, 255, 0), QColor(0, 255, 0)},
    {QColor(255, 0, 0), QColor(255, 0, 0)},
};

QColor buttonFace() {
    return QApplication::palette().color(QPalette::Button);
}

// The digits and letters: a plain sans face at the given size in points (96 dots per inch).
QFont canvasFont(int points) {
    QFont f("DejaVu Sans");
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize((points * 96 + 36) / 72);
    return f;
}

// Writes text with its cell's top left corner at (left, top), on the current background.
void textOut(QPainter& p, int left, int top, const QString& text) {
    const QFontMetrics m(p.font());
    p.drawText(QPoint(left, top + m.ascent()), text);
}

} // namespace

BoardDrawOptions BoardDrawOptions::from(const SrOption& option) {
    BoardDrawOptions o;
    o.numbering = option.numbering != 0;
    o.latestCursor = option.latestCursor != 0;
    o.standard = option.standard != 0;
    o.axisChar = option.axisChar != 0;
    o.warning = option.warning != 0;
    o.forbidden = option.forbiddenMarks != 0;
    o.face = option.boardColour();
    return o;
}

int databaseStandardMove(const BanHistory& moves) {
    const int n = static_cast<int>(moves.size());
    if (n <= 0 || n >= kPoints) return kNoMove;
    std::vector<unsigned char> stones;
    for (const MovedPos& m : moves)
        stones.push_back(static_cast<unsigned char>(cellIndex(m.x, m.y)));
    return lookupStandardMove(stones.data(), n);
}

void DrawEmptyBoard(QPainter& canvas, const BoardDrawOptions& options) {
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    canvas.fillRect(QRect(0, 0, 352, 343), buttonFace());
    canvas.setPen(QPen(Qt::black, 1));
    canvas.setBrush(options.face);
    canvas.drawRect(QRect(20, 20, 319, 319));
    for (int i = 0; i < 15; ++i) {
        canvas.drawLine(40, boardPixel(i), 320, boardPixel(i));
        canvas.drawLine(boardPixel(i), 40, boardPixel(i), 320);
    }
    canvas.setRenderHint(QPainter::Antialiasing, true);
    canvas.setBrush(Qt::black);
    for (const auto& [sx, sy] : {std::pair{7, 7}, {3, 3}, {3, 11}, {11, 11}, {11, 3}})
        canvas.drawEllipse(QRectF(boardPixel(sx) - 2.5, boardPixel(sy) - 2.5, 6, 6));
    if (options.axisChar) {
        canvas.setRenderHint(QPainter::TextAntialiasing, true);
        canvas.setFont(canvasFont(10));
        canvas.setPen(Qt::black);
        canvas.setBackgroundMode(Qt::OpaqueMode);
        canvas.setBackground(buttonFace());
        for (int i = 0; i < 15; ++i) {
            textOut(canvas, 37 + 20 * i, 6, QString(QChar(kPointChars[i])));
            textOut(canvas, 8, 35 + 20 * i, QString(QChar(kPointChars[15 + i])));
        }
    }
    canvas.restore();
}

void DrawStone(QPainter& canvas, int x, int y, int number, int kind, bool latest,
               const BoardDrawOptions& options) {
    const int cx = boardPixel(x);
    const int cy = boardPixel(y);
    const KindColours& colours = kKinds[kind & 3];
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, true);
    canvas.setPen(QPen(Qt::black, 1));
    canvas.setBrush(colours.disc);
    if (options.latestCursor && latest)
        canvas.drawRoundedRect(QRectF(cx - 8.5, cy - 8.5, 18, 18), 3.5, 3.5);
    else
        canvas.drawEllipse(QRectF(cx - 9.5, cy - 9.5, 20, 20));
    if (options.numbering && number != kNoNumber) {
        canvas.setPen(colours.number);
        canvas.setBackgroundMode(Qt::OpaqueMode);
        canvas.setBackground(colours.disc);
        const int top = cy - 6;
        auto digit = [](int d) { return QString::number(d % 10); };
        if (number < 10) {
            canvas.setFont(canvasFont(10));
            textOut(canvas, cx - 3, top, digit(number));
        } else if (number < 100) {
            canvas.setFont(canvasFont(9));
            textOut(canvas, cx - 5, top, digit(number / 10));
            textOut(canvas, cx + 1, top, digit(number));
        } else {
            canvas.setFont(canvasFont(7));
            textOut(canvas, cx - 7, top, digit(number / 100));
            textOut(canvas, cx - 2, top, digit(number / 10));
            textOut(canvas, cx + 3, top, digit(number));
        }
    }
    canvas.restore();
}

std::vector<int> warningPoints(const BanHistory& moves) {
    JudgedPosition position(moves);
    return warningPoints(position);
}

std::vector<int> warningPoints(JudgedPosition& position) {
    std::vector<int> points;
    const BanArray& board = position.board;
    const int n = board.moveCount();
    if (n == 0) return points;
    ChkStat judge(position.board);
    const char colour = n % 2 == 1 ? kBlack : kWhite;
    for (int x = 0; x < 15; ++x) {
        for (int y = 0; y < 15; ++y) {
            const int i = cellIndex(x, y);
            if (board.at(i) != kEmpty) continue;
            const int code = colour == kBlack ? judge.judgeBlack(i) : judge.judgeWhite(i);
            if (isWarningCode(code)) points.push_back(i);
        }
    }
    return points;
}

std::vector<QRect> ComposeBoard(QPixmap& bitmap, const BanHistory& moves,
                                const BoardDrawOptions& options, const StandardLookup& standard,
                                const BoardOverlay* overlay) {
    BoardView view = makeBoardView(moves, options, standard, overlay);
    QPainter canvas(&bitmap);
    DrawBoardView(canvas, view, options);
    return std::move(view.changed);
}

void CopyBoardImage(QPainter& target, const BoardView& view) {
    {
        QPainter canvas(&srFlags().boardBitmap);
        DrawBoardView(canvas, view, BoardDrawOptions::from(srOption()));
    }
    target.drawPixmap(0, 0, srFlags().boardBitmap);
}
