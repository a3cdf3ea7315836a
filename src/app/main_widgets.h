#pragma once

class GobanBox;
class QAction;
class QFrame;
class QLabel;
class QMainWindow;
class QMenu;
class QPlainTextEdit;
class QStatusBar;
class QToolButton;
class QWidget;

// The components of the main window, named as in the original layout (docs/glossary.md), and
// the ones added since. The window owns them (Qt parents); this only points at them.
struct MainWidgets {
    // Makes every component on the window, with its object name, caption, shortcut, tip and
    // place at the default size. Nothing is connected to a command here.
    void build(QMainWindow& window);

    QMenu* KF1 = nullptr;
    QAction* KN1 = nullptr;
    QAction* KOpening = nullptr; // new game from an opening
    QAction* KO1 = nullptr;
    QAction* KS1 = nullptr;
    QAction* N1 = nullptr;
    QAction* KX1 = nullptr;
    QMenu* KE1 = nullptr;
    QAction* KC2 = nullptr;
    QAction* KP1 = nullptr;
    QAction* N3 = nullptr;
    QAction* H1 = nullptr;
    QAction* KEditor = nullptr; // the openings editor
    QMenu* KV1 = nullptr;
    QAction* KN2 = nullptr;
    QAction* KL1 = nullptr;
    QAction* KS3 = nullptr;
    QAction* KW1 = nullptr;
    QAction* KForbidden = nullptr; // black's forbidden points shown
    QAction* N2 = nullptr;
    QAction* K8 = nullptr;
    QAction* KA3 = nullptr;
    QMenu* KR1 = nullptr;
    QMenu* K1 = nullptr;
    QAction* K2 = nullptr;
    QAction* K3 = nullptr;
    QAction* K4 = nullptr;
    QAction* F1 = nullptr;
    QAction* KHome = nullptr;
    QAction* KEnd = nullptr;
    QAction* KG1 = nullptr;
    QAction* KHint = nullptr;
    QAction* KAnalysis = nullptr;
    QMenu* KO2 = nullptr;
    QAction* KA2 = nullptr;
    QAction* KS2 = nullptr;
    QAction* KC1 = nullptr;
    // The level submenu: 標準 and 強い with three thinking times (data: milliseconds).
    QMenu* KLevel = nullptr;
    QAction* KLevelStandard = nullptr;
    QAction* KLevelStrong1 = nullptr;
    QAction* KLevelStrong3 = nullptr;
    QAction* KLevelStrong10 = nullptr;
    // 設定→スレッド数: 自動 (data 0), then 1 .. the machine's cores (data: the count).
    QMenu* KThreads = nullptr;
    QMenu* KH1 = nullptr;
    QAction* KH2 = nullptr;
    QAction* KA1 = nullptr;

    QMenu* PopUpMenuOfShortCut = nullptr;
    QAction* K5 = nullptr;
    QAction* K6 = nullptr;
    QAction* K7 = nullptr;

    QWidget* client = nullptr;
    QFrame* Panel2 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QToolButton* SpeedButton4 = nullptr;
    QToolButton* SpeedButton5 = nullptr;
    QToolButton* SpeedButton6 = nullptr;
    QToolButton* SB_Back = nullptr;
    QToolButton* SB_Foward = nullptr;
    QToolButton* SB_First = nullptr;
    QToolButton* SB_Last = nullptr;
    QToolButton* SpeedButton7 = nullptr;
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
    QLabel* statusText = nullptr;
    QLabel* pendingColumn = nullptr;
    QLabel* analysisText = nullptr;

    // Sizes of the default layout, in pixels.
    static constexpr int kClientWidth = 511;
    static constexpr int kToolbarHeight = 33;
    static constexpr int kBoardWidth = 352;
    static constexpr int kBoardHeight = 343;
    static constexpr int kSidePanelWidth = kClientWidth - kBoardWidth;
    static constexpr int kStatusHeight = 25;

  private:
    void buildMenus(QMainWindow& window);
    void buildToolbar();
    void buildSidePanel();
    void buildStatusBar(QMainWindow& window);
};
