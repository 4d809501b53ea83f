#include "tools/ui/EpgGridModel.h"

#include "editing/RowPages.h"

namespace listrion::tools::ui {

EpgGridModel::EpgGridModel(store::Database& db, QObject* parent)
    : StoreGridModel(db, "Playlist",
                     "SELECT izberi, grupa, name, tvgname, tvgid, logo, link, broj FROM Playlist "
                     "WHERE rowid = ?",
                     {kTickColumn, kGroupColumn, kNameColumn, kTvgNameColumn, kTvgIdColumn,
                      kLogoColumn, kLinkColumn, kBrojColumn},
                     parent)
{
}

void EpgGridModel::showGroup(const std::string& group)
{
    m_group = group;
    reload();
}

std::vector<std::int64_t> EpgGridModel::readRowIds() const
{
    store::Statement st =
        database().prepare("SELECT rowid FROM Playlist WHERE grupa = ? ORDER BY broj, rowid");
    st.bind(1, m_group);
    return editing::RowPages::readIds(st);
}

} // namespace listrion::tools::ui
