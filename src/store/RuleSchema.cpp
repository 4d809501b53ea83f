#include "store/RuleSchema.h"

#include "store/TextCollation.h"
#include "store/Transaction.h"

#include <string_view>
#include <utility>
#include <vector>

namespace listrion::store::RuleSchema {
namespace {

const std::pair<std::string_view, std::vector<std::string_view>> kTables[] = {
    {"Izloci", {"Grupa"}},
    {"grupa_novo", {"Grupa"}},
    {"Grupa", {"Grupa1", "Grupa2"}},
    {"Spremeni_Skupino", {"grupa1", "ime1", "grupa2", "ime2"}},
};

} // namespace

void ensure(Database& db)
{
    Transaction tx(db);
    for (const auto& [table, columns] : kTables) {
        createTextTable(db, table, columns);
    }
    tx.commit();
}

Database open(const std::filesystem::path& file)
{
    Database db(file);
    ensure(db);
    return db;
}

std::vector<std::string> missingParts(const Database& db)
{
    std::vector<std::string> missing;
    Statement column =
        db.prepare("SELECT count(*) FROM pragma_table_info(?) WHERE name = ? COLLATE NOCASE");
    for (const auto& [table, columns] : kTables) {
        if (!db.tableExists(table)) {
            missing.emplace_back(table);
            continue;
        }
        for (std::string_view name : columns) {
            column.bindAll(table, name);
            if (!column.step() || column.columnInt(0) == 0) {
                missing.push_back(std::string(table) + "." + std::string(name));
            }
            column.reset();
        }
    }
    return missing;
}

void create(const std::filesystem::path& file)
{
    std::filesystem::path partial = file;
    partial += ".partial";
    std::error_code ec;
    for (const char* suffix : {"", "-wal", "-shm"}) {
        std::filesystem::remove(partial.string() + suffix, ec);
    }
    {
        Database db = open(partial);
        // A file without a write-ahead log stays one file, so it can be copied and shipped.
        db.exec("PRAGMA journal_mode=DELETE");
    }
    for (const char* suffix : {"-wal", "-shm"}) {
        std::filesystem::remove(file.string() + suffix, ec);
    }
    std::filesystem::rename(partial, file);
}

} // namespace listrion::store::RuleSchema
