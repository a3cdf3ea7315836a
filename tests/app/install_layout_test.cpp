// Installs the build tree into a temporary prefix and checks that a desktop finds the program,
// its help file, its desktop entry, its icons and the MIME type of its record files.

#include "app_test_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

// A value of the build's cache ("CMAKE_COMMAND" gives the cmake that made the build).
QString cacheValue(const QString& build, const QString& key) {
    QFile f(build + "/CMakeCache.txt");
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    while (!f.atEnd()) {
        const QString line = QString::fromUtf8(f.readLine()).trimmed();
        if (line.startsWith(key + ":")) return line.section('=', 1);
    }
    return {};
}

QString readText(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

} // namespace

class TstInstallLayout : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        build_ = buildTree();
        QVERIFY2(!build_.isEmpty(), "no CMakeCache.txt above the test");
        cmake_ = cacheValue(build_, "CMAKE_COMMAND");
        QVERIFY2(QFileInfo(cmake_).isExecutable(), qPrintable("no cmake: " + cmake_));
        QVERIFY(prefix_.isValid());

        QProcess install;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DESTDIR");
        install.setProcessEnvironment(env);
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(cmake_, {"--install", build_, "--prefix", prefix_.path()});
        QVERIFY(install.waitForFinished(120000));
        const QString log = QString::fromLocal8Bit(install.readAll());
        QVERIFY2(install.exitStatus() == QProcess::NormalExit && install.exitCode() == 0,
                 qPrintable(log));
    }

    // bin/sorell runs the program, and the program's directory as resolved from that name
    // (the toolkit follows the link to the real file) holds the help file.
    void programAndHelpFile() {
        const QFileInfo program(prefix_.path() + "/bin/sorell");
        QVERIFY(program.exists());
        QVERIFY(program.isExecutable());
        const QFileInfo real(program.canonicalFilePath());
        QVERIFY(real.isFile());
        QVERIFY(real.isExecutable());
        QVERIFY(real.canonicalFilePath().startsWith(QDir(prefix_.path()).canonicalPath()));
        const QString help = real.absolutePath() + "/srl.hlp";
        QVERIFY2(QFileInfo(help).isFile(), qPrintable(help));
        const QString text = readText(help);
        QVERIFY(text.contains("name=\"context-1\""));
        QVERIFY(text.contains("三三禁"));
        // The same help file as the one beside the built program.
        QCOMPARE(text, readText(build_ + "/src/app/srl.hlp"));
    }

    void desktopEntry() {
        const QString text = readText(prefix_.path() + "/share/applications/sorell.desktop");
        QVERIFY(!text.isEmpty());
        const QStringList lines = text.split('\n');
        QVERIFY(lines.first() == "[Desktop Entry]");
        QVERIFY(lines.contains("Type=Application"));
        QVERIFY(lines.contains("Name=Sorell"));
        QVERIFY(lines.contains("Exec=sorell %f"));
        QVERIFY(lines.contains("Icon=sorell"));
        QVERIFY(lines.contains("MimeType=application/x-sorell-ban;"));
    }

    void icons() {
        const QString hicolor = prefix_.path() + "/share/icons/hicolor";
        const QImage png(hicolor + "/128x128/apps/sorell.png");
        QVERIFY(!png.isNull());
        QCOMPARE(png.size(), QSize(128, 128));
        QVERIFY(png.hasAlphaChannel());

        QFile svg(hicolor + "/scalable/apps/sorell.svg");
        QVERIFY(svg.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&svg);
        QVERIFY(xml.readNextStartElement());
        QCOMPARE(xml.name().toString(), QString("svg"));
        while (!xml.atEnd()) xml.readNext();
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    }

    // The MIME package names the record type and its file pattern, so that a double click on
    // a ".ban" file finds the desktop entry above.
    void mimeType() {
        QFile file(prefix_.path() + "/share/mime/packages/sorell.xml");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QString type;
        QStringList globs;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement) continue;
            if (xml.name() == QLatin1String("mime-type"))
                type = xml.attributes().value("type").toString();
            if (xml.name() == QLatin1String("glob"))
                globs << xml.attributes().value("pattern").toString();
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(type, QString("application/x-sorell-ban"));
        QVERIFY(globs.contains("*.ban"));
    }

  private:
    QString build_;
    QString cmake_;
    QTemporaryDir prefix_;
};

QTEST_MAIN(TstInstallLayout)
#include "install_layout_test.moc"
