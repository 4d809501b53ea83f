#include "store/Database.h"

#include "store/ChangeLog.h"
#include "store/SqlError.h"
#include "store/TextCollation.h"

#include <sqlite3.h>

#include <atomic>
#include <mutex>
#include <utility>

namespace listrion::store {

namespace {

std::atomic<std::int64_t> g_defaultHistoryCap = 256LL << 20;

// Process-wide engine settings, made before the engine starts: no allocation statistics
// (nothing reads them, and keeping them takes a global lock on every allocation).
void configureEngine()
{
    static std::once_flag once;
    std::call_once(once, [] { sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0); });
}

} // namespace

Database::Database(const std::filesystem::path& file)
    : m_file(file), m_changes(std::make_unique<ChangeLog>()), m_historyCap(g_defaultHistoryCap)
{
    configureEngine();
    const int rc =
        sqlite3_open_v2(file.c_str(), &m_db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        std::string message = m_db ? sqlite3_errmsg(m_db) : "out of memory";
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        throw SqlError(rc, "cannot open " + file.string() + ": " + message);
    }
    try {
        sqlite3_extended_result_codes(m_db, 1);
        m_changes->attach(m_db);
        sqlite3_busy_timeout(m_db, 5000);
        registerTextCollation(m_db);
        // The page size only takes effect in a new file (compaction carries it into older
        // ones): 32 KB pages make an eighth of the page reads and writes of the default 4 KB in
        // a store of a million rows, and a large load runs about 5 % faster than with 16 KB,
        // while a single-row edit still writes only a few pages. The system library zeroes every
        // freed page by default, which doubles the writes of emptying a large table; FAST zeroes
        // only where that costs no extra writes. Sorts that spill to temporary files may use two
        // worker threads (see Schema::createPlaylistIndexesAfterLoad).
        exec("PRAGMA page_size=" + std::to_string(kPageSize) +
             "; PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA cache_size=-" +
             std::to_string(kCacheKiB) +
             "; PRAGMA temp_store=MEMORY; PRAGMA secure_delete=FAST; PRAGMA threads=2;");
    } catch (...) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        throw;
    }
}

Database::Database(Database&& other) noexcept
    : m_file(std::move(other.m_file)), m_db(std::exchange(other.m_db, nullptr)),
      m_changes(std::move(other.m_changes)), m_stepName(std::move(other.m_stepName)),
      m_historyCap(other.m_historyCap)
{
}

Database& Database::operator=(Database&& other) noexcept
{
    if (this != &other) {
        close();
        m_file = std::move(other.m_file);
        m_db = std::exchange(other.m_db, nullptr);
        m_changes = std::move(other.m_changes);
        m_stepName = std::move(other.m_stepName);
        m_historyCap = other.m_historyCap;
    }
    return *this;
}

Database::~Database()
{
    close();
}

void Database::close()
{
    if (m_db != nullptr) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

void Database::exec(std::string_view sql)
{
    char* error = nullptr;
    const std::string text(sql);
    const int rc = sqlite3_exec(m_db, text.c_str(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        std::string message = error ? error : sqlite3_errmsg(m_db);
        sqlite3_free(error);
        throw SqlError(rc, message + " in: " + text);
    }
}

Statement Database::prepare(std::string_view sql) const
{
    return Statement(m_db, sql);
}

std::vector<std::string> Database::tableNames() const
{
    std::vector<std::string> names;
    Statement st = prepare("SELECT name FROM sqlite_schema WHERE type='table' AND name NOT LIKE "
                           "'sqlite\\_%' ESCAPE '\\' ORDER BY rowid");
    while (st.step()) {
        names.push_back(st.columnText(0));
    }
    return names;
}

bool Database::tableExists(std::string_view name) const
{
    return scalarInt("SELECT count(*) FROM sqlite_schema WHERE type='table' AND name=? COLLATE "
                     "NOCASE",
                     0, name) > 0;
}

void Database::dropTable(std::string_view name)
{
    exec("DROP TABLE " + quoteIdentifier(name));
}

bool Database::inTransaction() const
{
    return sqlite3_get_autocommit(m_db) == 0;
}

void Database::setDefaultHistoryCap(std::int64_t bytes)
{
    g_defaultHistoryCap = bytes;
}

void Database::interrupt() const
{
    if (m_db != nullptr) {
        sqlite3_interrupt(m_db);
    }
}

std::int64_t Database::changes() const
{
    return sqlite3_changes64(m_db);
}

std::string quoteIdentifier(std::string_view name)
{
    std::string quoted = "\"";
    for (char c : name) {
        if (c == '"') {
            quoted.push_back('"');
        }
        quoted.push_back(c);
    }
    quoted.push_back('"');
    return quoted;
}

} // namespace listrion::store
