#include "base/tdlist.h"
#include "base/thash.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

tdlist<int> listOf(std::initializer_list<int> xs) {
    tdlist<int> l;
    for (int x : xs) l.pushBack(x);
    return l;
}

std::vector<int> walk(tdlist<int>& l) {
    std::vector<int> seen;
    l.rewind();
    while (l.next()) seen.push_back(l.current());
    return seen;
}

TEST(TdlistCursor, EmptyListRefusesToMove) {
    tdlist<int> l;
    EXPECT_FALSE(l.next());
    EXPECT_FALSE(l.previous());
    EXPECT_TRUE(l.atEnd());
}

TEST(TdlistCursor, RewindThenNextVisitsAllAndEndsOnMarker) {
    tdlist<int> l = listOf({1, 2, 3});
    EXPECT_EQ(walk(l), (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(l.atEnd());
    EXPECT_TRUE(l.next()); // from the marker, again to the first
    EXPECT_EQ(l.current(), 1);
}

TEST(TdlistCursor, PreviousFromMarkerReachesLastAndFromFirstTheMarker) {
    tdlist<int> l = listOf({1, 2, 3});
    EXPECT_TRUE(l.previous());
    EXPECT_EQ(l.current(), 3);
    EXPECT_TRUE(l.previous());
    EXPECT_TRUE(l.previous());
    EXPECT_EQ(l.current(), 1);
    EXPECT_FALSE(l.previous());
    EXPECT_TRUE(l.atEnd());
}

TEST(TdlistCursor, PopBackUnderCursorMovesItToMarker) {
    tdlist<int> l = listOf({1, 2});
    l.setCursorIndex(1);
    l.popBack();
    EXPECT_TRUE(l.atEnd());
    EXPECT_EQ(l.size(), 1u);
    l.pushBack(5);
    l.setCursorIndex(0);
    l.popBack();
    EXPECT_EQ(l.current(), 1); // a cursor elsewhere stays where it was
}

TEST(TdlistCursor, IndexRoundTripAndCopyStartsOnMarker) {
    tdlist<int> l = listOf({4, 5, 6});
    l.setCursorIndex(2);
    EXPECT_EQ(l.cursorIndex(), 2u);
    EXPECT_EQ(l.current(), 6);
    l.setCursorIndex(3);
    EXPECT_TRUE(l.atEnd());
    l.setCursorIndex(1);
    tdlist<int> copy(l);
    EXPECT_TRUE(copy.atEnd());
    EXPECT_EQ(walk(copy), (std::vector<int>{4, 5, 6}));
    EXPECT_EQ(l.current(), 5);
    copy.clear();
    EXPECT_TRUE(copy.empty());
    EXPECT_FALSE(copy.next());
}

TEST(Thash, BucketIsKeyModCountAlsoForNegativeKeys) {
    thash<long long, int> h(7);
    EXPECT_EQ(h.bucketOf(15), 1);
    EXPECT_EQ(h.bucketOf(-1), 6);
    EXPECT_EQ(h.bucketOf(-14), 0);
    EXPECT_EQ(h.bucketCount(), 7);
}

TEST(Thash, BucketKeepsInsertionOrderAndCursor) {
    thash<int, char> h(5);
    h.insert(3, 'a');
    h.insert(8, 'b');
    h.insert(4, 'c');
    h.insert(13, 'd');
    EXPECT_EQ(h.count(), 4);
    auto& bucket = h.bucketFor(18);
    std::string order;
    bucket.rewind();
    while (bucket.next()) order += bucket.current().second;
    EXPECT_EQ(order, "abd");
    EXPECT_EQ(h.bucketFor(4).size(), 1u);
    h.clear();
    EXPECT_EQ(h.count(), 0);
    EXPECT_TRUE(h.bucketFor(3).empty());
}

} // namespace
