#include "app/sr_option.h"

#include "app/sorell_process.h"
#include "base/diag.h"
#include "player/thinking_level.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <filesystem>

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
    {"WindowWidth", &SrOption::windowWidth, 0},
    {"WindowHeight", &SrOption::windowHeight, 0},
    {"ConfirmForbidden", &SrOption::confirmForbidden, 0},
    {"Threads", &SrOption::threads, 0},
    {"WindowMaximized", &SrOption::windowMaximized, 0},
};
constexpr const char* kLastFolder = "LastFolder";
constexpr const char* kPanelLayout = "PanelLayout";

// The store's file, or empty when it may be opened: a store reads its file as soon as it is
// made, and opening a FIFO or a device there would block for ever. The path is taken from a
// store of another name in the same folder, whose file is never there.
QString refusedStoreFile() {
    const QString folder =
        QFileInfo(QSettings("Pellham", "Sorell.unused").fileName()).absolutePath();
    const QString name = folder + QStringLiteral("/Sorell.conf");
    std::error_code ec;
    const std::filesystem::path path(QFile::encodeName(name).toStdString());
    const bool there = std::filesystem::exists(path, ec);
    return there && !std::filesystem::is_regular_file(path, ec) ? name : QString();
}

} // namespace

SrOption::SrOption() {
    load();
}

SrOption::~SrOption() {
    save();
}

void SrOption::load() {
    if (const QString refused = refusedStoreFile(); !refused.isEmpty()) {
        diag("error : " + QFile::encodeName(refused).toStdString() + "can't be read");
        for (const OptionField& f : kFields) this->*f.field = f.fallback;
        for (const OptionField& f : kLaterFields) this->*f.field = f.fallback;
        lastFolder.clear();
        panelLayout.clear();
        return;
    }
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
    const QVariant layout = store.value(kPanelLayout);
    panelLayout = layout.typeId() == QMetaType::QByteArray ? layout.toByteArray() : QByteArray();
    store.sync();
}

// Saving happens at exit, when no window is left to tell: a store that cannot be written
// says so in one line on the standard error stream.
void SrOption::save() const {
    if (const QString refused = refusedStoreFile(); !refused.isEmpty()) {
        diag("error : " + QFile::encodeName(refused).toStdString() + " can't be write");
        return;
    }
    QSettings store("Pellham", "Sorell");
    for (const OptionField& f : kFields) store.setValue(f.name, this->*f.field);
    for (const OptionField& f : kLaterFields) store.setValue(f.name, this->*f.field);
    store.setValue(kLastFolder, lastFolder);
    store.setValue(kPanelLayout, panelLayout);
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

int32_t searchThreads() {
    constexpr int32_t kMaxThreads = 256;
    const int32_t stored = srOption().threads;
    return stored > 0 && stored <= kMaxThreads ? stored : defaultSearchThreads();
}
