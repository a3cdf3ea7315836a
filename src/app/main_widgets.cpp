#include "app/main_widgets.h"

#include "app/form_parts.h"
#include "app/goban_box.h"
#include "app/main_form.h"
#include "app/toolbar_glyphs.h"
#include "player/thinking_level.h"

#include <QAction>
#include <QActionGroup>
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QThread>
#include <QToolButton>

#include <algorithm>
#include <initializer_list>

namespace {

QAction* item(QMenu* menu, const char* name, const QString& caption,
              const QKeySequence& shortcut = {}) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    if (!shortcut.isEmpty()) a->setShortcut(shortcut);
    return a;
}

QAction* separator(QMenu* menu, const char* name) {
    QAction* a = menu->addSeparator();
    a->setObjectName(name);
    return a;
}

QMenu* submenu(QMenu* parent, const char* name, const QString& caption) {
    QMenu* m = parent->addMenu(caption);
    m->setObjectName(name);
    m->menuAction()->setObjectName(name);
    return m;
}

QMenu* menu(QMenuBar* bar, const char* name, const QString& caption) {
    QMenu* m = bar->addMenu(caption);
    m->setObjectName(name);
    m->menuAction()->setObjectName(name);
    return m;
}

// One tool bar button: where it goes, its untranslated tip and glyph.
struct ToolButtonPlace {
    QToolButton** button;
    const char* name;
    int left;
    int width;
    const char* tip;
    ToolbarGlyph glyph;
};

} // namespace

void MainWidgets::build(QMainWindow& window) {
    client = new QWidget(&window);
    client->setObjectName("ClientArea");
    window.setCentralWidget(client);
    buildMenus(window);
    buildToolbar();
    Goban0 = new GobanBox(client);
    Goban0->setObjectName("Goban0");
    Goban0->setContextMenuPolicy(Qt::CustomContextMenu);
    buildSidePanel();
    buildStatusBar(window);
}

void MainWidgets::buildMenus(QMainWindow& window) {
    QMenuBar* bar = window.menuBar();
    bar->setObjectName("MainMenu1");

    KF1 = menu(bar, "KF1", TMainForm::tr("ファイル(&F)"));
    KN1 = item(KF1, "KN1", TMainForm::tr("新規(&N)"), QKeySequence("Ctrl+N"));
    KOpening = item(KF1, "KOpening", TMainForm::tr("珠型から新規(&T)..."));
    KO1 = item(KF1, "KO1", TMainForm::tr("棋譜を開く(&O)"), QKeySequence("Ctrl+O"));
    KS1 = item(KF1, "KS1", TMainForm::tr("棋譜を保存(&S)"), QKeySequence("Ctrl+S"));
    N1 = separator(KF1, "N1");
    KX1 = item(KF1, "KX1", TMainForm::tr("終了(&X)"));

    KE1 = menu(bar, "KE1", TMainForm::tr("編集(&E)"));
    KC2 = item(KE1, "KC2", TMainForm::tr("コピー(&C)"), QKeySequence("Ctrl+C"));
    KP1 = item(KE1, "KP1", TMainForm::tr("貼り付け(&P)"), QKeySequence("Ctrl+V"));
    N3 = separator(KE1, "N3");
    H1 = item(KE1, "H1", TMainForm::tr("画面ハードコピー(&H)"), QKeySequence("Ctrl+H"));
    KE1->addSeparator();
    KEditor = item(KE1, "KEditor", TMainForm::tr("定石エディタ(&E)"));

    KV1 = menu(bar, "KV1", TMainForm::tr("表示(&V)"));
    KN2 = item(KV1, "KN2", TMainForm::tr("着手順(&N)"));
    KL1 = item(KV1, "KL1", TMainForm::tr("最新手(&C)"));
    KS3 = item(KV1, "KS3", TMainForm::tr("定石(&S)"));
    KW1 = item(KV1, "KW1", TMainForm::tr("警告(&W)"));
    KForbidden = item(KV1, "KForbidden", TMainForm::tr("禁手表示"));
    N2 = separator(KV1, "N2");
    K8 = item(KV1, "K8", TMainForm::tr("ツールバー(&B)"));
    KA3 = item(KV1, "KA3", TMainForm::tr("軸文字の表示(&A)"));

    KR1 = menu(bar, "KR1", TMainForm::tr("実行(&R)"));
    K1 = submenu(KR1, "K1", TMainForm::tr("対局(&R)"));
    K2 = item(K1, "K2", TMainForm::tr("先手(黒)を選ぶ"));
    K3 = item(K1, "K3", TMainForm::tr("後手(白)を選ぶ"));
    K4 = item(KR1, "K4", TMainForm::tr("一手戻す(&B)"), QKeySequence("Ctrl+B"));
    F1 = item(KR1, "F1", TMainForm::tr("一手進める(&F)"), QKeySequence("Ctrl+F"));
    KHome = item(KR1, "KHome", TMainForm::tr("最初へ(&H)"), QKeySequence(Qt::Key_Home));
    KEnd = item(KR1, "KEnd", TMainForm::tr("最後へ(&E)"), QKeySequence(Qt::Key_End));
    KG1 = item(KR1, "KG1", TMainForm::tr("投了(&G)"));
    KR1->addSeparator();
    KHint = item(KR1, "KHint", TMainForm::tr("ヒント(&I)"), QKeySequence("Ctrl+I"));
    KAnalysis = item(KR1, "KAnalysis", TMainForm::tr("検討モード(&A)"), QKeySequence("Ctrl+E"));

    KO2 = menu(bar, "KO2", TMainForm::tr("設定(&O)"));
    KA2 = item(KO2, "KA2", TMainForm::tr("入力補助(&A)"));
    KS2 = item(KO2, "KS2", TMainForm::tr("サウンド(&S)"));
    KC1 = item(KO2, "KC1", TMainForm::tr("画面カラー(&C)"));
    KO2->addSeparator();
    KLevel = submenu(KO2, "KLevel", TMainForm::tr("レベル(&L)"));
    auto* group = new QActionGroup(&window);
    auto level = [&](const char* name, const QString& caption, int ms) {
        QAction* a = item(KLevel, name, caption);
        a->setCheckable(true);
        a->setData(ms);
        group->addAction(a);
        return a;
    };
    KLevelStandard = level("KLevelStandard", TMainForm::tr("標準"), 0);
    KLevelStrong1 = level("KLevelStrong1", TMainForm::tr("強い 1秒"), 1000);
    KLevelStrong3 = level("KLevelStrong3", TMainForm::tr("強い 3秒"), 3000);
    KLevelStrong10 = level("KLevelStrong10", TMainForm::tr("強い 10秒"), 10000);
    KThreads = submenu(KO2, "KThreads", TMainForm::tr("スレッド数(&T)"));
    auto* threadGroup = new QActionGroup(&window);
    const int cores = std::max(1, QThread::idealThreadCount());
    for (int n = 0; n <= cores; ++n) {
        const QString caption =
            n == 0 ? TMainForm::tr("自動 (%1)").arg(defaultSearchThreads()) : QString::number(n);
        const QByteArray name = n == 0 ? "KThreadsAuto" : "KThreads" + QByteArray::number(n);
        QAction* a = item(KThreads, name.constData(), caption);
        a->setCheckable(true);
        a->setData(n);
        threadGroup->addAction(a);
    }

    KH1 = menu(bar, "KH1", TMainForm::tr("ヘルプ(&H)"));
    KH2 = item(KH1, "KH2", TMainForm::tr("ヘルプ(&H)"), QKeySequence(Qt::Key_F1));
    KA1 = item(KH1, "KA1", TMainForm::tr("バージョン情報(&A)"));

    PopUpMenuOfShortCut = new QMenu(&window);
    PopUpMenuOfShortCut->setObjectName("PopUpMenuOfShortCut");
    K5 = item(PopUpMenuOfShortCut, "K5", TMainForm::tr("一手戻す"));
    K6 = item(PopUpMenuOfShortCut, "K6", TMainForm::tr("投了"));
    K7 = item(PopUpMenuOfShortCut, "K7", TMainForm::tr("キャンセル"));

    // The layout's own starting state: K8 and KA3 checked, every other item unchecked.
    for (QAction* a : {KN2, KL1, KS3, KW1, K8, KA3, KA2, KS2, KForbidden, KAnalysis})
        a->setCheckable(true);
    K8->setChecked(true);
    KA3->setChecked(true);
}

void MainWidgets::buildToolbar() {
    Panel2 = new QFrame(client);
    Panel2->setObjectName("Panel2");
    Panel2->setFrameShape(QFrame::Panel);
    Panel2->setFrameShadow(QFrame::Raised);
    Panel2->setGeometry(0, 0, kClientWidth, kToolbarHeight);
    Panel2->hide();

    const std::initializer_list<ToolButtonPlace> places = {
        {&SpeedButton1, "SpeedButton1", 8, 25, QT_TRANSLATE_NOOP("TMainForm", "新規"),
         ToolbarGlyph::New},
        {&SpeedButton2, "SpeedButton2", 36, 25, QT_TRANSLATE_NOOP("TMainForm", "棋譜を開く"),
         ToolbarGlyph::Open},
        {&SpeedButton3, "SpeedButton3", 64, 25, QT_TRANSLATE_NOOP("TMainForm", "棋譜を保存"),
         ToolbarGlyph::Save},
        {&SpeedButton4, "SpeedButton4", 104, 25, QT_TRANSLATE_NOOP("TMainForm", "先手で対局開始"),
         ToolbarGlyph::PlayFirst},
        {&SpeedButton5, "SpeedButton5", 132, 25, QT_TRANSLATE_NOOP("TMainForm", "後手で対局開始"),
         ToolbarGlyph::PlaySecond},
        {&SpeedButton6, "SpeedButton6", 160, 25, QT_TRANSLATE_NOOP("TMainForm", "投了"),
         ToolbarGlyph::Resign},
        {&SB_Back, "SB_Back", 192, 21, QT_TRANSLATE_NOOP("TMainForm", "一手戻す"),
         ToolbarGlyph::Back},
        {&SB_Foward, "SB_Foward", 216, 21, QT_TRANSLATE_NOOP("TMainForm", "一手進める"),
         ToolbarGlyph::Forward},
        {&SB_First, "SB_First", 244, 21, QT_TRANSLATE_NOOP("TMainForm", "最初へ"),
         ToolbarGlyph::First},
        {&SB_Last, "SB_Last", 268, 21, QT_TRANSLATE_NOOP("TMainForm", "最後へ"),
         ToolbarGlyph::Last},
        {&SpeedButton7, "SpeedButton7", 320, 25, QT_TRANSLATE_NOOP("TMainForm", "定石登録"),
         ToolbarGlyph::Editor},
        {&SB_Hint, "SB_Hint", 356, 25, QT_TRANSLATE_NOOP("TMainForm", "ヒント"),
         ToolbarGlyph::Hint},
        {&SB_Analysis, "SB_Analysis", 384, 25, QT_TRANSLATE_NOOP("TMainForm", "検討モード"),
         ToolbarGlyph::Analysis},
    };
    for (const ToolButtonPlace& p : places)
        *p.button =
            makeToolbarButton(Panel2, p.name, p.left, p.width, TMainForm::tr(p.tip), p.glyph);
    SpeedButton7->hide();
    SB_Analysis->setCheckable(true);
}

void MainWidgets::buildSidePanel() {
    Panel1 = new QFrame(client);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);

    auto label = [this](const char* name, const QString& text, const QFont& font, int x, int y) {
        auto* l = new QLabel(text, Panel1);
        l->setObjectName(name);
        l->setFont(font);
        l->move(x, y);
        l->adjustSize();
        return l;
    };
    auto bevel = [this](const char* name, int x, int y) {
        auto* f = new QFrame(Panel1);
        f->setObjectName(name);
        f->setFrameShape(QFrame::Box);
        f->setFrameShadow(QFrame::Sunken);
        f->setGeometry(x, y, 113, 25);
        return f;
    };
    Label2 = label("Label2", TMainForm::tr("黒"), fixedGothic(16), 8, 16);
    Label3 = label("Label3", TMainForm::tr("白"), fixedGothic(16), 8, 48);
    Bevel1 = bevel("Bevel1", 32, 8);
    Bevel2 = bevel("Bevel2", 32, 48);
    Label5 = label("Label5", TMainForm::tr("先手"), proportionalGothic(16), 40, 12);
    Label6 = label("Label6", TMainForm::tr("後手"), proportionalGothic(16), 40, 52);

    MemoHistory = new QPlainTextEdit(Panel1);
    MemoHistory->setObjectName("MemoHistory");
    MemoHistory->setGeometry(8, 88, 145, 241);
    MemoHistory->setReadOnly(true);
    MemoHistory->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoHistory->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MemoHistory->setLineWrapMode(QPlainTextEdit::NoWrap);
    MemoHistory->setFont(fixedGothic(16));
    QPalette light = MemoHistory->palette();
    light.setColor(QPalette::Base, QColor(227, 227, 227));
    MemoHistory->setPalette(light);
    MemoHistory->setFocusPolicy(Qt::ClickFocus);
}

void MainWidgets::buildStatusBar(QMainWindow& window) {
    const StatusBarParts status = addStatusBar(window, kStatusHeight);
    StatusBar1 = status.bar;
    statusText = status.text;
    // Long texts never widen the window: the main text is cut, the others keep their size.
    statusText->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    pendingColumn = new QLabel(StatusBar1);
    pendingColumn->setObjectName("PendingColumn");
    analysisText = new QLabel(StatusBar1);
    analysisText->setObjectName("AnalysisText");
    analysisText->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    StatusBar1->addPermanentWidget(analysisText, 1);
    StatusBar1->addPermanentWidget(pendingColumn);
}
