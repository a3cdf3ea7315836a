// The flow of a game: placing and judging stones, the computer's turn on a worker thread,
// taking back and replaying moves, play mode, keyboard and mouse moves, and the history box.

#include "app/board_drawing.h"
#include "app/captions.h"
#include "app/database_places.h"
#include "app/forbidden_marks.h"
#include "app/goban_box.h"
#include "app/main_form.h"
#include "app/sorell_process.h"
#include "app/thinking_thread.h"
#include "app/translations.h"
#include "app/ui_seam.h"
#include "app/window_panels.h"
#include "engine/think.h"
#include "model/history_line.h"
#include "model/move_tree.h"
#include "rules/move_code.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolButton>

#include <algorithm>
#include <atomic>

namespace {

const char* const kUserTurn = QT_TRANSLATE_NOOP("TMainForm", "あなたの番です");
const char* const kThinking = QT_TRANSLATE_NOOP("TMainForm", "ただいま考えています");
const char* const kNoMoreMoves = QT_TRANSLATE_NOOP("TMainForm", "終局");
const char* const kNoComputerMove =
    QT_TRANSLATE_NOOP("TMainForm", "コンピュータが着手できないため対局を終了しました");

} // namespace

int TMainForm::moveCount() const {
    return record_->board().moveCount();
}

bool TMainForm::gameOver() const {
    return isEndCode(record_->current()->code);
}

bool TMainForm::PutStone(int x, int y) {
    SetStatus(QString());
    int code = kCodeNothing;
    if (!PlaceAndJudge(x, y, code)) return false;
    if (srOption().inputAssistant != 0 && isFourCode(code)) {
        // The answer to a four is computed at once on this thread and played as the next
        // stone; nothing can stop this search. It is the standard player's at every level, so
        // a long thinking time never holds the window.
        const std::atomic<bool> neverStop{false};
        const std::optional<std::string> directory = databaseDirectory(moveCount());
        ThinkingLevel level = thinkingLevel().kind == ThinkingLevel::Kind::Strong
                                  ? ThinkingLevel::standard()
                                  : thinkingLevel();
        level.readDatabase = directory.has_value();
        PlayPoint(thinkMove(moves(), level, neverStop, directory.value_or(std::string())));
        return true;
    }
    const SrFlags& f = srFlags();
    if (!gameOver() && f.playMode == 1 && moveCount() % 2 != f.userParity) StartThinking();
    return true;
}

bool TMainForm::PlaceAndJudge(int x, int y, int& code) {
    code = kCodeNothing;
    if (gameOver()) return false; // no stone may follow a finished game
    try {
        if (!record_->PutMoveAlternating(x, y)) return false;
        DrawBoardIncremental(*Goban0, moves());
        const int n = moveCount();
        AddHistoryLine(n);
        code = record_->current()->code;
        emit stonePlaced(x, y, code);
        if (gameOver()) {
            const bool blackWins = n % 2 == 1 && isWinCode(code);
            const QString text =
                (blackWins ? tr("%1で黒の勝ち") : tr("%1で白の勝ち")).arg(moveCodeText(code));
            SetStatus(text);
            RefreshBoard();
            uiSeam().message(this, caption::gameEnd(), text, UiSeam::Kind::Information);
            LeavePlayMode();
        } else if (srOption().sound != 0) {
            uiSeam().beep(isQuietCode(code) ? UiSeam::Beep::Default : UiSeam::Beep::Exclamation);
        }
        RefreshBoard();
        srFlags().pendingColumn = 'z';
        showPending();
        return true;
    } catch (...) {
        uiSeam().message(this, caption::windows(), tr("思考ルーチンが途中で中断されました"),
                         UiSeam::Kind::Error);
        return false;
    }
}

void TMainForm::PlayPoint(uint8_t point) {
    PutStone(point % 15, point / 15);
}

// The worker gets a copy of the moves made here, on the main thread, and a serial number; the
// window then waits for that worker's answer only.
void TMainForm::StartThinking() {
    if (moveCount() >= kPoints) {
        SetStatus(tr(kNoMoreMoves));
        return;
    }
    SetStatus(tr(kThinking));
    const quint64 serial = nextWorkerSerial_++;
    std::unique_ptr<ThinkingThread> worker;
    try {
        // With no openings file for this stone count anywhere, the database is not asked (and
        // so reports nothing missing).
        const std::optional<std::string> directory = databaseDirectory(moveCount());
        ThinkingLevel level = thinkingLevel();
        level.readDatabase = directory.has_value();
        worker = std::make_unique<ThinkingThread>(serial, moves(), level,
                                                  directory.value_or(std::string()));
    } catch (...) {
        uiSeam().message(this, caption::windows(), QStringLiteral("Thread Error B"),
                         UiSeam::Kind::Error);
        SetStatus(QString());
        return;
    }
    try {
        connect(worker.get(), &ThinkingThread::done, this, &TMainForm::workerDone,
                Qt::QueuedConnection);
        workers_.push_back(std::move(worker));
        awaitedWorker_ = serial;
        srFlags().thinking = 1;
        workers_.back()->start();
    } catch (...) {
        if (!workers_.empty() && workers_.back()->serial() == serial) workers_.pop_back();
        awaitedWorker_ = 0;
        srFlags().thinking = 0;
        SetStatus(QString());
        uiSeam().message(this, caption::windows(), QStringLiteral("Thread Error C"),
                         UiSeam::Kind::Error);
    }
}

void TMainForm::StopThinking() {
    SrFlags& f = srFlags();
    if (f.thinking != 1) return;
    const auto it = std::find_if(workers_.begin(), workers_.end(),
                                 [this](const auto& w) { return w->serial() == awaitedWorker_; });
    if (it != workers_.end()) (*it)->terminate();
    awaitedWorker_ = 0;
    f.thinking = 0;
}

// Every worker reports here once, on the main thread. Its thread is joined and it is deleted;
// only the awaited worker's answer is played, so a stopped or superseded worker can never
// place a stone or leave the window waiting.
void TMainForm::workerDone(quint64 serial, int cell) {
    const auto it = std::find_if(workers_.begin(), workers_.end(),
                                 [serial](const auto& w) { return w->serial() == serial; });
    if (it != workers_.end()) {
        std::unique_ptr<ThinkingThread> finished = std::move(*it);
        workers_.erase(it);
        finished->wait();
    }
    if (serial != awaitedWorker_ || srFlags().thinking != 1) return;
    awaitedWorker_ = 0;
    resultCell = static_cast<uint8_t>(cell);
    ThinkingDone();
}

void TMainForm::ThinkingDone() {
    SrFlags& f = srFlags();
    if (moveCount() >= kPoints) {
        f.thinking = 0;
        SetStatus(tr(kNoMoreMoves));
        return;
    }
    f.thinking = 0;
    // An answer that places no stone (none although nobody stopped the search, a refused
    // point, a failure while placing) ends the game: the colour to move is still the
    // computer's, and it must never pass to the user as their turn.
    const int before = moveCount();
    if (resultCell != kNoMove) PlayPoint(resultCell);
    const int point = moveCount() > before ? resultCell : kNoMove;
    if (point == kNoMove) {
        LeavePlayMode();
        SetStatus(tr(kNoComputerMove));
    } else if (!gameOver() && f.thinking != 1) {
        SetStatus(tr(moveCount() >= kPoints ? kNoMoreMoves : kUserTurn));
    }
    emit computerMoveDone(point);
}

void TMainForm::stopAllWorkers() {
    for (const auto& w : workers_) w->terminate();
    for (const auto& w : workers_) w->wait();
    workers_.clear();
    awaitedWorker_ = 0;
    if (SorellProcess::instance()) srFlags().thinking = 0;
}

void TMainForm::takeBack() {
    RemoveLastHistoryLine();
    record_->Back();
}

// In play mode the user's turn comes back: while the computer thinks, the move it answers is
// taken back; otherwise its answer and the user's move. On an empty board the computer is
// thinking about the first move and nothing can be taken back: stopping it would hand the user
// black's turn although the user plays white, so the computer goes on thinking.
void TMainForm::UndoMove() {
    SrFlags& f = srFlags();
    const int n = moveCount();
    if (f.playMode == 1) {
        if (f.thinking == 1) {
            if (n == 0) return;
            StopThinking();
            takeBack(); // the move the computer was answering
        } else if (n > 1) {
            takeBack(); // the computer's move
            takeBack(); // and the user's
        }
        SetStatus(tr(kUserTurn));
    } else if (n > 0) {
        takeBack();
    }
    RefreshBoard();
}

// Replays the next move of the record through PutStone. Refused while the computer thinks:
// the replayed stone would change the position under the worker.
void TMainForm::RedoMove() {
    if (srFlags().thinking == 1) return;
    if (record_->Forward()) {
        const Pos p = record_->current()->pos;
        record_->Back();
        PutStone(p.x, p.y);
    }
    RefreshBoard();
}

void TMainForm::Resign() {
    if (gameOver()) return;
    LeavePlayMode();
    StopThinking();
    SetStatus(tr("投了しました"));
}

void TMainForm::EnterPlayMode() {
    KG1->setEnabled(true);
    SpeedButton6->setEnabled(true);
    srFlags().playMode = 1;
    UpdateCaption();
}

void TMainForm::LeavePlayMode() {
    KG1->setEnabled(false);
    SpeedButton6->setEnabled(false);
    srFlags().playMode = 0;
    UpdateCaption();
}

void TMainForm::PlayFirst() {
    startPlay(0);
}

void TMainForm::PlaySecond() {
    startPlay(1);
}

// A game against the computer from the position on the board; the user is to move when the
// number of moves has userParity's parity (0: the user plays black).
void TMainForm::startPlay(int userParity) {
    const int n = moveCount();
    if (n >= kPoints) {
        SetStatus(tr(kNoMoreMoves));
        return;
    }
    if (gameOver()) return;
    StopThinking();
    EnterPlayMode();
    srFlags().userParity = userParity;
    const QString user = tr("あなた");
    const QString computer = tr("コンピュータ");
    Label5->setText(userParity == 0 ? user : computer);
    Label6->setText(userParity == 0 ? computer : user);
    Label5->adjustSize();
    Label6->adjustSize();
    RefreshBoard();
    if (n % 2 != userParity)
        StartThinking();
    else
        SetStatus(tr(kUserTurn));
}

void TMainForm::ResetGame() {
    if (!record_)
        record_ = std::make_unique<MOveTree>();
    else
        record_->Clear();
    SB_Back->setEnabled(false);
    SB_Foward->setEnabled(false);
    Resign();
    SetStatus(QString());
    srFlags().reset();
    ClearHistory();
    UpdateCaption();
}

void TMainForm::NewGame() {
    StopThinking();
    ResetGame();
    RefreshBoard();
    SetStatus(QString());
}

void TMainForm::UpdateCaption() {
    const SrFlags& f = srFlags();
    QString title = f.fileName.isEmpty() ? caption::sorell()
                                         : caption::sorell() + QStringLiteral(" - ") + f.fileName;
    title += recordInfoCaption(record_.get()); // the players (window_panels.h)
    if (f.playMode == 1) title += tr(" [対局モード]");
    setWindowTitle(title);
}

void TMainForm::RefreshBoard() {
    StatusBar1->update();
    followPosition();
    PaintBoard(*Goban0, moves(), &overlay_);
    RefreshEditor();
    UpdateNavigation();
    panelsFollowRecord(*this); // the panels follow (window_panels.h)
}

void TMainForm::UpdateNavigation() {
    const bool forward = record_->Forward();
    if (forward) record_->Back();
    SB_Foward->setEnabled(forward);
    const bool back = record_->Back();
    if (back) record_->Forward();
    SB_Back->setEnabled(back);
    SB_First->setEnabled(back);
    SB_Last->setEnabled(forward);
}

void TMainForm::RecordChanged() {
    record_->GoTop();
    ClearHistory();
    int k = 0;
    while (record_->Forward()) AddHistoryLine(++k);
    SetStatus(QString());
    RefreshBoard();
    UpdateCaption();
}

// ---- mouse and keyboard ----

void TMainForm::Goban0MouseDown(Qt::MouseButton button, int X, int Y) {
    if (button != Qt::LeftButton || srFlags().thinking != 0) return;
    try {
        // Division truncates toward zero: pixels 11..29 still give 0, smaller ones -1.
        if (!confirmUserMove(*this, (X - 30) / 20, (Y - 30) / 20)) return; // window_panels.h
        PutStone((X - 30) / 20, (Y - 30) / 20);
    } catch (...) {
        uiSeam().message(this, caption::windows(), QStringLiteral("Thread Error 3"),
                         UiSeam::Kind::Error);
    }
}

// The point whose clickable square holds the pixel, as for a click.
QString TMainForm::BoardToolTip(int X, int Y) const {
    if (srOption().forbiddenMarks == 0 || X < 11 || Y < 11) return {};
    const int x = (X - 30) / 20;
    const int y = (Y - 30) / 20;
    if (x < 0 || x > 14 || y < 0 || y > 14) return {};
    return forbiddenExplanation(moves(), cellIndex(x, y));
}

// A column letter, then a row character ("h" then "8" is the centre).
void TMainForm::FormKeyPress(QChar key) {
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
    if (!confirmUserMove(*this, f.pendingColumn - 'a', row)) return; // window_panels.h
    if (PutStone(f.pendingColumn - 'a', row)) f.pendingColumn = 'z';
    showPending();
}

void TMainForm::FormKeyDown(int key) {
    if (key != Qt::Key_Backspace) return;
    SrFlags& f = srFlags();
    if (f.pendingColumn != 'z')
        f.pendingColumn = 'z';
    else
        UndoMove();
    showPending();
}

// ---- the history box ----

// Line k describes move k; the colour name follows the move number's parity.
void TMainForm::AddHistoryLine(int k) {
    const MOve* m = record_->current();
    // The line of historyLine(), in the window's language.
    const QString line = (k % 2 == 1 ? tr("黒%1(%2):%3") : tr("白%1(%2):%3"))
                             .arg(k)
                             .arg(pointName(cellIndex(m->pos.x, m->pos.y)), moveCodeText(m->code));
    MemoHistory->appendPlainText(line);
}

void TMainForm::RemoveLastHistoryLine() {
    QTextCursor c(MemoHistory->document());
    c.movePosition(QTextCursor::End);
    c.movePosition(QTextCursor::StartOfBlock, QTextCursor::KeepAnchor);
    if (c.block().previous().isValid())
        c.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor);
    c.removeSelectedText();
}

void TMainForm::ClearHistory() {
    MemoHistory->clear();
}
