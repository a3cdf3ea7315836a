#include "app/goban_box.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

GobanBox::GobanBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
}

void GobanBox::paintEvent(QPaintEvent* event) {
    ++paints_;
    if (!bitmap_) return;
    QPainter p(this);
    const QRect r = event->rect();
    p.drawPixmap(r, *bitmap_, r);
}

void GobanBox::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit mouseDown(event->button(), at.x(), at.y());
    QWidget::mousePressEvent(event);
}
