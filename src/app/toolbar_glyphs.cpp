#include "app/toolbar_glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <QToolButton>

namespace {

// Each glyph is drawn on a 19 x 19 transparent square.
QPixmap draw(ToolbarGlyph glyph) {
    QPixmap pm(19, 19);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QPen outline(QColor(40, 40, 40), 1);
    p.setPen(outline);
    switch (glyph) {
    case ToolbarGlyph::New: {
        QPolygonF page({{4.5, 1.5}, {11.5, 1.5}, {15.5, 5.5}, {15.5, 17.5}, {4.5, 17.5}});
        p.setBrush(Qt::white);
        p.drawPolygon(page);
        p.drawLine(QPointF(11.5, 1.5), QPointF(11.5, 5.5));
        p.drawLine(QPointF(11.5, 5.5), QPointF(15.5, 5.5));
        break;
    }
    case ToolbarGlyph::Open: {
        p.setBrush(QColor(240, 200, 90));
        p.drawPolygon(QPolygonF(
            {{1.5, 4.5}, {6.5, 4.5}, {8.5, 6.5}, {15.5, 6.5}, {15.5, 16.5}, {1.5, 16.5}}));
        p.setBrush(QColor(250, 225, 130));
        p.drawPolygon(QPolygonF({{3.5, 9.5}, {18.5, 9.5}, {15.5, 16.5}, {1.5, 16.5}}));
        break;
    }
    case ToolbarGlyph::Save: {
        p.setBrush(QColor(60, 90, 170));
        p.drawRect(QRectF(2.5, 2.5, 14, 14));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5.5, 2.5, 8, 6));
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(5.5, 11.5, 8, 5));
        break;
    }
    case ToolbarGlyph::PlayFirst:
    case ToolbarGlyph::PlaySecond: {
        p.setBrush(glyph == ToolbarGlyph::PlayFirst ? Qt::black : Qt::white);
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.setPen(QPen(QColor(20, 90, 20), 1));
        p.setBrush(QColor(60, 170, 60));
        p.drawPolygon(QPolygonF({{11.5, 10.5}, {18.5, 14.5}, {11.5, 18.5}}));
        break;
    }
    case ToolbarGlyph::Resign: {
        p.setPen(QPen(QColor(90, 60, 30), 1.5));
        p.drawLine(QPointF(4.5, 2), QPointF(4.5, 18));
        p.setPen(outline);
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF({{5, 2.5}, {16.5, 2.5}, {14, 6.5}, {16.5, 10.5}, {5, 10.5}}));
        break;
    }
    case ToolbarGlyph::Back:
    case ToolbarGlyph::Forward: {
        p.setBrush(QColor(40, 120, 40));
        const bool back = glyph == ToolbarGlyph::Back;
        const double tip = back ? 3.5 : 12.5;
        const double base = back ? 12.5 : 3.5;
        p.drawPolygon(QPolygonF({{tip, 9.5}, {base, 3.5}, {base, 15.5}}));
        break;
    }
    case ToolbarGlyph::First:
    case ToolbarGlyph::Last: {
        p.setBrush(QColor(40, 120, 40));
        const bool first = glyph == ToolbarGlyph::First;
        const double bar = first ? 3.5 : 13.5;
        p.drawRect(QRectF(bar - 1, 3.5, 2, 12));
        const double tip = first ? 5.5 : 11.5;
        const double base = first ? 13.5 : 3.5;
        p.drawPolygon(QPolygonF({{tip, 9.5}, {base, 3.5}, {base, 15.5}}));
        break;
    }
    case ToolbarGlyph::Hint: {
        p.setBrush(QColor(250, 230, 90));
        p.drawEllipse(QRectF(4.5, 1.5, 10, 10));
        p.setBrush(QColor(160, 160, 160));
        p.drawRect(QRectF(7.5, 11.5, 4, 5));
        break;
    }
    case ToolbarGlyph::Analysis: {
        p.setPen(QPen(QColor(0, 70, 230), 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(2.5, 2.5, 10, 10));
        p.drawLine(QPointF(11, 11), QPointF(17, 17));
        break;
    }
    case ToolbarGlyph::Editor: {
        p.setBrush(QColor(150, 60, 40));
        p.drawRect(QRectF(3.5, 2.5, 12, 15));
        p.setPen(QPen(Qt::white, 1));
        p.drawLine(QPointF(6, 6.5), QPointF(13, 6.5));
        p.drawLine(QPointF(6, 9.5), QPointF(13, 9.5));
        break;
    }
    }
    return pm;
}

} // namespace

QIcon toolbarGlyph(ToolbarGlyph glyph) {
    return QIcon(draw(glyph));
}

QToolButton* makeToolbarButton(QWidget* panel, const char* name, int left, int width,
                               const QString& tip, ToolbarGlyph glyph) {
    auto* b = new QToolButton(panel);
    b->setObjectName(name);
    b->setGeometry(left, 4, width, 25);
    b->setToolTip(tip);
    b->setIcon(toolbarGlyph(glyph));
    b->setIconSize(QSize(width - 6, 19));
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}
