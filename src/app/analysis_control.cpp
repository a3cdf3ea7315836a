#include "app/analysis_control.h"

#include "app/analysis_lines.h"
#include "app/forbidden_marks.h"
#include "app/game_flow.h"
#include "app/main_form.h"
#include "app/main_widgets.h"
#include "app/sorell_process.h"
#include "app/sr_option.h"
#include "app/worker_pool.h"

#include <QAction>
#include <QLabel>
#include <QStringList>
#include <QToolButton>

#include <initializer_list>

namespace {

// The hint's thinking time at the standard level.
constexpr int kHintMs = 1000;

QString scoreText(const SearchReport& r) {
    if (r.winIn > 0) return TMainForm::tr("%1手で勝ち").arg(r.winIn);
    if (r.winIn < 0) return TMainForm::tr("%1手で負け").arg(-r.winIn);
    return TMainForm::tr("評価 %1%2").arg(r.score > 0 ? "+" : "").arg(r.score);
}

} // namespace

AnalysisControl::AnalysisControl(TMainForm& form, const MainWidgets& widgets, GameFlow& game,
                                 WorkerPool& pool)
    : QObject(&form), form_(form), w_(widgets), game_(game), pool_(pool) {
    connect(&pool_, &WorkerPool::report, this, &AnalysisControl::workerReport);
    connect(&pool_, &WorkerPool::finished, this, &AnalysisControl::workerFinished);
    connect(&game_, &GameFlow::positionChanged, this, &AnalysisControl::followPosition);
}

int AnalysisControl::runningAnalysers() const {
    return pool_.running(SearchJob::Kind::Hint) + pool_.running(SearchJob::Kind::Analysis);
}

void AnalysisControl::stopHint() {
    pool_.stop(hintSerial_);
    hintSerial_ = 0;
}

void AnalysisControl::ShowHint() {
    if (game_.gameOver() || game_.moveCount() >= kPoints) return;
    stopHint();
    const int level = srOption().level;
    SearchJob job;
    job.kind = SearchJob::Kind::Hint;
    job.threads = searchThreads();
    job.moves = game_.moves();
    job.timeMs = level > 0 ? level : kHintMs;
    hintSerial_ = pool_.start(std::move(job));
    if (hintSerial_ == 0) return;
    hintPosition_ = BoardOverlay::positionKey(game_.moves());
    hintStatus_ = TMainForm::tr("ヒントを考えています");
    form_.SetStatus(hintStatus_);
}

void AnalysisControl::SetAnalysis(bool on) {
    if (on == analysisOn_) return;
    analysisOn_ = on;
    for (QObject* o : std::initializer_list<QObject*>{w_.KAnalysis, w_.SB_Analysis})
        o->blockSignals(true);
    w_.KAnalysis->setChecked(on);
    w_.SB_Analysis->setChecked(on);
    for (QObject* o : std::initializer_list<QObject*>{w_.KAnalysis, w_.SB_Analysis})
        o->blockSignals(false);
    if (on) {
        restartAnalysis();
        return;
    }
    pool_.stop(analysisSerial_);
    analysisSerial_ = 0;
    analysisText_.clear();
    w_.analysisText->clear();
    overlay_.line.clear();
    form_.DrawBoard(false);
}

// Called whenever the position changed by any path, or the game on it was resigned.
void AnalysisControl::followPosition() {
    const bool marked = !overlay_.position.empty();
    overlay_ = BoardOverlay{};
    if (hintSerial_ != 0) stopHint();
    if (!hintStatus_.isEmpty() && form_.statusText() == hintStatus_) form_.SetStatus(QString());
    hintStatus_.clear();
    if (analysisOn_) restartAnalysis();
    if (marked) form_.DrawBoard(false);
}

void AnalysisControl::restartAnalysis() {
    pool_.stop(analysisSerial_);
    analysisSerial_ = 0;
    analysisText_.clear();
    w_.analysisText->clear();
    overlay_.line.clear();
    if (game_.gameOver() || game_.moveCount() >= kPoints) return;
    SearchJob job;
    job.kind = SearchJob::Kind::Analysis;
    job.threads = searchThreads();
    job.moves = game_.moves();
    job.lines = kAnalysisLines;
    analysisSerial_ = pool_.start(std::move(job));
    w_.analysisText->setText(TMainForm::tr("検討中"));
}

void AnalysisControl::workerReport(quint64 serial, const SearchReport& r) {
    if (serial == 0 || serial != analysisSerial_ || r.bestMove == kNoMove) return;
    emit analysisReported(r);
    // The line written is the line the ghost stones show.
    const JudgedPosition position(game_.moves());
    QStringList words;
    for (int p : ghostLine(position.board, r.line)) words << pointName(p);
    // A proven result has no depth worth telling.
    const QString reach = r.winIn > 0   ? TMainForm::tr("勝ち確定")
                          : r.winIn < 0 ? TMainForm::tr("負け確定")
                                        : TMainForm::tr("深さ%1").arg(r.depth);
    analysisText_ = TMainForm::tr("%1 %2 %3 | %4")
                        .arg(reach, pointName(r.bestMove), scoreText(r), words.join(' '));
    w_.analysisText->setText(analysisText_);
    overlay_.position = BoardOverlay::positionKey(game_.moves());
    overlay_.line = r.line;
    form_.DrawBoard(false);
}

// Only the awaited hint's answer is shown, and only on its own position.
void AnalysisControl::workerFinished(quint64 serial, const SearchReport& r) {
    if (serial == 0) return;
    if (serial == analysisSerial_) {
        workerReport(serial, r);
        analysisSerial_ = 0; // the search ended by itself; the position stays analysed
        return;
    }
    if (serial != hintSerial_) return;
    hintSerial_ = 0;
    if (hintPosition_ != BoardOverlay::positionKey(game_.moves()) || r.bestMove == kNoMove) return;
    overlay_.position = hintPosition_;
    overlay_.hint = r.bestMove;
    hintStatus_ = TMainForm::tr("ヒント: %1 (%2)").arg(pointName(r.bestMove), scoreText(r));
    form_.SetStatus(hintStatus_);
    form_.DrawBoard(false);
}
