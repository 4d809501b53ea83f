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

    // ReadOnly connections never write to the file, not even to switch on write-ahead logging,
    // so they work on a file or in a folder that cannot be written. Where the engine cannot
    // read a store in a read-only folder the usual way (it has no write-ahead log beside it),
    // the file is read as one that nothing changes.
    enum class Mode { ReadWrite, ReadOnly };

    explicit Database(const std::filesystem::path& file, Mode mode = Mode::ReadWrite);
    Database(Database&& other) noexcept;
    Database& operator=(Database&& other) noexcept;
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;
    ~Database();

    const std::filesystem::path& file() const { return m_file; }
    sqlite3* handle() const { return m_db; }
    bool readOnly() const { return m_mode == Mode::ReadOnly; }

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
    // Whether writing connections opened from now on leave their checkpoints to a
    // CheckpointThread (see DeferredCheckpoints), and the automatic checkpoint they take.
    static void setDeferredCheckpoints(bool on);
    static int autoCheckpointPages();

    // Makes the statement running on this connection stop with an interrupt error as soon as it
    // can (its transaction is then rolled back by its owner). May be called from another thread
    // while the connection is open.
    void interrupt() const;
    // Closing the connection leaves the write-ahead log as it is, even as the last connection
    // to the file (the next connection copies it into the file), so a close never waits for it.
    void keepLogOnClose();
    std::int64_t changes() const;
    void close();

private:
    void openReadOnly();
    void configure();

    std::filesystem::path m_file;
    Mode m_mode = Mode::ReadWrite;
    sqlite3* m_db = nullptr;
    std::unique_ptr<ChangeLog> m_changes;
    std::string m_stepName = "Change";
    std::int64_t m_historyCap;
};

// Quotes a table name for statement text. Table names come from the code, never from input.
std::string quoteIdentifier(std::string_view name);

} // namespace listrion::store
