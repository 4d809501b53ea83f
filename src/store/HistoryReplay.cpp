#include "store/HistoryReplay.h"

#include "store/ChangeLog.h"
#include "store/Schema.h"

#include <algorithm>
#include <map>

namespace listrion::store {
namespace {

// A step that changes more channel rows than this is undone with the channel indexes built
// afresh afterwards, which is faster than keeping them up to date row by row.
constexpr std::int64_t kRebuildIndexesAbove = 200'000;

// The rows an UpdateRows change names, and where its values start.
struct RowsChange {
    int column = 0;
    std::string_view old;
    std::string_view now;
    std::uint64_t count = 0;
    std::string_view ids; // ascending differences
};

RowsChange rowsChange(std::string_view payload)
{
    RowsChange r;
    r.column = static_cast<unsigned char>(payload.front());
    payload.remove_prefix(1);
    for (std::string_view* value : {&r.old, &r.now}) {
        const std::string_view start = payload;
        PackedValue::skip(payload);
        *value = start.substr(0, start.size() - payload.size());
    }
    PackedValue::readVarint(payload, r.count);
    r.ids = payload;
    return r;
}

std::int64_t rowsOf(const ChangeLog::Change& c)
{
    switch (c.op) {
    case ChangeLog::Op::UpdateRows:
        return static_cast<std::int64_t>(rowsChange(c.payload).count);
    case ChangeLog::Op::InsertedRange:
        return ChangeLog::insertedLast(c) - c.rowid + 1;
    default:
        return 1;
    }
}

class Replay {
public:
    Replay(Database& db, std::int64_t step, bool backwards)
        : m_db(db), m_step(step), m_backwards(backwards)
    {
    }

    void run(const std::string& bytes)
    {
        std::vector<ChangeLog::Change> changes;
        std::string_view rest = bytes;
        ChangeLog::Change change;
        std::int64_t channelRows = 0;
        while (ChangeLog::next(rest, change)) {
            changes.push_back(change);
            channelRows += change.table == 0 ? rowsOf(change) : 0;
        }
        const bool rebuild = channelRows > kRebuildIndexesAbove;
        if (rebuild) {
            Schema::dropPlaylistIndexes(m_db);
        }
        if (m_backwards) {
            for (auto it = changes.rbegin(); it != changes.rend(); ++it) {
                apply(*it);
            }
        } else {
            for (const ChangeLog::Change& c : changes) {
                apply(c);
            }
        }
        if (rebuild) {
            Schema::createPlaylistIndexes(m_db);
        }
    }

private:
    const std::vector<std::string>& columns(std::uint8_t table)
    {
        auto found = m_columns.find(table);
        if (found == m_columns.end()) {
            found = m_columns.emplace(table, columnsOf(m_db, ChangeLog::kTables[table])).first;
        }
        return found->second;
    }
    // The statement for `key` (what its text depends on), its text made by `text` the first
    // time: a step of a million rows asks for the same few statements a million times.
    template <typename Text> Statement& statement(const std::string& key, const Text& text)
    {
        auto found = m_statements.find(key);
        if (found == m_statements.end()) {
            found = m_statements.emplace(key, m_db.prepare(text())).first;
        }
        found->second.reset();
        return found->second;
    }
    static std::string keyOf(char kind, std::uint8_t table, std::string_view detail = {})
    {
        std::string key{kind, static_cast<char>(table)};
        key.append(detail);
        return key;
    }
    std::string table(std::uint8_t t) const { return quoteIdentifier(ChangeLog::kTables[t]); }

    void apply(const ChangeLog::Change& c)
    {
        switch (c.op) {
        case ChangeLog::Op::Update:
            update(c);
            return;
        case ChangeLog::Op::UpdateRows:
            updateRows(c);
            return;
        case ChangeLog::Op::InsertedRange:
            m_backwards ? takeOut(c) : putBack(c);
            return;
        case ChangeLog::Op::Insert:
        case ChangeLog::Op::Delete:
            break;
        }
        if ((c.op == ChangeLog::Op::Insert) == m_backwards) {
            Statement& st = statement(keyOf('D', c.table), [&] {
                return "DELETE FROM " + table(c.table) + " WHERE rowid = ?";
            });
            st.bind(1, c.rowid);
            st.run();
        } else {
            insert(c);
        }
    }
    void insert(const ChangeLog::Change& c)
    {
        std::string_view values = c.payload;
        const std::uint64_t count = static_cast<unsigned char>(values.front());
        values.remove_prefix(1);
        const std::vector<std::string>& all = columns(c.table);
        const std::size_t used = std::min<std::size_t>(count, all.size());
        Statement& st =
            statement(keyOf('I', c.table, std::string(1, static_cast<char>(used))), [&] {
                std::string marks = "?";
                for (std::size_t i = 0; i < used; ++i) {
                    marks += ", ?";
                }
                return "INSERT INTO " + table(c.table) + " (rowid, " +
                       columnList({all.begin(), all.begin() + static_cast<std::ptrdiff_t>(used)}) +
                       ") VALUES (" + marks + ")";
            });
        st.bind(1, c.rowid);
        for (std::size_t i = 0; i < used; ++i) {
            PackedValue::bind(values, st.handle(), static_cast<int>(i) + 2);
        }
        st.run();
    }
    void update(const ChangeLog::Change& c)
    {
        std::string_view values = c.payload;
        const std::uint64_t count = static_cast<unsigned char>(values.front());
        values.remove_prefix(1);
        std::string changed; // the column numbers, as the statement's key
        std::vector<std::string_view> old;
        std::vector<std::string_view> now;
        for (std::uint64_t i = 0; i < count; ++i) {
            changed.push_back(values.front());
            values.remove_prefix(1);
            for (auto* list : {&old, &now}) {
                const std::string_view start = values;
                PackedValue::skip(values);
                // A reference stands for the same value of the column before.
                list->push_back(PackedValue::isReference(start) && !list->empty()
                                    ? list->back()
                                    : start.substr(0, start.size() - values.size()));
            }
        }
        Statement& st = statement(keyOf('U', c.table, changed), [&] {
            const std::vector<std::string>& all = columns(c.table);
            std::string set;
            for (const char column : changed) {
                set += std::string(set.empty() ? "" : ", ") +
                       quoteIdentifier(all.at(static_cast<unsigned char>(column))) + " = ?";
            }
            return "UPDATE " + table(c.table) + " SET " + set + " WHERE rowid = ?";
        });
        const std::vector<std::string_view>& take = m_backwards ? old : now;
        for (std::size_t i = 0; i < take.size(); ++i) {
            std::string_view one = take[i];
            PackedValue::bind(one, st.handle(), static_cast<int>(i) + 1);
        }
        st.bind(static_cast<int>(take.size()) + 1, c.rowid);
        st.run();
    }
    void updateRows(const ChangeLog::Change& c)
    {
        const RowsChange r = rowsChange(c.payload);
        Statement& st =
            statement(keyOf('U', c.table, std::string(1, static_cast<char>(r.column))), [&] {
                return "UPDATE " + table(c.table) + " SET " +
                       quoteIdentifier(columns(c.table).at(r.column)) + " = ? WHERE rowid = ?";
            });
        std::string_view value = m_backwards ? r.old : r.now;
        PackedValue::bind(value, st.handle(), 1);
        std::string_view ids = r.ids;
        std::int64_t rowid = 0;
        for (std::uint64_t i = 0; i < r.count; ++i) {
            std::uint64_t step = 0;
            PackedValue::readVarint(ids, step);
            rowid += static_cast<std::int64_t>(step);
            st.bind(2, rowid);
            st.run(); // the value stays bound
        }
    }
    // The rows of an inserted range go into the step's copy of the table, then out of it.
    void takeOut(const ChangeLog::Change& c)
    {
        const std::string source = table(c.table);
        const std::string copy = quoteIdentifier(historyCopyTable(m_step, c.table));
        m_db.exec("CREATE TABLE IF NOT EXISTS " + copy +
                  " AS SELECT rowid AS listrion_rowid, * FROM " + source + " WHERE 0");
        m_db.prepare("INSERT INTO " + copy + " SELECT rowid, * FROM " + source +
                     " WHERE rowid BETWEEN ? AND ? ORDER BY rowid")
            .bindAll(c.rowid, ChangeLog::insertedLast(c))
            .run();
        m_db.prepare("DELETE FROM " + source + " WHERE rowid BETWEEN ? AND ?")
            .bindAll(c.rowid, ChangeLog::insertedLast(c))
            .run();
    }
    void putBack(const ChangeLog::Change& c)
    {
        const std::string list = columnList(columns(c.table));
        m_db.prepare("INSERT INTO " + table(c.table) + " (rowid, " + list +
                     ") SELECT listrion_rowid, " + list + " FROM " +
                     quoteIdentifier(historyCopyTable(m_step, c.table)) +
                     " WHERE listrion_rowid BETWEEN ? AND ? ORDER BY listrion_rowid")
            .bindAll(c.rowid, ChangeLog::insertedLast(c))
            .run();
    }

    Database& m_db;
    std::int64_t m_step;
    bool m_backwards;
    std::map<std::uint8_t, std::vector<std::string>> m_columns;
    std::map<std::string, Statement> m_statements;
};

} // namespace

std::string historyCopyTable(std::int64_t step, std::size_t table)
{
    return "History_Copy_" + std::to_string(step) + "_" + std::to_string(table);
}

std::vector<std::string> columnsOf(const Database& db, std::string_view table)
{
    std::vector<std::string> columns;
    Statement st = db.prepare("SELECT name FROM pragma_table_info(?) ORDER BY cid");
    st.bind(1, table);
    while (st.step()) {
        columns.push_back(st.columnText(0));
    }
    return columns;
}

std::string columnList(const std::vector<std::string>& columns)
{
    std::string list;
    for (const std::string& c : columns) {
        list += (list.empty() ? "" : ", ") + quoteIdentifier(c);
    }
    return list;
}

void replayStep(Database& db, std::int64_t step, const std::string& bytes, bool backwards)
{
    Replay(db, step, backwards).run(bytes);
}

void dropAside(Database& db, std::int64_t step)
{
    for (std::size_t t = 0; t < std::size(ChangeLog::kTables); ++t) {
        if (db.tableExists(historyCopyTable(step, t))) {
            db.dropTable(historyCopyTable(step, t));
        }
    }
}

} // namespace listrion::store
