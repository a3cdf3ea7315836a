// The player's tools around the game: the computer's level, new games from the canonical
// openings, navigation to any move of the line, the hint and the continuous analysis, and the
// pending column of keyboard moves in the status bar.

#include "app/analysis_worker.h"
#include "app/board_drawing.h"
#include "app/forbidden_marks.h"
#include "app/goban_box.h"
#include "app/main_form.h"
#include "app/opening_dialog.h"
#include "app/openings.h"
#include "app/sorell_process.h"
#include "app/toolbar_glyphs.h"
#include "model/move_tree.h"

#include <QAction>
#include <QActionGroup>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextBlock>
#include <QToolButton>

#include <algorithm>

namespace {

// The thinking times of the strong level in the menu, in milliseconds.
constexpr int kLevelTimes[] = {1000, 3000, 10000};
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

void TMainForm::buildToolMenus() {
    auto item = [this](const char* name, const QString& caption, const QKeySequence& keys = {}) {
        auto* a = new QAction(caption, this);
        a->setObjectName(name);
        if (!keys.isEmpty()) a->setShortcut(keys);
        return a;
    };

    KOpening = item("KOpening", tr("珠型から新規(&T)..."));
    KF1->insertAction(KO1, KOpening);
    connect(KOpening, &QAction::triggered, this, &TMainForm::KOpeningClick);

    KE1->addSeparator();
    KEditor = item("KEditor", tr("定石エディタ(&E)"));
    KE1->addAction(KEditor);
    connect(KEditor, &QAction::triggered, this, &TMainForm::SpeedButton7Click);

    KHome = item("KHome", tr("最初へ(&H)"), QKeySequence(Qt::Key_Home));
    KEnd = item("KEnd", tr("最後へ(&E)"), QKeySequence(Qt::Key_End));
    KR1->insertAction(KG1, KHome);
    KR1->insertAction(KG1, KEnd);
    connect(KHome, &QAction::triggered, this, &TMainForm::GoToStart);
    connect(KEnd, &QAction::triggered, this, &TMainForm::GoToEnd);
    KR1->addSeparator();
    KHint = item("KHint", tr("ヒント(&I)"), QKeySequence("Ctrl+I"));
    KAnalysis = item("KAnalysis", tr("検討モード(&A)"), QKeySequence("Ctrl+E"));
    KAnalysis->setCheckable(true);
    KR1->addAction(KHint);
    KR1->addAction(KAnalysis);
    connect(KHint, &QAction::triggered, this, &TMainForm::ShowHint);
    connect(KAnalysis, &QAction::toggled, this, &TMainForm::SetAnalysis);

    KO2->addSeparator();
    KLevel = KO2->addMenu(tr("レベル(&L)"));
    KLevel->setObjectName("KLevel");
    KLevel->menuAction()->setObjectName("KLevel");
    auto* group = new QActionGroup(this);
    auto level = [&](const char* name, const QString& caption, int ms) {
        QAction* a = item(name, caption);
        a->setCheckable(true);
        a->setData(ms);
        group->addAction(a);
        KLevel->addAction(a);
        connect(a, &QAction::triggered, this, [this, ms] { SetLevel(ms); });
        return a;
    };
    KLevelStandard = level("KLevelStandard", tr("標準"), 0);
    KLevelStrong1 = level("KLevelStrong1", tr("強い 1秒"), kLevelTimes[0]);
    KLevelStrong3 = level("KLevelStrong3", tr("強い 3秒"), kLevelTimes[1]);
    KLevelStrong10 = level("KLevelStrong10", tr("強い 10秒"), kLevelTimes[2]);
    // A stored time the menu does not offer counts as the standard player.
    const int stored = srOption().level;
    SetLevel(std::find(std::begin(kLevelTimes), std::end(kLevelTimes), stored) !=
                     std::end(kLevelTimes)
                 ? stored
                 : 0);

    MemoHistory->viewport()->installEventFilter(this);
}

void TMainForm::buildToolButtons() {
    placeToolButtons({
        {&SB_First, "SB_First", 244, 21, QT_TR_NOOP("最初へ"), ToolbarGlyph::First, KHome},
        {&SB_Last, "SB_Last", 268, 21, QT_TR_NOOP("最後へ"), ToolbarGlyph::Last, KEnd},
        {&SB_Hint, "SB_Hint", 356, 25, QT_TR_NOOP("ヒント"), ToolbarGlyph::Hint, KHint},
        {&SB_Analysis, "SB_Analysis", 384, 25, QT_TR_NOOP("検討モード"), ToolbarGlyph::Analysis,
         nullptr},
    });
    SB_Analysis->setCheckable(true);
    connect(SB_Analysis, &QToolButton::toggled, this, &TMainForm::SetAnalysis);

    // Long texts never widen the window: the main text is cut, the others keep their size.
    statusLabel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    pendingLabel_ = new QLabel(StatusBar1);
    pendingLabel_->setObjectName("PendingColumn");
    analysisLabel_ = new QLabel(StatusBar1);
    analysisLabel_->setObjectName("AnalysisText");
    analysisLabel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    StatusBar1->addPermanentWidget(analysisLabel_, 1);
    StatusBar1->addPermanentWidget(pendingLabel_);
}

// ---- level ----

void TMainForm::SetLevel(int timeMs) {
    srOption().level = std::max(0, timeMs);
    thinkingLevel() = timeMs > 0 ? ThinkingLevel::strong(timeMs) : ThinkingLevel::standard();
    thinkingLevel().threads = defaultSearchThreads();
    for (QAction* a : {KLevelStandard, KLevelStrong1, KLevelStrong3, KLevelStrong10})
        a->setChecked(a->data().toInt() == srOption().level);
}

// ---- openings ----

void TMainForm::KOpeningClick() {
    OpeningDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted) return;
    NewGameFromOpening(dialog.opening(), dialog.computer());
}

void TMainForm::NewGameFromOpening(int index, int computer) {
    if (index < 0 || index >= kOpeningCount) return;
    const Opening& opening = openings()[static_cast<size_t>(index)];
    NewGame();
    for (const auto& [x, y] : opening.stones) {
        if (!record_->PutMoveAlternating(x, y)) break;
        AddHistoryLine(moveCount());
    }
    RefreshBoard();
    if (computer == OpeningDialog::kComputerWhite)
        PlayFirst();
    else if (computer == OpeningDialog::kComputerBlack)
        PlaySecond();
    else
        SetStatus(openingCaption(opening));
}

// ---- navigation ----

void TMainForm::GoToMove(int k) {
    if (srFlags().thinking == 1 || srFlags().playMode == 1) return;
    while (moveCount() > std::max(k, 0)) takeBack();
    while (moveCount() < k && record_->Forward()) AddHistoryLine(moveCount());
    SetStatus(QString());
    RefreshBoard();
}

void TMainForm::GoToStart() {
    GoToMove(0);
}

void TMainForm::GoToEnd() {
    GoToMove(kPoints);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == MemoHistory->viewport() && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && !MemoHistory->document()->isEmpty()) {
            const int line =
                MemoHistory->cursorForPosition(mouse->position().toPoint()).blockNumber();
            GoToMove(line + 1);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::showPending() {
    const char column = srFlags().pendingColumn;
    pendingLabel_->setText(column == 'z' ? QString() : tr("入力 %1_").arg(QChar(column)));
}

QString TMainForm::pendingText() const {
    return pendingLabel_->text();
}

// ---- hint and analysis ----

quint64 TMainForm::startAnalyser(int64_t timeMs) {
    const quint64 serial = nextWorkerSerial_++;
    try {
        auto worker = std::make_unique<AnalysisWorker>(serial, moves(), timeMs);
        connect(worker.get(), &AnalysisWorker::report, this, &TMainForm::analyserReport,
                Qt::QueuedConnection);
        connect(worker.get(), &AnalysisWorker::finished, this, &TMainForm::analyserFinished,
                Qt::QueuedConnection);
        analysers_.push_back(std::move(worker));
        analysers_.back()->start();
    } catch (...) {
        if (!analysers_.empty() && analysers_.back()->serial() == serial) analysers_.pop_back();
        return 0;
    }
    return serial;
}

void TMainForm::stopAnalyser(quint64 serial) {
    for (const auto& w : analysers_)
        if (w->serial() == serial) w->stop();
}

void TMainForm::stopAllAnalysers() {
    for (const auto& w : analysers_) w->stop();
    analysers_.clear();
    hintSerial_ = analysisSerial_ = 0;
}

void TMainForm::ShowHint() {
    if (gameOver() || moveCount() >= kPoints) return;
    if (hintSerial_ != 0) stopAnalyser(hintSerial_);
    const int level = srOption().level;
    hintSerial_ = startAnalyser(level > 0 ? level : kHintMs);
    if (hintSerial_ == 0) return;
    hintPosition_ = BoardOverlay::positionKey(moves());
    SetStatus(tr("ヒントを考えています"));
}

void TMainForm::SetAnalysis(bool on) {
    if (on == analysisOn_) return;
    analysisOn_ = on;
    for (QObject* o : std::initializer_list<QObject*>{KAnalysis, SB_Analysis})
        o->blockSignals(true);
    KAnalysis->setChecked(on);
    SB_Analysis->setChecked(on);
    for (QObject* o : std::initializer_list<QObject*>{KAnalysis, SB_Analysis})
        o->blockSignals(false);
    if (on) {
        analysedPosition_.clear();
        followPosition();
        return;
    }
    stopAnalyser(analysisSerial_);
    analysisSerial_ = 0;
    analysisText_.clear();
    analysisLabel_->clear();
    overlay_.line.clear();
    PaintBoard(*Goban0, moves(), &overlay_);
}

QString TMainForm::analysisText() const {
    return analysisText_;
}

void TMainForm::followPosition() {
    const std::string key = BoardOverlay::positionKey(moves());
    if (overlay_.position != key) overlay_ = BoardOverlay{};
    if (hintSerial_ != 0 && hintPosition_ != key) {
        stopAnalyser(hintSerial_);
        hintSerial_ = 0;
    }
    if (!analysisOn_ || analysedPosition_ == key) return;
    stopAnalyser(analysisSerial_);
    analysisSerial_ = 0;
    analysedPosition_ = key;
    analysisText_.clear();
    if (gameOver() || moveCount() >= kPoints) {
        analysisLabel_->clear();
        return;
    }
    analysisSerial_ = startAnalyser(0);
    analysisLabel_->setText(tr("検討中"));
}

void TMainForm::analyserReport(quint64 serial, const SearchReport& r) {
    if (serial == 0 || serial != analysisSerial_ || r.bestMove == kNoMove) return;
    QStringList words;
    for (size_t i = 0; i < r.line.size() && i < kLineWords; ++i) words << pointName(r.line[i]);
    analysisText_ = tr("深さ%1 %2 %3 | %4")
                        .arg(r.depth)
                        .arg(pointName(r.bestMove), scoreText(r), words.join(' '));
    analysisLabel_->setText(analysisText_);
    overlay_.position = analysedPosition_;
    overlay_.line = r.line;
    PaintBoard(*Goban0, moves(), &overlay_);
}

// Every worker reports here once; it is joined (its thread has nothing left to do) and
// dropped. Only the awaited hint's answer is shown, and only on its own position.
void TMainForm::analyserFinished(quint64 serial, const SearchReport& r) {
    const auto it = std::find_if(analysers_.begin(), analysers_.end(),
                                 [serial](const auto& w) { return w->serial() == serial; });
    if (it != analysers_.end()) {
        std::unique_ptr<AnalysisWorker> done = std::move(*it);
        analysers_.erase(it);
        done->wait();
    }
    if (serial == analysisSerial_) {
        analyserReport(serial, r);
        analysisSerial_ = 0; // the search ended by itself; the position stays analysed
        return;
    }
    if (serial != hintSerial_) return;
    hintSerial_ = 0;
    if (hintPosition_ != BoardOverlay::positionKey(moves()) || r.bestMove == kNoMove) return;
    overlay_.position = hintPosition_;
    overlay_.hint = r.bestMove;
    SetStatus(tr("ヒント: %1 (%2)").arg(pointName(r.bestMove), scoreText(r)));
    PaintBoard(*Goban0, moves(), &overlay_);
}
