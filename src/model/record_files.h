#pragma once

#include "base/file_replace.h"

#include <cstdint>
#include <string_view>

// The record file formats, chosen by content when reading.
enum RecordFormat : uint8_t {
    kRecordText = 0,   // bracketed record text with variations
    kRecordBan = 1,    // ".ban": decimal move numbers (x + 1) * 100 + (y + 1), one per line
    kRecordBinary = 2, // a count byte below 225, then one byte x + 15 * y per move
    kRecordUnknown = 3 // cannot be read, or none of the above
};

// Largest file the readers take in.
inline constexpr size_t kMaxRecordFileBytes = 64u << 20;

// The format of a file: text when it contains "GM"; for a file of digits, spaces and line
// breaks only, ".ban" when every number is a valid move number and unknown otherwise (unless
// it is a count byte followed by exactly that many different points, a byte-form record);
// for any other file ".ban" when it starts with one or more valid move numbers (text after the
// last one does not matter); binary when the first byte is below 225 and so are the (up to
// that many) following bytes; otherwise unknown. A file that cannot be opened, or is not a
// regular file, writes "error : <name>can't be read" and is unknown.
uint8_t DetectRecordFormat(const char* name);
// The same test on bytes already read.
uint8_t detectRecordFormat(std::string_view bytes);

// Reads a whole file into out (at most kMaxRecordFileBytes). False when it is not a regular
// file, cannot be opened or read, or is larger.
bool readWholeFile(const char* name, std::string& out);
