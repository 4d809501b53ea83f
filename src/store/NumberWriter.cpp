#include "store/NumberWriter.h"

#include "store/ChangeLog.h"
#include "store/History.h"
#include "store/Schema.h"

#include <algorithm>

namespace listrion::store {

NumberWriter::NumberWriter(Database& db, std::string_view table) : m_db(db), m_table(table)
{
}

std::int64_t NumberWriter::numberRows(Statement& query, PositionCounter& counter)
{
    std::int64_t numbered = 0;
    while (query.step()) {
        const std::int64_t broj = counter.next();
        if (query.isNull(1) || query.columnInt(1) != broj) {
            add(query.columnInt(0), broj,
                query.isNull(1) ? std::nullopt : std::optional(query.columnInt(1)));
        }
        ++numbered;
    }
    query.reset();
    return numbered;
}

std::int64_t NumberWriter::write()
{
    if (m_changes.empty()) {
        return 0;
    }
    std::sort(m_changes.begin(), m_changes.end());
    // Keeping the two channel indexes up to date costs about twice as much per row as the row
    // itself; when most rows change, building the indexes afresh is cheaper.
    const bool rebuildIndexes = m_table == "Playlist" && m_changes.size() >= kRebuildMinimum &&
                                static_cast<std::int64_t>(m_changes.size()) * 2 >
                                    m_db.scalarInt("SELECT count(*) FROM Playlist", 0);
    if (rebuildIndexes) {
        Schema::dropPlaylistIndexes(m_db);
    }
    // The history learns the positions from here: for a million rows this is much cheaper than
    // through the engine's hook.
    ChangeLog& log = m_db.changeLog();
    const int table = ChangeLog::tableNumber(m_table);
    if (log.collecting() && table >= 0) {
        const int column = Schema::columnNumber(m_db, m_table, "broj");
        for (const Change& c : m_changes) {
            log.addNumberChange(table, c.rowid, column, c.old, c.broj);
        }
    }
    const HistoryPause pause(m_db);
    Statement update =
        m_db.prepare("UPDATE " + quoteIdentifier(m_table) + " SET broj = ? WHERE rowid = ?");
    for (const Change& c : m_changes) {
        update.bindAll(c.broj, c.rowid);
        update.run();
    }
    if (rebuildIndexes) {
        Schema::createPlaylistIndexes(m_db);
    }
    const auto written = static_cast<std::int64_t>(m_changes.size());
    m_changes.clear();
    return written;
}

} // namespace listrion::store
