// pbrain-sorell.exe, the Windows build of the engine (make windows), driven under wine the way a
// tournament manager opens a game. Skipped when the cross build or wine is missing.

#include "base/geometry.h"
#include "child_process.h"
#include "rules/ban_history.h"
#include "rules/move_code.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <regex>
#include <string>

namespace {

// The first start of wine makes its prefix, which takes a while.
constexpr int kFirstAnswerTimeoutMs = 180000;
constexpr int kMoveTimeoutMs = 120000;

std::optional<std::pair<int, int>> parseXY(const std::string& s) {
    std::smatch m;
    if (!std::regex_match(s, m, std::regex("([0-9]{1,2}),([0-9]{1,2})"))) return std::nullopt;
    return std::make_pair(std::stoi(m[1]), std::stoi(m[2]));
}

} // namespace

TEST(WindowsEngine, AnswersAShortGameUnderWine) {
    const std::string exe = WINDOWS_ENGINE_PATH;
    const std::string wine = WINE_PATH;
    if (wine.empty()) GTEST_SKIP() << "wine is not installed (scripts/setup --windows)";
    if (!std::filesystem::exists(exe)) GTEST_SKIP() << exe << " is not built (make windows)";

    TempDir dir;
    ChildProcess brain;
    ASSERT_TRUE(brain.start(wine, {exe}, dir.path()));
    auto send = [&](const std::string& line, int timeoutMs) {
        EXPECT_TRUE(brain.writeLine(line)) << line;
        return brain.readLine(timeoutMs).value_or("(no answer to " + line + ")");
    };

    EXPECT_EQ(send("START 15", kFirstAnswerTimeoutMs), "OK");
    EXPECT_EQ(send("ABOUT", kMoveTimeoutMs).rfind(R"(name="Sorell", version=")", 0), 0u);
    ASSERT_TRUE(brain.writeLine("INFO rule 4"));

    // The brain opens as black and answers a white stone beside its own; each answer must be
    // an empty point that the rules allow.
    BanHistory game;
    auto brainMoves = [&](const std::string& line) {
        const std::string answer = send(line, kMoveTimeoutMs);
        const auto p = parseXY(answer);
        ASSERT_TRUE(p.has_value()) << line << " answered '" << answer << "'";
        ASSERT_TRUE(onBoard(p->first, p->second)) << answer;
        for (const MovedPos& m : game) ASSERT_FALSE(m.x == p->first && m.y == p->second) << answer;
        game.appendAndJudge(p->first, p->second, kBlack);
        EXPECT_FALSE(isForbiddenCode(game.last().code)) << answer;
    };
    brainMoves("BEGIN");
    ASSERT_FALSE(HasFailure());
    const int x = game.last().x > 0 ? game.last().x - 1 : game.last().x + 1;
    const int y = game.last().y;
    game.appendAndJudge(x, y, kWhite);
    brainMoves("TURN " + std::to_string(x) + "," + std::to_string(y));
    ASSERT_TRUE(brain.writeLine("END"));
    EXPECT_EQ(brain.finish(kMoveTimeoutMs), 0);
}
