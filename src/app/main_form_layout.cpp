// The main window's layout, its options, and the events it handles itself: showing, closing,
// keys, clicks on the history box and dropped files.

#include "app/game_flow.h"
#include "app/goban_box.h"
#include "app/main_form.h"
#include "app/record_commands.h"
#include "app/sorell_process.h"
#include "app/worker_pool.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextEdit>

#include <algorithm>
#include <initializer_list>

namespace {

// The history box's height at the default size.
constexpr int kHistoryHeight = 241;

} // namespace

// The client area from the top: the toolbar (when shown), the board beside the side panel.
// The status bar lies below it, so the whole client area is 511 x 401 with the toolbar at the
// default (and smallest) size. The window may grow: the board takes the space, the side panel
// keeps its width and its history box grows downwards. heightChange: the window grows (or
// shrinks) by this much, as when the toolbar is shown or hidden.
void TMainForm::layoutClient(int heightChange) {
    const int top = w_.Panel2->isVisibleTo(this) ? MainWidgets::kToolbarHeight : 0;
    const int menuHeight = menuBar()->sizeHint().height();
    const QSize smallest(MainWidgets::kClientWidth,
                         menuHeight + top + MainWidgets::kBoardHeight + MainWidgets::kStatusHeight);
    if (heightChange < 0) setMinimumSize(smallest);
    if (heightChange != 0 && !isMaximized() && !isFullScreen())
        resize(std::max(width(), smallest.width()),
               std::max(height() + heightChange, smallest.height()));
    setMinimumSize(smallest);
    // The client area gets its size now, shown or not; its resize places the board.
    layout()->invalidate();
    layout()->activate();
    placeClient();
}

void TMainForm::addDock(Qt::DockWidgetArea area, QDockWidget* dock) {
    addDockWidget(area, dock);
    if (isVisible()) dock->show();
}

void TMainForm::placeClient() {
    const int top = w_.Panel2->isVisibleTo(this) ? MainWidgets::kToolbarHeight : 0;
    const int width = w_.client->width();
    const int height = std::max(w_.client->height() - top, 0);
    const int board = std::max(width - MainWidgets::kSidePanelWidth, 0);
    w_.Panel2->setGeometry(0, 0, width, MainWidgets::kToolbarHeight);
    w_.Goban0->setGeometry(0, top, board, height);
    w_.Panel1->setGeometry(board, top, MainWidgets::kSidePanelWidth, height);
    const QRect history = w_.MemoHistory->geometry();
    w_.MemoHistory->setGeometry(
        history.x(), history.y(), history.width(),
        std::max(kHistoryHeight + height - MainWidgets::kBoardHeight, kHistoryHeight / 2));
}

// The window at the end of the program, remembered for the next start: its size (a maximised
// window's normal size), whether it was maximised, and its panels.
void TMainForm::rememberWindow() {
    SrOption& o = srOption();
    o.windowMaximized = isMaximized() ? 1 : 0;
    o.panelLayout = saveState();
    const QSize size = isMaximized() || isFullScreen() ? normalGeometry().size() : this->size();
    if (!size.isValid()) return;
    o.windowWidth = size.width();
    o.windowHeight = size.height();
}

// The panels as they were left; a layout the window cannot read leaves them closed.
void TMainForm::restorePanels() {
    if (!srOption().panelLayout.isEmpty()) restoreState(srOption().panelLayout);
}

void TMainForm::showAsLeft() {
    if (srOption().windowMaximized != 0)
        showMaximized();
    else
        show();
}

// The remembered size, never smaller than the layout; nothing when none was remembered.
void TMainForm::restoreSize() {
    const SrOption& o = srOption();
    if (o.windowWidth <= 0 || o.windowHeight <= 0) return;
    const QSize smallest = minimumSize();
    resize(std::max(o.windowWidth, smallest.width()), std::max(o.windowHeight, smallest.height()));
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
                layoutClient(on ? MainWidgets::kToolbarHeight : -MainWidgets::kToolbarHeight);
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
    rememberWindow();
    commands_->CloseEditor();
    game_->Resign();
    game_->stopAll();
    pool_->stopAll();
}

namespace {

// A key of a keyboard move: a letter or digit without Ctrl, Alt or Meta, or Backspace.
bool isBoardKey(const QKeyEvent* event) {
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    if (event->key() == Qt::Key_Backspace) return true;
    const QString text = event->text();
    return text.size() == 1 && text[0].isLetterOrNumber() && text[0].unicode() < 128;
}

// A control that takes typed text for itself.
bool takesText(const QWidget* widget) {
    if (qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QAbstractSpinBox*>(widget))
        return true;
    if (const auto* combo = qobject_cast<const QComboBox*>(widget)) return combo->isEditable();
    if (const auto* edit = qobject_cast<const QPlainTextEdit*>(widget)) return !edit->isReadOnly();
    if (const auto* edit = qobject_cast<const QTextEdit*>(widget)) return !edit->isReadOnly();
    return false;
}

} // namespace

void TMainForm::boardKey(QKeyEvent* event) {
    if (event->key() == Qt::Key_Backspace)
        game_->FormKeyDown(event->key());
    else
        game_->FormKeyPress(event->text()[0]);
}

void TMainForm::keyPressEvent(QKeyEvent* event) {
    if (isBoardKey(event)) {
        boardKey(event);
        return;
    }
    QMainWindow::keyPressEvent(event);
}

// While this window is active and no menu or dialog is open, the keys of keyboard moves reach
// the board whichever of its controls has the focus: a menu bar left in keyboard navigation
// (a menu opened with Alt and closed with Escape) would otherwise take a letter for a
// mnemonic, and a clicked control would keep the keys. Keys with Alt still open menus.
bool TMainForm::routeBoardKey(QObject* watched, QKeyEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this || !isActiveWindow() || !isBoardKey(event))
        return false;
    if (QApplication::activePopupWidget() || QApplication::activeModalWidget() || takesText(widget))
        return false;
    if (widget != w_.Goban0 && !w_.Goban0->isAncestorOf(widget)) w_.Goban0->setFocus();
    boardKey(event);
    return true;
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == w_.client && event->type() == QEvent::Resize) placeClient();
    if (event->type() == QEvent::KeyPress && routeBoardKey(watched, static_cast<QKeyEvent*>(event)))
        return true;
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
