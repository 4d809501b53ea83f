#pragma once

#include "store/Database.h"

#include <cstdint>
#include <string>

namespace listrion::tools {

struct EpgImport {
    std::int64_t archiveRows = 0; // rows of the archive table EPG
    std::int64_t channels = 0;    // channels an archive row matched (they hold its id now)
    std::int64_t changed = 0;     // of those, the channels whose id was different before
};

// Import_EPG: every row of logo.mdb's EPG table gives its tvgID to the channels whose name is
// LIKE the row's Name, lower-cased and without " hd" and then " fhd". '%' and '_' in a Name
// act as LIKE pattern characters; the store's case-insensitive comparison applies. Where rows
// match the same channel, the later row's id stays. One transaction on `db`.
EpgImport importEpgIds(store::Database& db, const store::Database& archive);

// The archive Name as Import_EPG compares it (the text of the LIKE).
std::string epgArchivePattern(std::string name);

// mnuSave_EPG_settings_to_archive: replaces the archive table EPG with the Live channels that
// have an id (grupa, Name, TVGname, tvgID), group by group in position order, then by channel
// position; groups at position 0 or below are left out. One transaction on `archive`; the
// number of rows written.
std::int64_t saveEpgArchive(store::Database& db, store::Database& archive);

// The EPG source address of the playlist (table ss_epg); empty when none is stored.
std::string epgAddress(const store::Database& db);
// Zapisi_EPG_Url: an address that is not empty replaces the stored one (one transaction);
// false, with nothing changed, for an empty one.
bool setEpgAddress(store::Database& db, const std::string& address);

} // namespace listrion::tools
