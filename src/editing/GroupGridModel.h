#pragma once

#include "editing/StoreGridModel.h"

#include <cstdint>
#include <string>

namespace listrion::editing {

// The group grid TDBGrid2: every Grupa row, Live before Radio before VOD, then by position.
// Columns "sel." (izberi), the group name, the type and the number of channels (count).
class GroupGridModel : public StoreGridModel {
    Q_OBJECT

public:
    enum Column { kTickColumn, kNameColumn, kTypeColumn, kCountColumn };

    // The row ids in display order, and one row's values by id.
    static constexpr const char* kRowIdSql = "SELECT rowid FROM Grupa ORDER BY type, broj, rowid";
    static constexpr const char* kRowSql =
        "SELECT izberi, grupa, type, count, broj FROM Grupa WHERE rowid = ?";

    GroupGridModel(store::Database& db, QObject* parent = nullptr);

    // The group name and position of a grid row.
    std::string grupa(int row) const;
    std::int64_t broj(int row) const;
    // First row showing that group (the store's comparison: any letter case), or -1.
    int rowOfGroup(const std::string& name) const;

    // The number of channels of the whole playlist, as of the last reload().
    std::int64_t totalChannels() const { return m_totalChannels; }

protected:
    std::vector<std::int64_t> readRowIds() const override;
    void readExtras() override;

private:
    std::int64_t m_totalChannels = 0;
};

} // namespace listrion::editing
