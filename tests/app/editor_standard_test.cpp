// The standard-openings editor opened from the main window: the counts it shows, register and
// delete on the database file of the shown stone count, the new-ID box, and what it says when
// it cannot work. The current directory is a fresh temporary one, so every database file here
// is made by the test.

#include "app/main_form.h"
#include "app/sorell_process.h"
#include "app/standard_form.h"
#include "app_test_support.h"
#include "model/move_tree.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryFile>
#include <QTest>
#include <QToolButton>

#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

// The main window with the standard hints on, and its openings editor.
struct EditorGame : TestGame {
    EditorGame()
        : TestGame([](SrOption& o) {
              quietOptions(o);
              o.standard = 1;
          }) {}
    TStandardForm* openEditor() {
        form->widgets().SpeedButton7->click();
        return form->commands().StandardForm;
    }
};

// Collects what is written to the standard error stream while it lives.
class StderrCapture {
  public:
    StderrCapture() {
        std::fflush(stderr);
        file_.open();
        saved_ = ::dup(2);
        ::dup2(file_.handle(), 2);
    }
    ~StderrCapture() { restore(); }
    QString text() {
        restore();
        file_.seek(0);
        return QString::fromUtf8(file_.readAll());
    }

  private:
    void restore() {
        if (saved_ < 0) return;
        std::fflush(stderr);
        ::dup2(saved_, 2);
        ::close(saved_);
        saved_ = -1;
    }
    QTemporaryFile file_;
    int saved_ = -1;
};

// Three moves: the position of two stones, h8 (112) and i8 (113), continued by i9 (128).
const Points kLine = {{7, 7}, {8, 7}, {8, 8}};
// The same position and continuation mirrored left to right: h8, g8, g9.
const Points kMirrored = {{7, 7}, {6, 7}, {6, 8}};
const char kFile[] = "kelp002.kdb";

} // namespace

class EditorStandardTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        env_ = std::make_unique<AppTestEnvironment>();
        QVERIFY(env_->valid());
    }
    void cleanupTestCase() { env_.reset(); }
    void init() {
        env_->resetSeam();
        QDir work(env_->workPath());
        for (const QString& f : work.entryList({"kelp*"}, QDir::Files)) work.remove(f);
        work.rmdir(kFile);
    }

    void theButtonIsHiddenAndOpensTheEditor();
    void noDatabaseFileReportsAndCountsZero();
    void registerCreatesTheFileWithItsEntry();
    void registerInAnotherOrientationAddsNothing();
    void deleteRemovesThePosition();
    void aForbiddenAnswerIsNotRegistered();
    void menuItemsDoWhatTheButtonsDo();
    void deleteWithoutFileLeavesAnEmptyFile();
    void emptyLineIsSaidAndNothingWritten();
    void failedSaveIsSaid();
    void aFileThatDidNotLoadIsKept();
    void editorFollowsTheMainWindowWithItsOwnCopy();
    void newIdTakesTheLeadingNumber_data();
    void newIdTakesTheLeadingNumber();

  private:
    QString path(const QString& name) const { return env_->workFile(name); }
    std::unique_ptr<AppTestEnvironment> env_;
};

void EditorStandardTest::theButtonIsHiddenAndOpensTheEditor() {
    EditorGame g;
    g.form->show();
    QVERIFY(g.form->widgets().SpeedButton7->isHidden());
    QCOMPARE(g.form->widgets().SpeedButton7->toolTip(), QString("定石登録"));
    QVERIFY(!g.form->commands().StandardForm);
    TStandardForm* editor = g.openEditor();
    QVERIFY(editor);
    QVERIFY(editor->isVisible());
    QVERIFY(editor->isWindow());
    QCOMPARE(editor->windowTitle(), QString("定石エディタ"));
    QCOMPARE(editor->newId(), 30);
    QCOMPARE(editor->E_ID->text(), QString("30"));
    QCOMPARE(editor->SpeedButton1->toolTip(), QString("登録"));
    QCOMPARE(editor->SpeedButton2->toolTip(), QString("削除"));
    QCOMPARE(editor->SpeedButton3->toolTip(), QString("表示更新"));
    // A second click shows the same window again.
    editor->close();
    QVERIFY(!editor->isVisible());
    QCOMPARE(g.openEditor(), editor);
    QVERIFY(editor->isVisible());
    // Closing the main window closes the editor.
    g.form->close();
    QVERIFY(!editor->isVisible());
}

void EditorStandardTest::noDatabaseFileReportsAndCountsZero() {
    EditorGame g;
    srOption().standard = 0; // the board drawing then reads no database file
    g.place(kLine);
    StderrCapture err;
    TStandardForm* editor = g.openEditor();
    QVERIFY(err.text().contains("error: database not found\n"));
    QCOMPARE(editor->NumOfData->text(), QString("0"));
    QCOMPARE(editor->Tesu->text(), QString("1"));
    QCOMPARE(editor->ResistedID->text(), QString("0"));
    QVERIFY(!QFile::exists(path(kFile)));
}

void EditorStandardTest::registerCreatesTheFileWithItsEntry() {
    EditorGame g;
    g.place(kLine);
    TStandardForm* editor = g.openEditor();
    editor->SpeedButton1->click();
    QCOMPARE(readBytes(path(kFile)), QByteArray("210 1 2\r\n1024 112 113 128 0\r\n"));
    QCOMPARE(editor->NumOfData->text(), QString("1"));
    QCOMPARE(editor->statusText(), QString());
    // With the file in place the main board marks the continuation as a green disc.
    g.form->game().UndoMove();
    QCOMPARE(QColor(srFlags().boardBitmap.toImage().pixel(200, 200)), QColor(0, 255, 0));
}

void EditorStandardTest::registerInAnotherOrientationAddsNothing() {
    EditorGame g;
    g.place(kLine);
    TStandardForm* editor = g.openEditor();
    editor->Register();
    const QByteArray once = readBytes(path(kFile));

    g.form->game().NewGame();
    g.place(kMirrored);
    QCOMPARE(editor->NumOfData->text(), QString("1"));
    editor->Register();
    QCOMPARE(readBytes(path(kFile)), once);
    QCOMPARE(editor->NumOfData->text(), QString("1"));

    // Another position of two stones is added after it.
    g.form->game().NewGame();
    g.place({{0, 0}, {1, 1}, {2, 2}});
    editor->Register();
    QCOMPARE(readBytes(path(kFile)),
             QByteArray("210 2 2\r\n1024 112 113 128 0\r\n1024 0 16 32 0\r\n"));
    QCOMPARE(editor->NumOfData->text(), QString("2"));
}

void EditorStandardTest::deleteRemovesThePosition() {
    EditorGame g;
    g.place(kLine);
    TStandardForm* editor = g.openEditor();
    editor->Register();
    // Deleting from the mirrored orientation removes the stored entry.
    g.form->game().NewGame();
    g.place(kMirrored);
    editor->SpeedButton2->click();
    QCOMPARE(readBytes(path(kFile)), QByteArray("210 0 2\r\n"));
    QCOMPARE(editor->NumOfData->text(), QString("0"));
}

// f8 o15 g8 o13 h6 o11 h7 o9, then black's h8: a double three.
void EditorStandardTest::aForbiddenAnswerIsNotRegistered() {
    EditorGame g;
    g.place({{5, 7}, {14, 14}, {6, 7}, {14, 12}, {7, 5}, {14, 10}, {7, 6}, {14, 8}, {7, 7}});
    TStandardForm* editor = g.openEditor();
    editor->Register();
    QCOMPARE(editor->statusText(), QString("禁手は登録できません"));
    QVERIFY(!QFile::exists(path("kelp008.kdb")));
    // one move earlier the line ends in white's stone, which is registered
    g.form->game().UndoMove();
    editor->Register();
    QVERIFY(QFile::exists(path("kelp007.kdb")));
}

void EditorStandardTest::menuItemsDoWhatTheButtonsDo() {
    EditorGame g;
    g.place(kLine);
    TStandardForm* editor = g.openEditor();
    editor->KAppend->trigger();
    QCOMPARE(editor->NumOfData->text(), QString("1"));
    editor->KDelete->trigger();
    QCOMPARE(editor->NumOfData->text(), QString("0"));
    editor->KX1->trigger();
    QVERIFY(!editor->isVisible());
}

// A command saves the file even when nothing changed: a delete without any file leaves one
// that holds only its header.
void EditorStandardTest::deleteWithoutFileLeavesAnEmptyFile() {
    EditorGame g;
    g.place(kLine);
    TStandardForm* editor = g.openEditor();
    editor->Delete();
    QCOMPARE(readBytes(path(kFile)), QByteArray("210 0 2\r\n"));
    QCOMPARE(editor->NumOfData->text(), QString("0"));
}

void EditorStandardTest::emptyLineIsSaidAndNothingWritten() {
    EditorGame g;
    TStandardForm* editor = g.openEditor();
    QCOMPARE(editor->NumOfData->text(), QString("0"));
    QCOMPARE(editor->Tesu->text(), QString("0"));
    editor->Register();
    QCOMPARE(editor->statusText(), QString("登録する石がありません"));
    editor->Delete();
    QVERIFY(!editor->statusText().isEmpty());
    QVERIFY(QDir(env_->workPath()).entryList({"kelp*"}).isEmpty());

    // A single move registers the first move for the empty board.
    g.place({{7, 7}});
    editor->Register();
    QCOMPARE(editor->statusText(), QString());
    QCOMPARE(readBytes(path("kelp000.kdb")), QByteArray("210 1 0\r\n1024 112 0\r\n"));
}

void EditorStandardTest::failedSaveIsSaid() {
    QVERIFY(QDir().mkpath(path(kFile))); // a directory where the file belongs
    EditorGame g;
    g.place(kLine);
    TStandardForm* editor = g.openEditor();
    editor->Register();
    QVERIFY(editor->statusText().contains(kFile));
    QVERIFY(QFileInfo(path(kFile)).isDir());
    // The next command that succeeds clears the message.
    QVERIFY(QDir().rmdir(path(kFile)));
    editor->Register();
    QCOMPARE(editor->statusText(), QString());
    QCOMPARE(editor->NumOfData->text(), QString("1"));
}

// A database file that exists but did not load completely is never replaced by what was read
// of it, and the status bar says why.
void EditorStandardTest::aFileThatDidNotLoadIsKept() {
    const QByteArray kept[] = {
        "210 3 2\r\n1024 112 113 128 0\r\n", // entries missing
        "209 1 2\r\n1024 112 113 128 0\r\n", // an older version
        "210 1 3\r\n1024 1 2 3 4 0\r\n",     // another stone count
    };
    for (const QByteArray& bytes : kept) {
        QFile file(path(kFile));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        EditorGame g;
        g.place(kLine);
        TStandardForm* editor = g.openEditor();
        StderrCapture err;
        for (auto command : {&TStandardForm::Register, &TStandardForm::Delete}) {
            (editor->*command)();
            QCOMPARE(editor->statusText(),
                     QStringLiteral("定石ファイル %1 を読み込めないため書き込みません").arg(kFile));
            QCOMPARE(readBytes(path(kFile)), bytes);
        }
    }
}

// The editor shows a copy of the main window's line, taken again at every refresh, and draws
// it on its own board.
void EditorStandardTest::editorFollowsTheMainWindowWithItsOwnCopy() {
    EditorGame g;
    g.place({{7, 7}});
    TStandardForm* editor = g.openEditor();
    QCOMPARE(editor->shownRecord().board().moveCount(), 1);
    g.place({{8, 8}, {9, 9}});
    QCOMPARE(editor->shownRecord().board().moveCount(), 3);
    QCOMPARE(editor->ownRecord().board().moveCount(), 3);
    QVERIFY(editor->shownRecord().current() != g.form->game().record().current());
    QCOMPARE(editor->shownRecord().current()->pos, g.form->game().record().current()->pos);
    g.form->game().UndoMove();
    QCOMPARE(editor->shownRecord().board().moveCount(), 2);
    // The last stone, black at j10 / (9, 9), was taken back; its point is face again.
    const QImage board = editor->boardBitmap().toImage();
    QCOMPARE(QColor(board.pixel(pointPixel(8) - 6, pointPixel(8) - 6)), QColor(Qt::white));
    QCOMPARE(QColor(board.pixel(pointPixel(9) - 6, pointPixel(9) - 6)), srOption().boardColour());
}

void EditorStandardTest::newIdTakesTheLeadingNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("digits then letters") << "12ab" << 12;
    QTest::newRow("no digit first") << "ab" << 0;
    QTest::newRow("leading blanks and a sign") << "  -45x" << -45;
    QTest::newRow("too large") << "99999999999" << 2147483647;
    QTest::newRow("too small") << "-99999999999" << int(-2147483647 - 1);
}

void EditorStandardTest::newIdTakesTheLeadingNumber() {
    QFETCH(QString, text);
    QFETCH(int, value);
    EditorGame g;
    TStandardForm* editor = g.openEditor();
    editor->E_ID->setText(text);
    QCOMPARE(editor->newId(), value);
}

QTEST_MAIN(EditorStandardTest)
#include "editor_standard_test.moc"
