#include "app/goban_box.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QToolTip>

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

bool GobanBox::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const QString text = toolTip_ ? toolTip_(help->pos()) : QString();
    if (text.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), text, this);
    }
    return true;
}
