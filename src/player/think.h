#pragma once

#include "player/strong/strong_search.h"
#include "player/thinking_level.h"
#include "rules/ban_history.h"

#include <atomic>
#include <cstdint>
#include <string>

// Decides the computer's move for the position after the history's last move.
// Returns 0..224, or 255 when stop became true. Polls stop; never touches shared state.
// The strong level answers from the openings database where the position is in it, else
// with the strong search under its settings' timeMs.
uint8_t thinkMove(const BanHistory& history, const ThinkingLevel& level,
                  const std::atomic<bool>& stop, const std::string& databaseDirectory = {});

// The strong search on the position after the history's last move, for analysis: reports
// through onReport after each depth and at the end. timeMs <= 0: until stop becomes true.
// multiPv > 1 also reports that many best root moves with their lines (SearchReport::lines);
// threads > 1 searches with that many threads; keepAcrossThreads as StrongLimits'.
SearchReport analysePosition(const BanHistory& history, int64_t timeMs,
                             const std::atomic<bool>& stop, const ReportCallback& onReport,
                             int multiPv = 1, int threads = 1, bool keepAcrossThreads = false);
