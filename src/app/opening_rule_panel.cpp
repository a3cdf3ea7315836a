#include "app/opening_rule_panel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

OpeningRulePanel::OpeningRulePanel(QWidget* parent) : QDialog(parent, Qt::Tool) {
    setObjectName("OpeningRulePanel");
    setWindowTitle(tr("開局規則"));
    setModal(false);
    auto* column = new QVBoxLayout(this);
    question = new QLabel(this);
    question->setObjectName("PhaseQuestion");
    question->setWordWrap(true);
    question->setMinimumWidth(260);
    decision = new QLabel(this);
    decision->setObjectName("PhaseDecision");
    decision->setWordWrap(true);
    column->addWidget(question);
    column->addWidget(decision);

    auto* row = new QHBoxLayout;
    swapYes = new QPushButton(tr("交換する"), this);
    swapYes->setObjectName("SwapYes");
    swapNo = new QPushButton(tr("交換しない"), this);
    swapNo->setObjectName("SwapNo");
    count = new QSpinBox(this);
    count->setObjectName("FifthCount");
    declare = new QPushButton(tr("宣言する"), this);
    declare->setObjectName("Declare");
    offer = new QPushButton(tr("提示する"), this);
    offer->setObjectName("Offer");
    single = new QPushButton(tr("この1手を打つ"), this);
    single->setObjectName("Single");
    for (QWidget* w : {static_cast<QWidget*>(swapYes), static_cast<QWidget*>(swapNo),
                       static_cast<QWidget*>(count), static_cast<QWidget*>(declare),
                       static_cast<QWidget*>(offer), static_cast<QWidget*>(single)})
        row->addWidget(w);
    column->addLayout(row);

    connect(swapYes, &QPushButton::clicked, this, [this] { emit swapAnswered(true); });
    connect(swapNo, &QPushButton::clicked, this, [this] { emit swapAnswered(false); });
    connect(declare, &QPushButton::clicked, this, [this] { emit declared(count->value()); });
    connect(offer, &QPushButton::clicked, this, &OpeningRulePanel::offerConfirmed);
    connect(single, &QPushButton::clicked, this, &OpeningRulePanel::singleConfirmed);
}

void OpeningRulePanel::showView(const View& view) {
    question->setText(view.question);
    decision->setText(view.decision);
    decision->setVisible(!view.decision.isEmpty());
    swapYes->setVisible(view.swap);
    swapNo->setVisible(view.swap);
    count->setVisible(view.declareMost > 0);
    declare->setVisible(view.declareMost > 0);
    if (view.declareMost > 0) count->setRange(1, view.declareMost);
    offer->setVisible(view.offer);
    offer->setEnabled(view.offerReady);
    single->setVisible(view.single);
    single->setEnabled(view.singleReady);
    adjustSize();
    if (isVisible()) keepOnScreen();
}

void OpeningRulePanel::keepOnScreen() {
    const QScreen* where = screen();
    if (!where) return;
    const QRect room = where->availableGeometry();
    const QRect frame = frameGeometry();
    const int x =
        std::clamp(frame.x(), room.left(), std::max(room.left(), room.right() + 1 - frame.width()));
    const int y =
        std::clamp(frame.y(), room.top(), std::max(room.top(), room.bottom() + 1 - frame.height()));
    if (x != frame.x() || y != frame.y()) move(x, y);
}
