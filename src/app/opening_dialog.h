#pragma once

#include <QDialog>

class QComboBox;
class QListWidget;

// The choice of a new game from one of the canonical openings, and of the colour the computer
// then plays (or none: the position is only set up).
class OpeningDialog : public QDialog {
    Q_OBJECT

  public:
    enum Computer { kNoComputer = 0, kComputerWhite = 1, kComputerBlack = 2 };

    explicit OpeningDialog(QWidget* parent = nullptr);

    // Index into openings(), 0..25.
    int opening() const;
    Computer computer() const;

    QListWidget* list = nullptr;
    QComboBox* side = nullptr;
};
