// sorell-tune: tunes the strong search's evaluation weights on its own games.
//
//   sorell-tune games [--first G] [--count N] [--nodes N] [--random R] [--seed S] > GAMES
//   sorell-tune fit GAMES [--skip PLIES] [--steps N]
//
// `games` plays self-play games at a fixed node budget (the same games on every machine);
// several runs with different --first values can share the work and their outputs be joined.
// `fit` prints the fitted weights in the form of player/strong/evaluation_weights.h; whether
// they play better is for a match to say (sorell-match at fixed nodes, then at fixed time).

#include "common/command_line.h"
#include "tune/fit.h"
#include "tune/self_play.h"

#include <iostream>
#include <optional>
#include <string>
#include <tuple>

namespace {

const char* const kUsage =
    "usage: sorell-tune games [--first G] [--count N] [--nodes N] [--random R] [--seed S]\n"
    "       sorell-tune fit GAMES [--skip PLIES] [--steps N]\n";

// The whole number of option `name` from low to high into out, when given; false after
// reporting a bad value.
bool readNumber(const CLI::App& app, const char* name, const std::optional<std::string>& text,
                int64_t low, int64_t high, int64_t& out) {
    if (!text) return true;
    const auto n = parseWholeNumber(*text, low, high);
    if (!n) {
        reportBadValue(app, name, *text, kUsage);
        return false;
    }
    out = *n;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app("", "sorell-tune");
    setUpToolApp(app);
    std::optional<std::string> first, count, nodes, random, seed, skip, steps;
    for (auto [name, text] :
         {std::pair{"--first", &first}, std::pair{"--count", &count}, std::pair{"--nodes", &nodes},
          std::pair{"--random", &random}, std::pair{"--seed", &seed}, std::pair{"--skip", &skip},
          std::pair{"--steps", &steps}})
        app.add_option(name, *text);
    if (!parseCommandLine(app, argc, argv, kUsage, true)) return kBadCommandLine;
    const std::vector<std::string> words = app.remaining();
    const std::string command = words.empty() ? "" : words[0];
    int64_t vFirst = 0, vCount = 100, vNodes = 5000, vRandom = 3, vSeed = 1, vSkip = 6,
            vSteps = 3000;
    for (auto [name, text, low, high, out] :
         {std::tuple{"--first", &first, 0, 1'000'000'000, &vFirst},
          std::tuple{"--count", &count, 1, 1'000'000'000, &vCount},
          std::tuple{"--nodes", &nodes, 100, 1'000'000'000, &vNodes},
          std::tuple{"--random", &random, 1, 20, &vRandom},
          std::tuple{"--seed", &seed, 0, 1'000'000'000, &vSeed},
          std::tuple{"--skip", &skip, 0, 200, &vSkip},
          std::tuple{"--steps", &steps, 1, 1'000'000, &vSteps}})
        if (!readNumber(app, name, *text, low, high, *out)) return kBadCommandLine;
    if (command == "games" && words.size() == 1) {
        SelfPlayOptions options;
        options.first = static_cast<int>(vFirst);
        options.count = static_cast<int>(vCount);
        options.nodes = static_cast<uint64_t>(vNodes);
        options.randomMoves = static_cast<int>(vRandom);
        options.seed = static_cast<uint32_t>(vSeed);
        playSelfPlayGames(options, std::cout);
        return 0;
    }
    if (command == "fit" && words.size() == 2)
        return fitEvaluationWeights(words[1], static_cast<int>(vSkip), static_cast<int>(vSteps),
                                    std::cout)
                   ? 0
                   : 1;
    std::cerr << kUsage;
    return kBadCommandLine;
}
