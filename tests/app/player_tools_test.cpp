// The player's tools: level, openings, navigation, keyboard column, database places, hint and
// analysis.

#include "app/board_overlay.h"
#include "app/database_places.h"
#include "app/main_form.h"
#include "app/opening_dialog.h"
#include "app/openings.h"
#include "app/sorell_process.h"
#include "app/standard_form.h"
#include "app_test_support.h"
#include "database/k_data.h"
#include "database/k_database.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>

#include <memory>

namespace {

// Black's open four on row 7 with black to move: (2, 7) or (7, 7) wins at once.
const Points kBlackToWin = {{3, 7}, {0, 0}, {4, 7}, {0, 2}, {5, 7}, {0, 4}, {6, 7}, {14, 14}};

bool settledAnalysers(TestGame& g) {
    return QTest::qWaitFor([&] { return g.form->analysis().runningAnalysers() == 0; }, 20000);
}

} // namespace

class PlayerToolsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { env_ = std::make_unique<AppTestEnvironment>(); }
    void cleanupTestCase() { env_.reset(); }
    void init() {
        AppTestEnvironment::clearSettings();
        env_->resetSeam();
    }

    void levelIsChosenAndStored();
    void openingsDialog();
    void newGameFromAnOpening();
    void navigationToAnyMove();
    void pendingColumnAndWindowSize();
    void databaseIsFoundInItsPlaces();
    void editorHasAMenuItem();
    void hintMarksTheWinningPoint();
    void analysisFollowsThePositionAndStops();

  private:
    std::unique_ptr<AppTestEnvironment> env_;
};

void PlayerToolsTest::levelIsChosenAndStored() {
    {
        TestGame g;
        QVERIFY(g.form->widgets().KLevelStandard->isChecked());
        QVERIFY(!thinkingLevel().isStrong());
        QCOMPARE(g.form->widgets().KLevel->actions().size(), 4);
        g.form->widgets().KLevelStrong3->trigger();
        QVERIFY(thinkingLevel().isStrong());
        QCOMPARE(thinkingLevel().strongSettings()->timeMs, 3000);
        QVERIFY(!g.form->widgets().KLevelStandard->isChecked());
        // The computer plays at the strong level.
        g.form->widgets().KLevelStrong1->trigger();
        g.form->game().PlaySecond();
        QVERIFY(g.settled());
        QCOMPARE(g.moveCount(), 1);
        g.form->game().Resign();
        g.form->widgets().KLevelStrong3->trigger();
        // The threads: every core but one until a count is chosen, whatever the level.
        auto* automatic = g.form->findChild<QAction*>("KThreadsAuto");
        auto* one = g.form->findChild<QAction*>("KThreads1");
        QVERIFY(automatic && one && automatic->isChecked());
        QCOMPARE(thinkingLevel().strongSettings()->threads, defaultSearchThreads());
        one->trigger();
        g.form->widgets().KLevelStrong3->trigger();
        QCOMPARE(thinkingLevel().strongSettings()->threads, 1);
    }
    QCOMPARE(QSettings("Pellham", "Sorell").value("Level").toInt(), 3000);
    QCOMPARE(QSettings("Pellham", "Sorell").value("Threads").toInt(), 1);
    {
        TestGame again(storedOptions);
        QVERIFY(again.form->widgets().KLevelStrong3->isChecked());
        QCOMPARE(thinkingLevel().strongSettings()->timeMs, 3000);
        QVERIFY(again.form->findChild<QAction*>("KThreads1")->isChecked());
        QCOMPARE(thinkingLevel().strongSettings()->threads, 1);
    }
    // A time the menu does not offer is the standard player; a thread count beyond the
    // machine's cores is the automatic one.
    QSettings("Pellham", "Sorell").setValue("Level", 1234);
    QSettings("Pellham", "Sorell").setValue("Threads", 999);
    TestGame odd(storedOptions);
    QVERIFY(odd.form->widgets().KLevelStandard->isChecked());
    QVERIFY(!thinkingLevel().isStrong());
    QVERIFY(odd.form->findChild<QAction*>("KThreadsAuto")->isChecked());
    QCOMPARE(searchThreads(), defaultSearchThreads());
}

void PlayerToolsTest::openingsDialog() {
    OpeningDialog dialog;
    QCOMPARE(dialog.list->count(), kOpeningCount);
    QCOMPARE(dialog.list->item(0)->text(), QString("D1 寒星 (Kansei)"));
    dialog.list->setCurrentRow(14);
    dialog.side->setCurrentIndex(dialog.side->findData(OpeningDialog::kComputerBlack));
    QCOMPARE(dialog.opening(), 14);
    QCOMPARE(dialog.computer(), OpeningDialog::kComputerBlack);
}

void PlayerToolsTest::newGameFromAnOpening() {
    TestGame g;
    g.form->game().NewGameFromOpening(0, OpeningDialog::kNoComputer);
    QCOMPARE(g.line(), (Points{{7, 7}, {7, 6}, {7, 5}}));
    QCOMPARE(g.history().size(), 3);
    QCOMPARE(srFlags().playMode, 0);
    // The computer takes black: the user, white, is to move.
    g.form->game().NewGameFromOpening(13, OpeningDialog::kComputerBlack);
    QCOMPARE(g.line(), (Points{{7, 7}, {8, 6}, {9, 5}}));
    QCOMPARE(srFlags().playMode, 1);
    QCOMPARE(srFlags().userParity, 1);
    QCOMPARE(g.form->statusText(), QString("あなたの番です"));
    // The computer takes white: it answers the third stone.
    g.form->game().NewGameFromOpening(5, OpeningDialog::kComputerWhite);
    QVERIFY(g.settled());
    QCOMPARE(g.moveCount(), 4);
    QCOMPARE(srFlags().userParity, 0);
    g.form->game().Resign();
}

void PlayerToolsTest::navigationToAnyMove() {
    TestGame g;
    g.form->show();
    const Points five = {{7, 7}, {8, 8}, {6, 6}, {9, 9}, {5, 5}};
    g.place(five);
    g.form->game().GoToStart();
    QCOMPARE(g.moveCount(), 0);
    QVERIFY(g.history().isEmpty());
    QVERIFY(!g.form->widgets().SB_First->isEnabled());
    QVERIFY(g.form->widgets().SB_Last->isEnabled());
    g.form->game().GoToEnd();
    QCOMPARE(g.line(), five);
    QCOMPARE(g.history().size(), 5);
    g.form->game().GoToMove(2);
    QCOMPARE(g.moveCount(), 2);
    // The keys (shortcuts reach an active window) and the toolbar.
    g.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(g.form.get()));
    QTest::keyClick(g.form.get(), Qt::Key_End);
    QCOMPARE(g.moveCount(), 5);
    QTest::keyClick(g.form.get(), Qt::Key_Home);
    QCOMPARE(g.moveCount(), 0);
    g.form->widgets().SB_Last->click();
    QCOMPARE(g.moveCount(), 5);
    // A click on the third line of the history box.
    QPlainTextEdit* box = g.form->widgets().MemoHistory;
    const QPoint at = box->cursorRect(QTextCursor(box->document()->findBlockByNumber(2))).center();
    QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(g.line(), (Points{{7, 7}, {8, 8}, {6, 6}}));
    // Refused while a game against the computer is on.
    g.form->game().PlayFirst();
    g.form->game().GoToStart();
    QCOMPARE(g.moveCount(), 3);
    g.form->game().Resign();
}

void PlayerToolsTest::pendingColumnAndWindowSize() {
    TestGame g;
    g.form->show();
    const QSize size = g.form->size();
    QTest::keyClick(g.form.get(), 'h');
    QVERIFY(g.form->game().pendingText().contains('h'));
    QTest::keyClick(g.form.get(), '8');
    QVERIFY(g.form->game().pendingText().isEmpty());
    QCOMPARE(g.moveCount(), 1);
    QTest::keyClick(g.form.get(), 'j');
    QTest::keyClick(g.form.get(), Qt::Key_Backspace);
    QVERIFY(g.form->game().pendingText().isEmpty());
    g.form->SetStatus(QString(300, QChar(0x9ed2)));
    QCoreApplication::processEvents();
    QCOMPARE(g.form->size(), size);
}

void PlayerToolsTest::databaseIsFoundInItsPlaces() {
    QVERIFY(!databaseDirectory(3)); // nowhere
    KDataBase here = KDataBase::unloaded(3);
    KData entry(3);
    entry.stones[0] = 112;
    entry.stones[1] = 97;
    entry.stones[2] = 82;
    entry.continuations.push_back(KDataElement{113, 0});
    QVERIFY(here.registerData(entry));
    QVERIFY(here.save());
    QCOMPARE(*databaseDirectory(3), std::string());
    const unsigned char stones[] = {112, 97, 82};
    QCOMPARE(lookupStandardMove(stones, 3), 113);
    QFile::remove("kelp003.kdb");
    // Beside the program, for a stone count no other test uses.
    const QString beside = QCoreApplication::applicationDirPath() + "/kelp211.kdb";
    QVERIFY(writeBytes(beside, "210 0 211\r\n"));
    const auto found = databaseDirectory(211);
    QFile::remove(beside);
    QVERIFY(found);
    QCOMPARE(QString::fromStdString(*found),
             QDir(QCoreApplication::applicationDirPath()).absolutePath() + '/');
}

void PlayerToolsTest::editorHasAMenuItem() {
    TestGame g;
    QVERIFY(g.form->widgets().SpeedButton7->isHidden());
    QVERIFY(g.form->widgets().KE1->actions().contains(g.form->widgets().KEditor));
    g.form->widgets().KEditor->trigger();
    QVERIFY(g.form->commands().StandardForm);
    QVERIFY(g.form->commands().StandardForm->isVisible());
}

void PlayerToolsTest::hintMarksTheWinningPoint() {
    TestGame g;
    g.place(kBlackToWin);
    g.form->widgets().SB_Hint->click();
    QVERIFY(QTest::qWaitFor([&] { return g.form->analysis().overlay().hint != kNoMove; }, 20000));
    const int hint = g.form->analysis().overlay().hint;
    QVERIFY(hint == 2 + 15 * 7 || hint == 7 + 15 * 7);
    QVERIFY(g.form->statusText().startsWith("ヒント: "));
    // The mark goes with the position.
    QVERIFY(g.form->game().PutStone(hint % 15, hint / 15));
    QCOMPARE(g.form->analysis().overlay().hint, kNoMove);
    QVERIFY(settledAnalysers(g));
}

void PlayerToolsTest::analysisFollowsThePositionAndStops() {
    TestGame g;
    g.place({{7, 7}, {8, 8}});
    g.form->widgets().KAnalysis->trigger();
    QVERIFY(g.form->analysis().analysing());
    QVERIFY(g.form->widgets().SB_Analysis->isChecked());
    QVERIFY(QTest::qWaitFor([&] { return !g.form->analysis().overlay().line.empty(); }, 20000));
    QVERIFY(g.form->analysis().analysisText().contains("深さ"));
    // A new stone: the analysis moves to the new position.
    QVERIFY(g.form->game().PutStone(6, 6));
    const std::string key = BoardOverlay::positionKey(g.form->game().moves());
    QVERIFY(QTest::qWaitFor(
        [&] {
            return g.form->analysis().overlay().position == key &&
                   !g.form->analysis().overlay().line.empty();
        },
        20000));
    // Off: the marks and the text go at once, the worker ends.
    g.form->widgets().SB_Analysis->click();
    QVERIFY(!g.form->analysis().analysing());
    QVERIFY(g.form->analysis().overlay().line.empty());
    QVERIFY(g.form->analysis().analysisText().isEmpty());
    QVERIFY(settledAnalysers(g));
    QCoreApplication::processEvents();
    QVERIFY(g.form->analysis().overlay().line.empty());
}

QTEST_MAIN(PlayerToolsTest)
#include "player_tools_test.moc"
