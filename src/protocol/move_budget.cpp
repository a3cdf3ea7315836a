#include "protocol/move_budget.h"

#include "base/geometry.h"

#include <algorithm>

int64_t moveBudgetMs(const PbrainSession& session, int movesPlayed) {
    constexpr int64_t kDefaultMs = 1000, kFastestMs = 20;
    int64_t budget = kDefaultMs;
    if (session.timeoutTurn() == 0) budget = kFastestMs;
    if (session.timeoutTurn() > 0) {
        const int64_t margin = std::max<int64_t>(30, session.timeoutTurn() / 10);
        budget = std::max<int64_t>(session.timeoutTurn() - margin, kFastestMs / 2);
    }
    int64_t left = session.timeLeft();
    if (left < 0 && session.timeoutMatch() > 0) left = session.timeoutMatch();
    if (left >= 0) {
        // Plan for the stones still to come on our side, at least ten more moves.
        const int64_t ourMovesLeft = std::max<int64_t>(10, (kPoints - movesPlayed) / 4);
        budget = std::min(budget, std::max<int64_t>((left - 50) / ourMovesLeft, 5));
    }
    return budget;
}

uint32_t searchTableMegabytes(const PbrainSession& session) {
    constexpr int64_t kMegabyte = 1 << 20, kOtherMegabytes = 16, kMaxTableMegabytes = 64;
    if (session.maxMemory() <= 0) return kMaxTableMegabytes;
    return static_cast<uint32_t>(std::clamp<int64_t>(
        session.maxMemory() / kMegabyte - kOtherMegabytes, 1, kMaxTableMegabytes));
}

void applySearchLimits(const PbrainSession& session, uint64_t nodesOption,
                       ThinkingLevel& thinking) {
    StrongSettings* level = thinking.strongSettings();
    if (!level) return;
    level->maxNodes =
        nodesOption ? nodesOption : static_cast<uint64_t>(std::max<int64_t>(session.maxNodes(), 0));
    level->depth = static_cast<int32_t>(std::max<int64_t>(session.maxDepth(), 0));
    constexpr int64_t kMaxThreads = 256;
    level->threads = static_cast<int32_t>(std::clamp<int64_t>(session.threadNum(), 1, kMaxThreads));
    level->hashMegabytes = searchTableMegabytes(session);
}
