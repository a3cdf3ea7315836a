#pragma once

#include "app/record_tree_panel.h"

#include <QList>
#include <QObject>

#include <string>

class AnalysisPanel;
class MOve;
class MOveTree;
class QAction;
class QDockWidget;
class TMainForm;
struct SearchReport;

// The panels and small commands that sit beside the main window: the analysis panel, the
// game-tree panel (表示 menu, both closed by default; docked below and at the right of the
// board when opened, floatable),
// the game information and saving the whole record as record text (ファイル menu) and the
// confirmation before a forbidden point (設定 menu). One object per window, a child of it, made by
// installPanels.
class WindowPanels : public QObject {
    Q_OBJECT

  public:
    explicit WindowPanels(TMainForm& form);

    // Both panels follow the record and the shown position.
    void followRecord();
    // A report of the running analysis of the shown position.
    void analysisReport(const SearchReport& report);
    // Shows node's position: the moves back to the common part of the lines, then forward
    // along node's line. False, nothing changed, while the computer thinks, in play mode or
    // when node is not in the record.
    bool goToNode(const MOve* node);
    // Plays the points from the shown position as a variation of the record (following moves
    // the record already has). False, nothing changed, when the position is no longer the
    // analysed one, while the computer thinks or in play mode.
    bool playLine(const QList<int>& points, const std::string& position);
    // The context menu's commands on node; false when refused or not possible.
    bool runCommand(const MOve* node, RecordTreePanel::Command command);
    // The game information dialog; the title follows.
    void editGameInfo();
    // Saves the whole record (variations and game information) as record text; ".sgf" is
    // added to a name without it, and an existing file of that other name is replaced only
    // when the user agrees. False when cancelled or not written (reported).
    bool saveRecordText();

    AnalysisPanel* analysis = nullptr;
    RecordTreePanel* tree = nullptr;
    QAction* showAnalysis = nullptr;
    QAction* showTree = nullptr;
    QAction* gameInfo = nullptr;
    QAction* saveText = nullptr;
    QAction* confirmForbidden = nullptr;

  private:
    bool editable() const;
    void keepBoardSize(QDockWidget* dock);

    TMainForm& form_;
};

// Makes the panels and their menu items for the window (once).
void installPanels(TMainForm& form);
// The window's panels; null before installPanels.
WindowPanels* windowPanels(TMainForm& form);
// WindowPanels::followRecord and analysisReport when the panels exist.
void panelsFollowRecord(TMainForm& form);
void panelsAnalysisReport(TMainForm& form, const SearchReport& report);
// Before the user's stone at (x, y): true to play it. With the confirmation option on and a
// point where black may not play, asks first (the game is lost there). Nothing is asked where
// no stone would be placed (game over, off the board).
bool confirmUserMove(TMainForm& form, int x, int y);
// The game information's part of the window title (see gameInfoCaption); empty without record.
QString recordInfoCaption(const MOveTree* record);
