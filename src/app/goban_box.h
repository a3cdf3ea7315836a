#pragma once

#include "app/board_drawing.h"

#include <QPixmap>
#include <QTransform>
#include <QWidget>

#include <functional>
#include <memory>

struct BoardView;

// The board's paint box. It draws the board view it is given at any size: the default layout
// (352 x 343 pixels) scaled to fit the box, square and centred, at the screen's pixel ratio;
// at the default size it is the default layout pixel for pixel. Painting copies a cached
// picture that is drawn again only when the view, the options or the size change. Mouse
// presses are reported in the default layout's pixels.
class GobanBox : public QWidget {
    Q_OBJECT

  public:
    explicit GobanBox(QWidget* parent = nullptr);

    // Shows the view; incremental: only its changed squares are repainted now.
    void setView(std::shared_ptr<const BoardView> view, const BoardDrawOptions& options,
                 bool incremental = false);
    // Where a pixel of the box lies in the default layout (inverse of the scaling).
    QPoint layoutPixel(const QPoint& boxPixel) const;
    // Where a pixel of the default layout lies in the box.
    QPoint boxPixel(const QPoint& layoutPixel) const;
    // The scale of the default layout in the box (1 at the default size).
    double scale() const;
    // The tooltip text for a pixel of the box (in the default layout's pixels); empty for none.
    using ToolTipSource = std::function<QString(const QPoint& at)>;
    void setToolTipSource(ToolTipSource source) { toolTip_ = std::move(source); }
    // How many paint events have been handled (the window's liveness can be watched by it).
    int paintCount() const { return paints_; }

  signals:
    // A mouse press at (x, y) in the default layout's pixels.
    void mouseDown(Qt::MouseButton button, int x, int y);

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    QTransform layoutTransform() const;
    void drawPicture();

    std::shared_ptr<const BoardView> view_;
    BoardDrawOptions options_;
    QPixmap picture_;
    bool stale_ = true;
    ToolTipSource toolTip_;
    int paints_ = 0;
};
