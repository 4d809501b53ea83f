#include "store/PositionRows.h"

#include "store/NumberWriter.h"
#include "store/OrderingError.h"

namespace listrion::store {

PositionRows PositionRows::read(Statement& query)
{
    PositionRows rows;
    while (query.step()) {
        if (query.isNull(1)) {
            throw OrderingError(OrderingError::Kind::NoPosition,
                                "a row to be moved has no position");
        }
        rows.m_rows.push_back({query.columnInt(0), query.columnInt(1), query.columnInt(2) != 0});
    }
    query.reset();
    std::sort(rows.m_rows.begin(), rows.m_rows.end(),
              [](const Row& a, const Row& b) { return a.rowid < b.rowid; });
    rows.m_original.reserve(rows.m_rows.size());
    for (const Row& row : rows.m_rows) {
        rows.m_original.push_back(row.broj);
    }
    return rows;
}

std::optional<std::size_t> PositionRows::findFirst(std::int64_t broj)
{
    if (!m_indexed) {
        for (std::size_t i = 0; i < m_rows.size(); ++i) {
            m_byBroj[m_rows[i].broj].insert(i);
        }
        m_indexed = true;
    }
    const auto it = m_byBroj.find(broj);
    if (it == m_byBroj.end() || it->second.empty()) {
        return std::nullopt;
    }
    return *it->second.begin();
}

void PositionRows::setBroj(std::size_t i, std::int64_t broj)
{
    if (m_indexed) {
        const auto old = m_byBroj.find(m_rows[i].broj);
        old->second.erase(i);
        if (old->second.empty()) {
            m_byBroj.erase(old);
        }
        m_byBroj[broj].insert(i);
    }
    m_rows[i].broj = broj;
}

std::int64_t PositionRows::write(Database& db, std::string_view table) const
{
    NumberWriter writer(db, table);
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].broj != m_original[i]) {
            writer.add(m_rows[i].rowid, m_rows[i].broj, m_original[i]);
        }
    }
    return writer.write();
}

} // namespace listrion::store
