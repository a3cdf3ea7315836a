// The panels beside the window and the small commands: the analysis panel's lines and their
// moves played as a variation, the game tree and its clicks and commands, the game information
// in the title and in saved records, the confirmation before a forbidden point.

#include "app/analysis_panel.h"
#include "app/forbidden_marks.h"
#include "app/game_info_dialog.h"
#include "app/window_panels.h"
#include "app_test_support.h"
#include "player/strong/strong_search.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QTimer>
#include <QTreeWidget>

#include <memory>

namespace {

int cell(int x, int y) {
    return cellIndex(x, y);
}

// Black to move; i8 (8, 7) makes two open threes.
const Points kDoubleThree = {{6, 7}, {0, 0}, {7, 7}, {14, 0}, {8, 5}, {0, 14}, {8, 6}, {14, 14}};

} // namespace

class WindowPanelsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { env_ = std::make_unique<AppTestEnvironment>(); }
    void cleanupTestCase() { env_.reset(); }
    void init() {
        AppTestEnvironment::clearSettings();
        env_->resetSeam();
    }

    void analysisLinesAreNumberedAndPlayedAsAVariation();
    void treeShowsEveryLineAndGoesToAnyNode();
    void treeCommandsEditTheVariations();
    void gameInformationIsEditedShownAndSaved();
    void forbiddenPointIsConfirmedWhenAsked();
    void panelsDockAndKeepTheBoardSize();

  private:
    std::unique_ptr<AppTestEnvironment> env_;
};

void WindowPanelsTest::analysisLinesAreNumberedAndPlayedAsAVariation() {
    TestGame g;
    WindowPanels* panels = windowPanels(*g.form);
    QVERIFY(panels);
    QVERIFY(!panels->analysis->isVisible() && !panels->tree->isVisible());
    g.place({{7, 7}, {8, 7}, {8, 8}, {6, 6}});
    g.form->game().UndoMove(); // the record keeps g7 as the main line

    SearchReport r;
    r.bestMove = cell(9, 9);
    r.score = 35;
    r.depth = 7;
    r.nodes = 20000;
    r.elapsedMs = 2000;
    r.line = {cell(9, 9), cell(6, 6), cell(10, 10)};
    panelsAnalysisReport(*g.form, r);
    AnalysisPanel& panel = *panels->analysis;
    QCOMPARE(panel.headerText(), QStringLiteral("深さ 7  20000 局面  10000 局面/秒  2.0 秒"));
    QCOMPARE(panel.rowText(0), QStringLiteral("1. 4.jA 評価 +35 5.g7 6.kB"));
    QCOMPARE(panel.rowText(1), QString());

    // A click on the line's second move plays both as a variation beside g7.
    panel.activate(0, 1);
    QCOMPARE(g.line(), (Points{{7, 7}, {8, 7}, {8, 8}, {9, 9}, {6, 6}}));
    QCOMPARE(g.history().size(), 5);
    const MOve* branch = g.form->game().record().current()->parent()->parent();
    QCOMPARE(branch->childCount(), 2);
    // The shown lines belonged to the former position: now they are dropped.
    QVERIFY(panel.position().empty());
    QVERIFY(!panels->playLine({cell(0, 0)}, BoardOverlay::positionKey(BanHistory())));
    QCOMPARE(g.moveCount(), 5);

    r.winIn = 2;
    panelsAnalysisReport(*g.form, r);
    QVERIFY(panel.headerText().startsWith(QStringLiteral("勝ち確定")));
    QVERIFY(panel.rowText(0).contains(QStringLiteral("2手で勝ち")));
    QVERIFY(panel.rowText(0).startsWith(QStringLiteral("1. 6.jA")));
}

void WindowPanelsTest::treeShowsEveryLineAndGoesToAnyNode() {
    TestGame g;
    g.place({{7, 7}, {8, 7}, {8, 8}});
    g.form->game().GoToMove(1);
    g.place({{6, 6}, {5, 5}}); // a variation at move 2
    g.form->game().GoToMove(0);
    WindowPanels& panels = *windowPanels(*g.form);
    g.form->show();
    panels.showTree->trigger();
    QVERIFY(panels.tree->isVisible());
    QTreeWidget* tree = panels.tree->tree();
    QCOMPARE(tree->topLevelItemCount(), 4); // start, h8 and the main line i8, i9
    QCOMPARE(tree->topLevelItem(1)->text(0), QStringLiteral("黒1 h8"));
    QTreeWidgetItem* variation = tree->topLevelItem(1)->child(0);
    QCOMPARE(variation->text(0), QStringLiteral("白2 g7"));
    QCOMPARE(variation->child(0)->text(0), QStringLiteral("黒3 f6"));
    QCOMPARE(tree->currentItem(), tree->topLevelItem(0));

    // Forward into the variation, then across to the end of the main line, by clicks.
    auto click = [&](QTreeWidgetItem* item) {
        tree->scrollToItem(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          tree->visualItemRect(item).center());
    };
    click(variation->child(0));
    QCOMPARE(g.line(), (Points{{7, 7}, {6, 6}, {5, 5}}));
    QCOMPARE(g.history().size(), 3);
    click(panels.tree->tree()->topLevelItem(3));
    QCOMPARE(g.line(), (Points{{7, 7}, {8, 7}, {8, 8}}));
    QCOMPARE(g.history().last(), QStringLiteral("黒3(i9):"));
    QCOMPARE(RecordTreePanel::nodeOf(panels.tree->tree()->currentItem()),
             g.form->game().record().current());

    // Refused in play mode.
    srFlags().playMode = 1;
    QVERIFY(!panels.goToNode(g.form->game().record().root()));
    srFlags().playMode = 0;

    // A record opened on the very position shown replaces the rows all the same.
    env_->seam.saveAnswer = env_->workFile("lines");
    QVERIFY(panels.saveRecordText());
    g.form->game().NewGame();
    g.place({{7, 7}, {8, 7}, {8, 8}});
    QCOMPARE(tree->topLevelItem(1)->childCount(), 0);
    QVERIFY(g.form->commands().OpenRecord(env_->workFile("lines.sgf")));
    QCOMPARE(g.line(), (Points{{7, 7}, {8, 7}, {8, 8}}));
    QCOMPARE(tree->topLevelItem(1)->childCount(), 1);
}

void WindowPanelsTest::treeCommandsEditTheVariations() {
    TestGame g;
    g.place({{7, 7}, {8, 7}});
    g.form->game().GoToMove(1);
    g.place({{6, 6}, {5, 5}});
    WindowPanels& panels = *windowPanels(*g.form);
    MOve* h8 = g.form->game().record().root()->child(0);
    const MOve* g7 = h8->child(1);

    QVERIFY(panels.runCommand(g7, RecordTreePanel::Command::MakeMainLine));
    QCOMPARE(h8->child(0), g7);
    QVERIFY(!panels.runCommand(g7, RecordTreePanel::Command::MoveUp));
    QVERIFY(panels.runCommand(g7, RecordTreePanel::Command::MoveDown));
    QCOMPARE(h8->child(1), g7);
    QCOMPARE(g.line(), (Points{{7, 7}, {6, 6}, {5, 5}}));

    // Deleting the shown line asks first, then shows the move before it.
    QVERIFY(!panels.runCommand(g7, RecordTreePanel::Command::Delete));
    QCOMPARE(h8->childCount(), 2);
    env_->seam.questionAnswer = true;
    QVERIFY(panels.runCommand(g7, RecordTreePanel::Command::Delete));
    QCOMPARE(h8->childCount(), 1);
    QCOMPARE(g.line(), (Points{{7, 7}}));
    QCOMPARE(g.history().size(), 1);
    // A node no longer in the record is refused without being read.
    QVERIFY(!panels.goToNode(g7));

    QVERIFY(panels.runCommand(h8, RecordTreePanel::Command::AddVariation));
    QCOMPARE(g.moveCount(), 1);
    g.place({{9, 9}});
    QCOMPARE(h8->childCount(), 2);
}

void WindowPanelsTest::gameInformationIsEditedShownAndSaved() {
    TestGame g;
    g.place({{7, 7}, {8, 7}});
    WindowPanels& panels = *windowPanels(*g.form);
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->findChild<QLineEdit*>("InfoBlack")->setText(QStringLiteral(" 山田 (初段) "));
        dialog->findChild<QLineEdit*>("InfoWhite")->setText(QStringLiteral("Sorell"));
        dialog->findChild<QLineEdit*>("InfoDate")->setText(QStringLiteral("2026-12-09"));
        dialog->accept();
    });
    panels.gameInfo->trigger();
    QCOMPARE(g.form->game().record().gameInfo().black, std::string("山田 （初段）"));
    QVERIFY(g.form->windowTitle().endsWith(QStringLiteral(" - 山田 （初段） 対 Sorell")));

    g.form->game().record().setRecordFormat(0);
    std::string text;
    QVERIFY(g.form->game().record().WriteBytes(text));
    QVERIFY(text.find("PB[山田 （初段）]\nPW[Sorell]\nDT[2026-12-09]\n") != std::string::npos);
    // Saved as record text from the File menu, ".sgf" added.
    env_->seam.saveAnswer = env_->workFile("info");
    panels.saveText->trigger();
    const QString file = env_->workFile("info.sgf");
    QCOMPARE(readBytes(file), QByteArray::fromStdString(text));
    const GameInfo saved = g.form->game().record().gameInfo();
    g.form->game().NewGame();
    QVERIFY(!g.form->windowTitle().contains(QStringLiteral(" 対 ")));
    QVERIFY(g.form->commands().OpenRecord(file));
    QCOMPARE(g.form->game().record().gameInfo(), saved);
    QVERIFY(g.form->windowTitle().contains(QStringLiteral("山田 （初段） 対 Sorell")));
}

void WindowPanelsTest::forbiddenPointIsConfirmedWhenAsked() {
    TestGame g;
    g.place(kDoubleThree);
    QVERIFY(!forbiddenExplanation(g.form->game().moves(), cell(8, 7)).isEmpty());
    auto clickPoint = [&](int x, int y) {
        g.form->game().Goban0MouseDown(Qt::LeftButton, pointPixel(x), pointPixel(y));
    };

    // Off by default: the stone is played at once and loses.
    clickPoint(8, 7);
    QCOMPARE(g.moveCount(), 9);
    QVERIFY(env_->seam.questions.empty());
    g.form->game().UndoMove();

    windowPanels(*g.form)->confirmForbidden->trigger();
    QCOMPARE(srOption().confirmForbidden, 1);
    clickPoint(8, 7); // answered No
    QCOMPARE(g.moveCount(), 8);
    QCOMPARE(env_->seam.questions.size(), size_t(1));
    QVERIFY(env_->seam.questions[0].text.contains(QStringLiteral("三三禁")));
    clickPoint(9, 9); // an ordinary point is not asked about
    QCOMPARE(g.moveCount(), 9);
    QCOMPARE(env_->seam.questions.size(), size_t(1));
    g.form->game().UndoMove();
    env_->seam.questionAnswer = true;
    clickPoint(8, 7);
    QCOMPARE(g.moveCount(), 9);
    // The game is over: nothing would be placed, so nothing is asked.
    QVERIFY(g.form->game().gameOver());
    g.form->game().Goban0MouseDown(Qt::LeftButton, pointPixel(8), pointPixel(7));
    QCOMPARE(env_->seam.questions.size(), size_t(2));
}

void WindowPanelsTest::panelsDockAndKeepTheBoardSize() {
    TestGame g;
    g.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(g.form.get()));
    const QSize before = g.form->size();
    WindowPanels& panels = *windowPanels(*g.form);
    QVERIFY(!panels.analysis->isVisible() && !panels.tree->isVisible());
    panels.showAnalysis->trigger();
    panels.showTree->trigger();
    QVERIFY(panels.analysis->isVisible() && !panels.analysis->isFloating());
    QCOMPARE(g.form->dockWidgetArea(panels.analysis), Qt::BottomDockWidgetArea);
    QCOMPARE(g.form->dockWidgetArea(panels.tree), Qt::RightDockWidgetArea);
    QTRY_VERIFY(g.form->width() > before.width() && g.form->height() > before.height());
    const QSize board = g.form->widgets().Goban0->size();
    QVERIFY2(board.width() >= MainWidgets::kBoardWidth &&
                 board.height() >= MainWidgets::kBoardHeight,
             qPrintable(QStringLiteral("%1x%2").arg(board.width()).arg(board.height())));
    panels.tree->setFloating(true);
    QVERIFY(panels.tree->isFloating());
    g.form->showMaximized();
    QTRY_VERIFY(g.form->isMaximized());
    g.form->close();
    g.exit();

    // The next start finds the panels where they were left and the window maximised.
    TestGame again;
    again.form->showAsLeft();
    QVERIFY(QTest::qWaitForWindowExposed(again.form.get()));
    QVERIFY(again.form->isMaximized());
    WindowPanels& left = *windowPanels(*again.form);
    QVERIFY(left.analysis->isVisible() && !left.analysis->isFloating());
    QCOMPARE(again.form->dockWidgetArea(left.analysis), Qt::BottomDockWidgetArea);
    QVERIFY(left.tree->isVisible() && left.tree->isFloating());
    QVERIFY(left.showAnalysis->isChecked() && left.showTree->isChecked());
    // Unreadable stored layouts leave both panels closed.
    again.exit();
    for (const QByteArray& junk : {QByteArray("not a layout"), QByteArray(64, '\xff')}) {
        QSettings("Pellham", "Sorell").setValue("PanelLayout", junk);
        TestGame fresh;
        fresh.form->show();
        WindowPanels& closed = *windowPanels(*fresh.form);
        QVERIFY(!closed.analysis->isVisible() && !closed.tree->isVisible());
    }
}

QTEST_MAIN(WindowPanelsTest)
#include "window_panels_test.moc"
