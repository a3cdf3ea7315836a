#include "engine/book_move.h"

#include "database/book_cache.h"
#include "database/k_data.h"
#include "database/kdb_file.h"
#include "rules/chk_stat.h"

uint8_t bookMove(const BanArray& board, const std::string& directory) {
    std::string dir = directory;
    // The database takes the directory part of a path; a directory given without its trailing
    // separator would otherwise lose its last component.
    if (!dir.empty() && dir.back() != '/' && dir.back() != '\\' && dir.back() != ':') dir += '/';
    const int n = board.moveCount();
    const std::shared_ptr<const BookIndex> book = openingBook(kdbFileName(n, dir), n);
    if (!book) return kNoMove;
    const uint8_t move = book->lookup(KData(board));
    // A damaged or careless book may answer a stone or a point that loses at once.
    if (move >= kPoints || board.at(move) != kEmpty) return kNoMove;
    if (colourToMove(n) == kBlack) {
        BanArray judged = board;
        if (ChkStat(judged).isForbiddenBlack(move)) return kNoMove;
    }
    return move;
}
