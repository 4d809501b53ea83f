// Commands that renumber, recount, move and tick groups and channels. The end tests that the
// windows apply before a move (no move of the first row up or of the last row down, nothing
// without ticked rows) are applied here the same way and reported as "nothing to move".
#include "cli/Command.h"
#include "editing/ChannelCommands.h"
#include "editing/GroupCommands.h"
#include "settings/Settings.h"
#include "store/BlockMoves.h"
#include "store/ChannelNumbering.h"
#include "store/GroupCounts.h"
#include "store/GroupNumbering.h"
#include "store/PositionSwaps.h"
#include "store/SelectedSteps.h"
#include "store/Ticks.h"
#include "store/Transaction.h"

#include <ostream>
#include <stdexcept>

namespace listrion::cli {
namespace {

std::string quoted(const std::string& name)
{
    return "'" + name + "'";
}

// The one positional argument that must be one of `choices`.
std::string choice(const std::string& given, std::initializer_list<const char*> choices)
{
    std::string list;
    for (const char* c : choices) {
        if (given == c) {
            return given;
        }
        list += list.empty() ? c : std::string(", ") + c;
    }
    throw UsageError("'" + given + "' is not one of " + list);
}

int renumber(Context& ctx, Arguments& args)
{
    args.finish(0, 0);
    store::Database& db = ctx.database();
    store::Transaction tx(db);
    const std::int64_t groups = store::Zapisi_Nove_Brojeve_Grupa(db);
    const std::int64_t channels = store::Zapisi_Nove_Brojeve(db);
    tx.commit();
    ctx.out() << "renumbered: " << groups << " group positions and " << channels
              << " channel positions changed\n";
    return 0;
}

int recount(Context& ctx, Arguments& args)
{
    args.finish(0, 0);
    const std::int64_t changed = store::Zapisi_Stevilo_Grupa(ctx.database());
    ctx.out() << "recounted: " << changed << " group counts changed\n";
    return 0;
}

// Whether a row with a lower (up) or higher (down) place than (broj, rowid) exists among the
// rows `scope` selects; ?1 is the group name where the scope needs one.
bool hasNeighbour(store::Database& db, const std::string& table, const std::string& scope,
                  const std::string& grupa, std::int64_t broj, std::int64_t rowid, bool up)
{
    const std::string before = "(broj < ?2 OR broj IS NULL OR (broj = ?2 AND rowid < ?3))";
    const std::string after = "(broj > ?2 OR (broj = ?2 AND rowid > ?3))";
    store::Statement st = db.prepare("SELECT EXISTS (SELECT 1 FROM " + table + " WHERE " + scope +
                                     " AND " + (up ? before : after) + ")");
    if (scope != "1") {
        st.bind(1, grupa);
    }
    st.bind(2, broj);
    st.bind(3, rowid);
    return st.step() && st.columnInt(0) != 0;
}

int moveGroupToEnd(Context& ctx, const std::string& name, bool top)
{
    store::Database& db = ctx.database();
    if (!editing::moveGroupTo(db, name, top ? editing::GroupEnd::Top : editing::GroupEnd::Bottom)) {
        ctx.out() << "nothing to move: " << quoted(name) << " is the " << (top ? "first" : "last")
                  << " group\n";
        return 0;
    }
    ctx.out() << "moved group " << quoted(name) << " to the " << (top ? "top" : "bottom")
              << " (position " << db.scalarInt("SELECT broj FROM Grupa WHERE grupa = ?", 0, name)
              << ")\n";
    return 0;
}

int moveGroup(Context& ctx, Arguments& args)
{
    const auto a = args.finish(2, 2);
    const std::string where = choice(a[0], {"up", "down", "top", "bottom"});
    const bool up = where == "up" || where == "top";
    const std::int64_t broj = parseInteger(a[1], "BROJ");
    store::Database& db = ctx.database();
    store::Statement group =
        db.prepare("SELECT rowid, grupa FROM Grupa WHERE broj = ? ORDER BY rowid LIMIT 1");
    group.bind(1, broj);
    if (!group.step()) {
        throw std::runtime_error("no group at position " + a[1]);
    }
    const std::string name = group.columnText(1);
    const std::int64_t rowid = group.columnInt(0);
    group.reset();
    if (where == "top" || where == "bottom") {
        return moveGroupToEnd(ctx, name, up);
    }
    bool moved = hasNeighbour(db, "Grupa", "1", "", broj, rowid, up);
    if (moved && up) {
        moved = store::Pozicija_Nova_Gore_Grupa(db, broj); // nothing at or below position 1
    } else if (moved) {
        store::Pozicija_Nova_Dole_Grupa(db, broj);
    }
    if (!moved) {
        ctx.out() << "nothing to move: " << quoted(name) << " is the " << (up ? "first" : "last")
                  << " group\n";
        return 0;
    }
    ctx.out() << "moved group " << quoted(name) << " from position " << broj << " to "
              << (up ? broj - 1 : broj + 1) << '\n';
    return 0;
}

int moveChannel(Context& ctx, Arguments& args)
{
    const auto a = args.finish(2, 2);
    const std::string where = choice(a[0], {"up", "down", "top", "bottom"});
    const bool up = where == "up" || where == "top";
    const std::int64_t broj = parseInteger(a[1], "BROJ");
    store::Database& db = ctx.database();
    store::Statement channel =
        db.prepare("SELECT rowid, grupa, name FROM Playlist WHERE broj = ? ORDER BY rowid LIMIT 1");
    channel.bind(1, broj);
    if (!channel.step()) {
        throw std::runtime_error("no channel at position " + a[1]);
    }
    const std::string grupa = channel.columnText(1);
    const std::string name = channel.columnText(2);
    const std::int64_t rowid = channel.columnInt(0);
    channel.reset();
    if (where == "top" || where == "bottom") {
        if (!editing::moveChannelTo(db, rowid,
                                    up ? editing::ChannelEnd::Top : editing::ChannelEnd::Bottom)) {
            ctx.out() << "nothing to move: " << quoted(name) << " is the "
                      << (up ? "first" : "last") << " channel of " << quoted(grupa) << '\n';
            return 0;
        }
        ctx.out() << "moved channel " << quoted(name) << " of " << quoted(grupa) << " to the "
                  << where << " (position "
                  << db.scalarInt("SELECT broj FROM Playlist WHERE rowid = ?", 0, rowid) << ")\n";
        return 0;
    }
    if (!hasNeighbour(db, "Playlist", "grupa = ?1", grupa, broj, rowid, up)) {
        ctx.out() << "nothing to move: " << quoted(name) << " is the " << (up ? "first" : "last")
                  << " channel of " << quoted(grupa) << '\n';
        return 0;
    }
    up ? store::Pozicija_Nova_Gore(db, broj) : store::Pozicija_Nova_Dole(db, broj);
    ctx.out() << "moved channel " << quoted(name) << " of " << quoted(grupa) << " from position "
              << broj << " to " << (up ? broj - 1 : broj + 1) << '\n';
    return 0;
}

void printBlock(Context& ctx, const std::string& what, const char* where, const store::BlockMove& r)
{
    ctx.out() << "moved " << r.moved << ' ' << what << " to the " << where << " (" << r.renumbered
              << " positions changed, " << r.unticked << " ticks cleared)\n";
}

int stepTicked(Context& ctx, const std::string& grupa, bool up)
{
    const store::SelectedStep r = up ? store::Pozicija_Nova_Gore_Sve(ctx.database(), grupa)
                                     : store::Pozicija_Nova_Dole_Sve(ctx.database(), grupa);
    ctx.out() << "moved " << r.moved << " ticked channels of " << quoted(grupa)
              << (up ? " up" : " down") << " (" << r.renumbered << " positions changed)";
    if (r.rememberedRow) {
        const settings::SettingsKey key =
            up ? settings::Keys::PozicijaUP : settings::Keys::PozicijaDown;
        if (!settings::Settings(ctx.folder().settingsIni()).write(key, *r.rememberedRow)) {
            ctx.out() << '\n';
            throw std::runtime_error("cannot write " + ctx.folder().settingsIni().string());
        }
        ctx.out() << "; row " << *r.rememberedRow << " remembered in " << key.section;
    }
    ctx.out() << '\n';
    return 0;
}

int moveTicked(Context& ctx, Arguments& args)
{
    const auto group = args.takeOption("--group");
    const auto a = args.finish(1, 1);
    const std::string how = choice(a[0], {"top", "bottom", "up", "down"});
    if (!group) {
        throw UsageError("--group NAME is required");
    }
    store::Database& db = ctx.database();
    if (db.scalarInt("SELECT count(*) FROM Playlist WHERE grupa = ? AND izberi <> 0", 0, *group) ==
        0) {
        ctx.out() << "nothing to move: no ticked channel in " << quoted(*group) << '\n';
        return 0;
    }
    if (how == "up" || how == "down") {
        return stepTicked(ctx, *group, how == "up");
    }
    printBlock(ctx, "ticked channels of " + quoted(*group), how.c_str(),
               how == "top" ? store::Premakni_Sve_Na_Vrh(db, *group)
                            : store::Premakni_Sve_Na_Dno(db, *group));
    return 0;
}

int moveTickedGroups(Context& ctx, Arguments& args)
{
    const auto a = args.finish(1, 1);
    const std::string how = choice(a[0], {"top", "bottom"});
    store::Database& db = ctx.database();
    if (db.scalarInt("SELECT count(*) FROM Grupa WHERE izberi <> 0", 0) == 0) {
        ctx.out() << "nothing to move: no ticked group\n";
        return 0;
    }
    printBlock(ctx, "ticked groups", how.c_str(),
               how == "top" ? store::Premakni_Sve_Na_Vrh_Grupa(db)
                            : store::Premakni_Sve_Na_Dno_Grupa(db));
    return 0;
}

int sortGroups(Context& ctx, Arguments& args)
{
    args.finish(0, 0);
    const std::int64_t changed = store::Zapisi_Nove_Brojeve_Groups_Sort_By_Name(ctx.database());
    ctx.out() << "sorted groups by name: " << changed << " positions changed\n";
    return 0;
}

int sortChannels(Context& ctx, Arguments& args)
{
    const std::string group = args.finish(1, 1).front();
    std::optional<std::string_view> which;
    if (group != "All") {
        which = group;
    }
    const std::int64_t changed =
        store::Zapisi_Nove_Brojeve_Channels_Sort_By_Name(ctx.database(), which);
    ctx.out() << "sorted the channels of " << (which ? quoted(group) : "all groups")
              << " by name: " << changed << " positions changed\n";
    return 0;
}

int tick(Context& ctx, Arguments& args, bool ticked)
{
    store::TickTarget target;
    target.grupa = args.takeOption("--group");
    for (const std::string& broj : args.takeRepeated("--broj")) {
        target.positions.push_back(parseInteger(broj, "--broj"));
    }
    target.all = args.takeFlag("--all");
    const bool channels = choice(args.finish(1, 1).front(), {"channels", "groups"}) == "channels";
    if (!channels && target.grupa && target.positions.empty()) {
        target.all = true; // the groups of that name
    }
    if (!target.all && target.positions.empty()) {
        throw UsageError("say which rows: --broj N or --all");
    }
    store::Database& db = ctx.database();
    const std::int64_t changed = channels ? store::setChannelTicks(db, target, ticked)
                                          : store::setGroupTicks(db, target, ticked);
    ctx.out() << (ticked ? "ticked " : "unticked ") << changed
              << (channels ? " channels\n" : " groups\n");
    return 0;
}

const char* const kTickHelp =
    "channels: the channels at the positions given with --broj (repeatable), or every channel\n"
    "with --all; --group NAME limits both to one group.\n"
    "groups: the groups at the positions given with --broj, every group with --all, or the\n"
    "group named with --group.\n"
    "Prints how many rows changed.";

} // namespace

void registerOrderingCommands(CommandRegistry& registry)
{
    registry.add({"renumber", "", "renumber the groups by type and position, then all channels",
                  "Groups get 1..n in the order of type, then position; channels one running\n"
                  "number, group by group.",
                  renumber});
    registry.add({"recount", "", "store every group's number of channels as its count",
                  "A group without channels keeps its count.", recount});
    registry.add({"move-group", "up|down|top|bottom BROJ",
                  "move the group at position BROJ one place, or to the top or bottom",
                  "The first group does not move up and the last does not move down. top and\n"
                  "bottom number every group 1..n in position order afterwards.",
                  moveGroup});
    registry.add({"move-channel", "up|down|top|bottom BROJ",
                  "move the channel at position BROJ one place, or to the top or bottom",
                  "Within its group: the group's first channel does not move up and its last\n"
                  "does not move down. top and bottom keep the group's range of positions.",
                  moveChannel});
    registry.add({"move-ticked", "top|bottom|up|down --group NAME",
                  "move the ticked channels of a group",
                  "top/bottom move them as one block and clear every tick; up/down move each\n"
                  "one place and remember the row to reselect in PozicijaUP/PozicijaDown of\n"
                  "Settings.ini.",
                  moveTicked});
    registry.add({"move-ticked-groups", "top|bottom",
                  "move the ticked groups to the top or bottom as one block",
                  "The type of a group is not considered; every tick is cleared afterwards.",
                  moveTickedGroups});
    registry.add({"sort-groups-by-name", "", "number the groups in name order", "", sortGroups});
    registry.add({"sort-channels-by-name", "GROUP|All",
                  "number a group's channels (or all channels) in name order",
                  "A group keeps its range of positions; All numbers every channel 1..N in the\n"
                  "order of group name, then channel name.",
                  sortChannels});
    registry.add({"tick", "channels|groups [--group NAME] [--broj N ...] [--all]",
                  "tick channels or groups", kTickHelp, [](Context& ctx, Arguments& args) {
                      return tick(ctx, args, true);
                  }});
    registry.add({"untick", "channels|groups [--group NAME] [--broj N ...] [--all]",
                  "clear the ticks of channels or groups", kTickHelp,
                  [](Context& ctx, Arguments& args) {
                      return tick(ctx, args, false);
                  }});
}

} // namespace listrion::cli
