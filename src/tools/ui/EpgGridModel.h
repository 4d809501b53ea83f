#pragma once

#include "editing/StoreGridModel.h"

#include <string>

namespace listrion::tools::ui {

// The EPG id window's grid: the channels of one group in position order. Columns izberi
// (hidden), group, name, tvg-name, EPG id, logo, link, broj.
class EpgGridModel : public editing::StoreGridModel {
    Q_OBJECT

public:
    enum Column {
        kTickColumn,
        kGroupColumn,
        kNameColumn,
        kTvgNameColumn,
        kTvgIdColumn,
        kLogoColumn,
        kLinkColumn,
        kBrojColumn
    };

    explicit EpgGridModel(store::Database& db, QObject* parent = nullptr);

    // Reads the channels of that group (any letter case).
    void showGroup(const std::string& group);
    const std::string& group() const { return m_group; }

protected:
    std::vector<std::int64_t> readRowIds() const override;

private:
    std::string m_group;
};

} // namespace listrion::tools::ui
