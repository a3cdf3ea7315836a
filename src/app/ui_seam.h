#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

class QWidget;

// Everything of the window that talks to the user outside the window itself: message boxes,
// the two beeps and the standard dialogs. The program uses the real one; tests install a
// recorder so that nothing blocks on a dialog.
class UiSeam {
  public:
    enum class Kind { Information, Warning, Error };
    enum class Beep { Default, Exclamation };

    virtual ~UiSeam() = default;
    // A message box with an OK button.
    virtual void message(QWidget* parent, const QString& caption, const QString& text,
                         Kind kind) = 0;
    // A yes/no question, No preselected; true when the user answered Yes.
    virtual bool question(QWidget* parent, const QString& caption, const QString& text) = 0;
    // A short sound; never blocks and never fails, with or without an audio device.
    virtual void beep(Beep kind) = 0;
    // The colour dialog; false when cancelled.
    virtual bool chooseColour(QWidget* parent, QColor& colour) = 0;
    // File dialogs: the chosen name, or empty when cancelled.
    virtual QString openFileName(QWidget* parent, const QString& filter) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& filter) = 0;
};

// The seam in use: the real one unless a test installed another.
UiSeam& uiSeam();
// Installs a seam (not owned); null restores the real one.
void setUiSeam(UiSeam* seam);
