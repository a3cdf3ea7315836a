#include "player/standard/candidate_queue.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

std::vector<int> popAll(CandidateHeap& q) {
    std::vector<int> points;
    pos_value v;
    while (q.pop(v)) points.push_back(v.point);
    return points;
}

void pushAll(CandidateHeap& q, const std::vector<std::pair<int, int>>& items) {
    for (auto [point, score] : items)
        q.push(pos_value{static_cast<uint8_t>(point), static_cast<int16_t>(score)});
}

// A plain array heap with the same exchange rules: the queue must pop in exactly this order.
struct ArrayHeap {
    std::vector<pos_value> a;
    void push(pos_value v) {
        a.push_back(v);
        for (size_t i = a.size() - 1; i > 0 && a[(i - 1) / 2].score < a[i].score; i = (i - 1) / 2)
            std::swap(a[i], a[(i - 1) / 2]);
    }
    pos_value pop() {
        pos_value top = a[0];
        a[0] = a.back();
        a.pop_back();
        for (size_t i = 0;;) {
            size_t l = 2 * i + 1, r = l + 1, c;
            if (r < a.size())
                c = a[l].score > a[r].score ? l : r;
            else if (l < a.size())
                c = l;
            else
                break;
            if (!(a[c].score > a[i].score)) break;
            std::swap(a[c], a[i]);
            i = c;
        }
        return top;
    }
};

} // namespace

TEST(CandidateQueue, EmptyPopFailsAndStaysEmpty) {
    CandidateHeap q;
    pos_value v{7, 3};
    EXPECT_FALSE(q.pop(v));
    EXPECT_EQ(v.point, 7);
    EXPECT_EQ(q.size(), 0);
    q.push(pos_value{1, 1});
    EXPECT_TRUE(q.pop(v));
    EXPECT_FALSE(q.pop(v));
    EXPECT_TRUE(q.empty());
}

TEST(CandidateQueue, PopsBestFirst) {
    CandidateHeap q;
    pushAll(q, {{1, 5}, {2, 9}, {3, 7}});
    EXPECT_EQ(popAll(q), (std::vector<int>{2, 3, 1}));
    pushAll(q, {{1, -1000}, {2, 8}, {3, 0}, {4, 1600}});
    EXPECT_EQ(popAll(q), (std::vector<int>{4, 2, 3, 1}));
}

TEST(CandidateQueue, EqualScoresFollowTheExchangeRules) {
    CandidateHeap q;
    // The first pop moves 30 from the last position into the root; equal scores never move.
    pushAll(q, {{10, 4}, {20, 4}, {30, 4}});
    EXPECT_EQ(popAll(q), (std::vector<int>{10, 30, 20}));

    // A new candidate stays behind an older one of the same score.
    pushAll(q, {{1, 6}, {2, 6}});
    EXPECT_EQ(popAll(q), (std::vector<int>{1, 2}));

    // Moving down, the right child wins a tie between the two children: after 9 leaves, 3 from
    // the last position sinks below the two 5s and the right one (12) rises.
    pushAll(q, {{1, 9}, {11, 5}, {12, 5}, {3, 3}});
    EXPECT_EQ(popAll(q), (std::vector<int>{1, 12, 11, 3}));
}

TEST(CandidateQueue, RepushedTopGoesBehindItsEquals) {
    CandidateHeap q;
    pushAll(q, {{1, 6}, {2, 6}, {3, 2}});
    pos_value top;
    ASSERT_TRUE(q.pop(top));
    EXPECT_EQ(top.point, 1);
    q.push(top);
    // 2 now leads; 1 re-pushed behind it.
    EXPECT_EQ(popAll(q), (std::vector<int>{2, 1, 3}));
}

TEST(CandidateQueue, MatchesAnArrayHeapOnManyTies) {
    std::mt19937 gen(12345);
    // One heap for all rounds: cleared, possibly non-empty, it must behave as a new one.
    CandidateHeap q;
    for (int round = 0; round < 200; ++round) {
        q.clear();
        ArrayHeap ref;
        const int n = 1 + static_cast<int>(gen() % 225);
        std::vector<int> got, want;
        for (int i = 0; i < n; ++i) {
            pos_value v{static_cast<uint8_t>(i), static_cast<int16_t>(gen() % 6)};
            q.push(v);
            ref.push(v);
            // Interleave pops so that positions are reused after shrinking.
            if (gen() % 4 == 0) {
                pos_value out;
                ASSERT_TRUE(q.pop(out));
                got.push_back(out.point);
                want.push_back(ref.pop().point);
            }
        }
        while (!ref.a.empty()) want.push_back(ref.pop().point);
        pos_value out;
        const int keep = round % 3 == 0 ? static_cast<int>(want.size() / 2) : 0;
        while (static_cast<int>(got.size()) + keep < static_cast<int>(want.size()) && q.pop(out))
            got.push_back(out.point);
        want.resize(got.size());
        ASSERT_EQ(got, want) << "round " << round;
    }
}
