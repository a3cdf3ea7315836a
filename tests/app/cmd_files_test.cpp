// The record file commands of the main window: save with its name rules, open from the
// dialog, the command line and dropped files, and what happens when a file cannot be read or
// written.

#include "app/main_form.h"
#include "app/sorell_process.h"
#include "app_test_support.h"
#include "model/move_tree.h"

#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>
#include <QUrl>

#include <csignal>
#include <memory>
#include <sys/resource.h>

namespace {

const Points kGame = {{7, 7}, {8, 7}, {7, 8}, {9, 9}};
// The ".ban" numbers of kGame.
const QByteArray kGameBan = "808\n908\n809\n1010\n";

// Drops the files on the window as a file manager does.
void dropFiles(TMainForm& form, const QStringList& files) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& f : files) urls << QUrl::fromLocalFile(f);
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&form, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&form, &drop);
}

// Makes every write past `bytes` bytes fail as on a full disk, for its lifetime.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit lim = old_;
        lim.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lim);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }

  private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

} // namespace

class CmdFilesTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        env_ = std::make_unique<AppTestEnvironment>();
        QVERIFY(env_->valid());
    }
    void cleanupTestCase() { env_.reset(); }
    void init() { env_->resetSeam(); }

    void saveNameRules_data();
    void saveNameRules();
    void appendedNameIsReplacedOnlyWhenTheUserAgrees();
    void saveThenOpenReproducesTheLine();
    void saveWritesOnlyTheLineUpToTheCurrentMove();
    void cancelledDialogsDoNothing();
    void openFromTheCommandLineShowsNameAndMainLine();
    void droppingSeveralFilesOpensOnlyTheFirst();
    void openingEndsARunningGame();
    void unreadableFileChangesNothing_data();
    void unreadableFileChangesNothing();
    void failedSaveSaysSoAndKeepsTheOldFile();
    void dialogsStartInTheFolderLastUsed();

  private:
    QString path(const QString& name) const { return env_->workFile(name); }
    std::unique_ptr<AppTestEnvironment> env_;
};

void CmdFilesTest::saveNameRules_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("no extension") << "game"
                                  << "game.ban";
    QTest::newRow("upper case extension") << "game.BAN"
                                          << "game.BAN";
    QTest::newRow(".ban inside the name") << "my.ban.txt"
                                          << "my.ban.txt";
    QTest::newRow("other extension") << "game.txt"
                                     << "game.txt.ban";
    QTest::newRow("mixed case is neither") << "game.Ban"
                                           << "game.Ban.ban";
}

void CmdFilesTest::saveNameRules() {
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    TestGame g;
    g.place(kGame);
    env_->seam.saveAnswer = path(chosen);
    g.form->commands().KS1Click();
    QVERIFY(env_->seam.messages.empty());
    QCOMPARE(readBytes(path(written)), kGameBan);
    if (chosen != written) QVERIFY(!QFile::exists(path(chosen)));
    QCOMPARE(srFlags().fileName, path(written));
    QCOMPARE(g.form->windowTitle(), "Sorell - " + path(written));
    QFile::remove(path(written));
}

// The dialog asked about "game"; "game.ban" is another file, so the window asks itself.
void CmdFilesTest::appendedNameIsReplacedOnlyWhenTheUserAgrees() {
    const QByteArray old = "101\n";
    QVERIFY(writeBytes(path("kept.ban"), old));
    TestGame g;
    g.place(kGame);

    env_->seam.saveAnswer = path("kept");
    env_->seam.questionAnswer = false;
    g.form->commands().KS1Click();
    QCOMPARE(env_->seam.questions.size(), size_t(1));
    QCOMPARE(env_->seam.questions[0].caption, QString("Sorell"));
    QVERIFY(env_->seam.questions[0].text.contains(path("kept.ban")));
    QCOMPARE(readBytes(path("kept.ban")), old);
    QVERIFY(!QFile::exists(path("kept")));
    QVERIFY(env_->seam.messages.empty());
    QCOMPARE(g.form->windowTitle(), QString("Sorell"));
    QVERIFY(srFlags().fileName.isEmpty());

    env_->seam.questionAnswer = true;
    g.form->commands().KS1Click();
    QCOMPARE(env_->seam.questions.size(), size_t(2));
    QCOMPARE(readBytes(path("kept.ban")), kGameBan);
    QCOMPARE(g.form->windowTitle(), "Sorell - " + path("kept.ban"));

    // A name the dialog itself confirmed, or a new one, is written without a question.
    env_->seam.questions.clear();
    env_->seam.questionAnswer = false;
    env_->seam.saveAnswer = path("kept.ban");
    g.form->commands().KS1Click();
    env_->seam.saveAnswer = path("fresh");
    g.form->commands().KS1Click();
    QVERIFY(env_->seam.questions.empty());
    QCOMPARE(readBytes(path("fresh.ban")), kGameBan);
    QFile::remove(path("kept.ban"));
    QFile::remove(path("fresh.ban"));
}

void CmdFilesTest::saveThenOpenReproducesTheLine() {
    TestGame g;
    g.place(kGame);
    const QStringList history = g.history();
    env_->seam.saveAnswer = path("round");
    g.form->commands().KS1Click();

    g.form->game().NewGame();
    QVERIFY(g.line().empty());
    env_->seam.openAnswer = path("round.ban");
    g.form->commands().KO1Click();
    QCOMPARE(g.line(), kGame);
    QCOMPARE(g.history(), history);
    QCOMPARE(g.form->windowTitle(), "Sorell - " + path("round.ban"));
    QCOMPARE(g.form->statusText(), QString());
    // The record stands at the end of the line: a further stone is move 5.
    QVERIFY(g.form->game().PutStone(0, 0));
    QCOMPARE(g.history().last(), QString("黒5(a1):"));
}

void CmdFilesTest::saveWritesOnlyTheLineUpToTheCurrentMove() {
    TestGame g;
    g.place(kGame);
    g.form->game().UndoMove();
    g.form->game().UndoMove();
    env_->seam.saveAnswer = path("half.ban");
    g.form->commands().KS1Click();
    QCOMPARE(readBytes(path("half.ban")), QByteArray("808\n908\n"));
    // The moves taken back can still be replayed.
    g.form->game().RedoMove();
    QCOMPARE(g.line().size(), size_t(3));
}

void CmdFilesTest::cancelledDialogsDoNothing() {
    TestGame g;
    g.place(kGame);
    env_->seam.openAnswer.clear();
    env_->seam.saveAnswer.clear();
    const QStringList before = QDir(env_->workPath()).entryList(QDir::Files);
    g.form->commands().KO1Click();
    g.form->commands().KS1Click();
    QCOMPARE(g.line(), kGame);
    QCOMPARE(g.form->windowTitle(), QString("Sorell"));
    QCOMPARE(QDir(env_->workPath()).entryList(QDir::Files), before);
    QVERIFY(env_->seam.messages.empty());
}

// The main line of a record text with variations: first child at every branch.
void CmdFilesTest::openFromTheCommandLineShowsNameAndMainLine() {
    const QString file = path("variations.txt");
    QVERIFY(writeBytes(file, "(;GM[4]SZ[15];B[hh](;W[ih];B[ii])(;W[hi]))\n"));
    TestGame g(quietOptions, {file, path("ignored.ban")});
    QCOMPARE(g.line().size(), size_t(0)); // opened when the window is first shown
    g.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(g.form.get()));
    QCOMPARE(g.form->windowTitle(), "Sorell - " + file);
    QCOMPARE(g.line(), (Points{{7, 7}, {8, 7}, {8, 8}}));
    QCOMPARE(g.history(), (QStringList{"黒1(h8):", "白2(i8):", "黒3(i9):"}));
    QVERIFY(env_->seam.messages.empty());
}

void CmdFilesTest::droppingSeveralFilesOpensOnlyTheFirst() {
    const QString first = path("first.ban");
    const QString second = path("second.ban");
    QVERIFY(writeBytes(first, "808\n909\n"));
    QVERIFY(writeBytes(second, "101\n202\n303\n"));
    TestGame g;
    g.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(g.form.get()));
    QVERIFY(g.form->acceptDrops());
    dropFiles(*g.form, {first, second});
    QCOMPARE(g.line(), (Points{{7, 7}, {8, 8}}));
    QCOMPARE(g.form->windowTitle(), "Sorell - " + first);
    QCOMPARE(g.history().size(), 2);
}

void CmdFilesTest::openingEndsARunningGame() {
    const QString file = path("three.ban");
    QVERIFY(writeBytes(file, "808\n909\n1010\n"));
    TestGame g;
    g.form->game().PlaySecond(); // the computer (black) starts thinking at once
    QCOMPARE(srFlags().playMode, 1);
    QVERIFY(g.form->commands().OpenRecord(file));
    QCOMPARE(srFlags().playMode, 0);
    QCOMPARE(srFlags().thinking, 0);
    QCOMPARE(g.form->windowTitle(), "Sorell - " + file);
    // A worker stopped by the open never plays on the opened game.
    QVERIFY(QTest::qWaitFor([&] { return g.form->game().runningWorkers() == 0; }, 20000));
    QCOMPARE(g.line().size(), size_t(3));
}

void CmdFilesTest::unreadableFileChangesNothing_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("missing file") << "missing.ban" << QByteArray();
    QTest::newRow("empty file") << "empty.ban" << QByteArray("");
    QTest::newRow("no record format") << "junk.ban" << QByteArray("\xff\xfe\xfd hello");
    QTest::newRow("record text of another game") << "go.sgf" << QByteArray("(;GM[5];B[hh])");
    QTest::newRow("a directory") << "folder.ban" << QByteArray();
}

// The game, the history box, the title and the status stay; a message box names the file.
void CmdFilesTest::unreadableFileChangesNothing() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    const QString file = path(name);
    if (name == "folder.ban")
        QVERIFY(QDir().mkpath(file));
    else if (!bytes.isNull())
        QVERIFY(writeBytes(file, bytes));

    const QString loaded = path("loaded.ban");
    QVERIFY(writeBytes(loaded, "808\n909\n"));
    TestGame g;
    QVERIFY(g.form->commands().OpenRecord(loaded));
    g.place({{0, 0}});
    g.form->SetStatus("before");
    const QStringList history = g.history();

    QVERIFY(!g.form->commands().OpenRecord(file));
    QCOMPARE(env_->seam.messages.size(), size_t(1));
    QCOMPARE(env_->seam.messages[0].caption, QString("Sorell"));
    QVERIFY(env_->seam.messages[0].text.contains(file));
    QCOMPARE(g.line(), (Points{{7, 7}, {8, 8}, {0, 0}}));
    QCOMPARE(g.history(), history);
    QCOMPARE(g.form->windowTitle(), "Sorell - " + loaded);
    QCOMPARE(srFlags().fileName, loaded);
    QCOMPARE(g.form->statusText(), QString("before"));

    // A dropped unreadable file is refused the same way.
    env_->seam.messages.clear();
    g.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(g.form.get()));
    dropFiles(*g.form, {file});
    QCOMPARE(env_->seam.messages.size(), size_t(1));
    QCOMPARE(g.line().size(), size_t(3));
}

// A save that cannot be done says so; the old file and the title stay as they were.
void CmdFilesTest::failedSaveSaysSoAndKeepsTheOldFile() {
    TestGame g;
    g.place(kGame);

    env_->seam.saveAnswer = path("no/such/dir/game");
    g.form->commands().KS1Click();
    QCOMPARE(env_->seam.messages.size(), size_t(1));
    QCOMPARE(env_->seam.messages[0].caption, QString("Sorell"));
    QVERIFY(env_->seam.messages[0].text.contains(path("no/such/dir/game.ban")));
    QCOMPARE(g.form->windowTitle(), QString("Sorell"));
    QVERIFY(srFlags().fileName.isEmpty());

    // A directory in place of the file.
    env_->seam.messages.clear();
    QVERIFY(QDir().mkpath(path("taken.ban")));
    env_->seam.saveAnswer = path("taken.ban");
    g.form->commands().KS1Click();
    QCOMPARE(env_->seam.messages.size(), size_t(1));
    QVERIFY(QFileInfo(path("taken.ban")).isDir());

    // A full disk while replacing an existing record: the old one is untouched.
    env_->seam.messages.clear();
    const QByteArray old = "808\n";
    QVERIFY(writeBytes(path("old.ban"), old));
    {
        FileSizeLimit full(8);
        env_->seam.saveAnswer = path("old.ban");
        g.form->commands().KS1Click();
    }
    QCOMPARE(env_->seam.messages.size(), size_t(1));
    QCOMPARE(readBytes(path("old.ban")), old);
    QCOMPARE(g.form->windowTitle(), QString("Sorell"));
    // No temporary file is left beside it.
    QCOMPARE(QDir(env_->workPath()).entryList({"*old.ban*"}, QDir::Files | QDir::Hidden),
             QStringList{"old.ban"});

    // With room again the same save succeeds.
    env_->seam.messages.clear();
    g.form->commands().KS1Click();
    QVERIFY(env_->seam.messages.empty());
    QCOMPARE(readBytes(path("old.ban")), kGameBan);
}

void CmdFilesTest::dialogsStartInTheFolderLastUsed() {
    AppTestEnvironment::clearSettings();
    const QString folder = path("games");
    QVERIFY(QDir().mkpath(folder));
    {
        TestGame g;
        g.form->commands().KO1Click(); // cancelled: nothing is remembered
        QCOMPARE(env_->seam.dialogDirectories.back(), QString());
        g.place(kGame);
        env_->seam.saveAnswer = folder + "/one.ban";
        g.form->commands().KS1Click();
        QCOMPARE(srOption().lastFolder, folder);
        g.form->commands().KO1Click();
        QCOMPARE(env_->seam.dialogDirectories.back(), folder);
    }
    TestGame again(storedOptions);
    again.form->commands().KS1Click();
    QCOMPARE(env_->seam.dialogDirectories.back(), folder);
    // Opening a file remembers its folder too.
    QVERIFY(writeBytes(path("other.ban"), "808\r\n"));
    QVERIFY(again.form->commands().OpenRecord(path("other.ban")));
    QCOMPARE(srOption().lastFolder, env_->workPath());
    QFile::remove(path("other.ban"));
}

QTEST_MAIN(CmdFilesTest)
#include "cmd_files_test.moc"
