// Placing and judging stones, the computer's turn on a worker, taking back and replaying
// moves, and play mode.

#include "app/game_flow.h"

#include "app/captions.h"
#include "app/database_places.h"
#include "app/main_form.h"
#include "app/main_widgets.h"
#include "app/opening_rule_controller.h"
#include "app/sorell_process.h"
#include "app/translations.h"
#include "app/ui_seam.h"
#include "app/window_panels.h"
#include "app/worker_pool.h"
#include "model/move_tree.h"
#include "player/think.h"
#include "rules/move_code.h"

#include <QAction>
#include <QLabel>
#include <QToolButton>

#include <atomic>

namespace {

const char* const kUserTurn = QT_TRANSLATE_NOOP("TMainForm", "あなたの番です");
const char* const kThinking = QT_TRANSLATE_NOOP("TMainForm", "ただいま考えています");
const char* const kNoMoreMoves = QT_TRANSLATE_NOOP("TMainForm", "終局");
const char* const kNoComputerMove =
    QT_TRANSLATE_NOOP("TMainForm", "コンピュータが着手できないため対局を終了しました");

} // namespace

GameFlow::GameFlow(TMainForm& form, const MainWidgets& widgets, WorkerPool& pool)
    : QObject(&form), form_(form), w_(widgets), pool_(pool), record_(std::make_unique<MOveTree>()) {
    connect(&pool_, &WorkerPool::finished, this, &GameFlow::workerFinished);
}

GameFlow::~GameFlow() = default;

const BanHistory& GameFlow::moves() const {
    return record_->board().history();
}

int GameFlow::moveCount() const {
    return record_->board().moveCount();
}

bool GameFlow::gameOver() const {
    return isEndCode(record_->current()->code);
}

bool GameFlow::PutStone(int x, int y) {
    form_.SetStatus(QString());
    int code = kCodeNothing;
    if (!PlaceAndJudge(x, y, code)) return false;
    if (srOption().inputAssistant != 0 && isFourCode(code)) {
        // The answer to a four is computed at once on this thread and played as the next
        // stone; nothing can stop this search. It is the standard player's at every level, so
        // a long thinking time never holds the window.
        const std::atomic<bool> neverStop{false};
        const std::optional<std::string> directory = databaseDirectory(moveCount());
        ThinkingLevel level =
            thinkingLevel().isStrong() ? ThinkingLevel::standard() : thinkingLevel();
        level.readDatabase = directory.has_value();
        PlayPoint(thinkMove(moves(), level, neverStop, directory.value_or(std::string())));
        return true;
    }
    const SrFlags& f = srFlags();
    if (!gameOver() && f.playMode == 1 && moveCount() % 2 != f.userParity) StartThinking();
    return true;
}

bool GameFlow::PlaceAndJudge(int x, int y, int& code) {
    code = kCodeNothing;
    if (gameOver()) return false; // no stone may follow a finished game
    try {
        if (!record_->PutMoveAlternating(x, y)) return false;
        form_.DrawBoard(true);
        const int n = moveCount();
        AddHistoryLine(n);
        code = record_->current()->code;
        emit stonePlaced(x, y, code);
        if (gameOver()) {
            const bool blackWins = n % 2 == 1 && isWinCode(code);
            const QString text =
                (blackWins ? TMainForm::tr("%1で黒の勝ち") : TMainForm::tr("%1で白の勝ち"))
                    .arg(moveCodeText(code));
            form_.SetStatus(text);
            form_.RefreshBoard();
            uiSeam().message(&form_, caption::gameEnd(), text, UiSeam::Kind::Information);
            LeavePlayMode();
        } else if (srOption().sound != 0) {
            uiSeam().beep(isQuietCode(code) ? UiSeam::Beep::Default : UiSeam::Beep::Exclamation);
        }
        form_.RefreshBoard();
        srFlags().pendingColumn = 'z';
        showPending();
        return true;
    } catch (...) {
        uiSeam().message(&form_, caption::windows(),
                         TMainForm::tr("思考ルーチンが途中で中断されました"), UiSeam::Kind::Error);
        return false;
    }
}

void GameFlow::PlayPoint(uint8_t point) {
    PutStone(point % 15, point / 15);
}

void GameFlow::await(quint64 serial) {
    awaited_ = serial;
    if (SorellProcess::instance()) srFlags().thinking = serial != 0 ? 1 : 0;
}

// The worker gets a copy of the moves made here, on the main thread; the flow then waits for
// that worker's answer only.
void GameFlow::StartThinking() {
    if (moveCount() >= kPoints) {
        form_.SetStatus(TMainForm::tr(kNoMoreMoves));
        return;
    }
    form_.SetStatus(TMainForm::tr(kThinking));
    SearchJob job;
    try {
        // With no openings file for this stone count anywhere, the database is not asked (and
        // so reports nothing missing).
        const std::optional<std::string> directory = databaseDirectory(moveCount());
        job.kind = SearchJob::Kind::Decision;
        job.moves = moves();
        job.level = thinkingLevel();
        job.level.readDatabase = directory.has_value();
        job.databaseDirectory = directory.value_or(std::string());
    } catch (...) {
        uiSeam().message(&form_, caption::windows(), QStringLiteral("Thread Error B"),
                         UiSeam::Kind::Error);
        form_.SetStatus(QString());
        return;
    }
    const quint64 serial = pool_.start(std::move(job));
    if (serial == 0) {
        form_.SetStatus(QString());
        uiSeam().message(&form_, caption::windows(), QStringLiteral("Thread Error C"),
                         UiSeam::Kind::Error);
        return;
    }
    await(serial);
}

void GameFlow::StopThinking() {
    if (srFlags().thinking != 1) return;
    pool_.stop(awaited_);
    await(0);
}

// Only the awaited worker's answer is played, so a stopped or superseded worker can never
// place a stone or leave the window waiting.
void GameFlow::workerFinished(quint64 serial, const SearchReport& report) {
    if (serial == 0 || serial != awaited_ || srFlags().thinking != 1) return;
    resultCell = static_cast<uint8_t>(report.bestMove);
    ThinkingDone();
}

void GameFlow::ThinkingDone() {
    await(0);
    if (moveCount() >= kPoints) {
        form_.SetStatus(TMainForm::tr(kNoMoreMoves));
        return;
    }
    // An answer that places no stone (none although nobody stopped the search, a refused
    // point, a failure while placing) ends the game: the colour to move is still the
    // computer's, and it must never pass to the user as their turn.
    const int before = moveCount();
    if (resultCell != kNoMove) PlayPoint(resultCell);
    const int point = moveCount() > before ? resultCell : kNoMove;
    if (point == kNoMove) {
        LeavePlayMode();
        form_.SetStatus(TMainForm::tr(kNoComputerMove));
    } else if (!gameOver() && srFlags().thinking != 1) {
        form_.SetStatus(TMainForm::tr(moveCount() >= kPoints ? kNoMoreMoves : kUserTurn));
    }
    emit computerMoveDone(point);
}

int GameFlow::runningWorkers() const {
    return pool_.running(SearchJob::Kind::Decision);
}

void GameFlow::stopAll() {
    StopThinking();
    await(0);
}

void GameFlow::takeBack() {
    RemoveLastHistoryLine();
    record_->Back();
}

// In play mode the user's turn comes back: while the computer thinks, the move it answers is
// taken back; otherwise its answer and the user's move. On an empty board the computer is
// thinking about the first move and nothing can be taken back: stopping it would hand the user
// black's turn although the user plays white, so the computer goes on thinking.
void GameFlow::UndoMove() {
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
        form_.SetStatus(TMainForm::tr(kUserTurn));
    } else if (n > 0) {
        takeBack();
    }
    form_.RefreshBoard();
}

// Replays the next move of the record through PutStone. Refused while the computer thinks:
// the replayed stone would change the position under the worker.
void GameFlow::RedoMove() {
    if (srFlags().thinking == 1) return;
    if (record_->Forward()) {
        const Pos p = record_->current()->pos;
        record_->Back();
        PutStone(p.x, p.y);
    }
    form_.RefreshBoard();
}

void GameFlow::Resign() {
    if (gameOver()) return;
    LeavePlayMode();
    StopThinking();
    form_.SetStatus(TMainForm::tr("投了しました"));
    emit positionChanged();
}

void GameFlow::EnterPlayMode() {
    w_.KG1->setEnabled(true);
    w_.SpeedButton6->setEnabled(true);
    srFlags().playMode = 1;
    form_.UpdateCaption();
}

void GameFlow::LeavePlayMode() {
    w_.KG1->setEnabled(false);
    w_.SpeedButton6->setEnabled(false);
    srFlags().playMode = 0;
    form_.UpdateCaption();
}

void GameFlow::PlayFirst() {
    startPlay(0);
}

void GameFlow::PlaySecond() {
    startPlay(1);
}

// A game against the computer from the position on the board; the user is to move when the
// number of moves has userParity's parity (0: the user plays black).
void GameFlow::startPlay(int userParity) {
    const int n = moveCount();
    if (n >= kPoints) {
        form_.SetStatus(TMainForm::tr(kNoMoreMoves));
        return;
    }
    if (gameOver()) return;
    StopThinking();
    EnterPlayMode();
    srFlags().userParity = userParity;
    const QString user = TMainForm::tr("あなた");
    const QString computer = TMainForm::tr("コンピュータ");
    w_.Label5->setText(userParity == 0 ? user : computer);
    w_.Label6->setText(userParity == 0 ? computer : user);
    w_.Label5->adjustSize();
    w_.Label6->adjustSize();
    form_.RefreshBoard();
    if (n % 2 != userParity)
        StartThinking();
    else
        form_.SetStatus(TMainForm::tr(kUserTurn));
}

void GameFlow::ResetGame() {
    record_->Clear();
    w_.SB_Back->setEnabled(false);
    w_.SB_Foward->setEnabled(false);
    Resign();
    form_.SetStatus(QString());
    srFlags().reset();
    awaited_ = 0;
    ClearHistory();
    form_.UpdateCaption();
    if (OpeningRuleController* rules = form_.openingRules()) rules->gameReset();
}

void GameFlow::NewGame() {
    StopThinking();
    ResetGame();
    form_.RefreshBoard();
    form_.SetStatus(QString());
}

void GameFlow::RecordChanged() {
    record_->GoTop();
    ClearHistory();
    int k = 0;
    while (record_->Forward()) AddHistoryLine(++k);
    form_.SetStatus(QString());
    form_.RefreshBoard();
    form_.UpdateCaption();
    panelsFollowRecord(form_); // a new record on the same position (window_panels.h)
}

void GameFlow::announcePosition() {
    std::string key;
    for (const MovedPos& m : moves()) key += std::to_string(cellIndex(m.x, m.y)) + ',';
    if (key == announced_) return;
    announced_ = std::move(key);
    emit positionChanged();
}
