#include "player/book_move.h"

#include "database/book_cache.h"
#include "database/k_data.h"
#include "database/kdb_file.h"
#include "rules/chk_stat.h"

uint8_t bookMove(const BanArray& board, const std::string& directory) {
    const int n = board.moveCount();
    const std::shared_ptr<const BookIndex> book =
        openingBook(kdbFileName(n, kdbFolderPath(directory)), n);
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
