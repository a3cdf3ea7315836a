#include "app/window_panels.h"

#include "app/analysis_control.h"
#include "app/analysis_panel.h"
#include "app/board_overlay.h"
#include "app/captions.h"
#include "app/forbidden_marks.h"
#include "app/game_flow.h"
#include "app/game_info_dialog.h"
#include "app/main_form.h"
#include "app/main_widgets.h"
#include "app/sorell_process.h"
#include "app/ui_seam.h"
#include "model/move_tree.h"
#include "model/record_outline.h"
#include "rules/move_code.h"

#include "model/record_files.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLayout>
#include <QMenu>
#include <QScreen>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// A panel's first size when floated.
constexpr int kPanelWidth = 300;
constexpr int kPanelHeight = 200;

int depthOf(const MOve* node) {
    int d = 0;
    for (const MOve* n = node; n->parent(); n = n->parent()) ++d;
    return d;
}

bool onCurrentPath(const MOveTree& record, const MOve* node) {
    for (const MOve* n = record.current(); n; n = n->parent())
        if (n == node) return true;
    return false;
}

} // namespace

WindowPanels::WindowPanels(TMainForm& form) : QObject(&form), form_(form) {
    setObjectName("WindowPanels");
    const MainWidgets& w = form.widgets();
    analysis = new AnalysisPanel(&form);
    tree = new RecordTreePanel(&form);
    // Both dock at the window's edges (the analysis below the board, the tree at its right)
    // or float, and stay closed until asked for, so the default layout is untouched.
    const std::pair<QDockWidget*, Qt::DockWidgetArea> docks[] = {
        {analysis, Qt::BottomDockWidgetArea}, {tree, Qt::RightDockWidgetArea}};
    for (const auto& [dock, area] : docks) {
        dock->setAllowedAreas(Qt::AllDockWidgetAreas);
        dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                          QDockWidget::DockWidgetFloatable);
        dock->resize(kPanelWidth, kPanelHeight);
        form.addDock(area, dock);
        dock->hide();
        connect(dock, &QDockWidget::visibilityChanged, this, [this](bool on) {
            if (on) followRecord();
        });
        QDockWidget* opened = dock;
        connect(dock->toggleViewAction(), &QAction::triggered, this, [this, opened](bool on) {
            if (on) keepBoardSize(opened);
        });
    }

    // 表示: the two panels after the options, before the tool bar items.
    showAnalysis = analysis->toggleViewAction();
    showAnalysis->setText(tr("検討パネル(&P)"));
    showAnalysis->setObjectName("KAnalysisPanel");
    showTree = tree->toggleViewAction();
    showTree->setText(tr("棋譜ツリー(&T)"));
    showTree->setObjectName("KRecordTree");
    w.KV1->insertAction(w.N2, showAnalysis);
    w.KV1->insertAction(w.N2, showTree);

    // ファイル: the game information after saving.
    gameInfo = new QAction(tr("対局情報(&I)..."), &form);
    gameInfo->setObjectName("KGameInfo");
    w.KF1->insertAction(w.N1, gameInfo);
    connect(gameInfo, &QAction::triggered, this, &WindowPanels::editGameInfo);
    saveText = new QAction(tr("SGF形式で保存(&G)..."), &form);
    saveText->setObjectName("KSaveText");
    w.KF1->insertAction(gameInfo, saveText);
    connect(saveText, &QAction::triggered, this, &WindowPanels::saveRecordText);

    // 設定: confirm before a forbidden point.
    confirmForbidden = new QAction(tr("禁手の前に確認(&F)"), &form);
    confirmForbidden->setObjectName("KConfirmForbidden");
    confirmForbidden->setCheckable(true);
    confirmForbidden->setChecked(srOption().confirmForbidden != 0);
    w.KO2->insertAction(w.KC1, confirmForbidden);
    connect(confirmForbidden, &QAction::toggled, this,
            [](bool on) { srOption().confirmForbidden = on ? 1 : 0; });

    connect(analysis, &AnalysisPanel::playRequested, this, &WindowPanels::playLine);
    connect(tree, &RecordTreePanel::nodeActivated, this, &WindowPanels::goToNode);
    connect(tree, &RecordTreePanel::commandRequested, this, &WindowPanels::runCommand);
    connect(&form.game(), &GameFlow::positionChanged, this, &WindowPanels::followRecord);
    connect(&form.analysis(), &AnalysisControl::analysisReported, this,
            &WindowPanels::analysisReport);
}

// A panel opened docked takes its room from the board; the window grows by what the board
// lost below its default size, as far as the screen allows, and the docked panels keep their
// sizes so the room goes to the board (the window's layout would otherwise share it with
// them). A maximised window stays.
void WindowPanels::keepBoardSize(QDockWidget* dock) {
    if (dock->isFloating() || !form_.isVisible() || form_.isMaximized() || form_.isFullScreen())
        return;
    form_.layout()->activate();
    const MainWidgets& w = form_.widgets();
    const int top = w.Panel2->isVisibleTo(&form_) ? MainWidgets::kToolbarHeight : 0;
    const int boardWidth = w.client->width() - MainWidgets::kSidePanelWidth;
    const int boardHeight = w.client->height() - top;
    QSize grown = form_.size() + QSize(std::max(MainWidgets::kBoardWidth - boardWidth, 0),
                                       std::max(MainWidgets::kBoardHeight - boardHeight, 0));
    if (grown == form_.size()) return;
    if (const QScreen* screen = form_.screen()) {
        // The frame (title bar and borders) needs its room on the screen too.
        const QSize frame = form_.frameGeometry().size() - form_.size();
        grown = grown.boundedTo(screen->availableGeometry().size() - frame);
    }
    QList<QDockWidget*> across, upright;
    QList<int> heights, widths;
    for (QDockWidget* panel :
         {static_cast<QDockWidget*>(analysis), static_cast<QDockWidget*>(tree)}) {
        if (panel->isHidden() || panel->isFloating()) continue;
        const Qt::DockWidgetArea area = form_.dockWidgetArea(panel);
        if (area == Qt::TopDockWidgetArea || area == Qt::BottomDockWidgetArea) {
            across << panel;
            heights << panel->height();
        } else {
            upright << panel;
            widths << panel->width();
        }
    }
    form_.resize(grown.expandedTo(form_.size()));
    form_.resizeDocks(across, heights, Qt::Vertical);
    form_.resizeDocks(upright, widths, Qt::Horizontal);
}

void WindowPanels::followRecord() {
    // A closed panel is not filled; it follows when it opens.
    if (!tree->isHidden()) tree->showRecord(form_.game().record());
    const std::string key = BoardOverlay::positionKey(form_.game().moves());
    if (analysis->position() != key)
        analysis->clearLines(form_.analysis().analysing() ? tr("検討中")
                                                          : tr("検討モードで候補手を表示します"));
}

void WindowPanels::analysisReport(const SearchReport& report) {
    analysis->showSnapshot(snapshotFromReport(report),
                           static_cast<int>(form_.game().moves().size()) + 1,
                           BoardOverlay::positionKey(form_.game().moves()));
}

bool WindowPanels::editable() const {
    return srFlags().thinking == 0 && srFlags().playMode == 0;
}

bool WindowPanels::goToNode(const MOve* node) {
    MOveTree& record = form_.game().record();
    std::vector<int> path;
    if (!editable() || !pathTo(*record.root(), node, path)) return false;
    // The moves both lines share stay; the record is taken back to them, then the selections
    // below are set along the target's line and the window steps forward along it.
    int common = 0;
    MOve* n = record.root();
    std::vector<MOve*> nodes{n};
    for (int i : path) nodes.push_back(n = n->child(i));
    while (common < static_cast<int>(path.size()) && onCurrentPath(record, nodes[common + 1]))
        ++common;
    form_.game().GoToMove(common);
    for (size_t i = static_cast<size_t>(common); i < path.size(); ++i) nodes[i]->select(path[i]);
    form_.game().GoToMove(static_cast<int>(path.size()));
    followRecord();
    return record.current() == node;
}

bool WindowPanels::playLine(const QList<int>& points, const std::string& position) {
    if (!editable() || points.isEmpty() ||
        position != BoardOverlay::positionKey(form_.game().moves()))
        return false;
    MOveTree& record = form_.game().record();
    const int start = static_cast<int>(form_.game().moves().size());
    // Every stone but the last goes in quietly; the last one is placed as the window places a
    // stone, so a line that ends the game reports it.
    for (qsizetype i = 0; i + 1 < points.size(); ++i) {
        const int p = points[i];
        if (isEndCode(record.current()->code) || !record.PutMoveAlternating(p % 15, p / 15)) break;
        form_.game().AddHistoryLine(static_cast<int>(form_.game().moves().size()));
    }
    form_.RefreshBoard();
    if (static_cast<int>(form_.game().moves().size()) == start + points.size() - 1) {
        int code = 0;
        form_.game().PlaceAndJudge(points.back() % 15, points.back() / 15, code);
    }
    followRecord();
    return true;
}

bool WindowPanels::runCommand(const MOve* node, RecordTreePanel::Command command) {
    MOveTree& record = form_.game().record();
    std::vector<int> path;
    if (!editable() || !pathTo(*record.root(), node, path)) return false;
    using Command = RecordTreePanel::Command;
    if (command == Command::AddVariation) {
        if (!goToNode(node)) return false;
        form_.SetStatus(tr("盤に打った手がこの局面からの変化になります"));
        return true;
    }
    if (path.empty()) return false; // the root has no siblings and cannot be deleted
    MOve* parent = record.root();
    for (size_t i = 0; i + 1 < path.size(); ++i) parent = parent->child(path[i]);
    const int index = path.back();
    bool done = true;
    switch (command) {
    case Command::MakeMainLine:
        parent->moveChild(index, 0);
        break;
    case Command::MoveUp:
        done = index > 0;
        if (done) parent->moveChild(index, index - 1);
        break;
    case Command::MoveDown:
        done = index + 1 < parent->childCount();
        if (done) parent->moveChild(index, index + 1);
        break;
    case Command::Delete: {
        const int moves = depthOf(node);
        if (!uiSeam().question(&form_, caption::sorell(),
                               tr("%1手目からの変化を削除します。よろしいですか？").arg(moves)))
            return false;
        if (onCurrentPath(record, node)) form_.game().GoToMove(moves - 1);
        parent->removeChild(index);
        break;
    }
    case Command::AddVariation:
        break;
    }
    form_.RefreshBoard();
    followRecord();
    return done;
}

void WindowPanels::editGameInfo() {
    GameInfoDialog dialog(form_.game().record().gameInfo(), &form_);
    if (dialog.exec() != QDialog::Accepted) return;
    form_.game().record().setGameInfo(dialog.info());
    form_.UpdateCaption();
}

bool WindowPanels::saveRecordText() {
    const QString chosen =
        uiSeam().saveFileName(&form_, tr("SGF形式 (*.sgf)"), srOption().lastFolder);
    if (chosen.isEmpty()) return false;
    QString name = chosen;
    if (!name.endsWith(QLatin1String(".sgf"), Qt::CaseInsensitive)) name += QStringLiteral(".sgf");
    if (name != chosen && QFileInfo::exists(name) &&
        !uiSeam().question(&form_, caption::sorell(),
                           tr("%1 は既に存在します。\n置き換えますか?").arg(name)))
        return false;
    MOveTree& record = form_.game().record();
    const uint8_t format = record.recordFormat();
    record.setRecordFormat(kRecordText);
    const bool written = record.WriteFile(QFile::encodeName(name).toStdString().c_str());
    record.setRecordFormat(format);
    if (!written) {
        uiSeam().message(&form_, caption::sorell(),
                         tr("棋譜ファイル %1 に書き込めません").arg(name), UiSeam::Kind::Warning);
        return false;
    }
    srFlags().fileName = name;
    srOption().lastFolder = QFileInfo(name).absolutePath();
    form_.UpdateCaption();
    return true;
}

void installPanels(TMainForm& form) {
    if (!windowPanels(form)) new WindowPanels(form);
}

WindowPanels* windowPanels(TMainForm& form) {
    return form.findChild<WindowPanels*>(QString(), Qt::FindDirectChildrenOnly);
}

void panelsFollowRecord(TMainForm& form) {
    if (WindowPanels* p = windowPanels(form)) p->followRecord();
}

void panelsAnalysisReport(TMainForm& form, const SearchReport& report) {
    if (WindowPanels* p = windowPanels(form)) p->analysisReport(report);
}

bool confirmUserMove(TMainForm& form, int x, int y) {
    if (srOption().confirmForbidden == 0 || x < 0 || x > 14 || y < 0 || y > 14 ||
        form.game().gameOver())
        return true;
    const QString why = forbiddenExplanation(form.game().moves(), cellIndex(x, y));
    if (why.isEmpty()) return true;
    return uiSeam().question(
        &form, caption::sorell(),
        WindowPanels::tr("%1\nここに打つと黒の負けです。打ちますか？").arg(why));
}

QString recordInfoCaption(const MOveTree* record) {
    return record ? gameInfoCaption(record->gameInfo()) : QString();
}
