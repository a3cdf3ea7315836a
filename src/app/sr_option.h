#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>

#include <cstdint>

// The nine user options, kept in the per-user settings store under "Pellham/Sorell", and the
// later values beside them. Read once when made, written back once when destroyed; any
// non-zero value counts as on.
class SrOption {
  public:
    // Loads every value; a missing or non-integer value takes its default, which is written
    // back at once, so the store is complete after the first run.
    SrOption();
    // Writes all nine values and the later ones.
    ~SrOption();
    SrOption(const SrOption&) = delete;
    SrOption& operator=(const SrOption&) = delete;

    void load();
    void save() const;

    // The face colour: "ColorBan" keeps red in the lowest byte, then green, then blue.
    QColor boardColour() const;
    void setBoardColour(const QColor& colour);

    static constexpr int32_t kDefaultColorBan = 0x000EAFE4;

    int32_t numbering = 0;
    int32_t latestCursor = 0;
    int32_t colorBan = kDefaultColorBan;
    int32_t sound = 1;
    int32_t standard = 1;
    int32_t toolbar = 1;
    int32_t axisChar = 1;
    int32_t inputAssistant = 0;
    int32_t warning = 0;

    // Later values: read when present (a missing or unreadable one keeps its default, and
    // nothing is written at load), written back with the nine.
    // "ForbiddenMarks": mark black's forbidden points while black is to move.
    int32_t forbiddenMarks = 1;
    // "Level": the computer's thinking time in milliseconds; 0 is the standard player.
    int32_t level = 0;
    // "WindowWidth", "WindowHeight": the main window's size when the program last ended; 0 for
    // none (the window then opens at its layout's size).
    int32_t windowWidth = 0;
    int32_t windowHeight = 0;
    // "ConfirmForbidden": ask before the user's stone on a point where black may not play.
    int32_t confirmForbidden = 0;
    // "Threads": the strong search's threads (level, hint, analysis); 0 for every core but one.
    int32_t threads = 0;
    // "WindowMaximized": the main window was maximised when the program last ended.
    int32_t windowMaximized = 0;
    // "LastFolder": the folder of the record file last opened or saved; empty at first.
    QString lastFolder;
    // "PanelLayout": which panels were open and where (docked or floating) when the program
    // last ended, as the window saves its state; empty at first.
    QByteArray panelLayout;
};

// The strong search's threads as the "Threads" setting asks: the stored count, or every core
// but one when it is 0 (or out of range).
int32_t searchThreads();
