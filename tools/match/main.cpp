// sorell-match: plays two Gomocup (pbrain) engines against each other over the canonical renju
// openings, each opening with both colour assignments, and reports the score and an Elo
// difference. The rules library judges every move.

#include "elo.h"
#include "engine_process.h"
#include "match_game.h"
#include "openings.h"
#include "phase_play.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
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

bool parseCount(const std::string& text, int64_t low, int64_t& out) {
    char* end = nullptr;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || v < low || v > 100000000) return false;
    out = v;
    return true;
}

// The opening-rule options; false when arg is not one of them. ok tells whether its value was good.
bool parsePhaseOption(const std::string& arg, const std::string& value, PhaseOptions& p, bool& ok) {
    int64_t n = 0;
    if (arg == "--opening-rule") {
        const std::optional<OpeningRule> rule = ruleFromId(value);
        ok = rule && hasPhase(*rule);
        if (ok) p.rule = *rule;
    } else if (arg == "--phase-time") {
        ok = parseCount(value, 1, n);
        p.budget.timeMs = n;
    } else if (arg == "--phase-nodes") {
        ok = parseCount(value, 1, n);
        p.budget.maxNodes = static_cast<uint64_t>(n);
    } else {
        return false;
    }
    return true;
}

// Reads the command line; prints what is wrong and returns false on a bad one.
bool parseOptions(int argc, char** argv, Options& o) {
    std::string openings = "all";
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            std::exit(0);
        }
        if (i + 1 >= argc) {
            std::fprintf(stderr, "sorell-match: %s needs a value\n%s", arg.c_str(), kUsage);
            return false;
        }
        const std::string value = argv[++i];
        int64_t n = 0;
        bool ok = true;
        if (arg == "--engine1" || arg == "--engine2") {
            EngineCommand& engine = o.engines[arg == "--engine1" ? 0 : 1];
            engine.name = arg.substr(2);
            engine.argv = splitCommandLine(value);
            ok = !engine.argv.empty();
        } else if (arg == "--time") {
            ok = parseCount(value, 1, n);
            o.game.moveTimeMs[0] = o.game.moveTimeMs[1] = n;
        } else if (arg == "--time1" || arg == "--time2") {
            ok = parseCount(value, 1, o.game.moveTimeMs[arg == "--time1" ? 0 : 1]);
        } else if (arg == "--grace") {
            ok = parseCount(value, 0, o.game.graceMs);
        } else if (arg == "--rounds") {
            ok = parseCount(value, 1, n);
            o.rounds = static_cast<int>(n);
        } else if (arg == "--openings") {
            openings = value;
        } else if (arg == "--games-log") {
            o.gamesLog = value;
        } else if (arg == "--engine-log") {
            o.game.errorLog = value;
        } else if (parsePhaseOption(arg, value, o.phase, ok)) {
        } else {
            std::fprintf(stderr, "sorell-match: unknown option %s\n%s", arg.c_str(), kUsage);
            return false;
        }
        if (!ok) {
            std::fprintf(stderr, "sorell-match: bad value for %s: '%s'\n", arg.c_str(),
                         value.c_str());
            return false;
        }
    }
    if (o.engines[0].argv.empty() || o.engines[1].argv.empty()) {
        std::fprintf(stderr, "sorell-match: both --engine1 and --engine2 are needed\n%s", kUsage);
        return false;
    }
    std::string bad;
    if (!selectOpenings(openings, o.openings, bad)) {
        std::fprintf(stderr, "sorell-match: unknown opening '%s' (D1..D13, I1..I13 or all)\n",
                     bad.c_str());
        return false;
    }
    return true;
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
    Options o;
    if (!parseOptions(argc, argv, o)) return 2;
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
