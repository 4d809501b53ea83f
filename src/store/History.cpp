#include "store/History.h"

#include "store/ChangeLog.h"
#include "store/HistoryReplay.h"
#include "store/NamedBackups.h"
#include "store/Schema.h"
#include "store/Transaction.h"
#include "store/UndoSnapshot.h"

#include <sqlite3.h>

#include <algorithm>
#include <stdexcept>

namespace listrion::store {
namespace {

// The packed changes of a step are stored in parts of at most this many bytes.
constexpr std::size_t kPartBytes = 1 << 20;

void dropStep(Database& db, std::int64_t id)
{
    db.prepare("DELETE FROM History_Data WHERE step = ?").bindAll(id).run();
    db.prepare("DELETE FROM History_Step WHERE id = ?").bindAll(id).run();
    dropAside(db, id);
}

// A new step: what was undone can no longer be redone, and the oldest steps go while the kept
// ones pass the cap (the new one stays in any case).
std::int64_t startStep(Database& db, std::string_view name, std::int64_t bytes, int kind,
                       std::string_view source)
{
    std::vector<std::int64_t> undone;
    Statement st = db.prepare("SELECT id FROM History_Step WHERE undone <> 0");
    while (st.step()) {
        undone.push_back(st.columnInt(0));
    }
    st.reset();
    for (std::int64_t id : undone) {
        dropStep(db, id);
    }
    std::int64_t kept = db.scalarInt("SELECT sum(bytes) FROM History_Step", 0);
    while (kept + bytes > db.historyCap()) {
        Statement oldest = db.prepare("SELECT id, bytes FROM History_Step ORDER BY id LIMIT 1");
        if (!oldest.step()) {
            break;
        }
        const std::int64_t id = oldest.columnInt(0);
        kept -= oldest.columnInt(1);
        oldest.reset();
        dropStep(db, id);
    }
    db.prepare(
          "INSERT INTO History_Step (name, bytes, undone, kind, source) VALUES (?, ?, 0, ?, ?)")
        .bindAll(name, bytes, kind, source)
        .run();
    return db.scalarInt("SELECT last_insert_rowid()", 0);
}

std::optional<History::Step> stepWhere(const Database& db, const char* sql)
{
    Statement st = db.prepare(sql);
    if (!st.step()) {
        return std::nullopt;
    }
    return History::Step{st.columnInt(0), st.columnText(1), st.columnInt(2), st.columnInt(3) != 0};
}

std::string readStep(const Database& db, std::int64_t id)
{
    std::string bytes;
    Statement st = db.prepare("SELECT data FROM History_Data WHERE step = ? ORDER BY part");
    st.bind(1, id);
    while (st.step()) {
        bytes += st.columnView(0);
    }
    return bytes;
}

// The working table becomes the step's copy by a rename, which costs the same however many
// rows it has, and an empty table of the same design, with its indexes, takes its place: the
// replacement that follows fills it anyway.
void moveAside(Database& db, std::string_view table, const std::string& copy)
{
    Statement design = db.prepare("SELECT type, name, sql FROM sqlite_schema WHERE tbl_name = ? "
                                  "AND sql IS NOT NULL ORDER BY type = 'index'");
    design.bind(1, table);
    std::vector<std::string> create;
    std::vector<std::string> indexes;
    while (design.step()) {
        create.push_back(design.columnText(2));
        if (design.columnText(0) == "index") {
            indexes.push_back(design.columnText(1));
        }
    }
    design.reset();
    // Index names are unique in the file: the copy keeps none.
    for (const std::string& index : indexes) {
        db.exec("DROP INDEX " + quoteIdentifier(index));
    }
    db.exec("ALTER TABLE " + quoteIdentifier(table) + " RENAME TO " + quoteIdentifier(copy));
    for (const std::string& statement : create) {
        db.exec(statement);
    }
}

void copyBack(Database& db, std::int64_t id)
{
    Schema::dropPlaylistIndexes(db);
    for (std::size_t t = 0; t < std::size(ChangeLog::kTables); ++t) {
        const std::string table = quoteIdentifier(ChangeLog::kTables[t]);
        const std::string columns = columnList(columnsOf(db, ChangeLog::kTables[t]));
        const std::string copy = historyCopyTable(id, t);
        // A copy moved aside keeps its rows' own ids; one made by copying holds them in a column.
        const std::vector<std::string> copyColumns = columnsOf(db, copy);
        const std::string rowid =
            std::find(copyColumns.begin(), copyColumns.end(), "listrion_rowid") != copyColumns.end()
                ? "listrion_rowid"
                : "rowid";
        db.exec("DELETE FROM " + table);
        db.exec("INSERT INTO " + table + " (rowid, " + columns + ") SELECT " + rowid + ", " +
                columns + " FROM " + quoteIdentifier(copy) + " ORDER BY " + rowid);
    }
    Schema::createPlaylistIndexes(db);
}

void replaceAgain(Database& db, int kind, const std::string& source)
{
    switch (static_cast<History::Replacement>(kind)) {
    case History::Replacement::SnapshotMainWindow:
        replaceWithSnapshot(db, RestoreForm::MainWindow);
        return;
    case History::Replacement::SnapshotEditor:
        replaceWithSnapshot(db, RestoreForm::Editor);
        return;
    case History::Replacement::NamedBackup:
        if (replaceWithCopy(db, source) != RestoreCopyResult::Restored) {
            throw std::runtime_error("the numbered copy " + source + " is no longer there");
        }
        return;
    }
}

} // namespace

namespace History {

void ensureTables(Database& db)
{
    db.exec("CREATE TABLE IF NOT EXISTS History_Step (id INTEGER PRIMARY KEY, name TEXT NOT NULL, "
            "bytes INTEGER NOT NULL, undone INTEGER NOT NULL DEFAULT 0, kind INTEGER NOT NULL "
            "DEFAULT 0, source TEXT);"
            "CREATE TABLE IF NOT EXISTS History_Data (step INTEGER NOT NULL, part INTEGER NOT "
            "NULL, data BLOB NOT NULL, PRIMARY KEY (step, part)) WITHOUT ROWID;");
}

void record(Database& db, std::string_view name, const ChangeLog& log)
{
    const std::string& bytes = log.bytes();
    const std::int64_t id = startStep(db, name, log.stepBytes(), 0, {});
    Statement part = db.prepare("INSERT INTO History_Data (step, part, data) VALUES (?, ?, ?)");
    std::int64_t number = 0;
    for (std::size_t at = 0; at < bytes.size(); at += kPartBytes) {
        part.bind(1, id).bind(2, number++);
        sqlite3_bind_blob64(part.handle(), 3, bytes.data() + at,
                            std::min(kPartBytes, bytes.size() - at), SQLITE_STATIC);
        part.run();
    }
}

void recordReplacement(Database& db, std::string_view name, Replacement how,
                       std::string_view source)
{
    const std::int64_t rows = db.scalarInt("SELECT count(*) FROM Playlist", 0) +
                              db.scalarInt("SELECT count(*) FROM Grupa", 0);
    const std::int64_t id =
        startStep(db, name, rows * ChangeLog::kAsideRowBytes, static_cast<int>(how), source);
    // Playlist and Grupa are replaced whole by every caller, so they are moved aside; SS_Epg,
    // which the editors' restore keeps, is copied.
    for (std::size_t t = 0; t < std::size(ChangeLog::kTables); ++t) {
        const std::string_view table = ChangeLog::kTables[t];
        if (table == "Playlist" || table == "Grupa") {
            moveAside(db, table, historyCopyTable(id, t));
        } else {
            db.exec("CREATE TABLE " + quoteIdentifier(historyCopyTable(id, t)) +
                    " AS SELECT rowid AS listrion_rowid, * FROM " + quoteIdentifier(table));
        }
    }
}

std::optional<Step> nextUndo(const Database& db)
{
    return stepWhere(db, "SELECT id, name, bytes, undone FROM History_Step WHERE undone = 0 "
                         "ORDER BY id DESC LIMIT 1");
}

std::optional<Step> nextRedo(const Database& db)
{
    return stepWhere(db, "SELECT id, name, bytes, undone FROM History_Step WHERE undone <> 0 "
                         "ORDER BY id LIMIT 1");
}

std::vector<Step> steps(const Database& db)
{
    std::vector<Step> all;
    Statement st = db.prepare("SELECT id, name, bytes, undone FROM History_Step ORDER BY id DESC");
    while (st.step()) {
        all.push_back({st.columnInt(0), st.columnText(1), st.columnInt(2), st.columnInt(3) != 0});
    }
    return all;
}

std::optional<std::string> undo(Database& db)
{
    Transaction tx(db);
    const HistoryPause pause(db);
    const std::optional<Step> step = nextUndo(db);
    if (!step) {
        return std::nullopt;
    }
    const int kind =
        static_cast<int>(db.scalarInt("SELECT kind FROM History_Step WHERE id = ?", 0, step->id));
    if (kind == 0) {
        replayStep(db, step->id, readStep(db, step->id), true);
    } else {
        copyBack(db, step->id);
    }
    db.prepare("UPDATE History_Step SET undone = 1 WHERE id = ?").bindAll(step->id).run();
    tx.commit();
    return step->name;
}

std::optional<std::string> redo(Database& db)
{
    Transaction tx(db);
    const HistoryPause pause(db);
    const std::optional<Step> step = nextRedo(db);
    if (!step) {
        return std::nullopt;
    }
    Statement st = db.prepare("SELECT kind, source FROM History_Step WHERE id = ?");
    st.bind(1, step->id);
    st.step();
    const int kind = static_cast<int>(st.columnInt(0));
    const std::string source = st.columnText(1);
    st.reset();
    if (kind == 0) {
        replayStep(db, step->id, readStep(db, step->id), false);
        dropAside(db, step->id);
    } else {
        replaceAgain(db, kind, source);
    }
    db.prepare("UPDATE History_Step SET undone = 0 WHERE id = ?").bindAll(step->id).run();
    tx.commit();
    return step->name;
}

void clear(Database& db)
{
    Transaction tx(db);
    db.exec("DELETE FROM History_Step; DELETE FROM History_Data;");
    for (const std::string& table : db.tableNames()) {
        if (table.starts_with("History_Copy_")) {
            db.dropTable(table);
        }
    }
    tx.commit();
}

} // namespace History

HistoryPause::HistoryPause(Database& db) : m_log(db.changeLog()), m_was(m_log.enabled())
{
    m_log.setEnabled(false);
}

HistoryPause::~HistoryPause()
{
    m_log.setEnabled(m_was);
}

StepName::StepName(Database& db, std::string name) : m_db(db), m_previous(db.stepName())
{
    db.setStepName(std::move(name));
}

StepName::~StepName()
{
    m_db.setStepName(std::move(m_previous));
}

} // namespace listrion::store
