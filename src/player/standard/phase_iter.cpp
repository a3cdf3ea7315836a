#include "player/standard/phase_iter.h"

#include "database/kdb_file.h"
#include "player/book_move.h"
#include "player/standard/decision_random.h"
#include "rules/chk_stat.h"

#include <algorithm>

PhaseIter::PhaseIter(const BanArray& board, const StandardSettings& level,
                     const std::atomic<bool>& stop, std::string directory,
                     std::optional<uint32_t> seed)
    : root_(arena_.make(board)), level_(level), maxDepth_(std::max<int32_t>(level.maxDepth, 1)),
      hashSize_(std::max<int32_t>(level.hashSize, 1)),
      directory_(kdbFolderPath(std::move(directory))), stop_(stop), seed_(seed) {
    tables_.reserve(static_cast<size_t>(maxDepth_));
    for (int32_t d = 0; d < maxDepth_; ++d) tables_.emplace_back(hashSize_);
}

uint8_t PhaseIter::databaseMove() {
    if (!useDatabase_) return kNoMove;
    return bookMove(root_->board, directory_);
}

uint8_t PhaseIter::decide() {
    BanArray& board = root_->board;
    const int n = board.moveCount();
    if (n == 0) return static_cast<uint8_t>(kCentrePoint);

    DecisionRandom random(seed_ ? *seed_ : static_cast<uint32_t>(std::time(nullptr)));
    if (n == 1) {
        // Offsets -1, 0, +1 with chances 2/5, 2/5, 1/5: a point next to the centre, never on it.
        for (;;) {
            int dx = DecisionRandom::scale(random.draw(), 5, 2) - 1;
            int dy = DecisionRandom::scale(random.draw(), 5, 2) - 1;
            int p = cellIndex(cellX(kCentrePoint) + dx, cellY(kCentrePoint) + dy);
            if ((dx != 0 || dy != 0) && board.at(p) == kEmpty) return static_cast<uint8_t>(p);
        }
    }
    if (isWinCode(ChkStat(board).judgeLastMove())) return 0;
    if (n == 2) {
        // A point of the 5 x 5 square of columns and rows 5..9.
        for (;;) {
            int x = DecisionRandom::scale(random.draw(), 9, 2) + 5;
            int y = DecisionRandom::scale(random.draw(), 9, 2) + 5;
            int p = cellIndex(x, y);
            if (board.at(p) == kEmpty) return static_cast<uint8_t>(p);
        }
    }
    if (n >= kPoints) return 0;

    uint8_t known = databaseMove();
    if (known != kNoMove) return known;

    uint8_t point = search();
    return stopped() ? kNoMove : point;
}
