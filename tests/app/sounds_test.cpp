// The two beeps through an external player: their sound files are written where no other
// user can have put a file or a link first.

#include "app/ui_seam.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class SoundsTest : public QObject {
    Q_OBJECT

  private slots:
    void soundFilesAreWrittenInAPrivateFolder();
};

void SoundsTest::soundFilesAreWrittenInAPrivateFolder() {
    QTemporaryDir shared; // stands for the system's temporary folder
    QTemporaryDir bin;
    QVERIFY(shared.isValid() && bin.isValid());
    qputenv("TMPDIR", QFile::encodeName(shared.path()));
    // A player that notes its arguments: paplay takes the file alone.
    const QString played = bin.filePath("played");
    QFile player(bin.filePath("paplay"));
    QVERIFY(player.open(QIODevice::WriteOnly));
    player.write(QStringLiteral("#!/bin/sh\necho \"$*\" > '%1'\n").arg(played).toUtf8());
    player.close();
    QVERIFY(player.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                  QFileDevice::ExeOwner));
    qputenv("PATH", QFile::encodeName(bin.path()) + ":" + qgetenv("PATH"));
    // Another user's links, under the names a careless program would choose.
    for (const char* name : {"sorell-beep-default.wav", "sorell-beep-exclamation.wav"})
        QVERIFY(QFile::link(shared.filePath("victim"), shared.filePath(name)));

    uiSeam().beep(UiSeam::Beep::Default);
    QTRY_VERIFY(QFileInfo(played).size() > 0);
    QFile note(played);
    QVERIFY(note.open(QIODevice::ReadOnly));
    const QFileInfo wave(QString::fromUtf8(note.readAll()).trimmed());
    QVERIFY(!QFile::exists(shared.filePath("victim")));
    QVERIFY2(wave.absolutePath() != QDir(shared.path()).absolutePath(),
             qPrintable(wave.absoluteFilePath()));
    QFile bytes(wave.absoluteFilePath());
    QVERIFY2(bytes.open(QIODevice::ReadOnly), qPrintable(wave.filePath()));
    QCOMPARE(bytes.read(4), QByteArray("RIFF"));
    const QFileInfo folder(wave.absolutePath());
    QCOMPARE(folder.permissions() & (QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                     QFileDevice::ReadOther | QFileDevice::WriteOther),
             QFileDevice::Permissions());
}

QTEST_MAIN(SoundsTest)
#include "sounds_test.moc"
