#include "app/translations.h"

#include "rules/move_code.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace {

// The language of the source texts.
const QString kSourceLanguage = QStringLiteral("ja");

// The installed translators; they live as long as the program, or until replaced.
std::unique_ptr<QTranslator>& programTranslator() {
    static std::unique_ptr<QTranslator> translator;
    return translator;
}
std::unique_ptr<QTranslator>& qtTranslator() {
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

void replace(std::unique_ptr<QTranslator>& slot, std::unique_ptr<QTranslator> next) {
    if (slot) QCoreApplication::removeTranslator(slot.get());
    slot = std::move(next);
    if (slot) QCoreApplication::installTranslator(slot.get());
}

} // namespace

QString installTranslations(const QLocale& locale, const QString& directory) {
    // "sorell_en.qm" for an English locale; none for Japanese and for the C locale, whose
    // source texts are already Japanese.
    auto program = std::make_unique<QTranslator>();
    QString language = kSourceLanguage;
    if (program->load(locale, QStringLiteral("sorell"), QStringLiteral("_"), directory))
        language = program->language().section(QLatin1Char('_'), 0, 0);
    else
        program.reset();
    replace(programTranslator(), std::move(program));

    auto qt = std::make_unique<QTranslator>();
    if (!qt->load(QStringLiteral("qtbase_") + language,
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        qt.reset();
    replace(qtTranslator(), std::move(qt));
    return language;
}

QString installTranslations() {
    return installTranslations(QLocale::system(), QCoreApplication::applicationDirPath());
}

// The names the rules give the move codes, listed for the translation tools.
[[maybe_unused]] constexpr const char* kMoveCodeNames[] = {
    QT_TRANSLATE_NOOP("MoveCode", "長連"),   QT_TRANSLATE_NOOP("MoveCode", "五"),
    QT_TRANSLATE_NOOP("MoveCode", "達四"),   QT_TRANSLATE_NOOP("MoveCode", "四四"),
    QT_TRANSLATE_NOOP("MoveCode", "四三"),   QT_TRANSLATE_NOOP("MoveCode", "四"),
    QT_TRANSLATE_NOOP("MoveCode", "三三"),   QT_TRANSLATE_NOOP("MoveCode", "三"),
    QT_TRANSLATE_NOOP("MoveCode", "三三禁"), QT_TRANSLATE_NOOP("MoveCode", "四四禁"),
    QT_TRANSLATE_NOOP("MoveCode", "長連禁"),
};

QString moveCodeText(int code) {
    const char* name = moveCodeName(code);
    return *name ? QCoreApplication::translate("MoveCode", name) : QString();
}
