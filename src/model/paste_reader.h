#pragma once

#include "model/move_tree.h"

#include <cstddef>
#include <string_view>

// Longest text the paste reader takes.
inline constexpr size_t kMaxPasteBytes = 1u << 20;

// Turns a pasted text into a record. Accepted forms:
// - the move text that copy writes ("h8,i7,**,"): point texts separated by ',', column
//   letters in either case, an optional closing "**"; colours alternate from black;
// - point texts separated by white space or written together ("h8 h7 i7", "h8h7i7");
// - in both, rows 10 to 15 written as the board writes them ("jA") or as books do ("j10");
// - the bracketed record text, starting with '(';
// - ".ban" move numbers separated by white space.
// White space and line ends are tolerated around the items. The game is replaced only when
// the whole text could be read (every move placed, no rejected property); otherwise, and for
// texts over kMaxPasteBytes or without any record, the result is false and the record is
// unchanged. The record keeps its recordFormat. After move text and numbers the last move is
// current; after a record text the root is, with the main line selected.
bool readPastedRecord(MOveTree& record, std::string_view text);
