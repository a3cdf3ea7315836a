// The clipboard commands of the main window: copy of the move text, paste of a record, and
// the screen copy of the board picture.

#include "app/goban_box.h"
#include "app/main_form.h"
#include "app/sorell_process.h"
#include "app_test_support.h"
#include "model/move_tree.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QPlainTextEdit>
#include <QTest>

#include <memory>

namespace {

QString clipboardText() {
    return QApplication::clipboard()->text();
}

const QString kPasted = QStringLiteral("クリップボードから棋譜を読み込みました");
const QString kUnreadable = QStringLiteral("クリップボードの棋譜データ形式は読み込みできません");

} // namespace

class CmdClipboardTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        env_ = std::make_unique<AppTestEnvironment>();
        QVERIFY(env_->valid());
    }
    void cleanupTestCase() { env_.reset(); }
    void init() { env_->resetSeam(); }

    void copyOfAnEmptyRecord();
    void copyWritesTheLineUpToTheCurrentMove();
    void copyThenPasteReproducesTheLine();
    void pasteAcceptsRecordTextAndNumbers_data();
    void pasteAcceptsRecordTextAndNumbers();
    void unreadablePasteShowsItsBoxAndKeepsTheGame_data();
    void unreadablePasteShowsItsBoxAndKeepsTheGame();
    void pasteEndsARunningGame();
    void screenCopyIsTheBoardOnScreen();

  private:
    std::unique_ptr<AppTestEnvironment> env_;
};

void CmdClipboardTest::copyOfAnEmptyRecord() {
    TestGame g;
    QApplication::clipboard()->setText("something else");
    g.form->commands().KC2Click();
    QCOMPARE(clipboardText(), QString("**,"));
    QCOMPARE(g.form->statusText(), QString("クリップボードへ棋譜を書き込みました"));
}

void CmdClipboardTest::copyWritesTheLineUpToTheCurrentMove() {
    TestGame g;
    g.place({{7, 7}, {8, 6}, {0, 14}});
    g.form->commands().KC2Click();
    QCOMPARE(clipboardText(), QString("h8,i7,aF,**,"));
    g.form->game().UndoMove();
    g.form->commands().KC2Click();
    QCOMPARE(clipboardText(), QString("h8,i7,**,"));
}

void CmdClipboardTest::copyThenPasteReproducesTheLine() {
    const Points game = {{7, 7}, {8, 7}, {6, 6}, {9, 8}, {14, 14}, {0, 0}, {5, 5}};
    TestGame g;
    g.place(game);
    const QStringList history = g.history();
    g.form->commands().KC2Click();

    g.form->game().NewGame();
    g.place({{3, 3}});
    g.form->commands().KP1Click();
    QVERIFY(env_->seam.messages.empty());
    QCOMPARE(g.line(), game);
    QCOMPARE(g.history(), history);
    QCOMPARE(g.form->statusText(), kPasted);
    QCOMPARE(g.form->windowTitle(), QString("Sorell"));
    // The pasted record stands at its last move: the next stone is white's move 8.
    QVERIFY(g.form->game().PutStone(1, 1));
    QCOMPARE(g.history().last(), QString("白8(b2):"));
    // A paste forgets the record file: the title names none.
    srFlags().fileName = "old.ban";
    g.form->commands().KP1Click();
    QCOMPARE(g.form->windowTitle(), QString("Sorell"));
    QVERIFY(srFlags().fileName.isEmpty());
}

void CmdClipboardTest::pasteAcceptsRecordTextAndNumbers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("moves");
    QTest::newRow("record text, main line") << "(;GM[4]SZ[15];B[hh](;W[ih];B[ii])(;W[hi]))" << 3;
    QTest::newRow(".ban numbers") << "808\r\n908\r\n809\r\n" << 3;
    QTest::newRow("move text with line ends") << "h8,i8,\nh9,**,\n" << 3;
    QTest::newRow("move text in capitals") << "H8,I8,**," << 2;
}

void CmdClipboardTest::pasteAcceptsRecordTextAndNumbers() {
    QFETCH(QString, text);
    QFETCH(int, moves);
    TestGame g;
    QApplication::clipboard()->setText(text);
    g.form->commands().KP1Click();
    QVERIFY(env_->seam.messages.empty());
    QCOMPARE(int(g.line().size()), moves);
    QCOMPARE(g.history().size(), moves);
    QCOMPARE(g.form->statusText(), kPasted);
}

void CmdClipboardTest::unreadablePasteShowsItsBoxAndKeepsTheGame_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("words") << "hello, world";
    QTest::newRow("empty clipboard") << "";
    QTest::newRow("a move twice") << "h8,h8,**,";
    QTest::newRow("point off the board") << "h8,p8,**,";
    QTest::newRow("record text of another game") << "(;GM[5];B[hh])";
}

void CmdClipboardTest::unreadablePasteShowsItsBoxAndKeepsTheGame() {
    QFETCH(QString, text);
    TestGame g;
    g.place({{7, 7}, {8, 8}});
    srFlags().fileName = "kept.ban";
    g.form->UpdateCaption();
    g.form->SetStatus("before");
    const QStringList history = g.history();
    QApplication::clipboard()->setText(text);

    g.form->commands().KP1Click();
    QCOMPARE(env_->seam.messages.size(), size_t(1));
    QCOMPARE(env_->seam.messages[0].caption, QString("Sorell"));
    QCOMPARE(env_->seam.messages[0].text, kUnreadable);
    QCOMPARE(g.line(), (Points{{7, 7}, {8, 8}}));
    QCOMPARE(g.history(), history);
    QCOMPARE(g.form->statusText(), QString("before"));
    QCOMPARE(g.form->windowTitle(), QString("Sorell - kept.ban"));
    // The game goes on where it was.
    QVERIFY(g.form->game().PutStone(0, 0));
    QCOMPARE(g.line().size(), size_t(3));
}

void CmdClipboardTest::pasteEndsARunningGame() {
    TestGame g;
    g.form->game().PlayFirst();
    QVERIFY(g.form->game().PutStone(7, 7)); // the computer starts thinking
    QCOMPARE(srFlags().thinking, 1);
    QApplication::clipboard()->setText("a1,b2,**,");
    g.form->commands().KP1Click();
    QCOMPARE(srFlags().playMode, 0);
    QCOMPARE(srFlags().thinking, 0);
    QCOMPARE(g.form->statusText(), kPasted);
    QVERIFY(QTest::qWaitFor([&] { return g.form->game().runningWorkers() == 0; }, 20000));
    QCOMPARE(g.line(), (Points{{0, 0}, {1, 1}}));
}

// The picture is 352 x 362: the board as the screen shows it, over the window colour.
void CmdClipboardTest::screenCopyIsTheBoardOnScreen() {
    TestGame g;
    srOption().numbering = 1;
    srOption().latestCursor = 1;
    g.place({{7, 7}, {8, 7}, {7, 8}, {14, 0}, {0, 14}});
    g.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(g.form.get()));
    g.form->RefreshBoard();
    QApplication::clipboard()->clear();

    g.form->commands().H1Click();
    const QImage copy = QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(copy.size(), QSize(352, 362));

    const QImage screen =
        g.form->widgets().Goban0->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(screen.size(), QSize(352, 343));
    QCOMPARE(copy.copy(0, 0, 352, 343), screen);
    // Black at the centre, white beside it (left of their numbers), the face between them.
    QCOMPARE(QColor(copy.pixel(173, 180)), QColor(Qt::black));
    QCOMPARE(QColor(copy.pixel(193, 180)), QColor(Qt::white));
    QCOMPARE(QColor(copy.pixel(190, 190)), srOption().boardColour());
    // Below the board proper lies the window colour.
    QCOMPARE(QColor(copy.pixel(176, 355)), QApplication::palette().color(QPalette::Window));
}

QTEST_MAIN(CmdClipboardTest)
#include "cmd_clipboard_test.moc"
