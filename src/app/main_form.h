#pragma once

#include "app/board_overlay.h"
#include "app/toolbar_glyphs.h"
#include "base/geometry.h"
#include "strong/strong_search.h"

#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

class BanHistory;
class GobanBox;
class MOveTree;
class OpeningRuleController;
class AnalysisWorker;
class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QStatusBar;
class QToolButton;
class TStandardForm;
class ThinkingThread;

// The main window: the board, the side panel with the move history, the toolbar, the menus
// and the flow of a game between the user and the computer. Every stone, whoever plays it,
// goes through PutStone. The process-wide objects (SorellProcess) must exist while it lives.
//
// The record commands (open, save, clipboard, screen copy, help, version, the openings editor,
// dropped files) live in main_form_commands.cpp; the game, the layout and the options here.
class TMainForm : public QMainWindow {
    Q_OBJECT

  public:
    // commandLine: the program's arguments without the program name; the first names a record
    // opened when the window is first shown.
    explicit TMainForm(const QStringList& commandLine = {}, QWidget* parent = nullptr);
    ~TMainForm() override;

    // ---- what the commands and the editor use ----
    // The game record shown in the window (lives as long as the window).
    MOveTree& record();
    // The moves of the shown line.
    const BanHistory& moves() const;
    // The text of the status bar.
    QString statusText() const;
    // Refreshes everything after the record was replaced: steps the record to its first move,
    // rebuilds the history box while stepping forward to the end of the current line, empties
    // the status text and redraws (board, caption, navigation).
    void RecordChanged();
    // The number of workers whose threads have not been joined yet.
    int runningWorkers() const { return static_cast<int>(workers_.size()); }

    // ---- game flow ----
    // Places a stone for the side to move; false when nothing was placed.
    bool PutStone(int x, int y);
    // The placing half of PutStone: places, draws, adds the history line and reports the end
    // of the game. code receives the move's code (20 when nothing was placed).
    bool PlaceAndJudge(int x, int y, int& code);
    // PutStone at point index 0..224.
    void PlayPoint(uint8_t point);
    // Starts a worker on a copy of the moves; the window then waits for that worker only.
    void StartThinking();
    // Asks the awaited worker to stop without waiting for it; its answer will be dropped.
    void StopThinking();
    // Plays the answer of the awaited worker (resultCell) unless it was stopped.
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
    void UpdateCaption();
    // Redraws the status bar and the whole board, refreshes the editor window and the
    // navigation buttons.
    void RefreshBoard();
    void UpdateNavigation();
    void SetStatus(const QString& text);

    // ---- the history box ----
    // Appends the line of the record's current move as move k (1-based).
    void AddHistoryLine(int k);
    // Deletes the last line.
    void RemoveLastHistoryLine();
    void ClearHistory();

    // ---- window events ----
    void Goban0MouseDown(Qt::MouseButton button, int X, int Y);
    // The tooltip of the board at pixel (X, Y): why black may not play the point there.
    QString BoardToolTip(int X, int Y) const;
    // A typed character of a keyboard move.
    void FormKeyPress(QChar key);
    // A pressed key; Backspace cancels a pending column or takes a move back.
    void FormKeyDown(int key);

    // ---- options (menu items bound to the settings; names in docs/glossary.md) ----
    // The board colour item: the colour dialog, then the board redrawn.
    void KC1Click();

    // ---- commands, bodies in main_form_commands.cpp ----
    // Loads a record file and shows it; false when the file could not be read.
    bool OpenRecord(const QString& path);
    // Replaces the game with the one in a clipboard text; false when unreadable.
    bool LoadFromText(const QString& text);
    void KO1Click();          // open a record file
    void KS1Click();          // save the record
    void KX1Click();          // close the main window
    void KC2Click();          // copy the record to the clipboard
    void KP1Click();          // paste a record from the clipboard
    void H1Click();           // copy the board picture to the clipboard
    void KH2Click();          // help
    void KA1Click();          // version box
    void SpeedButton7Click(); // the openings editor
    // Asks the openings editor, when it exists, to show the record again.
    void RefreshEditor();
    // Closes the openings editor when it exists.
    void CloseEditor();

    // ---- player tools, bodies in main_form_tools.cpp ----
    // The computer's level: 0 the standard player, otherwise the strong search with this
    // many milliseconds a move; stored in the options.
    void SetLevel(int timeMs);
    // A new game from opening index 0..25 of openings(); computer: OpeningDialog::Computer.
    // The computer then plays that colour (white is to move after the third stone).
    void NewGameFromOpening(int index, int computer);
    void KOpeningClick(); // the openings dialog
    // Shows the line up to move k (0: the empty board), replaying or taking back quietly.
    // Refused while the computer thinks and in play mode.
    void GoToMove(int k);
    void GoToStart();
    void GoToEnd();
    // The strong level's move for the side to move, searched on a worker: marked on the board
    // with its score in the status bar.
    void ShowHint();
    // Continuous analysis of the shown position on a worker; off stops it at once.
    void SetAnalysis(bool on);
    bool analysing() const { return analysisOn_; }
    // The marks over the board (hint and principal line).
    const BoardOverlay& overlay() const { return overlay_; }
    // The text of the analysis in the status bar.
    QString analysisText() const;
    // The pending column shown in the status bar ("" when none).
    QString pendingText() const;
    // The number of hint and analysis workers not yet joined.
    int runningAnalysers() const { return static_cast<int>(analysers_.size()); }

    // The filter of the record file dialogs.
    static QString recordFilter();

    // ---- components, named as in the original layout (docs/glossary.md) ----
    QMenu* KF1 = nullptr;
    QAction* KN1 = nullptr;
    QAction* KO1 = nullptr;
    QAction* KS1 = nullptr;
    QAction* N1 = nullptr;
    QAction* KX1 = nullptr;
    QMenu* KE1 = nullptr;
    QAction* KC2 = nullptr;
    QAction* KP1 = nullptr;
    QAction* N3 = nullptr;
    QAction* H1 = nullptr;
    QMenu* KV1 = nullptr;
    QAction* KN2 = nullptr;
    QAction* KL1 = nullptr;
    QAction* KS3 = nullptr;
    QAction* KW1 = nullptr;
    QAction* N2 = nullptr;
    QAction* K8 = nullptr;
    QAction* KA3 = nullptr;
    // Black's forbidden points shown.
    QAction* KForbidden = nullptr;
    QMenu* KR1 = nullptr;
    QMenu* K1 = nullptr;
    QAction* K2 = nullptr;
    QAction* K3 = nullptr;
    QAction* K4 = nullptr;
    QAction* F1 = nullptr;
    QAction* KG1 = nullptr;
    QMenu* KO2 = nullptr;
    QAction* KA2 = nullptr;
    QAction* KS2 = nullptr;
    QAction* KC1 = nullptr;
    // The level submenu: 標準 and 強い with three thinking times.
    QMenu* KLevel = nullptr;
    QAction* KLevelStandard = nullptr;
    QAction* KLevelStrong1 = nullptr;
    QAction* KLevelStrong3 = nullptr;
    QAction* KLevelStrong10 = nullptr;
    // New game from an opening; the openings editor.
    QAction* KOpening = nullptr;
    QAction* KEditor = nullptr;
    // Navigation to the start and end of the line, hint, analysis.
    QAction* KHome = nullptr;
    QAction* KEnd = nullptr;
    QAction* KHint = nullptr;
    QAction* KAnalysis = nullptr;
    QMenu* KH1 = nullptr;
    QAction* KH2 = nullptr;
    QAction* KA1 = nullptr;

    QMenu* PopUpMenuOfShortCut = nullptr;
    QAction* K5 = nullptr;
    QAction* K6 = nullptr;
    QAction* K7 = nullptr;

    QFrame* Panel2 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QToolButton* SpeedButton4 = nullptr;
    QToolButton* SpeedButton5 = nullptr;
    QToolButton* SpeedButton6 = nullptr;
    QToolButton* SB_Back = nullptr;
    QToolButton* SB_Foward = nullptr;
    QToolButton* SpeedButton7 = nullptr;
    QToolButton* SB_First = nullptr;
    QToolButton* SB_Last = nullptr;
    QToolButton* SB_Hint = nullptr;
    QToolButton* SB_Analysis = nullptr;

    GobanBox* Goban0 = nullptr;

    QFrame* Panel1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QFrame* Bevel1 = nullptr;
    QFrame* Bevel2 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QPlainTextEdit* MemoHistory = nullptr;

    QStatusBar* StatusBar1 = nullptr;

    // The computer's answer as handed over by the awaited worker: 0..224, or kNoMove for none.
    uint8_t resultCell = kNoMove;
    // The openings editor, made on first use and owned by this window.
    TStandardForm* StandardForm = nullptr;
    // Games under an opening rule (a child of this window).
    OpeningRuleController* openingRules = nullptr;

  signals:
    // A stone was placed (by anybody), after it was drawn and judged.
    void stonePlaced(int x, int y, int code);
    // The computer's answer from a worker was played (or refused) and the turn handed back.
    void computerMoveDone(int point);

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Keys the focused control leaves alone reach the form here: Backspace and the
    // characters of keyboard moves.
    void keyPressEvent(QKeyEvent* event) override;
    // A click on a line of the history box goes to that move.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Dropped files (main_form_commands.cpp): the first dropped file is opened.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void buildMenus();
    // The player tools' menu items and toolbar buttons (main_form_tools.cpp).
    void buildToolMenus();
    void buildToolButtons();
    void showPending();
    // Restarts the analysis when the shown position is not the analysed one; drops a hint
    // that belongs to another position.
    void followPosition();
    // Starts a hint or analysis worker on the shown position; its serial, 0 on failure.
    quint64 startAnalyser(int64_t timeMs);
    void stopAnalyser(quint64 serial);
    void stopAllAnalysers();
    void analyserReport(quint64 serial, const SearchReport& report);
    void analyserFinished(quint64 serial, const SearchReport& report);
    void buildToolbar(QWidget* client);
    // One tool bar button: where it goes, its untranslated tip and glyph, and the action a click
    // triggers (none: the caller connects it).
    struct ToolButtonPlace {
        QToolButton** button;
        const char* name;
        int left;
        int width;
        const char* tip;
        ToolbarGlyph glyph;
        QAction* action;
    };
    void placeToolButtons(std::initializer_list<ToolButtonPlace> places);
    void buildSidePanel(QWidget* client);
    void layoutClient();
    // The menus and the toolbar follow the options; then each toggle item stores its option.
    void applyOptions();
    void bindOptionItems();
    // Takes one move back: the last history line and one step of the record.
    void takeBack();
    bool gameOver() const;
    // PlayFirst (userParity 0) and PlaySecond (1).
    void startPlay(int userParity);
    int moveCount() const;
    void FormShow();
    void FormClose();
    // A worker's answer arrived on the main thread.
    void workerDone(quint64 serial, int cell);
    // Asks every worker to stop and joins them all.
    void stopAllWorkers();

    std::unique_ptr<MOveTree> record_;
    QLabel* statusLabel_ = nullptr;
    QWidget* client_ = nullptr;
    QStringList commandLine_;
    bool shown_ = false;

    // Workers whose threads have not been joined yet: the awaited one and stopped ones that
    // are still finishing.
    std::vector<std::unique_ptr<ThinkingThread>> workers_;
    // Serial number of the awaited worker; 0 when none is awaited.
    quint64 awaitedWorker_ = 0;
    quint64 nextWorkerSerial_ = 1;

    // Hint and analysis workers not yet joined; the serials of the awaited hint and of the
    // running analysis (0: none); the position the analysis works on.
    std::vector<std::unique_ptr<AnalysisWorker>> analysers_;
    quint64 hintSerial_ = 0;
    quint64 analysisSerial_ = 0;
    std::string hintPosition_;
    std::string analysedPosition_;
    QString analysisText_;
    bool analysisOn_ = false;
    BoardOverlay overlay_;
    QLabel* pendingLabel_ = nullptr;
    QLabel* analysisLabel_ = nullptr;
};
