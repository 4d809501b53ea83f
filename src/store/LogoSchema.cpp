#include "store/LogoSchema.h"

#include "store/TextCollation.h"
#include "store/Transaction.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace listrion::store::LogoSchema {
void ensure(Database& db)
{
    Transaction tx(db);
    createTextTable(db, "EPG", {"grupa", "Name", "TVGname", "tvgID"});
    createTextTable(db, "Logo_User", {"grupa", "TVGname", "Logo"});
    createTextTable(db, "Logo_Orginal", {"TVGname", "Logo"});
    tx.commit();
}

Database open(const std::filesystem::path& file)
{
    Database db(file);
    ensure(db);
    return db;
}

} // namespace listrion::store::LogoSchema
