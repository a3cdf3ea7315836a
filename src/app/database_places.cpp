#include "app/database_places.h"

#include "database/k_data.h"
#include "database/k_database.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#ifndef SORELL_INSTALLED_DATA_DIR
#define SORELL_INSTALLED_DATA_DIR "/usr/local/share/sorell"
#endif

std::optional<std::string> databaseDirectory(int n) {
    if (n < 0 || n >= 225) return std::nullopt;
    const QString name = QString::asprintf("kelp%03d.kdb", n);
    if (QFile::exists(name)) return std::string();
    const QString places[] = {
        QCoreApplication::applicationDirPath(),
        // The installed layout keeps the program in <prefix>/libexec/sorell.
        QCoreApplication::applicationDirPath() + QStringLiteral("/../../share/sorell"),
        QStringLiteral(SORELL_INSTALLED_DATA_DIR),
    };
    for (const QString& place : places) {
        if (place.isEmpty()) continue;
        const QDir dir(place);
        if (dir.exists(name)) return QFile::encodeName(dir.absolutePath()).toStdString() + '/';
    }
    return std::nullopt;
}

int lookupStandardMove(const unsigned char* stones, int n) {
    if (n <= 0 || n >= 225) return 255;
    const std::optional<std::string> directory = databaseDirectory(n);
    if (!directory) return 255;
    KData query(n);
    for (int k = 0; k < n; ++k) query.stones[k] = stones[k];
    KDataBase base(static_cast<uint8_t>(n), *directory);
    return base.lookup(query);
}
