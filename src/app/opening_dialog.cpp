#include "app/opening_dialog.h"

#include "app/captions.h"
#include "app/openings.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QListWidget>
#include <QVBoxLayout>

OpeningDialog::OpeningDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("OpeningDialog");
    setWindowTitle(caption::openingDialog());
    list = new QListWidget(this);
    list->setObjectName("OpeningList");
    for (const Opening& o : openings()) list->addItem(openingCaption(o));
    list->setCurrentRow(0);
    side = new QComboBox(this);
    side->setObjectName("ComputerSide");
    side->addItem(tr("対局しない"), kNoComputer);
    side->addItem(tr("白 (あなたは黒)"), kComputerWhite);
    side->addItem(tr("黒 (あなたは白)"), kComputerBlack);
    side->setCurrentIndex(1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto* form = new QFormLayout;
    form->addRow(tr("コンピュータ"), side);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list);
    layout->addLayout(form);
    layout->addWidget(buttons);
    resize(260, 420);
}

int OpeningDialog::opening() const {
    return std::max(0, list->currentRow());
}

OpeningDialog::Computer OpeningDialog::computer() const {
    return static_cast<Computer>(side->currentData().toInt());
}
