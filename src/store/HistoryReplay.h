#pragma once

#include "store/Database.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace listrion::store {

// The table that keeps rows of a history step aside: a table the step replaced whole, or rows an
// undo took out of `table` (the number of the table in ChangeLog::kTables).
std::string historyCopyTable(std::int64_t step, std::size_t table);

// The columns of `table` in their order, and the same as a list for a statement.
std::vector<std::string> columnsOf(const Database& db, std::string_view table);
std::string columnList(const std::vector<std::string>& columns);

// Applies the packed changes of step `step` backwards (undo) or forwards (redo). The undo of
// an inserted range moves the rows into the step's copy tables; the redo takes them back.
void replayStep(Database& db, std::int64_t step, const std::string& bytes, bool backwards);

// Drops the copy tables of a step (an undone one once it is done again, or one forgotten).
void dropAside(Database& db, std::int64_t step);

} // namespace listrion::store
