#include "app/sr_flags.h"

#include <QApplication>
#include <QPalette>

SrFlags::SrFlags() : boardBitmap(kBitmapWidth, kBitmapHeight) {
    boardBitmap.fill(QApplication::palette().color(QPalette::Window));
}

void SrFlags::reset() {
    playMode = 0;
    thinking = 0;
    userParity = 1;
    pendingColumn = 'z';
}
