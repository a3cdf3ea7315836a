#pragma once

#include "engine/thinking_level.h"
#include "rules/ban_history.h"

#include <atomic>
#include <cstdint>
#include <string>

// Decides the computer's move for the position after the history's last move.
// Returns 0..224, or 255 when stop became true. Polls stop; never touches shared state.
uint8_t thinkMove(const BanHistory& history, const ThinkingLevel& level,
                  const std::atomic<bool>& stop, const std::string& databaseDirectory = {});
