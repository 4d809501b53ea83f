// Deferred checkpoints: commits leave their pages in the write-ahead log, and the thread copies
// them into the file soon after.
#include "store/CheckpointThread.h"
#include "store/Schema.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <thread>

namespace listrion::store {
namespace {

// Channels in the file itself, the write-ahead log left out.
std::int64_t channelsInFile(const std::filesystem::path& file)
{
    sqlite3* db = nullptr;
    const std::string uri = "file:" + file.string() + "?immutable=1";
    EXPECT_EQ(sqlite3_open_v2(uri.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr),
              SQLITE_OK);
    sqlite3_stmt* st = nullptr;
    std::int64_t count = -1;
    if (sqlite3_prepare_v2(db, "SELECT count(*) FROM Playlist", -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW) {
        count = sqlite3_column_int64(st, 0);
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return count;
}

void addChannels(Database& db, int count)
{
    db.exec("BEGIN");
    Statement add = db.prepare("INSERT INTO Playlist (grupa, name, broj) VALUES ('G', ?, ?)");
    for (int i = 1; i <= count; ++i) {
        add.bindAll("Channel " + std::to_string(i), i).run();
    }
    db.exec("COMMIT");
}

TEST(DeferredCheckpoints, TheThreadCopiesWhatTheWritersLeaveInTheLog)
{
    test::TempFolder home;
    const std::filesystem::path file = home.file("data.mdb");
    Database db = Schema::open(file);
    db.exec("PRAGMA wal_checkpoint(TRUNCATE)");
    {
        const DeferredCheckpoints deferred(file);
        Database writer(file);
        EXPECT_GT(writer.scalarInt("PRAGMA wal_autocheckpoint", 0), 10'000);
        // Fewer pages than a writer's own checkpoint waits for (see below): only the thread
        // brings them into the file.
        addChannels(writer, 40'000);
        std::int64_t copied = 0;
        for (int wait = 0; wait < 100 && copied != 40'000; ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            copied = channelsInFile(file);
        }
        EXPECT_EQ(copied, 40'000);
    }
    Database after(file);
    EXPECT_EQ(after.scalarInt("PRAGMA wal_autocheckpoint", 0), 1000);
}

TEST(DeferredCheckpoints, WithoutThemSmallCommitsStayInTheLog)
{
    test::TempFolder home;
    const std::filesystem::path file = home.file("data.mdb");
    Database db = Schema::open(file);
    db.exec("PRAGMA wal_checkpoint(TRUNCATE)");
    addChannels(db, 10);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(channelsInFile(file), 0);
}

} // namespace
} // namespace listrion::store
