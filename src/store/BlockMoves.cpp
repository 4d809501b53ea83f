#include "store/BlockMoves.h"

#include "store/PositionCounter.h"
#include "store/PositionRows.h"
#include "store/Transaction.h"

#include <string>

namespace listrion::store {
namespace {

using Row = PositionRows::Row;

// The mark that a ticked row carries between the steps of a block move.
constexpr std::int64_t kMark = 0;

bool marked(const Row& row)
{
    return row.broj == kMark;
}
bool unmarked(const Row& row)
{
    return row.broj != kMark;
}

std::int64_t markSelected(PositionRows& rows)
{
    std::int64_t count = 0;
    for (std::size_t i : rows.inStoreOrder([](const Row& row) { return row.selected; })) {
        rows.setBroj(i, kMark);
        ++count;
    }
    return count;
}

void number(PositionRows& rows, const std::vector<std::size_t>& order, std::int64_t first)
{
    PositionCounter counter(first);
    for (std::size_t i : order) {
        rows.setBroj(i, counter.next());
    }
}

// Ticked rows from F on, in store order; the others after them in their order.
std::int64_t toTop(PositionRows& rows)
{
    const std::int64_t first = rows[rows.byPosition().front()].broj;
    const std::int64_t count = markSelected(rows);
    number(rows, rows.byPosition(unmarked), first + count);
    number(rows, rows.inStoreOrder(marked), first);
    return count;
}

// The others from F on, the ticked rows after L, then everything again from F so the rows keep
// the range F..L. When F is 0 or below the numbering starts at F+1 instead (for F = 0 this keeps
// the first row off the mark).
std::int64_t toBottom(PositionRows& rows)
{
    const std::vector<std::size_t> order = rows.byPosition();
    const std::int64_t first = rows[order.front()].broj;
    const std::int64_t last = rows[order.back()].broj;
    const std::int64_t start = first > 0 ? first : first + 1;
    const std::int64_t count = markSelected(rows);
    number(rows, rows.byPosition(unmarked), start);
    number(rows, rows.inStoreOrder(marked), last + 1);
    number(rows, rows.byPosition(unmarked), start);
    return count;
}

BlockMove moveBlock(Database& db, std::string_view table, Statement& query,
                    std::int64_t (*move)(PositionRows&))
{
    PositionRows rows = PositionRows::read(query);
    BlockMove result;
    if (rows.empty()) {
        return result;
    }
    result.moved = move(rows);
    result.renumbered = rows.write(db, table);
    db.exec("UPDATE " + quoteIdentifier(table) + " SET izberi = 0 WHERE izberi <> 0");
    result.unticked = db.changes();
    return result;
}

BlockMove moveChannels(Database& db, std::string_view grupa, std::int64_t (*move)(PositionRows&))
{
    Transaction tx(db);
    Statement query = db.prepare("SELECT rowid, broj, izberi FROM Playlist WHERE grupa = ?");
    query.bind(1, grupa);
    const BlockMove result = moveBlock(db, "Playlist", query, move);
    tx.commit();
    return result;
}

BlockMove moveGroups(Database& db, std::int64_t (*move)(PositionRows&))
{
    Transaction tx(db);
    Statement query = db.prepare("SELECT rowid, broj, izberi FROM Grupa");
    const BlockMove result = moveBlock(db, "Grupa", query, move);
    tx.commit();
    return result;
}

} // namespace

BlockMove Premakni_Sve_Na_Vrh(Database& db, std::string_view grupa)
{
    return moveChannels(db, grupa, toTop);
}

BlockMove Premakni_Sve_Na_Dno(Database& db, std::string_view grupa)
{
    return moveChannels(db, grupa, toBottom);
}

BlockMove Premakni_Sve_Na_Vrh_Grupa(Database& db)
{
    return moveGroups(db, toTop);
}

BlockMove Premakni_Sve_Na_Dno_Grupa(Database& db)
{
    return moveGroups(db, toBottom);
}

} // namespace listrion::store
