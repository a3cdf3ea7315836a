// Records leaving and entering as text (clipboard move text, the paste reader, history lines)
// and the full copy of a record.
#include "model/history_line.h"
#include "model/move_text.h"
#include "model/paste_reader.h"
#include "model/record_copy.h"
#include "model/record_files.h"
#include "model_test_support.h"

#include <gtest/gtest.h>

namespace {

std::string lineText(const MOveTree& r) {
    std::string s;
    for (const MOve* n : pathToCurrent(r)) s += pointText(n->pos.x, n->pos.y) + " ";
    return s;
}

} // namespace

TEST(ClipboardText, MovesUpToTheCurrentNode) {
    MOveTree r;
    EXPECT_EQ(currentLineMoveText(r), "**,");
    playLine(r, "h8 i7 a1");
    r.Back();
    EXPECT_EQ(currentLineMoveText(r), "h8,i7,**,");
    r.Clear();
    playLine(r, "oF a1");
    EXPECT_EQ(currentLineMoveText(r), "oF,a1,**,");
}

TEST(HistoryLine, Format) {
    EXPECT_EQ(historyLine(1, 'B', 7, 7, 20), "黒1(h8):");
    EXPECT_EQ(historyLine(12, 'W', 9, 9, 12), "白12(jA):三");
    EXPECT_EQ(historyLine(10, 'W', 0, 0, 1), "白10(a1):五");
    EXPECT_EQ(historyLine(11, 'B', 14, 14, 21), "黒11(oF):三三禁");
    EXPECT_EQ(historyLine(3, 'B', 15, -1, 99), "黒3(?"
                                               "?):");
}

TEST(PasteReader, TheMoveTextThatCopyWrites) {
    MOveTree source;
    playLine(source, "h8 i7 jA oF a1");
    MOveTree r;
    ASSERT_TRUE(readPastedRecord(r, currentLineMoveText(source)));
    EXPECT_EQ(lineText(r), "h8 i7 jA oF a1 ");
    EXPECT_EQ(r.current()->pos.colour, 'B');
    expectConsistent(r);

    for (const char* text :
         {"H8,I7,**,", " h8 ,\r\n i7,\n**,\n", "h8,i7", "h8,i7,", "h8,i7,**", "h8\t,I7 ,  ** , "}) {
        ASSERT_TRUE(readPastedRecord(r, text)) << text;
        EXPECT_EQ(lineText(r), "h8 i7 ") << text;
        expectConsistent(r);
    }
    ASSERT_TRUE(readPastedRecord(r, "**,"));
    EXPECT_EQ(r.depth(), 0);
    EXPECT_EQ(r.root()->childCount(), 0);
}

TEST(PasteReader, MovesSeparatedBySpacesOrWrittenTogether) {
    MOveTree r;
    for (const char* text : {"h8 h7 i7", "h8h7i7", " H8\th7\r\ni7 ** ", "h8h7i7**"}) {
        ASSERT_TRUE(readPastedRecord(r, text)) << text;
        EXPECT_EQ(lineText(r), "h8 h7 i7 ") << text;
        expectConsistent(r);
    }
    // Rows 10 to 15 as books write them, in every form.
    for (const char* text : {"j10 a15 o11", "j10a15o11", "j10,a15,o11,**,", "jA aF oB"}) {
        ASSERT_TRUE(readPastedRecord(r, text)) << text;
        EXPECT_EQ(lineText(r), "jA aF oB ") << text;
    }
    ASSERT_TRUE(readPastedRecord(r, "h1h11"));
    EXPECT_EQ(lineText(r), "h1 hB ");
}

TEST(PasteReader, MoveNumbersAndRecordText) {
    MOveTree r;
    ASSERT_TRUE(readPastedRecord(r, "808\n909\r\n1015\n"));
    EXPECT_EQ(lineText(r), "h8 i9 jF ");
    expectConsistent(r);

    ASSERT_TRUE(readPastedRecord(r, "\n (;GM[4]SZ[15]\n;B[hh](;W[ih])(;W[hi]))\n"));
    EXPECT_EQ(r.current(), r.root());
    ASSERT_EQ(r.root()->childCount(), 1);
    EXPECT_EQ(r.root()->child(0)->childCount(), 2);
    EXPECT_EQ(r.header().front(), "GM[4]");
    expectConsistent(r);
}

TEST(PasteReader, UnreadableTextsChangeNothing) {
    MOveTree r;
    playLine(r, "h8 i9");
    r.Back();
    playLine(r, "g7");
    r.setRecordFormat(kRecordBan);
    std::string before = snapshot(r);
    std::string deep(1001, '(');
    testing::internal::CaptureStderr();
    for (const char* text : {"",
                             "  \n",
                             "hello",
                             "h8,h8,**,",
                             "h8,i7,**,j9",
                             "h8,,i7",
                             "h8i7j",
                             "h8 h8",
                             "h8 ** i7",
                             "h16 i7",
                             "h8 jG",
                             "j10,j10,",
                             "p1,",
                             "h0,",
                             "hG,",
                             ",",
                             "808 808",
                             "808 1600",
                             "808 end",
                             "808,909",
                             "(;GM[5];B[hh])",
                             "(;B[hh];W[hh])",
                             deep.c_str(),
                             "h8,i7,**,**,",
                             "\x80\xff"}) {
        EXPECT_FALSE(readPastedRecord(r, text)) << text;
        EXPECT_EQ(snapshot(r), before) << text;
    }
    testing::internal::GetCapturedStderr();
    std::string huge = "h8,";
    huge += std::string(kMaxPasteBytes, ' ');
    EXPECT_FALSE(readPastedRecord(r, huge));
    EXPECT_EQ(snapshot(r), before);
    expectConsistent(r);

    // A successful paste keeps the record's file format.
    ASSERT_TRUE(readPastedRecord(r, "a1,"));
    EXPECT_EQ(r.recordFormat(), kRecordBan);
}

TEST(RecordCopy, AFullCopySharesNothing) {
    auto source = std::make_unique<MOveTree>();
    playLine(*source, "h8 i9 h9 h7");
    source->SetValue(33);
    source->Back();
    playLine(*source, "g8 f8");
    source->Back();
    source->setRecordFormat(kRecordBinary);
    source->SaveState();
    source->setCommentMode(0);
    source->Back();
    source->Forward(); // back on g8, below a node with two children

    MOveTree copy;
    playLine(copy, "a1 a2 a3");
    uint64_t judged = copy.board().mapJudgements();
    assignRecord(copy, *source);
    EXPECT_EQ(snapshot(copy), snapshot(*source));
    EXPECT_EQ(copy.board().history().moveText(), source->board().history().moveText());
    EXPECT_TRUE(copy.board().blackMap() == source->board().blackMap());
    EXPECT_TRUE(copy.board().whiteMap() == source->board().whiteMap());
    EXPECT_EQ(copy.keptHistory().moveText(), source->keptHistory().moveText());
    EXPECT_EQ(copy.recordFormat(), kRecordBinary);
    EXPECT_EQ(copy.commentMode(), 0);
    EXPECT_EQ(copy.board().mapJudgements(), judged) << "copying replays the recorded maps";
    EXPECT_NE(copy.root(), source->root());
    EXPECT_NE(copy.current(), source->current());
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 15; ++x)
            if (copy.board().cell(x, y)) {
                EXPECT_NE(copy.board().cell(x, y), source->board().cell(x, y));
            }
    expectConsistent(copy);

    // Each side changes and dies alone.
    std::string sourceBefore = snapshot(*source);
    copy.GoTop();
    copy.DeleteChildren();
    EXPECT_EQ(snapshot(*source), sourceBefore);
    std::unique_ptr<MOveTree> clone = cloneRecord(*source);
    source.reset();
    EXPECT_TRUE(clone->PrevVariation());
    EXPECT_EQ(clone->current()->value, 33); // h7, the other child of h9
    expectConsistent(*clone);

    assignRecord(*clone, *clone);
    expectConsistent(*clone);
}

TEST(RecordCopy, CopyFollowsTheActualPathEvenWithForeignSelections) {
    MOveTree source;
    playLine(source, "h8 i9");
    source.Back();
    playLine(source, "g7");
    // A caller re-selects a child above current through the node pointers.
    source.current()->parent()->select(0);
    MOveTree copy;
    assignRecord(copy, source);
    EXPECT_EQ(lineText(copy), "h8 g7 ");
    expectConsistent(copy);
}
