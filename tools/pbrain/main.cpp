// pbrain-sorell: the computer player behind the Gomocup engine protocol, one command a line
// on standard input, every answer line flushed on standard output.

#include "base/diag.h"
#include "common/command_line.h"
#include "database/kdb_file.h"
#include "input_reader.h"
#include "player/strong/strong_search.h"
#include "player/think.h"
#include "player/thinking_level.h"
#include "protocol/move_budget.h"
#include "protocol/pbrain_session.h"
#include "sorell_version.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

namespace {

const char* const kUsage =
    "usage: pbrain-sorell [--db DIR] [--level standard|strong] [--nodes N] [--threads N]\n"
    "                     | --version | --help\n"
    "Plays renju on a 15x15 board through the Gomocup engine protocol on standard\n"
    "input and output (START 15, INFO rule 4, BEGIN, TURN x,y, BOARD ... DONE,\n"
    "TAKEBACK x,y, ABOUT, END).\n"
    "  --db DIR     directory of the standard-openings files kelp###.kdb\n"
    "               (default: the current directory, else the program's folder)\n"
    "  --level L    strong (default): a search under the time of INFO timeout_turn,\n"
    "               timeout_match and time_left, within INFO max_depth, max_node and\n"
    "               max_memory when sent; standard: the fixed-depth search\n"
    "  --nodes N    strong: also stop each decision after about N nodes (1 to 10^12),\n"
    "               so that a match does not depend on the machine's speed\n"
    "  --threads N  strong: search with N threads (1..256), whatever INFO thread_num\n"
    "               says (default: INFO thread_num, else 1)\n";

constexpr int64_t kMaxNodesOption = 1'000'000'000'000;
constexpr int64_t kMaxThreads = 256;

// Where the openings book is read when --db does not say: the current directory when it holds
// the book, else the program's own folder, where a tournament's zip puts it beside the engine
// (managers do not always start the engine in its folder).
std::string defaultDatabaseDirectory(const char* program) {
    namespace fs = std::filesystem;
    constexpr int kFirstBookStones = 3;
    const std::string kFirstBookFile = kdbFileName(kFirstBookStones, {});
    std::error_code error;
    if (fs::exists(kFirstBookFile, error)) return {};
    const fs::path dir = fs::path(program).parent_path();
    if (!dir.empty() && fs::exists(dir / kFirstBookFile, error))
        return kdbFolderPath(dir.generic_string());
    return {};
}

struct Options {
    std::string databaseDirectory;
    bool strong = true;
    uint64_t maxNodes = 0;
    int32_t threads = 0; // 0: as INFO thread_num says
};

// Reads the command line into options; the exit status when the program ends here.
std::optional<int> parseOptions(int argc, char** argv, Options& options) {
    CLI::App app("", "pbrain-sorell");
    setUpToolApp(app);
    bool help = false, version = false;
    std::optional<std::string> db;
    std::string level = "strong", nodes, threads;
    app.add_flag("-h,--help", help);
    app.add_flag("--version", version);
    app.add_option("--db", db);
    app.add_option("--level", level);
    app.add_option("--nodes", nodes);
    app.add_option("--threads", threads);
    if (!parseCommandLine(app, argc, argv, kUsage)) return kBadCommandLine;
    if (help) {
        std::cout << kUsage;
        return 0;
    }
    if (version) {
        std::cout << "pbrain-sorell " << kSorellVersion << '\n';
        return 0;
    }
    if (level != "standard" && level != "strong") {
        reportBadValue(app, "--level", level, kUsage);
        return kBadCommandLine;
    }
    options.strong = level == "strong";
    if (app.count("--nodes") > 0) {
        const auto n = parseWholeNumber(nodes, 1, kMaxNodesOption);
        if (!n) {
            reportBadValue(app, "--nodes", nodes, kUsage);
            return kBadCommandLine;
        }
        options.maxNodes = static_cast<uint64_t>(*n);
    }
    if (app.count("--threads") > 0) {
        const auto n = parseWholeNumber(threads, 1, kMaxThreads);
        if (!n) {
            reportBadValue(app, "--threads", threads, kUsage);
            return kBadCommandLine;
        }
        options.threads = static_cast<int32_t>(*n);
    }
    if (db) {
        options.databaseDirectory = kdbFolderPath(*db);
    } else {
        options.databaseDirectory = defaultDatabaseDirectory(argv[0]);
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    diagEachLineOnce();
    Options options;
    if (const auto status = parseOptions(argc, argv, options)) return *status;

    // The table is made before the first turn's clock runs (a manager times turns, not the
    // engine's start), and made again at once when INFO max_memory changes its size.
    uint32_t tableMegabytes = StrongSettings{}.hashMegabytes;
    if (options.strong) prepareStrongSearch(tableMegabytes);
    std::atomic<bool> stop{false};
    InputReader input(std::cin, stop);
    const PbrainSession* sessionSeen = nullptr;
    bool stale = false;
    PbrainSession session([&](const BanHistory& history) {
        const int moves = static_cast<int>(history.size());
        ThinkingLevel level = options.strong
                                  ? ThinkingLevel::strong(moveBudgetMs(*sessionSeen, moves))
                                  : ThinkingLevel::standard();
        applySearchLimits(*sessionSeen, options.maxNodes, level);
        if (StrongSettings* strong = level.strongSettings(); strong && options.threads)
            strong->threads = options.threads;
        input.beginDecision();
        const int move = thinkMove(history, level, stop, options.databaseDirectory);
        stale = input.endDecision();
        return move;
    });
    sessionSeen = &session;

    while (const auto line = input.next()) {
        if (line->tooLong) {
            std::cout << "ERROR line longer than " << kMaxProtocolLine << " characters ignored"
                      << std::endl;
            continue;
        }
        stale = false;
        const std::vector<std::string> answers = session.handleLine(line->text);
        // The answer of a decision that END, RESTART or the end of input interrupted is stale.
        if (!stale)
            for (const std::string& answer : answers) std::cout << answer << std::endl;
        if (session.ended()) break;
        if (options.strong && searchTableMegabytes(session) != tableMegabytes) {
            tableMegabytes = searchTableMegabytes(session);
            prepareStrongSearch(tableMegabytes);
        }
    }
    std::cout.flush();
    // The reading thread may still wait for input that will not be read: end without
    // unwinding the standard streams under it.
    if (!input.inputEnded()) std::_Exit(0);
    return 0;
}
