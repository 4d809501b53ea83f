// Times the group and channel commands on a large generated store, and the re-read of the grids
// that follows each of them in the windows.
// usage: listrion-commands-bench DIR [groups|channels|history|playlist|restructure|all]
//        [--channels N] [--groups G] [--repeat R] [--largest L]
// DIR/seed.mdb is generated when missing and copied to DIR/data.mdb for the run.
#include "BenchTools.h"
#include "StoreGenerator.h"

#include "editing/ChannelGridModel.h"
#include "editing/GroupCommands.h"
#include "editing/GroupGridModel.h"
#include "editing/GroupNameTools.h"
#include "store/ChannelNumbering.h"
#include "store/CheckpointThread.h"
#include "store/GroupCounts.h"
#include "store/PositionSwaps.h"
#include "store/Schema.h"
#include "store/UndoSnapshot.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace listrion;
using bench::groupOfSize;
using bench::Options;
using bench::report;
using bench::Timer;

// What a window does after a notice: the group grid and the chosen group's channels re-read.
void benchRefresh(store::Database& db, const Options& o, const std::string& largest)
{
    editing::GroupGridModel groups(db);
    editing::ChannelGridModel channels(db);
    Timer t;
    for (int r = 0; r < o.repeat; ++r) {
        t.run([&] {
            groups.reload();
            channels.showGroupByPosition(largest);
        });
    }
    report("grids re-read (groups + the largest group)", t,
           std::to_string(channels.rowCount()) + " channel rows");
}

void benchMoves(store::Database& db, const Options& o)
{
    Timer up, top, bottom;
    for (int r = 0; r < o.repeat; ++r) {
        up.run([&] { store::Pozicija_Nova_Gore_Grupa(db, 500); });
        std::int64_t size = 0;
        const std::string any = groupOfSize(db, "abs(broj - 700)", size);
        top.run([&] { editing::moveGroupTo(db, any, editing::GroupEnd::Top); });
        bottom.run([&] { editing::moveGroupTo(db, any, editing::GroupEnd::Bottom); });
    }
    report("group up (Pozicija_Nova_Gore_Grupa)", up, "");
    report("group to the top (renumbered by position)", top, "");
    report("group to the bottom (renumbered by position)", bottom, "");
}

// Makes the largest group hold exactly `target` channels, taking the missing ones from the
// second largest, numbered and counted afresh, with a new undo snapshot.
void topUpLargest(store::Database& db, std::int64_t target)
{
    std::int64_t size = 0;
    const std::string largest = groupOfSize(db, "count DESC", size);
    if (size >= target) {
        return;
    }
    std::int64_t second = 0;
    const std::string donor = groupOfSize(db, "count DESC", second, 1);
    db.prepare("UPDATE Playlist SET grupa = ? WHERE rowid IN (SELECT rowid FROM Playlist WHERE "
               "grupa = ? ORDER BY broj LIMIT ?)")
        .bindAll(largest, donor, target - size)
        .run();
    store::Zapisi_Nove_Brojeve(db);
    db.exec("UPDATE Grupa SET count = (SELECT count(*) FROM Playlist WHERE Playlist.grupa = "
            "Grupa.grupa)");
    store::takeUndoSnapshot(db);
}

void benchRename(store::Database& db, const Options& o, std::string& largest)
{
    Timer rename;
    std::int64_t size = 0;
    for (int r = 0; r < o.repeat; ++r) {
        const std::string to = largest + " #" + std::to_string(r);
        rename.run([&] { editing::renameGroup(db, largest, to, editing::OnMerge::Refuse); });
        largest = to;
        db.scalarInt("SELECT count(*) FROM Playlist WHERE grupa = ?", 0, largest);
    }
    groupOfSize(db, "count DESC", size);
    report("rename the largest group", rename, std::to_string(size) + " channels");
}

void benchNameTools(store::Database& db, const Options& o)
{
    Timer upper, capitalize;
    editing::GroupNamesChanged changed;
    for (int r = 0; r < o.repeat; ++r) {
        upper.run([&] {
            changed = editing::applyGroupNameEdit(db, {editing::GroupNameTool::Upper, {}, {}},
                                                  editing::OnMerge::Refuse);
        });
        capitalize.run([&] {
            changed = editing::applyGroupNameEdit(db, {editing::GroupNameTool::Capitalize, {}, {}},
                                                  editing::OnMerge::Refuse);
        });
    }
    const std::string detail = std::to_string(changed.groups) + " groups, " +
                               std::to_string(changed.channels) + " channels renamed";
    report("upper case of every group name", upper, detail);
    report("capitalisation of every group name", capitalize, detail);
}

void benchDelete(store::Database& db, const Options& o)
{
    Timer remove;
    std::int64_t size = 0;
    for (int r = 0; r < o.repeat; ++r) {
        const std::string group = groupOfSize(db, "abs(count - 50000)", size);
        remove.run([&] { editing::deleteGroup(db, group, editing::GroupGaps::ByTypeAndPosition); });
        store::Restore(db, store::RestoreForm::Editor);
    }
    report("delete a group (+ Zapisi_Nove_Brojeve_Grupa)", remove,
           std::to_string(size) + " channels deleted");
}

Options parse(int argc, char** argv)
{
    Options o;
    o.dir = argc > 1 ? argv[1] : "bench/out/commands";
    int first = 2;
    if (argc > 2 && std::string(argv[2]).rfind("--", 0) != 0) {
        o.what = argv[2];
        first = 3;
    }
    for (int i = first; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const long long value = std::stoll(argv[i + 1]);
        if (name == "--channels") {
            o.channels = value;
        } else if (name == "--groups") {
            o.groups = static_cast<int>(value);
        } else if (name == "--repeat") {
            o.repeat = static_cast<int>(value);
        } else if (name == "--largest") {
            o.largest = value;
        } else if (name == "--deferred-checkpoints") {
            o.deferredCheckpoints = value != 0;
        }
    }
    return o;
}

} // namespace

int main(int argc, char** argv)
{
    const Options o = parse(argc, argv);
    fs::create_directories(o.dir);
    const fs::path seed = o.dir / ("seed-" + std::to_string(o.channels) + ".mdb");
    if (!fs::exists(seed)) {
        std::printf("generating %lld channels in %d groups ...\n",
                    static_cast<long long>(o.channels), o.groups);
        store::Database db = store::Schema::open(seed.string() + ".part");
        bench::generateStore(db, o.channels, o.groups);
        db.exec("PRAGMA wal_checkpoint(TRUNCATE); PRAGMA journal_mode=DELETE");
        db.close();
        fs::rename(seed.string() + ".part", seed);
    }
    const fs::path data = o.dir / "data.mdb";
    for (const char* suffix : {"", "-wal", "-shm"}) {
        fs::remove(data.string() + suffix);
    }
    fs::copy_file(seed, data);
    std::optional<store::DeferredCheckpoints> checkpoints;
    if (o.deferredCheckpoints) {
        checkpoints.emplace(data);
    }
    store::Database db = store::Schema::open(data);
    topUpLargest(db, o.largest);
    std::int64_t size = 0;
    std::string largest = groupOfSize(db, "count DESC", size);
    std::printf("store: %lld channels, %lld groups; largest group %lld channels; best of %d\n",
                static_cast<long long>(db.scalarInt("SELECT count(*) FROM Playlist", 0)),
                static_cast<long long>(db.scalarInt("SELECT count(*) FROM Grupa", 0)),
                static_cast<long long>(size), o.repeat);
    if (o.what == "groups" || o.what == "all") {
        benchMoves(db, o);
        benchRename(db, o, largest);
        benchRefresh(db, o, largest);
        benchDelete(db, o);
        benchNameTools(db, o);
    }
    if (o.what == "channels" || o.what == "all") {
        bench::benchChannels(db, o);
    }
    if (o.what == "history" || o.what == "all") {
        bench::benchHistory(db, o);
    }
    if (o.what == "restructure") {
        bench::benchRestructure(db, o);
    }
    if (o.what == "playlist" || o.what == "all") {
        bench::benchPlaylist(db, o);
    }
    std::printf("checkpoints %s\n", o.deferredCheckpoints
                                        ? "on a thread of their own, as in the editor"
                                        : "in the commits");
    return 0;
}
