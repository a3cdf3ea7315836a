#include "engine/think.h"

#include "engine/phase_iter.h"

uint8_t thinkMove(const BanHistory& history, const ThinkingLevel& level,
                  const std::atomic<bool>& stop, const std::string& databaseDirectory) {
    BanHistory moves(history);
    auto* board = new BanArray(moves);
    PhaseIter iter(new Phase(board), level, stop, databaseDirectory);
    return iter.decide();
}
