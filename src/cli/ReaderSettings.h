#pragma once

#include "cli/Command.h"
#include "playlist/PlaylistOpening.h"

namespace listrion::cli {

// How playlists are read in this program folder: region, code page and playlist mode from
// Settings.ini, data.mdb and temp.m3u; no limit.
playlist::OpenOptions readerSettings(const Context& ctx);

} // namespace listrion::cli
