#include "app/database_places.h"

#include "database/book_cache.h"
#include "database/k_data.h"
#include "database/kdb_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QThreadPool>

#include <filesystem>
#include <mutex>
#include <set>

namespace {
// A book up to this size is read when the drawing first needs it (a shipped book holds a few
// kilobytes); a larger one only on a worker thread.
constexpr uintmax_t kBookReadAtOnce = 256u << 10;
} // namespace

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
    const std::string name = kdbFileName(n, *directory);
    std::error_code ec;
    const uintmax_t size = std::filesystem::file_size(name, ec);
    std::shared_ptr<const BookIndex> book;
    if (!ec && size <= kBookReadAtOnce) {
        book = openingBook(name, n); // read only when it changed, in a few milliseconds
    } else {
        // The drawing never waits for a large book: it is read (or checked for changes) on a
        // worker thread, and its answer shows from the next drawing on.
        book = heldOpeningBook(name).value_or(nullptr);
        static std::mutex lock;
        static std::set<std::string> reading;
        const std::lock_guard<std::mutex> guard(lock);
        if (reading.insert(name).second) {
            QThreadPool::globalInstance()->start([name, n] {
                openingBook(name, n);
                const std::lock_guard<std::mutex> done(lock);
                reading.erase(name);
            });
        }
    }
    return book ? book->lookup(query) : 255;
}
