#include "player/strong/busy_table.h"
#include "player/strong/strong_search.h"
#include "random_positions.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>

// Several threads share one table: the answers stay legal and forced moves are still found
// (run under ThreadSanitizer too, for the table's lock-free buckets).
TEST(StrongThreads, SharedTableSearchesAnswerSoundly) {
    const std::atomic<bool> never{false};
    std::mt19937 rng(41);
    for (int i = 0; i < 8; ++i) {
        const BanArray board = randomPosition(rng, 10 + 5 * i);
        StrongLimits limits{40, 60, 4};
        limits.threads = 3;
        const SearchReport r = strongSearch(board, limits, never);
        ASSERT_TRUE(r.bestMove >= 0 && r.bestMove < kPoints);
        EXPECT_EQ(board.at(r.bestMove), kEmpty);
        BanArray copy(board);
        if (colourToMove(board.moveCount()) == kBlack) {
            EXPECT_FALSE(ChkStat(copy).isForbiddenBlack(r.bestMove));
        }
    }
    // Black h8 i8 j8 k8 against white: black to move completes the five on any thread count.
    BanArray five;
    for (const int p : {112, 127, 113, 128, 114, 129, 115, 130}) five.put(p);
    StrongLimits limits{200, 60, 4};
    limits.threads = 2;
    const SearchReport win = strongSearch(five, limits, never);
    EXPECT_TRUE(win.bestMove == 111 || win.bestMove == 116);
}

// Black to move wins by threats (i12 first) in a line the root's own threat search, at a
// small node limit, does not reach; a second thread's longer threat search proves it.
TEST(StrongThreads, SecondThreadProvesADeeperWinByThreats) {
    const std::atomic<bool> never{false};
    BanArray board;
    for (const int p : {112, 98, 127, 111, 141, 142, 125, 155, 109, 93, 128, 126}) board.put(p);
    StrongLimits limits{0, 60, 4, 100000};
    const SearchReport alone = strongSearch(board, limits, never);
    EXPECT_EQ(alone.winIn, 0);
    limits.threads = 2;
    const SearchReport helped = strongSearch(board, limits, never);
    EXPECT_GT(helped.winIn, 0);
    EXPECT_EQ(helped.bestMove, cellIndex(8, 11));
}

// A decision made on a new thread goes on from the table the last one left when both keep it
// across threads (the window starts a thread for each): the same position searched again to
// the same depth takes fewer nodes. Without it each thread starts afresh.
TEST(StrongThreads, KeptTableReachesTheNextThread) {
    const std::atomic<bool> never{false};
    BanArray board; // h8 i7 j10 i9 i8 j8 k9 k7 h10 l7
    for (const int p : {112, 98, 144, 128, 113, 114, 130, 100, 142, 101}) board.put(p);
    auto onNewThread = [&](bool keep) {
        StrongLimits limits{0, 8, 16, 200000};
        limits.keepAcrossThreads = keep;
        SearchReport r;
        std::thread([&] { r = strongSearch(board, limits, never); }).join();
        return r.nodes;
    };
    const uint64_t fresh = onNewThread(false);
    EXPECT_EQ(onNewThread(false), fresh);
    onNewThread(true);
    EXPECT_LT(onNewThread(true), fresh);
}

// Two positions in one slot: the later one holds it, and the earlier one leaving does not
// free it (else a thread would stop deferring a move that another is still searching).
TEST(StrongThreads, BusyTableSlotKeepsItsLatestPosition) {
    auto table = std::make_unique<BusyTable>();
    const uint64_t a = 0x1234, b = a + (uint64_t{1} << 40);
    table->enter(a);
    EXPECT_TRUE(table->busy(a));
    table->enter(b);
    table->leave(a);
    EXPECT_TRUE(table->busy(b));
    EXPECT_FALSE(table->busy(a));
    table->leave(b);
    EXPECT_FALSE(table->busy(b));
}
