#pragma once

#include "store/Database.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace listrion::store {

class ChangeLog;

// The history of the playlist's edits, kept in data.mdb beside the tables it covers (Playlist,
// Grupa, SS_Epg), so it survives a restart and a crash: one step per command, written in the
// command's own transaction, undone and redone one step at a time. A new command drops the
// steps undone before it. When the kept steps pass the cap, the oldest go; the newest step stays
// whatever its size. Opening, creating and closing a playlist start a new history.
namespace History {

inline constexpr std::int64_t kDefaultCapBytes = 256LL << 20;

struct Step {
    std::int64_t id = 0;
    std::string name;
    std::int64_t bytes = 0;
    bool undone = false;
};

// How a step that replaced whole tables is done again.
enum class Replacement {
    SnapshotMainWindow = 1, // Restore as the main window does it
    SnapshotEditor = 2,     // Restore as the editors do it
    NamedBackup = 3,        // Restore_Playlist of a numbered copy
};

// Creates the history's tables when they are missing.
void ensureTables(Database& db);

// Writes the changes a command collected as the next step (the outermost transaction's commit
// calls this before it commits).
void record(Database& db, std::string_view name, const ChangeLog& log);

// For a command that replaces the tables whole: keeps the tables as they are now as the next
// step, before the command replaces them (with collecting paused). Playlist and Grupa are left
// empty (their rows move into the step), SS_Epg as it was. `source` names the numbered copy for
// NamedBackup.
void recordReplacement(Database& db, std::string_view name, Replacement how,
                       std::string_view source = {});

std::optional<Step> nextUndo(const Database& db);
std::optional<Step> nextRedo(const Database& db);
// Every step, newest first.
std::vector<Step> steps(const Database& db);

// Undoes the newest step not undone / redoes the oldest undone one, in one transaction; the
// step's name, or nothing when there was none.
std::optional<std::string> undo(Database& db);
std::optional<std::string> redo(Database& db);

// Forgets every step.
void clear(Database& db);

} // namespace History

// Pauses collecting on a connection while it lives: for what must not become a step (a load,
// the history's own undo and redo, a whole-table replacement that keeps its own copy).
class HistoryPause {
public:
    explicit HistoryPause(Database& db);
    HistoryPause(const HistoryPause&) = delete;
    HistoryPause& operator=(const HistoryPause&) = delete;
    ~HistoryPause();

private:
    ChangeLog& m_log;
    bool m_was;
};

// Names the commands that run on a connection while it lives, for the history's steps; the
// name before comes back afterwards.
class StepName {
public:
    StepName(Database& db, std::string name);
    StepName(const StepName&) = delete;
    StepName& operator=(const StepName&) = delete;
    ~StepName();

private:
    Database& m_db;
    std::string m_previous;
};

} // namespace listrion::store
