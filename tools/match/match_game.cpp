#include "match_game.h"

#include "engine_process.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <limits>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kStopGraceMs = 500;
constexpr int64_t kUnlimitedMs = 2147483647;

// "x,y", blanks allowed around the numbers.
bool parseMove(const std::string& line, int& x, int& y) {
    char tail = 0;
    return std::sscanf(line.c_str(), "%d ,%d %c", &x, &y, &tail) == 2;
}

// Lines an engine may write at any time; a manager skips them while it waits for a move.
bool isChatter(const std::string& line) {
    for (const char* word : {"MESSAGE", "DEBUG", "ERROR", "UNKNOWN", "SUGGEST"}) {
        const std::string w = word;
        if (line.compare(0, w.size(), w) == 0) return true;
    }
    return false;
}

std::string xy(int point) {
    return std::to_string(cellX(point)) + "," + std::to_string(cellY(point));
}

// The milliseconds from now to deadline, 0 once it has passed.
int msUntil(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::clamp<int64_t>(left, 0, std::numeric_limits<int>::max()));
}

struct Seat {
    EngineProcess process;
    bool hasBoard = false; // has been sent the position
};

} // namespace

const char* endReasonText(EndReason reason) {
    switch (reason) {
    case EndReason::Five:
        return "five";
    case EndReason::Forbidden:
        return "forbidden";
    case EndReason::Illegal:
        return "illegal";
    case EndReason::Timeout:
        return "timeout";
    case EndReason::Crash:
        return "crash";
    case EndReason::FullBoard:
        break;
    }
    return "full board";
}

GameRecord playGame(const EngineCommand engines[2], int blackIndex, const Opening& opening,
                    int symmetry, const GameSettings& settings) {
    return playGameFrom(engines, blackIndex, openingMoves(opening, symmetry), settings);
}

GameRecord playGameFrom(const EngineCommand engines[2], int blackIndex,
                        const std::vector<int>& startMoves, const GameSettings& settings) {
    GameRecord record;
    auto lose = [&](int engine, EndReason reason, const std::string& note) {
        record.outcome = engine == blackIndex ? Outcome::WhiteWins : Outcome::BlackWins;
        record.reason = reason;
        record.note = engines[engine].name + ": " + note;
        return record;
    };
    Seat seats[2];
    for (int e = 0; e < 2; ++e) {
        Seat& seat = seats[e];
        if (!seat.process.start(engines[e].argv, settings.errorLog))
            return lose(e, EndReason::Crash, "could not be started");
        seat.process.writeLine("START 15");
        // The timeout runs from START, however many lines the engine writes before its OK.
        const auto startDeadline =
            Clock::now() + std::chrono::milliseconds(settings.startTimeoutMs);
        bool ok = false;
        while (auto line = seat.process.readLine(msUntil(startDeadline))) {
            if (isChatter(*line) && line->compare(0, 5, "ERROR") != 0) continue;
            ok = *line == "OK";
            break;
        }
        if (!ok)
            return lose(e, EndReason::Crash,
                        seat.process.ended() ? "ended before it answered START (can it be run?)"
                                             : "did not answer START with OK");
        const std::vector<std::string> infos = {
            "INFO rule 4",          "INFO timeout_turn " + std::to_string(settings.moveTimeMs[e]),
            "INFO timeout_match 0", "INFO time_left " + std::to_string(kUnlimitedMs),
            "INFO max_memory 0",    "INFO game_type 1"};
        for (const std::string& info : infos) seat.process.writeLine(info);
    }

    BanArray board;
    for (int p : startMoves) {
        board.put(p);
        record.moves.push_back(p);
    }
    for (;;) {
        const char colour = colourToMove(board.moveCount());
        const int e = colour == kBlack ? blackIndex : 1 - blackIndex;
        Seat& seat = seats[e];
        const auto begin = Clock::now();
        if (!seat.hasBoard) {
            seat.process.writeLine("BOARD");
            for (size_t i = 0; i < record.moves.size(); ++i) {
                const bool own = colourToMove(static_cast<int>(i)) == colour;
                seat.process.writeLine(xy(record.moves[i]) + (own ? ",1" : ",2"));
            }
            seat.process.writeLine("DONE");
            seat.hasBoard = true;
        } else {
            seat.process.writeLine("TURN " + xy(record.moves.back()));
        }
        const int64_t limit = settings.moveTimeMs[e] + settings.graceMs;
        std::optional<std::string> answer;
        int x = -1, y = -1;
        for (;;) {
            const int64_t spent =
                std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - begin).count();
            answer = seat.process.readLine(static_cast<int>(std::max<int64_t>(limit - spent, 0)));
            if (!answer || !isChatter(*answer)) break;
        }
        const int64_t ms =
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - begin).count();
        if (!answer) {
            if (seat.process.ended()) return lose(e, EndReason::Crash, "ended without a move");
            return lose(e, EndReason::Timeout, "no move within " + std::to_string(limit) + " ms");
        }
        if (!parseMove(*answer, x, y))
            return lose(e, EndReason::Illegal, "answered '" + *answer + "'");
        ++record.engineMoves[e];
        record.engineMs[e] += ms;
        record.overTime[e] += ms > settings.moveTimeMs[e];
        const MoveVerdict verdict = playMove(board, x, y);
        if (verdict == MoveVerdict::Illegal)
            return lose(e, EndReason::Illegal, "played " + *answer + ", not an empty point");
        record.moves.push_back(cellIndex(x, y));
        if (verdict == MoveVerdict::Forbidden)
            return lose(e, EndReason::Forbidden, "forbidden point " + pointText(x, y));
        if (verdict == MoveVerdict::Win) {
            record.outcome = colour == kBlack ? Outcome::BlackWins : Outcome::WhiteWins;
            record.reason = EndReason::Five;
            break;
        }
        if (verdict == MoveVerdict::FullBoard) break;
    }
    for (Seat& seat : seats) seat.process.stop(kStopGraceMs);
    return record;
}
