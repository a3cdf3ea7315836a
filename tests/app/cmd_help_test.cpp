// Help and the version box of the main window. The help file "srl.hlp" belongs beside the
// program; the build copies it there, and this test puts a copy beside itself, since the
// program looks in the directory of its own executable.

#include "app/help_viewer.h"
#include "app/main_form.h"
#include "app/sorell_process.h"
#include "app_test_support.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>

#include <memory>

namespace {

// The help file beside the built program: the nearest build tree upward holds it in src/app.
QString builtHelpFile() {
    const QString build = buildTree();
    return build.isEmpty() ? QString() : build + "/src/app/srl.hlp";
}

// A menu caption without its accelerator: "着手順(&N)" gives "着手順".
QString bareCaption(const QAction* a) {
    QString t = a->text();
    const int amp = t.indexOf("(&");
    return amp >= 0 ? t.left(amp) : t.remove('&');
}

} // namespace

class CmdHelpTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        env_ = std::make_unique<AppTestEnvironment>();
        QVERIFY(env_->valid());
        besideTest_ = QCoreApplication::applicationDirPath() + "/srl.hlp";
    }
    void cleanupTestCase() {
        QFile::remove(besideTest_);
        env_.reset();
    }
    void init() { env_->resetSeam(); }

    void helpFileIsTheProgramDirectoryAndItsName();
    void theBuildPutsTheHelpFileBesideTheProgram();
    void missingHelpFileIsSaid();
    void helpOpensTheViewerAtItsFirstSection();
    void helpExplainsTheRulesAndEveryOption();
    void versionBox();

  private:
    std::unique_ptr<AppTestEnvironment> env_;
    QString besideTest_;
};

void CmdHelpTest::helpFileIsTheProgramDirectoryAndItsName() {
    QCOMPARE(HelpViewer::helpFilePath(), QCoreApplication::applicationDirPath() + "/srl.hlp");
    QCOMPARE(HelpViewer::contextAnchor(1), QString("context-1"));
}

void CmdHelpTest::theBuildPutsTheHelpFileBesideTheProgram() {
    const QString built = builtHelpFile();
    QVERIFY2(QFileInfo(built).isFile(), qPrintable(built));
    QVERIFY(QFileInfo(QFileInfo(built).absolutePath() + "/sorell").isExecutable());
}

void CmdHelpTest::missingHelpFileIsSaid() {
    QFile::remove(besideTest_);
    TestGame g;
    g.form->commands().KH2Click();
    QCOMPARE(env_->seam.messages.size(), size_t(1));
    QVERIFY(env_->seam.messages[0].text.contains(besideTest_));
    auto* viewer = g.form->findChild<HelpViewer*>();
    QVERIFY(!viewer || !viewer->isVisible());
}

void CmdHelpTest::helpOpensTheViewerAtItsFirstSection() {
    QVERIFY(QFile::copy(builtHelpFile(), besideTest_));
    TestGame g;
    g.form->show();
    g.form->commands().KH2Click();
    QVERIFY(env_->seam.messages.empty());
    auto* viewer = g.form->findChild<HelpViewer*>();
    QVERIFY(viewer);
    QVERIFY(viewer->isVisible());
    QVERIFY(viewer->isWindow());
    QCOMPARE(viewer->shownFile(), QFileInfo(besideTest_).absoluteFilePath());
    QTextBrowser* browser = viewer->browser();
    QCOMPARE(browser->documentTitle(), QString("Sorell ヘルプ"));
    // Rendered as HTML, not as the file's text.
    const QString text = browser->toPlainText();
    QVERIFY(!text.contains("<h2>"));
    QVERIFY(text.contains("連珠のルール"));
    QVERIFY(QTest::qWaitForWindowExposed(viewer));
    // The first section's anchor is at the very top of the document.
    const int first = browser->verticalScrollBar()->value();
    QVERIFY(first < 20);

    // Following a link of the contents scrolls down the same document; F1 brings the first
    // section back.
    browser->setSource(QUrl(browser->source().toString(QUrl::RemoveFragment) + "#options"));
    QTRY_VERIFY(browser->verticalScrollBar()->value() > first + 200);
    QVERIFY(browser->toPlainText().contains("連珠のルール"));
    g.form->commands().KH2Click();
    QTRY_COMPARE(browser->verticalScrollBar()->value(), first);
    QCOMPARE(g.form->findChildren<HelpViewer*>().size(), 1);
}

// Every option of the menus and every forbidden move is explained in the help.
void CmdHelpTest::helpExplainsTheRulesAndEveryOption() {
    QFile file(builtHelpFile());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString help = QString::fromUtf8(file.readAll());
    QVERIFY(help.contains("name=\"context-1\""));
    for (const char* word : {"三三禁", "四四禁", "長連禁", "Backspace", "h8,i7,**,", ".ban"})
        QVERIFY2(help.contains(QString::fromUtf8(word)), word);
    TestGame g;
    for (QAction* item :
         {g.form->widgets().KN2, g.form->widgets().KL1, g.form->widgets().KS3,
          g.form->widgets().KW1, g.form->widgets().K8, g.form->widgets().KA3, g.form->widgets().KA2,
          g.form->widgets().KS2, g.form->widgets().KC1, g.form->widgets().KO1,
          g.form->widgets().KS1, g.form->widgets().KC2, g.form->widgets().KP1, g.form->widgets().H1,
          g.form->widgets().K4, g.form->widgets().F1, g.form->widgets().KG1}) {
        QVERIFY2(help.contains(bareCaption(item)), qPrintable(bareCaption(item)));
        if (!item->shortcut().isEmpty())
            QVERIFY2(help.contains(item->shortcut().toString()),
                     qPrintable(item->shortcut().toString()));
    }
}

void CmdHelpTest::versionBox() {
    TestGame g;
    g.form->widgets().KA1->trigger();
    QCOMPARE(env_->seam.messages.size(), size_t(1));
    const auto& box = env_->seam.messages[0];
    QCOMPARE(box.caption, QString("Sorell for Windows"));
    QVERIFY(box.text.startsWith("Sorell Version 2.22"));
    QVERIFY(!box.text.contains('\n'));
}

QTEST_MAIN(CmdHelpTest)
#include "cmd_help_test.moc"
