#include "database/k_database.h"

#include "base/diag.h"
#include "base/file_replace.h"
#include "base/geometry.h"
#include "database/book_cache.h"
#include "database/kdb_file.h"
#include "database/symmetry.h"

#include <filesystem>
#include <fstream>
#include <sstream>

KDataBase::KDataBase(uint8_t n, const std::string& path) : KDataBase(n, path, NoLoad{}) {
    load();
}

KDataBase::KDataBase(uint8_t n, const std::string& path, NoLoad)
    : stoneCount_(n), directory_(kdbDirectoryPart(path)) {}

KDataBase KDataBase::unloaded(uint8_t n, const std::string& path) {
    return KDataBase(n, path, NoLoad{});
}

std::string KDataBase::fileName() const {
    return kdbFileName(stoneCount_, directory_);
}

bool KDataBase::load() {
    if (stoneCount_ >= kPoints) return false;
    entries_.clear();
    const std::string name = fileName();
    std::error_code ec;
    std::ifstream in;
    // Only a regular file is opened: a directory cannot be read, and a FIFO or a device would
    // block in open or never end. Anything else counts as no database file.
    if (std::filesystem::is_regular_file(name, ec)) in.open(name, std::ios::binary);
    if (!in.is_open()) {
        diag("error: database not found");
        // Only a file that is not there at all may be created by a save.
        readWhole_ = !std::filesystem::exists(std::filesystem::symlink_status(name, ec));
        return false;
    }
    const uintmax_t size = std::filesystem::file_size(name, ec);
    if (ec || size > kKdbMaxFileBytes) {
        diag("error: count is out of range");
        readWhole_ = false;
        return false;
    }
    return loadFrom(in);
}

bool KDataBase::loadFrom(std::istream& in) {
    if (stoneCount_ >= kPoints) return false;
    entries_.clear();
    readWhole_ = false;
    int32_t stones = stoneCount_;
    bool whole = false;
    switch (readKdb(in, stoneCount_, entries_, stones, &whole)) {
    case KdbReadResult::Ok:
        readWhole_ = whole;
        return true;
    case KdbReadResult::BadVersion:
        diag("error: can't read this version");
        break;
    case KdbReadResult::BadCount:
        diag("error: count is out of range");
        break;
    }
    entries_.clear();
    return false;
}

bool KDataBase::save() const {
    if (stoneCount_ >= kPoints) return false;
    const std::string name = fileName();
    std::error_code ec;
    if (!readWhole_ && std::filesystem::exists(std::filesystem::symlink_status(name, ec)))
        return false;
    std::ostringstream text;
    if (!saveTo(text)) return false;
    const bool saved = replaceFileContents(name.c_str(), text.view());
    // The players and the window read the file again, even when its time did not change.
    if (saved) forgetOpeningBook(name);
    return saved;
}

bool KDataBase::saveTo(std::ostream& out) const {
    return writeKdb(out, stoneCount_, entries_);
}

const KData* KDataBase::findExact(const KData& query) const {
    for (const KData& e : entries_) {
        if (e.samePosition(query)) return &e;
    }
    return nullptr;
}

uint8_t KDataBase::lookup(const KData& query) const {
    for (int s = 0; s < kSymmetries; ++s) {
        const KData* found = findExact(transformed(query, s));
        if (!found) continue;
        if (found->continuations.empty()) return kNoMove;
        // A file may hold any byte as a move; only an empty point of the query's own position
        // is an answer the caller can play.
        const uint8_t move = inverseTransformCell(found->continuationMove(0), s);
        if (move >= kPoints || query.occupies(move)) return kNoMove;
        return move;
    }
    return kNoMove;
}

bool KDataBase::registerData(const KData& query) {
    if (query.continuations.empty() || !query.isValidPosition()) return false;
    for (int s = 0; s < kSymmetries; ++s) {
        if (findExact(transformed(query, s))) return false;
    }
    entries_.push_back(query);
    return true;
}

bool KDataBase::deleteData(const KData& query) {
    for (int s = 0; s < kSymmetries; ++s) {
        const KData* found = findExact(transformed(query, s));
        if (!found) continue;
        entries_.erase(entries_.begin() + (found - entries_.data()));
        return true;
    }
    return false;
}
