#include "tools/ui/CheckGridModel.h"

#include "editing/RowPages.h"
#include "store/TextCollation.h"

#include <algorithm>
#include <tuple>

namespace listrion::tools::ui {

CheckGridModel::CheckGridModel(store::Database& db, QObject* parent)
    : StoreGridModel(db, "Playlist", kRowSql,
                     {kTickColumn, kGroupColumn, kNameColumn, kTvgNameColumn, kTvgIdColumn,
                      kLogoColumn, kLinkColumn},
                     parent)
{
}

void CheckGridModel::show(Listing listing)
{
    m_listing = listing;
    reload();
}

std::vector<std::int64_t> CheckGridModel::readRowIds() const
{
    if (m_listing == Listing::RunOrder) {
        store::Statement st =
            database().prepare("SELECT rowid FROM Playlist ORDER BY grupa, broj, rowid");
        return editing::RowPages::readIds(st);
    }
    // By name: the names are folded and sorted here, which is much faster than the engine's
    // sort calling the collation for every comparison.
    store::Statement st =
        database().prepare(m_listing == Listing::BrokenByName
                               ? "SELECT rowid, name, broj FROM Playlist WHERE izberi <> 0"
                               : "SELECT rowid, name, broj FROM Playlist");
    struct Keyed {
        std::string name;
        std::int64_t broj;
        std::int64_t rowId;
    };
    std::vector<Keyed> rows;
    while (st.step()) {
        rows.push_back({store::foldKey(st.columnView(1)), st.columnInt(2), st.columnInt(0)});
    }
    std::sort(rows.begin(), rows.end(), [](const Keyed& a, const Keyed& b) {
        return std::tie(a.name, a.broj, a.rowId) < std::tie(b.name, b.broj, b.rowId);
    });
    std::vector<std::int64_t> ids;
    ids.reserve(rows.size());
    for (const Keyed& row : rows) {
        ids.push_back(row.rowId);
    }
    return ids;
}

} // namespace listrion::tools::ui
