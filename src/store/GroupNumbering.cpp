#include "store/GroupNumbering.h"

#include "store/NumberWriter.h"
#include "store/Transaction.h"

namespace listrion::store {
namespace {

std::int64_t numberGroups(Database& db, std::string_view select,
                          PositionRange range = PositionRange::int32())
{
    Transaction tx(db);
    Statement groups = db.prepare(select);
    PositionCounter counter(1, range);
    NumberWriter writer(db, "Grupa");
    writer.numberRows(groups, counter);
    const std::int64_t written = writer.write();
    tx.commit();
    return written;
}

} // namespace

std::int64_t Zapisi_Nove_Brojeve_Grupa(Database& db)
{
    return numberGroups(db, "SELECT rowid, broj FROM Grupa ORDER BY type, broj, rowid");
}

std::int64_t renumberGroupsByPosition(Database& db)
{
    return numberGroups(db, "SELECT rowid, broj FROM Grupa ORDER BY broj, rowid",
                        PositionRange::int16());
}

std::int64_t Zapisi_Nove_Brojeve_Groups_Sort_By_Name(Database& db)
{
    return numberGroups(db, "SELECT rowid, broj FROM Grupa ORDER BY grupa, rowid");
}

} // namespace listrion::store
