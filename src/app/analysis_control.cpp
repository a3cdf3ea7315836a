#include "app/analysis_control.h"

#include "app/forbidden_marks.h"
#include "app/game_flow.h"
#include "app/main_form.h"
#include "app/main_widgets.h"
#include "app/sorell_process.h"
#include "app/worker_pool.h"

#include <QAction>
#include <QLabel>
#include <QStringList>
#include <QToolButton>

#include <initializer_list>

namespace {

// The hint's thinking time at the standard level.
constexpr int kHintMs = 1000;
// Principal-line moves written in the status bar.
constexpr size_t kLineWords = 5;

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
    job.moves = game_.moves();
    job.timeMs = level > 0 ? level : kHintMs;
    hintSerial_ = pool_.start(std::move(job));
    if (hintSerial_ == 0) return;
    hintPosition_ = BoardOverlay::positionKey(game_.moves());
    form_.SetStatus(TMainForm::tr("ヒントを考えています"));
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
        analysedPosition_.clear();
        followPosition();
        return;
    }
    pool_.stop(analysisSerial_);
    analysisSerial_ = 0;
    analysisText_.clear();
    w_.analysisText->clear();
    overlay_.line.clear();
    form_.DrawBoard(false);
}

void AnalysisControl::followPosition() {
    const std::string key = BoardOverlay::positionKey(game_.moves());
    if (overlay_.position != key) overlay_ = BoardOverlay{};
    if (hintSerial_ != 0 && hintPosition_ != key) stopHint();
    if (!analysisOn_ || analysedPosition_ == key) return;
    pool_.stop(analysisSerial_);
    analysisSerial_ = 0;
    analysedPosition_ = key;
    analysisText_.clear();
    if (game_.gameOver() || game_.moveCount() >= kPoints) {
        w_.analysisText->clear();
        return;
    }
    SearchJob job;
    job.kind = SearchJob::Kind::Analysis;
    job.moves = game_.moves();
    analysisSerial_ = pool_.start(std::move(job));
    w_.analysisText->setText(TMainForm::tr("検討中"));
}

void AnalysisControl::workerReport(quint64 serial, const SearchReport& r) {
    if (serial == 0 || serial != analysisSerial_ || r.bestMove == kNoMove) return;
    QStringList words;
    for (size_t i = 0; i < r.line.size() && i < kLineWords; ++i) words << pointName(r.line[i]);
    analysisText_ = TMainForm::tr("深さ%1 %2 %3 | %4")
                        .arg(r.depth)
                        .arg(pointName(r.bestMove), scoreText(r), words.join(' '));
    w_.analysisText->setText(analysisText_);
    overlay_.position = analysedPosition_;
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
    form_.SetStatus(TMainForm::tr("ヒント: %1 (%2)").arg(pointName(r.bestMove), scoreText(r)));
    form_.DrawBoard(false);
}
