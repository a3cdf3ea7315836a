#include "rules/game_end.h"

#include "base/geometry.h"
#include "rules/move_code.h"

GameEnd gameEnd(const BanHistory& history) {
    if (history.empty()) return GameEnd::None;
    const int code = history.last().code;
    if (isWinCode(code)) return GameEnd::Five;
    if (isForbiddenCode(code)) return GameEnd::Forbidden;
    if (history.size() >= static_cast<size_t>(kPoints)) return GameEnd::FullBoard;
    return GameEnd::None;
}
