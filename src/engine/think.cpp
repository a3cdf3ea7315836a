#include "engine/think.h"

#include "engine/phase_iter.h"

uint8_t thinkMove(const BanHistory& history, const ThinkingLevel& level,
                  const std::atomic<bool>& stop, const std::string& databaseDirectory) {
    PhaseIter iter(BanArray(history), level, stop, databaseDirectory);
    return iter.decide();
}
