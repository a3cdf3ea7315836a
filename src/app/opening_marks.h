#pragma once

#include <QWidget>

#include <vector>

// Marks of the opening phase laid over the board, above the stones: the central square a
// stone must go in, the offered fifth moves (translucent black stones marked "5") and the
// points picked for an offer not yet made (numbered rings). Lets every mouse press through to
// the board below.
class OpeningMarks : public QWidget {
    Q_OBJECT

  public:
    explicit OpeningMarks(QWidget* board);

    // area: half-width of the central square (-1 or 7 and more: none).
    void show(int area, std::vector<int> offered, std::vector<int> picked);
    void clear() { show(-1, {}, {}); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int area_ = -1;
    std::vector<int> offered_;
    std::vector<int> picked_;
};
