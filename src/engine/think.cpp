#include "engine/think.h"

#include "database/k_data.h"
#include "database/k_database.h"
#include "engine/phase_iter.h"

#include <algorithm>

namespace {

// The database's continuation for the position, or kNoMove when it has none that is an empty
// point (a damaged file answers nothing).
int databaseMove(const BanArray& board, const std::string& directory) {
    std::string dir = directory;
    if (!dir.empty() && dir.back() != '/' && dir.back() != '\\' && dir.back() != ':') dir += '/';
    KDataBase base(board.moveCount(), dir);
    const int move = base.lookup(KData(board));
    if (move >= kPoints || board.at(move) != kEmpty) return kNoMove;
    return move;
}

uint8_t thinkStrong(const BanHistory& history, const ThinkingLevel& level,
                    const std::atomic<bool>& stop, const std::string& databaseDirectory) {
    const BanArray board(history);
    if (level.readDatabase && board.moveCount() >= 3) {
        const int known = databaseMove(board, databaseDirectory);
        if (known != kNoMove) return static_cast<uint8_t>(known);
    }
    StrongLimits limits;
    limits.timeMs = level.timeMs;
    limits.maxNodes = level.maxNodes;
    if (level.strongDepth > 0) limits.maxDepth = level.strongDepth;
    limits.hashMegabytes = level.hashMegabytes;
    limits.threads = level.threads;
    const SearchReport report = strongSearch(board, limits, stop);
    if (stop.load(std::memory_order_relaxed)) return kNoMove;
    return static_cast<uint8_t>(report.bestMove);
}

} // namespace

uint8_t thinkMove(const BanHistory& history, const ThinkingLevel& level,
                  const std::atomic<bool>& stop, const std::string& databaseDirectory) {
    if (level.kind == ThinkingLevel::Kind::Strong)
        return thinkStrong(history, level, stop, databaseDirectory);
    PhaseIter iter(BanArray(history), level, stop, databaseDirectory);
    if (!level.readDatabase) iter.skipDatabase();
    return iter.decide();
}

SearchReport analysePosition(const BanHistory& history, int64_t timeMs,
                             const std::atomic<bool>& stop, const ReportCallback& onReport,
                             int multiPv, int threads) {
    StrongLimits limits;
    limits.timeMs = timeMs;
    limits.multiPv = std::max(multiPv, 1);
    limits.threads = std::max(threads, 1);
    return strongSearch(BanArray(history), limits, stop, onReport);
}
