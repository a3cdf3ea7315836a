#pragma once

#include <QIcon>

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
