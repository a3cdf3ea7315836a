// The programs' command lines and the one version: `--version` and `--help` answer on the
// terminal without a display, and every place that shows the version shows the project's.

#include "app/captions.h"
#include "app_test_support.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

struct Run {
    int status = -1;
    QString out;
};

// Runs program with args and no display at all: a program that touched the window system
// would fail to connect.
Run runWithoutDisplay(const QString& program, const QStringList& args,
                      const QByteArray& input = {}) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("LANG", "C.UTF-8");
    env.remove("LANGUAGE");
    env.remove("LC_ALL");
    env.remove("LC_MESSAGES");
    p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForStarted(10000)) return {};
    p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(60000)) {
        p.kill();
        return {};
    }
    Run r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    return r;
}

QString cacheValue(const QString& build, const QString& key) {
    const QStringList lines = QString::fromUtf8(readBytes(build + "/CMakeCache.txt")).split('\n');
    for (const QString& line : lines)
        if (line.startsWith(key + ":")) return line.section('=', 1).trimmed();
    return {};
}

} // namespace

class TstCommandLine : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        build_ = buildTree();
        QVERIFY2(!build_.isEmpty(), "no CMakeCache.txt above the test");
        version_ = cacheValue(build_, "CMAKE_PROJECT_VERSION");
        QVERIFY(!version_.isEmpty());
    }

    void versionOfEachProgram_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("name");
        QTest::newRow("window") << "src/app/sorell"
                                << "Sorell";
        QTest::newRow("engine") << "tools/pbrain-sorell"
                                << "pbrain-sorell";
        QTest::newRow("cli") << "tools/sorell-cli"
                             << "sorell-cli";
    }
    void versionOfEachProgram() {
        QFETCH(QString, program);
        QFETCH(QString, name);
        const Run r = runWithoutDisplay(build_ + "/" + program, {"--version"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, name + " " + version_ + "\n");
    }

    // The window's help lists its options and its file argument, and opens no window.
    void windowHelp() {
        for (const QString& option : {QStringLiteral("--help"), QStringLiteral("-h")}) {
            const Run r = runWithoutDisplay(build_ + "/src/app/sorell", {option});
            QCOMPARE(r.status, 0);
            QVERIFY2(r.out.contains("--version") && r.out.contains("[file]"), qPrintable(r.out));
        }
        // Qt's own options beside it do not turn the answer into an error.
        const Run r =
            runWithoutDisplay(build_ + "/src/app/sorell", {"--version", "-platform", "xcb"});
        QCOMPARE(r.status, 0);
    }

    // The version box, the engine's ABOUT, the help file and the software centres' metainfo.
    void everyPlaceShowsTheProjectVersion() {
        QVERIFY(versionLine().startsWith("Sorell Version " + version_ + "  "));

        const Run about =
            runWithoutDisplay(build_ + "/tools/pbrain-sorell", {}, "ABOUT\r\nEND\r\n");
        QCOMPARE(about.status, 0);
        QVERIFY2(about.out.contains("version=\"" + version_ + "\""), qPrintable(about.out));

        const QString help = QString::fromUtf8(readBytes(build_ + "/src/app/srl.hlp"));
        QVERIFY(help.contains("<p>Sorell Version " + version_ + "</p>"));
        QVERIFY(!help.contains('@'));

        const QStringList metainfo =
            QDir(build_ + "/src/app").entryList({"*.metainfo.xml"}, QDir::Files);
        QCOMPARE(metainfo.size(), 1);
        const QString text = QString::fromUtf8(readBytes(build_ + "/src/app/" + metainfo[0]));
        QVERIFY(text.contains("<release version=\"" + version_ + "\""));
        QVERIFY(!text.contains('@'));
    }

  private:
    QString build_;
    QString version_;
};

QTEST_MAIN(TstCommandLine)
#include "command_line_test.moc"
