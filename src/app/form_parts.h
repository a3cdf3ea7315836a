#pragma once

#include <QFont>

class QLabel;
class QMainWindow;
class QStatusBar;

// What the main window and the openings editor are both made of.

// The Japanese gothic fonts at a size in pixels: proportional and fixed-pitch.
QFont proportionalGothic(int pixels);
QFont fixedGothic(int pixels);

struct StatusBarParts {
    QStatusBar* bar;
    QLabel* text;
};
// Gives the window its status bar "StatusBar1": height pixels high, without a size grip,
// showing a single text in the label "StatusText".
StatusBarParts addStatusBar(QMainWindow& window, int height);
