#pragma once

#include <array>
#include <string_view>

namespace listrion::playlist {

// The channel lists the program exports: seven set-top-box and player formats and the listing
// of the EPG archive.
enum class ExportFormat {
    Enigma2,   // userbouquet.iptv.tv
    Samsung,   // nStream XML
    Openbox,   // internettv.feed
    OpticumHd, // .cfg
    LG,        // .txt
    Azbox,     // .txt with running numbers
    OpenboxX5, // .txt with '-' between the attributes
    Epg,       // the EPG archive of logo.mdb as text
};

// Which list must hold rows before an export's menu entry does anything.
enum class ExportGuard {
    None,
    GroupList,   // the group grid (table Grupa)
    ChannelList, // the channel grid (table Playlist)
};

// What the save dialog of an export shows and what guards its menu entry.
struct ExportFormatInfo {
    ExportFormat format;
    std::string_view routine;          // Export_Enigma2, ...
    std::string_view menuEntry;        // mnuConvert_enigma_2, ...
    std::string_view proposedFileName; // empty: the dialog keeps the name it last held
    std::string_view defaultExtension;
    std::string_view filter; // description and pattern pairs separated by '|'
    ExportGuard guard;
};

inline constexpr std::string_view kExportDialogTitle = "Select File";

const ExportFormatInfo& exportFormatInfo(ExportFormat format);
const std::array<ExportFormatInfo, 8>& exportFormats();

} // namespace listrion::playlist
