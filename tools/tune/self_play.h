#pragma once

#include <cstdint>
#include <iosfwd>

// Self-play games of the strong search for tuning its evaluation.
struct SelfPlayOptions {
    int first = 0;         // the first game's number
    int count = 100;       // games played
    uint64_t nodes = 5000; // the search's node budget for each move
    int randomMoves = 3;   // at most this many random moves after the opening (at least 1)
    uint32_t seed = 1;
};

// Plays games first .. first + count - 1. Game g starts from opening g mod 26 under symmetry
// (g / 26) mod 8, followed by 1..randomMoves random moves near the stones that neither win nor
// are forbidden (drawn from seed and g, so a game is the same on every run), then the strong
// search decides both sides at the node budget. Writes one line per game: black's score (1,
// 0.5 or 0) and the moves as points 0..224.
void playSelfPlayGames(const SelfPlayOptions& options, std::ostream& out);
