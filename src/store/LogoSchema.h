#pragma once

#include "store/Database.h"

#include <filesystem>

namespace listrion::store {

// The tables of logo.mdb, the archive of EPG ids and logos beside the program (all columns
// text): EPG (grupa, Name, TVGname, tvgID), Logo_User (grupa, TVGname, Logo) and Logo_Orginal
// (TVGname, Logo). Table names ignore letter case, so "Epg" and "Logo_user" are the same tables.
namespace LogoSchema {

// Opens logo.mdb, creating the file and every missing table; existing rows are kept.
Database open(const std::filesystem::path& file);

// Creates the missing tables on an open connection (one transaction).
void ensure(Database& db);

} // namespace LogoSchema
} // namespace listrion::store
