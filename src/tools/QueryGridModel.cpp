#include "tools/QueryGridModel.h"

#include <exception>

namespace listrion::tools {

QueryGridModel::QueryGridModel(store::Database& db, std::string idSql, std::string rowSql,
                               int columns, QObject* parent)
    : QAbstractTableModel(parent), m_db(db), m_idSql(std::move(idSql)), m_columns(columns),
      m_pages(db, std::move(rowSql))
{
}

int QueryGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_pages.size();
}

int QueryGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_columns;
}

QString QueryGridModel::text(int row, int column) const
{
    if (row < 0 || row >= m_pages.size()) {
        return {};
    }
    try {
        const editing::RowPages::Row& values = m_pages.row(row);
        if (static_cast<std::size_t>(column) >= values.size()) {
            return {};
        }
        const store::Value& value = values[static_cast<std::size_t>(column)];
        if (const auto* number = std::get_if<std::int64_t>(&value)) {
            return QString::number(*number);
        }
        const auto* textValue = std::get_if<std::string>(&value);
        return textValue != nullptr ? QString::fromStdString(*textValue) : QString();
    } catch (const std::exception&) {
        return {}; // a page that cannot be read shows empty cells
    }
}

QVariant QueryGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) {
        return {};
    }
    return text(index.row(), index.column());
}

QVariant QueryGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < m_headers.size()) {
        return m_headers[section];
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

void QueryGridModel::setHeaders(const QStringList& headers)
{
    m_headers = headers;
    emit headerDataChanged(Qt::Horizontal, 0, m_columns - 1);
}

void QueryGridModel::reload()
{
    beginResetModel();
    try {
        store::Statement ids = m_db.prepare(m_idSql);
        m_pages.load(editing::RowPages::readIds(ids));
    } catch (const std::exception&) {
        m_pages.clear();
    }
    endResetModel();
}

} // namespace listrion::tools
