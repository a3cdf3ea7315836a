#pragma once

#include "database/k_data.h"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

// The version number written into, and required (or higher) from, every database file.
inline constexpr int32_t kKdbVersion = 210;
// The longest part of an entry line after its stones that is read; the rest is ignored.
inline constexpr int kKdbMaxRest = 8191;

// The directory part of a path: the path up to and including its last ':', '/' or '\\'; a path
// without any of these is taken as a directory and gets a '/' appended. Empty for an empty path.
std::string kdbDirectoryPart(const std::string& path);

// The path that names the database files of folder: folder with a '/' after it unless it ends in
// ':', '/' or '\\' already; empty (the current directory) for an empty folder. kdbDirectoryPart
// would take the last name of a folder given without its separator for a file's.
std::string kdbFolderPath(std::string folder);

// kelpNNN.kdb: the openings of NNN stones (see docs/glossary.md).
// The database file for stone count n: "kelp%03d.kdb" (three digits, zero-padded) after the
// directory part of path, or alone (relative to the current directory) when path is empty.
std::string kdbFileName(int n, const std::string& path);

// What reading a database text gives.
enum class KdbReadResult {
    Ok,         // the header was good; every entry that could be read is in the list
    BadVersion, // "error: can't read this version": first number unreadable or below 210
    BadCount,   // "error: count is out of range": entry or stone count unreadable, or the
                // stone count outside 0..224 or not the one expected
};

// Parses a database text. Never trusts its input: an entry line that is truncated or holds a
// field that is not a 32-bit decimal number is dropped, reading stops at the end of the input
// even when the header promised more entries, and only the first 8191 characters after the
// stones are read for continuations. Stone and move numbers outside 0..255 are kept as 255 (no
// point), so damage never aliases a real cell. expectedStones < 0 accepts any stone count.
// Writes no diagnostics; entries and stones are set only when the result is Ok. whole, when
// given, tells whether writing the entries back would reproduce every entry of the text: Ok,
// every promised entry line read and none dropped, and no part of a line after its stones left
// unread (cut by the limits, a field that is not a number, a move without its value).
KdbReadResult readKdb(std::istream& in, int expectedStones, std::vector<KData>& entries,
                      int32_t& stones, bool* whole = nullptr);
// The same reading, handing each entry that readKdb would keep to onEntry in file order
// instead of keeping it (the entry is valid only during the call). Every refusal is found in
// the header, so no entry is handed on unless the result is Ok; stones is set only then.
KdbReadResult readKdbEach(std::istream& in, int expectedStones, int32_t& stones,
                          const std::function<void(const KData&)>& onEntry, bool* whole = nullptr);

// Writes a database text: the header "210 E S", then one line per entry (tag, the stones each
// followed by a space, then move and value of every continuation separated by single spaces,
// no space after the last), every line ended by CR LF. False when the stream fails.
bool writeKdb(std::ostream& out, int32_t stones, const std::vector<KData>& entries);
