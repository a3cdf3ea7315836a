#include "database/book_cache.h"
#include "database/k_database.h"
#include "database/symmetry.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <sstream>

namespace {

KData positionOf(std::initializer_list<int> cells) {
    KData d(static_cast<int>(cells.size()));
    int i = 0;
    for (int c : cells) d.stones[i++] = static_cast<uint8_t>(c);
    return d;
}

// Entries: a position, the same one mirrored with another answer (the first one wins), one
// without continuations, one answering onto its own stone, and a damaged one.
const char* const kBook = "210 5 3\r\n"
                          "1024 112 113 97 127 0\r\n"
                          "1024 112 111 97 125 0\r\n"
                          "1024 1 2 3\r\n"
                          "1024 50 51 52 51 0\r\n"
                          "1024 300 2 3 4 0\r\n";

} // namespace

TEST(BookIndex, AnswersAsTheDatabaseDoes) {
    std::istringstream text(kBook);
    BookIndex index;
    ASSERT_EQ(index.read(text, 3), KdbReadResult::Ok);
    EXPECT_EQ(index.count(), 5);
    KDataBase db = KDataBase::unloaded(3);
    std::istringstream again(kBook);
    ASSERT_TRUE(db.loadFrom(again));
    for (const KData& q :
         {positionOf({112, 113, 97}), positionOf({97, 113, 112}), positionOf({1, 2, 3}),
          positionOf({50, 51, 52}), positionOf({112, 113, 98}), positionOf({4, 2, 3})}) {
        for (int s = 0; s < kSymmetries; ++s) {
            const KData t = transformed(q, s);
            EXPECT_EQ(index.lookup(t), db.lookup(t)) << int(q.stones[0]) << " " << s;
        }
    }
    EXPECT_EQ(index.lookup(positionOf({112, 113, 97})), 127);
    EXPECT_EQ(index.lookup(positionOf({112, 113})), 255);
}

TEST(BookCache, AFileIsReadOnceAndAgainWhenItChanges) {
    TempDir dir;
    const std::string name = dir.file("kelp003.kdb");
    writeBytes(name, "210 1 3\r\n1024 112 113 97 127 0\r\n");
    const auto first = openingBook(name, 3);
    ASSERT_TRUE(first);
    EXPECT_EQ(openingBook(name, 3), first);
    writeBytes(name, "210 1 3\r\n1024 112 113 97 14 0\r\n");
    const auto changed = openingBook(name, 3);
    ASSERT_TRUE(changed);
    EXPECT_EQ(changed->lookup(positionOf({112, 113, 97})), 14);
    // what is held answers without the file
    std::filesystem::remove(name);
    ASSERT_TRUE(heldOpeningBook(dir.file("kelp003.kdb")).has_value());
    EXPECT_EQ(heldOpeningBook(name).value(), changed);
    EXPECT_FALSE(heldOpeningBook(dir.file("kelp004.kdb")).has_value());
    testing::internal::CaptureStderr();
    EXPECT_FALSE(openingBook(name, 3));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "error: database not found\n");
    EXPECT_FALSE(heldOpeningBook(name).has_value());

    // a save by the editor is seen at once, whatever the file's time
    KDataBase db = KDataBase::unloaded(3, dir.prefix());
    KData entry = positionOf({112, 113, 97});
    entry.continuations.push_back({20, 0});
    ASSERT_TRUE(db.registerData(entry));
    ASSERT_TRUE(db.save());
    EXPECT_EQ(openingBook(name, 3)->lookup(entry), 20);
}

TEST(BookCache, AFileLargerThanAnyBookIsRefused) {
    TempDir dir;
    const std::string name = dir.file("kelp003.kdb");
    writeBytes(name, "210 1 3\r\n1024 112 113 97 127 0\r\n");
    std::filesystem::resize_file(name, kKdbMaxFileBytes + 1);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(openingBook(name, 3));
    KDataBase db(3, dir.prefix());
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "error: count is out of range\nerror: count is out of range\n");
    EXPECT_EQ(db.count(), 0);
    EXPECT_FALSE(db.mayReplaceFile());
}

// A FIFO would block the reader in open for ever: such a name is no database file. This test
// runs under a short timeout.
TEST(BookCache, NotARegularFileIsRefusedAtOnce) {
    TempDir dir;
    const std::string name = dir.file("kelp003.kdb");
    ASSERT_EQ(mkfifo(name.c_str(), 0600), 0);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(openingBook(name, 3));
    KDataBase db(3, dir.prefix());
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "error: database not found\nerror: database not found\n");
    EXPECT_FALSE(db.mayReplaceFile());
    EXPECT_FALSE(db.save());
}
