#include "playlist/ExportLines.h"

#include "playlist/ExportDeployment.h"

namespace listrion::playlist {
namespace {

// tvg-id="..." tvg-name="..." tvg-logo="..." group-title="..." with `separator` between the
// attributes (a space, or '-' for the Openbox X5).
std::string attributes(const ExportChannel& c, std::string_view separator)
{
    std::string text;
    text.reserve(64 + c.tvgid.size() + c.tvgname.size() + c.logo.size() + c.grupa.size());
    text.append("tvg-id=\"").append(c.tvgid).append("\"").append(separator);
    text.append("tvg-name=\"").append(c.tvgname).append("\"").append(separator);
    text.append("tvg-logo=\"").append(c.logo).append("\"").append(separator);
    text.append("group-title=\"").append(c.grupa).append("\"");
    return text;
}

std::string concat(std::initializer_list<std::string_view> pieces)
{
    std::size_t size = 0;
    for (std::string_view piece : pieces) {
        size += piece.size();
    }
    std::string text;
    text.reserve(size);
    for (std::string_view piece : pieces) {
        text.append(piece);
    }
    return text;
}

void appendSamsung(std::vector<std::string>& lines, const ExportChannel& c)
{
    constexpr std::string_view kIndent = "        ";
    lines.emplace_back("<channel>");
    // The closing quote of group-title is followed directly by the name, without a comma.
    lines.push_back(
        concat({kIndent, "<title><![CDATA[-1 ", attributes(c, " "), c.name, "]]></title>"}));
    lines.push_back(concat({kIndent, "<description><![CDATA[<img src=\"", kNstreamIconUrl,
                            "\">Ormelo]]></description>"}));
    lines.push_back(concat({kIndent, "<stream_url><![CDATA[", c.link, "]]></stream_url>"}));
    lines.emplace_back("</channel>");
}

} // namespace

std::vector<std::string> exportStartLines(ExportFormat format)
{
    switch (format) {
    case ExportFormat::Enigma2:
        return {"#NAME IPTV"};
    case ExportFormat::Samsung:
        return {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>", "<items>"};
    case ExportFormat::Openbox:
    case ExportFormat::OpticumHd:
    case ExportFormat::LG:
        return {" "};
    case ExportFormat::Azbox:
    case ExportFormat::OpenboxX5:
    case ExportFormat::Epg:
        break;
    }
    return {};
}

std::vector<std::string> exportEndLines(ExportFormat format)
{
    if (format == ExportFormat::Samsung) {
        return {"</items>"};
    }
    return {};
}

void appendChannelLines(std::vector<std::string>& lines, ExportFormat format,
                        const ExportChannel& c, std::int64_t number)
{
    switch (format) {
    case ExportFormat::Enigma2:
        lines.push_back(concat(
            {"#SERVICE 4097:0:1:", std::to_string(number), ":0:0:0:0:0:0:", enigma2Link(c.link)}));
        lines.push_back(concat({"#DESCRIPTION ", c.name}));
        break;
    case ExportFormat::Samsung:
        appendSamsung(lines, c);
        break;
    case ExportFormat::Openbox:
        lines.push_back(concat({"[TITLE]-1 ", attributes(c, " "), ",", c.name}));
        lines.push_back(concat({"[URL]", c.link}));
        lines.push_back(concat({"[Description]", kFeedProviderCaption}));
        lines.emplace_back(" ");
        break;
    case ExportFormat::OpticumHd:
        lines.emplace_back("#EXTINF:0,");
        lines.push_back(concat({"I: ", c.link, "#EXTINF:-1 ", attributes(c, " "), ",", c.name}));
        break;
    case ExportFormat::LG:
        lines.push_back(concat({"ext,#EXTINF:-1 ", attributes(c, " "), ",", c.name, ",", c.link}));
        break;
    case ExportFormat::Azbox:
        lines.push_back(concat({std::to_string(number), ",#EXTINF:-1 ", attributes(c, " "), ",",
                                c.name, ",256,", c.link}));
        break;
    case ExportFormat::OpenboxX5:
        lines.push_back(concat({"#EXTINF:-1", attributes(c, "-"), "-", c.name, " ", c.link}));
        break;
    case ExportFormat::Epg:
        break;
    }
}

std::string enigma2Link(std::string_view link)
{
    std::string text;
    text.reserve(link.size() + 8);
    for (char ch : link) {
        if (ch == ':') {
            text += "%3a";
        } else {
            text += ch;
        }
    }
    return text;
}

std::string epgListingLine(const EpgArchiveRow& row)
{
    return concat({"[", row.grupa, "] ---- [name=", row.name, "] ---- [tvgname=", row.tvgname,
                   "] ---- [tvgid=", row.tvgid, "]"});
}

} // namespace listrion::playlist
