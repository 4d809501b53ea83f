#pragma once

#include "playlist/Progress.h"

#include <filesystem>
#include <string>

namespace listrion::playlist {

// Copies `source` into `target` (temp.m3u) line by line for a playlist whose first line is too
// long to be a line of its own: in each line the '#' of the first "#EXTINF:" (any letter case)
// becomes '?', then every "?EXTINF" becomes "#EXTINF"; each line ends with CR LF. The target
// is replaced only when the copy is complete. Returns false when the observer cancelled the
// copy (the target is then left as it was); throws SourceError or std::system_error.
bool Prepisi_Playlistu(const std::filesystem::path& source, const std::filesystem::path& target,
                       ProgressObserver* observer);

// The change Prepisi_Playlistu makes to one line.
std::string restructuredLine(std::string_view line);

} // namespace listrion::playlist
