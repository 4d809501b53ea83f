#include "store/PositionSwaps.h"

#include "store/OrderingError.h"
#include "store/PositionCounter.h"
#include "store/Transaction.h"

#include <string>
#include <string_view>

namespace listrion::store {
namespace {

std::int64_t firstRowAt(const Database& db, std::string_view table, std::int64_t broj)
{
    Statement st = db.prepare("SELECT rowid FROM " + quoteIdentifier(table) +
                              " WHERE broj = ? ORDER BY rowid LIMIT 1");
    st.bind(1, broj);
    if (!st.step()) {
        throw OrderingError(OrderingError::Kind::MissingRow,
                            std::string(table == "Grupa" ? "no group" : "no channel") +
                                " at position " + std::to_string(broj));
    }
    return st.columnInt(0);
}

// The row at `from` takes position `to` and the row at `to` takes `from`. Going through a
// scratch position would give the same numbers; exchanging the two rows directly inside the
// transaction leaves no scratch value behind even when a step fails.
void exchange(Database& db, std::string_view table, std::int64_t from, std::int64_t to)
{
    Transaction tx(db);
    const std::int64_t neighbour = firstRowAt(db, table, to);
    const std::int64_t moving = firstRowAt(db, table, from);
    Statement update =
        db.prepare("UPDATE " + quoteIdentifier(table) + " SET broj = ? WHERE rowid = ?");
    update.bindAll(from, neighbour);
    update.run();
    update.bindAll(to, moving);
    update.run();
    tx.commit();
}

} // namespace

bool Pozicija_Nova_Gore_Grupa(Database& db, std::int64_t b)
{
    const PositionRange range = PositionRange::int16();
    const std::int64_t above = range.add(b, -1);
    if (above <= 0) {
        return false;
    }
    exchange(db, "Grupa", b, above);
    return true;
}

void Pozicija_Nova_Dole_Grupa(Database& db, std::int64_t b)
{
    exchange(db, "Grupa", b, PositionRange::int16().add(b, 1));
}

void Pozicija_Nova_Gore(Database& db, std::int64_t b)
{
    exchange(db, "Playlist", b, PositionRange::int32().add(b, -1));
}

void Pozicija_Nova_Dole(Database& db, std::int64_t b)
{
    exchange(db, "Playlist", b, PositionRange::int32().add(b, 1));
}

} // namespace listrion::store
