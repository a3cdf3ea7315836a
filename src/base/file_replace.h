#pragma once

#include <string_view>

// Writes bytes to a new temporary file in the directory of name, flushes it to disk and
// moves it over name, keeping the permission bits of the file replaced. A name that is a
// symbolic link (or a chain of them) keeps the link and replaces the file at its end, which is
// made when the link dangles; a chain that loops is refused. Refused, changing nothing, when
// the file exists and is not a regular file or is a file the user may not write (a rename in a
// writable folder would otherwise replace it). False when anything failed; name is then
// untouched and the temporary file removed.
bool replaceFileContents(const char* name, std::string_view bytes);

// Makes a write past the process's file-size limit fail with an error instead of ending the
// process by SIGXFSZ, so that replaceFileContents reports it and removes its temporary file.
// Programs that write files call it once at start; nothing on systems without that signal.
void failWritesBeyondFileSizeLimit();
