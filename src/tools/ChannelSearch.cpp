#include "tools/ChannelSearch.h"

#include "store/Database.h"
#include "store/TextCollation.h"
#include "store/Transaction.h"
#include "tools/SearchIndex.h"

#include <string>

namespace listrion::tools {

std::vector<std::int64_t> searchChannels(const store::Database& db, std::string_view text)
{
    if (text.empty()) {
        return {};
    }
    return SearchIndex::read(db).find(text).value_or(std::vector<std::int64_t>{});
}

std::int64_t setSearchTicks(store::Database& db, std::string_view text, bool ticked)
{
    const std::string needle = store::foldText(text);
    if (needle.empty()) {
        return 0;
    }
    store::Transaction tx(db);
    std::vector<std::int64_t> ids;
    store::Statement rows = db.prepare("SELECT rowid, name FROM Playlist WHERE izberi IS NOT ?");
    rows.bind(1, ticked);
    std::string folded;
    while (rows.step()) {
        folded.clear();
        store::appendFoldedText(rows.columnView(1), folded);
        if (folded.find(needle) != std::string::npos) {
            ids.push_back(rows.columnInt(0));
        }
    }
    store::Statement tick = db.prepare("UPDATE Playlist SET izberi = ? WHERE rowid = ?");
    for (std::int64_t id : ids) {
        tick.bindAll(ticked, id);
        tick.run();
    }
    tx.commit();
    return static_cast<std::int64_t>(ids.size());
}

} // namespace listrion::tools
