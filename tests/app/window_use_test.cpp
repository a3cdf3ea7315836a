// Living in the window: the board scales with the window, typed coordinates always reach the
// board, and what belongs to a position goes with it.

#include "app/board_view.h"
#include "app_test_support.h"

#include <QApplication>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

// Black's open four on row 7 with black to move: (2, 7) or (7, 7) wins at once.
const Points kBlackToWin = {{3, 7}, {0, 0}, {4, 7}, {0, 2}, {5, 7}, {0, 4}, {6, 7}, {14, 14}};

// Where a key typed now goes: an open menu, else the focused control, else the window.
QWidget* keyTarget(QWidget* window) {
    if (QWidget* popup = QApplication::activePopupWidget()) return popup;
    if (QWidget* focus = QApplication::focusWidget()) return focus;
    return window;
}

void type(QWidget* window, const char* keys) {
    for (const char* k = keys; *k; ++k) QTest::keyClick(keyTarget(window), *k);
}

} // namespace

class WindowUseTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { env_ = std::make_unique<AppTestEnvironment>(); }
    void cleanupTestCase() { env_.reset(); }
    void init() {
        AppTestEnvironment::clearSettings();
        env_->resetSeam();
    }

    void typedCoordinatesReachTheBoard();
    void boardScalesAndMapsClicks();
    void positionStateGoesWithThePosition();
    void ghostStonesCarryTheirMoveNumbers();

  private:
    std::unique_ptr<AppTestEnvironment> env_;
};

void WindowUseTest::typedCoordinatesReachTheBoard() {
    TestGame g;
    TMainForm* f = g.form.get();
    f->show();
    f->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f));
    // A menu opened with Alt+R and closed with Escape leaves no trap.
    QTest::keyClick(f, Qt::Key_R, Qt::AltModifier);
    QVERIFY(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }, 5000));
    QCOMPARE(QApplication::activePopupWidget(), f->widgets().KR1);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    QVERIFY(QTest::qWaitFor([] { return QApplication::activePopupWidget() == nullptr; }, 5000));
    type(f, "h8");
    QCOMPARE(g.at(7, 7), 'B');
    QVERIFY(QApplication::activePopupWidget() == nullptr);
    // After a click on the side panel.
    QTest::mouseClick(f->widgets().MemoHistory->viewport(), Qt::LeftButton, {}, QPoint(10, 150));
    type(f, "i9");
    QCOMPARE(g.at(8, 8), 'W');
    // After a dialog.
    QTimer::singleShot(0, [] {
        if (QWidget* dialog = QApplication::activeModalWidget()) dialog->close();
    });
    f->KOpeningClick();
    f->activateWindow(); // the window manager's part when a dialog closes
    QVERIFY(QTest::qWaitForWindowActive(f));
    type(f, "g7");
    QCOMPARE(g.at(6, 6), 'B');
    QTest::keyClick(keyTarget(f), Qt::Key_Backspace);
    // Backspace takes the stone back from anywhere too.
    QTest::keyClick(keyTarget(f), Qt::Key_Backspace);
    QCOMPARE(g.moveCount(), 1);
    // A text field of a dock panel keeps its keys.
    auto* dock = new QDockWidget("panel", f);
    auto* field = new QLineEdit(dock);
    dock->setWidget(field);
    f->addDock(Qt::RightDockWidgetArea, dock);
    QVERIFY(dock->isVisible());
    field->setFocus();
    QTest::keyClicks(field, "ab");
    QCOMPARE(field->text(), QString("ab"));
    QVERIFY(f->game().pendingText().isEmpty());
    // Mnemonics still open their menus with Alt.
    QTest::keyClick(keyTarget(f), Qt::Key_F, Qt::AltModifier);
    QVERIFY(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }, 5000));
    QCOMPARE(QApplication::activePopupWidget(), f->widgets().KF1);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    QVERIFY(QTest::qWaitFor([] { return QApplication::activePopupWidget() == nullptr; }, 5000));
}

// At three window sizes a click on a point places its stone there, and the stone is drawn
// under the click; the window remembers its size.
void WindowUseTest::boardScalesAndMapsClicks() {
    const QSize sizes[] = {QSize(), QSize(800, 700), QSize(1500, 1100)};
    const Points points = {{7, 7}, {0, 0}, {14, 14}, {3, 11}};
    for (const QSize& size : sizes) {
        TestGame g;
        TMainForm* f = g.form.get();
        f->show();
        if (size.isValid()) f->resize(size);
        QCoreApplication::processEvents();
        GobanBox* box = f->widgets().Goban0;
        if (!size.isValid()) {
            QCOMPARE(box->scale(), 1.0);
            QCOMPARE(box->size(), QSize(352, 343));
        } else {
            QVERIFY(box->scale() > 1.5);
            QCOMPARE(f->widgets().Panel1->width(), 159);
            QVERIFY(f->widgets().MemoHistory->height() > 241);
        }
        for (const auto& [x, y] : points) {
            const QPoint at = box->boxPixel(QPoint(pointPixel(x) + 6, pointPixel(y) - 6));
            QTest::mouseClick(box, Qt::LeftButton, {}, at);
            QVERIFY2(g.at(x, y) != '+', qPrintable(QString("%1,%2").arg(x).arg(y)));
            const QImage image = g.board();
            const QColor disc = g.at(x, y) == 'B' ? QColor(0, 0, 0) : QColor(255, 255, 255);
            const QPoint centre = box->boxPixel(QPoint(pointPixel(x), pointPixel(y)));
            QCOMPARE(image.pixelColor(centre + QPoint(3, 3)), disc);
        }
        QCOMPARE(g.moveCount(), static_cast<int>(points.size()));
        g.exit();
        if (size.isValid()) {
            TestGame again;
            QCOMPARE(again.form->size(), size);
        }
    }
    AppTestEnvironment::clearSettings();
}

// A hint's ring and text, and the analysis marks, go when the position changes by any path.
void WindowUseTest::positionStateGoesWithThePosition() {
    QVERIFY(writeBytes(env_->workFile("two.ban"), "808\r\n909\r\n"));
    TestGame g;
    const std::vector<std::pair<const char*, std::function<void()>>> paths = {
        {"undo", [&] { g.form->game().UndoMove(); }},
        {"redo", [&] { g.form->game().RedoMove(); }},
        {"start", [&] { g.form->game().GoToStart(); }},
        {"resign", [&] { g.form->game().Resign(); }},
        {"new game", [&] { g.form->game().NewGame(); }},
        {"paste", [&] { QVERIFY(g.form->commands().LoadFromText("h8,i9,**,")); }},
        {"open", [&] { QVERIFY(g.form->commands().OpenRecord(env_->workFile("two.ban"))); }},
    };
    for (const auto& [name, path] : paths) {
        g.form->game().NewGame();
        g.place(kBlackToWin);
        if (std::string(name) == "redo") g.form->game().UndoMove();
        g.form->analysis().ShowHint();
        QVERIFY(
            QTest::qWaitFor([&] { return g.form->analysis().overlay().hint != kNoMove; }, 20000));
        QCOMPARE(g.form->boardView().hint, g.form->analysis().overlay().hint);
        path();
        QVERIFY2(g.form->analysis().overlay().hint == kNoMove, name);
        QVERIFY2(g.form->boardView().hint == kNoMove, name);
        QVERIFY2(!g.form->statusText().startsWith("ヒント"), name);
    }
    QVERIFY(QTest::qWaitFor([&] { return g.form->analysis().runningAnalysers() == 0; }, 20000));
}

void WindowUseTest::ghostStonesCarryTheirMoveNumbers() {
    TestGame g;
    g.place({{7, 7}, {8, 8}});
    g.form->analysis().SetAnalysis(true);
    QVERIFY(QTest::qWaitFor([&] { return !g.form->boardView().ghosts.empty(); }, 20000));
    const std::vector<BoardView::Ghost> ghosts = g.form->boardView().ghosts;
    QCOMPARE(ghosts.front().number, 3);
    QVERIFY(ghosts.front().black);
    const QString line = g.form->analysis().analysisText().section(" | ", 1);
    QCOMPARE(line.split(' ', Qt::SkipEmptyParts).size(), static_cast<qsizetype>(ghosts.size()));
    // A solved position names its result, not a depth.
    g.form->game().NewGame();
    g.place(kBlackToWin);
    QVERIFY(QTest::qWaitFor(
        [&] { return g.form->analysis().analysisText().startsWith("勝ち確定"); }, 20000));
    QVERIFY(!g.form->analysis().analysisText().contains("深さ"));
    QCOMPARE(g.form->boardView().ghosts.front().number, 9);
    g.form->analysis().SetAnalysis(false);
    QVERIFY(QTest::qWaitFor([&] { return g.form->analysis().runningAnalysers() == 0; }, 20000));
}

QTEST_MAIN(WindowUseTest)
#include "window_use_test.moc"
