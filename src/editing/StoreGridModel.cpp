#include "editing/StoreGridModel.h"

#include "store/Transaction.h"

#include <exception>

namespace listrion::editing {
namespace {

QVariant toVariant(const store::Value& value)
{
    if (const auto* number = std::get_if<std::int64_t>(&value)) {
        return QVariant::fromValue(static_cast<qlonglong>(*number));
    }
    if (const auto* real = std::get_if<double>(&value)) {
        return *real;
    }
    if (const auto* textValue = std::get_if<std::string>(&value)) {
        return QString::fromStdString(*textValue);
    }
    return {};
}

bool truthy(const store::Value& value)
{
    if (const auto* number = std::get_if<std::int64_t>(&value)) {
        return *number != 0;
    }
    return false;
}

} // namespace

StoreGridModel::StoreGridModel(store::Database& db, std::string table, std::string rowSql,
                               std::vector<int> shown, QObject* parent)
    : QAbstractTableModel(parent), m_db(db), m_table(std::move(table)), m_shown(std::move(shown)),
      m_pages(db, std::move(rowSql))
{
}

int StoreGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_pages.size();
}

int StoreGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_shown.size());
}

store::Value StoreGridModel::value(int row, int column) const
{
    if (row < 0 || row >= m_pages.size()) {
        return {};
    }
    try {
        const RowPages::Row& values = m_pages.row(row);
        return static_cast<std::size_t>(column) < values.size()
                   ? values[static_cast<std::size_t>(column)]
                   : store::Value{};
    } catch (const std::exception&) {
        // A page that cannot be read shows empty cells; the next read tries again.
        return {};
    }
}

QString StoreGridModel::text(int row, int column) const
{
    return toVariant(value(row, column)).toString();
}

bool StoreGridModel::isTicked(int row) const
{
    return truthy(value(row, m_shown.front()));
}

QVariant StoreGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.column() >= columnCount()) {
        return {};
    }
    if (index.column() == 0) {
        if (role != Qt::CheckStateRole) {
            return {};
        }
        return static_cast<int>(isTicked(index.row()) ? Qt::Checked : Qt::Unchecked);
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole) {
        return {};
    }
    return toVariant(value(index.row(), m_shown[static_cast<std::size_t>(index.column())]));
}

bool StoreGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.column() != 0 || role != Qt::CheckStateRole) {
        return false;
    }
    return writeTick(index.row(), value.toInt() == Qt::Checked);
}

bool StoreGridModel::toggleTick(int row)
{
    return row >= 0 && row < m_pages.size() && writeTick(row, !isTicked(row));
}

bool StoreGridModel::writeTick(int row, bool ticked)
{
    try {
        store::Transaction tx(m_db);
        m_db.prepare("UPDATE " + store::quoteIdentifier(m_table) +
                     " SET izberi = ? WHERE rowid = ?")
            .bindAll(ticked, m_pages.rowId(row))
            .run();
        const bool written = m_db.changes() == 1;
        tx.commit();
        refreshRow(row);
        return written;
    } catch (const std::exception& error) {
        setError(error.what());
        return false;
    }
}

QVariant StoreGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= m_headers.size()) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return m_headers[section];
}

Qt::ItemFlags StoreGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return index.column() == 0 ? flags | Qt::ItemIsUserCheckable : flags;
}

void StoreGridModel::setHeaders(const QStringList& headers)
{
    m_headers = headers;
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void StoreGridModel::reload()
{
    beginResetModel();
    try {
        m_pages.load(readRowIds());
        readExtras();
        m_lastError.clear();
    } catch (const std::exception& error) {
        m_pages.clear();
        setError(error.what());
    }
    endResetModel();
    emit reloaded();
}

void StoreGridModel::refreshValues()
{
    m_pages.forgetValues();
    if (rowCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    }
}

void StoreGridModel::refreshRow(int row)
{
    if (row < 0 || row >= rowCount()) {
        return;
    }
    m_pages.forgetRow(row);
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void StoreGridModel::setError(const char* what)
{
    m_lastError = QString::fromUtf8(what);
}

} // namespace listrion::editing
