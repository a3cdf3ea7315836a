#include "base/tvector.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

tvector<int> counting(int n) {
    tvector<int> v(n);
    for (int i = 0; i < n; ++i) v[i] = i * 10;
    return v;
}

TEST(TvectorIndex, BadIndexWritesBothLinesAndLeavesArray) {
    tvector<int> v = counting(15);
    testing::internal::CaptureStderr();
    v[15] = 99;
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "(15)/(15)\nOut of array index\n");
    testing::internal::CaptureStderr();
    v[-1] = 99;
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "(-1)/(15)\nOut of array index\n");
    for (int i = 0; i < 15; ++i) EXPECT_EQ(v[i], i * 10);
}

TEST(TvectorIndex, ReadThroughBadIndexGoesOn) {
    const tvector<char> v(3);
    testing::internal::CaptureStderr();
    char c = v[3];
    (void)c;
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "(3)/(3)\nOut of array index\n");
    tvector<int> empty;
    testing::internal::CaptureStderr();
    empty[0] = 1;
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "(0)/(0)\nOut of array index\n");
}

TEST(TvectorIndex, ValidIndexWritesNothing) {
    tvector<int> v = counting(4);
    testing::internal::CaptureStderr();
    v[0] = v[3];
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(v[0], 30);
}

TEST(TvectorResize, SameCountKeepsContents) {
    tvector<int> v = counting(5);
    const int* before = v.data();
    v.resize(5);
    EXPECT_EQ(v.data(), before);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(v[i], i * 10);
}

TEST(TvectorResize, OtherCountReplacesArray) {
    tvector<int> v = counting(5);
    v.resize(8);
    EXPECT_EQ(v.size(), 8);
    v[7] = 1; // the new array is usable over its whole count
    v.resize(0);
    EXPECT_EQ(v.size(), 0);
    EXPECT_EQ(v.data(), nullptr);
}

TEST(TvectorCopy, CopiesAreIndependent) {
    tvector<int> a = counting(6);
    tvector<int> b(a);
    b[0] = -1;
    EXPECT_EQ(a[0], 0);
    EXPECT_EQ(b.size(), 6);
    EXPECT_EQ(b[5], 50);

    tvector<int> c(2);
    c = a;
    EXPECT_EQ(c.size(), 6);
    EXPECT_EQ(c[3], 30);
    const tvector<int>& alias = c;
    c = alias; // assigning an array to itself keeps it
    EXPECT_EQ(c.size(), 6);
    EXPECT_EQ(c[3], 30);
}

TEST(TvectorCopy, CopyOfEmptyAllocatesNothing) {
    tvector<int> empty;
    tvector<int> copy(empty);
    EXPECT_EQ(copy.size(), 0);
    EXPECT_EQ(copy.data(), nullptr);
    tvector<int> assigned = counting(3);
    assigned = empty;
    EXPECT_EQ(assigned.size(), 0);
    EXPECT_EQ(assigned.data(), nullptr);
}

#if defined(__SANITIZE_ADDRESS__)
#define SORELL_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SORELL_ASAN 1
#endif
#endif

TEST(TvectorDeathTest, ExhaustedMemoryEndsProcess) {
#ifdef SORELL_ASAN
    GTEST_SKIP() << "the sanitizer's allocator aborts on oversized requests itself";
#else
    using Block = std::array<char, 1 << 20>;
    EXPECT_EXIT(
        {
            tvector<Block> v;
            v.resize(1 << 30); // a petabyte
        },
        testing::ExitedWithCode(1), "out of memory");
#endif
}

} // namespace
