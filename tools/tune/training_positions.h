#pragma once

#include "player/strong/position.h"

#include <functional>
#include <string>

// Replays the self-play games of a file (the lines of playSelfPlayGames) and calls onPosition
// for every position after skipPlies moves that is not decided at once (no five point for either
// side, no four-three or better for the side to move), with the game's result for the side to
// move. The number of games read; -1 when the file cannot be read.
int forEachTrainingPosition(const std::string& gamesPath, int skipPlies,
                            const std::function<void(const Position&, float)>& onPosition);
