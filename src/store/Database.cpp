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
std::atomic<bool> g_deferredCheckpoints = false;
// The engine's own default: a checkpoint at the commit that takes the log past 1,000 pages.
constexpr int kAutoCheckpointPages = 1000;
// With checkpoints deferred, a writer still copies the log itself past 1 GB (32 KB pages).
constexpr int kDeferredCheckpointPages = 32768;

// Process-wide engine settings, made before the engine starts: no allocation statistics
// (nothing reads them, and keeping them takes a global lock on every allocation).
void configureEngine()
{
    static std::once_flag once;
    std::call_once(once, [] { sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0); });
}

// An open handle with the store's busy timeout; throws when the engine cannot open `name`.
sqlite3* openHandle(const std::string& name, int flags)
{
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(name.c_str(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        std::string message = db ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close_v2(db);
        throw SqlError(rc, "cannot open " + name + ": " + message);
    }
    sqlite3_busy_timeout(db, 5000);
    return db;
}

// The file as an address that tells the engine the file never changes (no locks, no log).
std::string immutableUri(const std::filesystem::path& file)
{
    std::string uri = "file:";
    for (char c : std::filesystem::absolute(file).string()) {
        if (c == '%' || c == '?' || c == '#') {
            static constexpr char kHex[] = "0123456789abcdef";
            uri.push_back('%');
            uri.push_back(kHex[(static_cast<unsigned char>(c) >> 4) & 0xf]);
            uri.push_back(kHex[static_cast<unsigned char>(c) & 0xf]);
        } else {
            uri.push_back(c);
        }
    }
    return uri + "?immutable=1";
}

} // namespace

Database::Database(const std::filesystem::path& file, Mode mode)
    : m_file(file), m_mode(mode), m_changes(std::make_unique<ChangeLog>()),
      m_historyCap(g_defaultHistoryCap)
{
    configureEngine();
    if (mode == Mode::ReadOnly) {
        openReadOnly();
    } else {
        m_db = openHandle(file.string(),
                          SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX);
    }
    try {
        configure();
    } catch (...) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        throw;
    }
}

void Database::openReadOnly()
{
    m_db = openHandle(m_file.string(), SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX);
    // The engine opens the file lazily: the first read tells whether it can be read at all.
    const int rc =
        sqlite3_exec(m_db, "SELECT count(*) FROM sqlite_schema", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) {
        return;
    }
    std::string message = sqlite3_errmsg(m_db);
    sqlite3_close_v2(m_db);
    m_db = nullptr;
    // A store in write-ahead-log mode is read through a shared-memory file beside it, which
    // a read-only folder cannot hold. With no log beside it (or an empty one) the file holds
    // every committed change, and nothing can write in that folder, so the file is read as
    // unchangeable. A log with content there cannot be read: the error stands.
    std::error_code ec;
    const std::filesystem::path wal = m_file.string() + "-wal";
    const bool logHoldsChanges =
        std::filesystem::exists(wal, ec) && std::filesystem::file_size(wal, ec) > 0 && !ec;
    const int primary = rc & 0xff;
    if ((primary != SQLITE_READONLY && primary != SQLITE_CANTOPEN) || logHoldsChanges) {
        throw SqlError(rc, "cannot read " + m_file.string() + ": " + message);
    }
    m_db = openHandle(immutableUri(m_file),
                      SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_URI);
}

void Database::configure()
{
    sqlite3_extended_result_codes(m_db, 1);
    m_changes->attach(m_db);
    registerTextCollation(m_db);
    const std::string cache = "PRAGMA cache_size=-" + std::to_string(kCacheKiB) +
                              "; PRAGMA temp_store=MEMORY; PRAGMA threads=2;";
    if (readOnly()) {
        // Settings of the connection only: nothing here writes to the file.
        exec(cache);
        return;
    }
    // The page size only takes effect in a new file (compaction carries it into older
    // ones): 32 KB pages make an eighth of the page reads and writes of the default 4 KB in
    // a store of a million rows, and a large load runs about 5 % faster than with 16 KB,
    // while a single-row edit still writes only a few pages. The system library zeroes every
    // freed page by default, which doubles the writes of emptying a large table; FAST zeroes
    // only where that costs no extra writes. Sorts that spill to temporary files may use two
    // worker threads (see Schema::createPlaylistIndexesAfterLoad).
    exec("PRAGMA page_size=" + std::to_string(kPageSize) +
         "; PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA secure_delete=FAST; " +
         "PRAGMA wal_autocheckpoint=" + std::to_string(autoCheckpointPages()) + "; " + cache);
}

Database::Database(Database&& other) noexcept
    : m_file(std::move(other.m_file)), m_mode(other.m_mode),
      m_db(std::exchange(other.m_db, nullptr)), m_changes(std::move(other.m_changes)),
      m_stepName(std::move(other.m_stepName)), m_historyCap(other.m_historyCap)
{
}

Database& Database::operator=(Database&& other) noexcept
{
    if (this != &other) {
        close();
        m_file = std::move(other.m_file);
        m_mode = other.m_mode;
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

void Database::setDeferredCheckpoints(bool on)
{
    g_deferredCheckpoints = on;
}

int Database::autoCheckpointPages()
{
    return g_deferredCheckpoints ? kDeferredCheckpointPages : kAutoCheckpointPages;
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

void Database::keepLogOnClose()
{
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
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
