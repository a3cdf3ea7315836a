#pragma once

#include "model/game_info.h"

#include <QDialog>

class QLineEdit;

// The game information dialog (ファイル→対局情報): one field each for black, white, the date,
// the result, the event and the opening, filled from info.
class GameInfoDialog : public QDialog {
    Q_OBJECT

  public:
    GameInfoDialog(const GameInfo& info, QWidget* parent);
    // The fields as entered, each cleaned with cleanGameInfoValue.
    GameInfo info() const;

  private:
    QLineEdit* fields_[6] = {};
};

// The information for the window's title: " - black 対 white" when either name is known,
// otherwise empty.
QString gameInfoCaption(const GameInfo& info);
