#pragma once

#include <QPixmap>
#include <QString>

#include <cstdint>

// The main window's run-time state, one per process.
struct SrFlags {
    // Makes the off-screen board bitmap (352 x 362, filled with the menu colour).
    SrFlags();

    // Play mode 0, not thinking, user plays white, no pending column; keeps the file name and
    // the bitmap.
    void reset();

    static constexpr int kBitmapWidth = 352;
    static constexpr int kBitmapHeight = 362;

    // 1 while a game against the computer is on.
    int32_t playMode = 0;
    // 1 while the window waits for a worker's move.
    int32_t thinking = 0;
    // Parity of the move count at which the user is to move: 0 user is black, 1 user is white.
    int32_t userParity = 1;
    // The off-screen bitmap on which the board is composed.
    QPixmap boardBitmap;
    // The current record file; empty when there is none.
    QString fileName;
    // The column letter typed and waiting for its row; 'z' when none.
    char pendingColumn = 'z';
};
