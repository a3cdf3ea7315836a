// The nine options in the settings store, the menu items bound to them, and the window's
// layout that the toolbar option changes.

#include "app/goban_box.h"
#include "app/main_form.h"
#include "app/sorell_process.h"
#include "app/standard_form.h"
#include "app_test_support.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryFile>
#include <QTest>
#include <QToolButton>

#include <cstdio>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A run of the program with the options the store holds.
struct Run : TestGame {
    Run() : TestGame(storedOptions) {}
};

const char* const kNames[] = {"Numbering", "LatestCursor", "Sound",          "ColorBan", "Standard",
                              "Toolbar",   "AxisChar",     "InputAssistant", "Warning"};
const int kDefaults[] = {0, 0, 1, 0x000EAFE4, 1, 1, 1, 0, 0};

} // namespace

class SettingsStoreTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { env_ = std::make_unique<AppTestEnvironment>(); }
    void cleanupTestCase() { env_.reset(); }
    void init() { AppTestEnvironment::clearSettings(); }

    void emptyStoreGetsTheDefaultsAtLoad();
    void unreadableValuesAreReplaced();
    void anyNonZeroValueIsOn();
    void menuItemsFollowTheOptions();
    void toolbarOffMakesTheWindowLower();
    void colourIsStoredAtExit();
    void aStoreThatCannotBeWrittenIsSaidOnce();
    void aStoreThatIsNotAFileIsNeverOpened();
    void layoutOfTheWindow();
    void windowsCarryTheProgramIcon();

  private:
    std::unique_ptr<AppTestEnvironment> env_;
};

// At exit no window is left to tell: a store that cannot be written says so in one line on
// the standard error stream.
void SettingsStoreTest::aStoreThatCannotBeWrittenIsSaidOnce() {
    const QString folder = QFileInfo(QSettings("Pellham", "Sorell").fileName()).absolutePath();
    QVERIFY(QDir(folder).removeRecursively());
    QFile blocker(folder); // a file where the store's folder belongs
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QTemporaryFile log;
    QVERIFY(log.open());
    std::fflush(stderr);
    const int saved = ::dup(2);
    ::dup2(log.handle(), 2);
    { Run run; }
    std::fflush(stderr);
    ::dup2(saved, 2);
    ::close(saved);
    QVERIFY(blocker.remove());
    log.seek(0);
    const QString text = QString::fromUtf8(log.readAll());
    QCOMPARE(text.count('\n'), 1);
    QVERIFY2(text.startsWith("error : ") && text.contains("Sorell"), qPrintable(text));
}

// A FIFO in the store's place would block the window for ever in open: the options take
// their defaults and nothing is written.
void SettingsStoreTest::aStoreThatIsNotAFileIsNeverOpened() {
    const QString file = QSettings("Pellham", "Sorell").fileName();
    QFile::remove(file);
    QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()));
    QVERIFY(::mkfifo(QFile::encodeName(file).constData(), 0600) == 0);
    QTemporaryFile log;
    QVERIFY(log.open());
    std::fflush(stderr);
    const int saved = ::dup(2);
    ::dup2(log.handle(), 2);
    {
        SrOption options;
        QCOMPARE(options.standard, 1);
        QCOMPARE(options.colorBan, SrOption::kDefaultColorBan);
    }
    std::fflush(stderr);
    ::dup2(saved, 2);
    ::close(saved);
    QVERIFY(QFile::remove(file));
    log.seek(0);
    const QString text = QString::fromUtf8(log.readAll());
    QCOMPARE(text, "error : " + file + "can't be read\nerror : " + file + " can't be write\n");
}

void SettingsStoreTest::emptyStoreGetsTheDefaultsAtLoad() {
    SorellProcess process;
    QSettings store("Pellham", "Sorell");
    QCOMPARE(store.allKeys().size(), 9);
    for (int i = 0; i < 9; ++i) {
        bool ok = false;
        QCOMPARE(store.value(kNames[i]).toInt(&ok), kDefaults[i]);
        QVERIFY(ok);
    }
    QCOMPARE(srOption().boardColour(), QColor(228, 175, 14));
}

void SettingsStoreTest::unreadableValuesAreReplaced() {
    {
        QSettings store("Pellham", "Sorell");
        store.setValue("Numbering", "many");
        store.setValue("Sound", 0);
        store.setValue("ColorBan", 123);
        store.setValue("Warning", "1.5");
        store.sync();
    }
    SorellProcess process;
    const SrOption& o = srOption();
    QCOMPARE(o.numbering, 0);
    QCOMPARE(o.sound, 0);
    QCOMPARE(o.colorBan, 123);
    QCOMPARE(o.warning, 0);
    QSettings store("Pellham", "Sorell");
    QCOMPARE(store.value("Numbering").toString(), QString("0"));
    QCOMPARE(store.value("Warning").toString(), QString("0"));
    QCOMPARE(store.value("Standard").toInt(), 1);
}

void SettingsStoreTest::anyNonZeroValueIsOn() {
    {
        QSettings store("Pellham", "Sorell");
        store.setValue("Numbering", 5);
        store.setValue("Sound", -1);
    }
    {
        Run run;
        QVERIFY(run.form->widgets().KN2->isChecked());
        QVERIFY(run.form->widgets().KS2->isChecked());
        run.form->widgets().KN2->trigger();
        QVERIFY(!run.form->widgets().KN2->isChecked());
        QCOMPARE(srOption().numbering, 0);
        // Nothing is written while the program runs.
        QCOMPARE(QSettings("Pellham", "Sorell").value("Numbering").toInt(), 5);
    }
    QCOMPARE(QSettings("Pellham", "Sorell").value("Numbering").toInt(), 0);
    QCOMPARE(QSettings("Pellham", "Sorell").value("Sound").toInt(), -1);
}

// Every toggle item flips its own check mark and stores 0 or 1, whether called directly or
// chosen from the menu.
void SettingsStoreTest::menuItemsFollowTheOptions() {
    Run run;
    TMainForm& f = *run.form;
    QVERIFY(!f.widgets().KN2->isChecked() && !f.widgets().KL1->isChecked() &&
            !f.widgets().KW1->isChecked());
    QVERIFY(!f.widgets().KA2->isChecked());
    QVERIFY(f.widgets().KS3->isChecked() && f.widgets().KS2->isChecked() &&
            f.widgets().K8->isChecked() && f.widgets().KA3->isChecked());

    struct Item {
        QAction* action;
        int32_t SrOption::*option;
    };
    const Item items[] = {
        {f.widgets().KN2, &SrOption::numbering}, {f.widgets().KL1, &SrOption::latestCursor},
        {f.widgets().KS3, &SrOption::standard},  {f.widgets().KW1, &SrOption::warning},
        {f.widgets().KA3, &SrOption::axisChar},  {f.widgets().KA2, &SrOption::inputAssistant},
        {f.widgets().KS2, &SrOption::sound}};
    for (const Item& item : items) {
        const bool before = item.action->isChecked();
        item.action->trigger();
        QCOMPARE(item.action->isChecked(), !before);
        QCOMPARE(srOption().*item.option, before ? 0 : 1);
        item.action->trigger();
        QCOMPARE(item.action->isChecked(), before);
        QCOMPARE(srOption().*item.option, before ? 1 : 0);
    }
}

void SettingsStoreTest::toolbarOffMakesTheWindowLower() {
    int withToolbar = 0;
    {
        Run run;
        withToolbar = run.form->height();
        QVERIFY(run.form->widgets().Panel2->isVisibleTo(run.form.get()));
        QCOMPARE(run.form->widgets().Goban0->geometry(), QRect(0, 33, 352, 343));
        run.form->widgets().K8->trigger();
        QCOMPARE(run.form->height(), withToolbar - 33);
        QVERIFY(!run.form->widgets().K8->isChecked());
    }
    QCOMPARE(QSettings("Pellham", "Sorell").value("Toolbar").toInt(), 0);
    {
        Run run;
        TMainForm& f = *run.form;
        QCOMPARE(f.height(), withToolbar - 33);
        QVERIFY(!f.widgets().K8->isChecked());
        QVERIFY(!f.widgets().Panel2->isVisibleTo(&f));
        QCOMPARE(f.widgets().Goban0->geometry(), QRect(0, 0, 352, 343));
        f.widgets().K8->trigger();
        QCOMPARE(f.height(), withToolbar);
        QVERIFY(f.widgets().K8->isChecked());
        QVERIFY(f.widgets().Panel2->isVisibleTo(&f));
        QCOMPARE(f.widgets().Goban0->geometry(), QRect(0, 33, 352, 343));
        QCOMPARE(srOption().toolbar, 1);
    }
}

void SettingsStoreTest::colourIsStoredAtExit() {
    {
        Run run;
        env_->seam.colourAnswer = QColor(1, 2, 3);
        run.form->widgets().KC1->trigger();
        env_->seam.colourAnswer = QColor();
    }
    QCOMPARE(QSettings("Pellham", "Sorell").value("ColorBan").toInt(), 0x030201);
}

void SettingsStoreTest::layoutOfTheWindow() {
    Run run;
    TMainForm& f = *run.form;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    // The client area under the menu bar: 511 x 401 with the toolbar and the status bar.
    QCOMPARE(f.width(), 511);
    QCOMPARE(f.centralWidget()->height() + f.widgets().StatusBar1->height(), 401);
    QCOMPARE(f.widgets().StatusBar1->height(), 25);
    QCOMPARE(f.widgets().Panel2->geometry(), QRect(0, 0, 511, 33));
    QCOMPARE(f.widgets().Goban0->geometry(), QRect(0, 33, 352, 343));
    QCOMPARE(f.widgets().Panel1->geometry(), QRect(352, 33, 159, 343));
    QCOMPARE(f.widgets().MemoHistory->geometry(), QRect(8, 88, 145, 241));
    QVERIFY(f.widgets().MemoHistory->isReadOnly());
    QCOMPARE(f.widgets().Bevel1->geometry(), QRect(32, 8, 113, 25));
    QCOMPARE(f.widgets().Bevel2->geometry(), QRect(32, 48, 113, 25));
    QCOMPARE(f.widgets().Label2->pos(), QPoint(8, 16));
    QCOMPARE(f.widgets().Label6->pos(), QPoint(40, 52));
    QCOMPARE(f.widgets().Label5->text(), QString("先手"));
    QCOMPARE(f.widgets().SB_Back->geometry(), QRect(192, 4, 21, 25));
    QCOMPARE(f.widgets().SB_Foward->geometry(), QRect(216, 4, 21, 25));
    QCOMPARE(f.widgets().SpeedButton5->geometry(), QRect(132, 4, 25, 25));
    QCOMPARE(f.widgets().SpeedButton4->toolTip(), QString("先手で対局開始"));
    QVERIFY(!f.widgets().SpeedButton7->isVisible());
    QVERIFY(!f.widgets().SpeedButton6->isEnabled());
    QVERIFY(!f.widgets().KG1->isEnabled());

    // Components are found by their names.
    QVERIFY(f.findChild<GobanBox*>("Goban0") == f.widgets().Goban0);
    QVERIFY(f.findChild<QPlainTextEdit*>("MemoHistory") == f.widgets().MemoHistory);
    QVERIFY(f.findChild<QStatusBar*>("StatusBar1") == f.widgets().StatusBar1);
    QVERIFY(f.findChild<QMenu*>("PopUpMenuOfShortCut") == f.widgets().PopUpMenuOfShortCut);
    QVERIFY(f.findChild<QAction*>("KW1") == f.widgets().KW1);

    // Captions and shortcuts of the menus.
    QCOMPARE(f.widgets().KN1->text(), QString("新規(&N)"));
    QCOMPARE(f.widgets().KN1->shortcut(), QKeySequence("Ctrl+N"));
    QCOMPARE(f.widgets().H1->shortcut(), QKeySequence("Ctrl+H"));
    QCOMPARE(f.widgets().K4->shortcut(), QKeySequence("Ctrl+B"));
    QCOMPARE(f.widgets().F1->shortcut(), QKeySequence("Ctrl+F"));
    QCOMPARE(f.widgets().KH2->shortcut(), QKeySequence(Qt::Key_F1));
    QCOMPARE(f.widgets().K2->text(), QString("先手(黒)を選ぶ"));
    QCOMPARE(f.widgets().KA3->text(), QString("軸文字の表示(&A)"));
    QCOMPARE(f.widgets().K7->text(), QString("キャンセル"));
    QCOMPARE(f.widgets().KR1->title(), QString("実行(&R)"));
    QCOMPARE(f.menuBar()->actions().size(), 6);
    QVERIFY(f.widgets().K1->menuAction()->menu() == f.widgets().K1);
    QVERIFY(f.widgets().KR1->actions().contains(f.widgets().K1->menuAction()));
}

// No icon theme is installed here, so the icon is the picture built into the program.
void SettingsStoreTest::windowsCarryTheProgramIcon() {
    QCOMPARE(QImage(":/sorell/sorell.png").size(), QSize(128, 128));
    Run run;
    TMainForm& f = *run.form;
    QVERIFY(!f.windowIcon().isNull());
    QVERIFY(!f.windowIcon().pixmap(32, 32).isNull());
    f.commands().SpeedButton7Click();
    QVERIFY(f.commands().StandardForm);
    QVERIFY(!f.commands().StandardForm->windowIcon().isNull());
}

QTEST_MAIN(SettingsStoreTest)
#include "settings_store_test.moc"
