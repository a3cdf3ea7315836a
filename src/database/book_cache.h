#pragma once

#include "database/book_index.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

// The largest database file that is read; a larger one is refused as "error: count is out of
// range". A book of a million positions takes about 22 MiB.
inline constexpr uintmax_t kKdbMaxFileBytes = 32u << 20;

// The openings book as the players and the window read it: each database file is parsed once
// into a BookIndex held in memory, keyed by its path, and read again only when its size or
// modification time has changed. Safe to call from any thread; a file is read without holding
// the cache's lock, so a look-up of another file never waits for it.

// The book of file name for n stones (n of 225 or more: none, no message). Reads the file when
// it is not held or has changed; reports through diag() "error: database not found" (missing,
// or not a regular file), "error: can't read this version" or "error: count is out of range"
// (also for a file over kKdbMaxFileBytes) and gives null then.
std::shared_ptr<const BookIndex> openingBook(const std::string& name, int n);

// What is held for the file without any file access: nothing when it was never read (or was
// found gone), null when it was read and refused, else its book (as it was when last read).
std::optional<std::shared_ptr<const BookIndex>> heldOpeningBook(const std::string& name);

// Drops what is held for the file (after it was written), so the next openingBook reads it.
void forgetOpeningBook(const std::string& name);
