#include "tools/GroupTableModel.h"

namespace listrion::tools {
namespace {

const char* tableName(GroupTableModel::Table table)
{
    return table == GroupTableModel::Table::Open ? "Grupa" : "Grupa_Second";
}

} // namespace

GroupTableModel::GroupTableModel(store::Database& db, Table table, QObject* parent)
    : StoreGridModel(db, tableName(table),
                     "SELECT izberi, grupa, type, count, broj FROM " +
                         store::quoteIdentifier(tableName(table)) + " WHERE rowid = ?",
                     {0, 1, 2, 3, 4}, parent),
      m_rowIdSql("SELECT rowid FROM " + store::quoteIdentifier(tableName(table)) +
                 " ORDER BY type, broj, rowid")
{
    setHeaders({"izberi", "grupa", "type", "count", "broj"});
}

void GroupTableModel::showNothing()
{
    m_nothing = true;
    StoreGridModel::reload();
    m_nothing = false;
}

std::vector<std::int64_t> GroupTableModel::readRowIds() const
{
    if (m_nothing) {
        return {};
    }
    store::Statement st = database().prepare(m_rowIdSql);
    return editing::RowPages::readIds(st);
}

} // namespace listrion::tools
