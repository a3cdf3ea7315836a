// pbrain-sorell: the computer player behind the Gomocup engine protocol, one command a line
// on standard input, every answer line flushed on standard output.

#include "base/diag.h"
#include "engine/think.h"
#include "engine/thinking_level.h"
#include "protocol/move_budget.h"
#include "protocol/pbrain_session.h"
#include "sorell_version.h"
#include "strong/strong_search.h"

#include <atomic>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>

namespace {

constexpr uint64_t kMaxThreads = 256;

void usage(std::ostream& out) {
    out << "usage: pbrain-sorell [--db DIR] [--level standard|strong] [--nodes N] [--threads N]\n"
           "                     | --version | --help\n"
           "Plays renju on a 15x15 board through the Gomocup engine protocol on standard\n"
           "input and output (START 15, INFO rule 4, BEGIN, TURN x,y, BOARD ... DONE,\n"
           "TAKEBACK x,y, ABOUT, END).\n"
           "  --db DIR     directory of the standard-openings files kelp###.kdb\n"
           "               (default: the current directory, else the program's folder)\n"
           "  --level L    strong (default): a search under the time of INFO timeout_turn,\n"
           "               timeout_match and time_left, within INFO max_depth, max_node and\n"
           "               max_memory when sent; standard: the fixed-depth search\n"
           "  --nodes N    strong: also stop each decision after about N nodes, so that a\n"
           "               match does not depend on the machine's speed\n"
           "  --threads N  strong: search with N threads (1..256), whatever INFO thread_num\n"
           "               says (default: INFO thread_num, else 1)\n";
}

// A node count of 1 to 10^12 written in decimal digits only.
bool parseNodeCount(const char* text, uint64_t& count) {
    const size_t length = std::strlen(text);
    if (length == 0 || length > 12 || std::strspn(text, "0123456789") != length) return false;
    count = std::stoull(text);
    return count > 0;
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
    uint64_t maxNodes = 0;
    uint64_t threads = 0;
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
        if (std::strcmp(argv[i], "--nodes") == 0 && i + 1 < argc &&
            parseNodeCount(argv[i + 1], maxNodes)) {
            ++i;
            continue;
        }
        if (std::strcmp(argv[i], "--threads") == 0 && i + 1 < argc &&
            parseNodeCount(argv[i + 1], threads) && threads <= kMaxThreads) {
            ++i;
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

    // The table is made before the first turn's clock runs (a manager times turns, not the
    // engine's start).
    if (strong) prepareStrongSearch(ThinkingLevel{}.hashMegabytes);
    const std::atomic<bool> stop{false};
    const PbrainSession* sessionSeen = nullptr;
    PbrainSession session([&](const BanHistory& history) {
        const int moves = static_cast<int>(history.size());
        ThinkingLevel level = strong ? ThinkingLevel::strong(moveBudgetMs(*sessionSeen, moves))
                                     : ThinkingLevel::standard();
        applySearchLimits(*sessionSeen, maxNodes, level);
        if (threads) level.threads = static_cast<int32_t>(threads);
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
