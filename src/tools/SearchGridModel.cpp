#include "tools/SearchGridModel.h"

namespace listrion::tools {

SearchGridModel::SearchGridModel(store::Database& db, QObject* parent)
    : StoreGridModel(
          db, "Playlist", kRowSql,
          {kTickColumn, kGroupColumn, kNameColumn, kTvgNameColumn, kBrojColumn, kLinkColumn},
          parent)
{
}

void SearchGridModel::showHits(std::vector<std::int64_t> ids)
{
    m_ids = std::move(ids);
    reload();
}

std::string SearchGridModel::grupa(int row) const
{
    return text(row, kGroupColumn).toStdString();
}

std::string SearchGridModel::name(int row) const
{
    return text(row, kNameColumn).toStdString();
}

std::string SearchGridModel::link(int row) const
{
    return text(row, kLinkColumn).toStdString();
}

} // namespace listrion::tools
