// The history of edits on the large store: what recording adds to commands (each timed with the
// history paused and recording), and how long undo and redo take.
#include "BenchTools.h"

#include "editing/ChannelNameTools.h"
#include "editing/GroupCommands.h"
#include "editing/GroupNameTools.h"
#include "store/ChannelNumbering.h"
#include "store/GroupNumbering.h"
#include "store/History.h"
#include "store/PositionSwaps.h"
#include "store/Transaction.h"

#include <functional>

namespace listrion::bench {
namespace {

// The command timed without and with recording, its step undone after each run. A command of
// several transactions runs as one, so it makes one step.
void overhead(store::Database& db, const Options& o, const char* what,
              const std::function<void()>& body, const std::function<void()>& putBack = {})
{
    auto command = [&] {
        store::Transaction tx(db);
        body();
        tx.commit();
    };
    Timer plain;
    Timer recorded;
    for (int r = 0; r < o.repeat; ++r) {
        {
            const store::HistoryPause pause(db);
            plain.run(command);
            if (putBack) {
                putBack();
            }
        }
        store::History::clear(db);
        recorded.run(command);
        store::History::undo(db);
        store::History::clear(db);
        store::Zapisi_Nove_Brojeve(db);
    }
    const auto steps = store::History::steps(db);
    std::printf("%-52s %8.3f s  recorded %.3f s (%+.0f %%)\n", what, plain.best(), recorded.best(),
                100.0 * (recorded.best() / plain.best() - 1.0));
    std::fflush(stdout);
}

void undoAndRedo(store::Database& db, const Options& o, const char* what,
                 const std::function<void()>& command)
{
    Timer undo;
    Timer redo;
    for (int r = 0; r < o.repeat; ++r) {
        store::History::clear(db);
        command();
        undo.run([&] { store::History::undo(db); });
        redo.run([&] { store::History::redo(db); });
        store::History::undo(db);
    }
    const auto steps = store::History::steps(db);
    report(what, undo,
           "undo; redo " + std::to_string(redo.best()) + " s; step " +
               std::to_string(steps.empty() ? 0 : steps.front().bytes >> 10) + " KB");
}

} // namespace

void benchHistory(store::Database& db, const Options& o)
{
    std::int64_t size = 0;
    const std::string largest = groupOfSize(db, "count DESC", size);
    store::Zapisi_Nove_Brojeve(db);
    overhead(db, o, "rename the largest group", [&] {
        editing::renameGroup(db, largest, largest + " X", editing::OnMerge::Refuse);
        editing::renameGroup(db, largest + " X", largest, editing::OnMerge::Refuse);
    });
    // Upper case, then capitalisation back: every row changes twice and the names end as they
    // were.
    overhead(db, o, "group names upper-cased and capitalised back", [&] {
        editing::applyGroupNameEdit(db, {editing::GroupNameTool::Upper, {}, {}},
                                    editing::OnMerge::Refuse);
        editing::applyGroupNameEdit(db, {editing::GroupNameTool::Capitalize, {}, {}},
                                    editing::OnMerge::Refuse);
    });
    overhead(db, o, "channel names upper-cased and capitalised back", [&] {
        editing::applyChannelNameEdit(db, {editing::ChannelNameTool::Upper, {}, {}}, std::nullopt);
        editing::applyChannelNameEdit(db, {editing::ChannelNameTool::Capitalize, {}, {}},
                                      std::nullopt);
    });
    overhead(db, o, "full renumbering, every number changing", [&] {
        db.exec("UPDATE Grupa SET broj = (SELECT max(broj) + 1 FROM Grupa) WHERE rowid = "
                "(SELECT rowid FROM Grupa ORDER BY broj LIMIT 1)");
        store::Zapisi_Nove_Brojeve(db);
    });
    // The rows are put back from a copy after the run without recording.
    db.exec("CREATE TEMP TABLE DeletedChannels AS SELECT rowid AS id, * FROM Playlist WHERE 0; "
            "CREATE TEMP TABLE DeletedGroup AS SELECT rowid AS id, * FROM Grupa WHERE 0");
    db.prepare("INSERT INTO temp.DeletedChannels SELECT rowid, * FROM Playlist WHERE grupa = ?")
        .bindAll(largest)
        .run();
    db.prepare("INSERT INTO temp.DeletedGroup SELECT rowid, * FROM Grupa WHERE grupa = ?")
        .bindAll(largest)
        .run();
    overhead(
        db, o, "delete the largest group",
        [&] { editing::deleteGroup(db, largest, editing::GroupGaps::ByPosition); },
        [&] {
            db.exec("INSERT INTO Playlist (rowid, izberi, grupa, name, tvgname, tvgid, link, logo, "
                    "broj, type, parent_code, extras) SELECT * FROM temp.DeletedChannels; "
                    "INSERT INTO Grupa (rowid, izberi, grupa, type, count, broj) SELECT * FROM "
                    "temp.DeletedGroup");
            store::renumberGroupsByPosition(db);
        });
    db.exec("DROP TABLE temp.DeletedChannels; DROP TABLE temp.DeletedGroup");
    undoAndRedo(db, o, "undo/redo: a group one place up",
                [&] { store::Pozicija_Nova_Gore_Grupa(db, 500); });
    undoAndRedo(db, o, "undo/redo: delete the largest group",
                [&] { editing::deleteGroup(db, largest, editing::GroupGaps::ByPosition); });
}

} // namespace listrion::bench
