#include "editing/RowPages.h"

#include "store/TextCollation.h"

#include <algorithm>
#include <tuple>

namespace listrion::editing {
namespace {

// A deferred read transaction around the lookups of one page: the engine then takes its file
// lock once, not once per row (which costs more than the lookups themselves). It takes no
// write lock, so a writer on another connection is not held up. Inside a transaction of the
// connection it does nothing.
class ReadTransaction {
public:
    explicit ReadTransaction(store::Database& db) : m_db(db), m_own(!db.inTransaction())
    {
        if (m_own) {
            m_db.exec("BEGIN DEFERRED");
        }
    }
    ~ReadTransaction()
    {
        if (m_own && m_db.inTransaction()) {
            try {
                m_db.exec("COMMIT");
            } catch (...) {
                // Ending a transaction that only read cannot lose anything.
            }
        }
    }
    ReadTransaction(const ReadTransaction&) = delete;
    ReadTransaction& operator=(const ReadTransaction&) = delete;

private:
    store::Database& m_db;
    bool m_own;
};

} // namespace

RowPages::RowPages(store::Database& db, std::string rowSql) : m_db(db), m_rowSql(std::move(rowSql))
{
}

std::vector<std::int64_t> RowPages::readIds(store::Statement& rowIds)
{
    std::vector<std::int64_t> ids;
    while (rowIds.step()) {
        ids.push_back(rowIds.columnInt(0));
    }
    return ids;
}

std::vector<std::int64_t> RowPages::readIdsByName(store::Statement& rows)
{
    struct Keyed {
        std::string name; // folded: compares bytewise as the store compares the names
        std::int64_t broj;
        std::int64_t rowId;
    };
    std::vector<Keyed> keyed;
    while (rows.step()) {
        keyed.push_back({store::foldKey(rows.columnView(1)), rows.columnInt(2), rows.columnInt(0)});
    }
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        return std::tie(a.name, a.broj, a.rowId) < std::tie(b.name, b.broj, b.rowId);
    });
    std::vector<std::int64_t> ids;
    ids.reserve(keyed.size());
    for (const Keyed& row : keyed) {
        ids.push_back(row.rowId);
    }
    return ids;
}

void RowPages::load(std::vector<std::int64_t> ids)
{
    m_ids = std::move(ids);
    m_pages.clear();
}

void RowPages::clear()
{
    m_ids.clear();
    m_pages.clear();
}

int RowPages::indexOf(std::int64_t rowId) const
{
    const auto it = std::find(m_ids.begin(), m_ids.end(), rowId);
    return it == m_ids.end() ? -1 : static_cast<int>(it - m_ids.begin());
}

const RowPages::Row& RowPages::row(int index)
{
    return page(index / kPageSize)[static_cast<std::size_t>(index % kPageSize)];
}

const std::vector<RowPages::Row>& RowPages::page(int number)
{
    const auto cached = std::find_if(m_pages.begin(), m_pages.end(),
                                     [number](const Page& p) { return p.first == number; });
    if (cached != m_pages.end()) {
        m_pages.splice(m_pages.begin(), m_pages, cached);
        return m_pages.front().second;
    }
    const std::size_t first = static_cast<std::size_t>(number) * kPageSize;
    const std::size_t last = std::min(m_ids.size(), first + kPageSize);
    std::vector<Row> rows(last - first);
    const ReadTransaction read(m_db);
    store::Statement st = m_db.prepare(m_rowSql);
    for (std::size_t i = first; i < last; ++i) {
        st.bind(1, m_ids[i]);
        if (st.step()) {
            Row& values = rows[i - first];
            values.reserve(static_cast<std::size_t>(st.columnCount()));
            for (int c = 0; c < st.columnCount(); ++c) {
                values.push_back(st.columnValue(c));
            }
        }
        st.reset();
    }
    if (m_pages.size() >= kCachedPages) {
        m_pages.pop_back();
    }
    m_pages.emplace_front(number, std::move(rows));
    return m_pages.front().second;
}

void RowPages::forgetValues()
{
    m_pages.clear();
}

void RowPages::forgetRow(int index)
{
    const int number = index / kPageSize;
    m_pages.remove_if([number](const Page& p) { return p.first == number; });
}

} // namespace listrion::editing
