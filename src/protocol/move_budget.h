#pragma once

#include "player/thinking_level.h"
#include "protocol/pbrain_session.h"

#include <cstdint>

// The strong search's milliseconds for the next move from the session's INFO time keys: never
// past timeout_turn less a margin for starting, answering and the pipe (max(30 ms, 10 %)), and
// at most a share of time_left (or of timeout_match before any time_left) spread over the stones
// still to come, at least ten. No key at all: one second; timeout_turn 0: as fast as it goes.
int64_t moveBudgetMs(const PbrainSession& session, int movesPlayed);

// Sets the strong level's limits from the session: INFO max_depth and max_node (the node limit
// of --nodes, when given, wins over max_node), and a transposition table that leaves room in
// INFO max_memory for the rest of the search (at most 64 MB, at least 1 MB), and INFO thread_num
// search threads (one when not sent). A standard level has none of these and is left as it is.
void applySearchLimits(const PbrainSession& session, uint64_t nodesOption, ThinkingLevel& level);

// The transposition table's megabytes that applySearchLimits sets from INFO max_memory.
uint32_t searchTableMegabytes(const PbrainSession& session);
