#include "database/kdb_file.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

namespace {

KdbReadResult parse(const std::string& text, std::vector<KData>& entries, int expected = 3) {
    std::istringstream in(text);
    int32_t stones = -1;
    return readKdb(in, expected, entries, stones);
}

std::string write(int32_t stones, const std::vector<KData>& entries) {
    std::ostringstream out;
    EXPECT_TRUE(writeKdb(out, stones, entries));
    return out.str();
}

} // namespace

TEST(KdbFileName, DirectoryPartRules) {
    EXPECT_EQ(kdbFileName(7, ""), "kelp007.kdb");
    EXPECT_EQ(kdbFileName(7, "C:\\dir\\prog.exe"), "C:\\dir\\kelp007.kdb");
    EXPECT_EQ(kdbFileName(7, "abc"), "abc/kelp007.kdb");
    EXPECT_EQ(kdbFileName(12, "/usr/share/sorell/"), "/usr/share/sorell/kelp012.kdb");
    EXPECT_EQ(kdbFileName(3, "/opt/sorell/bin/sorell"), "/opt/sorell/bin/kelp003.kdb");
    EXPECT_EQ(kdbFileName(224, "C:prog"), "C:kelp224.kdb");
    EXPECT_EQ(kdbFileName(0, "a/b\\c"), "a/b\\kelp000.kdb");
}

TEST(KdbFormat, WritesTheHeaderAndEntryLines) {
    KData a(3);
    a.stones[0] = 112, a.stones[1] = 113, a.stones[2] = 97;
    a.continuations.push_back({127, 0});
    KData b(3);
    b.tag = -5;
    b.stones[0] = 0, b.stones[1] = 224, b.stones[2] = 14;
    KData c(3);
    c.stones[0] = 1, c.stones[1] = 2, c.stones[2] = 3;
    c.continuations.push_back({4, -2147483647 - 1});
    c.continuations.push_back({5, 2147483647});
    EXPECT_EQ(write(3, {a, b, c}), "210 3 3\r\n"
                                   "1024 112 113 97 127 0\r\n"
                                   "-5 0 224 14 \r\n"
                                   "1024 1 2 3 4 -2147483648 5 2147483647\r\n");
    EXPECT_EQ(write(5, {}), "210 0 5\r\n");
}

TEST(KdbFormat, ReadsWhatItWritesWithEitherLineEnd) {
    const std::string crlf = "210 3 3\r\n"
                             "1024 112 113 97 127 0\r\n"
                             "-5 0 224 14 \r\n"
                             "77 1 2 3 4 -9 5 10 6 0\r\n";
    for (const std::string& text : {crlf, std::string("210 3 3\n1024 112 113 97 127 0\n"
                                                      "-5 0 224 14 \n77 1 2 3 4 -9 5 10 6 0")}) {
        std::vector<KData> e;
        ASSERT_EQ(parse(text, e), KdbReadResult::Ok);
        ASSERT_EQ(e.size(), 3u);
        EXPECT_EQ(e[0].tag, 1024);
        EXPECT_EQ(e[0].stones[2], 97);
        ASSERT_EQ(e[0].continuationCount(), 1);
        EXPECT_EQ(e[0].continuations[0].move, 127);
        EXPECT_EQ(e[1].tag, -5);
        EXPECT_EQ(e[1].continuationCount(), 0);
        ASSERT_EQ(e[2].continuationCount(), 3);
        EXPECT_EQ(e[2].continuations[0].value, -9);
        EXPECT_EQ(e[2].continuations[2].move, 6);
        EXPECT_EQ(write(3, e), crlf);
    }
}

TEST(KdbFormat, HeaderFailures) {
    std::vector<KData> e;
    EXPECT_EQ(parse("", e), KdbReadResult::BadVersion);
    EXPECT_EQ(parse("209 0 3\r\n", e), KdbReadResult::BadVersion);
    EXPECT_EQ(parse("-210 0 3\r\n", e), KdbReadResult::BadVersion);
    EXPECT_EQ(parse("kelp 0 3\r\n", e), KdbReadResult::BadVersion);
    EXPECT_EQ(parse("99999999999999999999 0 3\r\n", e), KdbReadResult::BadVersion);
    EXPECT_EQ(parse("210 0 225\r\n", e, -1), KdbReadResult::BadCount);
    EXPECT_EQ(parse("210 0 -1\r\n", e, -1), KdbReadResult::BadCount);
    EXPECT_EQ(parse("210 0\r\n", e), KdbReadResult::BadCount);
    EXPECT_EQ(parse("210 x 3\r\n", e), KdbReadResult::BadCount);
    EXPECT_EQ(parse("210 0 4\r\n", e, 3), KdbReadResult::BadCount) << "not the file's count";
    EXPECT_EQ(parse("211 0 3\r\n", e), KdbReadResult::Ok) << "later versions are read";
    EXPECT_EQ(parse("210 -4 3\r\n", e), KdbReadResult::Ok);
    EXPECT_TRUE(e.empty());
}

TEST(KdbDamage, TruncatedAndJunkLinesAreDroppedTheRestIsRead) {
    std::vector<KData> e;
    ASSERT_EQ(parse("210 5 3\r\n"
                    "1024 112 113\r\n"            // truncated: two stones only
                    "1024 112 113 97 127 0\r\n"   // good
                    "1024 112 x 97 127 0\r\n"     // junk in the stones
                    "99999999999 1 2 3 4 5\r\n"   // tag that fits no 32-bit number
                    "1024 1 2 3 4 5 6 x 8 9\r\n", // good, continuations stop at the junk
                    e),
              KdbReadResult::Ok);
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[0].stones[2], 97);
    EXPECT_EQ(e[1].stones[0], 1);
    ASSERT_EQ(e[1].continuationCount(), 1);
    EXPECT_EQ(e[1].continuations[0].move, 4);
    EXPECT_EQ(e[1].continuations[0].value, 5);
}

TEST(KdbDamage, MoreEntriesPromisedThanPresent) {
    std::vector<KData> e;
    ASSERT_EQ(parse("210 2147483647 3\r\n1024 112 113 97 127 0\r\n", e), KdbReadResult::Ok);
    EXPECT_EQ(e.size(), 1u);
    ASSERT_EQ(parse("210 2 3\r\n1024 112 113 97 127 0", e), KdbReadResult::Ok);
    EXPECT_EQ(e.size(), 1u);
}

TEST(KdbDamage, OddNumbersNeverAliasRealCells) {
    std::vector<KData> e;
    ASSERT_EQ(parse("210 2 3\r\n"
                    "1024 -1 369 240 -3 0 300 0 99999999999 0\r\n"
                    "1024 1 2 3 1 5 2 99999999999 3 4\r\n",
                    e),
              KdbReadResult::Ok);
    ASSERT_EQ(e.size(), 2u);
    // -1 and 369 would wrap to 255 and 113 when cut to a byte: both are kept as no point.
    EXPECT_EQ(e[0].stones[0], 255);
    EXPECT_EQ(e[0].stones[1], 255);
    EXPECT_EQ(e[0].stones[2], 240) << "byte values survive for a faithful save";
    ASSERT_EQ(e[0].continuationCount(), 2);
    EXPECT_EQ(e[0].continuations[0].move, 255);
    EXPECT_EQ(e[0].continuations[1].move, 255);
    // A value beyond 32 bits ends the continuations of its line.
    ASSERT_EQ(e[1].continuationCount(), 1);
}

TEST(KdbDamage, LongLinesAreCutAtTheLimitWithoutHalfNumbers) {
    std::string rest;
    while (rest.size() < 20000) rest += " 200 777";
    std::string junk(100000, 'x');
    std::vector<KData> e;
    ASSERT_EQ(
        parse("210 3 3\r\n1024 1 2 3" + rest + "\r\n" + junk + "\r\n" + "1024 4 5 6 7 8\r\n", e),
        KdbReadResult::Ok);
    ASSERT_EQ(e.size(), 2u) << "the long line is read, the junk line dropped, the next read";
    // Only the first 8191 characters after the stones count: 8 characters per pair.
    EXPECT_EQ(e[0].continuationCount(), 8191 / 8);
    for (const KDataElement& c : e[0].continuations) {
        ASSERT_EQ(c.move, 200);
        ASSERT_EQ(c.value, 777);
    }
    EXPECT_EQ(e[1].stones[0], 4);

    // A pair cut in the middle of its value by the limit is dropped whole.
    std::string cutRest = std::string(8186, ' ') + "1 23456"; // "23456" crosses 8191
    ASSERT_EQ(parse("210 1 3\r\n1024 1 2 3" + cutRest + "\r\n", e), KdbReadResult::Ok);
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0].continuationCount(), 0);
}

TEST(KdbDamage, BinaryJunkNeverCrashes) {
    std::mt19937 rng(12345);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> digitish(0, 15);
    for (int round = 0; round < 200; ++round) {
        std::string text = round % 2 ? "210 50 3\r\n" : "";
        const int length = 1 + round * 37;
        for (int i = 0; i < length; ++i) {
            // Mostly digits, spaces and line ends, so that some lines parse.
            const int d = digitish(rng);
            text += d < 10   ? static_cast<char>('0' + d)
                    : d < 13 ? ' '
                    : d < 14 ? '\n'
                             : static_cast<char>(byte(rng));
        }
        std::vector<KData> e;
        const KdbReadResult r = parse(text, e);
        if (round % 2) {
            EXPECT_EQ(r, KdbReadResult::Ok);
            EXPECT_LE(e.size(), 50u);
            for (const KData& d : e) EXPECT_EQ(d.stoneCount(), 3);
        }
    }
    std::vector<KData> e;
    const char withNul[] = "210 1 3\r\n1024 1\0 2 3 4 5\r\n";
    EXPECT_EQ(parse(std::string(withNul, sizeof withNul - 1), e), KdbReadResult::Ok);
    EXPECT_TRUE(e.empty());
}

TEST(KdbDamage, ACutOnASpaceKeepsTheLastPair) {
    // Character 8191 after the stones is a space: "12 3456" ends just before it and is read.
    const std::string rest = std::string(8184, ' ') + "12 3456" + " 77 88";
    std::vector<KData> e;
    ASSERT_EQ(parse("210 1 3\r\n1024 1 2 3" + rest + "\r\n", e), KdbReadResult::Ok);
    ASSERT_EQ(e.size(), 1u);
    ASSERT_EQ(e[0].continuationCount(), 1);
    EXPECT_EQ(e[0].continuations[0].move, 12);
    EXPECT_EQ(e[0].continuations[0].value, 3456);
}

// Whole tells whether writing the entries back would keep every entry of the text.
TEST(KdbDamage, WholeSaysWhetherASaveWouldLoseAnything) {
    const std::string longRest = std::string(8184, ' ') + "12 3456";
    struct Case {
        std::string text;
        bool whole;
    };
    const Case cases[] = {
        {"210 2 3\r\n1024 1 2 3 4 5\r\n\r\n-1 6 7 8\r\n", true},
        {"210 1 3\r\n1024 1 2 3" + longRest + "   \r\n", true},
        {"210 0 3\r\n", true},
        {"210 2 3\r\n1024 1 2 3 4 5\r\n", false},                 // a line missing
        {"210 2 3\r\n1024 1 2\r\n1024 1 2 3\r\n", false},         // a line dropped
        {"210 1 3\r\n1024 1 2 3 4 5 6\r\n", false},               // a move without its value
        {"210 1 3\r\n1024 1 2 3 4 x\r\n", false},                 // a field that is no number
        {"210 1 3\r\n1024 1 2 3" + longRest + " 7 8\r\n", false}, // beyond the limit
        {"210 1 3\r\n1024 1 2 3" + std::string(70000, ' ') + "7 8\r\n", false},
    };
    for (const Case& c : cases) {
        std::istringstream in(c.text);
        std::vector<KData> entries;
        int32_t stones = 0;
        bool whole = !c.whole;
        ASSERT_EQ(readKdb(in, 3, entries, stones, &whole), KdbReadResult::Ok) << c.text;
        EXPECT_EQ(whole, c.whole) << c.text.substr(0, 60);
    }
    std::istringstream old("209 0 3\r\n");
    std::vector<KData> entries;
    int32_t stones = 0;
    bool whole = true;
    EXPECT_EQ(readKdb(old, 3, entries, stones, &whole), KdbReadResult::BadVersion);
    EXPECT_FALSE(whole);
}
