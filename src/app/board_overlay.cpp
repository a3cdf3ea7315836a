#include "app/board_overlay.h"

#include "app/board_drawing.h"
#include "app/board_view.h"
#include "rules/ban_array.h"
#include "rules/ban_history.h"

#include <QFont>
#include <QPainter>

#include <algorithm>

std::string BoardOverlay::positionKey(const BanHistory& moves) {
    std::string key;
    for (const MovedPos& m : moves) key += std::to_string(cellIndex(m.x, m.y)) + ',';
    return key + '.';
}

std::vector<int> ghostLine(const BanArray& board, const std::vector<int>& line) {
    std::vector<int> shown;
    for (size_t i = 0; i < line.size() && shown.size() < kGhostStones; ++i) {
        const int p = line[i];
        if (p < 0 || p >= kPoints || board.at(p) != kEmpty) break;
        if (std::find(shown.begin(), shown.end(), p) != shown.end()) break;
        shown.push_back(p);
    }
    return shown;
}

void DrawOverlay(QPainter& canvas, const BoardView& view) {
    if (view.ghosts.empty() && view.hint == kNoMove) return;
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, true);
    QFont font("DejaVu Sans");
    font.setBold(true);
    for (const BoardView::Ghost& g : view.ghosts) {
        const QRectF disc(boardPixel(cellX(g.point)) - 8.5, boardPixel(cellY(g.point)) - 8.5, 18,
                          18);
        QPen rim(QColor(0, 70, 230), 1.5, Qt::DashLine);
        canvas.setPen(rim);
        canvas.setBrush(g.black ? QColor(0, 0, 0, 70) : QColor(255, 255, 255, 120));
        canvas.drawEllipse(disc);
        font.setPixelSize(g.number < 10 ? 11 : g.number < 100 ? 10 : 8);
        canvas.setFont(font);
        canvas.setPen(QColor(0, 50, 200));
        canvas.drawText(disc, Qt::AlignCenter, QString::number(g.number));
    }
    if (view.hint != kNoMove) {
        const int x = cellX(view.hint), y = cellY(view.hint);
        canvas.setPen(QPen(QColor(0, 70, 230), 3));
        canvas.setBrush(Qt::NoBrush);
        canvas.drawEllipse(QRectF(boardPixel(x) - 7.5, boardPixel(y) - 7.5, 16, 16));
    }
    canvas.restore();
}
