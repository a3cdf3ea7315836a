// sorell-match: plays two Gomocup (pbrain) engines against each other over the canonical renju
// openings, each opening with both colour assignments, and reports the score and an Elo
// difference. The rules library judges every move.

#include "base/file_replace.h"
#include "common/command_line.h"
#include "elo.h"
#include "engine_process.h"
#include "match_game.h"
#include "openings.h"
#include "phase_play.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace {

const char* const kUsage =
    "usage: sorell-match --engine1 CMD --engine2 CMD [--time MS] [--time1 MS] [--time2 MS]\n"
    "                    [--rounds N]\n"
    "                    [--openings all|D1,I13,...] [--games-log FILE] [--grace MS]\n"
    "                    [--engine-log FILE]\n"
    "  --time MS        time a move (INFO timeout_turn) of both engines, default 1000\n"
    "  --time1 MS, --time2 MS  the same for one engine\n"
    "  --rounds N       times through the openings, each with both colourings, default 1;\n"
    "                   round k plays the openings turned or mirrored by symmetry k mod 8\n"
    "  --grace MS       how much longer than the move time an answer may take before it\n"
    "                   counts as a timeout (a loss), default 2000\n"
    "  --games-log FILE one line per game: opening, colours, result, reason, moves\n"
    "  --engine-log FILE the engines' standard error (dropped by default)\n"
    "  --opening-rule R soosorv-8, taraguchi-10, yamaguchi or rif: each game's opening\n"
    "                   phase is played from the opening by Sorell's strong level deciding\n"
    "                   for both sides (the tentative black is the engine named black);\n"
    "                   the engines play from the first free move\n"
    "  --phase-time MS  time of each of those decisions, default 1000\n"
    "  --phase-nodes N  also a node budget for each decision (load-independent phases)\n";

// The opening rule played before the engines' games.
struct PhaseOptions {
    OpeningRule rule = OpeningRule::Openings26;
    DecisionBudget budget;
};

struct Options {
    EngineCommand engines[2];
    GameSettings game;
    int rounds = 1;
    std::vector<Opening> openings;
    std::string gamesLog;
    PhaseOptions phase;
};

// The most games a match counts.
constexpr int64_t kMaxGames = std::numeric_limits<int>::max();
// The most milliseconds --time, --time1, --time2 and --grace take.
constexpr int64_t kMaxMs = 100000000;

// The opening-rule options; false (after naming the option and value) when one is bad.
bool parsePhaseOptions(const CLI::App& app, const std::optional<std::string>& rule,
                       const std::optional<std::string>& time,
                       const std::optional<std::string>& nodes, PhaseOptions& p) {
    if (rule) {
        const std::optional<OpeningRule> r = ruleFromId(*rule);
        if (!r || !hasPhase(*r)) {
            reportBadValue(app, "--opening-rule", *rule, kUsage);
            return false;
        }
        p.rule = *r;
    }
    if (time) {
        const auto n = parseWholeNumber(*time, 1, kMaxMs);
        if (!n) {
            reportBadValue(app, "--phase-time", *time, kUsage);
            return false;
        }
        p.budget.timeMs = *n;
    }
    if (nodes) {
        const auto n = parseWholeNumber(*nodes, 1, 1000000000000);
        if (!n) {
            reportBadValue(app, "--phase-nodes", *nodes, kUsage);
            return false;
        }
        p.budget.maxNodes = static_cast<uint64_t>(*n);
    }
    return true;
}

// Reads the command line; prints what is wrong and returns the exit status when the program
// ends here.
std::optional<int> parseOptions(int argc, char** argv, Options& o) {
    CLI::App app("", "sorell-match");
    setUpToolApp(app);
    bool help = false;
    std::string engines[2], openings = "all";
    std::optional<std::string> times[3], grace, rounds, rule, phaseTime, phaseNodes;
    app.add_flag("-h,--help", help);
    app.add_option("--engine1", engines[0]);
    app.add_option("--engine2", engines[1]);
    app.add_option("--time", times[0]);
    app.add_option("--time1", times[1]);
    app.add_option("--time2", times[2]);
    app.add_option("--grace", grace);
    app.add_option("--rounds", rounds);
    app.add_option("--openings", openings);
    app.add_option("--games-log", o.gamesLog);
    app.add_option("--engine-log", o.game.errorLog);
    app.add_option("--opening-rule", rule);
    app.add_option("--phase-time", phaseTime);
    app.add_option("--phase-nodes", phaseNodes);
    if (!parseCommandLine(app, argc, argv, kUsage)) return kBadCommandLine;
    if (help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    auto number = [&](const std::optional<std::string>& text, const char* option, int64_t low,
                      int64_t high, int64_t& out) {
        if (!text) return true;
        const auto n = parseWholeNumber(*text, low, high);
        if (!n) reportBadValue(app, option, *text, kUsage);
        out = n.value_or(out);
        return n.has_value();
    };
    int64_t both = -1, roundCount = o.rounds;
    if (!number(times[0], "--time", 1, kMaxMs, both)) return kBadCommandLine;
    if (both > 0) o.game.moveTimeMs[0] = o.game.moveTimeMs[1] = both;
    if (!number(times[1], "--time1", 1, kMaxMs, o.game.moveTimeMs[0]) ||
        !number(times[2], "--time2", 1, kMaxMs, o.game.moveTimeMs[1]) ||
        !number(grace, "--grace", 0, kMaxMs, o.game.graceMs) ||
        !number(rounds, "--rounds", 1, kMaxGames, roundCount) ||
        !parsePhaseOptions(app, rule, phaseTime, phaseNodes, o.phase))
        return kBadCommandLine;
    for (int e = 0; e < 2; ++e) {
        const std::string option = e == 0 ? "--engine1" : "--engine2";
        if (app.count(option) > 0 && splitCommandLine(engines[e]).empty()) {
            reportBadValue(app, option, engines[e], kUsage);
            return kBadCommandLine;
        }
        o.engines[e].name = option.substr(2);
        o.engines[e].argv = splitCommandLine(engines[e]);
    }
    if (o.engines[0].argv.empty() || o.engines[1].argv.empty()) {
        std::fprintf(stderr, "sorell-match: both --engine1 and --engine2 are needed\n%s", kUsage);
        return kBadCommandLine;
    }
    std::string bad;
    if (!selectOpenings(openings, o.openings, bad)) {
        std::fprintf(stderr, "sorell-match: unknown opening '%s' (D1..D13, I1..I13 or all)\n",
                     bad.c_str());
        return kBadCommandLine;
    }
    // Every game is counted: the rounds must leave the number of games countable.
    const int64_t gamesPerRound = 2 * static_cast<int64_t>(o.openings.size());
    if (roundCount > kMaxGames / gamesPerRound) {
        std::fprintf(stderr,
                     "sorell-match: bad value for --rounds: '%s' (at most %lld rounds of %lld "
                     "games)\n",
                     rounds->c_str(), static_cast<long long>(kMaxGames / gamesPerRound),
                     static_cast<long long>(gamesPerRound));
        return kBadCommandLine;
    }
    o.rounds = static_cast<int>(roundCount);
    return std::nullopt;
}

std::string movesText(const std::vector<int>& moves) {
    std::string s;
    for (int p : moves) s += (s.empty() ? "" : " ") + pointText(cellX(p), cellY(p));
    return s;
}

void printTally(const char* label, const Tally& t) {
    std::printf("  %-9s %3d wins %3d losses %3d draws\n", label, t.wins, t.losses, t.draws);
}

// Under an opening rule: black's score over all games and the time of the phase decisions.
void printPhaseSummary(int games, int blackWins, int draws, std::vector<int64_t> ms) {
    if (games > 0)
        std::printf("  black     %.3f score (%d wins, %d draws of %d)\n",
                    (blackWins + 0.5 * draws) / games, blackWins, draws, games);
    if (ms.empty()) return;
    std::sort(ms.begin(), ms.end());
    std::printf("  phase     %zu decisions, median %lld ms, worst %lld ms\n", ms.size(),
                static_cast<long long>(ms[ms.size() / 2]), static_cast<long long>(ms.back()));
}

} // namespace

int main(int argc, char** argv) {
    failWritesBeyondFileSizeLimit();
    // Each line of the report is seen as it is made, also through a pipe or into a file.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    Options o;
    if (const auto status = parseOptions(argc, argv, o)) return *status;
    std::ofstream log;
    if (!o.gamesLog.empty()) {
        log.open(o.gamesLog, std::ios::trunc);
        if (!log) {
            std::fprintf(stderr, "sorell-match: cannot write %s\n", o.gamesLog.c_str());
            return 2;
        }
    }
    const int total = o.rounds * static_cast<int>(o.openings.size()) * 2;
    for (int e = 0; e < 2; ++e) {
        std::string command;
        for (const std::string& w : o.engines[e].argv) command += (command.empty() ? "" : " ") + w;
        std::printf("%s: %s, %lld ms a move\n", o.engines[e].name.c_str(), command.c_str(),
                    static_cast<long long>(o.game.moveTimeMs[e]));
    }
    std::printf("%d games\n", total);

    Tally asBlack, asWhite; // engine1's
    int reasons[kEndReasons] = {};
    int64_t moves[2] = {}, ms[2] = {}, overTime[2] = {};
    int played = 0;
    const bool phased = hasPhase(o.phase.rule);
    int blackWins = 0, draws = 0;
    std::vector<int64_t> decisionMs;
    for (int round = 0; round < o.rounds; ++round)
        for (const Opening& opening : o.openings)
            for (int tentative = 0; tentative < 2; ++tentative) {
                int black = tentative;
                std::string phaseText;
                std::vector<int> start = openingMoves(opening, round % kSymmetries);
                if (phased) {
                    const PrePlayedPhase pre = prePlayPhase(o.phase.rule, start, o.phase.budget);
                    if (!pre.ok) {
                        std::fprintf(stderr, "sorell-match: the opening phase failed: %s\n",
                                     pre.log.c_str());
                        return 1;
                    }
                    start = pre.stones;
                    black = pre.tentativeBlackIsWhite ? 1 - tentative : tentative;
                    phaseText = pre.log;
                    decisionMs.insert(decisionMs.end(), pre.decisionMs.begin(),
                                      pre.decisionMs.end());
                }
                const GameRecord g = playGameFrom(o.engines, black, start, o.game);
                blackWins += g.outcome == Outcome::BlackWins;
                draws += g.outcome == Outcome::Draw;
                ++played;
                const bool engine1Black = black == 0;
                Tally& t = engine1Black ? asBlack : asWhite;
                if (g.outcome == Outcome::Draw) {
                    ++t.draws;
                } else if ((g.outcome == Outcome::BlackWins) == engine1Black) {
                    ++t.wins;
                } else {
                    ++t.losses;
                }
                ++reasons[static_cast<int>(g.reason)];
                for (int e = 0; e < 2; ++e) {
                    moves[e] += g.engineMoves[e];
                    ms[e] += g.engineMs[e];
                    overTime[e] += g.overTime[e];
                }
                const char* names[2] = {o.engines[black].name.c_str(),
                                        o.engines[1 - black].name.c_str()};
                std::printf("game %d/%d %-3s black %s white %s: %s %s, %zu stones%s%s\n", played,
                            total, opening.code, names[0], names[1], outcomeText(g.outcome),
                            endReasonText(g.reason), g.moves.size(), g.note.empty() ? "" : "; ",
                            g.note.c_str());
                if (phased) std::printf("  phase %s\n", phaseText.c_str());
                std::fflush(stdout);
                if (log) {
                    log << opening.code << " black=" << names[0] << " white=" << names[1] << ' '
                        << outcomeText(g.outcome) << ' ' << endReasonText(g.reason) << " | "
                        << movesText(g.moves) << (g.note.empty() ? "" : " | " + g.note)
                        << (phased ? " | phase " + phaseText : "") << '\n';
                    log.flush();
                }
            }

    Tally all{asBlack.wins + asWhite.wins, asBlack.losses + asWhite.losses,
              asBlack.draws + asWhite.draws};
    std::printf("\nengine1 against engine2, %d games:\n", all.games());
    printTally("as black", asBlack);
    printTally("as white", asWhite);
    printTally("total", all);
    std::printf("  score     %.1f %% (%.1f of %d)\n", 100 * all.score(), all.wins + 0.5 * all.draws,
                all.games());
    const EloEstimate elo = eloEstimate(all);
    if (elo.finite) {
        std::printf("  Elo       %+.0f +/- %.0f (95 %%)\n", elo.elo, elo.margin);
    } else {
        std::printf("  Elo       %s (no finite estimate from a %s score)\n",
                    elo.elo > 0 ? "+inf" : "-inf", elo.elo > 0 ? "perfect" : "zero");
    }
    std::printf("  ends     ");
    for (int r = 0; r < kEndReasons; ++r)
        std::printf(" %s %d%s", endReasonText(static_cast<EndReason>(r)), reasons[r],
                    r + 1 < kEndReasons ? "," : "\n");
    for (int e = 0; e < 2; ++e)
        std::printf("  %s   %.1f ms a move on average (%lld moves, %lld over the move time)\n",
                    o.engines[e].name.c_str(), moves[e] ? double(ms[e]) / double(moves[e]) : 0.0,
                    static_cast<long long>(moves[e]), static_cast<long long>(overTime[e]));
    if (phased) printPhaseSummary(played, blackWins, draws, decisionMs);
    return 0;
}
