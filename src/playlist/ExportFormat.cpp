#include "playlist/ExportFormat.h"

#include <cstddef>

namespace listrion::playlist {
namespace {

constexpr std::string_view kTextFilter = "Apps (*.txt)|*.txt|All files (*.*)|*.*";

constexpr std::array<ExportFormatInfo, 8> kFormats = {{
    {ExportFormat::Enigma2, "Export_Enigma2", "mnuConvert_enigma_2", "userbouquet.iptv.tv", "txt",
     "Apps (*.tv)|*.tv|All files (*.*)|*.*", ExportGuard::GroupList},
    {ExportFormat::Samsung, "Export_Samsung", "mnuConvert_samsung", "nStream.xml", "xml",
     "Apps (*.xml)|*.xml|All files (*.*)|*.*", ExportGuard::None},
    {ExportFormat::Openbox, "Export_Openbox", "mnuConvert_openbox", "internettv.feed", "txt",
     "Apps (*.feed)|*.feed|All files (*.*)|*.*", ExportGuard::GroupList},
    {ExportFormat::OpticumHd, "Export_Opticum_HD", "mnuConvert_opticum_hd", "ormelo-playlist.cfg",
     "cfg", "Apps (*.cfg)|*.cfg|All files (*.*)|*.*", ExportGuard::None},
    {ExportFormat::LG, "Export_LG", "mnuConvert_lg", "ormelo-playlist.txt", "txt", kTextFilter,
     ExportGuard::None},
    {ExportFormat::Azbox, "Export_Azbox", "mnuConvert_azbox", "azbox.txt", "txt", kTextFilter,
     ExportGuard::GroupList},
    {ExportFormat::OpenboxX5, "Export_Openbox_X5", "mnuConvert_openbox_x5", "ormelo-playlist.txt",
     "txt", kTextFilter, ExportGuard::GroupList},
    {ExportFormat::Epg, "Export_EPG", "mnuExport_EPG_Channels_adress", "", "txt", kTextFilter,
     ExportGuard::ChannelList},
}};

} // namespace

const std::array<ExportFormatInfo, 8>& exportFormats()
{
    return kFormats;
}

const ExportFormatInfo& exportFormatInfo(ExportFormat format)
{
    return kFormats[static_cast<std::size_t>(format)];
}

} // namespace listrion::playlist
