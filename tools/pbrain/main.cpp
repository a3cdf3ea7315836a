// pbrain-sorell: the computer player behind the Gomocup engine protocol, one command a line
// on standard input, every answer line flushed on standard output.

#include "base/diag.h"
#include "engine/think.h"
#include "engine/thinking_level.h"
#include "protocol/pbrain_session.h"
#include "sorell_version.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>

namespace {

void usage(std::ostream& out) {
    out << "usage: pbrain-sorell [--db DIR] [--level standard|strong] | --version | --help\n"
           "Plays renju on a 15x15 board through the Gomocup engine protocol on standard\n"
           "input and output (START 15, INFO rule 4, BEGIN, TURN x,y, BOARD ... DONE,\n"
           "TAKEBACK x,y, ABOUT, END).\n"
           "  --db DIR     directory of the standard-openings files kelp###.kdb\n"
           "               (default: the current directory, else the program's folder)\n"
           "  --level L    strong (default): a search under the time of INFO timeout_turn,\n"
           "               timeout_match and time_left; standard: the fixed-depth search\n";
}

// The strong search's time for one move: a share of the time left in the match, never past
// the time for a turn less a margin for starting, answering and the pipe.
int64_t moveBudgetMs(const PbrainSession& session, int movesPlayed) {
    constexpr int64_t kDefaultMs = 1000, kFastestMs = 20;
    int64_t budget = kDefaultMs;
    if (session.timeoutTurn() == 0) budget = kFastestMs;
    if (session.timeoutTurn() > 0) {
        const int64_t margin = std::max<int64_t>(30, session.timeoutTurn() / 10);
        budget = std::max<int64_t>(session.timeoutTurn() - margin, kFastestMs / 2);
    }
    int64_t left = session.timeLeft();
    if (left < 0 && session.timeoutMatch() > 0) left = session.timeoutMatch();
    if (left >= 0) {
        // Plan for the stones still to come on our side, at least ten more moves.
        const int64_t ourMovesLeft = std::max<int64_t>(10, (kPoints - movesPlayed) / 4);
        budget = std::min(budget, std::max<int64_t>((left - 50) / ourMovesLeft, 5));
    }
    return budget;
}

// Where the openings book is read when --db does not say: the current directory when it holds
// the book, else the program's own folder, where a tournament's zip puts it beside the engine
// (managers do not always start the engine in its folder).
std::string defaultDatabaseDirectory(const char* program) {
    namespace fs = std::filesystem;
    constexpr const char* kFirstBookFile = "kelp003.kdb";
    std::error_code error;
    if (fs::exists(kFirstBookFile, error)) return {};
    const fs::path dir = fs::path(program).parent_path();
    if (!dir.empty() && fs::exists(dir / kFirstBookFile, error)) return dir.generic_string() + "/";
    return {};
}

} // namespace

int main(int argc, char** argv) {
    diagEachLineOnce();
    std::string databaseDirectory;
    bool databaseGiven = false;
    bool strong = true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            usage(std::cout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::cout << "pbrain-sorell " << kSorellVersion << '\n';
            return 0;
        }
        if (std::strcmp(argv[i], "--level") == 0 && i + 1 < argc &&
            (std::strcmp(argv[i + 1], "standard") == 0 ||
             std::strcmp(argv[i + 1], "strong") == 0)) {
            strong = std::strcmp(argv[++i], "strong") == 0;
            continue;
        }
        if (std::strcmp(argv[i], "--db") == 0 && i + 1 < argc) {
            databaseDirectory = argv[++i];
            databaseGiven = true;
            if (!databaseDirectory.empty() && databaseDirectory.back() != '/')
                databaseDirectory += '/';
            continue;
        }
        std::cerr << "pbrain-sorell: unexpected argument '" << argv[i] << "'\n";
        usage(std::cerr);
        return 2;
    }

    if (!databaseGiven) databaseDirectory = defaultDatabaseDirectory(argv[0]);

    const std::atomic<bool> stop{false};
    const PbrainSession* sessionSeen = nullptr;
    PbrainSession session([&](const BanHistory& history) {
        const int moves = static_cast<int>(history.size());
        const ThinkingLevel level = strong
                                        ? ThinkingLevel::strong(moveBudgetMs(*sessionSeen, moves))
                                        : ThinkingLevel::standard();
        return static_cast<int>(thinkMove(history, level, stop, databaseDirectory));
    });
    sessionSeen = &session;

    std::string line;
    bool tooLong = false;
    while (readProtocolLine(std::cin, line, tooLong)) {
        if (tooLong) {
            std::cout << "ERROR line longer than " << kMaxProtocolLine << " characters ignored"
                      << std::endl;
            continue;
        }
        for (const std::string& answer : session.handleLine(line)) std::cout << answer << std::endl;
        if (session.ended()) break;
    }
    return 0;
}
