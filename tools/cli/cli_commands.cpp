#include "cli/cli_commands.h"

#include "cli/cli_opening.h"
#include "cli/cli_texts.h"
#include "common/command_line.h"
#include "database/kdb_file.h"

#include "base/geometry.h"
#include "player/think.h"
#include "player/thinking_level.h"
#include "model/history_line.h"
#include "model/move_tree.h"
#include "model/record_files.h"
#include "rules/ban_array.h"
#include "rules/chk_stat.h"
#include "rules/game_end.h"
#include "rules/move_code.h"

#include <atomic>
#include <functional>
#include <map>
#include <optional>
#include <ostream>

std::vector<std::string> readArguments(CLI::App& app, const std::vector<std::string>& args,
                                       const std::map<std::string, std::string>& needs) {
    setUpToolApp(app);
    std::vector<std::string> reversed(args.rbegin(), args.rend()); // CLI11 takes them so
    try {
        app.parse(reversed);
    } catch (const CLI::ArgumentMismatch& e) {
        const std::string what = e.what();
        const auto need = needs.find(what.substr(0, what.find(':')));
        throw CliError{kCliUsage, need != needs.end() ? need->second : what};
    } catch (const CLI::ParseError& e) {
        throw CliError{kCliUsage, e.what()};
    }
    std::vector<std::string> operands;
    for (const std::string& a : app.remaining()) {
        if (a.size() > 1 && a[0] == '-') throw CliError{kCliUsage, "unknown option '" + a + "'"};
        operands.push_back(a);
    }
    return operands;
}

namespace {

const char* const kUsage =
    "usage: sorell-cli COMMAND [ARGUMENTS]\n"
    "Renju records, the computer's move and the rules' judgement.\n"
    "\n"
    "commands:\n"
    "  show FILE                           the main line as move-history lines\n"
    "  convert IN OUT --format ban|sgf|bin write a record in another format\n"
    "  think FILE [--db DIR] [--level L]   the computer's move after the main line\n"
    "  judge FILE POINT                    what a black and a white stone make at POINT\n"
    "  offer FILE [--count N] [--time MS]  the best fifth moves to offer (four stones)\n"
    "  swap FILE [--time MS]               whether the side to move would swap colours\n"
    "\n"
    "FILE may be any record file: the bracketed record text, .ban move numbers or the\n"
    "binary form. 'sorell-cli COMMAND --help' describes one command.\n"
    "Exit status: 0 done, 1 a file could not be read or written or there is no answer,\n"
    "2 bad arguments.\n";

const std::map<std::string, std::string> kCommandHelp = {
    {"show", "usage: sorell-cli show FILE\n"
             "Prints the main line of the record in FILE, one move a line, as the game's\n"
             "move history shows it: colour, number, point and the shape the move made\n"
             "(黒1(h8):, 白12(jA):三; under an English locale B1(h8):, W12(jA):three).\n"},
    {"convert", "usage: sorell-cli convert IN OUT --format ban|sgf|bin\n"
                "Reads the record in IN (any format) and writes it to OUT:\n"
                "  sgf  the bracketed record text, with every variation\n"
                "  ban  .ban move numbers, one a line, of the main line\n"
                "  bin  a count byte and one byte per move of the main line (at most 224 "
                "moves)\n"
                "OUT is replaced only when it was written completely.\n"},
    {"think", "usage: sorell-cli think FILE [--db DIR] [--level standard|strong] [--time MS]\n"
              "                        [--threads N]\n"
              "Prints the computer's move for the position at the end of the main line of\n"
              "FILE, as a point text and as 0-based x,y (\"h8 7,7\"), chosen as in the game:\n"
              "opening rules, the standard-openings database, then the search.\n"
              "  --db DIR      directory of the database files kelp###.kdb (default: the\n"
              "                current directory)\n"
              "  --level L     standard (default) or strong: the strong search, which also\n"
              "                prints its score (\"score 35\", \"win in 3\", \"loss in 2\") and\n"
              "                its principal line\n"
              "  --time MS     the strong search's time in milliseconds (default 1000)\n"
              "  --threads N   the strong search's threads, 1..256 (default 1)\n"},
    {"judge", "usage: sorell-cli judge FILE POINT\n"
              "Judges an empty POINT of the position at the end of the main line of FILE and\n"
              "prints, for a black and then a white stone there, the code it would make and\n"
              "its name (\"black: 12 三\", \"black: 19 二\", \"black: 20 なし\"; under an English\n"
              "locale \"black: 12 three\", \"black: 19 two\", \"black: 20 nothing\").\n"
              "POINT is a point text (h8: column a..o, row 1..9 A..F) or 0-based x,y.\n"},
    {"offer", kOfferHelp},
    {"swap", kSwapHelp},
};

bool wantsHelp(const std::vector<std::string>& args) {
    for (const auto& a : args)
        if (a == "--help" || a == "-h") return true;
    return false;
}

// Reads FILE into record and steps to the end of its main line.
void loadRecord(const std::string& name, MOveTree& record) {
    std::string bytes;
    if (!readWholeFile(name.c_str(), bytes))
        throw CliError{kCliFailed, "cannot read '" + name + "'"};
    if (!record.ReadBytes(bytes)) {
        if (detectRecordFormat(bytes) == kRecordText)
            throw CliError{kCliFailed,
                           "'" + name +
                               "': the record text was refused (a game other than GM[1] or "
                               "GM[4], rules other than Renju 1998, nesting deeper than 1000 "
                               "or more than 200000 moves and properties)"};
        throw CliError{kCliFailed, "'" + name +
                                       "' is not a record file (none of the record text, .ban "
                                       "move numbers or the binary form)"};
    }
    record.GoTopMainLine();
    while (record.Forward()) {
    }
}

std::optional<int> parseCliPoint(const std::string& text) {
    int x = 0, y = 0;
    if (text.size() == 2 && pointTextToXY(text[0], text[1], x, y)) return cellIndex(x, y);
    size_t comma = text.find(',');
    if (comma == std::string::npos || comma == 0 || comma + 1 >= text.size()) return {};
    auto number = [](const std::string& s) -> std::optional<int> {
        if (s.empty() || s.size() > 2) return {};
        int n = 0;
        for (char c : s) {
            if (c < '0' || c > '9') return {};
            n = n * 10 + (c - '0');
        }
        return n;
    };
    auto px = number(text.substr(0, comma)), py = number(text.substr(comma + 1));
    if (!px || !py || !onBoard(*px, *py)) return {};
    return cellIndex(*px, *py);
}

// Branch points of the whole tree (nodes with more than one child).
int countBranches(const MOve* node) {
    int n = node->childCount() > 1 ? 1 : 0;
    for (int i = 0; i < node->childCount(); ++i) n += countBranches(node->child(i));
    return n;
}

// Why the game at the end of the record's main line has no next move; empty when it has one.
std::string gameOverReason(const MOveTree& record) {
    const BanHistory& history = record.board().history();
    const GameEnd end = gameEnd(history);
    if (end == GameEnd::None) return {};
    if (end == GameEnd::FullBoard) return "the board is full";
    const MovedPos& last = history.last();
    const std::string where = pointText(last.x, last.y);
    if (end == GameEnd::Five) return "the game is over: " + where + " won";
    return "the game is over: black's " + where + " is a forbidden move (" +
           cliCodeName(last.code) + ")";
}

int show(const std::vector<std::string>& args, std::ostream& out) {
    if (args.size() != 1) throw CliError{kCliUsage, "show needs exactly one FILE"};
    MOveTree record;
    loadRecord(args[0], record);
    int k = 0;
    for (const MovedPos& m : record.board().history()) {
        ++k;
        out << cliHistoryLine(k, colourToMove(k - 1), m.x, m.y, m.code) << '\n';
    }
    return kCliOk;
}

int convert(const std::vector<std::string>& args, std::ostream& err) {
    const std::string needFormat = "--format needs ban, sgf or bin";
    CLI::App app("", "convert");
    std::string format;
    app.add_option("--format", format);
    const std::vector<std::string> files = readArguments(app, args, {{"--format", needFormat}});
    if (files.size() != 2) throw CliError{kCliUsage, "convert needs IN and OUT"};
    uint8_t recordFormat;
    if (format == "sgf")
        recordFormat = kRecordText;
    else if (format == "ban")
        recordFormat = kRecordBan;
    else if (format == "bin")
        recordFormat = kRecordBinary;
    else if (format.empty())
        throw CliError{kCliUsage, "convert needs --format ban, sgf or bin"};
    else
        throw CliError{kCliUsage, "unknown format '" + format + "' (ban, sgf or bin)"};

    MOveTree record;
    loadRecord(files[0], record);
    const size_t moves = record.board().history().size();
    if (recordFormat != kRecordText) {
        int branches = countBranches(record.root());
        if (branches > 0)
            err << "sorell-cli: note: only the main line is written; the variations at " << branches
                << " branch point(s) are left out\n";
    }
    record.setRecordFormat(recordFormat);
    // The writer refuses bytes it could not read back; say why.
    std::string bytes;
    if (!record.WriteBytes(bytes)) {
        if (moves == 0)
            throw CliError{kCliFailed, "a game without moves has no " + format + " form"};
        if (recordFormat == kRecordBinary && moves >= static_cast<size_t>(kPoints))
            throw CliError{kCliFailed, "a game of 225 moves does not fit the binary form"};
        throw CliError{kCliFailed, "this game's " + format +
                                       " form would read back as another format; use another "
                                       "format"};
    }
    if (!record.WriteFile(files[1].c_str()))
        throw CliError{kCliFailed, "cannot write '" + files[1] + "'"};
    return kCliOk;
}

// The strong search's report: the move line, then the score and the principal line.
void printStrongReport(const SearchReport& r, std::ostream& out) {
    const int move = r.bestMove;
    out << pointText(cellX(move), cellY(move)) << ' ' << cellX(move) << ',' << cellY(move) << '\n';
    if (r.winIn > 0)
        out << "win in " << r.winIn << '\n';
    else if (r.winIn < 0)
        out << "loss in " << -r.winIn << '\n';
    else
        out << "score " << r.score << '\n';
    out << "line";
    for (int p : r.line) out << ' ' << pointText(cellX(p), cellY(p));
    out << "\ndepth " << r.depth << " nodes " << r.nodes << " ms " << r.elapsedMs << '\n';
}

int think(const std::vector<std::string>& args, std::ostream& out) {
    const std::string needLevel = "--level needs standard or strong",
                      needTime = "--time needs milliseconds, 1..3600000",
                      needDirectory = "--db needs a directory",
                      needThreads = "--threads needs a count, 1..256";
    CLI::App app("", "think");
    std::optional<std::string> level, time, db, threadCount;
    app.add_option("--level", level);
    app.add_option("--time", time);
    app.add_option("--db", db);
    app.add_option("--threads", threadCount);
    const std::vector<std::string> files =
        readArguments(app, args,
                      {{"--level", needLevel},
                       {"--time", needTime},
                       {"--db", needDirectory},
                       {"--threads", needThreads}});
    if (level && *level != "standard" && *level != "strong") throw CliError{kCliUsage, needLevel};
    const bool strong = level == "strong";
    int64_t timeMs = 1000;
    if (time) {
        constexpr int64_t kMaxTimeMs = 3600000;
        const auto ms = parseWholeNumber(*time, 1, kMaxTimeMs);
        if (!ms) throw CliError{kCliUsage, needTime};
        timeMs = *ms;
    }
    int threads = 1;
    if (threadCount) {
        constexpr int64_t kMaxThreads = 256;
        const auto n = parseWholeNumber(*threadCount, 1, kMaxThreads);
        if (!n) throw CliError{kCliUsage, needThreads};
        threads = static_cast<int>(*n);
    }
    std::string directory;
    if (db) {
        if (db->empty()) throw CliError{kCliUsage, needDirectory};
        directory = kdbFolderPath(*db);
    }
    if (files.size() != 1) throw CliError{kCliUsage, "think needs exactly one FILE"};
    MOveTree record;
    loadRecord(files[0], record);
    std::string over = gameOverReason(record);
    if (!over.empty()) throw CliError{kCliFailed, "no move: " + over};

    const std::atomic<bool> stop{false};
    const BanHistory& history = record.board().history();
    if (strong) {
        const SearchReport report = analysePosition(history, timeMs, stop, {}, 1, threads);
        if (report.bestMove < 0 || report.bestMove >= kPoints)
            throw CliError{kCliFailed, "the computer found no move"};
        printStrongReport(report, out);
        return kCliOk;
    }
    int move = thinkMove(history, ThinkingLevel::standard(), stop, directory);
    BanArray board(history);
    if (move < 0 || move >= kPoints || board[move] != kEmpty)
        throw CliError{kCliFailed, "the computer found no move"};
    out << pointText(cellX(move), cellY(move)) << ' ' << cellX(move) << ',' << cellY(move) << '\n';
    return kCliOk;
}

int judge(const std::vector<std::string>& args, std::ostream& out) {
    if (args.size() != 2) throw CliError{kCliUsage, "judge needs FILE and POINT"};
    auto point = parseCliPoint(args[1]);
    if (!point)
        throw CliError{kCliUsage, "'" + args[1] + "' is not a point (h8, or 0-based x,y 0..14)"};
    MOveTree record;
    loadRecord(args[0], record);
    BanArray board(record.board().history());
    const std::string where = pointText(cellX(*point), cellY(*point));
    if (board[*point] != kEmpty) throw CliError{kCliFailed, where + " is occupied"};
    ChkStat judge(board);
    for (char colour : {kBlack, kWhite}) {
        int code = judge.judgePoint(*point, colour);
        out << (colour == kBlack ? "black: " : "white: ") << code << ' ' << cliCodeName(code)
            << '\n';
    }
    return kCliOk;
}

} // namespace

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << kUsage;
        return kCliUsage;
    }
    const std::string& command = args[0];
    if (command == "--help" || command == "-h" || command == "help") {
        out << kUsage;
        return kCliOk;
    }
    auto help = kCommandHelp.find(command);
    if (help == kCommandHelp.end()) {
        err << "sorell-cli: unknown command '" << command << "'\n" << kUsage;
        return kCliUsage;
    }
    std::vector<std::string> rest(args.begin() + 1, args.end());
    if (wantsHelp(rest)) {
        out << help->second;
        return kCliOk;
    }
    try {
        if (command == "show") return show(rest, out);
        if (command == "convert") return convert(rest, err);
        if (command == "think") return think(rest, out);
        if (command == "offer") return offerCommand(rest, out, err);
        if (command == "swap") return swapCommand(rest, out, err);
        return judge(rest, out);
    } catch (const CliError& e) {
        err << "sorell-cli: " << e.message << '\n';
        if (e.status == kCliUsage) err << help->second;
        return e.status;
    }
}
