// The channel commands on the large store: single-channel deletes, moves and copies with the
// renumbering each needs, a move of 10,000 ticked channels, and the text tools over every
// channel.
#include "BenchTools.h"

#include <functional>

#include "editing/ChannelCommands.h"
#include "editing/ChannelNameTools.h"
#include "store/ChannelNumbering.h"
#include "store/UndoSnapshot.h"

namespace listrion::bench {
namespace {

std::int64_t channelOf(store::Database& db, const std::string& group, const char* which)
{
    return db.scalarInt(std::string("SELECT rowid FROM Playlist WHERE grupa = ? ORDER BY broj ") +
                            which + " LIMIT 1",
                        0, group);
}

std::string groupAt(store::Database& db, std::int64_t broj)
{
    store::Statement st = db.prepare("SELECT grupa FROM Grupa WHERE broj = ?");
    st.bind(1, broj);
    return st.step() ? st.columnText(0) : std::string();
}

// Each command timed on a store numbered as after a full renumbering (renumbered, untimed,
// before every run), with the number of channel positions it changed.
void benchOne(store::Database& db, const Options& o, const char* what,
              const std::function<void()>& command)
{
    Timer t;
    std::int64_t changed = 0;
    for (int r = 0; r < o.repeat; ++r) {
        store::Zapisi_Nove_Brojeve(db);
        db.exec("DROP TABLE IF EXISTS temp.Before; CREATE TEMP TABLE Before AS "
                "SELECT rowid AS id, broj FROM Playlist");
        t.run(command);
        changed = db.scalarInt("SELECT count(*) FROM Playlist p JOIN temp.Before b ON "
                               "b.id = p.rowid WHERE b.broj <> p.broj",
                               0);
    }
    report(what, t, std::to_string(changed) + " positions changed");
}

void benchSingle(store::Database& db, const Options& o, const std::string& largest)
{
    using editing::ChannelSelection;
    const std::string first = groupAt(db, 1);
    const std::string second = groupAt(db, 2);
    const std::string last = groupAt(db, o.groups);
    auto middle = [&](const std::string& group) {
        return db.scalarInt("SELECT rowid FROM Playlist WHERE grupa = ?1 ORDER BY broj LIMIT 1 "
                            "OFFSET (SELECT count(*) / 2 FROM Playlist WHERE grupa = ?1)",
                            0, group);
    };
    for (const char* which : {"ASC", "DESC"}) {
        benchOne(db, o,
                 which[0] == 'A' ? "delete the first channel of the largest group"
                                 : "delete the last channel of the largest group",
                 [&] {
                     editing::deleteChannels(db,
                                             ChannelSelection::one(channelOf(db, largest, which)),
                                             editing::EmptiedGroup::Keep);
                 });
    }
    benchOne(db, o, "delete the middle channel of the largest group", [&] {
        editing::deleteChannels(db, ChannelSelection::one(middle(largest)),
                                editing::EmptiedGroup::Keep);
    });
    benchOne(db, o, "middle channel to the top of the largest group",
             [&] { editing::moveChannelTo(db, middle(largest), editing::ChannelEnd::Top); });
    benchOne(db, o, "middle channel to the bottom of the largest group",
             [&] { editing::moveChannelTo(db, middle(largest), editing::ChannelEnd::Bottom); });
    benchOne(db, o, "move a channel to the next group", [&] {
        editing::moveChannelsToGroup(db, ChannelSelection::one(middle(first)), second,
                                     std::nullopt);
    });
    benchOne(db, o, "copy a channel to the next group", [&] {
        editing::copyChannelsToGroup(db, ChannelSelection::one(middle(first)), second);
    });
    benchOne(db, o, "move a channel from the 2nd to the last group", [&] {
        editing::moveChannelsToGroup(db, ChannelSelection::one(middle(second)), last, std::nullopt);
    });
}

void benchTicked(store::Database& db, const Options& o, const std::string& largest)
{
    Timer move;
    const std::string target = groupAt(db, 3);
    for (int r = 0; r < o.repeat; ++r) {
        db.prepare("UPDATE Playlist SET izberi = 1 WHERE rowid IN (SELECT rowid FROM Playlist "
                   "WHERE grupa = ? ORDER BY broj LIMIT 10000)")
            .bindAll(largest)
            .run();
        move.run([&] {
            editing::moveChannelsToGroup(db, editing::ChannelSelection::tickedIn(largest), target,
                                         std::nullopt);
        });
        store::Restore(db, store::RestoreForm::Editor);
    }
    report("move 10,000 ticked channels to another group", move, "");
}

void benchTools(store::Database& db, const Options& o)
{
    using editing::ChannelNameTool;
    const std::pair<const char*, editing::ChannelNameEdit> tools[] = {
        {"upper case of every channel", {ChannelNameTool::Upper, {}, {}}},
        {"capitalisation of every channel", {ChannelNameTool::Capitalize, {}, {}}},
        {"replace in every name and tvg-name",
         {ChannelNameTool::Replace, "Channel", "Ch", true, true}},
        {"strip every name (none to strip)", {ChannelNameTool::Strip, {}, {}}}};
    for (const auto& [what, edit] : tools) {
        Timer t;
        std::int64_t changed = 0;
        for (int r = 0; r < o.repeat; ++r) {
            t.run([&] { changed = editing::applyChannelNameEdit(db, edit, std::nullopt); });
            store::Restore(db, store::RestoreForm::Editor);
        }
        report(what, t, std::to_string(changed) + " channels changed");
    }
}

} // namespace

void benchChannels(store::Database& db, const Options& o)
{
    std::int64_t size = 0;
    const std::string largest = groupOfSize(db, "count DESC", size);
    benchSingle(db, o, largest);
    benchTicked(db, o, largest);
    benchTools(db, o);
}

} // namespace listrion::bench
