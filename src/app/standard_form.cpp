#include "app/standard_form.h"

#include "app/board_drawing.h"
#include "app/captions.h"
#include "app/form_parts.h"
#include "app/sorell_process.h"
#include "database/k_data.h"
#include "database/k_database.h"
#include "model/abm_tree.h"
#include "model/move_tree.h"
#include "model/record_copy.h"
#include "rules/chk_stat.h"

#include <QAction>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStatusBar>
#include <QToolButton>

// The editor's board: the composed board picture, and the window colour where the picture
// does not reach.
class StandardBoardBox : public QWidget {
  public:
    StandardBoardBox(const QPixmap& bitmap, QWidget* parent) : QWidget(parent), bitmap_(bitmap) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

  protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter p(this);
        p.fillRect(event->rect(), palette().color(QPalette::Window));
        p.drawPixmap(0, 0, bitmap_);
    }

  private:
    const QPixmap& bitmap_;
};

struct TStandardForm::Prepared {
    // Null when the shown line is empty: there is no position to work on.
    std::unique_ptr<KDataBase> db;
    std::unique_ptr<KData> query;
};

namespace {

constexpr int kClientWidth = 510;
constexpr int kClientHeight = 398;
constexpr int kPanelHeight = 33;
constexpr int kStatusHeight = 25;

enum class EditorGlyph { Register, Delete, Refresh };

// The button pictures: a stone with a green plus (register), with a red cross (delete), and
// two turning arrows (refresh). The disabled picture is the toolkit's greyed copy.
QIcon editorGlyph(EditorGlyph glyph) {
    QPixmap pm(19, 19);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, true);
    if (glyph == EditorGlyph::Refresh) {
        p.setPen(QPen(QColor(30, 90, 170), 2));
        p.drawArc(QRectF(3.5, 3.5, 12, 12), 30 * 16, 150 * 16);
        p.drawArc(QRectF(3.5, 3.5, 12, 12), 210 * 16, 150 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 90, 170));
        p.drawPolygon(QPolygonF({{13.5, 1.0}, {18.0, 6.5}, {12.0, 7.5}}));
        p.drawPolygon(QPolygonF({{5.5, 18.0}, {1.0, 12.5}, {7.0, 11.5}}));
        return QIcon(pm);
    }
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(Qt::black);
    p.drawEllipse(QRectF(1.5, 1.5, 12, 12));
    if (glyph == EditorGlyph::Register) {
        p.setPen(QPen(QColor(20, 140, 20), 3, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(14, 9), QPointF(14, 19));
        p.drawLine(QPointF(9, 14), QPointF(19, 14));
    } else {
        p.setPen(QPen(QColor(200, 30, 30), 2.5, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(10, 10), QPointF(18, 18));
        p.drawLine(QPointF(18, 10), QPointF(10, 18));
    }
    return QIcon(pm);
}

} // namespace

TStandardForm::TStandardForm(const MOveTree& source, QWidget* owner)
    : QMainWindow(owner, Qt::Window), source_(source), shown_(std::make_unique<MOveTree>()),
      own_(std::make_unique<MOveTree>()), bitmap_(SrFlags::kBitmapWidth, SrFlags::kBitmapHeight) {
    setObjectName("StandardForm");
    setWindowTitle(caption::openingsEditor());
    setFont(proportionalGothic(12));
    setWindowFlags((windowFlags() | Qt::MSWindowsFixedSizeDialogHint) &
                   ~Qt::WindowMaximizeButtonHint);
    bitmap_.fill(palette().color(QPalette::Window));

    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu1");
    KF1 = bar->addMenu(tr("ファイル(&F)"));
    KF1->setObjectName("KF1");
    KX1 = KF1->addAction(tr("終了(&X)"));
    KX1->setObjectName("KX1");
    KE1 = bar->addMenu(tr("編集(&E)"));
    KE1->setObjectName("KE1");
    KAppend = KE1->addAction(tr("追加(&A)"));
    KAppend->setObjectName("KAppend");
    KDelete = KE1->addAction(tr("削除(&D)"));
    KDelete->setObjectName("KDelete");

    auto* client = new QWidget(this);
    client->setObjectName("ClientArea");
    client->setFixedSize(kClientWidth, kClientHeight - kStatusHeight);
    setCentralWidget(client);

    Panel1 = new QFrame(client);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    Panel1->setGeometry(0, 0, kClientWidth, kPanelHeight);
    auto button = [this](const char* name, int x, int y, const char* hint, EditorGlyph glyph) {
        auto* b = new QToolButton(Panel1);
        b->setObjectName(name);
        b->setGeometry(x, y, 25, 25);
        b->setToolTip(tr(hint));
        b->setIcon(editorGlyph(glyph));
        b->setIconSize(QSize(19, 19));
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    SpeedButton1 = button("SpeedButton1", 24, 5, QT_TR_NOOP("登録"), EditorGlyph::Register);
    SpeedButton2 = button("SpeedButton2", 55, 5, QT_TR_NOOP("削除"), EditorGlyph::Delete);
    SpeedButton3 = button("SpeedButton3", 94, 6, QT_TR_NOOP("表示更新"), EditorGlyph::Refresh);

    Panel2 = new QFrame(client);
    Panel2->setObjectName("Panel2");
    Panel2->setGeometry(0, kPanelHeight, kClientWidth,
                        kClientHeight - kPanelHeight - kStatusHeight);
    Goban0 = new StandardBoardBox(bitmap_, Panel2);
    Goban0->setObjectName("Goban0");
    Goban0->setGeometry(0, 0, Panel2->width(), Panel2->height());

    Panel3 = new QFrame(Panel2);
    Panel3->setObjectName("Panel3");
    Panel3->setFrameShape(QFrame::Panel);
    Panel3->setFrameShadow(QFrame::Raised);
    Panel3->setAutoFillBackground(true);
    Panel3->setGeometry(360, 0, 153, 337);

    auto label = [](QWidget* parent, const char* name, const QString& text, int x, int y) {
        auto* l = new QLabel(text, parent);
        l->setObjectName(name);
        l->setFont(proportionalGothic(16));
        l->move(x, y);
        l->adjustSize();
        return l;
    };
    Label5 = label(Panel3, "Label5", tr("新規ID"), 16, 20);
    E_ID = new QLineEdit("30", Panel3);
    E_ID->setObjectName("E_ID");
    E_ID->setGeometry(80, 16, 57, 24);

    GroupBox1 = new QGroupBox(tr("登録棋譜情報"), Panel3);
    GroupBox1->setObjectName("GroupBox1");
    GroupBox1->setFont(proportionalGothic(13));
    GroupBox1->setGeometry(8, 48, 137, 121);
    const int rows[] = {24, 56, 88};
    for (int i = 0; i < 3; ++i) {
        auto* bevel = new QFrame(GroupBox1);
        bevel->setObjectName(QString("Bevel%1").arg(i + 1));
        bevel->setFrameShape(QFrame::Panel);
        bevel->setFrameShadow(QFrame::Sunken);
        bevel->setGeometry(80, rows[i], 49, 25);
    }
    Label3 = label(GroupBox1, "Label3", tr("登録ID"), 8, 28);
    ResistedID = label(GroupBox1, "ResistedID", "0", 88, 28);
    Label1 = label(GroupBox1, "Label1", tr("手数"), 8, 60);
    Tesu = label(GroupBox1, "Tesu", "0", 88, 60);
    Label2 = label(GroupBox1, "Label2", tr("登録総数"), 8, 92);
    NumOfData = label(GroupBox1, "NumOfData", "0", 88, 92);

    const StatusBarParts status = addStatusBar(*this, kStatusHeight);
    StatusBar1 = status.bar;
    statusLabel_ = status.text;

    setFixedSize(kClientWidth, menuBar()->sizeHint().height() + kClientHeight);

    connect(KX1, &QAction::triggered, this, &QWidget::close);
    connect(KAppend, &QAction::triggered, this, &TStandardForm::Register);
    connect(KDelete, &QAction::triggered, this, &TStandardForm::Delete);
    connect(SpeedButton1, &QToolButton::clicked, this, &TStandardForm::Register);
    connect(SpeedButton2, &QToolButton::clicked, this, &TStandardForm::Delete);
    connect(SpeedButton3, &QToolButton::clicked, this, &TStandardForm::Refresh);
    connect(E_ID, &QLineEdit::textChanged, this,
            [this](const QString& text) { newId_ = leadingInteger(text.toStdString()); });
}

TStandardForm::~TStandardForm() = default;

QString TStandardForm::statusText() const {
    return statusLabel_->text();
}

void TStandardForm::SetStatus(const QString& text) {
    statusLabel_->setText(text);
}

// The query of a line of n + 1 moves: its first n moves, in the order played, are the stones
// (black, white, black... as the database keeps them) and its last move is the continuation.
TStandardForm::Prepared TStandardForm::Prepare() {
    Prepared p;
    const BanHistory& line = shown_->board().history();
    const int n = static_cast<int>(line.size()) - 1;
    if (n >= 0) {
        p.db = std::make_unique<KDataBase>(static_cast<uint8_t>(n));
        p.query = std::make_unique<KData>(n);
        int k = 0;
        for (const MovedPos& m : line) {
            const auto cell = static_cast<uint8_t>(cellIndex(m.x, m.y));
            if (k < n)
                p.query->stones[k] = cell;
            else
                p.query->continuations.push_back(KDataElement{cell, 0});
            ++k;
        }
    }
    const int continuations = p.query ? p.query->continuationCount() : 0;
    Tesu->setText(QString::number(continuations > kPoints ? 0 : continuations));
    NumOfData->setText(QString::number(p.db ? p.db->count() : 0));
    return p;
}

void TStandardForm::Refresh() {
    assignRecord(*shown_, source_);
    assignRecord(*own_, *shown_);
    Prepare();
    ComposeBoard(bitmap_, own_->board().history(), BoardDrawOptions::from(srOption()),
                 databaseStandardMove);
    StatusBar1->update();
    Goban0->update();
}

// The database file is saved after every command, changed or not; with an empty line there is
// no position and nothing is written.
void TStandardForm::changeShownPosition(bool (KDataBase::*change)(const KData&),
                                        const QString& noStones) {
    SetStatus(QString());
    assignRecord(*shown_, source_);
    Prepared p = Prepare();
    if (!p.db) {
        SetStatus(noStones);
        return;
    }
    ((*p.db).*change)(*p.query);
    // A file that exists but did not load completely is never replaced by what was read of it.
    if (!p.db->save())
        SetStatus((p.db->mayReplaceFile() ? tr("定石ファイル %1 に書き込めません")
                                          : tr("定石ファイル %1 を読み込めないため書き込みません"))
                      .arg(QString::fromStdString(p.db->fileName())));
    Refresh();
}

void TStandardForm::Register() {
    // The players never play a book answer that is forbidden for black: such a line is refused.
    assignRecord(*shown_, source_);
    BanHistory before = shown_->board().history();
    if (!before.empty()) {
        const MovedPos last = before.last();
        before.removeLast();
        BanArray board(before);
        if (colourToMove(board.moveCount()) == kBlack &&
            ChkStat(board).isForbiddenBlack(cellIndex(last.x, last.y))) {
            SetStatus(tr("禁手は登録できません"));
            return;
        }
    }
    changeShownPosition(&KDataBase::registerData, tr("登録する石がありません"));
}

void TStandardForm::Delete() {
    changeShownPosition(&KDataBase::deleteData, tr("削除する石がありません"));
}

void TStandardForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    Refresh();
}
