// The move-history box following placing, taking back, replaying, new games and reloading.

#include "app/main_form.h"
#include "app/sorell_process.h"
#include "app_test_support.h"
#include "model/move_tree.h"

#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

#include <memory>
#include <utility>
#include <vector>

class HistoryBoxTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { env_ = std::make_unique<AppTestEnvironment>(); }
    void cleanupTestCase() { env_.reset(); }

    void oneLinePerMoveWithItsShape();
    void undoAndRedoFollowTheRecord();
    void undoInPlayModeRemovesTwoLines();
    void forbiddenMoveEndsTheList();
    void rebuiltFromTheRecord();

  private:
    std::unique_ptr<AppTestEnvironment> env_;
};

void HistoryBoxTest::oneLinePerMoveWithItsShape() {
    TestGame g;
    g.place({{7, 7}, {8, 8}, {8, 7}, {0, 0}, {9, 7}});
    QCOMPARE(g.history(),
             QStringList({"黒1(h8):", "白2(i9):", "黒3(i8):", "白4(a1):", "黒5(j8):三"}));
    // Rows 10..15 are the letters A..F; a white move 10 at the top left corner.
    g.form->game().NewGame();
    QVERIFY(g.history().isEmpty());
    g.place({{14, 14}, {13, 9}, {1, 1}, {1, 3}, {1, 5}, {1, 7}, {1, 9}, {1, 11}, {1, 13}, {0, 0}});
    QCOMPARE(g.history().at(0), QString("黒1(oF):"));
    QCOMPARE(g.history().at(1), QString("白2(nA):"));
    QVERIFY(g.history().at(9).startsWith("白10(a1):"));
}

void HistoryBoxTest::undoAndRedoFollowTheRecord() {
    TestGame g;
    g.place({{7, 7}, {8, 8}, {6, 6}});
    g.form->game().UndoMove();
    QCOMPARE(g.history(), QStringList({"黒1(h8):", "白2(i9):"}));
    g.form->game().UndoMove();
    g.form->game().UndoMove();
    QVERIFY(g.history().isEmpty());
    g.form->game().RedoMove();
    g.form->game().RedoMove();
    QCOMPARE(g.history(), QStringList({"黒1(h8):", "白2(i9):"}));
    // Another move after a take-back is a variation; the list shows the line on the board.
    g.place({{9, 9}});
    QCOMPARE(g.history().size(), 3);
    QCOMPARE(g.history().last(), QString("黒3(jA):"));
}

void HistoryBoxTest::undoInPlayModeRemovesTwoLines() {
    TestGame g;
    g.place({{7, 7}, {8, 8}, {6, 6}, {9, 9}});
    g.form->game().PlayFirst();
    g.place({{5, 5}});
    QVERIFY(g.settled());
    QCOMPARE(g.history().size(), 6);
    g.form->game().UndoMove();
    QCOMPARE(g.history().size(), 4);
    QCOMPARE(g.history().last(), QString("白4(jA):"));
    g.place({{10, 10}});
    QVERIFY(g.settled());
    QCOMPARE(g.history().size(), 6);
    QCOMPARE(g.history().at(4), QString("黒5(kB):"));
    QVERIFY(g.history().at(5).startsWith("白6("));
}

void HistoryBoxTest::forbiddenMoveEndsTheList() {
    TestGame g;
    g.place({{5, 7}, {0, 0}, {6, 7}, {0, 14}, {7, 5}, {14, 0}, {7, 6}, {14, 14}, {1, 1}, {2, 2}});
    g.place({{7, 7}});
    QCOMPARE(g.history().size(), 11);
    QCOMPARE(g.history().last(), QString("黒11(h8):三三禁"));
}

// After the record was replaced, the list holds exactly one line per move of its line.
void HistoryBoxTest::rebuiltFromTheRecord() {
    TestGame g;
    g.place({{7, 7}, {8, 8}});
    MOveTree& record = g.form->game().record();
    record.Clear();
    for (const auto& [x, y] : {std::pair{1, 1}, {2, 2}, {3, 3}})
        QVERIFY(record.PutMoveAlternating(x, y));
    g.form->game().RecordChanged();
    QCOMPARE(g.history(), QStringList({"黒1(b2):", "白2(c3):", "黒3(d4):"}));
    QCOMPARE(g.form->game().moves().size(), size_t(3));
    QVERIFY(g.form->widgets().SB_Back->isEnabled());
    QVERIFY(!g.form->widgets().SB_Foward->isEnabled());
}

QTEST_MAIN(HistoryBoxTest)
#include "history_box_test.moc"
