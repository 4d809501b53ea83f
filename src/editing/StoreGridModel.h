#pragma once

#include "editing/RowPages.h"
#include "store/Database.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <cstdint>
#include <string>
#include <vector>

namespace listrion::editing {

// A grid over one store table: the rows of a query in display order, read a page at a time,
// with the tick column ("sel.", column 0) written to the row's `izberi` at once, one
// transaction per click. Subclasses give the query; the window gives the captions.
class StoreGridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // `table` and `rowSql` come from the code. `shown` lists, for each grid column, the column
    // of `rowSql`'s result it shows; grid column 0 must show `izberi`.
    StoreGridModel(store::Database& db, std::string table, std::string rowSql,
                   std::vector<int> shown, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Captions of the grid columns, in column order.
    void setHeaders(const QStringList& headers);

    // Reads the query's rows again (after a command changed rows, their order or their number).
    void reload();
    // Reads the values of the rows again, keeping rows and order (after a command changed values
    // only); rows on screen are read again when they are next shown.
    void refreshValues();
    void refreshRow(int row);

    // The row id of a grid row, and any column of its `rowSql` result (NULL when gone).
    std::int64_t rowId(int row) const { return m_pages.rowId(row); }
    int rowOfId(std::int64_t rowId) const { return m_pages.indexOf(rowId); }
    store::Value value(int row, int column) const;
    QString text(int row, int column) const;

    // Sets the row's tick to the opposite of what it holds; false when the row could not be
    // written (gone, or a database error: see lastError()).
    bool toggleTick(int row);
    bool isTicked(int row) const;

    // The last database error met while reading or writing, for the window to show.
    QString lastError() const { return m_lastError; }

signals:
    // After reload() has read the rows (the counts of the captions may have changed).
    void reloaded();

protected:
    // The row ids of the grid's rows in display order.
    virtual std::vector<std::int64_t> readRowIds() const = 0;
    // Reads what the subclass shows beside the rows (counts for captions); called by reload().
    virtual void readExtras() {}

    store::Database& database() const { return m_db; }
    void setError(const char* what);

private:
    bool writeTick(int row, bool ticked);

    store::Database& m_db;
    std::string m_table;
    std::vector<int> m_shown;
    QStringList m_headers;
    mutable RowPages m_pages;
    QString m_lastError;
};

} // namespace listrion::editing
