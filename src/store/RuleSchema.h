#pragma once

#include "store/Database.h"

#include <filesystem>
#include <string>
#include <vector>

namespace listrion::store {

// The tables of izdvoji.mdb, the rules of the regional restructuring beside the program (all
// columns text, compared as the store compares text): Izloci (Grupa), the groups chosen to keep;
// grupa_novo (Grupa), groups to create; Grupa (Grupa1, Grupa2), group renaming; and
// Spremeni_Skupino (grupa1, ime1, grupa2, ime2), channels moved and renamed.
namespace RuleSchema {

// Opens izdvoji.mdb, creating the file and every missing table; existing rows are kept.
Database open(const std::filesystem::path& file);

// Creates the missing tables on an open connection (one transaction).
void ensure(Database& db);

// The tables and columns the file lacks, as "Table" or "Table.column"; empty when it has
// them all. Throws when the file is not a database the engine can read.
std::vector<std::string> missingParts(const Database& db);

// Writes a new file with the empty tables: built beside `file` and renamed over it, so an
// existing file is replaced only by a complete one.
void create(const std::filesystem::path& file);

} // namespace RuleSchema
} // namespace listrion::store
