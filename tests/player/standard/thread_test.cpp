#include "board_picture.h"
#include "database/k_database.h"
#include "player/book_move.h"
#include "player/standard/phase_iter.h"
#include "player/think.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace {

BanHistory historyOf(const std::vector<int>& points) {
    BanHistory h;
    for (size_t i = 0; i < points.size(); ++i)
        h.append(cellX(points[i]), cellY(points[i]), colourToMove(static_cast<int>(i)), 20);
    return h;
}

// A level whose search would run for hours: only a stop ends it.
ThinkingLevel endlessLevel() {
    ThinkingLevel level = ThinkingLevel::standard();
    level.standardSettings()->maxDepth = 10;
    level.standardSettings()->widths.assign(20, 25);
    return level;
}

const std::vector<int> kOpening = {112, 128, 126, 98, 114};
const std::vector<int> kOther = {112, 113, 97, 127, 82, 142};

} // namespace

TEST(ThreadStop, StopFromAnotherThreadGives255) {
    TempDir dir;
    std::atomic<bool> stop{false};
    uint8_t result = 0;
    std::thread worker(
        [&] { result = thinkMove(historyOf(kOpening), endlessLevel(), stop, dir.path()); });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    stop = true;
    worker.join();
    EXPECT_EQ(result, 255);
}

TEST(ThreadStop, TwoDecisionsKeepTheirOwnFlags) {
    TempDir dir;
    const ThinkingLevel standard = ThinkingLevel::standard();
    std::atomic<bool> never{false};
    const uint8_t expected = thinkMove(historyOf(kOther), standard, never, dir.path());
    ASSERT_LT(expected, 225);

    std::atomic<bool> stopA{false}, stopB{false};
    uint8_t a = 0, b = 0;
    std::thread first(
        [&] { a = thinkMove(historyOf(kOpening), endlessLevel(), stopA, dir.path()); });
    std::thread second([&] { b = thinkMove(historyOf(kOther), standard, stopB, dir.path()); });
    // The second finishes its search untouched by the first's flag...
    second.join();
    EXPECT_EQ(b, expected);
    // ...and the first runs on until its own flag is set.
    stopA = true;
    first.join();
    EXPECT_EQ(a, 255);

    // The other way round: the finished one is stopped at once, the other still finishes.
    std::atomic<bool> stopC{true}, stopD{false};
    uint8_t c = 0, d = 0;
    std::thread third([&] { c = thinkMove(historyOf(kOther), endlessLevel(), stopC, dir.path()); });
    std::thread fourth([&] { d = thinkMove(historyOf(kOther), standard, stopD, dir.path()); });
    third.join();
    fourth.join();
    EXPECT_EQ(c, 255);
    EXPECT_EQ(d, expected);
}

TEST(ThreadStop, EachDecisionDrawsFromItsOwnGenerator) {
    // Decisions of the second and third moves on several threads at once give exactly what the
    // same seeds give one at a time: no generator state is shared.
    const BanArray one = boardMoves({112});
    const BanArray two = boardMoves({112, 128});
    std::atomic<bool> never{false};
    auto decide = [&](const BanArray& board, uint32_t seed) {
        PhaseIter iter(board, StandardSettings::standard(), never, {}, seed);
        iter.skipDatabase();
        return iter.decide();
    };
    constexpr int kSeeds = 40;
    std::vector<uint8_t> alone(2 * kSeeds);
    for (int s = 0; s < kSeeds; ++s) {
        alone[2 * s] = decide(one, static_cast<uint32_t>(s));
        alone[2 * s + 1] = decide(two, static_cast<uint32_t>(s));
    }
    std::vector<std::vector<uint8_t>> together(4, std::vector<uint8_t>(2 * kSeeds));
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int s = 0; s < kSeeds; ++s) {
                together[t][2 * s] = decide(one, static_cast<uint32_t>(s));
                together[t][2 * s + 1] = decide(two, static_cast<uint32_t>(s));
            }
        });
    }
    for (auto& th : threads) th.join();
    for (int t = 0; t < 4; ++t) EXPECT_EQ(together[t], alone) << "thread " << t;
}

TEST(ThreadBook, DecisionsShareTheHeldBookWhileTheEditorSaves) {
    // Four threads take the book's answer while the file is saved again and again with one of
    // two answers: each look-up sees one whole version of the file.
    TempDir dir;
    const BanArray board(historyOf(kOpening));
    KData entry(board);
    entry.continuations.push_back({14, 0});
    KDataBase first = KDataBase::unloaded(5, dir.prefix());
    first.registerData(entry);
    ASSERT_TRUE(first.save());
    auto save = [&](uint8_t move) {
        KDataBase db(5, dir.prefix());
        db.deleteData(entry);
        entry.continuations[0].move = move;
        db.registerData(entry);
        db.save();
    };
    std::atomic<bool> done{false};
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            while (!done.load()) {
                const uint8_t move = bookMove(board, dir.path());
                if (move != 14 && move != 210 && move != 255) ++wrong;
            }
        });
    }
    for (int i = 0; i < 200; ++i) save(i % 2 == 0 ? 210 : 14);
    done = true;
    for (auto& th : threads) th.join();
    EXPECT_EQ(wrong.load(), 0);
}
