#include "app/main_form.h"

#include "app/analysis_worker.h"
#include "app/captions.h"
#include "app/form_parts.h"
#include "app/goban_box.h"
#include "app/program_icon.h"
#include "app/sorell_process.h"
#include "app/thinking_thread.h"
#include "app/toolbar_glyphs.h"
#include "app/ui_seam.h"
#include "app/window_panels.h"
#include "model/move_tree.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolButton>

namespace {

constexpr int kClientWidth = 511;
constexpr int kToolbarHeight = 33;
constexpr int kBoardWidth = 352;
constexpr int kBoardHeight = 343;
constexpr int kStatusHeight = 25;

} // namespace

QString TMainForm::recordFilter() {
    return tr("五目競争形式 (*.ban)");
}

TMainForm::TMainForm(const QStringList& commandLine, QWidget* parent)
    : QMainWindow(parent), commandLine_(commandLine) {
    setObjectName("MainForm");
    setWindowTitle(caption::sorell());
    setWindowIcon(programIcon());
    setFont(proportionalGothic(12));
    setWindowFlags((windowFlags() | Qt::MSWindowsFixedSizeDialogHint) &
                   ~Qt::WindowMaximizeButtonHint);

    client_ = new QWidget(this);
    client_->setObjectName("ClientArea");
    setCentralWidget(client_);

    buildMenus();
    buildToolbar(client_);

    Goban0 = new GobanBox(client_);
    Goban0->setObjectName("Goban0");
    Goban0->setBitmap(&srFlags().boardBitmap);
    Goban0->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Goban0, &GobanBox::mouseDown, this, &TMainForm::Goban0MouseDown);
    Goban0->setToolTipSource([this](const QPoint& at) { return BoardToolTip(at.x(), at.y()); });
    connect(Goban0, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopUpMenuOfShortCut->popup(Goban0->mapToGlobal(at)); });

    buildSidePanel(client_);

    const StatusBarParts status = addStatusBar(*this, kStatusHeight);
    StatusBar1 = status.bar;
    statusLabel_ = status.text;
    buildToolMenus();
    buildToolButtons();

    // FormCreate: a new game, then the menus and the toolbar follow the options.
    ResetGame();
    applyOptions();
    bindOptionItems();
    layoutClient();
    RefreshBoard();
    installPanels(*this); // the panels beside the window (window_panels.h)
}

TMainForm::~TMainForm() {
    stopAllAnalysers();
    stopAllWorkers();
    record_.reset();
}

MOveTree& TMainForm::record() {
    return *record_;
}

const BanHistory& TMainForm::moves() const {
    return record_->board().history();
}

QString TMainForm::statusText() const {
    return statusLabel_->text();
}

void TMainForm::SetStatus(const QString& text) {
    statusLabel_->setText(text);
}

void TMainForm::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu1");
    auto item = [](QMenu* menu, const char* name, const QString& caption,
                   const QKeySequence& shortcut = {}) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(name);
        if (!shortcut.isEmpty()) a->setShortcut(shortcut);
        return a;
    };
    auto separator = [](QMenu* menu, const char* name) {
        QAction* a = menu->addSeparator();
        a->setObjectName(name);
        return a;
    };
    auto menu = [](QMenuBar* b, const char* name, const QString& caption) {
        QMenu* m = b->addMenu(caption);
        m->setObjectName(name);
        m->menuAction()->setObjectName(name);
        return m;
    };

    KF1 = menu(bar, "KF1", tr("ファイル(&F)"));
    KN1 = item(KF1, "KN1", tr("新規(&N)"), QKeySequence("Ctrl+N"));
    KO1 = item(KF1, "KO1", tr("棋譜を開く(&O)"), QKeySequence("Ctrl+O"));
    KS1 = item(KF1, "KS1", tr("棋譜を保存(&S)"), QKeySequence("Ctrl+S"));
    N1 = separator(KF1, "N1");
    KX1 = item(KF1, "KX1", tr("終了(&X)"));

    KE1 = menu(bar, "KE1", tr("編集(&E)"));
    KC2 = item(KE1, "KC2", tr("コピー(&C)"), QKeySequence("Ctrl+C"));
    KP1 = item(KE1, "KP1", tr("貼り付け(&P)"), QKeySequence("Ctrl+V"));
    N3 = separator(KE1, "N3");
    H1 = item(KE1, "H1", tr("画面ハードコピー(&H)"), QKeySequence("Ctrl+H"));

    KV1 = menu(bar, "KV1", tr("表示(&V)"));
    KN2 = item(KV1, "KN2", tr("着手順(&N)"));
    KL1 = item(KV1, "KL1", tr("最新手(&C)"));
    KS3 = item(KV1, "KS3", tr("定石(&S)"));
    KW1 = item(KV1, "KW1", tr("警告(&W)"));
    KForbidden = item(KV1, "KForbidden", tr("禁手表示"));
    N2 = separator(KV1, "N2");
    K8 = item(KV1, "K8", tr("ツールバー(&B)"));
    KA3 = item(KV1, "KA3", tr("軸文字の表示(&A)"));

    KR1 = menu(bar, "KR1", tr("実行(&R)"));
    K1 = KR1->addMenu(tr("対局(&R)"));
    K1->setObjectName("K1");
    K1->menuAction()->setObjectName("K1");
    K2 = item(K1, "K2", tr("先手(黒)を選ぶ"));
    K3 = item(K1, "K3", tr("後手(白)を選ぶ"));
    K4 = item(KR1, "K4", tr("一手戻す(&B)"), QKeySequence("Ctrl+B"));
    F1 = item(KR1, "F1", tr("一手進める(&F)"), QKeySequence("Ctrl+F"));
    KG1 = item(KR1, "KG1", tr("投了(&G)"));

    KO2 = menu(bar, "KO2", tr("設定(&O)"));
    KA2 = item(KO2, "KA2", tr("入力補助(&A)"));
    KS2 = item(KO2, "KS2", tr("サウンド(&S)"));
    KC1 = item(KO2, "KC1", tr("画面カラー(&C)"));

    KH1 = menu(bar, "KH1", tr("ヘルプ(&H)"));
    KH2 = item(KH1, "KH2", tr("ヘルプ(&H)"), QKeySequence(Qt::Key_F1));
    KA1 = item(KH1, "KA1", tr("バージョン情報(&A)"));

    PopUpMenuOfShortCut = new QMenu(this);
    PopUpMenuOfShortCut->setObjectName("PopUpMenuOfShortCut");
    K5 = item(PopUpMenuOfShortCut, "K5", tr("一手戻す"));
    K6 = item(PopUpMenuOfShortCut, "K6", tr("投了"));
    K7 = item(PopUpMenuOfShortCut, "K7", tr("キャンセル"));

    // The layout's own starting state: K8 and KA3 checked, every other item unchecked.
    for (QAction* a : {KN2, KL1, KS3, KW1, K8, KA3, KA2, KS2, KForbidden}) a->setCheckable(true);
    K8->setChecked(true);
    KA3->setChecked(true);

    connect(KN1, &QAction::triggered, this, &TMainForm::NewGame);
    connect(KO1, &QAction::triggered, this, &TMainForm::KO1Click);
    connect(KS1, &QAction::triggered, this, &TMainForm::KS1Click);
    connect(KX1, &QAction::triggered, this, &TMainForm::KX1Click);
    connect(KC2, &QAction::triggered, this, &TMainForm::KC2Click);
    connect(KP1, &QAction::triggered, this, &TMainForm::KP1Click);
    connect(H1, &QAction::triggered, this, &TMainForm::H1Click);
    connect(K2, &QAction::triggered, this, &TMainForm::PlayFirst);
    connect(K3, &QAction::triggered, this, &TMainForm::PlaySecond);
    connect(K4, &QAction::triggered, this, &TMainForm::UndoMove);
    connect(F1, &QAction::triggered, this, &TMainForm::RedoMove);
    connect(KG1, &QAction::triggered, this, &TMainForm::Resign);
    connect(KC1, &QAction::triggered, this, &TMainForm::KC1Click);
    connect(KH2, &QAction::triggered, this, &TMainForm::KH2Click);
    connect(KA1, &QAction::triggered, this, &TMainForm::KA1Click);
    connect(K5, &QAction::triggered, this, &TMainForm::UndoMove);
    connect(K6, &QAction::triggered, this, &TMainForm::Resign);
}

void TMainForm::buildToolbar(QWidget* client) {
    Panel2 = new QFrame(client);
    Panel2->setObjectName("Panel2");
    Panel2->setFrameShape(QFrame::Panel);
    Panel2->setFrameShadow(QFrame::Raised);
    Panel2->setGeometry(0, 0, kClientWidth, kToolbarHeight);
    Panel2->hide();

    placeToolButtons({
        {&SpeedButton1, "SpeedButton1", 8, 25, QT_TR_NOOP("新規"), ToolbarGlyph::New, nullptr},
        {&SpeedButton2, "SpeedButton2", 36, 25, QT_TR_NOOP("棋譜を開く"), ToolbarGlyph::Open,
         nullptr},
        {&SpeedButton3, "SpeedButton3", 64, 25, QT_TR_NOOP("棋譜を保存"), ToolbarGlyph::Save,
         nullptr},
        {&SpeedButton4, "SpeedButton4", 104, 25, QT_TR_NOOP("先手で対局開始"),
         ToolbarGlyph::PlayFirst, nullptr},
        {&SpeedButton5, "SpeedButton5", 132, 25, QT_TR_NOOP("後手で対局開始"),
         ToolbarGlyph::PlaySecond, nullptr},
        {&SpeedButton6, "SpeedButton6", 160, 25, QT_TR_NOOP("投了"), ToolbarGlyph::Resign, nullptr},
        {&SB_Back, "SB_Back", 192, 21, QT_TR_NOOP("一手戻す"), ToolbarGlyph::Back, nullptr},
        {&SB_Foward, "SB_Foward", 216, 21, QT_TR_NOOP("一手進める"), ToolbarGlyph::Forward,
         nullptr},
        {&SpeedButton7, "SpeedButton7", 320, 25, QT_TR_NOOP("定石登録"), ToolbarGlyph::Editor,
         nullptr},
    });
    SpeedButton7->hide();

    connect(SpeedButton1, &QToolButton::clicked, this, &TMainForm::NewGame);
    connect(SpeedButton2, &QToolButton::clicked, this, &TMainForm::KO1Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &TMainForm::KS1Click);
    connect(SpeedButton4, &QToolButton::clicked, this, &TMainForm::PlayFirst);
    connect(SpeedButton5, &QToolButton::clicked, this, &TMainForm::PlaySecond);
    connect(SpeedButton6, &QToolButton::clicked, this, &TMainForm::Resign);
    connect(SB_Back, &QToolButton::clicked, this, &TMainForm::UndoMove);
    connect(SB_Foward, &QToolButton::clicked, this, &TMainForm::RedoMove);
    connect(SpeedButton7, &QToolButton::clicked, this, &TMainForm::SpeedButton7Click);
}

void TMainForm::placeToolButtons(std::initializer_list<ToolButtonPlace> places) {
    for (const ToolButtonPlace& p : places) {
        *p.button = makeToolbarButton(Panel2, p.name, p.left, p.width, tr(p.tip), p.glyph);
        if (p.action) connect(*p.button, &QToolButton::clicked, p.action, &QAction::trigger);
    }
}

void TMainForm::buildSidePanel(QWidget* client) {
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
    Label2 = label("Label2", tr("黒"), fixedGothic(16), 8, 16);
    Label3 = label("Label3", tr("白"), fixedGothic(16), 8, 48);
    Bevel1 = bevel("Bevel1", 32, 8);
    Bevel2 = bevel("Bevel2", 32, 48);
    Label5 = label("Label5", tr("先手"), proportionalGothic(16), 40, 12);
    Label6 = label("Label6", tr("後手"), proportionalGothic(16), 40, 52);

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

// The client area from the top: the toolbar (when shown), the board beside the side panel.
// The status bar lies below it, so the whole client area is 511 x 401 with the toolbar.
void TMainForm::layoutClient() {
    const int top = Panel2->isVisibleTo(this) ? kToolbarHeight : 0;
    Goban0->setGeometry(0, top, kBoardWidth, kBoardHeight);
    Panel1->setGeometry(kBoardWidth, top, kClientWidth - kBoardWidth, kBoardHeight);
    client_->setFixedSize(kClientWidth, top + kBoardHeight);
    const int menuHeight = menuBar()->sizeHint().height();
    setFixedSize(kClientWidth, menuHeight + top + kBoardHeight + kStatusHeight);
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
    const std::initializer_list<QAction*> items = {KN2, KL1, KS3, KW1,       K8,
                                                   KA3, KA2, KS2, KForbidden};
    for (QAction* a : items) a->blockSignals(true);
    KN2->setChecked(o.numbering != 0);
    KL1->setChecked(o.latestCursor != 0);
    KS2->setChecked(o.sound != 0);
    KS3->setChecked(o.standard != 0);
    KA2->setChecked(o.inputAssistant != 0);
    KW1->setChecked(o.warning != 0);
    K8->setChecked(o.toolbar != 0);
    KA3->setChecked(o.axisChar != 0);
    KForbidden->setChecked(o.forbiddenMarks != 0);
    for (QAction* a : items) a->blockSignals(false);
    Panel2->setVisible(o.toolbar != 0);
}

// The item's check mark decides: toggling stores its new state and redraws the board. The
// toolbar item instead shows or hides the toolbar, and the window grows or shrinks by its
// height so the board keeps its size; the board is not redrawn.
void TMainForm::bindOptionItems() {
    const OptionItem items[] = {
        {KN2, &SrOption::numbering},
        {KL1, &SrOption::latestCursor},
        {KS3, &SrOption::standard},
        {KW1, &SrOption::warning},
        {KA3, &SrOption::axisChar},
        {KA2, &SrOption::inputAssistant},
        {KS2, &SrOption::sound},
        {K8, &SrOption::toolbar},
        {KForbidden, &SrOption::forbiddenMarks},
    };
    for (const OptionItem& b : items) {
        connect(b.item, &QAction::toggled, this, [this, b](bool on) {
            srOption().*b.option = on ? 1 : 0;
            if (b.item == K8) {
                Panel2->setVisible(on);
                layoutClient();
            } else {
                RefreshBoard();
            }
        });
    }
}

void TMainForm::KC1Click() {
    QColor colour;
    if (!uiSeam().chooseColour(this, colour)) return;
    srOption().setBoardColour(colour);
    RefreshBoard();
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
    if (!commandLine_.isEmpty()) OpenRecord(commandLine_.first());
    setAcceptDrops(true);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    FormClose();
    QMainWindow::closeEvent(event);
}

// Closing ends a running game and stops every worker, so no thread outlives the window.
void TMainForm::FormClose() {
    CloseEditor();
    Resign();
    stopAllAnalysers();
    stopAllWorkers();
}

void TMainForm::keyPressEvent(QKeyEvent* event) {
    if (!(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        if (event->key() == Qt::Key_Backspace) {
            FormKeyDown(event->key());
            return;
        }
        const QString text = event->text();
        if (text.size() == 1 && text[0].isLetterOrNumber() && text[0].unicode() < 128) {
            FormKeyPress(text[0]);
            return;
        }
    }
    QMainWindow::keyPressEvent(event);
}
