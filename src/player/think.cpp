#include "player/think.h"

#include "player/book_move.h"
#include "player/standard/phase_iter.h"

#include <algorithm>
#include <chrono>

namespace {

uint8_t thinkStrong(const BanHistory& history, const StrongSettings& level, bool readDatabase,
                    const std::atomic<bool>& stop, const std::string& databaseDirectory) {
    const auto asked = std::chrono::steady_clock::now();
    const BanArray board(history);
    if (readDatabase && board.moveCount() >= 3) {
        const uint8_t known = bookMove(board, databaseDirectory);
        if (known != kNoMove) return known;
    }
    // The look-up is part of the move's time: the search gets what is left of it.
    const int64_t lookupMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                                 std::chrono::steady_clock::now() - asked)
                                 .count();
    StrongLimits limits;
    limits.timeMs = level.timeMs > 0 ? std::max<int64_t>(level.timeMs - lookupMs, 1) : level.timeMs;
    limits.maxNodes = level.maxNodes;
    if (level.depth > 0) limits.maxDepth = level.depth;
    limits.hashMegabytes = level.hashMegabytes;
    limits.threads = level.threads;
    limits.keepAcrossThreads = level.keepAcrossThreads;
    const SearchReport report = strongSearch(board, limits, stop);
    if (stop.load(std::memory_order_relaxed)) return kNoMove;
    return static_cast<uint8_t>(report.bestMove);
}

} // namespace

uint8_t thinkMove(const BanHistory& history, const ThinkingLevel& level,
                  const std::atomic<bool>& stop, const std::string& databaseDirectory) {
    if (const StrongSettings* strong = level.strongSettings())
        return thinkStrong(history, *strong, level.readDatabase, stop, databaseDirectory);
    PhaseIter iter(BanArray(history), *level.standardSettings(), stop, databaseDirectory);
    if (!level.readDatabase) iter.skipDatabase();
    return iter.decide();
}

SearchReport analysePosition(const BanHistory& history, int64_t timeMs,
                             const std::atomic<bool>& stop, const ReportCallback& onReport,
                             int multiPv, int threads, bool keepAcrossThreads) {
    StrongLimits limits;
    limits.keepAcrossThreads = keepAcrossThreads;
    limits.timeMs = timeMs;
    limits.multiPv = std::max(multiPv, 1);
    limits.threads = std::max(threads, 1);
    return strongSearch(BanArray(history), limits, stop, onReport);
}
