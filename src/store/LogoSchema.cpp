#include "store/LogoSchema.h"

#include "store/TextCollation.h"
#include "store/Transaction.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace listrion::store::LogoSchema {
namespace {

void createTable(Database& db, std::string_view table,
                 std::initializer_list<std::string_view> columns)
{
    std::string sql = "CREATE TABLE IF NOT EXISTS " + quoteIdentifier(table) + " (";
    const char* separator = "";
    for (std::string_view column : columns) {
        sql.append(separator).append(column).append(" TEXT COLLATE ").append(kTextCollation);
        separator = ", ";
    }
    db.exec(sql + ")");
}

} // namespace

void ensure(Database& db)
{
    Transaction tx(db);
    createTable(db, "EPG", {"grupa", "Name", "TVGname", "tvgID"});
    createTable(db, "Logo_User", {"grupa", "TVGname", "Logo"});
    createTable(db, "Logo_Orginal", {"TVGname", "Logo"});
    tx.commit();
}

Database open(const std::filesystem::path& file)
{
    Database db(file);
    ensure(db);
    return db;
}

} // namespace listrion::store::LogoSchema
