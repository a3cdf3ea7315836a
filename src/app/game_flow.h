#pragma once

#include "base/geometry.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>
#include <string>

class BanHistory;
class MOveTree;
class TMainForm;
class WorkerPool;
struct MainWidgets;
struct SearchReport;

// The flow of a game: the record, placing and judging stones, the computer's turn on a worker,
// taking back and replaying moves, play mode, navigation, keyboard and mouse moves, and the
// history box that lists the line. Every stone, whoever plays it, goes through PutStone.
class GameFlow : public QObject {
    Q_OBJECT

  public:
    // The window shows what this changes (status, board, caption); the pool runs its workers.
    GameFlow(TMainForm& form, const MainWidgets& widgets, WorkerPool& pool);
    ~GameFlow() override;

    // The game record shown in the window (lives as long as this).
    MOveTree& record() { return *record_; }
    // The moves of the shown line.
    const BanHistory& moves() const;
    int moveCount() const;
    bool gameOver() const;

    // Places a stone for the side to move; false when nothing was placed.
    bool PutStone(int x, int y);
    // The placing half of PutStone: places, draws, adds the history line and reports the end
    // of the game. code receives the move's code (20 when nothing was placed).
    bool PlaceAndJudge(int x, int y, int& code);
    // PutStone at point index 0..224.
    void PlayPoint(uint8_t point);
    // Starts a worker on a copy of the moves; the flow then waits for that worker only.
    void StartThinking();
    // Stops waiting for the computer's answer (the worker is asked to stop, not waited for).
    void StopThinking();
    // Plays the computer's answer (resultCell).
    void ThinkingDone();
    void UndoMove();
    void RedoMove();
    void Resign();
    void EnterPlayMode();
    void LeavePlayMode();
    void PlayFirst();
    void PlaySecond();
    void ResetGame();
    void NewGame();
    // A new game from opening index 0..25 of openings(); computer: OpeningDialog::Computer.
    void NewGameFromOpening(int index, int computer);
    // Shows the line up to move k (0: the empty board), replaying or taking back quietly.
    // Refused while the computer thinks and in play mode.
    void GoToMove(int k);
    void GoToStart();
    void GoToEnd();
    // After the record was replaced: steps it to its first move, rebuilds the history box
    // while stepping forward to the end of the current line, empties the status text and
    // redraws.
    void RecordChanged();

    // A left click at (X, Y) in the default layout's pixels.
    void Goban0MouseDown(Qt::MouseButton button, int X, int Y);
    // A typed character of a keyboard move; Backspace cancels a pending column or takes back.
    void FormKeyPress(QChar key);
    void FormKeyDown(int key);
    // The pending column as the status bar shows it ("" when none).
    QString pendingText() const;

    // The history box: appends the current move's line as move k; deletes the last line.
    void AddHistoryLine(int k);
    void RemoveLastHistoryLine();
    void ClearHistory();

    // Decision workers not yet joined.
    int runningWorkers() const;
    // Emits positionChanged when the shown position is not the one last announced.
    void announcePosition();
    // Stops waiting for any worker; used when the window closes.
    void stopAll();

    // The computer's answer as handed over by the awaited worker: 0..224, or kNoMove.
    uint8_t resultCell = kNoMove;

  signals:
    // A stone was placed (by anybody), after it was drawn and judged.
    void stonePlaced(int x, int y, int code);
    // The computer's answer from a worker was played (or refused) and the turn handed back.
    void computerMoveDone(int point);
    // The shown position changed by any path, or the game on it was resigned: whatever
    // belonged to the old position (hint, analysis marks) is stale.
    void positionChanged();

  private:
    void workerFinished(quint64 serial, const SearchReport& report);
    // The one record of the awaited decision: its serial (0: none), mirrored in the process
    // flags' "thinking".
    void await(quint64 serial);
    void takeBack();
    void startPlay(int userParity);
    void showPending();

    TMainForm& form_;
    const MainWidgets& w_;
    WorkerPool& pool_;
    std::unique_ptr<MOveTree> record_;
    quint64 awaited_ = 0;
    std::string announced_;
};
