#pragma once

#include "editing/StoreGridModel.h"

#include <cstdint>
#include <optional>
#include <string>

namespace listrion::editing {

// The channel grid TDBGrid1: the channels of the chosen group, or of the whole playlist after a
// load or a new playlist, by position or, after a click on the name heading, by name (the
// display order only). Columns "sel." (izberi), name, tvg-name, "EPG ID", "Link", "Logo", "type".
class ChannelGridModel : public StoreGridModel {
    Q_OBJECT

public:
    enum Column {
        kTickColumn,
        kNameColumn,
        kTvgNameColumn,
        kTvgIdColumn,
        kLinkColumn,
        kLogoColumn,
        kTypeColumn
    };

    // The row ids in position order: of one group (bound to the one parameter) or of every
    // channel. For the name order the rows' names are read and sorted here, by the store's
    // comparison of text, then by position: much faster than the engine's sort, which calls
    // the collation for every comparison.
    static constexpr const char* kGroupByPositionSql =
        "SELECT rowid FROM Playlist WHERE grupa = ? ORDER BY broj, rowid";
    static constexpr const char* kAllByPositionSql =
        "SELECT rowid FROM Playlist ORDER BY broj, rowid";
    static constexpr const char* kGroupNamesSql =
        "SELECT rowid, name, broj FROM Playlist WHERE grupa = ?";
    static constexpr const char* kAllNamesSql = "SELECT rowid, name, broj FROM Playlist";
    static constexpr const char* kRowSql =
        "SELECT izberi, grupa, name, tvgname, tvgid, link, logo, broj, type "
        "FROM Playlist WHERE rowid = ?";

    ChannelGridModel(store::Database& db, QObject* parent = nullptr);

    // Shows the channels of one group (the store's comparison: any letter case).
    void showGroup(const std::string& name);
    // Shows the channels of one group in position order, reading the rows once.
    void showGroupByPosition(const std::string& name);
    // Shows every channel of the playlist.
    void showAll();
    // Switches between name order and position order and reads the rows again.
    void setOrderByName(bool byName);
    bool orderByName() const { return m_byName; }
    // A click on a heading: the name heading orders by name, any other by position.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // The group shown, or nullopt when every channel is shown.
    const std::optional<std::string>& group() const { return m_group; }
    // True when a channel of the shown group carries a parental code (as of the last reload()).
    bool hasParentCode() const { return m_hasParentCode; }

    // The group, name and position of a grid row.
    std::string grupa(int row) const;
    std::string name(int row) const;
    std::int64_t broj(int row) const;
    // The row showing the channel at that position, or -1.
    int rowOfBroj(std::int64_t broj) const;

protected:
    std::vector<std::int64_t> readRowIds() const override;
    void readExtras() override;

private:
    std::optional<std::string> m_group;
    bool m_byName = false;
    bool m_hasParentCode = false;
};

} // namespace listrion::editing
