#pragma once

// Common set-up of the window tests. Construct one AppTestEnvironment in initTestCase (or per
// test): it points the settings store and the current directory at a fresh temporary
// directory (so no database file of the repository and no real settings are read or
// written), and installs a recording seam, so message boxes, beeps and dialogs never block.
// Then make a SorellProcess (the process-wide objects) before each TMainForm, and destroy it
// after the window: that writes the options back, as the program does at exit.

#include "app/ui_seam.h"

#include <QDir>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>

#include <memory>

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
    bool valid() const { return dir_.isValid(); }
    // Empties the settings store.
    static void clearSettings() {
        QSettings store("Pellham", "Sorell");
        store.clear();
        store.sync();
    }

    RecordingUiSeam seam;

  private:
    QTemporaryDir dir_;
    QString previous_;
};
