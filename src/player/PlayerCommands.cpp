#include "player/PlayerCommands.h"

#include "store/Transaction.h"

namespace listrion::player {

std::vector<std::string> groupsByPosition(const store::Database& db)
{
    std::vector<std::string> names;
    store::Statement st =
        db.prepare("SELECT grupa FROM Grupa WHERE grupa IS NOT NULL ORDER BY broj, rowid");
    while (st.step()) {
        names.push_back(st.columnText(0));
    }
    return names;
}

std::optional<std::string> deletePlayedChannel(store::Database& db, std::int64_t rowId)
{
    store::Transaction tx(db);
    store::Statement row = db.prepare("SELECT grupa FROM Playlist WHERE rowid = ?");
    row.bind(1, rowId);
    if (!row.step()) {
        return std::nullopt;
    }
    const std::string grupa = row.columnText(0);
    row.reset();
    db.prepare("DELETE FROM Playlist WHERE rowid = ?").bindAll(rowId).run();
    db.prepare("UPDATE Grupa SET count = (SELECT count(*) FROM Playlist WHERE grupa = ?1) "
               "WHERE grupa = ?1")
        .bindAll(grupa)
        .run();
    tx.commit();
    return grupa;
}

} // namespace listrion::player
