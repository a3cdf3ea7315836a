#include "database/book_cache.h"

#include "base/diag.h"
#include "base/geometry.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>

namespace {

namespace fs = std::filesystem;

struct Held {
    uintmax_t size = 0;
    fs::file_time_type time;
    int stones = 0;
    KdbReadResult result = KdbReadResult::Ok;
    std::shared_ptr<const BookIndex> book; // null when the file was refused
};

std::mutex& cacheLock() {
    static std::mutex lock;
    return lock;
}
std::map<std::string, Held>& cache() {
    static std::map<std::string, Held> held;
    return held;
}

void report(KdbReadResult result) {
    diag(result == KdbReadResult::BadVersion ? "error: can't read this version"
                                             : "error: count is out of range");
}

// Files are held under their absolute paths: a relative name means another file once the
// current directory changes.
std::string keyOf(const std::string& name) {
    std::error_code ec;
    const fs::path path = fs::absolute(name, ec);
    return ec ? name : path.lexically_normal().string();
}

} // namespace

std::shared_ptr<const BookIndex> openingBook(const std::string& name, int n) {
    if (n < 0 || n >= kPoints) return nullptr;
    const std::string key = keyOf(name);
    std::error_code ec;
    // Only a regular file is opened: a FIFO or a device would block in open or never end.
    const fs::file_status status = fs::status(name, ec);
    if (ec || !fs::is_regular_file(status)) {
        diag("error: database not found");
        forgetOpeningBook(name); // a book that went away answers nothing any more
        return nullptr;
    }
    const uintmax_t size = fs::file_size(name, ec);
    const fs::file_time_type time = ec ? fs::file_time_type() : fs::last_write_time(name, ec);
    if (ec) {
        diag("error: database not found");
        return nullptr;
    }
    {
        std::lock_guard<std::mutex> guard(cacheLock());
        const auto found = cache().find(key);
        if (found != cache().end() && found->second.size == size && found->second.time == time &&
            found->second.stones == n) {
            if (!found->second.book) report(found->second.result);
            return found->second.book;
        }
    }
    Held held{size, time, n, KdbReadResult::BadCount, nullptr};
    if (size <= kKdbMaxFileBytes) {
        std::ifstream in(name, std::ios::binary);
        if (!in.is_open()) {
            diag("error: database not found");
            return nullptr;
        }
        auto book = std::make_shared<BookIndex>();
        held.result = book->read(in, n);
        if (held.result == KdbReadResult::Ok) held.book = std::move(book);
    }
    if (!held.book) report(held.result);
    std::lock_guard<std::mutex> guard(cacheLock());
    cache()[key] = held;
    return held.book;
}

std::optional<std::shared_ptr<const BookIndex>> heldOpeningBook(const std::string& name) {
    const std::string key = keyOf(name);
    std::lock_guard<std::mutex> guard(cacheLock());
    const auto found = cache().find(key);
    if (found == cache().end()) return std::nullopt;
    return found->second.book;
}

void forgetOpeningBook(const std::string& name) {
    const std::string key = keyOf(name);
    std::lock_guard<std::mutex> guard(cacheLock());
    cache().erase(key);
}
