#pragma once

#include <string_view>

// Writes bytes to a new temporary file in the directory of name, flushes it to disk and
// renames it over name, keeping the permission bits of the file replaced. A name that is a
// symbolic link replaces the file it points to. Refused, changing nothing, when name exists
// and is not a regular file or is a file the user may not write (a rename in a writable
// folder would otherwise replace it). False when anything failed; name is then untouched and
// the temporary file removed.
bool replaceFileContents(const char* name, std::string_view bytes);
