#include "app/sr_option.h"

#include "base/diag.h"

#include <QFile>
#include <QSettings>

namespace {

// The value names in the order in which they are read and written.
struct OptionField {
    const char* name;
    int32_t SrOption::*field;
    int32_t fallback;
};

constexpr OptionField kFields[] = {
    {"Numbering", &SrOption::numbering, 0},
    {"LatestCursor", &SrOption::latestCursor, 0},
    {"Sound", &SrOption::sound, 1},
    {"ColorBan", &SrOption::colorBan, SrOption::kDefaultColorBan},
    {"Standard", &SrOption::standard, 1},
    {"Toolbar", &SrOption::toolbar, 1},
    {"AxisChar", &SrOption::axisChar, 1},
    {"InputAssistant", &SrOption::inputAssistant, 0},
    {"Warning", &SrOption::warning, 0},
};

// Values added after the nine: no default is written at load.
constexpr OptionField kLaterFields[] = {
    {"ForbiddenMarks", &SrOption::forbiddenMarks, 1},
    {"Level", &SrOption::level, 0},
    {"ConfirmForbidden", &SrOption::confirmForbidden, 0},
};
constexpr const char* kLastFolder = "LastFolder";

} // namespace

SrOption::SrOption() {
    load();
}

SrOption::~SrOption() {
    save();
}

void SrOption::load() {
    QSettings store("Pellham", "Sorell");
    for (const OptionField& f : kFields) {
        const QVariant v = store.value(f.name);
        bool ok = false;
        const qlonglong n = v.isValid() ? v.toLongLong(&ok) : 0;
        if (ok && n >= INT32_MIN && n <= INT32_MAX) {
            this->*f.field = static_cast<int32_t>(n);
        } else {
            this->*f.field = f.fallback;
            store.setValue(f.name, f.fallback);
        }
    }
    for (const OptionField& f : kLaterFields) {
        bool ok = false;
        const qlonglong n = store.value(f.name).toLongLong(&ok);
        this->*f.field =
            ok && n >= INT32_MIN && n <= INT32_MAX ? static_cast<int32_t>(n) : f.fallback;
    }
    const QVariant folder = store.value(kLastFolder);
    lastFolder = folder.typeId() == QMetaType::QString ? folder.toString() : QString();
    store.sync();
}

// Saving happens at exit, when no window is left to tell: a store that cannot be written
// says so in one line on the standard error stream.
void SrOption::save() const {
    QSettings store("Pellham", "Sorell");
    for (const OptionField& f : kFields) store.setValue(f.name, this->*f.field);
    for (const OptionField& f : kLaterFields) store.setValue(f.name, this->*f.field);
    store.setValue(kLastFolder, lastFolder);
    store.sync();
    if (store.status() != QSettings::NoError)
        diag("error : " + QFile::encodeName(store.fileName()).toStdString() + " can't be write");
}

QColor SrOption::boardColour() const {
    const auto v = static_cast<uint32_t>(colorBan);
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

void SrOption::setBoardColour(const QColor& colour) {
    colorBan = static_cast<int32_t>(static_cast<uint32_t>(colour.red()) |
                                    static_cast<uint32_t>(colour.green()) << 8 |
                                    static_cast<uint32_t>(colour.blue()) << 16);
}
