#include "app/opening_marks.h"

#include "app/board_drawing.h"
#include "base/geometry.h"

#include <QPainter>

namespace {

constexpr int kCentre = 7;

QRectF disc(int point, double radius) {
    return QRectF(boardPixel(cellX(point)) - radius, boardPixel(cellY(point)) - radius, 2 * radius,
                  2 * radius);
}

bool onBoardPoint(int p) {
    return p >= 0 && p < kPoints;
}

} // namespace

bool OpeningMarks::shownArea() const {
    return area >= 0 && area < kCentre;
}

std::vector<int> OpeningMarks::points() const {
    std::vector<int> out;
    if (shownArea())
        for (int y = kCentre - area; y <= kCentre + area; ++y)
            for (int x = kCentre - area; x <= kCentre + area; ++x)
                if (y == kCentre - area || y == kCentre + area || x == kCentre - area ||
                    x == kCentre + area)
                    out.push_back(cellIndex(x, y));
    for (const std::vector<int>* list : {&offered, &picked})
        for (int p : *list)
            if (onBoardPoint(p)) out.push_back(p);
    return out;
}

void DrawOpeningMarks(QPainter& canvas, const OpeningMarks& marks) {
    if (marks.empty()) return;
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, true);
    if (marks.shownArea()) {
        const int low = boardPixel(kCentre - marks.area) - 10;
        const int high = boardPixel(kCentre + marks.area) + 10;
        canvas.setPen(QPen(QColor(200, 40, 40), 2, Qt::DashLine));
        canvas.setBrush(Qt::NoBrush);
        canvas.drawRect(QRect(low, low, high - low, high - low));
    }
    QFont font("DejaVu Sans");
    font.setPixelSize(11);
    font.setBold(true);
    canvas.setFont(font);
    for (int p : marks.offered) {
        if (!onBoardPoint(p)) continue;
        canvas.setPen(QPen(QColor(200, 40, 40), 2));
        canvas.setBrush(QColor(0, 0, 0, 120));
        canvas.drawEllipse(disc(p, 9));
        canvas.setPen(QColor(255, 255, 255));
        canvas.drawText(disc(p, 9), Qt::AlignCenter, QStringLiteral("5"));
    }
    for (size_t i = 0; i < marks.picked.size(); ++i) {
        const int p = marks.picked[i];
        if (!onBoardPoint(p)) continue;
        canvas.setPen(QPen(QColor(200, 40, 40), 3));
        canvas.setBrush(QColor(255, 255, 255, 90));
        canvas.drawEllipse(disc(p, 8));
        canvas.setPen(QColor(160, 0, 0));
        canvas.drawText(disc(p, 8), Qt::AlignCenter, QString::number(i + 1));
    }
    canvas.restore();
}
