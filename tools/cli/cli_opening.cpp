#include "cli/cli_opening.h"

#include "cli/cli_commands.h"
#include "common/command_line.h"
#include "model/move_tree.h"
#include "model/record_files.h"
#include "opening/phase_decisions.h"

#include <atomic>
#include <map>
#include <optional>
#include <ostream>

const char* const kOfferHelp =
    "usage: sorell-cli offer FILE [--count N] [--time MS] [--nodes N]\n"
    "Prints the N best fifth moves for black in the four-stone position at the end of the\n"
    "main line of FILE, no two of them symmetric in the position, best first, each with the\n"
    "evaluation of the position after it from black's view (\"i9 8,8 score 120\"). The last\n"
    "one is what black keeps when white takes the worst offered.\n"
    "  --count N     how many, 1..20 (default 2)\n"
    "  --time MS     time for the whole answer in milliseconds (default 1000)\n"
    "  --nodes N     also a node budget for the whole answer (repeatable answers)\n";

const char* const kSwapHelp =
    "usage: sorell-cli swap FILE [--time MS] [--nodes N] [--fifths N]\n"
    "Says whether the player of the colour to move at the end of the main line of FILE\n"
    "would swap colours, and why: \"swap\" or \"keep\", then the evaluation for black and\n"
    "for white, and the side's advantage over an even game (the evaluation of these early\n"
    "positions leans to black, so an even game is a small plus for black).\n"
    "  --time MS     time for the answer in milliseconds (default 1000)\n"
    "  --nodes N     also a node budget (repeatable answers)\n"
    "  --fifths N    black will offer N fifth moves (four stones, black to move): black's\n"
    "                worth is then the N-th best of them\n";

namespace {

constexpr int kMaxOfferCount = 20;
constexpr int64_t kMaxTimeMs = 3600000;
constexpr int64_t kMaxNodes = 1000000000000;

struct OpeningOptions {
    std::string file;
    int count = 2;
    int fifths = 0;
    DecisionBudget budget;
    std::string error; // a bad command line
};

// The options of offer (withCount) or swap (withFifths); a refused command line leaves its
// reason in error.
OpeningOptions parseOpeningOptions(const std::vector<std::string>& args, bool withCount,
                                   bool withFifths) {
    const std::string needTime = "--time needs milliseconds, 1..3600000",
                      needNodes = "--nodes needs a positive count",
                      needCount = "--count needs 1..20", needFifths = "--fifths needs 1..20";
    CLI::App app("", withCount ? "offer" : "swap");
    std::optional<std::string> time, nodes, count, fifths;
    app.add_option("--time", time);
    app.add_option("--nodes", nodes);
    std::map<std::string, std::string> needs = {{"--time", needTime}, {"--nodes", needNodes}};
    if (withCount) {
        app.add_option("--count", count);
        needs.emplace("--count", needCount);
    }
    if (withFifths) {
        app.add_option("--fifths", fifths);
        needs.emplace("--fifths", needFifths);
    }
    // A given value within low..high, or the reason it is refused.
    auto value = [](const std::optional<std::string>& text, int64_t low, int64_t high,
                    const std::string& need) {
        const std::optional<int64_t> v = parseWholeNumber(*text, low, high);
        if (!v) throw CliError{kCliUsage, need};
        return *v;
    };
    OpeningOptions o;
    try {
        const std::vector<std::string> files = readArguments(app, args, needs);
        if (time) o.budget.timeMs = value(time, 1, kMaxTimeMs, needTime);
        if (nodes) o.budget.maxNodes = static_cast<uint64_t>(value(nodes, 1, kMaxNodes, needNodes));
        if (count) o.count = static_cast<int>(value(count, 1, kMaxOfferCount, needCount));
        if (fifths) o.fifths = static_cast<int>(value(fifths, 1, kMaxOfferCount, needFifths));
        if (files.size() != 1) throw CliError{kCliUsage, "needs exactly one FILE"};
        o.file = files[0];
    } catch (const CliError& e) {
        o.error = e.message;
    }
    return o;
}

// The position at the end of the record's main line; nothing (with a message) when the file
// cannot be read or is no record.
std::optional<BanArray> loadPosition(const std::string& name, std::ostream& err) {
    std::string bytes;
    MOveTree record;
    if (!readWholeFile(name.c_str(), bytes) || !record.ReadBytes(bytes)) {
        err << "sorell-cli: cannot read a record from '" << name << "'\n";
        return std::nullopt;
    }
    record.GoTopMainLine();
    while (record.Forward()) {
    }
    return BanArray(record.board().history());
}

std::string scoreText(int blackScore) {
    return "score " + std::to_string(blackScore);
}

} // namespace

int offerCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const OpeningOptions o = parseOpeningOptions(args, true, false);
    if (!o.error.empty()) {
        err << "sorell-cli: offer " << o.error << '\n' << kOfferHelp;
        return kCliUsage;
    }
    const std::optional<BanArray> board = loadPosition(o.file, err);
    if (!board) return kCliFailed;
    if (board->moveCount() != 4) {
        err << "sorell-cli: offer needs a position of four stones (black to move); '" << o.file
            << "' has " << int(board->moveCount()) << '\n';
        return kCliFailed;
    }
    const std::atomic<bool> stop{false};
    const std::vector<ScoredPoint> best = bestFifthMoves(*board, o.count, o.budget, stop);
    for (const ScoredPoint& s : best)
        out << pointText(cellX(s.point), cellY(s.point)) << ' ' << cellX(s.point) << ','
            << cellY(s.point) << ' ' << scoreText(s.blackScore) << '\n';
    if (static_cast<int>(best.size()) < o.count)
        err << "sorell-cli: note: only " << best.size() << " fifth moves are not symmetric\n";
    return best.empty() ? kCliFailed : kCliOk;
}

int swapCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const OpeningOptions o = parseOpeningOptions(args, false, true);
    if (!o.error.empty()) {
        err << "sorell-cli: swap " << o.error << '\n' << kSwapHelp;
        return kCliUsage;
    }
    const std::optional<BanArray> board = loadPosition(o.file, err);
    if (!board) return kCliFailed;
    const char toMove = colourToMove(board->moveCount());
    if (o.fifths > 0 && (board->moveCount() != 4)) {
        err << "sorell-cli: --fifths needs a position of four stones (black to move)\n";
        return kCliFailed;
    }
    const std::atomic<bool> stop{false};
    const PhaseDecision d = swapDecision(*board, o.fifths, o.budget, stop);
    out << (d.swap ? "swap" : "keep") << '\n';
    out << "black " << d.blackScore << '\n' << "white " << -d.blackScore << '\n';
    out << "the player of " << (toMove == kBlack ? "black" : "white")
        << (d.swap ? " takes the other colour: " : " keeps the colour: ")
        << (toMove == kBlack ? "black" : "white") << " is " << (d.ownScore >= 0 ? "+" : "")
        << d.ownScore << " from an even game\n";
    return kCliOk;
}
