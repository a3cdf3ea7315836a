#pragma once

// Common set-up of the window tests. Construct one AppTestEnvironment in initTestCase (or per
// test): it points the settings store and the current directory at a fresh temporary
// directory (so no database file of the repository and no real settings are read or
// written), and installs a recording seam, so message boxes, beeps and dialogs never block.
// Then make a TestGame per test: the process-wide objects and the window, made and destroyed
// in the program's order, so the options are written back at its end as the program does at
// exit.

#include "app/analysis_control.h"
#include "app/game_flow.h"
#include "app/goban_box.h"
#include "app/main_form.h"
#include "app/record_commands.h"
#include "app/sorell_process.h"
#include "model/move_tree.h"
#include "recording_ui_seam.h"

#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPlainTextEdit>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <utility>
#include <vector>

using Points = std::vector<std::pair<int, int>>;

class AppTestEnvironment {
  public:
    AppTestEnvironment() : previous_(QDir::currentPath()) {
        const QString settings = dir_.filePath("settings");
        QDir().mkpath(settings);
        QDir().mkpath(workPath());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings);
        QDir::setCurrent(workPath());
    }
    ~AppTestEnvironment() { QDir::setCurrent(previous_); }
    AppTestEnvironment(const AppTestEnvironment&) = delete;
    AppTestEnvironment& operator=(const AppTestEnvironment&) = delete;

    // The temporary current directory (database files are looked up here).
    QString workPath() const { return dir_.filePath("work"); }
    // A file in it.
    QString workFile(const QString& name) const { return QDir(workPath()).filePath(name); }
    bool valid() const { return dir_.isValid(); }
    // Empties the settings store.
    static void clearSettings() {
        QSettings store("Pellham", "Sorell");
        store.clear();
        store.sync();
    }
    // Forgets what the seam recorded and puts its answers back to "cancelled" and "No".
    void resetSeam() {
        seam.messages.clear();
        seam.questions.clear();
        seam.beeps.clear();
        seam.dialogDirectories.clear();
        seam.questionAnswer = false;
        seam.colourAnswer = QColor();
        seam.openAnswer.clear();
        seam.saveAnswer.clear();
    }

    RecordingUiSeam seam;

  private:
    QTemporaryDir dir_;
    QString previous_;
};

// Options set before a TestGame's window is made (the settings store keeps what earlier tests
// of the same run left). quietOptions: no sound and no input assistant, so only the stones a
// test places are played. storedOptions: the options as loaded.
inline void quietOptions(SrOption& o) {
    o.sound = 0;
    o.inputAssistant = 0;
}
inline void storedOptions(SrOption&) {}

// The process-wide objects and the main window, as the program makes them.
struct TestGame {
    // commandLine: the program's arguments after its name.
    explicit TestGame(void (*options)(SrOption&) = quietOptions,
                      const QStringList& commandLine = {})
        : process(std::make_unique<SorellProcess>()) {
        options(srOption());
        form = std::make_unique<TMainForm>(commandLine);
    }
    ~TestGame() { exit(); }
    TestGame(const TestGame&) = delete;
    TestGame& operator=(const TestGame&) = delete;

    // The end of the program: the window goes, then the options are written back.
    void exit() {
        form.reset();
        process.reset();
    }
    void place(const Points& points) {
        for (const auto& [x, y] : points) QVERIFY(form->game().PutStone(x, y));
    }
    int moveCount() const { return static_cast<int>(form->game().moves().size()); }
    // The stone at (x, y): 'B', 'W' or '+'.
    char at(int x, int y) const { return form->game().record().board().At(x, y); }
    // The moves of the shown line as points.
    Points line() const {
        Points out;
        for (const MovedPos& m : form->game().moves()) out.emplace_back(m.x, m.y);
        return out;
    }
    // The lines of the history box.
    QStringList history() const {
        const QString text = form->widgets().MemoHistory->toPlainText();
        return text.isEmpty() ? QStringList() : text.split('\n');
    }
    // Waits until no worker is awaited and every worker thread has been joined.
    bool settled(int ms = 20000) {
        return QTest::qWaitFor(
            [this] { return srFlags().thinking == 0 && form->game().runningWorkers() == 0; }, ms);
    }
    // The board as the paint box shows it.
    QImage board() const { return form->widgets().Goban0->grab().toImage(); }

    std::unique_ptr<SorellProcess> process;
    std::unique_ptr<TMainForm> form;
};

inline QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// The build tree holding the running test: the nearest directory upward with a
// CMakeCache.txt; empty when there is none.
inline QString buildTree() {
    QDir dir(QCoreApplication::applicationDirPath());
    do {
        if (dir.exists("CMakeCache.txt")) return dir.absolutePath();
    } while (dir.cdUp());
    return {};
}

// The pixel of grid line i on the board: the centre of the stones on it.
inline int pointPixel(int i) {
    return 40 + 20 * i;
}

// Whether every pixel within radius r of the stone at (x, y) has the colour c.
inline bool discIsPlain(const QImage& image, int x, int y, int r, const QColor& c) {
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx)
            if (dx * dx + dy * dy <= r * r &&
                image.pixelColor(pointPixel(x) + dx, pointPixel(y) + dy) != c)
                return false;
    return true;
}
