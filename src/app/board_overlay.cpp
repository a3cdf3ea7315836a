#include "app/board_overlay.h"

#include "app/board_drawing.h"
#include "rules/ban_array.h"
#include "rules/ban_history.h"

#include <QFont>
#include <QPainter>

namespace {

constexpr size_t kGhostStones = 6;

} // namespace

std::string BoardOverlay::positionKey(const BanHistory& moves) {
    std::string key;
    for (const MovedPos& m : moves) key += std::to_string(cellIndex(m.x, m.y)) + ',';
    return key + '.';
}

void DrawOverlay(QPainter& canvas, const BoardOverlay& overlay, const BanHistory& moves,
                 std::vector<QRect>& copies) {
    if (!overlay.showsOn(moves)) return;
    const BanArray board(moves);
    const int n = static_cast<int>(moves.size());
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, true);
    QFont font("DejaVu Sans");
    font.setPixelSize(11);
    font.setBold(true);
    canvas.setFont(font);
    std::vector<int> seen;
    for (size_t i = 0; i < overlay.line.size() && i < kGhostStones; ++i) {
        const int p = overlay.line[i];
        if (p < 0 || p >= kPoints || board.at(p) != kEmpty) break;
        if (std::find(seen.begin(), seen.end(), p) != seen.end()) break;
        seen.push_back(p);
        const bool black = (n + static_cast<int>(i)) % 2 == 0;
        const QRectF disc(boardPixel(cellX(p)) - 9.5, boardPixel(cellY(p)) - 9.5, 20, 20);
        canvas.setPen(QPen(QColor(0, 0, 0, 140), 1));
        canvas.setBrush(black ? QColor(0, 0, 0, 110) : QColor(255, 255, 255, 150));
        canvas.drawEllipse(disc);
        canvas.setPen(black ? QColor(255, 255, 255) : QColor(0, 0, 0));
        canvas.drawText(disc, Qt::AlignCenter, QString::number(i + 1));
        copies.push_back(copySquare(cellX(p), cellY(p)));
    }
    if (overlay.hint >= 0 && overlay.hint < kPoints && board.at(overlay.hint) == kEmpty) {
        const int x = cellX(overlay.hint), y = cellY(overlay.hint);
        canvas.setPen(QPen(QColor(0, 70, 230), 3));
        canvas.setBrush(Qt::NoBrush);
        canvas.drawEllipse(QRectF(boardPixel(x) - 7.5, boardPixel(y) - 7.5, 16, 16));
        copies.push_back(copySquare(x, y));
    }
    canvas.restore();
}
