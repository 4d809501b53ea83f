#pragma once

#include "store/Database.h"
#include "store/PositionCounter.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace listrion::store {

// Collects new positions for rows of one table (Playlist or Grupa) and writes them in rowid
// order, so a renumbering touches only the rows whose position really changes. Must be used
// inside a transaction: a large write of Playlist rebuilds its indexes.
class NumberWriter {
public:
    NumberWriter(Database& db, std::string_view table);

    // A row's new position; `old` is the position it holds now (nothing: NULL).
    void add(std::int64_t rowid, std::int64_t broj, std::optional<std::int64_t> old)
    {
        m_changes.push_back({rowid, broj, old});
    }
    std::size_t pending() const { return m_changes.size(); }
    // Gives the rows of `query` (rowid, broj), in the query's order, the counter's next numbers
    // and collects those that change. Returns the number of rows numbered.
    std::int64_t numberRows(Statement& query, PositionCounter& counter);
    // Writes what was added since the last write; returns the number of rows written.
    std::int64_t write();

private:
    static constexpr std::size_t kRebuildMinimum = 100'000;

    Database& m_db;
    std::string m_table;
    struct Change {
        std::int64_t rowid;
        std::int64_t broj;
        std::optional<std::int64_t> old;
        bool operator<(const Change& other) const { return rowid < other.rowid; }
    };
    std::vector<Change> m_changes;
};

} // namespace listrion::store
