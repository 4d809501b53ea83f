#pragma once

#include "store/Database.h"

#include <cstdint>

namespace listrion::tools {

struct LogoImport {
    std::int64_t sourceRows = 0; // rows of the table the logos came from
    bool fromUser = false;       // Logo_User (else Logo_Orginal, because Logo_User was empty)
    std::int64_t assigned = 0;   // source rows that gave a channel its logo
};

// Import_Logo: the source is Logo_User, or Logo_Orginal when Logo_User has no rows. Each source
// row, in table order, gives its Logo to the first channel (lowest rowid, i.e. the order the
// channels were stored in) that has no logo (logo = '') and whose tvgname begins with the row's
// TVGname, letter case aside; a row that finds none gives nothing. One transaction on `db`.
LogoImport importLogos(store::Database& db, const store::Database& archive);

// mnuExport_logos_to_archive: replaces Logo_User with the channels of the Live groups at a
// position above 0 that have a logo (not '', '[' or '[]'): grupa, TVGname, Logo, group by group
// in position order, then by channel position. One transaction on `archive`; the rows written.
std::int64_t saveLogoArchive(store::Database& db, store::Database& archive);

} // namespace listrion::tools
