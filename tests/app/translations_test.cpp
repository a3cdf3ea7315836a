// The window's languages: an English locale gives the English translation, its help file and
// Qt's own English texts; Japanese and the C locale keep the Japanese source texts, with Qt's
// Japanese texts for the standard dialogs. Every case pins the locale it checks.

#include "app/help_viewer.h"
#include "app/main_form.h"
#include "app/translations.h"
#include "app_test_support.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QToolButton>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

// Qt's text for the Yes button of the standard dialogs, in the installed language.
QString yesButtonText() {
    return QCoreApplication::translate("QPlatformTheme", "&Yes");
}

// Black's five along row 8 with white's stones on row 9 between them: the game ends there.
const Points kBlackFive = {{3, 7}, {3, 8}, {4, 7}, {4, 8}, {5, 7}, {5, 8}, {6, 7}, {6, 8}, {7, 7}};

} // namespace

class TstTranslations : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        env_ = std::make_unique<AppTestEnvironment>();
        QVERIFY(env_->valid());
        translations_ = buildTree() + "/src/app";
        QVERIFY2(QFileInfo::exists(translations_ + "/sorell_en.qm"), qPrintable(translations_));
    }
    void init() { env_->resetSeam(); }
    void cleanupTestCase() {
        installTranslations(QLocale::c(), translations_);
        env_.reset();
    }

    void englishLocaleGivesTheEnglishWindow() {
        QCOMPARE(installTranslations(QLocale("en_US"), translations_), QString("en"));
        TestGame g;
        QCOMPARE(g.form->widgets().KF1->title(), QString("&File"));
        QCOMPARE(g.form->widgets().KA1->text(), QString("&About Sorell"));
        QCOMPARE(g.form->widgets().SpeedButton1->toolTip(), QString("New"));
        QCOMPARE(g.form->windowTitle(), QString("Sorell"));
        QCOMPARE(yesButtonText(), QString("&Yes"));

        // The result and the move list are composed in English too.
        g.place(kBlackFive);
        QCOMPARE(g.form->statusText(), QString("Black wins: five"));
        QCOMPARE(env_->seam.messages.size(), size_t(1));
        QCOMPARE(env_->seam.messages[0].caption, QString("Game over"));
        QCOMPARE(g.history().last(), QString("B9(h8):five"));

        // The English help file, which the build puts beside the program.
        QVERIFY(HelpViewer::helpFilePath().endsWith("/srl-en.hlp"));
        const QString help = QString::fromUtf8(readBytes(translations_ + "/srl-en.hlp"));
        QVERIFY(help.contains("<html lang=\"en\">"));
        QVERIFY(help.contains("name=\"context-1\""));
    }

    void japaneseAndCLocaleKeepJapanese_data() {
        QTest::addColumn<QString>("locale");
        QTest::newRow("ja_JP") << "ja_JP";
        QTest::newRow("C") << "C";
    }
    void japaneseAndCLocaleKeepJapanese() {
        QFETCH(QString, locale);
        QCOMPARE(installTranslations(QLocale(locale), translations_), QString("ja"));
        TestGame g;
        QCOMPARE(g.form->widgets().KF1->title(), QString("ファイル(&F)"));
        QVERIFY(HelpViewer::helpFilePath().endsWith("/srl.hlp"));
        // Qt's standard buttons speak Japanese beside the Japanese window.
        QVERIFY2(yesButtonText() != "&Yes", qPrintable(yesButtonText()));
        g.place(kBlackFive);
        QCOMPARE(g.form->statusText(), QString("五で黒の勝ち"));
        QCOMPARE(g.history().last(), QString("黒9(h8):五"));
    }

    // Every source text has its English translation, with the same placeholders.
    void englishTranslationIsComplete() {
        QString source;
        for (const QString& line :
             QString::fromUtf8(readBytes(buildTree() + "/CMakeCache.txt")).split('\n'))
            if (line.startsWith("CMAKE_HOME_DIRECTORY:")) source = line.section('=', 1).trimmed();
        QFile file(source + "/src/app/translations/sorell_en.ts");
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        const QRegularExpression placeholder("%\\d");
        auto placeholders = [&](const QString& text) {
            QStringList found;
            for (const auto& m : placeholder.globalMatch(text)) found << m.captured();
            found.sort();
            return found;
        };
        QXmlStreamReader xml(&file);
        QString text;
        int messages = 0;
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement()) continue;
            if (xml.name() == u"source") text = xml.readElementText();
            if (xml.name() == u"translation") {
                ++messages;
                QVERIFY2(xml.attributes().value("type").isEmpty(), qPrintable(text));
                const QString english = xml.readElementText();
                QVERIFY2(!english.isEmpty(), qPrintable(text));
                QCOMPARE(placeholders(english), placeholders(text));
            }
        }
        QVERIFY(!xml.hasError());
        QVERIFY(messages > 100);
    }

  private:
    std::unique_ptr<AppTestEnvironment> env_;
    QString translations_;
};

QTEST_MAIN(TstTranslations)
#include "translations_test.moc"
