#pragma once

#include "app/board_drawing.h"
#include "app/main_widgets.h"

#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <memory>
#include <string>

class AnalysisControl;
class QDockWidget;
class GameFlow;
class OpeningRuleController;
class RecordCommands;
class WorkerPool;
struct BoardView;

// The main window: the board, the side panel with the move history, the toolbar, the menus and
// the options they show. Its concerns are parts of their own: the game flow and the computer's
// turns (game()), the hint and the analysis (analysis()), the record commands (commands()),
// all sharing one worker registry. The process-wide objects (SorellProcess) must exist while
// it lives.
//
// Panels beside the board are added with addDock(); the game flow signals positionChanged()
// whenever the shown position changes.
class TMainForm : public QMainWindow {
    Q_OBJECT

  public:
    // commandLine: the program's arguments without the program name; the first names a record
    // opened when the window is first shown.
    explicit TMainForm(const QStringList& commandLine = {}, QWidget* parent = nullptr);
    ~TMainForm() override;
    // Shows the window as the program left it: maximised or not.
    void showAsLeft();

    GameFlow& game() { return *game_; }
    AnalysisControl& analysis() { return *analysis_; }
    RecordCommands& commands() { return *commands_; }
    // Games under an opening rule; null only while the window is being made.
    OpeningRuleController* openingRules() { return openingRules_; }
    // The components, named as in the original layout (docs/glossary.md).
    const MainWidgets& widgets() const { return w_; }

    // The text of the status bar.
    QString statusText() const;
    void SetStatus(const QString& text);
    void UpdateCaption();
    // Redraws the status bar and the whole board, refreshes the editor window and the
    // navigation buttons; announces a new position first.
    void RefreshBoard();
    // Shows the board view of the shown position, judged again only when the position, the
    // options or the marks over it changed. incremental: only the changed squares repaint.
    void DrawBoard(bool incremental);
    // The view the board shows now.
    const BoardView& boardView();
    void UpdateNavigation();

    // Adds a dock panel beside the board (the window owns it); the board scales to the
    // space left.
    void addDock(Qt::DockWidgetArea area, QDockWidget* dock);

    // The tooltip of the board at pixel (X, Y) of the default layout: why black may not play
    // the point there.
    QString BoardToolTip(int X, int Y) const;
    // The board colour item: the colour dialog, then the board redrawn.
    void KC1Click();
    // The computer's level: 0 the standard player, otherwise the strong search with this many
    // milliseconds a move; stored in the options.
    void SetLevel(int timeMs);
    // The strong search's threads for the level, the hint and the analysis: 0 every core but
    // one, else that many; stored in the options.
    void SetThreads(int count);
    // The openings dialog, then a new game from the chosen opening.
    void KOpeningClick();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Keys the focused control leaves alone reach the form here: Backspace and the
    // characters of keyboard moves.
    void keyPressEvent(QKeyEvent* event) override;
    // A click on a line of the history box goes to that move; the client area's resize
    // places the board and the side panel.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Dropped files: the first dropped file is opened.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void connectCommands();
    // The menus and the toolbar follow the options; then each toggle item stores its option.
    void applyOptions();
    void bindOptionItems();
    void layoutClient(int heightChange = 0);
    void placeClient();
    void rememberWindow();
    void restoreSize();
    void restorePanels();
    // A key of a keyboard move for the board; true when it was taken.
    bool routeBoardKey(QObject* watched, QKeyEvent* event);
    void boardKey(QKeyEvent* event);
    void FormShow();
    void FormClose();

    MainWidgets w_;
    WorkerPool* pool_ = nullptr;
    GameFlow* game_ = nullptr;
    AnalysisControl* analysis_ = nullptr;
    RecordCommands* commands_ = nullptr;
    OpeningRuleController* openingRules_ = nullptr;
    QStringList commandLine_;
    bool shown_ = false;

    // The board view and what it was made from.
    std::shared_ptr<const BoardView> view_;
    std::string viewKey_;
};
