// sorell-cli run as a separate process on small record files of each format.

#include "../common/without_write_permission.h"
#include "child_process.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

// h8, i8, h9 by black, white, black: the same game in the three record forms.
const std::string kBan = "808\n908\n809\n";
const std::string kBin = std::string{3, 112, 113, 127};
// The same main line in record text, with a second variation after black's first move.
const std::string kSgf = "(;GM[4]SZ[15]RU[Renju 1998];B[hh](;W[ih];B[hi])(;W[ii]))";
const std::string kShown = "黒1(h8):\n白2(i8):\n黒3(h9):\n";

// Black d8 e8 f8 g8 with c8 blocked by white: black's only five is at h8, white to move.
const std::string kFour = "408\n308\n508\n101\n608\n115\n708\n";
// Black f8 g8 and h6 h7 around an empty h8, white in the corners: h8 is a double three.
const std::string kDoubleThree = "608\n101\n708\n115\n806\n1501\n807\n1515\n";

class Cli : public ::testing::Test {
  protected:
    void SetUp() override {
        // The answers' language follows the locale: Japanese unless a test asks for English.
        setenv("LC_ALL", "C.UTF-8", 1);
        ASSERT_FALSE(dir.path().empty());
        dir.write("game.ban", kBan);
        dir.write("game.bin", kBin);
        dir.write("game.sgf", kSgf);
    }
    RunResult cli(const std::vector<std::string>& args) {
        return runProgram(CLI_PATH, args, dir.path());
    }

    TempDir dir;
};

} // namespace

TEST_F(Cli, ShowPrintsTheMainLineOfEveryFormat) {
    for (const char* file : {"game.ban", "game.bin", "game.sgf"}) {
        RunResult r = cli({"show", file});
        EXPECT_EQ(r.status, 0) << file << r.err;
        EXPECT_EQ(r.out, kShown) << file;
    }
    // Shape names follow the colon: black's fourth stone in a row is a four.
    dir.write("four.ban", kFour);
    RunResult r = cli({"show", "four.ban"});
    ASSERT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("黒7(g8):四\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("白2(c8):\n"), std::string::npos) << r.out;
}

TEST_F(Cli, ConvertRoundTripsThroughEveryFormat) {
    RunResult r = cli({"convert", "game.ban", "a.sgf", "--format", "sgf"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(dir.read("a.sgf").find(";B[hh]"), std::string::npos);
    r = cli({"convert", "a.sgf", "b.bin", "--format=bin"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(dir.read("b.bin"), kBin);
    r = cli({"convert", "--format", "ban", "b.bin", "c.ban"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(dir.read("c.ban"), kBan);

    // Record text keeps the variation; the number form keeps the main line and says so.
    r = cli({"convert", "game.sgf", "v.sgf", "--format", "sgf"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(dir.read("v.sgf").find("(;W[ii]"), std::string::npos) << dir.read("v.sgf");
    r = cli({"convert", "game.sgf", "v.ban", "--format", "ban"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(dir.read("v.ban"), kBan);
    EXPECT_NE(r.err.find("main line"), std::string::npos) << r.err;
}

TEST_F(Cli, ConvertRefusesWhatCannotBeReadBack) {
    // A game without moves: an empty .ban file is no record.
    dir.write("empty.sgf", "(;GM[4])");
    RunResult r = cli({"convert", "empty.sgf", "e.ban", "--format", "ban"});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.file("e.ban")));
    // Binary bytes 71, 77 spell "GM" and would read back as record text.
    dir.write("gm.ban", "808\n1205\n306\n");
    r = cli({"convert", "gm.ban", "gm.bin", "--format", "bin"});
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("gm.bin")));
    // A full board does not fit the count byte.
    std::string full;
    for (int i = 0; i < 225; ++i) full += std::to_string((i % 15 + 1) * 100 + i / 15 + 1) + "\n";
    dir.write("full.ban", full);
    r = cli({"convert", "full.ban", "full.bin", "--format", "bin"});
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.err.find("225"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("full.bin")));
}

// A target the user may not write is refused even where the folder would let a rename
// replace it, and stays as it was.
TEST_F(Cli, ConvertRespectsAProtectedTarget) {
    namespace fs = std::filesystem;
    fs::permissions(dir.path(), fs::perms::all);
    dir.write("theirs.sgf", "kept");
    fs::permissions(dir.file("theirs.sgf"), fs::perms::owner_read | fs::perms::others_read);
    // A copy of the program the other user can run wherever the build tree lies.
    fs::copy_file(CLI_PATH, dir.file("sorell-cli"));
    const bool refused = inProcessWithoutWriteRights([&] {
        return runProgram(dir.file("sorell-cli"),
                          {"convert", "game.ban", "theirs.sgf", "--format", "sgf"}, dir.path())
                   .status == 1;
    });
    EXPECT_TRUE(refused);
    EXPECT_EQ(dir.read("theirs.sgf"), "kept");
    EXPECT_EQ(fs::status(dir.file("theirs.sgf")).permissions(),
              fs::perms::owner_read | fs::perms::others_read);
}

TEST_F(Cli, ThinkAnswersThePositionAtTheEndOfTheMainLine) {
    dir.write("four.ban", kFour);
    RunResult r = cli({"think", "four.ban", "--db", dir.path()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "h8 7,7\n"); // white must block the five
    r = cli({"think", "four.ban", "--level", "strong", "--time", "50", "--threads", "2"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "h8 7,7");
    r = cli({"think", "game.sgf", "--db", dir.path()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(std::regex_match(r.out, std::regex("[a-o][1-9A-F] [0-9]+,[0-9]+\n"))) << r.out;

    // A game that is over has no next move.
    dir.write("five.ban", kFour + "1101\n808\n");
    r = cli({"think", "five.ban", "--db", dir.path()});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("over"), std::string::npos) << r.err;
}

TEST_F(Cli, JudgeNamesWhatEachColourWouldMake) {
    dir.write("four.ban", kFour);
    RunResult r = cli({"judge", "four.ban", "h8"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "black: 1 五");
    dir.write("three.ban", kDoubleThree);
    r = cli({"judge", "three.ban", "7,7"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "black: 21 三三禁");
    EXPECT_EQ(r.out.find("white: "), r.out.find('\n') + 1);

    EXPECT_EQ(cli({"judge", "game.ban", "H8"}).status, 1); // occupied
    for (const char* bad : {"z9", "h0", "15,1", "7", "-1,2"})
        EXPECT_EQ(cli({"judge", "game.ban", bad}).status, 2) << bad;
}

TEST_F(Cli, EnglishLocaleAndEveryCodeNamed) {
    dir.write("four.ban", kFour);
    dir.write("three.ban", kDoubleThree);
    RunResult r = cli({"judge", "three.ban", "bE"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "black: 20 なし\nwhite: 20 なし\n");
    r = cli({"judge", "three.ban", "j9"}); // one open two for black
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "black: 19 二");

    setenv("LC_ALL", "en_US.UTF-8", 1);
    r = cli({"judge", "three.ban", "h8"});
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "black: 21 forbidden 3x3");
    r = cli({"judge", "three.ban", "e7"});
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "black: 18 2 twos");
    r = cli({"show", "four.ban"});
    EXPECT_NE(r.out.find("B1(d8):\nW2(c8):\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("B7(g8):four\n"), std::string::npos) << r.out;
    setenv("LC_ALL", "", 1);
    setenv("LC_MESSAGES", "en_GB", 1);
    EXPECT_EQ(cli({"judge", "four.ban", "h8"}).out.substr(0, 13), "black: 1 five");
    unsetenv("LC_MESSAGES");
}

TEST_F(Cli, UnreadableFilesFailWithAMessage) {
    std::filesystem::create_directory(dir.file("folder"));
    dir.write("empty", "");
    dir.write("junk", "\xff\xfe\xfd");
    dir.write("rejected.sgf", "(;GM[5];B[hh])");
    for (const char* file : {"missing", "folder", "empty", "junk", "rejected.sgf"}) {
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"show", file},
              {"think", file, "--db", dir.path()},
              {"judge", file, "a1"},
              {"convert", file, "out.ban", "--format", "ban"}}) {
            RunResult r = cli(args);
            EXPECT_EQ(r.status, 1) << args[0] << " " << file;
            EXPECT_TRUE(r.out.empty()) << args[0] << " " << file;
            EXPECT_NE(r.err.find(file), std::string::npos) << r.err;
        }
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.ban")));
    // A failed conversion leaves an existing target untouched.
    dir.write("keep.ban", "808\n");
    EXPECT_EQ(cli({"convert", "junk", "keep.ban", "--format", "ban"}).status, 1);
    EXPECT_EQ(dir.read("keep.ban"), "808\n");
    // A target that cannot be written.
    EXPECT_EQ(cli({"convert", "game.ban", "no/such/dir/x.ban", "--format", "ban"}).status, 1);
}

TEST_F(Cli, BadArgumentsAndHelp) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{},
                                               {"play"},
                                               {"show"},
                                               {"show", "game.ban", "more"},
                                               {"convert", "game.ban", "x.ban"},
                                               {"convert", "game.ban", "x.ban", "--format", "zip"},
                                               {"convert", "game.ban", "x.ban", "--format"},
                                               {"think", "game.ban", "--depth", "9"},
                                               {"think", "game.ban", "--threads", "0"},
                                               {"judge", "game.ban"}}) {
        RunResult r = cli(args);
        EXPECT_EQ(r.status, 2) << (args.empty() ? "" : args[0]);
        EXPECT_NE(r.err.find("usage: sorell-cli"), std::string::npos);
    }
    RunResult r = cli({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("convert IN OUT --format ban|sgf|bin"), std::string::npos);
    for (const char* command : {"show", "convert", "think", "judge"}) {
        r = cli({command, "--help"});
        EXPECT_EQ(r.status, 0) << command;
        EXPECT_EQ(r.out.rfind(std::string("usage: sorell-cli ") + command, 0), 0u) << command;
    }
}

TEST_F(Cli, OutputThroughLinksAndPastTheFileSizeLimit) {
    namespace fs = std::filesystem;
    // A link to a file not made yet keeps the link and makes the file it names.
    fs::create_symlink("later.ban", dir.file("ahead.ban"));
    ASSERT_EQ(cli({"convert", "game.sgf", "ahead.ban", "--format", "ban"}).status, 0);
    EXPECT_TRUE(fs::is_symlink(dir.file("ahead.ban")));
    EXPECT_EQ(dir.read("later.ban"), kBan);
    // A loop of links is refused.
    fs::create_symlink("loop2", dir.file("loop1"));
    fs::create_symlink("loop1", dir.file("loop2"));
    EXPECT_EQ(cli({"convert", "game.sgf", "loop1", "--format", "ban"}).status, 1);

    // Past the file-size limit (inherited by the tool) the write fails, reported, with the
    // old file kept and no temporary file left.
    dir.write("keep.sgf", "old");
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 10;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    RunResult r = cli({"convert", "game.sgf", "keep.sgf", "--format", "sgf"});
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &saved), 0);
    EXPECT_EQ(r.status, 1) << "killed by the limit's signal?";
    EXPECT_NE(r.err.find("cannot write 'keep.sgf'"), std::string::npos) << r.err;
    EXPECT_EQ(dir.read("keep.sgf"), "old");
    for (const auto& entry : fs::directory_iterator(dir.path()))
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
}
