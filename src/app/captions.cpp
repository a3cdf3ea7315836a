#include "app/captions.h"

#include "sorell_version.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace caption {

QString sorell() {
    return QStringLiteral("Sorell");
}

QString windows() {
    return QStringLiteral("Sorell for Windows");
}

QString gameEnd() {
    return QCoreApplication::translate("Caption", "終局");
}

QString help() {
    return QCoreApplication::translate("Caption", "Sorell ヘルプ");
}

QString openingsEditor() {
    return QCoreApplication::translate("Caption", "定石エディタ");
}

QString openingDialog() {
    return QCoreApplication::translate("Caption", "珠型から新規");
}

} // namespace caption

QString versionLine() {
    return QCoreApplication::translate("Caption",
                                       "Sorell Version %1  連珠対局プログラム (Linux 版, Qt %2)")
        .arg(QString::fromLatin1(kSorellVersion), QString::fromLatin1(qVersion()));
}

void setProgramIdentity() {
    QCoreApplication::setApplicationName(caption::sorell());
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kSorellVersion));
    QCoreApplication::setOrganizationName(QStringLiteral("Pellham"));
    // The desktop entry, so that the desktop shows its icon for the window.
    QGuiApplication::setDesktopFileName(QStringLiteral("sorell"));
}
