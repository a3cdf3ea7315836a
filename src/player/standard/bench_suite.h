#pragma once

#include "player/thinking_level.h"
#include "rules/ban_array.h"

#include <cstdint>
#include <vector>

// The fixed suite of positions that measures the search: positions of 4 to 80 stones, either
// side to move, from reproducible games of legal moves (a fixed-seed generator plays near the
// stones already placed, never a four or five and never a forbidden move for black), and stopped
// where the side to move has no straight four to make, so every position needs the search. Position
// i is the same on every machine and for every count, so a smaller count gives a prefix of the
// suite.
std::vector<BanArray> benchPositions(int count);

// One decision of the suite.
struct BenchResult {
    uint8_t point = 0;    // the point chosen
    long nodes = 0;       // nodes the search made
    double millis = 0;    // wall time of the decision
    double cpuMillis = 0; // processor time of the deciding thread
};

// Decides board by the search at level, without database files (the early-move rules and the
// five check still apply; the suite's positions never reach them).
BenchResult decideBenchPosition(const BanArray& board, const StandardSettings& level);

// A checksum of the chosen points and node counts, in order: it changes exactly when the
// behaviour of the search on the suite changes.
uint64_t benchSignature(const std::vector<BenchResult>& results);
