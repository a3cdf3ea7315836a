#include "app/openings.h"

QString openingCaption(const Opening& opening) {
    return QStringLiteral("%1 %2 (%3)")
        .arg(QString::fromLatin1(opening.code), QString::fromUtf8(opening.name),
             QString::fromLatin1(opening.romanised));
}
