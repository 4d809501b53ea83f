#include "tools/ui/CheckGridModel.h"

#include "editing/RowPages.h"

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
    store::Statement st =
        database().prepare(m_listing == Listing::BrokenByName
                               ? "SELECT rowid, name, broj FROM Playlist WHERE izberi <> 0"
                               : "SELECT rowid, name, broj FROM Playlist");
    return editing::RowPages::readIdsByName(st);
}

} // namespace listrion::tools::ui
