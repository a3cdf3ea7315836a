#pragma once

#include <QIcon>

class QString;
class QToolButton;
class QWidget;

// The pictures of the toolbar buttons, drawn by the program itself.
enum class ToolbarGlyph {
    New,
    Open,
    Save,
    PlayFirst,
    PlaySecond,
    Resign,
    Back,
    Forward,
    Editor,
    First,
    Last,
    Hint,
    Analysis
};

QIcon toolbarGlyph(ToolbarGlyph glyph);

// A flat button of the main window's tool bar on panel: its object name, left edge and width,
// its tool tip (already translated) and glyph; 25 pixels high at y = 4, never takes the focus.
QToolButton* makeToolbarButton(QWidget* panel, const char* name, int left, int width,
                               const QString& tip, ToolbarGlyph glyph);
