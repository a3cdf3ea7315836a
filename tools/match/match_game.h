#pragma once

#include "game_judge.h"
#include "openings.h"

#include <cstdint>
#include <string>
#include <vector>

// One engine of a match: a name for the reports and its command line split into words.
struct EngineCommand {
    std::string name;
    std::vector<std::string> argv;
};

struct GameSettings {
    int64_t moveTimeMs[2] = {1000, 1000}; // per engine, sent as INFO timeout_turn
    int64_t graceMs = 2000;               // how much longer than moveTimeMs an answer may take
    int64_t startTimeoutMs = 30000;
    std::string errorLog; // engines' standard error, "" to drop it
};

// Why a game ended.
enum class EndReason { Five, Forbidden, Illegal, Timeout, Crash, FullBoard };
inline constexpr int kEndReasons = 6;
const char* endReasonText(EndReason reason);

struct GameRecord {
    Outcome outcome = Outcome::Draw;
    EndReason reason = EndReason::FullBoard;
    std::vector<int> moves; // every stone in order, the opening's three first
    // Per engine (index as in the engines array): moves it chose, their total time, and the
    // answers that took longer than its move time (within the grace).
    int engineMoves[2] = {0, 0};
    int64_t engineMs[2] = {0, 0};
    int overTime[2] = {0, 0};
    std::string note; // what went wrong with an engine, for the log
};

// Plays one game from the opening, seen through symmetry (see openingMoves): engines[blackIndex]
// has black, the other white (to move after the opening). Each engine is started for the game and
// ended after it; it receives the position with BOARD before its first move and the opponent's
// moves with TURN.
GameRecord playGame(const EngineCommand engines[2], int blackIndex, const Opening& opening,
                    int symmetry, const GameSettings& settings);

// The same from any legal start (stones in the order played, colours alternating from black),
// for openings settled by an opening rule.
GameRecord playGameFrom(const EngineCommand engines[2], int blackIndex,
                        const std::vector<int>& startMoves, const GameSettings& settings);
