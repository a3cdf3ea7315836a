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

} // namespace

OpeningMarks::OpeningMarks(QWidget* board) : QWidget(board) {
    setObjectName("OpeningMarks");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(board->rect());
}

void OpeningMarks::show(int area, std::vector<int> offered, std::vector<int> picked) {
    area_ = area;
    offered_ = std::move(offered);
    picked_ = std::move(picked);
    setGeometry(parentWidget()->rect());
    raise();
    setVisible(true);
    update();
}

void OpeningMarks::paintEvent(QPaintEvent*) {
    QPainter canvas(this);
    canvas.setRenderHint(QPainter::Antialiasing, true);
    if (area_ >= 0 && area_ < kCentre) {
        const int low = boardPixel(kCentre - area_) - 10, high = boardPixel(kCentre + area_) + 10;
        canvas.setPen(QPen(QColor(200, 40, 40), 2, Qt::DashLine));
        canvas.setBrush(Qt::NoBrush);
        canvas.drawRect(QRect(low, low, high - low, high - low));
    }
    QFont font("DejaVu Sans");
    font.setPixelSize(11);
    font.setBold(true);
    canvas.setFont(font);
    for (int p : offered_) {
        canvas.setPen(QPen(QColor(200, 40, 40), 2));
        canvas.setBrush(QColor(0, 0, 0, 120));
        canvas.drawEllipse(disc(p, 9));
        canvas.setPen(QColor(255, 255, 255));
        canvas.drawText(disc(p, 9), Qt::AlignCenter, QStringLiteral("5"));
    }
    for (size_t i = 0; i < picked_.size(); ++i) {
        canvas.setPen(QPen(QColor(200, 40, 40), 3));
        canvas.setBrush(QColor(255, 255, 255, 90));
        canvas.drawEllipse(disc(picked_[i], 8));
        canvas.setPen(QColor(160, 0, 0));
        canvas.drawText(disc(picked_[i], 8), Qt::AlignCenter, QString::number(i + 1));
    }
}
