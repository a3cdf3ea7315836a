#pragma once

#include <QLocale>
#include <QString>

// The window speaks Japanese, the language of its source texts, unless the user's locale asks
// for a language it has a translation for (English: sorell_en.qm). Qt's own texts (the file and
// colour dialogs, the Yes and No buttons) are loaded for the same language from Qt's
// translations, so that they speak the window's language.

// Installs the translators for locale into the running application, looking for the program's
// translations in directory. Returns the language the window now speaks: "ja" or, for
// example, "en". Installing again replaces the earlier translators.
QString installTranslations(const QLocale& locale, const QString& directory);

// The same for the system locale, with the translations beside the program.
QString installTranslations();

// The rules' name of a move code ("三三禁"), in the window's language; empty for none.
QString moveCodeText(int code);
