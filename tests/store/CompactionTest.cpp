#include "store/Compaction.h"
#include "store/Schema.h"
#include "support/PlaylistStore.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <atomic>
#include <thread>

namespace listrion::store {
namespace {

namespace fs = std::filesystem;

// Every channel's name and position, read through a fresh connection.
std::vector<std::string> contents(const fs::path& file)
{
    Database db = Schema::open(file);
    std::vector<std::string> all;
    Statement st = db.prepare("SELECT grupa || '/' || name || '/' || broj FROM Playlist ORDER BY "
                              "rowid");
    while (st.step()) {
        all.push_back(st.columnText(0));
    }
    return all;
}

bool besideExists(const fs::path& file, const char* suffix)
{
    return fs::exists(file.string() + suffix);
}

class Compaction : public ::testing::Test {
protected:
    test::TempFolder folder;
    fs::path file = folder.file("data.mdb");

    void SetUp() override
    {
        // A file made with the engine's default page size, as older stores are.
        sqlite3* raw = nullptr;
        sqlite3_open(file.c_str(), &raw);
        sqlite3_exec(raw, "PRAGMA page_size=4096; CREATE TABLE made_before(x)", nullptr, nullptr,
                     nullptr);
        sqlite3_close(raw);
        test::PlaylistStore s(file);
        s.fill({400, 600, 1000});
        s.db.exec("DELETE FROM Playlist WHERE grupa = 'G3'");
    }
};

TEST_F(Compaction, ReplacesTheFileWithACompactCopyThatHoldsEverything)
{
    const std::vector<std::string> before = contents(file);
    EXPECT_EQ(Database(file).scalarInt("PRAGMA page_size", 0), 4096);
    EXPECT_GT(Database(file).scalarInt("PRAGMA freelist_count", 0), 0);
    EXPECT_TRUE(compactionPays(file));
    const CompactResult r = Compact_Database(file);
    ASSERT_EQ(r.status, CompactStatus::Compacted) << r.message;
    EXPECT_FALSE(compactionPays(file));
    EXPECT_EQ(Database(file).scalarInt("PRAGMA page_size", 0), Database::kPageSize);
    EXPECT_EQ(Database(file).scalarInt("PRAGMA freelist_count", -1), 0);
    EXPECT_EQ(contents(file), before);
    EXPECT_EQ(contents(file).size(), 1000u);
    for (const char* suffix : {"-wal", "-shm", ".temp"}) {
        EXPECT_FALSE(besideExists(file, suffix)) << suffix;
    }
    EXPECT_EQ(Compact_Database(folder.file("missing.mdb")).status, CompactStatus::NoDatabase);
    EXPECT_FALSE(compactionPays(folder.file("missing.mdb")));
    EXPECT_FALSE(fs::exists(folder.file("missing.mdb")));
}

TEST_F(Compaction, AFailingRenameLosesNothing)
{
    const std::vector<std::string> before = contents(file);
    folder.write("data.mdb.temp", "left over from an interrupted run");
    bool renamed = false;
    const CompactResult r = Compact_Database(file, [&](const fs::path& from, const fs::path&) {
        renamed = true;
        // The old file's log is merged and gone before its replacement takes the name.
        EXPECT_FALSE(besideExists(file, "-wal"));
        EXPECT_FALSE(besideExists(file, "-shm"));
        EXPECT_EQ(contents(from), before);
        return std::make_error_code(std::errc::device_or_resource_busy);
    });
    EXPECT_TRUE(renamed);
    EXPECT_EQ(r.status, CompactStatus::Failed);
    EXPECT_FALSE(besideExists(file, ".temp"));
    EXPECT_EQ(contents(file), before);
}

TEST_F(Compaction, RefusesWhileAnotherConnectionIsOpen)
{
    const std::vector<std::string> before = contents(file);
    {
        Database other(file);
        other.exec("INSERT INTO Playlist (grupa, name, broj) VALUES ('G1', 'late', 9999)");
        const CompactResult r = Compact_Database(file);
        EXPECT_EQ(r.status, CompactStatus::InUse) << r.message;
        EXPECT_FALSE(besideExists(file, ".temp"));
        EXPECT_EQ(other.scalarInt("SELECT count(*) FROM Playlist", 0), 1001);
    }
    EXPECT_EQ(contents(file).size(), before.size() + 1);
    EXPECT_EQ(Compact_Database(file).status, CompactStatus::Compacted);
}

// A writer that opens the file while it is being compacted either waits and writes into the
// compacted file, or fails and says so: a write it reports done is never lost with the old file.
TEST_F(Compaction, AWriterArrivingDuringCompactionLosesNothing)
{
    {
        Database db(file);
        db.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 200000) "
                "INSERT INTO Playlist (grupa, name, broj) SELECT 'G9', printf('%08d', i), i "
                "FROM n; DELETE FROM Playlist WHERE broj % 2 = 0 AND grupa = 'G9'");
    }
    for (int delayMs : {0, 20, 80}) {
        SCOPED_TRACE(delayMs);
        std::atomic<bool> written = false;
        std::thread writer([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
            try {
                Database late(file);
                late.exec("INSERT INTO Playlist (grupa, name, broj) VALUES ('G1', 'late', 1)");
                written = true;
            } catch (const std::exception&) {
                // Refused (busy, or its file was replaced under it): it knows it did not write.
            }
        });
        Compact_Database(file);
        writer.join();
        const Database after(file);
        EXPECT_EQ(after.scalarInt("SELECT count(*) FROM Playlist WHERE name = 'late'", -1),
                  written ? 1 : 0);
        Database(file).exec("DELETE FROM Playlist WHERE name = 'late'");
    }
}

TEST_F(Compaction, ALogLeftByACrashEndsUpInTheCompactedFile)
{
    test::TempFolder crashed;
    const fs::path copy = crashed.file("data.mdb");
    {
        Database db(file);
        db.exec("PRAGMA wal_autocheckpoint=0; DELETE FROM Playlist WHERE grupa = 'G1';"
                "INSERT INTO Playlist (grupa, name, broj) VALUES ('G2', 'only in the log', 1)");
        // The files as a crash would leave them: rows that exist only in the log.
        fs::copy_file(file, copy);
        fs::copy_file(file.string() + "-wal", copy.string() + "-wal");
    }
    ASSERT_EQ(Compact_Database(copy).status, CompactStatus::Compacted);
    EXPECT_FALSE(besideExists(copy, "-wal"));
    const std::vector<std::string> after = contents(copy);
    EXPECT_EQ(after.size(), 601u);
    EXPECT_EQ(after.back(), "G2/only in the log/1");
}

TEST_F(Compaction, PaysForEnoughFreePages)
{
    ASSERT_EQ(Compact_Database(file).status, CompactStatus::Compacted);
    Database db(file); // stays open: the freed pages are known from its log only
    db.exec("DELETE FROM Playlist");
    const std::int64_t pages = db.scalarInt("PRAGMA page_count", 0);
    const std::int64_t free = db.scalarInt("PRAGMA freelist_count", 0);
    ASSERT_GT(free, 0);
    const double share = static_cast<double>(free) / static_cast<double>(pages);
    EXPECT_TRUE(compactionPays(file, share));
    EXPECT_FALSE(compactionPays(file, share + 0.01));
}

} // namespace
} // namespace listrion::store
