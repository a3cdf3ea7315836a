// The flow of a game in the real window: mouse and keyboard moves, play mode, the computer's
// turn on its worker, taking back and replaying, the end of a game.

#include "app/goban_box.h"
#include "app/main_form.h"
#include "app/sorell_process.h"
#include "app_test_support.h"
#include "model/move_tree.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {

// The window's sounds are heard in one test.
void withSound(SrOption& o) {
    quietOptions(o);
    o.sound = 1;
}

// Black makes a double three with the ninth stone at (7, 7): a row three and a column three.
const Points kBeforeDoubleThree = {{5, 7}, {0, 0},  {6, 7}, {0, 14},
                                   {7, 5}, {14, 0}, {7, 6}, {14, 14}};

} // namespace

class GameFlowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { env_ = std::make_unique<AppTestEnvironment>(); }
    void cleanupTestCase() { env_.reset(); }
    void init() { env_->resetSeam(); }

    void clickMapsPixelsToPoints_data();
    void clickMapsPixelsToPoints();
    void clicksAreRefusedOnStonesAndAfterTheEnd();
    void keyboardEntersColumnThenRow();
    void soundsFollowTheCode();
    void playFirstWaitsForTheUserThenAnswers();
    void playSecondStartsTheComputerAtOnce();
    void playFirstWithWhiteToMoveStartsTheComputer();
    void undoInPlayMode();
    void undoWhileThinkingStopsTheWorker();
    void undoOnAnEmptyBoardLetsTheComputerPlayOn();
    void aStoppedWorkerNeverPlays();
    void redoReplaysAndIsRefusedWhileThinking();
    void doubleThreeEndsTheGame();
    void blackFiveWins();
    void captionShowsPlayModeExactly();
    void inputAssistantAnswersAFourAtOnce();
    void newGameStopsTheComputer();
    void closingWhileThinkingStopsTheWorkerAndSavesSettings();
    void anAnswerWithoutAStoneEndsPlay();

  private:
    std::unique_ptr<AppTestEnvironment> env_;
};

void GameFlowTest::clickMapsPixelsToPoints_data() {
    QTest::addColumn<int>("X");
    QTest::addColumn<int>("Y");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::newRow("on the centre line") << 180 << 180 << 7 << 7;
    QTest::newRow("first pixel of a square") << 170 << 190 << 7 << 8;
    QTest::newRow("last pixel of a square") << 189 << 169 << 7 << 6;
    QTest::newRow("top left corner") << 40 << 40 << 0 << 0;
    QTest::newRow("left edge, pixel 11") << 11 << 11 << 0 << 0;
    QTest::newRow("bottom right") << 329 << 329 << 14 << 14;
}

void GameFlowTest::clickMapsPixelsToPoints() {
    QFETCH(int, X);
    QFETCH(int, Y);
    QFETCH(int, x);
    QFETCH(int, y);
    TestGame g;
    QTest::mouseClick(g.form->widgets().Goban0, Qt::LeftButton, Qt::NoModifier, QPoint(X, Y));
    QCOMPARE(g.moveCount(), 1);
    QCOMPARE(g.at(x, y), 'B');
}

void GameFlowTest::clicksAreRefusedOnStonesAndAfterTheEnd() {
    TestGame g;
    GobanBox* box = g.form->widgets().Goban0;
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(180, 180));
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(185, 175)); // same point
    QCOMPARE(g.moveCount(), 1);
    // Pixels left of 11 and right of the last square are off the board.
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(5, 180));
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(180, 345));
    QCOMPARE(g.moveCount(), 1);
    // The right button places nothing.
    QTest::mouseClick(box, Qt::RightButton, Qt::NoModifier, QPoint(200, 200));
    QCOMPARE(g.moveCount(), 1);

    g.form->game().NewGame();
    g.place(kBeforeDoubleThree);
    QVERIFY(g.form->game().PutStone(7, 7)); // black's forbidden double three ends the game
    const int n = g.moveCount();
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(260, 260));
    QCOMPARE(g.moveCount(), n);
    QCOMPARE(g.at(11, 11), '+');
}

void GameFlowTest::keyboardEntersColumnThenRow() {
    TestGame g;
    g.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(g.form.get()));
    QTest::keyClick(g.form.get(), 'h');
    QCOMPARE(srFlags().pendingColumn, 'h');
    QTest::keyClick(g.form.get(), '8');
    QCOMPARE(g.at(7, 7), 'B');
    QCOMPARE(srFlags().pendingColumn, 'z');

    // A capital column, a row from the letters: "J" then "a" is column 9, row 9.
    QTest::keyClick(g.form.get(), 'J');
    QTest::keyClick(g.form.get(), 'a');
    QCOMPARE(g.at(9, 9), 'W');

    // "h" then "G" places nothing and keeps h pending; Backspace cancels it.
    QTest::keyClick(g.form.get(), 'h');
    QTest::keyClick(g.form.get(), 'G');
    QCOMPARE(g.moveCount(), 2);
    QCOMPARE(srFlags().pendingColumn, 'h');
    QTest::keyClick(g.form.get(), Qt::Key_Backspace);
    QCOMPARE(srFlags().pendingColumn, 'z');
    QCOMPARE(g.moveCount(), 2);
    // With nothing pending, Backspace takes a move back.
    QTest::keyClick(g.form.get(), Qt::Key_Backspace);
    QCOMPARE(g.moveCount(), 1);

    // An occupied point keeps the column pending.
    QTest::keyClick(g.form.get(), 'h');
    QTest::keyClick(g.form.get(), '8');
    QCOMPARE(g.moveCount(), 1);
    QCOMPARE(srFlags().pendingColumn, 'h');

    // Keys typed while the history box has the focus still reach the form first.
    QTest::keyClick(g.form.get(), Qt::Key_Backspace);
    g.form->widgets().MemoHistory->setFocus();
    QTest::keyClick(g.form->widgets().MemoHistory, 'a');
    QTest::keyClick(g.form->widgets().MemoHistory, '1');
    QCOMPARE(g.at(0, 0), 'W');
}

void GameFlowTest::soundsFollowTheCode() {
    TestGame g(withSound);
    g.place({{7, 7}});
    g.place({{0, 0}, {8, 7}, {0, 1}}); // black's second stone makes nothing
    QCOMPARE(env_->seam.beeps.size(), size_t(4));
    QVERIFY(env_->seam.beeps.front() == UiSeam::Beep::Default);
    g.place({{9, 7}}); // a three
    QVERIFY(env_->seam.beeps.back() == UiSeam::Beep::Exclamation);
    g.form->widgets().KS2->trigger(); // sound off
    g.place({{0, 2}});
    QCOMPARE(env_->seam.beeps.size(), size_t(5));
}

void GameFlowTest::playFirstWaitsForTheUserThenAnswers() {
    TestGame g;
    g.form->game().PlayFirst();
    QCOMPARE(srFlags().playMode, 1);
    QCOMPARE(srFlags().userParity, 0);
    QCOMPARE(srFlags().thinking, 0);
    QCOMPARE(g.form->statusText(), QString("あなたの番です"));
    QCOMPARE(g.form->widgets().Label5->text(), QString("あなた"));
    QCOMPARE(g.form->widgets().Label6->text(), QString("コンピュータ"));
    QVERIFY(g.form->widgets().KG1->isEnabled());
    QVERIFY(g.form->widgets().SpeedButton6->isEnabled());

    QSignalSpy answered(&g.form->game(), &GameFlow::computerMoveDone);
    QTest::mouseClick(g.form->widgets().Goban0, Qt::LeftButton, Qt::NoModifier, QPoint(180, 180));
    QCOMPARE(srFlags().thinking, 1);
    QCOMPARE(g.form->statusText(), QString("ただいま考えています"));
    // Clicks and keys are ignored while the computer thinks.
    QTest::mouseClick(g.form->widgets().Goban0, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    QVERIFY(answered.wait(20000));
    QVERIFY(g.settled());
    QCOMPARE(g.moveCount(), 2);
    QCOMPARE(g.at(3, 3), '+');
    const auto last = g.form->game().moves().last();
    QCOMPARE(last.colour, uint8_t('W'));
    QVERIFY(std::abs(last.x - 7) <= 1 && std::abs(last.y - 7) <= 1); // next to the centre
    QCOMPARE(g.form->statusText(), QString("あなたの番です"));
}

void GameFlowTest::playSecondStartsTheComputerAtOnce() {
    TestGame g;
    QSignalSpy answered(&g.form->game(), &GameFlow::computerMoveDone);
    g.form->game().PlaySecond();
    QCOMPARE(srFlags().userParity, 1);
    QCOMPARE(g.form->widgets().Label5->text(), QString("コンピュータ"));
    QCOMPARE(g.form->widgets().Label6->text(), QString("あなた"));
    QCOMPARE(srFlags().thinking, 1);
    QVERIFY(answered.wait(20000));
    QVERIFY(g.settled());
    QCOMPARE(g.moveCount(), 1);
    QCOMPARE(g.at(7, 7), 'B'); // the first move is the centre
    QCOMPARE(answered.size(), 1);
    QCOMPARE(answered.first().first().toInt(), 112);
}

void GameFlowTest::playFirstWithWhiteToMoveStartsTheComputer() {
    TestGame g;
    g.place({{7, 7}, {8, 8}, {6, 6}});
    g.form->game().PlayFirst(); // three stones: white is to move, and white is the computer
    QCOMPARE(srFlags().thinking, 1);
    QVERIFY(g.settled());
    QCOMPARE(g.moveCount(), 4);
    QCOMPARE(g.form->game().moves().last().colour, uint8_t('W'));
}

void GameFlowTest::undoInPlayMode() {
    TestGame g;
    g.form->game().PlaySecond();
    QVERIFY(g.settled());
    QCOMPARE(g.moveCount(), 1);
    // One stone, the user to move: nothing is taken back.
    g.form->game().UndoMove();
    QCOMPARE(g.moveCount(), 1);

    g.place({{6, 6}});
    QVERIFY(g.settled());
    QCOMPARE(g.moveCount(), 3);
    QCOMPARE(g.history().size(), 3);
    g.form->game().UndoMove(); // the computer's and the user's moves
    QCOMPARE(g.moveCount(), 1);
    QCOMPARE(g.history().size(), 1);
    QCOMPARE(g.form->statusText(), QString("あなたの番です"));
    QCOMPARE(srFlags().playMode, 1);

    // Out of play mode one move at a time.
    g.form->game().Resign();
    g.form->game().UndoMove();
    QCOMPARE(g.moveCount(), 0);
    g.form->game().UndoMove();
    QCOMPARE(g.moveCount(), 0);
}

void GameFlowTest::undoWhileThinkingStopsTheWorker() {
    TestGame g;
    g.place({{7, 7}, {8, 8}, {6, 6}, {9, 9}});
    g.form->game().PlayFirst();
    g.place({{5, 5}});
    QCOMPARE(srFlags().thinking, 1);
    g.form->game().UndoMove();
    QCOMPARE(srFlags().thinking, 0);
    QCOMPARE(g.moveCount(), 4); // only the user's move the computer was answering
    QVERIFY(g.settled());
    QTest::qWait(50);
    QCOMPARE(g.moveCount(), 4); // the stopped worker's answer was dropped
    QCOMPARE(g.form->statusText(), QString("あなたの番です"));
}

// Nothing can be taken back: the computer keeps black and its first move still comes.
void GameFlowTest::undoOnAnEmptyBoardLetsTheComputerPlayOn() {
    TestGame g;
    QSignalSpy answered(&g.form->game(), &GameFlow::computerMoveDone);
    g.form->game().PlaySecond();
    QCOMPARE(srFlags().thinking, 1);
    g.form->game().UndoMove();
    QTest::keyClick(g.form.get(), Qt::Key_Backspace);
    QCOMPARE(srFlags().thinking, 1);
    QCOMPARE(srFlags().playMode, 1);
    QCOMPARE(g.form->statusText(), QString("ただいま考えています"));
    QVERIFY(g.settled());
    QCOMPARE(answered.size(), 1);
    QCOMPARE(g.moveCount(), 1);
    QCOMPARE(g.at(7, 7), 'B');
    QCOMPARE(g.form->statusText(), QString("あなたの番です"));
}

// A worker stopped just before a new one starts must never play, whichever answers first.
void GameFlowTest::aStoppedWorkerNeverPlays() {
    TestGame g;
    g.place({{7, 7}, {8, 8}, {6, 6}, {9, 9}, {7, 8}});
    g.form->game().PlaySecond(); // white is to move: the user; nothing starts
    QCOMPARE(srFlags().thinking, 0);
    g.form->game().PlayFirst(); // black is the user, white the computer: a worker starts
    QCOMPARE(srFlags().thinking, 1);
    for (int i = 0; i < 5; ++i) {
        g.form->game().StopThinking();
        g.form->game().StartThinking();
    }
    QSignalSpy answered(&g.form->game(), &GameFlow::computerMoveDone);
    QVERIFY(g.settled());
    QTest::qWait(50);
    QCOMPARE(answered.size(), 1);
    QCOMPARE(g.moveCount(), 6);
    QCOMPARE(g.form->game().moves().last().colour, uint8_t('W'));
    QCOMPARE(g.form->statusText(), QString("あなたの番です"));
}

void GameFlowTest::redoReplaysAndIsRefusedWhileThinking() {
    TestGame g;
    g.place({{7, 7}, {8, 8}, {6, 6}});
    g.form->game().UndoMove();
    g.form->game().UndoMove();
    QVERIFY(g.form->widgets().SB_Foward->isEnabled());
    g.form->game().RedoMove();
    QCOMPARE(g.moveCount(), 2);
    QCOMPARE(g.at(8, 8), 'W');
    QCOMPARE(g.history().last(), QString("白2(i9):"));

    // In play mode with the computer thinking, the replay is refused.
    g.form->game().UndoMove();
    g.form->game().PlaySecond(); // one stone: white (the user) to move; nothing starts
    g.form->game().PlayFirst();  // now the computer is white: it starts thinking
    QCOMPARE(srFlags().thinking, 1);
    const int n = g.moveCount();
    g.form->game().RedoMove();
    QCOMPARE(g.moveCount(), n);
    QVERIFY(g.settled());
    QCOMPARE(g.moveCount(), n + 1);
    QCOMPARE(g.form->game().moves().last().colour, uint8_t('W'));
}

void GameFlowTest::doubleThreeEndsTheGame() {
    TestGame g;
    g.place(kBeforeDoubleThree);
    g.form->game().PlayFirst(); // eight stones: black, the user, is to move
    QCOMPARE(srFlags().thinking, 0);
    QTest::mouseClick(g.form->widgets().Goban0, Qt::LeftButton, Qt::NoModifier, QPoint(180, 180));
    QCOMPARE(g.moveCount(), 9);
    QCOMPARE(g.form->statusText(), QString("三三禁で白の勝ち"));
    QCOMPARE(env_->seam.messages.size(), size_t(1));
    QCOMPARE(env_->seam.messages[0].caption, QString("終局"));
    QCOMPARE(env_->seam.messages[0].text, QString("三三禁で白の勝ち"));
    QCOMPARE(srFlags().playMode, 0);
    QCOMPARE(srFlags().thinking, 0);
    QVERIFY(!g.form->widgets().KG1->isEnabled());
    QCOMPARE(g.form->windowTitle(), QString("Sorell"));
    QVERIFY(g.history().last().endsWith(":三三禁"));
    // No play after the end; undo reopens the game.
    g.form->game().PlayFirst();
    QCOMPARE(srFlags().playMode, 0);
    g.form->game().UndoMove();
    QCOMPARE(g.moveCount(), 8);
    QVERIFY(g.form->game().PutStone(3, 3));
}

void GameFlowTest::blackFiveWins() {
    TestGame g;
    g.place({{3, 7}, {0, 0}, {4, 7}, {0, 2}, {5, 7}, {0, 4}, {6, 7}, {0, 6}, {7, 7}});
    QCOMPARE(g.form->statusText(), QString("五で黒の勝ち"));
    QVERIFY(!g.form->game().PutStone(10, 10));
    QCOMPARE(g.moveCount(), 9);
}

void GameFlowTest::captionShowsPlayModeExactly() {
    TestGame g;
    QCOMPARE(g.form->windowTitle(), QString("Sorell"));
    g.form->game().PlayFirst();
    QCOMPARE(g.form->windowTitle(), QString("Sorell [対局モード]"));
    srFlags().fileName = "game.ban";
    g.form->UpdateCaption();
    QCOMPARE(g.form->windowTitle(), QString("Sorell - game.ban [対局モード]"));
    g.form->game().Resign();
    QCOMPARE(g.form->windowTitle(), QString("Sorell - game.ban"));
    QCOMPARE(g.form->statusText(), QString("投了しました"));
    g.form->game().NewGame(); // the file name stays
    QCOMPARE(g.form->windowTitle(), QString("Sorell - game.ban"));
    srFlags().fileName.clear();
}

void GameFlowTest::inputAssistantAnswersAFourAtOnce() {
    TestGame g;
    g.form->widgets().KA2->trigger();
    QCOMPARE(srOption().inputAssistant, 1);
    // Black's fourth stone in the row makes a four closed at (2, 7): white must take (7, 7).
    g.place({{3, 7}, {2, 7}, {4, 7}, {0, 14}, {5, 7}, {14, 0}, {6, 7}});
    QCOMPARE(g.moveCount(), 8);
    QCOMPARE(g.at(7, 7), 'W');
    QCOMPARE(srFlags().thinking, 0);
}

void GameFlowTest::newGameStopsTheComputer() {
    TestGame g;
    g.form->game().PlaySecond();
    QCOMPARE(srFlags().thinking, 1);
    g.form->game().NewGame();
    QCOMPARE(srFlags().thinking, 0);
    QCOMPARE(srFlags().playMode, 0);
    QVERIFY(g.settled());
    QTest::qWait(50);
    QCOMPARE(g.moveCount(), 0);
    QCOMPARE(g.form->statusText(), QString());
    QVERIFY(!g.form->widgets().SB_Back->isEnabled());
}

void GameFlowTest::closingWhileThinkingStopsTheWorkerAndSavesSettings() {
    AppTestEnvironment::clearSettings();
    {
        TestGame g;
        g.form->show();
        g.form->widgets().KN2->trigger(); // numbering on
        g.place({{7, 7}, {8, 8}, {6, 6}, {9, 9}});
        g.form->game().PlayFirst();
        g.place({{5, 5}});
        QCOMPARE(srFlags().thinking, 1);
        QVERIFY(g.form->close());
        QCOMPARE(g.form->game().runningWorkers(), 0);
        QCOMPARE(srFlags().thinking, 0);
        QCOMPARE(g.moveCount(), 5);
    }
    QSettings store("Pellham", "Sorell");
    QCOMPARE(store.value("Numbering").toInt(), 1);
}

// The computer's answer places no stone (none at all, or a point that is taken): its colour is
// still to move, so play mode ends instead of calling it the user's turn.
void GameFlowTest::anAnswerWithoutAStoneEndsPlay() {
    for (const int answer : {255, 7 + 15 * 7}) {
        TestGame g;
        g.place({{7, 7}});
        g.form->game().PlayFirst(); // the user is black; white, the computer, is to move
        QCOMPARE(srFlags().thinking, 1);
        g.form->game().StopThinking();
        QSignalSpy answered(&g.form->game(), &GameFlow::computerMoveDone);
        g.form->game().resultCell = static_cast<uint8_t>(answer);
        g.form->game().ThinkingDone();
        QCOMPARE(g.moveCount(), 1);
        QCOMPARE(srFlags().playMode, 0);
        QCOMPARE(g.form->statusText(), QString("コンピュータが着手できないため対局を終了しました"));
        QCOMPARE(answered.size(), 1);
        QCOMPARE(answered.at(0).at(0).toInt(), 255);
        QVERIFY(g.settled());
        QCOMPARE(g.moveCount(), 1);
    }
}

QTEST_MAIN(GameFlowTest)
#include "game_flow_test.moc"
