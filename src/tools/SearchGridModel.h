#pragma once

#include "editing/StoreGridModel.h"

#include <cstdint>
#include <string>
#include <vector>

namespace listrion::tools {

// The search window's grid TDBGrid1: the channels a search found, in the order it found them,
// read a page at a time. Columns "select" (izberi), group, name, tvg-name, number, link.
class SearchGridModel : public editing::StoreGridModel {
    Q_OBJECT

public:
    enum Column {
        kTickColumn,
        kGroupColumn,
        kNameColumn,
        kTvgNameColumn,
        kBrojColumn,
        kLinkColumn
    };

    static constexpr const char* kRowSql =
        "SELECT izberi, grupa, name, tvgname, broj, link FROM Playlist WHERE rowid = ?";

    explicit SearchGridModel(store::Database& db, QObject* parent = nullptr);

    // Shows these channels, in this order.
    void showHits(std::vector<std::int64_t> ids);
    std::string grupa(int row) const;
    std::string name(int row) const;
    std::string link(int row) const;

protected:
    std::vector<std::int64_t> readRowIds() const override { return m_ids; }

private:
    std::vector<std::int64_t> m_ids;
};

} // namespace listrion::tools
