// The history of edits: random command sequences that keep the store sound, undone and redone
// in full; the cap, the commands that replace whole tables, a command killed half-way, and the
// history starting anew.
#include "store/History.h"
#include "RandomCommands.h"
#include "editing/PlaylistCommands.h"
#include "store/NamedBackups.h"
#include "store/Schema.h"
#include "store/Tables.h"
#include "store/Ticks.h"
#include "store/UndoSnapshot.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace listrion::editing {
namespace {

using store::History::redo;
using store::History::undo;

// Every row of the tables the history keeps, in store order, every column but the tick.
std::vector<std::string> dump(const store::Database& db)
{
    std::vector<std::string> rows;
    for (const char* table : {"Playlist", "Grupa", "SS_Epg"}) {
        std::string columns = "rowid";
        store::Statement names =
            db.prepare("SELECT name FROM pragma_table_info(?) WHERE name <> 'izberi' ORDER BY cid");
        names.bind(1, table);
        while (names.step()) {
            columns += " || '|' || quote(" + names.columnText(0) + ")";
        }
        store::Statement st =
            db.prepare("SELECT " + columns + " FROM " + table + " ORDER BY rowid");
        while (st.step()) {
            rows.push_back(std::string(table) + ":" + st.columnText(0));
        }
    }
    return rows;
}

// How many steps `go` (undo or redo) takes until there is none left.
std::size_t all(store::Database& db, std::optional<std::string> (*go)(store::Database&))
{
    std::size_t steps = 0;
    while (go(db)) {
        ++steps;
    }
    return steps;
}

// Random command sequences: after every step the store keeps its rules (one row per group name,
// counts right, channel numbers unique and one range per group, group positions 1..n), and the
// whole sequence is undone and redone in full.
TEST(HistoryProperty, RandomCommandsKeepTheStoreSoundAndAreUndoneAndRedoneInFull)
{
    for (unsigned seed = 1; seed <= 12; ++seed) {
        test::TempFolder home;
        test::PlaylistStore s(home.file("data.mdb"));
        s.fill({4, 1, 6, 3, 2, 5, 1, 7, 2, 3, 12});
        s.recount();
        s.db.exec("INSERT INTO SS_Epg (ssepgurl) VALUES ('http://epg/')");
        const std::vector<std::string> first = dump(s.db);
        test::RandomCommands commands(s, seed);
        for (int i = 0; i < 60; ++i) {
            const std::string what = commands.step();
            const std::vector<std::string> problems = s.problems();
            ASSERT_TRUE(problems.empty())
                << "seed " << seed << ", step " << i << " (" << what << "): " << problems.front();
        }
        const std::vector<std::string> last = dump(s.db);
        const std::size_t steps = store::History::steps(s.db).size();
        ASSERT_GT(steps, 10u) << "seed " << seed;
        EXPECT_EQ(all(s.db, undo), steps);
        ASSERT_EQ(dump(s.db), first) << "seed " << seed;
        EXPECT_EQ(all(s.db, redo), steps);
        ASSERT_EQ(dump(s.db), last) << "seed " << seed;
    }
}

TEST(History, NamesTheCapAndANewCommandAfterAnUndo)
{
    test::TempFolder home;
    test::PlaylistStore s(home.file("data.mdb"));
    s.fill({3, 2});
    s.recount();
    {
        const store::StepName name(s.db, "Delete group G1");
        deleteGroup(s.db, "G1", GroupGaps::ByPosition);
    }
    EXPECT_EQ(store::History::nextUndo(s.db)->name, "Delete group G1");
    EXPECT_EQ(s.db.stepName(), "Change");
    // Ticking is selection, not a step.
    s.db.exec("BEGIN");
    s.db.exec("COMMIT");
    store::TickTarget all;
    all.all = true;
    store::setChannelTicks(s.db, all, true);
    EXPECT_EQ(store::History::steps(s.db).size(), 1u);

    addGroup(s.db, "A", "Live");
    addGroup(s.db, "B", "Live");
    EXPECT_EQ(undo(s.db), "Change");
    EXPECT_EQ(store::History::nextRedo(s.db)->name, "Change");
    // A new command drops what could be redone.
    addGroup(s.db, "C", "Live");
    EXPECT_FALSE(store::History::nextRedo(s.db));
    EXPECT_EQ(s.groups(), (std::vector<std::string>{"G2", "A", "C"}));

    // Past the cap the oldest steps go; the newest stays whatever its size.
    s.db.setHistoryCap(1);
    addGroup(s.db, "D", "Live");
    ASSERT_EQ(store::History::steps(s.db).size(), 1u);
    EXPECT_TRUE(undo(s.db));
    EXPECT_FALSE(undo(s.db));
    EXPECT_EQ(s.groups(), (std::vector<std::string>{"G2", "A", "C"}));
}

TEST(History, WholeTableReplacementsAndANewPlaylist)
{
    test::TempFolder home;
    test::PlaylistStore s(home.file("data.mdb"));
    s.fill({3, 2});
    s.recount();
    store::takeUndoSnapshot(s.db);
    store::Naredi_Backup(s.db);
    deleteGroup(s.db, "G2", GroupGaps::ByPosition);
    const std::vector<std::string> edited = dump(s.db);
    const auto indexes = [&s] {
        return s.db.scalarInt("SELECT count(*) FROM sqlite_schema WHERE type = 'index' AND "
                              "tbl_name IN ('Playlist', 'Grupa')",
                              -1);
    };
    const std::int64_t indexed = indexes();
    store::Restore(s.db, store::RestoreForm::MainWindow);
    const std::vector<std::string> restored = dump(s.db);
    ASSERT_NE(restored, edited);
    EXPECT_EQ(indexes(), indexed);
    EXPECT_TRUE(undo(s.db));
    EXPECT_EQ(dump(s.db), edited);
    EXPECT_EQ(indexes(), indexed);
    EXPECT_TRUE(redo(s.db));
    EXPECT_EQ(dump(s.db), restored);
    deleteGroup(s.db, "G1", GroupGaps::ByPosition);
    EXPECT_EQ(store::Restore_Playlist(s.db, "01"), store::RestoreCopyResult::Restored);
    EXPECT_TRUE(undo(s.db));
    EXPECT_EQ(s.groups(), (std::vector<std::string>{"G2"}));
    // Compaction keeps the history; a new playlist starts a new one.
    newPlaylist(s.db);
    EXPECT_FALSE(store::History::nextUndo(s.db));
    EXPECT_EQ(
        s.db.scalarInt("SELECT count(*) FROM sqlite_schema WHERE name LIKE 'History_Copy%'", -1),
        0);
}

// Renames record the rows that go from one text to another together, and a tvg-name equal to
// the name is recorded once: each row still gets its own old text back.
TEST(History, SharedChangesGiveEachRowItsOwnTextBack)
{
    test::TempFolder home;
    test::PlaylistStore s(home.file("data.mdb"));
    s.fill({4, 3});
    s.recount();
    // The same group spelled two ways, and a tvg-name of its own.
    s.db.exec("UPDATE Playlist SET grupa = 'g1' WHERE rowid = (SELECT min(rowid) FROM Playlist)");
    s.db.exec("UPDATE Playlist SET tvgname = name");
    s.db.exec("UPDATE Playlist SET tvgname = 'other.' WHERE rowid = (SELECT max(rowid) FROM "
              "Playlist)");
    const std::vector<std::string> first = dump(s.db);
    renameGroup(s.db, "G1", "Films", OnMerge::Refuse);
    applyGroupNameEdit(s.db, {GroupNameTool::Upper, {}, {}}, OnMerge::Refuse);
    applyChannelNameEdit(s.db, {ChannelNameTool::Replace, ".", "!", true, true}, std::nullopt);
    applyChannelNameEdit(s.db, {ChannelNameTool::Upper, {}, {}}, std::nullopt);
    const std::vector<std::string> last = dump(s.db);
    ASSERT_EQ(s.texts("SELECT DISTINCT grupa FROM Playlist ORDER BY 1"),
              (std::vector<std::string>{"FILMS", "G2"}));
    EXPECT_EQ(all(s.db, undo), 4u);
    EXPECT_EQ(dump(s.db), first);
    EXPECT_EQ(all(s.db, redo), 4u);
    EXPECT_EQ(dump(s.db), last);
}

TEST(History, ACommandKilledHalfWayLeavesTheStepsBefore)
{
    test::TempFolder home;
    const std::filesystem::path file = home.file("data.mdb");
    {
        test::PlaylistStore s(file);
        s.fill({300, 200, 100});
        s.recount();
        addGroup(s.db, "Before", "Live");
    }
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        store::Database db = store::Schema::open(file);
        // Dies in the middle of renaming every group, its transaction open.
        sqlite3_progress_handler(
            db.handle(), 5000,
            [](void*) {
                std::raise(SIGKILL);
                return 0;
            },
            nullptr);
        applyGroupNameEdit(db, {GroupNameTool::Replace, "G", "Group "}, OnMerge::Refuse);
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    test::PlaylistStore s(file);
    store::Statement check = s.db.prepare("PRAGMA integrity_check");
    ASSERT_TRUE(check.step());
    EXPECT_EQ(check.columnText(0), "ok");
    check.reset();
    ASSERT_EQ(store::History::steps(s.db).size(), 1u);
    EXPECT_TRUE(undo(s.db));
    EXPECT_EQ(s.groups(), (std::vector<std::string>{"G1", "G2", "G3"}));
    EXPECT_TRUE(s.problems().empty());
}

} // namespace
} // namespace listrion::editing
