// Reading a second playlist into the staging tables and merging it into the open playlist.
#include "store/History.h"
#include "store/Tables.h"
#include "store/Transaction.h"
#include "store/UndoSnapshot.h"
#include "support/PlaylistStore.h"
#include "support/TempFolder.h"
#include "tools/PlaylistMerge.h"
#include "tools/SecondPlaylist.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace listrion::tools {
namespace {

using Names = std::vector<std::string>;

// Stops a run once it has asked `after` times.
struct StopAfter : playlist::ProgressObserver {
    explicit StopAfter(int after) : left(after) {}
    void progress(const playlist::Progress&) override {}
    bool cancelRequested() override { return left-- <= 0; }
    int left;
};

std::string entry(const std::string& group, const std::string& name, const std::string& link,
                  const std::string& attributes = "")
{
    return "#EXTINF:-1 group-title=\"" + group + "\"" + attributes + "," + name + "\r\n" + link +
           "\r\n";
}

class Merge : public ::testing::Test {
protected:
    Merge()
    {
        s.group("sport", 1);
        s.group("Sport2", 2);
        s.group("News", 3, "Live");
        s.channel("sport", "S1", 2); // numbered from 2, as a load with a header line leaves it
        s.channel("sport", "S2", 3);
        s.channel("Sport2", "S3", 4);
        s.channel("News", "N1", 5);
        s.recount();
        store::takeUndoSnapshot(s.db);
        options.dataMdb = home.file("data.mdb");
        options.tempM3u = home.file("temp.m3u");
        options.reader.region = "Western European";
    }
    playlist::LoadResult stage(const std::string& text, playlist::ProgressObserver* stop = nullptr)
    {
        return stageSecondPlaylist(home.write("second.m3u", text), options, stop);
    }
    void expectOpenPlaylistAsBefore() const
    {
        EXPECT_EQ(s.groups(), (Names{"sport", "Sport2", "News"}));
        EXPECT_EQ(s.names(), (Names{"S1", "S2", "S3", "N1"}));
        EXPECT_EQ(s.db.scalarInt("SELECT count(*) FROM Playlist_backup", 0), 4);
        EXPECT_TRUE(s.problems().empty());
    }
    void expectSound() const
    {
        const std::vector<std::string> problems = s.problems();
        EXPECT_TRUE(problems.empty()) << problems.front();
    }

    test::TempFolder home;
    test::PlaylistStore s{home.file("data.mdb")};
    playlist::OpenOptions options;
};

TEST_F(Merge, TakenNamesGetTheFirstFreeNumberAndNewGroupsFollow)
{
    const playlist::LoadResult staged = stage(
        "#EXTM3U\r\n" + entry("Sport", "A", "http://x/a/clip.MKV") +
        entry("Films", "B", "http://x/b/movie.mp4?token=1") +
        entry("NEWS", "C", "http://x/c", " radio=\"true\"") + entry("News2", "D", "http://x/d") +
        entry("Sport", "E", "http://x/e.ts") + entry("sport", "F", "http://x/f/"));
    ASSERT_EQ(staged.status, playlist::LoadStatus::Loaded) << staged.message;
    EXPECT_EQ(staged.channels(), 6);
    expectOpenPlaylistAsBefore(); // staging leaves the open playlist alone
    // The merge reader's type rule: the radio attribute, then the end of the last part.
    EXPECT_EQ(
        s.texts("SELECT name || ' ' || type || ' ' || broj FROM Playlist_Second ORDER BY rowid"),
        (Names{"A VOD 2", "B Live 3", "C Radio 4", "D Live 5", "E VOD 6", "F Live 7"}));
    EXPECT_EQ(
        s.texts("SELECT grupa || ' ' || type || ' ' || count || ' ' || broj FROM Grupa_Second "
                "ORDER BY broj"),
        (Names{"Sport VOD 3 1", "Films Live 1 2", "NEWS Radio 1 3", "News2 Live 1 4"}));

    const MergeResult merged = mergeSecondPlaylist(s.db);
    EXPECT_EQ(merged.channels, 6);
    EXPECT_EQ(merged.groups, 4);
    EXPECT_EQ(merged.renamed, 2);
    // Sport2 belongs to the open playlist and NEWS2 is taken by News2 of the second one.
    EXPECT_EQ(s.groups(), (Names{"sport", "Sport2", "News", "Sport3", "Films", "NEWS3", "News2"}));
    EXPECT_EQ(s.names("Sport3"), (Names{"A", "E", "F"}));
    EXPECT_EQ(s.texts("SELECT grupa FROM Playlist WHERE name = 'F'"), Names{"Sport3"});
    EXPECT_EQ(s.texts("SELECT type || ' ' || count FROM Grupa ORDER BY broj"),
              (Names{"Live 2", "Live 1", "Live 1", "VOD 3", "Live 1", "Radio 1", "Live 1"}));
    // Every channel has a number of its own, group after group.
    EXPECT_EQ(s.column("Playlist", "broj"),
              (std::vector<std::int64_t>{2, 3, 4, 5, 6, 9, 10, 11, 7, 8}));
    expectSound();
    EXPECT_EQ(mergeSecondPlaylist(s.db).groups, 4); // the staged rows stay until emptied
    expectSound();
    emptyStaging(s.db);
    EXPECT_EQ(mergeSecondPlaylist(s.db).groups, 0);
}

// The merge's rows are kept by the history as one range: its undo moves them aside, its redo
// brings them back with their ids, and the store ends exactly as before and after.
TEST_F(Merge, UndoAndRedoOfAMergeRestoreEveryRow)
{
    s.db.exec("DELETE FROM Playlist WHERE name = 'S3'"); // ids need not follow one another
    s.recount();
    ASSERT_EQ(stage(entry("Sport", "A", "http://x/a") + entry("Films", "B", "http://x/b") +
                    entry("Sport", "C", "http://x/c"))
                  .channels(),
              3);
    const std::string dumpRows =
        "SELECT rowid || ' ' || grupa || ' ' || name || ' ' || link || ' ' || broj || ' ' || "
        "ifnull(type, '-') FROM Playlist ORDER BY rowid";
    const std::string dumpGroups =
        "SELECT rowid || ' ' || grupa || ' ' || count || ' ' || broj FROM Grupa ORDER BY rowid";
    const Names before = s.texts(dumpRows);
    const Names groupsBefore = s.texts(dumpGroups);
    mergeSecondPlaylist(s.db);
    // The open playlist's gap closes and the new channels follow on, group after group.
    EXPECT_EQ(s.texts("SELECT name || ' ' || broj FROM Playlist ORDER BY broj"),
              (Names{"S1 2", "S2 3", "N1 4", "A 5", "C 6", "B 7"}));
    const Names after = s.texts(dumpRows);
    const Names groupsAfter = s.texts(dumpGroups);
    ASSERT_EQ(after.size(), 6u);
    const auto copies = [this] {
        return s.db.scalarInt("SELECT count(*) FROM sqlite_schema WHERE name LIKE 'History_Copy_%'",
                              -1);
    };
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(store::History::undo(s.db));
        EXPECT_EQ(s.texts(dumpRows), before);
        EXPECT_EQ(s.texts(dumpGroups), groupsBefore);
        EXPECT_EQ(copies(), 1);
        ASSERT_TRUE(store::History::redo(s.db));
        EXPECT_EQ(s.texts(dumpRows), after);
        EXPECT_EQ(s.texts(dumpGroups), groupsAfter);
        EXPECT_EQ(copies(), 0);
        expectSound();
    }
    // A new command after the undo drops the rows kept aside with the step.
    ASSERT_TRUE(store::History::undo(s.db));
    {
        store::Transaction tx(s.db);
        s.db.exec("UPDATE Playlist SET name = 'N2' WHERE name = 'N1'");
        tx.commit();
    }
    EXPECT_FALSE(store::History::nextRedo(s.db));
    EXPECT_EQ(copies(), 0);
}

TEST_F(Merge, StoppedReadingMergesThePartRead)
{
    std::string text = "#EXTM3U\r\n";
    for (int i = 1; i <= 40; ++i) {
        text += entry("G" + std::to_string(i % 3), "Ch" + std::to_string(i),
                      "http://x/" + std::to_string(i));
    }
    StopAfter stop(21); // the header and ten entries of two lines
    const playlist::LoadResult staged = stage(text, &stop);
    EXPECT_EQ(staged.status, playlist::LoadStatus::Cancelled);
    EXPECT_EQ(staged.channels(), 10);
    EXPECT_EQ(s.texts("SELECT grupa || ' ' || count FROM Grupa_Second ORDER BY broj"),
              (Names{"G1 4", "G2 3", "G0 3"}));
    const MergeResult merged = mergeSecondPlaylist(s.db);
    EXPECT_EQ(merged.channels, 10);
    EXPECT_EQ(merged.renamed, 0);
    EXPECT_EQ(s.names("G0"), (Names{"Ch3", "Ch6", "Ch9"}));
    EXPECT_EQ(store::channelCount(s.db), 14);
    expectSound();
}

TEST_F(Merge, PlaylistWithoutLineBreaksIsRestructuredFirst)
{
    const std::string longFirst = "#EXTM3U " + std::string(493, 'x'); // 501 characters
    const playlist::LoadResult staged = stage(longFirst + "\r\n" + entry("One", "A", "http://x/1") +
                                              entry("One", "B", "http://x/2"));
    ASSERT_EQ(staged.status, playlist::LoadStatus::Loaded) << staged.message;
    EXPECT_EQ(staged.channels(), 2);
    EXPECT_TRUE(std::filesystem::exists(home.file("temp.m3u")));
    std::filesystem::remove(home.file("temp.m3u"));
    EXPECT_EQ(stage(longFirst.substr(1) + "\r\n" + entry("One", "A", "http://x/1")).channels(), 1);
    EXPECT_FALSE(std::filesystem::exists(home.file("temp.m3u"))); // 500 characters: read directly
    expectOpenPlaylistAsBefore();
    EXPECT_EQ(mergeSecondPlaylist(s.db).groups, 1);
    expectSound();
}

TEST_F(Merge, BadInputLeavesTheOpenPlaylistAlone)
{
    ASSERT_EQ(stage(entry("Kept", "K", "http://x/k")).channels(), 1);
    const playlist::LoadResult missing =
        stageSecondPlaylist(home.file("nothing.m3u"), options, nullptr);
    EXPECT_EQ(missing.status, playlist::LoadStatus::SourceMissing);
    EXPECT_NE(missing.message.find("nothing.m3u"), std::string::npos);
    EXPECT_EQ(stageSecondPlaylist(home.path(), options, nullptr).status,
              playlist::LoadStatus::SourceUnreadable);
    const playlist::LoadResult binary =
        stage(std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) + entry("X", "Y", "http://x/y"));
    EXPECT_EQ(binary.status, playlist::LoadStatus::SourceUnreadable);
    EXPECT_NE(binary.message.find("binary"), std::string::npos) << binary.message;
    // Refused files leave the staged playlist too.
    EXPECT_EQ(s.texts("SELECT grupa FROM Grupa_Second"), Names{"Kept"});

    StopAfter now(0);
    const playlist::LoadResult stopped = stage(entry("G", "A", "http://x/a"), &now);
    EXPECT_EQ(stopped.status, playlist::LoadStatus::Cancelled);
    EXPECT_EQ(stopped.channels(), 0);
    EXPECT_EQ(mergeSecondPlaylist(s.db).groups, 0);
    expectOpenPlaylistAsBefore();
}

} // namespace
} // namespace listrion::tools
