#pragma once

#include "editing/StoreGridModel.h"

#include <string>

namespace listrion::tools {

// The merge window's group grids: every row of Grupa (the open playlist) or of Grupa_Second
// (the second playlist), by type, then position. Columns izberi, grupa, type, count, broj.
class GroupTableModel : public editing::StoreGridModel {
    Q_OBJECT

public:
    enum class Table { Open, Second };

    GroupTableModel(store::Database& db, Table table, QObject* parent = nullptr);

    // Shows no rows until the next reload() (while the table is being refilled).
    void showNothing();

protected:
    std::vector<std::int64_t> readRowIds() const override;

private:
    std::string m_rowIdSql;
    bool m_nothing = false;
};

} // namespace listrion::tools
