#pragma once

#include "database/k_data.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

// One standard-openings database file in memory: every entry holds a position of the same
// number of stones with its continuations. Entries keep the order in which they were added
// (file order after a load, registrations at the end); lookups take the first match in that
// order and saving writes in that order. A database object lives for one call and is not
// shared between threads.
class KDataBase {
  public:
    // Database for n stones whose files live in the directory part of path (the current
    // directory when path is empty); the file "kelp%03d.kdb" is loaded at once. For n of 225
    // or more nothing is read and the database stays empty.
    explicit KDataBase(uint8_t n, const std::string& path = std::string());

    // A database for n stones that reads no file (for parsing streams and for tests).
    static KDataBase unloaded(uint8_t n, const std::string& path = std::string());

    // Drops all entries and reads the file. Reports through diag() "error: database not found"
    // (file missing, unreadable or not a regular file), "error: can't read this version" or
    // "error: count is out of range" (also for a file over kKdbMaxFileBytes), leaving the
    // database empty; false then, and for n of 225 or more (no message).
    bool load();
    // The same reading from a stream (used by load; public for the fuzz targets).
    bool loadFrom(std::istream& in);

    // Writes the database to its file through a temporary file renamed over it, creating or
    // replacing it. False, without any message and with the file untouched, when the file
    // cannot be written (or the stone count is 225 or more), and when the file exists but
    // mayReplaceFile() is false: saving would lose what this database did not read.
    bool save() const;
    // True when the last load read the whole file, or found no file: a save then loses nothing.
    // False for a file that exists but did not load completely (unreadable, another version or
    // stone count, lines dropped or cut) and for a database that never read its file.
    bool mayReplaceFile() const { return readWhole_; }
    // Writes the database text to a stream; false when the stream fails.
    bool saveTo(std::ostream& out) const;

    // The first entry holding the same position as query, or null.
    const KData* findExact(const KData& query) const;

    // The standard continuation of the query's position: for s = 0..7 the query carried by s
    // is looked up exactly; at the first s that finds an entry, the move of its first
    // continuation carried back by the inverse of s. 255 when no orientation matches, when the
    // entry has no continuation, and when the answer is not an empty point of the query's
    // position (a damaged entry never yields a move off the board or onto a stone).
    uint8_t lookup(const KData& query) const;

    // Adds a copy of query, in its own orientation, at the end. False, changing nothing, when
    // the position is already held in any orientation or query has no continuation.
    bool registerData(const KData& query);

    // Removes the first entry that holds the query's position, trying orientations s = 0..7
    // in turn and stopping at the first that finds one. False when none matched.
    bool deleteData(const KData& query);

    int count() const { return static_cast<int>(entries_.size()); }
    const std::vector<KData>& entries() const { return entries_; }
    int32_t version() const { return version_; }
    int32_t stoneCount() const { return stoneCount_; }
    // The directory part of the path given at construction ("" for the current directory).
    const std::string& directory() const { return directory_; }
    // The file this database loads from and saves to.
    std::string fileName() const;

  private:
    struct NoLoad {};
    KDataBase(uint8_t n, const std::string& path, NoLoad);

    std::vector<KData> entries_;
    int32_t version_ = 210;
    int32_t stoneCount_ = 0;
    std::string directory_;
    bool readWhole_ = false;
};
