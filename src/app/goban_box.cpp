#include "app/goban_box.h"

#include "app/board_view.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kLayoutWidth = 352;
constexpr int kLayoutHeight = 343;

} // namespace

GobanBox::GobanBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
}

void GobanBox::setView(std::shared_ptr<const BoardView> view, const BoardDrawOptions& options,
                       bool incremental) {
    view_ = std::move(view);
    options_ = options;
    stale_ = true;
    if (!incremental || !view_) {
        update();
        return;
    }
    const QTransform t = layoutTransform();
    for (const QRect& r : view_->changed) update(t.mapRect(r).adjusted(-1, -1, 1, 1));
}

double GobanBox::scale() const {
    return std::min(width() / double(kLayoutWidth), height() / double(kLayoutHeight));
}

// The layout scaled by the largest factor that fits, centred; whole pixels of offset keep the
// grid on pixel boundaries.
QTransform GobanBox::layoutTransform() const {
    const double s = scale();
    const double dx = std::floor((width() - kLayoutWidth * s) / 2);
    const double dy = std::floor((height() - kLayoutHeight * s) / 2);
    return QTransform(s, 0, 0, s, dx, dy);
}

QPoint GobanBox::layoutPixel(const QPoint& boxPixel) const {
    const QPointF p = layoutTransform().inverted().map(QPointF(boxPixel) + QPointF(0.5, 0.5));
    return QPoint(static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y())));
}

QPoint GobanBox::boxPixel(const QPoint& layoutPixel) const {
    const QPointF p = layoutTransform().map(QPointF(layoutPixel) + QPointF(0.5, 0.5));
    return QPoint(static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y())));
}

void GobanBox::drawPicture() {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels(static_cast<int>(std::ceil(width() * ratio)),
                       static_cast<int>(std::ceil(height() * ratio)));
    if (picture_.size() != pixels) picture_ = QPixmap(pixels);
    picture_.setDevicePixelRatio(ratio);
    picture_.fill(QApplication::palette().color(QPalette::Button));
    if (view_) {
        QPainter canvas(&picture_);
        canvas.setTransform(layoutTransform());
        DrawBoardView(canvas, *view_, options_);
    }
    stale_ = false;
}

void GobanBox::paintEvent(QPaintEvent* event) {
    ++paints_;
    const qreal ratio = devicePixelRatioF();
    if (stale_ || picture_.devicePixelRatio() != ratio ||
        picture_.size() != QSize(static_cast<int>(std::ceil(width() * ratio)),
                                 static_cast<int>(std::ceil(height() * ratio))))
        drawPicture();
    QPainter p(this);
    const QRect r = event->rect();
    p.drawPixmap(r, picture_, QRectF(r.topLeft() * ratio, r.size() * ratio).toRect());
}

void GobanBox::mousePressEvent(QMouseEvent* event) {
    const QPoint at = layoutPixel(event->position().toPoint());
    emit mouseDown(event->button(), at.x(), at.y());
    QWidget::mousePressEvent(event);
}

bool GobanBox::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const QString text = toolTip_ ? toolTip_(layoutPixel(help->pos())) : QString();
    if (text.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), text, this);
    }
    return true;
}
