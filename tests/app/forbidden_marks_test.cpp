// Black's forbidden points on the board, their tooltips, and the stones that decided a game.

#include "app/board_drawing.h"
#include "app/main_form.h"
#include "app/sorell_process.h"
#include "app_test_support.h"
#include "rules/ban_history.h"

#include <QAction>
#include <QImage>
#include <QPixmap>
#include <QSettings>
#include <QTest>

#include <algorithm>
#include <memory>

namespace {

void plainBoard(SrOption& o) {
    quietOptions(o);
    o.standard = 0;
    o.numbering = 0;
    o.forbiddenMarks = 1;
}

// Black to move; h8 (7, 7) makes two threes, g8-h8-i8 and h7-h8-h9.
const Points kDoubleThree = {{6, 7}, {0, 0}, {8, 7}, {0, 2}, {7, 6}, {0, 4}, {7, 8}, {0, 6}};

// On the cross's arm, off the grid lines: red with the mark, the face without.
bool crossAt(const QImage& board, int x, int y) {
    const QColor c = board.pixelColor(pointPixel(x) + 3, pointPixel(y) + 3);
    return c.red() > 150 && c.green() < 60 && c.blue() < 60;
}

// The ring inside a black stone: the stone's pixel turned red.
bool ringAt(const QImage& board, int x, int y) {
    const QColor c = board.pixelColor(pointPixel(x) + 5, pointPixel(y));
    return c.red() > 150 && c.green() < 60;
}

BanHistory historyOf(const Points& points) {
    BanHistory h;
    int k = 0;
    for (const auto& [x, y] : points) h.appendAndJudge(x, y, k++ % 2 == 0 ? kBlack : kWhite);
    return h;
}

bool hasSquare(const std::vector<QRect>& squares, int x, int y) {
    return std::find(squares.begin(), squares.end(), copySquare(x, y)) != squares.end();
}

} // namespace

class ForbiddenMarksTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { env_ = std::make_unique<AppTestEnvironment>(); }
    void cleanupTestCase() { env_.reset(); }
    void init() { AppTestEnvironment::clearSettings(); }

    void markedOnlyWhileBlackIsToMove();
    void tooltipNamesTheRuleAndTheLines();
    void incrementalDrawingClearsTheOldMarks();
    void optionTurnsThemOffAndIsStored();
    void decidingStonesAreMarkedUntilUndo();

  private:
    std::unique_ptr<AppTestEnvironment> env_;
};

void ForbiddenMarksTest::markedOnlyWhileBlackIsToMove() {
    TestGame g(plainBoard);
    g.place(kDoubleThree);
    QVERIFY(crossAt(g.board(), 7, 7));
    QVERIFY(!crossAt(g.board(), 9, 9));
    QVERIFY(g.form->game().PutStone(14, 14)); // black elsewhere: white to move, no marks
    QVERIFY(!crossAt(g.board(), 7, 7));
}

void ForbiddenMarksTest::tooltipNamesTheRuleAndTheLines() {
    TestGame g(plainBoard);
    g.place(kDoubleThree);
    QCOMPARE(g.form->BoardToolTip(pointPixel(7) + 4, pointPixel(7) - 4),
             QString("三三禁: h8 で三が二つ (g8·h8·i8 と h7·h8·h9)"));
    QVERIFY(g.form->BoardToolTip(pointPixel(9), pointPixel(9)).isEmpty());
    QVERIFY(g.form->BoardToolTip(pointPixel(6), pointPixel(7)).isEmpty()); // a stone
    QVERIFY(g.form->BoardToolTip(5, 5).isEmpty());                         // off the board
    // Two fours on one line.
    g.form->game().NewGame();
    g.place({{4, 7}, {0, 0}, {6, 7}, {0, 2}, {8, 7}, {0, 4}, {10, 7}, {0, 6}});
    QCOMPARE(g.form->BoardToolTip(pointPixel(7), pointPixel(7)),
             QString("四四禁: h8 で一列に四が二つ (e8·g8·h8·i8·k8)"));
}

// The incremental path repaints the squares of the marks the latest stone removed.
void ForbiddenMarksTest::incrementalDrawingClearsTheOldMarks() {
    TestGame g(plainBoard);
    Points line = kDoubleThree;
    QPixmap bitmap(SrFlags::kBitmapWidth, SrFlags::kBitmapHeight);
    BoardDrawOptions options;
    options.standard = false;
    QVERIFY(hasSquare(ComposeBoard(bitmap, historyOf(line), options, {}), 7, 7));
    line.push_back({14, 14});
    const auto squares = ComposeBoard(bitmap, historyOf(line), options, {});
    QVERIFY(hasSquare(squares, 7, 7));
    QVERIFY(!crossAt(bitmap.toImage(), 7, 7));
}

void ForbiddenMarksTest::optionTurnsThemOffAndIsStored() {
    {
        TestGame g(plainBoard);
        QVERIFY(g.form->widgets().KForbidden->isChecked());
        g.place(kDoubleThree);
        g.form->widgets().KForbidden->trigger();
        QCOMPARE(srOption().forbiddenMarks, 0);
        QVERIFY(!crossAt(g.board(), 7, 7));
        QVERIFY(g.form->BoardToolTip(pointPixel(7), pointPixel(7)).isEmpty());
    }
    QCOMPARE(QSettings("Pellham", "Sorell").value("ForbiddenMarks").toInt(), 0);
    TestGame again(storedOptions);
    QVERIFY(!again.form->widgets().KForbidden->isChecked());
}

void ForbiddenMarksTest::decidingStonesAreMarkedUntilUndo() {
    TestGame g(plainBoard);
    g.place({{3, 7}, {0, 0}, {4, 7}, {0, 2}, {5, 7}, {0, 4}, {6, 7}, {0, 6}, {7, 7}});
    for (int x = 3; x <= 7; ++x) QVERIFY(ringAt(g.board(), x, 7));
    g.form->game().UndoMove();
    QVERIFY(!ringAt(g.board(), 3, 7));
    // Black's forbidden move: the two threes are marked.
    g.form->game().NewGame();
    g.place(kDoubleThree);
    QVERIFY(g.form->game().PutStone(7, 7));
    for (const auto& [x, y] : Points{{6, 7}, {7, 7}, {8, 7}, {7, 6}, {7, 8}})
        QVERIFY(ringAt(g.board(), x, y));
    QVERIFY(!crossAt(g.board(), 9, 9));
}

QTEST_MAIN(ForbiddenMarksTest)
#include "forbidden_marks_test.moc"
