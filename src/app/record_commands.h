#pragma once

#include <QObject>
#include <QString>

class GameFlow;
class QMimeData;
class TMainForm;
class TStandardForm;

// The commands that move records in and out of the window: opening and saving record files
// (from the dialogs, the command line and dropped files), copying and pasting the move text,
// copying the board picture, help, the version box and the openings editor.
class RecordCommands : public QObject {
    Q_OBJECT

  public:
    RecordCommands(TMainForm& form, GameFlow& game);

    // Loads a record file and shows it; false when the file could not be read (nothing
    // changes then, and a message box says so).
    bool OpenRecord(const QString& path);
    // Replaces the game with the one in a clipboard text; false when unreadable.
    bool LoadFromText(const QString& text);
    void KO1Click();          // open a record file
    void KS1Click();          // save the record
    void KX1Click();          // close the main window
    void KC2Click();          // copy the record to the clipboard
    void KP1Click();          // paste a record from the clipboard
    void H1Click();           // copy the board picture to the clipboard
    void KH2Click();          // help
    void KA1Click();          // version box
    void SpeedButton7Click(); // the openings editor
    // Asks the openings editor, when it exists, to show the record again.
    void RefreshEditor();
    // Closes the openings editor when it exists.
    void CloseEditor();

    // The filter of the record file dialogs.
    static QString recordFilter();
    // The first local file of a drop; empty when it holds none.
    static QString droppedFile(const QMimeData* data);

    // The openings editor, made on first use and owned by the window.
    TStandardForm* StandardForm = nullptr;

  private:
    TMainForm& form_;
    GameFlow& game_;
};
