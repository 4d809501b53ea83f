#include "editing/ChannelCommands.h"

#include "editing/EditRefused.h"
#include "editing/GroupCommands.h"
#include "store/ChannelNumbering.h"
#include "store/GroupCounts.h"
#include "store/GroupNumbering.h"
#include "store/NumberWriter.h"
#include "store/TextCollation.h"
#include "store/Transaction.h"

#include <algorithm>

namespace listrion::editing {
namespace {

using Reason = EditRefused::Reason;

struct ChannelRow {
    std::string grupa;
    std::int64_t broj = 0;
};

ChannelRow existingChannel(const store::Database& db, std::int64_t rowid)
{
    store::Statement st = db.prepare("SELECT grupa, broj FROM Playlist WHERE rowid = ?");
    st.bind(1, rowid);
    if (!st.step()) {
        throw EditRefused(Reason::NoSuchChannel, "there is no such channel");
    }
    return {st.columnText(0), st.columnInt(1)};
}

std::string existingGroupName(const store::Database& db, const std::string& name)
{
    std::optional<std::string> stored = storedGroupName(db, name);
    if (!stored) {
        throw EditRefused(Reason::NoSuchGroup, "there is no group '" + name + "'");
    }
    return *stored;
}

struct Position {
    std::int64_t rowid = 0;
    std::int64_t broj = 0;
    bool operator==(std::int64_t id) const { return rowid == id; }
};

// A group's channels in position order.
std::vector<Position> groupChannels(const store::Database& db, const std::string& grupa)
{
    std::vector<Position> rows;
    store::Statement st =
        db.prepare("SELECT rowid, broj FROM Playlist WHERE grupa = ? ORDER BY broj, rowid");
    st.bind(1, grupa);
    while (st.step()) {
        rows.push_back({st.columnInt(0), st.isNull(1) ? -1 : st.columnInt(1)});
    }
    return rows;
}

std::int64_t lowestNumber(const store::Database& db, const std::string& grupa)
{
    return db.scalarInt("SELECT min(broj) FROM Playlist WHERE grupa = ?", 0, grupa);
}

std::int64_t countOf(const store::Database& db, const std::string& grupa)
{
    return db.scalarInt("SELECT count(*) FROM Playlist WHERE grupa = ?", 0, grupa);
}

// Numbers `order` first, first+1, ...; writes only the numbers that change.
void numberInOrder(store::Database& db, const std::vector<Position>& order, std::int64_t first)
{
    store::NumberWriter writer(db, "Playlist");
    store::PositionCounter counter(first);
    for (const Position& row : order) {
        const std::int64_t next = counter.next();
        if (row.broj != next) {
            writer.add(row.rowid, next,
                       row.broj < 0 ? std::nullopt : std::optional<std::int64_t>(row.broj));
        }
    }
    writer.write();
}

void removeGroupIfEmpty(store::Database& db, const std::string& grupa, bool byType)
{
    if (countOf(db, grupa) > 0) {
        return;
    }
    db.prepare("DELETE FROM Grupa WHERE grupa = ?").bindAll(grupa).run();
    byType ? store::Zapisi_Nove_Brojeve_Grupa(db) : store::renumberGroupsByPosition(db);
}

} // namespace

std::vector<std::int64_t> selectedChannels(const store::Database& db, const ChannelSelection& which)
{
    std::vector<std::int64_t> ids;
    if (which.kind == ChannelSelection::Kind::One) {
        existingChannel(db, which.rowid);
        ids.push_back(which.rowid);
        return ids;
    }
    const bool inGroup = which.kind == ChannelSelection::Kind::TickedInGroup;
    store::Statement st = db.prepare(
        inGroup ? "SELECT rowid FROM Playlist WHERE grupa = ? AND izberi <> 0 ORDER BY broj, rowid"
                : "SELECT rowid FROM Playlist WHERE izberi <> 0 ORDER BY broj, rowid");
    if (inGroup) {
        st.bind(1, which.grupa);
    }
    while (st.step()) {
        ids.push_back(st.columnInt(0));
    }
    return ids;
}

bool moveChannelTo(store::Database& db, std::int64_t rowid, ChannelEnd end)
{
    store::Transaction tx(db);
    const ChannelRow channel = existingChannel(db, rowid);
    std::vector<Position> order = groupChannels(db, channel.grupa);
    if ((end == ChannelEnd::Top ? order.front() : order.back()) == rowid) {
        return false;
    }
    // The group keeps its lowest number, read before the move.
    const std::int64_t first = lowestNumber(db, channel.grupa);
    const auto at = std::find(order.begin(), order.end(), rowid);
    const Position moving = *at;
    order.erase(at);
    if (end == ChannelEnd::Top) {
        order.insert(order.begin(), moving);
    } else {
        order.push_back(moving);
    }
    numberInOrder(db, order, first);
    tx.commit();
    return true;
}

DeletedChannels deleteChannels(store::Database& db, const ChannelSelection& which,
                               EmptiedGroup emptied)
{
    store::Transaction tx(db);
    DeletedChannels result;
    result.grupa = which.kind == ChannelSelection::Kind::One
                       ? existingChannel(db, which.rowid).grupa
                       : existingGroupName(db, which.grupa);
    const std::int64_t first = lowestNumber(db, result.grupa);
    if (which.kind == ChannelSelection::Kind::One) {
        db.prepare("DELETE FROM Playlist WHERE rowid = ?").bindAll(which.rowid).run();
    } else {
        db.prepare("DELETE FROM Playlist WHERE grupa = ? AND izberi <> 0")
            .bindAll(result.grupa)
            .run();
    }
    result.channels = db.changes();
    // Numbered afresh from the old first number; the count is stored, 0 included.
    const store::ChannelsRenumbered left =
        store::Zapisi_Nove_Brojeve_Channels(db, result.grupa, first);
    if (emptied == EmptiedGroup::Remove && left.count == 0) {
        removeGroupIfEmpty(db, result.grupa, false);
        result.groupRemoved = true;
    }
    tx.commit();
    return result;
}

DeletedChannels deleteChannelRenumberingAll(store::Database& db, std::int64_t rowid)
{
    store::Transaction tx(db);
    DeletedChannels result;
    result.grupa = existingChannel(db, rowid).grupa;
    db.prepare("DELETE FROM Playlist WHERE rowid = ?").bindAll(rowid).run();
    result.channels = db.changes();
    store::Zapisi_Nove_Brojeve(db);
    recountGroups(db, {result.grupa});
    tx.commit();
    return result;
}

MovedChannels moveChannelsToGroup(store::Database& db, const ChannelSelection& which,
                                  const std::string& target,
                                  const std::optional<std::string>& removeIfEmptied)
{
    store::Transaction tx(db);
    const std::string to = existingGroupName(db, target);
    const std::vector<std::int64_t> ids = selectedChannels(db, which);
    std::vector<std::string> sources;
    store::Statement groupOf = db.prepare("SELECT grupa FROM Playlist WHERE rowid = ?");
    store::Statement move = db.prepare(which.kind == ChannelSelection::Kind::One
                                           ? "UPDATE Playlist SET grupa = ? WHERE rowid = ?"
                                           : "UPDATE Playlist SET grupa = ?, izberi = 0 "
                                             "WHERE rowid = ?");
    for (std::int64_t rowid : ids) {
        groupOf.bind(1, rowid);
        if (groupOf.step()) {
            std::string from = groupOf.columnText(0);
            if (std::none_of(sources.begin(), sources.end(), [&](const std::string& s) {
                    return store::compareText(s, from) == 0;
                })) {
                sources.push_back(std::move(from));
            }
        }
        groupOf.reset();
        move.bindAll(to, rowid);
        move.run();
    }
    MovedChannels result;
    result.channels = static_cast<std::int64_t>(ids.size());
    store::Osvezi_Grupu(db, to, store::GroupTypeFrom::FirstChannel);
    store::Zapisi_Nove_Brojeve(db);
    recountGroups(db, sources);
    if (removeIfEmptied && store::compareText(*removeIfEmptied, to) != 0 &&
        countOf(db, *removeIfEmptied) == 0 && storedGroupName(db, *removeIfEmptied)) {
        removeGroupIfEmpty(db, *removeIfEmptied, true);
        result.sourceRemoved = true;
    }
    tx.commit();
    return result;
}

std::int64_t copyChannelsToGroup(store::Database& db, const ChannelSelection& which,
                                 const std::string& target)
{
    store::Transaction tx(db);
    const std::string to = existingGroupName(db, target);
    const std::vector<std::int64_t> ids = selectedChannels(db, which);
    // A single copy goes after the target's last channel; ticked copies keep their numbers until
    // the renumbering places them.
    const bool single = which.kind == ChannelSelection::Kind::One;
    const std::int64_t after =
        db.scalarInt("SELECT max(broj) FROM Playlist WHERE grupa = ?", 0, to);
    store::Statement copy = db.prepare(
        "INSERT INTO Playlist (izberi, grupa, name, tvgname, tvgid, link, logo, broj, type, "
        "parent_code, extras) SELECT 0, ?1, name, tvgname, tvgid, link, logo, "
        "CASE WHEN ?2 THEN ?3 ELSE broj END, '', parent_code, extras FROM Playlist "
        "WHERE rowid = ?4");
    for (std::int64_t rowid : ids) {
        copy.bindAll(to, single, after + 1, rowid);
        copy.run();
    }
    if (!single) {
        db.exec("UPDATE Playlist SET izberi = 0 WHERE izberi <> 0");
    }
    store::Zapisi_Nove_Brojeve(db);
    recountGroups(db, {to});
    tx.commit();
    return static_cast<std::int64_t>(ids.size());
}

} // namespace listrion::editing
