#include "store/GroupCounts.h"

#include "store/Transaction.h"
#include "store/Value.h"

#include <utility>
#include <vector>

namespace listrion::store {
namespace {

std::int64_t channelCount(const Database& db, std::string_view grupa)
{
    return db.scalarInt("SELECT count(*) FROM Playlist WHERE grupa = ?", 0, grupa);
}

bool sameCount(const Statement& st, int column, std::int64_t count)
{
    return !st.isNull(column) && st.columnInt(column) == count;
}

} // namespace

std::int64_t Zapisi_Stevilo_Grupa(Database& db)
{
    Transaction tx(db);
    std::vector<std::pair<std::int64_t, std::int64_t>> changes;
    Statement groups = db.prepare("SELECT rowid, grupa, count FROM Grupa WHERE grupa IS NOT NULL "
                                  "ORDER BY type, broj, rowid");
    while (groups.step()) {
        const std::int64_t count = channelCount(db, groups.columnView(1));
        if (count > 0 && !sameCount(groups, 2, count)) {
            changes.emplace_back(groups.columnInt(0), count);
        }
    }
    groups.reset();
    Statement update = db.prepare("UPDATE Grupa SET count = ? WHERE rowid = ?");
    for (const auto& [rowid, count] : changes) {
        update.bindAll(count, rowid);
        update.run();
    }
    tx.commit();
    return static_cast<std::int64_t>(changes.size());
}

bool Osvezi_Grupu(Database& db, std::string_view grupa, GroupTypeFrom typeFrom)
{
    if (grupa == kNoGroupName) {
        return false;
    }
    Transaction tx(db);
    Statement group =
        db.prepare("SELECT rowid, count, type FROM Grupa WHERE grupa = ? ORDER BY rowid LIMIT 1");
    group.bind(1, grupa);
    if (!group.step()) {
        return false;
    }
    const std::int64_t count = channelCount(db, grupa);
    if (count == 0 && typeFrom == GroupTypeFrom::LastChannel) {
        return false;
    }
    Statement channel =
        db.prepare(typeFrom == GroupTypeFrom::FirstChannel
                       ? "SELECT type FROM Playlist WHERE grupa = ? ORDER BY rowid LIMIT 1"
                       : "SELECT type FROM Playlist WHERE grupa = ? ORDER BY rowid DESC LIMIT 1");
    channel.bind(1, grupa);
    const Value type = channel.step() ? channel.columnValue(0) : Value(std::string());
    const bool changed = !sameCount(group, 1, count) || group.columnValue(2) != type;
    const std::int64_t rowid = group.columnInt(0);
    group.reset();
    if (changed) {
        db.prepare("UPDATE Grupa SET count = ?, type = ? WHERE rowid = ?")
            .bindAll(count, type, rowid)
            .run();
    }
    tx.commit();
    return changed;
}

bool Osvezi_Stevilo_Grupe(Database& db, std::string_view grupa)
{
    Transaction tx(db);
    Statement group = db.prepare(
        "SELECT rowid, grupa, count FROM Grupa WHERE grupa = ? ORDER BY broj, rowid LIMIT 1");
    group.bind(1, grupa);
    if (!group.step()) {
        return false;
    }
    const std::int64_t count = channelCount(db, group.columnView(1));
    const bool changed = count > 0 && !sameCount(group, 2, count);
    const std::int64_t rowid = group.columnInt(0);
    group.reset();
    if (changed) {
        db.prepare("UPDATE Grupa SET count = ? WHERE rowid = ?").bindAll(count, rowid).run();
    }
    tx.commit();
    return changed;
}

} // namespace listrion::store
