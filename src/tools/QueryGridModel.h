#pragma once

#include "editing/RowPages.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <string>

namespace listrion::tools {

// A read-only grid over the rows of a query on any store file: the row ids in display order,
// their values read a page at a time. The code gives both statements; the window the captions.
class QueryGridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // `idSql` gives the row ids in display order; `rowSql` the shown columns of the row whose
    // id is its one parameter.
    QueryGridModel(store::Database& db, std::string idSql, std::string rowSql, int columns,
                   QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    void setHeaders(const QStringList& headers);
    // Reads the row ids again; a query that fails shows no rows.
    void reload();
    QString text(int row, int column) const;

private:
    store::Database& m_db;
    std::string m_idSql;
    int m_columns;
    QStringList m_headers;
    mutable editing::RowPages m_pages;
};

} // namespace listrion::tools
