// The moves that do not come from PutStone's callers: navigation along the line, new games from
// the canonical openings, the mouse and the keyboard, and the history box.

#include "app/board_drawing.h"
#include "app/captions.h"
#include "app/forbidden_marks.h"
#include "app/game_flow.h"
#include "app/main_form.h"
#include "app/main_widgets.h"
#include "app/opening_dialog.h"
#include "app/opening_rule_controller.h"
#include "app/openings.h"
#include "app/sorell_process.h"
#include "app/translations.h"
#include "app/ui_seam.h"
#include "app/window_panels.h"
#include "model/move_tree.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>

void GameFlow::NewGameFromOpening(int index, int computer) {
    if (index < 0 || index >= kOpeningCount) return;
    const Opening& opening = openings()[static_cast<size_t>(index)];
    NewGame();
    for (const auto& [x, y] : opening.stones) {
        if (!record_->PutMoveAlternating(x, y)) break;
        AddHistoryLine(moveCount());
    }
    form_.RefreshBoard();
    if (computer == OpeningDialog::kComputerWhite)
        PlayFirst();
    else if (computer == OpeningDialog::kComputerBlack)
        PlaySecond();
    else
        form_.SetStatus(openingCaption(opening));
}

void GameFlow::GoToMove(int k) {
    if (srFlags().thinking == 1 || srFlags().playMode == 1) return;
    while (moveCount() > std::max(k, 0)) takeBack();
    while (moveCount() < k && record_->Forward()) AddHistoryLine(moveCount());
    form_.SetStatus(QString());
    form_.RefreshBoard();
}

void GameFlow::GoToStart() {
    GoToMove(0);
}

void GameFlow::GoToEnd() {
    GoToMove(kPoints);
}

void GameFlow::Goban0MouseDown(Qt::MouseButton button, int X, int Y) {
    if (button != Qt::LeftButton || srFlags().thinking != 0) return;
    try {
        const int x = boardPoint(X), y = boardPoint(Y);
        if (OpeningRuleController* rules = form_.openingRules(); rules && rules->takeClick(x, y))
            return;
        if (!confirmUserMove(form_, x, y)) return; // window_panels.h
        PutStone(x, y);
    } catch (...) {
        uiSeam().message(&form_, caption::windows(), QStringLiteral("Thread Error 3"),
                         UiSeam::Kind::Error);
    }
}

// A column letter, then a row character ("h" then "8" is the centre).
void GameFlow::FormKeyPress(QChar key) {
    SrFlags& f = srFlags();
    const char c = key.toLatin1();
    if (f.pendingColumn == 'z') {
        if (c >= 'a' && c <= 'o')
            f.pendingColumn = c;
        else if (c >= 'A' && c <= 'O')
            f.pendingColumn = static_cast<char>(c - 'A' + 'a');
        showPending();
        return;
    }
    int row = -1;
    if (c >= '1' && c <= '9')
        row = c - '1';
    else if (c >= 'a' && c <= 'f')
        row = 9 + c - 'a';
    else if (c >= 'A' && c <= 'F')
        row = 9 + c - 'A';
    if (row < 0 || f.thinking == 1) return;
    if (!confirmUserMove(form_, f.pendingColumn - 'a', row)) return; // window_panels.h
    if (PutStone(f.pendingColumn - 'a', row)) f.pendingColumn = 'z';
    showPending();
}

void GameFlow::FormKeyDown(int key) {
    if (key != Qt::Key_Backspace) return;
    SrFlags& f = srFlags();
    if (f.pendingColumn != 'z')
        f.pendingColumn = 'z';
    else
        UndoMove();
    showPending();
}

void GameFlow::showPending() {
    const char column = srFlags().pendingColumn;
    w_.pendingColumn->setText(column == 'z' ? QString()
                                            : TMainForm::tr("入力 %1_").arg(QChar(column)));
}

QString GameFlow::pendingText() const {
    return w_.pendingColumn->text();
}

// Line k describes move k; the colour name follows the move number's parity.
void GameFlow::AddHistoryLine(int k) {
    const MOve* m = record_->current();
    // The line of historyLine(), in the window's language.
    const QString line = (k % 2 == 1 ? TMainForm::tr("黒%1(%2):%3") : TMainForm::tr("白%1(%2):%3"))
                             .arg(k)
                             .arg(pointName(cellIndex(m->pos.x, m->pos.y)), moveCodeText(m->code));
    w_.MemoHistory->appendPlainText(line);
}

void GameFlow::RemoveLastHistoryLine() {
    QTextCursor c(w_.MemoHistory->document());
    c.movePosition(QTextCursor::End);
    c.movePosition(QTextCursor::StartOfBlock, QTextCursor::KeepAnchor);
    if (c.block().previous().isValid())
        c.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor);
    c.removeSelectedText();
}

void GameFlow::ClearHistory() {
    w_.MemoHistory->clear();
}
