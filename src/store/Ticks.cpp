#include "store/Ticks.h"

#include "store/Transaction.h"

#include <string_view>

namespace listrion::store {
namespace {

// ?1 the new tick, ?2 the group name or NULL for every group, ?3 the position.
std::int64_t setTicks(Database& db, std::string_view table, const TickTarget& target, bool ticked)
{
    Transaction tx(db);
    const std::string where =
        " WHERE (izberi <> ?1 OR izberi IS NULL) AND (?2 IS NULL OR grupa = ?2)";
    Statement update = db.prepare("UPDATE " + quoteIdentifier(table) + " SET izberi = ?1" + where +
                                  (target.all ? "" : " AND broj = ?3"));
    update.bind(1, ticked);
    if (target.grupa) {
        update.bind(2, *target.grupa);
    } else {
        update.bindNull(2);
    }
    std::int64_t changed = 0;
    if (target.all) {
        update.run();
        changed = db.changes();
    }
    for (std::int64_t position : target.all ? std::vector<std::int64_t>() : target.positions) {
        update.bind(3, position);
        update.run();
        changed += db.changes();
    }
    tx.commit();
    return changed;
}

} // namespace

std::int64_t setChannelTicks(Database& db, const TickTarget& target, bool ticked)
{
    return setTicks(db, "Playlist", target, ticked);
}

std::int64_t setGroupTicks(Database& db, const TickTarget& target, bool ticked)
{
    return setTicks(db, "Grupa", target, ticked);
}

} // namespace listrion::store
