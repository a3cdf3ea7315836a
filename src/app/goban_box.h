#pragma once

#include <QWidget>

#include <functional>

class QPixmap;

// The board's paint box: shows the off-screen board bitmap and reports mouse presses in its
// own pixels. The bitmap is composed elsewhere; a paint only copies the exposed part of it.
class GobanBox : public QWidget {
    Q_OBJECT

  public:
    explicit GobanBox(QWidget* parent = nullptr);

    // The bitmap shown (not owned); nothing is shown while it is null.
    void setBitmap(const QPixmap* bitmap) { bitmap_ = bitmap; }
    // The tooltip text for a pixel of the box; empty for none.
    using ToolTipSource = std::function<QString(const QPoint& at)>;
    void setToolTipSource(ToolTipSource source) { toolTip_ = std::move(source); }
    // How many paint events have been handled (the window's liveness can be watched by it).
    int paintCount() const { return paints_; }

  signals:
    void mouseDown(Qt::MouseButton button, int x, int y);

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    const QPixmap* bitmap_ = nullptr;
    ToolTipSource toolTip_;
    int paints_ = 0;
};
