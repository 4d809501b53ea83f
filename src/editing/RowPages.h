#pragma once

#include "store/Database.h"
#include "store/Value.h"

#include <cstdint>
#include <list>
#include <string>
#include <utility>
#include <vector>

namespace listrion::editing {

// The rows of a grid over a table of any size: the row ids of the grid's query in display order,
// and their column values read on demand, a page of rows at a time, by row id. A few pages stay
// cached; the least recently used one is dropped first. Row ids whose row has gone since the ids
// were read give a row without values.
class RowPages {
public:
    using Row = std::vector<store::Value>;

    static constexpr int kPageSize = 128;
    static constexpr std::size_t kCachedPages = 16;

    // `rowSql` reads one row's columns and has the row id as its only parameter.
    RowPages(store::Database& db, std::string rowSql);

    // The row ids a statement yields (its first column), in its order.
    static std::vector<std::int64_t> readIds(store::Statement& rowIds);
    // The row ids of a statement yielding rowid, name, broj, in name order as the store compares
    // names, then position. The names are folded and sorted here: much faster than the engine's
    // sort, which calls the collation for every comparison.
    static std::vector<std::int64_t> readIdsByName(store::Statement& rows);

    // Replaces the row ids (in display order) and forgets the cached rows.
    void load(std::vector<std::int64_t> ids);
    void clear();

    int size() const { return static_cast<int>(m_ids.size()); }
    std::int64_t rowId(int index) const { return m_ids[static_cast<std::size_t>(index)]; }
    // Index of the row with that id, or -1.
    int indexOf(std::int64_t rowId) const;

    // The values of the row at `index`; empty when the row has gone.
    const Row& row(int index);

    // Forgets cached values so that they are read again: of every row, or of one row.
    void forgetValues();
    void forgetRow(int index);

private:
    using Page = std::pair<int, std::vector<Row>>; // page number, its rows

    const std::vector<Row>& page(int number);

    store::Database& m_db;
    std::string m_rowSql;
    std::vector<std::int64_t> m_ids;
    std::list<Page> m_pages; // most recently used first
};

} // namespace listrion::editing
