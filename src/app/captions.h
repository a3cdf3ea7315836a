#pragma once

#include <QString>

// The captions of the program's windows and message boxes, and the version box's line: each
// defined here once, in the window's language ("Sorell" and "Sorell for Windows" are names).
namespace caption {

QString sorell();  // "Sorell": the main window's title and the record commands' boxes
QString windows(); // "Sorell for Windows": the version box and the computer player's failures
QString gameEnd(); // "終局": the result of a finished game
QString help();    // "Sorell ヘルプ": the help window
QString openingsEditor(); // "定石エディタ": the openings editor
QString openingDialog();  // "珠型から新規": the dialog of a new game from an opening

} // namespace caption

// The version box's single line: "Sorell Version <version>  連珠対局プログラム (...)".
QString versionLine();

// The application's name, version, organisation and desktop entry, set once at start-up.
void setProgramIdentity();
