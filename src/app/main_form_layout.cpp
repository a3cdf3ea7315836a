// The main window's layout, its options, and the events it handles itself: showing, closing,
// keys, clicks on the history box and dropped files.

#include "app/game_flow.h"
#include "app/goban_box.h"
#include "app/main_form.h"
#include "app/record_commands.h"
#include "app/sorell_process.h"
#include "app/worker_pool.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextBlock>

#include <initializer_list>

// The client area from the top: the toolbar (when shown), the board beside the side panel.
// The status bar lies below it, so the whole client area is 511 x 401 with the toolbar.
void TMainForm::layoutClient() {
    const int top = w_.Panel2->isVisibleTo(this) ? MainWidgets::kToolbarHeight : 0;
    w_.Goban0->setGeometry(0, top, MainWidgets::kBoardWidth, MainWidgets::kBoardHeight);
    w_.Panel1->setGeometry(MainWidgets::kBoardWidth, top, MainWidgets::kSidePanelWidth,
                           MainWidgets::kBoardHeight);
    w_.client->setFixedSize(MainWidgets::kClientWidth, top + MainWidgets::kBoardHeight);
    const int menuHeight = menuBar()->sizeHint().height();
    setFixedSize(MainWidgets::kClientWidth,
                 menuHeight + top + MainWidgets::kBoardHeight + MainWidgets::kStatusHeight);
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
}

namespace {

// A toggle item of the menus and the option it stores: checked is 1, unchecked 0.
struct OptionItem {
    QAction* item;
    int32_t SrOption::*option;
};

} // namespace

// At window creation each item's check mark follows its option (any non-zero value is on).
void TMainForm::applyOptions() {
    const SrOption& o = srOption();
    const std::initializer_list<QAction*> items = {w_.KN2, w_.KL1, w_.KS3, w_.KW1,       w_.K8,
                                                   w_.KA3, w_.KA2, w_.KS2, w_.KForbidden};
    for (QAction* a : items) a->blockSignals(true);
    w_.KN2->setChecked(o.numbering != 0);
    w_.KL1->setChecked(o.latestCursor != 0);
    w_.KS2->setChecked(o.sound != 0);
    w_.KS3->setChecked(o.standard != 0);
    w_.KA2->setChecked(o.inputAssistant != 0);
    w_.KW1->setChecked(o.warning != 0);
    w_.K8->setChecked(o.toolbar != 0);
    w_.KA3->setChecked(o.axisChar != 0);
    w_.KForbidden->setChecked(o.forbiddenMarks != 0);
    for (QAction* a : items) a->blockSignals(false);
    w_.Panel2->setVisible(o.toolbar != 0);
}

// The item's check mark decides: toggling stores its new state and redraws the board. The
// toolbar item instead shows or hides the toolbar, and the window grows or shrinks by its
// height so the board keeps its size; the board is not redrawn.
void TMainForm::bindOptionItems() {
    const OptionItem items[] = {
        {w_.KN2, &SrOption::numbering},
        {w_.KL1, &SrOption::latestCursor},
        {w_.KS3, &SrOption::standard},
        {w_.KW1, &SrOption::warning},
        {w_.KA3, &SrOption::axisChar},
        {w_.KA2, &SrOption::inputAssistant},
        {w_.KS2, &SrOption::sound},
        {w_.K8, &SrOption::toolbar},
        {w_.KForbidden, &SrOption::forbiddenMarks},
    };
    for (const OptionItem& b : items) {
        connect(b.item, &QAction::toggled, this, [this, b](bool on) {
            srOption().*b.option = on ? 1 : 0;
            if (b.item == w_.K8) {
                w_.Panel2->setVisible(on);
                layoutClient();
            } else {
                RefreshBoard();
            }
        });
    }
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

// The first command-line argument names a record to open; then files may be dropped.
void TMainForm::FormShow() {
    if (!commandLine_.isEmpty()) commands_->OpenRecord(commandLine_.first());
    setAcceptDrops(true);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    FormClose();
    QMainWindow::closeEvent(event);
}

// Closing ends a running game and stops every worker, so no thread outlives the window.
void TMainForm::FormClose() {
    commands_->CloseEditor();
    game_->Resign();
    game_->stopAll();
    pool_->stopAll();
}

void TMainForm::keyPressEvent(QKeyEvent* event) {
    if (!(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        if (event->key() == Qt::Key_Backspace) {
            game_->FormKeyDown(event->key());
            return;
        }
        const QString text = event->text();
        if (text.size() == 1 && text[0].isLetterOrNumber() && text[0].unicode() < 128) {
            game_->FormKeyPress(text[0]);
            return;
        }
    }
    QMainWindow::keyPressEvent(event);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == w_.MemoHistory->viewport() && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && !w_.MemoHistory->document()->isEmpty()) {
            const int line =
                w_.MemoHistory->cursorForPosition(mouse->position().toPoint()).blockNumber();
            game_->GoToMove(line + 1);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
    if (acceptDrops() && !RecordCommands::droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

// Only the first of several dropped files is opened.
void TMainForm::dropEvent(QDropEvent* event) {
    const QString file = RecordCommands::droppedFile(event->mimeData());
    if (file.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    commands_->OpenRecord(file);
}
