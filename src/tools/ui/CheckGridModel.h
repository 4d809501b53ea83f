#pragma once

#include "editing/StoreGridModel.h"

namespace listrion::tools::ui {

// The link checker's grid TDBGrid1: every channel by name, every channel in the order of a run
// (group, then position), or the ticked (broken) channels by name. Columns "sel." (izberi),
// group, name, tvg-name, "EPG ID", "Logo", "Link".
class CheckGridModel : public editing::StoreGridModel {
    Q_OBJECT

public:
    enum Column {
        kTickColumn,
        kGroupColumn,
        kNameColumn,
        kTvgNameColumn,
        kTvgIdColumn,
        kLogoColumn,
        kLinkColumn
    };
    enum class Listing { AllByName, RunOrder, BrokenByName };

    static constexpr const char* kRowSql =
        "SELECT izberi, grupa, name, tvgname, tvgid, logo, link, "
        "broj FROM Playlist WHERE rowid = ?";

    explicit CheckGridModel(store::Database& db, QObject* parent = nullptr);

    // Reads the rows of another listing.
    void show(Listing listing);
    Listing listing() const { return m_listing; }

    QString link(int row) const { return text(row, kLinkColumn); }

protected:
    std::vector<std::int64_t> readRowIds() const override;

private:
    Listing m_listing = Listing::AllByName;
};

} // namespace listrion::tools::ui
