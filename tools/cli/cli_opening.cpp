#include "cli/cli_opening.h"

#include "cli/cli_commands.h"
#include "model/move_tree.h"
#include "model/record_files.h"
#include "opening/phase_decisions.h"

#include <atomic>
#include <cstdlib>
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

struct OpeningOptions {
    std::string file;
    int count = 2;
    int fifths = 0;
    DecisionBudget budget;
    std::string error; // a bad command line
};

std::optional<long long> number(const std::string& text, long long low, long long high) {
    char* end = nullptr;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || v < low || v > high) return std::nullopt;
    return v;
}

// The options of offer (withCount) or swap (withFifths).
OpeningOptions parseOpeningOptions(const std::vector<std::string>& args, bool withCount,
                                   bool withFifths) {
    OpeningOptions o;
    std::vector<std::string> files;
    for (size_t i = 0; i < args.size() && o.error.empty(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        std::optional<long long> v;
        if (a == "--time") {
            if (hasValue) v = number(args[++i], 1, kMaxTimeMs);
            if (!v)
                o.error = "--time needs milliseconds, 1..3600000";
            else
                o.budget.timeMs = *v;
        } else if (a == "--nodes") {
            if (hasValue) v = number(args[++i], 1, 1000000000000LL);
            if (!v)
                o.error = "--nodes needs a positive count";
            else
                o.budget.maxNodes = static_cast<uint64_t>(*v);
        } else if (a == "--count" && withCount) {
            if (hasValue) v = number(args[++i], 1, kMaxOfferCount);
            if (!v)
                o.error = "--count needs 1..20";
            else
                o.count = static_cast<int>(*v);
        } else if (a == "--fifths" && withFifths) {
            if (hasValue) v = number(args[++i], 1, kMaxOfferCount);
            if (!v)
                o.error = "--fifths needs 1..20";
            else
                o.fifths = static_cast<int>(*v);
        } else if (a.size() > 1 && a[0] == '-') {
            o.error = "unknown option '" + a + "'";
        } else {
            files.push_back(a);
        }
    }
    if (o.error.empty() && files.size() != 1) o.error = "needs exactly one FILE";
    if (o.error.empty()) o.file = files[0];
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
