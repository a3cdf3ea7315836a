// The bracketed record text: reading, root properties, comment values, the exact output with
// its line breaking, round trips and the nesting bound.
#include "model/move_tree.h"
#include "model_test_support.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

bool readText(MOveTree& r, const std::string& text) {
    std::istringstream in(text);
    return r.ReadRecord(in);
}

const std::string kHeader = "(;GM[4]\nSZ[15]\nRU[Renju 1998]\nUS[SORELL 3.0]\n";

} // namespace

TEST(RecordTextRead, MovesAndHeader) {
    MOveTree r;
    ASSERT_TRUE(readText(r, "(;GM[4]SZ[15];B[hh];W[ih])"));
    EXPECT_EQ(r.header(), (std::vector<std::string>{"GM[4]", "SZ[15]"}));
    EXPECT_EQ(r.current(), r.root());
    EXPECT_EQ(r.board().moveCount(), 0);
    ASSERT_TRUE(r.Forward());
    EXPECT_EQ(r.current()->pos, makePos(7, 7, 'B'));
    ASSERT_TRUE(r.Forward());
    EXPECT_EQ(r.current()->pos, makePos(8, 7, 'W'));
    EXPECT_FALSE(r.Forward());
    expectConsistent(r);
}

TEST(RecordTextRead, RootPropertiesAreChecked) {
    MOveTree r;
    EXPECT_TRUE(readText(r, "(;GM[1];B[hh])"));
    EXPECT_EQ(r.root()->childCount(), 1);
    EXPECT_TRUE(readText(r, "(;RU[Renju 1998 rules]SZ[19];B[hh])"));
    EXPECT_EQ(r.root()->childCount(), 1);
    for (const char* bad : {"(;GM[5];B[hh])", "(;GM[];B[hh])", "(;B[hh];RU[Japanese];W[ih])",
                            "(;RU[renju 1998];B[hh])"}) {
        EXPECT_FALSE(readText(r, bad)) << bad;
        EXPECT_EQ(r.root()->childCount(), 0) << bad;
        EXPECT_EQ(r.board().moveCount(), 0) << bad;
        expectConsistent(r);
    }
}

TEST(RecordTextRead, VariationsReturnToTheirBranchPoint) {
    MOveTree r;
    ASSERT_TRUE(readText(r, "(;B[hh](;W[ih];B[ii])(;W[hi]))"));
    ASSERT_EQ(r.root()->childCount(), 1);
    const MOve* hh = r.root()->child(0);
    ASSERT_EQ(hh->childCount(), 2);
    EXPECT_EQ(hh->child(0)->pos, makePos(8, 7, 'W'));
    EXPECT_EQ(hh->child(1)->pos, makePos(7, 8, 'W'));
    ASSERT_EQ(hh->child(0)->childCount(), 1);
    EXPECT_EQ(hh->child(0)->child(0)->pos, makePos(8, 8, 'B'));
    EXPECT_EQ(hh->child(1)->childCount(), 0);
    expectConsistent(r);
}

TEST(RecordTextRead, RefusedMoveIsReportedAndSkipped) {
    MOveTree r;
    testing::internal::CaptureStderr();
    ASSERT_TRUE(readText(r, "(;B[hh](;W[hh];B[ii])(;W[hi]))"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "error : Illegal move\n");
    EXPECT_EQ(r.illegalMoves(), 1);
    const MOve* hh = r.root()->child(0);
    ASSERT_EQ(hh->childCount(), 2);
    EXPECT_EQ(hh->child(0)->pos, makePos(8, 8, 'B'));
    EXPECT_EQ(hh->child(1)->pos, makePos(7, 8, 'W'));
    expectConsistent(r);
}

TEST(RecordTextRead, TheTextDecidesTheColours) {
    MOveTree r;
    ASSERT_TRUE(readText(r, "(;B[hh];B[ii];W[aa])"));
    r.Forward();
    r.Forward();
    EXPECT_EQ(r.current()->pos.colour, 'B');
    expectConsistent(r);
}

TEST(RecordTextRead, CommentValues) {
    MOveTree r;
    ASSERT_TRUE(readText(r, "(;B[hh]C[12];W[ih]C[good];B[ii]C[-7]C[5];W[ij]C[99999999999])"));
    const MOve* n = r.root()->child(0);
    EXPECT_EQ(n->value, 12);
    n = n->child(0);
    EXPECT_EQ(n->value, 0);
    n = n->child(0);
    EXPECT_EQ(n->value, -75); // both values of one node go to the same text
    n = n->child(0);
    EXPECT_EQ(n->value, 2147483647);

    MOveTree free;
    free.setCommentMode(0);
    std::istringstream in("(;B[hh]C[a good move];W[ih])");
    ASSERT_TRUE(free.ReadRecord(in));
    EXPECT_EQ(free.root()->child(0)->comment, "a good move");
    EXPECT_EQ(free.root()->child(0)->value, kNoValue);
    std::string text = free.RecordText();
    EXPECT_NE(text.find(";B[hh]C[a good move];W[ih])"), std::string::npos) << text;
}

TEST(RecordTextRead, PropertyBeforeAMoveTurnsTheNodeIntoRootProperties) {
    MOveTree r;
    ASSERT_TRUE(readText(r, "(;PB[someone]B[hh];W[ih])"));
    EXPECT_EQ(r.header(), (std::vector<std::string>{"PB[someone]", "B[hh]"}));
    ASSERT_EQ(r.root()->childCount(), 1);
    EXPECT_EQ(r.root()->child(0)->pos, makePos(8, 7, 'W'));
}

TEST(RecordTextRead, MalformedTextsEndQuietly) {
    MOveTree r;
    for (const char* text :
         {"", "(", "((((", ")", "(;B[h", "(;B[", "(;B", "(;C[12", "(;GM[4", "(;B[hh]C",
          "(;B[hh];W[ih", "garbage", ";;;;", "(;B[hh]))))((", "(;W[zz])"}) {
        readText(r, text);
        expectConsistent(r);
    }
}

TEST(RecordTextRead, NestingIsBounded) {
    MOveTree r;
    auto nested = [](int levels) {
        return std::string(static_cast<size_t>(levels), '(') + ";B[hh]" +
               std::string(static_cast<size_t>(levels), ')');
    };
    ASSERT_TRUE(readText(r, nested(1000)));
    EXPECT_EQ(r.root()->childCount(), 1);
    ASSERT_FALSE(readText(r, nested(1001)));
    EXPECT_EQ(r.root()->childCount(), 0);
    expectConsistent(r);
    // Far deeper than any stack would take: refused the same way.
    ASSERT_FALSE(readText(r, std::string(2'000'000, '(')));
    EXPECT_EQ(r.root()->childCount(), 0);
    // Many sequences one after the other are fine.
    std::string flat;
    for (int i = 0; i < 5000; ++i) flat += "(;B[hh])";
    EXPECT_TRUE(readText(r, flat));
    expectConsistent(r);
}

TEST(RecordTextWrite, TheFiveLinesOfABranchedRecord) {
    MOveTree r;
    ASSERT_TRUE(readText(r, "(;B[hh](;W[ih];B[ii])(;W[hi]))"));
    EXPECT_EQ(r.RecordText(),
              kHeader + ";B[hh]C[-20000](;W[ih]C[-20000];B[ii]C[-20000])(;W[hi]C[-20000]))"
                        "\n");
    EXPECT_EQ(r.header(),
              (std::vector<std::string>{"GM[4]", "SZ[15]", "RU[Renju 1998]", "US[SORELL 3.0]"}));
}

TEST(RecordTextWrite, EmptyRecordAndTwoRootVariations) {
    MOveTree r;
    EXPECT_EQ(r.RecordText(), kHeader + ")\n");
    r.PutMove(7, 7, 'B');
    r.SetValue(3);
    r.Back();
    r.PutMove(8, 8, 'B');
    EXPECT_EQ(r.RecordText(), kHeader + "(;B[hh]C[3])(;B[ii]C[-20000]))\n");
    // Writing leaves the root current with the main line selected.
    EXPECT_EQ(r.current(), r.root());
    EXPECT_EQ(r.root()->selectedIndex(), 0);
    expectConsistent(r);
}

TEST(RecordTextWrite, LinesBreakBeforeASemicolonPastColumn61) {
    MOveTree r;
    playLine(r, "a1 b1 c1 d1 e1 f1 g1 h1 i1");
    r.SetValue(-200000); // one node one character longer
    playLine(r, "j1 k1 l1");
    std::string text = r.RecordText();
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 7u) << text;
    // The first ';' of a move line is at column 1: five nodes of 15 characters fit before the
    // sixth ';' reaches column 76.
    EXPECT_EQ(lines[4],
              ";B[aa]C[-20000];W[ba]C[-20000];B[ca]C[-20000];W[da]C[-20000];B[ea]C[-20000]");
    // After a break the ';' itself is not counted: the fifth ';' of this line is at column 61,
    // which does not break; nothing but a ';' ever breaks a line.
    EXPECT_EQ(lines[5], ";W[fa]C[-20000];B[ga]C[-20000];W[ha]C[-20000];B[ia]C[-200000];W[ja]C["
                        "-20000]");
    EXPECT_EQ(lines[6], ";B[ka]C[-20000];W[la]C[-20000])");
    EXPECT_EQ(text.back(), '\n');
}

TEST(RecordTextWrite, RoundTripKeepsTreeValuesAndText) {
    MOveTree r;
    playLine(r, "h8 i9 h9 h7 g8");
    r.SetValue(-5);
    r.Back();
    r.Back();
    playLine(r, "jA j9");
    r.SetValue(40);
    r.GoTop();
    playLine(r, "a1 oF");
    std::string text = r.RecordText();

    MOveTree back;
    ASSERT_TRUE(readText(back, text));
    EXPECT_EQ(back.RecordText(), text);
    r.GoTopMainLine();
    EXPECT_EQ(snapshot(back), snapshot(r));
    expectConsistent(back);
}
