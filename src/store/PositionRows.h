#pragma once

#include "store/Database.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string_view>
#include <vector>

namespace listrion::store {

// The positions of the rows a move works on (the channels of one group, or all groups), held in
// memory while the move runs. It offers what the moves do on the store, row by row: walks in
// position order or in store order (rowid) as a record set opened at that moment would see
// them, and the first row in store order that holds a position. write() stores only the
// positions that differ from what was read.
class PositionRows {
public:
    struct Row {
        std::int64_t rowid = 0;
        std::int64_t broj = 0;
        bool selected = false;
    };

    // Reads the rows of a query that returns rowid, broj, izberi. A row without a position
    // (NULL broj) cannot take part in a move: NoPosition error.
    static PositionRows read(Statement& query);

    bool empty() const { return m_rows.empty(); }
    std::size_t size() const { return m_rows.size(); }
    const Row& operator[](std::size_t i) const { return m_rows[i]; }

    // Indices of the rows that `keep` accepts, in ascending (broj, rowid) order.
    template <typename Keep> std::vector<std::size_t> byPosition(Keep keep) const
    {
        std::vector<std::size_t> order = inStoreOrder(keep);
        std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
            return m_rows[a].broj < m_rows[b].broj;
        });
        return order;
    }
    std::vector<std::size_t> byPosition() const
    {
        return byPosition([](const Row&) { return true; });
    }

    // Indices of the rows that `keep` accepts, in store order.
    template <typename Keep> std::vector<std::size_t> inStoreOrder(Keep keep) const
    {
        std::vector<std::size_t> order;
        for (std::size_t i = 0; i < m_rows.size(); ++i) {
            if (keep(m_rows[i])) {
                order.push_back(i);
            }
        }
        return order;
    }

    // The first row in store order whose position is `broj`.
    std::optional<std::size_t> findFirst(std::int64_t broj);
    void setBroj(std::size_t i, std::int64_t broj);

    // Writes the changed positions into `table`; returns the number of rows written.
    std::int64_t write(Database& db, std::string_view table) const;

private:
    std::vector<Row> m_rows; // in store order
    std::vector<std::int64_t> m_original;
    std::map<std::int64_t, std::set<std::size_t>> m_byBroj; // built on first lookup
    bool m_indexed = false;
};

} // namespace listrion::store
