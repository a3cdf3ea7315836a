// Game information in the record text: written only when entered, read back, kept by copies,
// cleared by a new game, and values that could break the record text made safe.
#include "model/game_info.h"
#include "model/move_tree.h"
#include "model/record_copy.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string textOf(MOveTree& r) {
    std::string bytes;
    r.setRecordFormat(0);
    EXPECT_TRUE(r.WriteBytes(bytes));
    return bytes;
}

void playThree(MOveTree& r) {
    r.PutMoveAlternating(7, 7);
    r.PutMoveAlternating(8, 7);
    r.PutMoveAlternating(8, 8);
}

} // namespace

TEST(GameInfoRecord, WrittenOnlyWhenEnteredAndReadBack) {
    MOveTree plain;
    playThree(plain);
    EXPECT_EQ(textOf(plain), "(;GM[4]\nSZ[15]\nRU[Renju 1998]\nUS[SORELL "
                             "3.0]\n;B[hh]C[-20000];W[ih]C[-20000];B[ii]C[-20000])\n");

    MOveTree r;
    playThree(r);
    GameInfo info;
    info.black = "山田 太郎";
    info.white = "Sorell";
    info.date = "2026-12-09";
    info.result = "B+R";
    info.event = "練習";
    info.opening = "花月";
    r.setGameInfo(info);
    const std::string text = textOf(r);
    EXPECT_NE(text.find("US[SORELL 3.0]\nPB[山田 "
                        "太郎]\nPW[Sorell]\nDT[2026-12-09]\nRE[B+R]\nEV[練習]\nON[花月]\n"),
              std::string::npos)
        << text;

    MOveTree back;
    ASSERT_TRUE(back.ReadBytes(text));
    EXPECT_EQ(back.gameInfo(), info);
    EXPECT_EQ(textOf(back), text);
    EXPECT_EQ(cloneRecord(back)->gameInfo(), info);

    // Only the entered fields are written.
    GameInfo some;
    some.white = "W";
    plain.setGameInfo(some);
    EXPECT_NE(textOf(plain).find("US[SORELL 3.0]\nPW[W]\n;B[hh]C"), std::string::npos);

    back.Clear();
    EXPECT_TRUE(back.gameInfo().empty());
    ASSERT_TRUE(back.ReadBytes("(;GM[4];B[hh])"));
    EXPECT_TRUE(back.gameInfo().empty());
}

TEST(GameInfoRecord, ValuesThatWouldBreakTheTextAreMadeSafe) {
    EXPECT_EQ(cleanGameInfoValue("  a(b)[c];d\\e\n f\t "), "a\xEF\xBC\x88"
                                                           "b\xEF\xBC\x89\xEF\xBC\xBB"
                                                           "c\xEF\xBC\xBD\xEF\xBC\x9B"
                                                           "d\xEF\xBC\xBC"
                                                           "e  f");
    EXPECT_EQ(cleanGameInfoValue(" \r\n "), "");
    // Cut at the limit without splitting a three-byte character.
    const std::string longName(100, 'x');
    std::string kana;
    for (int i = 0; i < 50; ++i) kana += "あ";
    const std::string cut = cleanGameInfoValue(longName + kana);
    EXPECT_LE(cut.size(), kMaxGameInfoBytes);
    EXPECT_EQ(cut.size(), 100u + 3u * 33u);

    // A name with brackets and parentheses survives a round trip with the moves intact.
    MOveTree r;
    playThree(r);
    GameInfo info;
    info.black = cleanGameInfoValue("Taro (3-dan) [club]; x");
    r.setGameInfo(info);
    MOveTree back;
    ASSERT_TRUE(back.ReadBytes(textOf(r)));
    EXPECT_EQ(back.gameInfo().black, info.black);
    int moves = 0;
    while (back.Forward()) ++moves;
    EXPECT_EQ(moves, 3);

    // A read value is cleaned too; other properties are not taken.
    GameInfo read;
    EXPECT_TRUE(read.takeProperty("EV[a\x01z]"));
    EXPECT_EQ(read.event, "a z");
    EXPECT_FALSE(read.takeProperty("GM[4]"));
    EXPECT_FALSE(read.takeProperty("PBX[4]"));
}
