#include "../common/without_write_permission.h"
#include "database/k_database.h"
#include "database/symmetry.h"
#include "db_test_support.h"
#include "rules/ban_array.h"

#include <gtest/gtest.h>

#include <csignal>
#include <initializer_list>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

KData entryOf(std::initializer_list<int> stones, std::initializer_list<int> moves = {}) {
    KData d(static_cast<int>(stones.size()));
    int i = 0;
    for (int s : stones) d.stones[i++] = static_cast<uint8_t>(s);
    for (int m : moves) d.continuations.push_back({static_cast<uint8_t>(m), 0});
    return d;
}

// A database for the stone count of text read from a stream, with no file involved.
KDataBase fromText(uint8_t n, const std::string& text) {
    KDataBase db = KDataBase::unloaded(n);
    std::istringstream in(text);
    EXPECT_TRUE(db.loadFrom(in)) << text;
    return db;
}

// Black (7,7), white (8,7), black (7,5): no symmetry other than the identity keeps it.
const KData kStored = entryOf({112, 113, 82}, {127});

} // namespace

TEST(KDataBaseFile, LoadThenSaveReproducesTheFile) {
    TempDir dir;
    const std::string text = "210 4 3\r\n"
                             "1024 112 113 97 127 0\r\n"
                             "1024 112 113 97 \r\n"
                             "-17 0 224 14 15 2147483647 16 -3 17 0\r\n"
                             "5 240 1 2 255 9\r\n";
    writeBytes(dir.file("kelp003.kdb"), text);
    testing::internal::CaptureStderr();
    KDataBase db(3, dir.prefix());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(db.count(), 4);
    EXPECT_EQ(db.version(), 210);
    EXPECT_EQ(db.stoneCount(), 3);
    EXPECT_EQ(db.fileName(), dir.file("kelp003.kdb"));
    std::filesystem::remove(dir.file("kelp003.kdb"));
    ASSERT_TRUE(db.save());
    EXPECT_EQ(readBytes(dir.file("kelp003.kdb")), text);
}

TEST(KDataBaseFile, PathIsTakenUpToItsLastSeparator) {
    TempDir dir;
    writeBytes(dir.file("kelp001.kdb"), "210 1 1\r\n1024 112 113 0\r\n");
    KDataBase db(1, dir.file("sorell"));
    EXPECT_EQ(db.directory(), dir.prefix());
    EXPECT_EQ(db.count(), 1);
    EXPECT_EQ(db.lookup(entryOf({112})), 113);
}

TEST(KDataBaseFile, Messages) {
    TempDir dir;
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"209 0 5\r\n", "error: can't read this version\n"},
        {"", "error: can't read this version\n"},
        {"210 0 225\r\n", "error: count is out of range\n"},
        {"210 0 4\r\n", "error: count is out of range\n"},
        {"210 0 5\r\n", ""},
        {"210 9 5\r\n1024 1 2 3 4 5 6 0\r\n", ""},
    };
    for (const Case& c : cases) {
        writeBytes(dir.file("kelp005.kdb"), c.text);
        testing::internal::CaptureStderr();
        KDataBase db(5, dir.prefix());
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.message) << c.text;
        EXPECT_EQ(db.stoneCount(), 5) << c.text;
        if (*c.message) {
            EXPECT_EQ(db.count(), 0) << c.text;
        }
    }

    testing::internal::CaptureStderr();
    KDataBase missing(6, dir.prefix());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "error: database not found\n");
    EXPECT_EQ(missing.count(), 0);
    EXPECT_EQ(missing.lookup(entryOf({1, 2, 3, 4, 5, 6})), 255);

    std::filesystem::create_directory(dir.file("kelp007.kdb"));
    testing::internal::CaptureStderr();
    KDataBase unreadable(7, dir.prefix());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "error: database not found\n");
}

TEST(KDataBaseFile, StoneCountsOfAFullBoardReadNothing) {
    TempDir dir;
    testing::internal::CaptureStderr();
    KDataBase db(225, dir.prefix());
    KDataBase db255(255, dir.prefix());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(db.count(), 0);
    EXPECT_FALSE(db255.save()) << "a file for 255 stones could never be read back";
    EXPECT_FALSE(std::filesystem::exists(dir.file("kelp255.kdb")));
}

TEST(KDataBaseFile, SaveReportsFailureSilently) {
    TempDir dir;
    KDataBase db = KDataBase::unloaded(3, dir.prefix() + "no-such-dir/x");
    ASSERT_TRUE(db.registerData(kStored));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(db.save());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(KDataBaseFile, SavingAMissingDatabaseLeavesAHeader) {
    TempDir dir;
    testing::internal::CaptureStderr();
    KDataBase db(4, dir.prefix());
    testing::internal::GetCapturedStderr();
    EXPECT_FALSE(db.deleteData(entryOf({1, 2, 3, 4})));
    ASSERT_TRUE(db.save());
    EXPECT_EQ(readBytes(dir.file("kelp004.kdb")), "210 0 4\r\n");
}

TEST(KDataBaseLookup, FoundFromEveryOrientationWithTheMoveCarriedAlong) {
    KDataBase db = KDataBase::unloaded(3);
    ASSERT_TRUE(db.registerData(kStored));
    for (int t = 0; t < kSymmetries; ++t) {
        // The stored position turned by t, as the computer would see it on its board.
        BanArray board;
        for (int i = 0; i < 3; ++i) ASSERT_TRUE(board.put(transformCell(kStored.stones[i], t)));
        const KData query(board);
        EXPECT_EQ(db.lookup(query), transformCell(127, t)) << "t=" << t;
    }
}

TEST(KDataBaseLookup, StoredOrientationAndSelfSymmetricPositionsMatchFirst) {
    // Black (7,6), white (7,7), black (7,8): symmetric about the column through the centre.
    // The answer (8,8) is moved by the mirror images that keep the position (to (8,6) or
    // (6,8)), so only a match at s = 0 returns it unchanged.
    const KData symmetric = entryOf({97, 112, 127}, {128});
    KDataBase db = KDataBase::unloaded(3);
    ASSERT_TRUE(db.registerData(symmetric));
    EXPECT_EQ(db.lookup(symmetric), 128);
    ASSERT_TRUE(db.registerData(kStored));
    EXPECT_EQ(db.lookup(kStored), 127);
}

TEST(KDataBaseLookup, FirstEntryInFileOrderWins) {
    KDataBase db = fromText(3, "210 3 3\r\n"
                               "1024 112 113 82 \r\n"
                               "1024 112 113 82 100 0\r\n"
                               "1024 82 113 112 101 0\r\n");
    EXPECT_EQ(db.findExact(kStored), &db.entries()[0]);
    EXPECT_EQ(db.lookup(kStored), 255) << "the first match has no continuation";

    KDataBase db2 = fromText(3, "210 2 3\r\n"
                                "1024 82 113 112 100 0 101 0\r\n"
                                "1024 112 113 82 102 0\r\n");
    EXPECT_EQ(db2.lookup(kStored), 100);
}

TEST(KDataBaseLookup, StoneCountsMustAgree) {
    KDataBase db = KDataBase::unloaded(3);
    ASSERT_TRUE(db.registerData(kStored));
    EXPECT_EQ(db.lookup(entryOf({112, 113})), 255);
    EXPECT_EQ(db.findExact(entryOf({112, 113})), nullptr);
    KDataBase empty = KDataBase::unloaded(3);
    for (int t = 0; t < kSymmetries; ++t) EXPECT_EQ(empty.lookup(transformed(kStored, t)), 255);
    EXPECT_EQ(KDataBase::unloaded(0).lookup(KData(0)), 255);
}

TEST(KDataBaseLookup, DamagedAnswersAreNoAnswer) {
    // Each entry holds the position of kStored (stones in another order); the answer is off
    // the board, on a stone of the position, or on a stone after a rotation.
    const char* texts[] = {
        "210 1 3\r\n1024 82 113 112 225 0\r\n",  "210 1 3\r\n1024 82 113 112 -1 0\r\n",
        "210 1 3\r\n1024 82 113 112 1000 0\r\n", "210 1 3\r\n1024 82 113 112 113 0\r\n",
        "210 1 3\r\n1024 82 113 112 82 0\r\n",
    };
    for (const char* text : texts) {
        KDataBase db = fromText(3, text);
        ASSERT_EQ(db.count(), 1) << text;
        for (int t = 0; t < kSymmetries; ++t) {
            EXPECT_EQ(db.lookup(transformed(kStored, t)), 255) << text << " t=" << t;
        }
    }
    // An entry whose stones are damaged holds no position and answers nothing; it does not
    // hide a good entry after it.
    KDataBase db = fromText(3, "210 2 3\r\n1024 -1 113 112 100 0\r\n1024 82 113 112 101 0\r\n");
    EXPECT_EQ(db.lookup(kStored), 101);
    EXPECT_EQ(db.lookup(entryOf({255, 113, 112})), 255);
}

TEST(KDataBaseEdit, RegisterRules) {
    KDataBase db = KDataBase::unloaded(3);
    EXPECT_FALSE(db.registerData(entryOf({112, 113, 82}))) << "no continuation";
    EXPECT_TRUE(db.registerData(kStored));
    for (int t = 0; t < kSymmetries; ++t) {
        EXPECT_FALSE(db.registerData(transformed(kStored, t))) << "t=" << t;
    }
    EXPECT_FALSE(db.registerData(entryOf({82, 113, 112}, {5}))) << "same stones, other order";
    EXPECT_FALSE(db.registerData(entryOf({112, 113, 112}, {5}))) << "no valid position";
    EXPECT_EQ(db.count(), 1);
    // The copy is kept in the query's own orientation, with its tag and continuations.
    KData other = entryOf({112, 113, 98}, {99, 100});
    other.tag = 31;
    EXPECT_TRUE(db.registerData(other));
    ASSERT_EQ(db.count(), 2);
    EXPECT_EQ(db.entries()[1].stones[2], 98);
    EXPECT_EQ(db.entries()[1].tag, 31);
    EXPECT_EQ(db.entries()[1].continuationCount(), 2);
}

TEST(KDataBaseEdit, RegisterRefusesAPositionHeldWithoutContinuation) {
    // Adding a second entry behind one that has no continuation would report success while
    // lookups keep answering from the first.
    KDataBase db = fromText(3, "210 1 3\r\n1024 112 113 82 \r\n");
    EXPECT_FALSE(db.registerData(kStored));
    EXPECT_EQ(db.count(), 1);
}

TEST(KDataBaseEdit, DeleteRemovesOnlyTheFirstMatch) {
    KDataBase db = fromText(3, "210 4 3\r\n"
                               "1 112 113 97 5 0\r\n"
                               "2 112 113 82 6 0\r\n"
                               "3 82 113 112 7 0\r\n"
                               "4 112 113 96 8 0\r\n");
    EXPECT_FALSE(db.deleteData(entryOf({112, 113, 81})));
    EXPECT_EQ(db.count(), 4);
    // Found only after turning the query: still the first matching entry goes.
    EXPECT_TRUE(db.deleteData(transformed(kStored, 3)));
    ASSERT_EQ(db.count(), 3);
    EXPECT_EQ(db.entries()[0].tag, 1);
    EXPECT_EQ(db.entries()[1].tag, 3);
    EXPECT_EQ(db.entries()[2].tag, 4);
    EXPECT_EQ(db.lookup(kStored), 7);
    EXPECT_TRUE(db.deleteData(kStored));
    EXPECT_EQ(db.lookup(kStored), 255);
    EXPECT_EQ(db.count(), 2);
}

TEST(KDataBaseEdit, RegisterSaveAndReload) {
    TempDir dir;
    {
        testing::internal::CaptureStderr();
        KDataBase db(3, dir.prefix());
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "error: database not found\n");
        ASSERT_TRUE(db.registerData(kStored));
        ASSERT_TRUE(db.save());
    }
    EXPECT_EQ(readBytes(dir.file("kelp003.kdb")), "210 1 3\r\n1024 112 113 82 127 0\r\n");
    KDataBase db(3, dir.prefix());
    EXPECT_EQ(db.lookup(transformed(kStored, 6)), transformCell(127, 6));
}

// A file that exists but did not load completely is never replaced by what was read of it.
TEST(KDataBaseSave, AFileThatDidNotLoadWholeIsKept) {
    TempDir dir;
    const std::string name = dir.file("kelp003.kdb");
    const std::string kept[] = {
        "209 1 3\r\n1024 1 2 3 4 0\r\n",                    // an older version
        "210 1 4\r\n1024 1 2 3 4 5 0\r\n",                  // another stone count
        "210 3 3\r\n1024 1 2 3 4 0\r\n",                    // lines missing
        "210 2 3\r\n1024 1 2\r\n1024 112 113 82 127 0\r\n", // a line dropped
    };
    for (const std::string& text : kept) {
        writeBytes(name, text);
        testing::internal::CaptureStderr();
        KDataBase db(3, dir.prefix());
        testing::internal::GetCapturedStderr();
        EXPECT_FALSE(db.mayReplaceFile()) << text;
        db.registerData(entryOf({7, 8, 9}, {10}));
        EXPECT_FALSE(db.save()) << text;
        EXPECT_EQ(readBytes(name), text);
    }
    // A link to nowhere is there but cannot be read: kept too.
    std::filesystem::remove(name);
    std::filesystem::create_symlink("nowhere", name);
    testing::internal::CaptureStderr();
    KDataBase dangling(3, dir.prefix());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "error: database not found\n");
    EXPECT_FALSE(dangling.save());
    EXPECT_TRUE(std::filesystem::is_symlink(name));
    EXPECT_FALSE(KDataBase::unloaded(3, dir.prefix()).save());

    // A whole file, or none, may be replaced.
    std::filesystem::remove(name);
    testing::internal::CaptureStderr();
    KDataBase fresh(3, dir.prefix());
    testing::internal::GetCapturedStderr();
    EXPECT_TRUE(fresh.mayReplaceFile());
    ASSERT_TRUE(fresh.registerData(kStored));
    ASSERT_TRUE(fresh.save());
    KDataBase whole(3, dir.prefix());
    EXPECT_TRUE(whole.mayReplaceFile());
    ASSERT_TRUE(whole.deleteData(kStored));
    ASSERT_TRUE(whole.save());
    EXPECT_EQ(readBytes(name), "210 0 3\r\n");
}

// A save that cannot be completed, or that the user may not make, leaves the file as it was.
TEST(KDataBaseSave, FailedAndForbiddenSavesKeepTheFile) {
    TempDir dir;
    const std::string name = dir.file("kelp003.kdb");
    const std::string text = "210 1 3\r\n1024 112 113 82 127 0\r\n";
    writeBytes(name, text);
    std::filesystem::permissions(dir.prefix(), std::filesystem::perms::all);

    // A child limited to 20-byte files cannot write the whole text.
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{20, 20};
        setrlimit(RLIMIT_FSIZE, &limit);
        KDataBase db(3, dir.prefix());
        db.registerData(entryOf({7, 8, 9}, {10}));
        _exit(db.save() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a short write passed";
    EXPECT_EQ(readBytes(name), text);

    std::filesystem::permissions(name, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::group_read |
                                           std::filesystem::perms::others_read);
    struct stat before {};
    ASSERT_EQ(::stat(name.c_str(), &before), 0);
    EXPECT_TRUE(inProcessWithoutWriteRights([&] {
        KDataBase db(3, dir.prefix());
        return db.mayReplaceFile() && db.registerData(entryOf({7, 8, 9}, {10})) && !db.save();
    }));
    struct stat after {};
    ASSERT_EQ(::stat(name.c_str(), &after), 0);
    EXPECT_EQ(readBytes(name), text);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode, before.st_mode);
    int files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.prefix()))
        ++files;
    EXPECT_EQ(files, 1) << "no temporary file is left";
}
