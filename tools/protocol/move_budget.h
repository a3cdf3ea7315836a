#pragma once

#include "protocol/pbrain_session.h"

#include <cstdint>

// The strong search's milliseconds for the next move from the session's INFO time keys: never
// past timeout_turn less a margin for starting, answering and the pipe (max(30 ms, 10 %)), and
// at most a share of time_left (or of timeout_match before any time_left) spread over the stones
// still to come, at least ten. No key at all: one second; timeout_turn 0: as fast as it goes.
int64_t moveBudgetMs(const PbrainSession& session, int movesPlayed);
