// Record files: detection by content, reading the three formats, writing them, and writes
// that fail without harming the file they would replace.
#include "../common/without_write_permission.h"
#include "model/move_tree.h"
#include "model/record_files.h"
#include "model_test_support.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string bytesOf(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s += static_cast<char>(v);
    return s;
}

std::vector<Pos> lineOf(const MOveTree& r) {
    std::vector<Pos> moves;
    for (const MOve* n : pathToCurrent(r)) moves.push_back(n->pos);
    return moves;
}

} // namespace

TEST(RecordFileDetection, ByContent) {
    TempDir dir;
    struct Case {
        std::string bytes;
        uint8_t format;
    } cases[] = {
        {"(;GM[4]SZ[15];B[hh])", kRecordText},
        {"xxGMxx", kRecordText},
        {"808\n909\n808\n", kRecordBan},
        {"808\n909\nend\n", kRecordBan},
        {"  +808 1515 101", kRecordBan},
        {"808 1600", kRecordUnknown},        // 16 in the x part: a damaged list of numbers
        {"808 -909", kRecordBinary},         // negative numbers are not move numbers
        {"99999999999 808", kRecordUnknown}, // too large to be read as a number
        {"", kRecordUnknown},
        {bytesOf({2, 112, 113}), kRecordBinary},
        {bytesOf({200, 1, 2}), kRecordBinary},
        {bytesOf({200, 1, 230}), kRecordUnknown},
        {bytesOf({225, 1}), kRecordUnknown},
        {bytesOf({2, 1, 2, 250}), kRecordBinary}, // bytes past the count do not matter
        {bytesOf({3, 71, 77, 112}), kRecordText}, // the moves G and M read as "GM"
    };
    int i = 0;
    for (const Case& c : cases) {
        std::string name = "f"; // appended: "f" + std::to_string() warns falsely with GCC 12 -O3
        name += std::to_string(i++);
        fs::path p = dir.file(name);
        writeBytes(p, c.bytes);
        EXPECT_EQ(DetectRecordFormat(p.c_str()), c.format) << c.bytes;
        EXPECT_EQ(detectRecordFormat(c.bytes), c.format) << c.bytes;
    }
    testing::internal::CaptureStderr();
    std::string missing = dir.file("missing");
    EXPECT_EQ(DetectRecordFormat(missing.c_str()), kRecordUnknown);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "error : " + missing + "can't be read\n");
}

TEST(RecordFileRead, BanNumbersSkipOccupiedPoints) {
    TempDir dir;
    MOveTree r;
    writeBytes(dir.file("a.ban"), "808\n909\n808\n");
    ASSERT_TRUE(r.ReadFile(dir.file("a.ban").c_str()));
    EXPECT_EQ(lineOf(r), (std::vector<Pos>{makePos(7, 7, 'B'), makePos(8, 8, 'W')}));
    expectConsistent(r);

    writeBytes(dir.file("b.ban"), "808\r\n909\r\nend\r\n1010\r\n");
    ASSERT_TRUE(r.ReadFile(dir.file("b.ban").c_str()));
    EXPECT_EQ(r.depth(), 2);
    expectConsistent(r);
}

TEST(RecordFileRead, BinaryMoves) {
    TempDir dir;
    MOveTree r;
    writeBytes(dir.file("a"), bytesOf({2, 112, 113}));
    ASSERT_TRUE(r.ReadFile(dir.file("a").c_str()));
    EXPECT_EQ(lineOf(r), (std::vector<Pos>{makePos(7, 7, 'B'), makePos(8, 7, 'W')}));

    // "808 1600x" (not only digits and white space): count 56, then the moves '0' '8' ' ' '1'
    // '6' '0' '0' 'x'; the two '0' repeat the point of the first and are skipped.
    writeBytes(dir.file("b"), "808 1600x");
    ASSERT_TRUE(r.ReadFile(dir.file("b").c_str()));
    EXPECT_EQ(lineOf(r),
              (std::vector<Pos>{makePos(3, 3, 'B'), makePos(11, 3, 'W'), makePos(2, 2, 'B'),
                                makePos(4, 3, 'W'), makePos(9, 3, 'B'), makePos(0, 8, 'W')}));
    expectConsistent(r);

    writeBytes(dir.file("c"), bytesOf({200, 1, 2}));
    ASSERT_TRUE(r.ReadFile(dir.file("c").c_str()));
    EXPECT_EQ(r.depth(), 2);
    expectConsistent(r);
}

// A rejected text is reported, and the record read before stays whole.
TEST(RecordFileRead, TextRecordsAndTheirRefusals) {
    TempDir dir;
    MOveTree r;
    writeBytes(dir.file("a.txt"), "(;GM[4]SZ[15]\n;B[hh];W[ih])\n");
    ASSERT_TRUE(r.ReadFile(dir.file("a.txt").c_str()));
    EXPECT_EQ(r.current(), r.root());
    EXPECT_EQ(r.root()->childCount(), 1);
    r.Forward();
    const std::string before = snapshot(r);
    const std::string refused[] = {
        "(;GM[5];B[hh])",
        "(;GM[4]RU[Renju 2009];B[hh])",
        std::string(1001, '(') + ";GM[4];B[hh]",
    };
    for (const std::string& text : refused) {
        writeBytes(dir.file("b.txt"), text);
        EXPECT_FALSE(r.ReadFile(dir.file("b.txt").c_str())) << text;
        EXPECT_FALSE(r.ReadBytes(text)) << text;
        EXPECT_EQ(snapshot(r), before) << text;
        expectConsistent(r);
    }
    TSgfTree<MOve>& base = r;
    EXPECT_FALSE(base.TSgfTree<MOve>::ReadFile(dir.file("b.txt").c_str()));
    r.Clear();

    // A binary file whose moves spell "GM" is read as a (meaningless) text record.
    playLine(r, "h8");
    writeBytes(dir.file("c"), bytesOf({3, 71, 77, 112}));
    EXPECT_TRUE(r.ReadFile(dir.file("c").c_str()));
    EXPECT_EQ(r.root()->childCount(), 0);
    expectConsistent(r);
}

TEST(RecordFileRead, UnreadableFilesLeaveTheRecordAlone) {
    TempDir dir;
    MOveTree r;
    playLine(r, "h8 i9 jA");
    std::string before = snapshot(r);
    writeBytes(dir.file("empty"), "");
    EXPECT_FALSE(r.ReadFile(dir.file("empty").c_str()));
    writeBytes(dir.file("junk"), bytesOf({250, 1, 2}));
    EXPECT_FALSE(r.ReadFile(dir.file("junk").c_str()));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(r.ReadFile(dir.file("missing").c_str()));
    EXPECT_FALSE(r.ReadFile(nullptr));
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("error : " + dir.file("missing") + "can't be read\n"), std::string::npos);
    EXPECT_FALSE(r.ReadFile(dir.file("").c_str())); // a directory
    EXPECT_EQ(snapshot(r), before);
    expectConsistent(r);
}

TEST(RecordFileWrite, BanNumbersOfTheCurrentLine) {
    TempDir dir;
    MOveTree r;
    playLine(r, "h8 i8 h9 i9 hA");
    r.Back();
    r.Back();
    r.setRecordFormat(kRecordBan);
    std::string before = snapshot(r);
    ASSERT_TRUE(r.WriteFile(dir.file("g.ban").c_str()));
    EXPECT_EQ(readBytes(dir.file("g.ban")), "808\n908\n809\n");
    EXPECT_EQ(snapshot(r), before);
    EXPECT_TRUE(r.Forward()); // redo still possible
    expectConsistent(r);
}

TEST(RecordFileWrite, BinaryAndItsCountLimit) {
    TempDir dir;
    MOveTree r;
    playLine(r, "h8 i8");
    r.setRecordFormat(kRecordBinary);
    ASSERT_TRUE(r.WriteFile(dir.file("g").c_str()));
    EXPECT_EQ(readBytes(dir.file("g")), bytesOf({2, 112, 113}));
    MOveTree back;
    ASSERT_TRUE(back.ReadFile(dir.file("g").c_str()));
    EXPECT_EQ(lineOf(back), lineOf(r));

    // A binary record whose last move byte is off the board is none of the formats.
    writeBytes(dir.file("off"), bytesOf({2, 112, 225}));
    EXPECT_FALSE(back.ReadFile(dir.file("off").c_str()));
    EXPECT_EQ(lineOf(back), lineOf(r));
}

// The writer refuses bytes that would not read back as the game: the target stays as it was.
TEST(RecordFileWrite, BytesThatWouldNotReadBackAreRefused) {
    TempDir dir;
    const fs::path target = dir.file("keep");
    writeBytes(target, "old\n");
    MOveTree r;
    std::string bytes = "x";
    auto refused = [&](uint8_t format) {
        r.setRecordFormat(format);
        return !r.WriteBytes(bytes) && bytes.empty() && !r.WriteFile(target.c_str()) &&
               readBytes(target) == "old\n";
    };
    // No moves: an empty ".ban" would be unreadable (the binary form is one count byte).
    EXPECT_TRUE(refused(kRecordBan));
    r.setRecordFormat(kRecordBinary);
    EXPECT_TRUE(r.WriteBytes(bytes));
    EXPECT_EQ(bytes, bytesOf({0}));

    // A full board: the count byte 225 is not read as binary.
    for (int i = 0; i < kPoints; ++i) ASSERT_NE(r.PutMoveAlternating(cellX(i), cellY(i)), nullptr);
    EXPECT_TRUE(refused(kRecordBinary));
    EXPECT_EQ(r.depth(), kPoints);

    // Binary moves that spell "GM" read back as text; ones that spell move numbers as ".ban".
    auto play = [&](std::initializer_list<int> cells) {
        r.Clear();
        for (int cell : cells) ASSERT_NE(r.PutMoveAlternating(cellX(cell), cellY(cell)), nullptr);
    };
    play({71, 77}); // "\x02GM"
    EXPECT_TRUE(refused(kRecordBinary));
    play({50, 48, 51, 112, 113, 114, 115, 116, 117}); // "\t203pqrstu": the move number 203
    EXPECT_TRUE(refused(kRecordBinary));
    r.setRecordFormat(kRecordBan);
    EXPECT_TRUE(r.WriteFile(target.c_str()));
}

TEST(RecordFileWrite, TextRecordKeepsTheCurrentNode) {
    TempDir dir;
    MOveTree r;
    playLine(r, "h8 i8 h9");
    r.Back();
    playLine(r, "g7");
    r.Back();
    MOve* current = r.current();
    ASSERT_TRUE(r.WriteFile(dir.file("t").c_str()));
    EXPECT_EQ(r.current(), current);
    EXPECT_EQ(r.depth(), 2);
    EXPECT_EQ(r.keptHistory().size(), 2u);
    expectConsistent(r);
    MOveTree back;
    ASSERT_TRUE(back.ReadFile(dir.file("t").c_str()));
    EXPECT_EQ(back.root()->child(0)->child(0)->childCount(), 2);
    EXPECT_EQ(back.RecordText(), readBytes(dir.file("t")));
}

TEST(RecordFileWrite, FailuresReportFalseAndKeepTheOldFile) {
    TempDir dir;
    MOveTree r;
    playLine(r, "h8 i8");
    fs::path target = dir.file("keep.ban");
    writeBytes(target, "old contents\n");

    r.setRecordFormat(7); // no such format: nothing is written
    EXPECT_FALSE(r.WriteFile(target.c_str()));
    EXPECT_EQ(readBytes(target), "old contents\n");

    r.setRecordFormat(kRecordBan);
    testing::internal::CaptureStderr();
    std::string inMissingDir = dir.file("no/such/dir.ban");
    EXPECT_FALSE(r.WriteFile(inMissingDir.c_str()));
    EXPECT_FALSE(r.WriteFile(dir.file("").c_str())); // a directory name
    fs::create_directory(dir.file("sub"));
    EXPECT_FALSE(r.WriteFile(dir.file("sub").c_str())); // a directory
    EXPECT_FALSE(r.WriteFile(""));
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("error : " + inMissingDir + "can't be write\n"), std::string::npos) << err;
    EXPECT_TRUE(fs::is_directory(dir.file("sub")));

    // Nothing but the target is left in the directory after a successful write.
    ASSERT_TRUE(r.WriteFile(target.c_str()));
    EXPECT_EQ(readBytes(target), "808\n908\n");
    int entries = 0;
    for (const auto& e : fs::directory_iterator(dir.file(""))) entries += e.path() != target;
    EXPECT_EQ(entries, 1); // "sub"
}

TEST(RecordFileWrite, AShortWriteFailsAndKeepsTheOldFile) {
    TempDir dir;
    fs::path target = dir.file("keep.txt");
    std::string old(5000, 'x');
    writeBytes(target, old);
    // In a child process limited to 200-byte files, a record text longer than that cannot be
    // written completely.
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{200, 200};
        setrlimit(RLIMIT_FSIZE, &limit);
        MOveTree r;
        for (int x = 0; x < 15; ++x) r.PutMoveAlternating(x, 3);
        bool ok = r.WriteFile(target.c_str());
        _exit(ok ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the short write was reported as success";
    EXPECT_EQ(readBytes(target), old);
    int entries = 0;
    for (const auto& e : fs::directory_iterator(dir.file(""))) entries += e.path() != target;
    EXPECT_EQ(entries, 0) << "the temporary file was left behind";
}

TEST(RecordFileWrite, LinksAndLongNames) {
    TempDir dir;
    MOveTree r;
    playLine(r, "h8");
    r.setRecordFormat(kRecordBan);
    writeBytes(dir.file("real.ban"), "old\n");
    fs::create_symlink("real.ban", dir.file("link.ban"));
    ASSERT_TRUE(r.WriteFile(dir.file("link.ban").c_str()));
    EXPECT_TRUE(fs::is_symlink(dir.file("link.ban")));
    EXPECT_EQ(readBytes(dir.file("real.ban")), "808\n");
    // The temporary file beside a file with the longest name a directory takes.
    std::string longName(255, 'g');
    ASSERT_TRUE(r.WriteFile(dir.file(longName).c_str()));
    EXPECT_EQ(readBytes(dir.file(longName)), "808\n");
}

TEST(RecordFileWrite, TheBaseTreeWritesAndReadsTextFiles) {
    TempDir dir;
    MOveTree r;
    playLine(r, "h8 i8");
    TSgfTree<MOve>& base = r;
    ASSERT_TRUE(base.TSgfTree<MOve>::WriteFile(dir.file("t").c_str()));
    EXPECT_EQ(r.depth(), 2);
    MOveTree back;
    TSgfTree<MOve>& backBase = back;
    ASSERT_TRUE(backBase.TSgfTree<MOve>::ReadFile(dir.file("t").c_str()));
    EXPECT_EQ(back.root()->child(0)->childCount(), 1);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(base.TSgfTree<MOve>::WriteFile(dir.file("no/t").c_str()));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "error : " + dir.file("no/t") + " can't be open\n");
}

// Renaming needs only the folder's permission; a file the user may not write is refused all
// the same, and stays byte for byte with its owner and mode.
TEST(RecordFileWrite, AFileTheUserMayNotWriteIsRefused) {
    TempDir dir;
    fs::permissions(dir.file(""), fs::perms::all);
    const fs::path target = dir.file("theirs.ban");
    writeBytes(target, "808\n");
    fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    struct stat before {};
    ASSERT_EQ(::stat(target.c_str(), &before), 0);
    EXPECT_TRUE(inProcessWithoutWriteRights([&] {
        MOveTree r;
        r.PutMoveAlternating(3, 3);
        r.setRecordFormat(kRecordBan);
        return !r.WriteFile(target.c_str()) && !replaceFileContents(target.c_str(), "x");
    }));
    struct stat after {};
    ASSERT_EQ(::stat(target.c_str(), &after), 0);
    EXPECT_EQ(readBytes(target), "808\n");
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_mode, before.st_mode);
    int entries = 0;
    for (const auto& e : fs::directory_iterator(dir.file(""))) entries += e.path() != target;
    EXPECT_EQ(entries, 0);
}

// Reading is bounded: a text of more moves and properties than any study holds is refused,
// and refused moves are told in a few lines and a count.
TEST(RecordFileRead, BoundedReading) {
    constexpr int kLimit = TSgfTree<MOve>::kMaxRecordItems;
    auto repeated = [](const std::string& part, int times) {
        std::string text = "(;GM[4]";
        text.reserve(text.size() + part.size() * static_cast<size_t>(times) + 1);
        for (int i = 0; i < times; ++i) text += part;
        return text + ")";
    };
    MOveTree r;
    playLine(r, "h8");
    const std::string before = snapshot(r);
    // GM[4] is one property: the limit counts it with the moves.
    EXPECT_TRUE(r.ReadBytes(repeated("(;B[hh])", kLimit - 1)));
    EXPECT_EQ(r.root()->childCount(), 1);
    playLine(r, "h8");
    const std::string again = snapshot(r);
    EXPECT_FALSE(r.ReadBytes(repeated("(;B[hh])", kLimit)));
    EXPECT_FALSE(r.ReadBytes(repeated("PB[x]", kLimit)));
    EXPECT_EQ(snapshot(r), again);
    EXPECT_EQ(again, before);

    testing::internal::CaptureStderr();
    ASSERT_TRUE(r.ReadBytes(repeated(";B[zz]", 10) + "(;GM[4];W[zz])"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "error : Illegal move\nerror : Illegal move\nerror : Illegal move\n"
              "error : Illegal move (11 in all)\n");
    EXPECT_EQ(r.illegalMoves(), 11);
    testing::internal::CaptureStderr();
    ASSERT_TRUE(r.ReadBytes("(;GM[4];B[zz];B[hh];W[hh])"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "error : Illegal move\nerror : Illegal move\n");
}

// A list of numbers with one off the board is a damaged record: it is refused, not read as
// seven moves of the byte form, so saving can never replace it by another game. A byte-form
// record whose bytes happen to be digits and white space is still read in the byte form.
TEST(RecordFileRead, DamagedNumberListIsRefused) {
    TempDir dir;
    MOveTree r;
    writeBytes(dir.file("a.ban"), "808\n909\n");
    ASSERT_TRUE(r.ReadFile(dir.file("a.ban").c_str()));
    const std::string damaged = dir.file("d.ban");
    writeBytes(damaged, "808\n809\n908\n707\n1010\n606\n1600\n");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(r.ReadFile(damaged.c_str()));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "error : " + damaged + "can't be read\n");
    EXPECT_EQ(lineOf(r), (std::vector<Pos>{makePos(7, 7, 'B'), makePos(8, 8, 'W')}));

    // nine moves on cells whose bytes are '0'..'9' and white space
    writeBytes(dir.file("b.bin"), bytesOf({9, 48, 49, 50, 51, 52, 53, 54, 55, 13}));
    ASSERT_TRUE(r.ReadFile(dir.file("b.bin").c_str()));
    EXPECT_EQ(r.board().history().size(), 9u);
    EXPECT_EQ(r.board().history().last().x, 13);
}

// A FIFO would block the reader in open for ever. This test runs under a short timeout.
TEST(RecordFileRead, NotARegularFileIsRefusedAtOnce) {
    TempDir dir;
    const std::string fifo = dir.file("game.ban");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    MOveTree r;
    testing::internal::CaptureStderr();
    EXPECT_EQ(DetectRecordFormat(fifo.c_str()), kRecordUnknown);
    EXPECT_FALSE(r.ReadFile(fifo.c_str()));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "error : " + fifo + "can't be read\nerror : " + fifo + "can't be read\n");
}
