#include "app/main_form.h"

#include "app/analysis_control.h"
#include "app/board_overlay.h"
#include "app/board_view.h"
#include "app/captions.h"
#include "app/forbidden_marks.h"
#include "app/form_parts.h"
#include "app/game_flow.h"
#include "app/goban_box.h"
#include "app/opening_dialog.h"
#include "app/opening_rule_controller.h"
#include "app/program_icon.h"
#include "app/record_commands.h"
#include "app/sorell_process.h"
#include "app/ui_seam.h"
#include "app/window_panels.h"
#include "app/worker_pool.h"
#include "model/move_tree.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextBlock>
#include <QToolButton>

#include <algorithm>
#include <initializer_list>

TMainForm::TMainForm(const QStringList& commandLine, QWidget* parent)
    : QMainWindow(parent), commandLine_(commandLine) {
    setObjectName("MainForm");
    setWindowTitle(caption::sorell());
    setWindowIcon(programIcon());
    setFont(proportionalGothic(12));

    w_.build(*this);
    pool_ = new WorkerPool(this);
    game_ = new GameFlow(*this, w_, *pool_);
    analysis_ = new AnalysisControl(*this, w_, *game_, *pool_);
    commands_ = new RecordCommands(*this, *game_);
    connectCommands();
    openingRules_ = new OpeningRuleController(*this);

    // FormCreate: a new game, then the menus and the toolbar follow the options.
    game_->ResetGame();
    applyOptions();
    bindOptionItems();
    const int top = w_.Panel2->isVisibleTo(this) ? MainWidgets::kToolbarHeight : 0;
    resize(MainWidgets::kClientWidth, menuBar()->sizeHint().height() + top +
                                          MainWidgets::kBoardHeight + MainWidgets::kStatusHeight);
    layoutClient();
    restoreSize();
    RefreshBoard();
    installPanels(*this); // the panels and their items (window_panels.h)
    restorePanels();
}

// The workers go first, so no answer reaches a part that is being destroyed.
TMainForm::~TMainForm() {
    rememberWindow();
    pool_->stopAll();
}

void TMainForm::connectCommands() {
    GameFlow* g = game_;
    RecordCommands* c = commands_;
    AnalysisControl* a = analysis_;
    const MainWidgets& w = w_;
    auto on = [this](QAction* item, auto&& command) {
        connect(item, &QAction::triggered, this, command);
    };
    auto click = [this](QToolButton* button, auto&& command) {
        connect(button, &QToolButton::clicked, this, command);
    };
    on(w.KN1, [g] { g->NewGame(); });
    on(w.KOpening, [this] { KOpeningClick(); });
    on(w.KO1, [c] { c->KO1Click(); });
    on(w.KS1, [c] { c->KS1Click(); });
    on(w.KX1, [c] { c->KX1Click(); });
    on(w.KC2, [c] { c->KC2Click(); });
    on(w.KP1, [c] { c->KP1Click(); });
    on(w.H1, [c] { c->H1Click(); });
    on(w.KEditor, [c] { c->SpeedButton7Click(); });
    on(w.K2, [g] { g->PlayFirst(); });
    on(w.K3, [g] { g->PlaySecond(); });
    on(w.K4, [g] { g->UndoMove(); });
    on(w.F1, [g] { g->RedoMove(); });
    on(w.KHome, [g] { g->GoToStart(); });
    on(w.KEnd, [g] { g->GoToEnd(); });
    on(w.KG1, [g] { g->Resign(); });
    on(w.KHint, [a] { a->ShowHint(); });
    connect(w.KAnalysis, &QAction::toggled, a, &AnalysisControl::SetAnalysis);
    on(w.KC1, [this] { KC1Click(); });
    on(w.KH2, [c] { c->KH2Click(); });
    on(w.KA1, [c] { c->KA1Click(); });
    on(w.K5, [g] { g->UndoMove(); });
    on(w.K6, [g] { g->Resign(); });
    for (QAction* level : {w.KLevelStandard, w.KLevelStrong1, w.KLevelStrong3, w.KLevelStrong10})
        on(level, [this, level] { SetLevel(level->data().toInt()); });

    click(w.SpeedButton1, [g] { g->NewGame(); });
    click(w.SpeedButton2, [c] { c->KO1Click(); });
    click(w.SpeedButton3, [c] { c->KS1Click(); });
    click(w.SpeedButton4, [g] { g->PlayFirst(); });
    click(w.SpeedButton5, [g] { g->PlaySecond(); });
    click(w.SpeedButton6, [g] { g->Resign(); });
    click(w.SB_Back, [g] { g->UndoMove(); });
    click(w.SB_Foward, [g] { g->RedoMove(); });
    click(w.SB_First, [g] { g->GoToStart(); });
    click(w.SB_Last, [g] { g->GoToEnd(); });
    click(w.SpeedButton7, [c] { c->SpeedButton7Click(); });
    click(w.SB_Hint, [a] { a->ShowHint(); });
    connect(w.SB_Analysis, &QToolButton::toggled, a, &AnalysisControl::SetAnalysis);

    connect(w.Goban0, &GobanBox::mouseDown, g, &GameFlow::Goban0MouseDown);
    w.Goban0->setToolTipSource([this](const QPoint& at) { return BoardToolTip(at.x(), at.y()); });
    connect(w.Goban0, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        w_.PopUpMenuOfShortCut->popup(w_.Goban0->mapToGlobal(at));
    });
    w.MemoHistory->viewport()->installEventFilter(this);
    w.client->installEventFilter(this);
    // Keys of keyboard moves are seen before the focused control (routeBoardKey).
    qApp->installEventFilter(this);

    // A stored time the menu does not offer counts as the standard player.
    const int stored = srOption().level;
    const QAction* const strong[] = {w.KLevelStrong1, w.KLevelStrong3, w.KLevelStrong10};
    const bool offered = std::any_of(std::begin(strong), std::end(strong), [stored](auto* level) {
        return level->data().toInt() == stored;
    });
    SetLevel(offered ? stored : 0);
    for (QAction* threads : w.KThreads->actions())
        on(threads, [this, threads] { SetThreads(threads->data().toInt()); });
    SetThreads(srOption().threads > static_cast<int>(w.KThreads->actions().size()) - 1
                   ? 0
                   : srOption().threads);
}

QString TMainForm::statusText() const {
    return w_.statusText->text();
}

void TMainForm::SetStatus(const QString& text) {
    w_.statusText->setText(text);
}

void TMainForm::UpdateCaption() {
    const SrFlags& f = srFlags();
    QString title = f.fileName.isEmpty() ? caption::sorell()
                                         : caption::sorell() + QStringLiteral(" - ") + f.fileName;
    title += recordInfoCaption(&game_->record()); // the players (window_panels.h)
    if (f.playMode == 1) title += tr(" [対局モード]");
    setWindowTitle(title);
}

void TMainForm::RefreshBoard() {
    w_.StatusBar1->update();
    game_->announcePosition();
    DrawBoard(false);
    commands_->RefreshEditor();
    UpdateNavigation();
}

const BoardView& TMainForm::boardView() {
    const BoardOverlay& overlay = analysis_->overlay();
    const BoardDrawOptions options = BoardDrawOptions::from(srOption());
    std::string key = BoardOverlay::positionKey(game_->moves());
    key += '|' + std::to_string(options.numbering) + std::to_string(options.latestCursor) +
           std::to_string(options.standard) + std::to_string(options.axisChar) +
           std::to_string(options.warning) + std::to_string(options.forbidden) + '|' +
           overlay.position + '|' + std::to_string(overlay.hint) + '|';
    for (int p : overlay.line) key += std::to_string(p) + ',';
    const OpeningMarks none;
    const OpeningMarks& marks = openingRules_ ? openingRules_->marks() : none;
    key += '|' + std::to_string(marks.area) + '|';
    for (const std::vector<int>* list : {&marks.offered, &marks.picked}) {
        for (int p : *list) key += std::to_string(p) + ',';
        key += '|';
    }
    // The face colour changes no judgement: it is drawn from the options the box is given.
    if (!view_ || key != viewKey_) {
        view_ = std::make_shared<const BoardView>(
            makeBoardView(game_->moves(), options, databaseStandardMove, &overlay, &marks));
        viewKey_ = std::move(key);
    }
    return *view_;
}

// The process's board bitmap holds the board as composed in the default layout (the screen
// copy and the editor read it); the paint box draws the same view at its own size.
void TMainForm::DrawBoard(bool incremental) {
    const BoardView& view = boardView();
    const BoardDrawOptions options = BoardDrawOptions::from(srOption());
    {
        QPainter canvas(&srFlags().boardBitmap);
        DrawBoardView(canvas, view, options);
    }
    w_.Goban0->setView(view_, options, incremental);
}

void TMainForm::UpdateNavigation() {
    MOveTree& record = game_->record();
    const bool forward = record.Forward();
    if (forward) record.Back();
    w_.SB_Foward->setEnabled(forward);
    const bool back = record.Back();
    if (back) record.Forward();
    w_.SB_Back->setEnabled(back);
    w_.SB_First->setEnabled(back);
    w_.SB_Last->setEnabled(forward);
}

// The point whose clickable square holds the pixel, as for a click.
QString TMainForm::BoardToolTip(int X, int Y) const {
    if (srOption().forbiddenMarks == 0 || X < 11 || Y < 11) return {};
    const int x = (X - 30) / 20;
    const int y = (Y - 30) / 20;
    if (x < 0 || x > 14 || y < 0 || y > 14) return {};
    return forbiddenExplanation(game_->moves(), cellIndex(x, y));
}

void TMainForm::KC1Click() {
    QColor colour;
    if (!uiSeam().chooseColour(this, colour)) return;
    srOption().setBoardColour(colour);
    RefreshBoard();
}

void TMainForm::SetLevel(int timeMs) {
    srOption().level = std::max(0, timeMs);
    thinkingLevel() = timeMs > 0 ? ThinkingLevel::strong(timeMs) : ThinkingLevel::standard();
    if (StrongSettings* strong = thinkingLevel().strongSettings())
        strong->threads = searchThreads();
    for (QAction* a : {w_.KLevelStandard, w_.KLevelStrong1, w_.KLevelStrong3, w_.KLevelStrong10})
        a->setChecked(a->data().toInt() == srOption().level);
}

void TMainForm::SetThreads(int count) {
    srOption().threads = std::max(0, count);
    if (StrongSettings* strong = thinkingLevel().strongSettings())
        strong->threads = searchThreads();
    for (QAction* a : w_.KThreads->actions())
        a->setChecked(a->data().toInt() == srOption().threads);
}

void TMainForm::KOpeningClick() {
    OpeningDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted) return;
    game_->NewGameFromOpening(dialog.opening(), dialog.computer());
}
