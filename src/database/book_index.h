#pragma once

#include "database/k_data.h"
#include "database/kdb_file.h"

#include <cstdint>
#include <iosfwd>
#include <vector>

// A database file held for look-ups only: each entry's position in a canonical form (its black
// and its white cells each sorted) and the move of its first continuation, with a hash table of
// the positions. It answers exactly as KDataBase::lookup on the same file, without keeping the
// entries' other fields, and is never changed after it is read, so any number of threads may
// look up in it at once.
class BookIndex {
  public:
    // Reads a database text for n stones (readKdb's rules); the index is empty unless the
    // result is Ok.
    KdbReadResult read(std::istream& in, int n);

    // The same answer as KDataBase::lookup for a database holding the entries read.
    uint8_t lookup(const KData& query) const;

    // Entries read, damaged positions included.
    int count() const { return count_; }

  private:
    // The slot of the first entry holding the canonical position whose hash is given, or of
    // the empty slot where it belongs.
    size_t slotOf(const uint8_t* cells, uint64_t hash) const;
    static uint64_t slotValue(uint64_t hash, size_t entry);

    int stones_ = 0;
    int count_ = 0;
    std::vector<uint8_t> cells_; // stones_ cells per indexed entry, canonical
    std::vector<uint8_t> moves_; // first continuation of each indexed entry (255: none)
    // upper half of the hash and indexed entry + 1; 0 for an empty slot; a power of two of them
    std::vector<uint64_t> slots_;
};
