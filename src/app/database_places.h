#pragma once

#include <optional>
#include <string>

// Where the openings database file for n stones ("kelp%03d.kdb") is read from: the current
// directory first, then the program's own directory, then the installed data directory
// (<prefix>/share/sorell). The directory as a database path ("" for the current directory,
// otherwise ending in '/'); none when no place holds the file.
std::optional<std::string> databaseDirectory(int n);

// The database's continuation for the position of n stones given as cell indices in the order
// played, from the file databaseDirectory finds; 255 when there is none or no file. Answers
// from the book held in memory; a file over 256 KiB is never read on the calling thread (its
// answer is 255 until a worker thread has read it).
int lookupStandardMove(const unsigned char* stones, int n);
