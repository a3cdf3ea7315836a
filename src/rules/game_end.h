#pragma once

#include "rules/ban_history.h"

// How a renju game stands after the last move of its history.
enum class GameEnd {
    None,      // the side to move may play
    Five,      // the last move made five (or white's overline): its side won
    Forbidden, // the last move was black's forbidden point: white won
    FullBoard, // the board is full without either: a draw
};

// The state of the game whose moves, each with the code it made, are history.
GameEnd gameEnd(const BanHistory& history);
