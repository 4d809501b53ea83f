#include "editing/GroupCommands.h"

#include "editing/EditRefused.h"
#include "editing/NameText.h"
#include "store/ChangeLog.h"
#include "store/ChannelNumbering.h"
#include "store/GroupNumbering.h"
#include "store/History.h"
#include "store/Schema.h"
#include "store/TextCollation.h"
#include "store/Transaction.h"

#include <algorithm>

namespace listrion::editing {
namespace {

using Reason = EditRefused::Reason;

std::string inQuotes(std::string_view name)
{
    return "'" + std::string(name) + "'";
}

struct GroupRow {
    std::int64_t rowid = 0;
    std::string name;
};

std::optional<GroupRow> findGroup(const store::Database& db, std::string_view name)
{
    store::Statement st =
        db.prepare("SELECT rowid, grupa FROM Grupa WHERE grupa = ? ORDER BY broj, rowid LIMIT 1");
    st.bind(1, name);
    if (!st.step()) {
        return std::nullopt;
    }
    return GroupRow{st.columnInt(0), st.columnText(1)};
}

GroupRow existingGroup(const store::Database& db, std::string_view name)
{
    std::optional<GroupRow> row = findGroup(db, name);
    if (!row) {
        throw EditRefused(Reason::NoSuchGroup, "there is no group " + inQuotes(name));
    }
    return *row;
}

std::int64_t channelsOf(const store::Database& db, std::string_view name)
{
    return db.scalarInt("SELECT count(*) FROM Playlist WHERE grupa = ?", 0, name);
}

// Every channel of the group `from` gets the name `to`. The history learns each channel's old
// name here, which for a large group is much cheaper than through the engine's hook.
void renameChannels(store::Database& db, const std::string& from, const std::string& to)
{
    store::ChangeLog& log = db.changeLog();
    if (log.collecting()) {
        const int column = store::Schema::columnNumber(db, "Playlist", "grupa");
        store::Statement st = db.prepare("SELECT rowid, grupa FROM Playlist WHERE grupa = ?");
        st.bind(1, from);
        store::SameTextChanges changes(0, column);
        while (st.step()) {
            if (st.columnView(1) != to) {
                changes.add(st.columnInt(0), st.columnView(1), to);
            }
        }
        changes.addTo(log);
    }
    const store::HistoryPause pause(db);
    db.prepare("UPDATE Playlist SET grupa = ?1 WHERE grupa = ?2 AND grupa <> ?1 COLLATE BINARY")
        .bindAll(to, from)
        .run();
}

void closeGaps(store::Database& db, GroupGaps gaps)
{
    if (gaps == GroupGaps::ByTypeAndPosition) {
        store::Zapisi_Nove_Brojeve_Grupa(db);
    } else {
        store::renumberGroupsByPosition(db);
    }
}

} // namespace

void checkGroupName(std::string_view name)
{
    if (NameText::withoutOuterBlanks(name).empty()) {
        throw EditRefused(Reason::EmptyName, "the group name is empty");
    }
    if (NameText::length(name) > kMaxTextLength) {
        throw EditRefused(Reason::NameTooLong, "the group name is longer than " +
                                                   std::to_string(kMaxTextLength) + " characters");
    }
}

void checkStreamType(std::string_view type)
{
    if (type.empty()) {
        throw EditRefused(Reason::NoType, "no type given: Live, VOD or Radio");
    }
    if (std::find(kStreamTypes.begin(), kStreamTypes.end(), type) == kStreamTypes.end()) {
        throw EditRefused(Reason::BadType, inQuotes(type) + " is not a type: Live, VOD or Radio");
    }
}

std::optional<std::string> storedGroupName(const store::Database& db, std::string_view name)
{
    std::optional<GroupRow> row = findGroup(db, name);
    return row ? std::optional<std::string>(row->name) : std::nullopt;
}

std::int64_t addGroup(store::Database& db, const std::string& name, const std::string& type)
{
    checkGroupName(name);
    checkStreamType(type);
    store::Transaction tx(db);
    if (findGroup(db, name)) {
        throw EditRefused(Reason::NameTaken, "there is already a group " + inQuotes(name));
    }
    const std::int64_t broj = db.scalarInt("SELECT max(broj) FROM Grupa", 0) + 1;
    db.prepare("INSERT INTO Grupa (izberi, grupa, type, count, broj) VALUES (0, ?, ?, 0, ?)")
        .bindAll(name, type, broj)
        .run();
    tx.commit();
    return broj;
}

RenamedGroup renameGroup(store::Database& db, const std::string& from, const std::string& to,
                         OnMerge onMerge)
{
    checkGroupName(to);
    store::Transaction tx(db);
    const GroupRow group = existingGroup(db, from);
    std::optional<GroupRow> other;
    if (store::compareText(group.name, to) != 0) {
        other = findGroup(db, to);
    }
    if (other && onMerge == OnMerge::Refuse) {
        throw EditRefused(Reason::NeedsMerge, "there is already a group " + inQuotes(other->name) +
                                                  " (merge the two groups to rename)");
    }
    RenamedGroup result;
    result.merged = other.has_value();
    result.name = other ? other->name : to;
    renameChannels(db, group.name, result.name);
    if (other) {
        db.prepare("DELETE FROM Grupa WHERE rowid = ?").bindAll(group.rowid).run();
        store::renumberGroupsByPosition(db);
        store::Zapisi_Nove_Brojeve(db);
    } else {
        db.prepare("UPDATE Grupa SET grupa = ? WHERE rowid = ?").bindAll(to, group.rowid).run();
    }
    result.channels = channelsOf(db, result.name);
    recountGroups(db, {result.name});
    tx.commit();
    return result;
}

DeletedGroups deleteGroup(store::Database& db, const std::string& name, GroupGaps gaps)
{
    store::Transaction tx(db);
    const GroupRow group = existingGroup(db, name);
    DeletedGroups result;
    db.prepare("DELETE FROM Playlist WHERE grupa = ?").bindAll(group.name).run();
    result.channels = db.changes();
    db.prepare("DELETE FROM Grupa WHERE grupa = ?").bindAll(group.name).run();
    result.groups = db.changes();
    closeGaps(db, gaps);
    tx.commit();
    return result;
}

DeletedGroups deleteTickedGroups(store::Database& db, GroupGaps gaps)
{
    store::Transaction tx(db);
    DeletedGroups result;
    std::vector<std::string> names;
    store::Statement ticked = db.prepare("SELECT grupa FROM Grupa WHERE izberi <> 0");
    while (ticked.step()) {
        names.push_back(ticked.columnText(0));
    }
    ticked.reset();
    store::Statement channels = db.prepare("DELETE FROM Playlist WHERE grupa = ?");
    for (const std::string& name : names) {
        channels.bind(1, name);
        channels.run();
        result.channels += db.changes();
    }
    db.exec("DELETE FROM Grupa WHERE izberi <> 0");
    result.groups = db.changes();
    closeGaps(db, gaps);
    tx.commit();
    return result;
}

bool moveGroupTo(store::Database& db, const std::string& name, GroupEnd end)
{
    store::Transaction tx(db);
    const GroupRow group = existingGroup(db, name);
    const std::int64_t edge = end == GroupEnd::Top
                                  ? db.scalarInt("SELECT min(broj) FROM Grupa", 0) - 1
                                  : db.scalarInt("SELECT max(broj) FROM Grupa", 0) + 1;
    // Already the only row at the edge: nothing moves.
    const std::int64_t beyond = db.scalarInt(
        end == GroupEnd::Top ? "SELECT count(*) FROM Grupa WHERE rowid <> ?1 AND broj <= "
                               "(SELECT broj FROM Grupa WHERE rowid = ?1)"
                             : "SELECT count(*) FROM Grupa WHERE rowid <> ?1 AND broj >= "
                               "(SELECT broj FROM Grupa WHERE rowid = ?1)",
        0, group.rowid);
    if (beyond == 0) {
        return false;
    }
    db.prepare("UPDATE Grupa SET broj = ? WHERE rowid = ?").bindAll(edge, group.rowid).run();
    store::renumberGroupsByPosition(db);
    tx.commit();
    return true;
}

std::int64_t setGroupType(store::Database& db, const std::string& name, const std::string& type)
{
    checkStreamType(type);
    store::Transaction tx(db);
    const GroupRow group = existingGroup(db, name);
    db.prepare("UPDATE Grupa SET type = ? WHERE rowid = ?").bindAll(type, group.rowid).run();
    db.prepare("UPDATE Playlist SET type = ? WHERE grupa = ?").bindAll(type, group.name).run();
    const std::int64_t channels = db.changes();
    tx.commit();
    return channels;
}

void recountGroups(store::Database& db, const std::vector<std::string>& names)
{
    store::Transaction tx(db);
    store::Statement update = db.prepare("UPDATE Grupa SET count = (SELECT count(*) FROM Playlist "
                                         "WHERE grupa = ?1) WHERE grupa = ?1");
    for (const std::string& name : names) {
        update.bind(1, name);
        update.run();
    }
    tx.commit();
}

} // namespace listrion::editing
