#pragma once

#include "store/Statement.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace listrion::store {

class ChangeLog;

// One connection to a store file (data.mdb and the other databases of the program folder).
// Opening registers the text collation and turns on write-ahead logging, so a crash never
// leaves the file half-written. Statement text is fixed by the code; values are bound.
class Database {
public:
    // Page size of new store files.
    static constexpr int kPageSize = 32768;
    // Page cache of each connection, in KiB.
    static constexpr int kCacheKiB = 65536;

    explicit Database(const std::filesystem::path& file);
    Database(Database&& other) noexcept;
    Database& operator=(Database&& other) noexcept;
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;
    ~Database();

    const std::filesystem::path& file() const { return m_file; }
    sqlite3* handle() const { return m_db; }

    // Runs statements that take no values (schema, fixed statements).
    void exec(std::string_view sql);
    Statement prepare(std::string_view sql) const;

    // First column of the first row as an integer; `fallback` when there is no row or it is NULL.
    template <typename... Args>
    std::int64_t scalarInt(std::string_view sql, std::int64_t fallback, const Args&... args) const
    {
        Statement st = prepare(sql);
        st.bindAll(args...);
        if (!st.step() || st.isNull(0)) {
            return fallback;
        }
        return st.columnInt(0);
    }

    // Names of the tables in the database's own order (the order they were created in).
    std::vector<std::string> tableNames() const;
    // True when a table of that name exists (table names ignore letter case in the engine).
    bool tableExists(std::string_view name) const;
    void dropTable(std::string_view name);

    bool inTransaction() const;

    // What the connection's commands change in the tables the history keeps, collected while a
    // transaction is open.
    ChangeLog& changeLog() const { return *m_changes; }
    // The name of the history step the next commands make ("Change" unless named).
    const std::string& stepName() const { return m_stepName; }
    void setStepName(std::string name) { m_stepName = std::move(name); }
    // The most the history keeps, in bytes; new connections start with the process-wide
    // default.
    std::int64_t historyCap() const { return m_historyCap; }
    void setHistoryCap(std::int64_t bytes) { m_historyCap = bytes; }
    static void setDefaultHistoryCap(std::int64_t bytes);

    // Makes the statement running on this connection stop with an interrupt error as soon as it
    // can (its transaction is then rolled back by its owner). May be called from another thread
    // while the connection is open.
    void interrupt() const;
    std::int64_t changes() const;
    void close();

private:
    std::filesystem::path m_file;
    sqlite3* m_db = nullptr;
    std::unique_ptr<ChangeLog> m_changes;
    std::string m_stepName = "Change";
    std::int64_t m_historyCap;
};

// Quotes a table name for statement text. Table names come from the code, never from input.
std::string quoteIdentifier(std::string_view name);

} // namespace listrion::store
