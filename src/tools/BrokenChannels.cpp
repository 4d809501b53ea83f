#include "tools/BrokenChannels.h"

#include "store/ChannelNumbering.h"
#include "store/GroupCounts.h"
#include "store/GroupNumbering.h"
#include "store/Transaction.h"

namespace listrion::tools {

BrokenDeletion deleteBrokenChannels(store::Database& db)
{
    BrokenDeletion result;
    store::Transaction tx(db);
    store::Statement touched =
        db.prepare("SELECT DISTINCT grupa FROM Playlist WHERE izberi <> 0 AND grupa IS NOT NULL");
    while (touched.step()) {
        result.groups.push_back(touched.columnText(0));
    }
    touched.reset();
    db.exec("DELETE FROM Playlist WHERE izberi <> 0");
    result.channels = db.changes();
    // Only the groups this deletion emptied go; a group that was empty before stays.
    store::Statement removeIfEmpty = db.prepare("DELETE FROM Grupa WHERE grupa = ?1 AND NOT EXISTS "
                                                "(SELECT 1 FROM Playlist WHERE grupa = ?1)");
    for (const std::string& group : result.groups) {
        removeIfEmpty.bind(1, group);
        removeIfEmpty.run();
        removeIfEmpty.reset();
        result.groupsRemoved += db.changes();
    }
    if (result.channels > 0) {
        store::Zapisi_Stevilo_Grupa(db);
        store::Zapisi_Nove_Brojeve_Grupa(db);
        store::Zapisi_Nove_Brojeve(db);
    }
    tx.commit();
    return result;
}

} // namespace listrion::tools
