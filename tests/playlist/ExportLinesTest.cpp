#include "playlist/ExportLines.h"
#include "playlist/ExportDeployment.h"
#include "playlist/ExportFormat.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace listrion::playlist {
namespace {

using Lines = std::vector<std::string>;

const ExportChannel kChannel{"News",    "Nova TV",        "Nova",
                             "nova.hr", "http://l/n.png", "http://h:8080/a:b"};

Lines channelLines(ExportFormat format, const ExportChannel& channel, std::int64_t number)
{
    Lines lines{"kept"};
    appendChannelLines(lines, format, channel, number);
    EXPECT_EQ(lines.front(), "kept"); // appends, never replaces
    return Lines(lines.begin() + 1, lines.end());
}

TEST(ExportLines, EachBoxFormatFollowsItsTemplate)
{
    const std::string icon(kNstreamIconUrl);
    const std::string caption(kFeedProviderCaption);
    const std::string attrs =
        "tvg-id=\"nova.hr\" tvg-name=\"Nova\" tvg-logo=\"http://l/n.png\" group-title=\"News\"";
    struct Case {
        ExportFormat format;
        Lines start, channel, end;
    };
    const std::vector<Case> cases = {
        {ExportFormat::Enigma2,
         {"#NAME IPTV"},
         {"#SERVICE 4097:0:1:7:0:0:0:0:0:0:http%3a//h%3a8080/a%3ab", "#DESCRIPTION Nova TV"},
         {}},
        {ExportFormat::Samsung,
         {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>", "<items>"},
         {"<channel>", "        <title><![CDATA[-1 " + attrs + "Nova TV]]></title>",
          "        <description><![CDATA[<img src=\"" + icon + "\">Ormelo]]></description>",
          "        <stream_url><![CDATA[http://h:8080/a:b]]></stream_url>", "</channel>"},
         {"</items>"}},
        {ExportFormat::Openbox,
         {" "},
         {"[TITLE]-1 " + attrs + ",Nova TV", "[URL]http://h:8080/a:b", "[Description]" + caption,
          " "},
         {}},
        {ExportFormat::OpticumHd,
         {" "},
         {"#EXTINF:0,", "I: http://h:8080/a:b#EXTINF:-1 " + attrs + ",Nova TV"},
         {}},
        {ExportFormat::LG, {" "}, {"ext,#EXTINF:-1 " + attrs + ",Nova TV,http://h:8080/a:b"}, {}},
        {ExportFormat::Azbox, {}, {"7,#EXTINF:-1 " + attrs + ",Nova TV,256,http://h:8080/a:b"}, {}},
        {ExportFormat::OpenboxX5,
         {},
         {"#EXTINF:-1tvg-id=\"nova.hr\"-tvg-name=\"Nova\"-tvg-logo=\"http://l/n.png\"-group-title="
          "\"News\"-Nova TV http://h:8080/a:b"},
         {}},
    };
    for (const Case& c : cases) {
        const std::string routine(exportFormatInfo(c.format).routine);
        EXPECT_EQ(exportStartLines(c.format), c.start) << routine;
        EXPECT_EQ(channelLines(c.format, kChannel, 7), c.channel) << routine;
        EXPECT_EQ(exportEndLines(c.format), c.end) << routine;
    }
}

TEST(ExportLines, EmptyValuesGiveEmptyQuotesAndNothingIsEscaped)
{
    const ExportChannel empty{};
    EXPECT_EQ(channelLines(ExportFormat::LG, empty, 1),
              Lines{"ext,#EXTINF:-1 tvg-id=\"\" tvg-name=\"\" tvg-logo=\"\" group-title=\"\",,"});
    EXPECT_EQ(channelLines(ExportFormat::Enigma2, empty, 1),
              (Lines{"#SERVICE 4097:0:1:1:0:0:0:0:0:0:", "#DESCRIPTION "}));
    // Quotes, ampersands, angle brackets and non-ASCII letters pass unchanged; only the
    // Enigma2 link has its colons encoded, and an existing "%3a" is left as it is.
    const ExportChannel odd{"A&B", "<\"Š\">", "t", "i", "", "rtsp://x/%3a:y"};
    EXPECT_EQ(channelLines(ExportFormat::Azbox, odd, 12).front(),
              "12,#EXTINF:-1 tvg-id=\"i\" tvg-name=\"t\" tvg-logo=\"\" group-title=\"A&B\","
              "<\"Š\">,256,rtsp://x/%3a:y");
    EXPECT_EQ(enigma2Link("rtsp://x/%3a:y"), "rtsp%3a//x/%3a%3ay");
    EXPECT_EQ(enigma2Link("::"), "%3a%3a");
    EXPECT_EQ(enigma2Link("no-colon"), "no-colon");
}

TEST(ExportLines, EpgListingLine)
{
    EXPECT_EQ(epgListingLine({"Sport", "Arena 1", "Arena Sport 1", "arena1.rs"}),
              "[Sport] ---- [name=Arena 1] ---- [tvgname=Arena Sport 1] ---- [tvgid=arena1.rs]");
    EXPECT_EQ(epgListingLine({}), "[] ---- [name=] ---- [tvgname=] ---- [tvgid=]");
}

} // namespace
} // namespace listrion::playlist
