#include "app/game_info_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

namespace {

struct Field {
    const char* name;
    const char* label;
    std::string GameInfo::*value;
};

const Field kFields[] = {
    {"InfoBlack", QT_TRANSLATE_NOOP("GameInfoDialog", "黒"), &GameInfo::black},
    {"InfoWhite", QT_TRANSLATE_NOOP("GameInfoDialog", "白"), &GameInfo::white},
    {"InfoDate", QT_TRANSLATE_NOOP("GameInfoDialog", "日付"), &GameInfo::date},
    {"InfoResult", QT_TRANSLATE_NOOP("GameInfoDialog", "結果"), &GameInfo::result},
    {"InfoEvent", QT_TRANSLATE_NOOP("GameInfoDialog", "大会"), &GameInfo::event},
    {"InfoOpening", QT_TRANSLATE_NOOP("GameInfoDialog", "珠型"), &GameInfo::opening},
};

} // namespace

GameInfoDialog::GameInfoDialog(const GameInfo& info, QWidget* parent) : QDialog(parent) {
    setObjectName("GameInfoDialog");
    setWindowTitle(tr("対局情報"));
    auto* form = new QFormLayout(this);
    for (int i = 0; i < 6; ++i) {
        const Field& f = kFields[i];
        fields_[i] = new QLineEdit(QString::fromStdString(info.*f.value), this);
        fields_[i]->setObjectName(f.name);
        fields_[i]->setMinimumWidth(240);
        form->addRow(tr(f.label), fields_[i]);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

GameInfo GameInfoDialog::info() const {
    GameInfo out;
    for (int i = 0; i < 6; ++i)
        out.*kFields[i].value = cleanGameInfoValue(fields_[i]->text().toStdString());
    return out;
}

QString gameInfoCaption(const GameInfo& info) {
    if (info.black.empty() && info.white.empty()) return {};
    auto name = [](const std::string& s) {
        return s.empty() ? QStringLiteral("?") : QString::fromStdString(s);
    };
    return QStringLiteral(" - ") +
           GameInfoDialog::tr("%1 対 %2").arg(name(info.black), name(info.white));
}
