#include "app/form_parts.h"

#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>

QFont proportionalGothic(int pixels) {
    QFont f("IPAPGothic");
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixels);
    return f;
}

QFont fixedGothic(int pixels) {
    QFont f("IPAGothic");
    f.setStyleHint(QFont::Monospace);
    f.setPixelSize(pixels);
    return f;
}

StatusBarParts addStatusBar(QMainWindow& window, int height) {
    auto* bar = new QStatusBar(&window);
    bar->setObjectName("StatusBar1");
    bar->setFixedHeight(height);
    bar->setSizeGripEnabled(false);
    auto* text = new QLabel(bar);
    text->setObjectName("StatusText");
    bar->addWidget(text, 1);
    window.setStatusBar(bar);
    return {bar, text};
}
