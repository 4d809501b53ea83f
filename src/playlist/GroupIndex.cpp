#include "playlist/GroupIndex.h"

#include "store/Database.h"
#include "store/TextCollation.h"

namespace listrion::playlist {

GroupIndex GroupIndex::fromStore(const store::Database& db)
{
    GroupIndex index;
    store::Statement st = db.prepare("SELECT grupa FROM Grupa");
    while (st.step()) {
        index.m_keys.insert(store::foldKey(st.columnView(0)));
        ++index.m_count;
    }
    return index;
}

std::optional<std::int64_t> GroupIndex::addIfNew(std::string_view name)
{
    if (m_hasLast && name == m_last) {
        return std::nullopt;
    }
    m_last.assign(name);
    m_hasLast = true;
    if (!m_keys.insert(store::foldKey(name)).second) {
        return std::nullopt;
    }
    return ++m_count;
}

} // namespace listrion::playlist
