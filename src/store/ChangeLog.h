#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;
struct sqlite3_value;

namespace listrion::store {

// The changes a command makes to the tables the history keeps (Playlist, Grupa, SS_Epg), as the
// engine reports them row by row before each change, packed into bytes: for an inserted row
// its values, for a deleted row its old values, for a changed row the columns that changed with
// their old and new values. A change of the tick column alone is selection, not an edit, and is
// not kept. Collected only inside a transaction; savepoints can take back what they added.
class ChangeLog {
public:
    // Insert, Update and Delete concern one row each. UpdateRows gives many rows one column's
    // same new value in place of the same old one; InsertedRange stands for rows inserted with
    // consecutive row ids, whose values the undo keeps aside (a merge of a million channels
    // would otherwise pack every value twice).
    enum class Op : std::uint8_t {
        Insert = 1,
        Update = 2,
        Delete = 3,
        UpdateRows = 4,
        InsertedRange = 5
    };
    // The tables kept, by number in the packed changes.
    static constexpr std::string_view kTables[] = {"Playlist", "Grupa", "SS_Epg"};

    // Installs the engine's pre-update hook on the connection.
    void attach(sqlite3* db);

    // Collecting runs while a transaction is open and recording is on.
    void setCollecting(bool on) { m_collecting = on; }
    void setEnabled(bool on) { m_enabled = on; }
    bool enabled() const { return m_enabled; }

    const std::string& bytes() const { return m_bytes; }
    std::int64_t count() const { return m_count; }
    bool empty() const { return m_bytes.empty(); }
    std::size_t mark() const { return m_bytes.size(); }
    // Whether changes are being collected now (a transaction is open and recording is on).
    bool collecting() const { return m_collecting && m_enabled; }
    // Adds a change of one whole-number column that the caller makes with collecting paused
    // (a renumbering writes many positions; naming them here is cheaper than the hook). An
    // `old` value of nothing is NULL.
    void addNumberChange(int table, std::int64_t rowid, int column, std::optional<std::int64_t> old,
                         std::int64_t now);
    // The same for text columns of one row. A value equal to the same value of the column
    // before it in `edits` is packed as a reference to it (a channel's tvg-name is often its
    // name).
    struct TextEdit {
        int column = 0;
        std::string_view old;
        std::string_view now;
    };
    void addTextChanges(int table, std::int64_t rowid, std::initializer_list<TextEdit> edits);
    void addTextChange(int table, std::int64_t rowid, int column, std::string_view old,
                       std::string_view now)
    {
        addTextChanges(table, rowid, {{column, old, now}});
    }
    // One change for rows that all had `old` in `column` and all get `now` (`rowids` in any
    // order; it is sorted here).
    void addSameTextChange(int table, int column, std::string_view old, std::string_view now,
                           std::vector<std::int64_t>& rowids);
    // Rows first..last of `table` were inserted (the caller inserts them with collecting paused).
    void addInsertedRange(int table, std::int64_t first, std::int64_t last);
    // What the step will come to: the packed bytes, and for inserted ranges the rows the undo
    // keeps aside.
    std::int64_t stepBytes() const { return static_cast<std::int64_t>(m_bytes.size()) + m_aside; }
    // The number of `table` in kTables, or -1 when the history does not keep it.
    static int tableNumber(std::string_view table);

    // Forgets what was collected after `mark` (a savepoint rolled back).
    void rollbackTo(std::size_t mark);
    void clear();

    // One packed change: table and operation bytes, the row id (8 bytes), the payload's length
    // (4 bytes), then the payload: for an insert or a delete the number of columns (one byte)
    // and the row's values; for an update the number of changed columns (one byte) and for
    // each its number (one byte), old value and new value (either may be a reference to the
    // same value of the column before). For UpdateRows the row id is 0 and the payload is the
    // column's number, the old and the new value, the number of rows and their ids as
    // ascending differences (varints). For InsertedRange the row id is the first row's and the
    // payload the last row's (8 bytes).
    struct Change {
        std::uint8_t table = 0;
        Op op = Op::Insert;
        std::int64_t rowid = 0;
        std::string_view payload; // the packed values
    };
    static bool next(std::string_view& bytes, Change& change);
    // The last row id of an InsertedRange change.
    static std::int64_t insertedLast(const Change& change);
    // What a row kept aside by the undo of an inserted range counts toward the history's cap.
    static constexpr std::int64_t kAsideRowBytes = 200;

private:
    static void hook(void* self, sqlite3* db, int op, const char* schema, const char* table,
                     long long oldRowid, long long newRowid);
    void collect(sqlite3* db, int op, int table, std::int64_t oldRowid, std::int64_t newRowid);

    void recount();

    std::string m_bytes;
    std::int64_t m_count = 0;
    std::int64_t m_aside = 0;
    bool m_collecting = false;
    bool m_enabled = true;
};

// Collects the changes of one text column row by row and adds them to a log as one UpdateRows
// change for each pair of old and new text (renaming a group changes its channels alike).
class SameTextChanges {
public:
    SameTextChanges(int table, int column) : m_table(table), m_column(column) {}
    void add(std::int64_t rowid, std::string_view old, std::string_view now);
    void addTo(ChangeLog& log);

private:
    int m_table;
    int m_column;
    std::map<std::pair<std::string, std::string>, std::vector<std::int64_t>> m_rows;
    std::vector<std::int64_t>* m_last = nullptr;
    std::pair<std::string, std::string> m_lastKey;
};

// The packed form of one value: a type byte, then 8 bytes for a number, a length and the bytes
// for text or a blob, nothing for NULL or for a reference to the value before.
namespace PackedValue {
// Whether the packed value at the front of `bytes` is a reference to the value before.
bool isReference(std::string_view bytes);
void append(std::string& out, sqlite3_value* value);
// Reads one value and binds it to `index` of `statement`; false when the bytes run out.
bool bind(std::string_view& bytes, sqlite3_stmt* statement, int index);
// Passes over one value; false when the bytes run out.
bool skip(std::string_view& bytes);
void appendVarint(std::string& out, std::uint64_t value);
bool readVarint(std::string_view& bytes, std::uint64_t& value);
} // namespace PackedValue

} // namespace listrion::store
