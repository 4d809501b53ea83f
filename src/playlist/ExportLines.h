#pragma once

#include "playlist/ExportFormat.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace listrion::playlist {

// The values of one channel row that the box formats write (NULL columns read as empty text).
struct ExportChannel {
    std::string grupa;
    std::string name;
    std::string tvgname;
    std::string tvgid;
    std::string logo;
    std::string link;
};

// One row of the EPG archive (table Epg of logo.mdb).
struct EpgArchiveRow {
    std::string grupa;
    std::string name;
    std::string tvgname;
    std::string tvgid;
};

// The text lines of the box formats, without line ends; the exporter writes each followed by
// CR LF through the configured code page. No value is escaped or quoted beyond the templates.

// Lines written once before the first channel.
std::vector<std::string> exportStartLines(ExportFormat format);
// Lines written once after the last channel.
std::vector<std::string> exportEndLines(ExportFormat format);
// Appends the lines of one channel; `number` is the running number of the formats that have
// one (Enigma2, Azbox) and ignored by the others.
void appendChannelLines(std::vector<std::string>& lines, ExportFormat format,
                        const ExportChannel& channel, std::int64_t number);

// The link as an Enigma2 service reference carries it: every ':' becomes "%3a".
std::string enigma2Link(std::string_view link);

// The listing line of one EPG archive row.
std::string epgListingLine(const EpgArchiveRow& row);

} // namespace listrion::playlist
