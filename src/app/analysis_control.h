#pragma once

#include "app/board_overlay.h"

#include <QObject>
#include <QString>

#include <string>

class GameFlow;
class TMainForm;
class WorkerPool;
struct MainWidgets;
struct SearchReport;

// The hint and the continuous analysis of the shown position, both strong searches on the
// window's workers, and the marks they lay over the board. Everything here belongs to one
// position and goes when the position changes.
class AnalysisControl : public QObject {
    Q_OBJECT

  public:
    AnalysisControl(TMainForm& form, const MainWidgets& widgets, GameFlow& game, WorkerPool& pool);

    // The strong level's move for the side to move, searched on a worker: marked on the board
    // with its score in the status bar.
    void ShowHint();
    // Continuous analysis of the shown position on a worker; off stops it at once.
    void SetAnalysis(bool on);
    bool analysing() const { return analysisOn_; }
    // The marks over the board (hint and principal line).
    const BoardOverlay& overlay() const { return overlay_; }
    // The text of the analysis in the status bar.
    QString analysisText() const { return analysisText_; }
    // Hint and analysis workers not yet joined.
    int runningAnalysers() const;

  signals:
    // A report of the running analysis of the shown position (each depth, and the last).
    void analysisReported(const SearchReport& report);

  private:
    // What belonged to the old position goes; the analysis, when on, starts on the new one.
    void followPosition();
    void workerReport(quint64 serial, const SearchReport& report);
    void workerFinished(quint64 serial, const SearchReport& report);
    void stopHint();
    // Stops the analysis and starts it again on the shown position (unless the game is over).
    void restartAnalysis();

    TMainForm& form_;
    const MainWidgets& w_;
    GameFlow& game_;
    WorkerPool& pool_;
    // The serials of the awaited hint and of the running analysis (0: none), and the position
    // the hint works on.
    quint64 hintSerial_ = 0;
    quint64 analysisSerial_ = 0;
    std::string hintPosition_;
    QString analysisText_;
    // The hint's status text while it is shown (it goes with the position).
    QString hintStatus_;
    bool analysisOn_ = false;
    BoardOverlay overlay_;
};
