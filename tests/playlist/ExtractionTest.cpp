#include "playlist/Extraction.h"
#include "playlist/StreamLink.h"
#include "playlist/TextCleanup.h"

#include <gtest/gtest.h>

#include <string>

namespace listrion::playlist {
namespace {

const ValueDecoder kCentral(Codepage::windows1250(), "Central European");
const ValueDecoder kWestern(Codepage::windows1250(), "Western European");

std::string group(const std::string& line, const ValueDecoder& d = kWestern)
{
    return GetGroupTitle(ExtinfLine(line), d);
}
std::string name(const std::string& line, const ValueDecoder& d = kWestern)
{
    return GetChannelName(ExtinfLine(line), d);
}

TEST(ExtractionKeys, LetterCaseOfEachKey)
{
    const std::string upper = "#EXTINF:-1 GROUP-TITLE=\"News\" TVG-NAME=\"Tv Name\" "
                              "TVG-ID=\"news.one\" TVG-LOGO=\"http://l/x.png\" "
                              "PARENT-CODE=\"1234\" RADIO=\"true\",Channel";
    const ExtinfLine line(upper);
    EXPECT_EQ(GetGroupTitle(line, kWestern), "News");
    EXPECT_EQ(GetTvgName(line, kWestern), "Tv Name");
    EXPECT_EQ(GetTvgId(line, kWestern), "news.one");
    EXPECT_EQ(GetParentCode(line), 1234);
    EXPECT_EQ(GetRadioMark(line), "Radio");
    // tvg-logo is matched with its exact case only, and so is the tvg-name of the name.
    EXPECT_EQ(GetTvgLogo(line, kWestern), "");
    EXPECT_EQ(GetChannelName(line, kWestern), "Channel");
    // Not taken for a logo either: the address is a link of the line.
    EXPECT_EQ(GetStreamLink(upper), "http://l/x.png\" PARENT-CODE=\"1234\" RADIO=\"true\",Channel");

    const ExtinfLine lower("#EXTINF:-1 tvg-id=\"x\" tvg-name=\"Name A\" "
                           "tvg-logo=\"http://logo/a.png\" group-title=\"Sport\",Other Name");
    EXPECT_EQ(GetChannelName(lower, kWestern), "Name A");
    EXPECT_EQ(GetTvgLogo(lower, kWestern), "http://logo/a.png");
    EXPECT_EQ(GetRadioMark(lower), "");
    // The group keeps the byte a channel name loses.
    EXPECT_EQ(group("#EXTINF:-1 group-title=\"Sport\xD8'\",x"), "Sport\xC5\x98");
}

TEST(ExtractionKeys, ValuesBetweenTheQuotesAndThePositionLimit)
{
    // The character after '=' is taken to be the opening quote, whatever it is.
    EXPECT_EQ(group("#EXTINF:-1 group-title=News\" x,Y"), "ews");
    EXPECT_EQ(group("#EXTINF:-1 group-title=\"News,Name"), "");
    EXPECT_EQ(group("#EXTINF:-1 group-title=\"Kids\" group-title=\"Later\",N"), "Kids");
    EXPECT_EQ(name("#EXTINF:-1 tvg-name=\"\",After comma"), "After comma");
    EXPECT_EQ(GetTvgName(ExtinfLine("#EXTINF:-1 tvg-name=\"\",X"), kWestern), "");
    // Keys that begin after character 32,767 of the line are not found.
    const std::string prefix = "#EXTINF:-1 "; // 11 characters
    EXPECT_EQ(group(prefix + std::string(32755, 'a') + "group-title=\"G\",N"), "G");
    EXPECT_EQ(group(prefix + std::string(32756, 'a') + "group-title=\"G\",N"), "");
    EXPECT_EQ(GetStreamLink(std::string(32766, 'a') + "http://far"), "http://far");
    EXPECT_EQ(GetStreamLink(std::string(32767, 'a') + "http://far"), "");
}

TEST(ExtractionNames, CommaRuleSchemesAndTheSecondVariant)
{
    EXPECT_EQ(name("#EXTINF:-1,A, B, C, D, E"), " D, E");
    EXPECT_EQ(name("#EXTINF:-1 tvg-id=\"a,b\",Name"), "Name");
    // Without a comma the whole line is the name (its quotes removed by the clean-up).
    EXPECT_EQ(name("#EXTINF:-1 tvg-id=\"x\""), "#EXTINF:-1 tvg-id=x");
    EXPECT_EQ(name("#EXTINF:-1,Name http://host/stream"), "Name ");
    // Schemes are tried in their order, not by where they occur.
    EXPECT_EQ(name("#EXTINF:-1,A rtp://x B https://y"), "A rtp://x B ");
    EXPECT_EQ(name("#EXTINF:-1 tvg-name=\"Tv udp://x\",Other"), "Tv ");

    // GetChannelName2 keeps the byte D8 that GetChannelName removes.
    const ExtinfLine d8("#EXTINF:-1,\xD8");
    EXPECT_EQ(GetChannelName(d8, kWestern), "");
    EXPECT_EQ(GetChannelName2(d8, kWestern), "Ř");
}

TEST(ExtractionLinks, PositionRules)
{
    EXPECT_EQ(GetStreamLink("   http://host/live  "), "http://host/live");
    EXPECT_EQ(GetStreamLink("HTTP://caps/live"), "");
    EXPECT_EQ(GetStreamLink("x hrtp://a/b"), "hrtp://a/b");
    EXPECT_EQ(GetStreamLink("udp://@239.0.0.1:1234"), "udp://@239.0.0.1:1234");
    EXPECT_EQ(GetStreamLink("rtmp://not-a-scheme-here/x"), "");
    // A logo address is passed over, any other address on the line is taken.
    EXPECT_EQ(GetStreamLink("#EXTINF:-1 tvg-logo=\"http://logo/x.png\" "
                            "catchup-source=\"http://cu/x\",Name"),
              "http://cu/x\",Name");
    EXPECT_EQ(GetStreamLink("#EXTINF:-1,Name http://a/b #EXTINF:-1,Other"), "http://a/b");
    // The logo rule starts at character 11; the first ten characters are always taken.
    EXPECT_EQ(GetStreamLink("tvg-logo=\"http://x"), "");
    EXPECT_EQ(GetStreamLink("tvg-logo=http://x"), "http://x");
}

TEST(ExtractionLinks, StreamTypeFromTheExtension)
{
    for (const char* vod : {"http://a/film.mkv", "http://a/film.mkv?token=1", "http://a/x.MP4",
                            "http://a/x.ts", "rtsp://a/b.webm", "http://a/c.3gp?x"}) {
        EXPECT_EQ(GetStreamType(vod), "VOD") << vod;
    }
    for (const char* live : {"http://a/live.m3u8", "http://host.com/live/123", "", "http://a/x.tsx",
                             "http://a/x.ts?token=a.b", "http://a/film.mkv/"}) {
        EXPECT_EQ(GetStreamType(live), "Live") << live;
    }
}

TEST(ExtractionCleanup, RemovedBytesAndReplacedSequences)
{
    using TextCleanup::clean;
    using TextCleanup::Field;
    const std::string removable = "A\"B'C*D\xA9"
                                  "E\x84"
                                  "F\xB9G\xA8H\xD8I";
    EXPECT_EQ(clean(removable, Field::Name), "ABCDEFGHI");
    for (Field f : {Field::Name2, Field::TvgName, Field::Group}) {
        EXPECT_EQ(clean(removable, f), "ABCDEFGH\xD8I");
    }
    const char* decorations[] = {
        "\x7C\xE2\x9C\xA6\xE2\x97\x8F\xE2\x9C\xA6", "\xE2\x9C\xA6\xE2\x97\x9F\xE2\x9C\xA6\x7C",
        "\xE2\x9C\xA6\xE2\x97\x8F\xE2\x9C\xA6\x7C", "\xE2\x9C\xA6\xE2\x97\x9F\xE2\x9C\xA6",
        "\xE2\x9C\xA6\xE2\x97\x8F\xE2\x9C\xA6",     "\xE2\x9C\xE2\x9C\xE2\x9C",
        "\xE2\x81\xBD\xE1\xB6\x9C\xE2\x81\xBE"};
    for (const char* d : decorations) {
        EXPECT_EQ(clean(std::string("x") + d + "y", Field::Name), "x===y");
    }
    const std::string uhd = "\xE1\xB5\x81\xE1\xB4\xB4\xE1\xB4\xB0";
    const std::string rec = "\xCA\xB3\xE1\xB5\x89\xE1\xB6\x9C";
    const std::string vip = " \xE1\xB5\x9B\xE1\xB6\xA6\xE1\xB5\x96";
    const std::string back = "\xE1\xB5\x97\xE1\xB5\x89\xCA\xB3\xE1\xB5\x98\xE1\xB5\x8D\xE1\xB5"
                             "\x8F\xE2\x81\xB1\xCA\xB2\xE1\xB5\x8F\xE1\xB5\x89\xE2\x81\xBF";
    EXPECT_EQ(clean("Sky" + uhd + rec, Field::TvgName), "Sky UHD rec");
    EXPECT_EQ(clean("NL" + vip + back, Field::Group), "NL VIP terugkijken");
    EXPECT_EQ(clean("NL" + vip, Field::Name), "NL" + vip);

    // The tvg-id: its own list, and only the first four decorations, removed.
    EXPECT_EQ(TextCleanup::cleanTvgId("tvg-id=Id.[One]'\xA9\x84"
                                      "\x7C\xE2\x9C\xA6\xE2\x97\x8F\xE2\x9C\xA6"),
              "d.One");
    EXPECT_EQ(TextCleanup::cleanTvgId("a\xE2\x9C\xA6\xE2\x97\x8F\xE2\x9C\xA6*"),
              "a\xE2\x9C\xA6\xE2\x97\x8F\xE2\x9C\xA6*");
    EXPECT_EQ(GetTvgId(ExtinfLine("#EXTINF:-1 tvg-id=\"ITV1.uk\",N"), kWestern), "TV1.uk");
    // Brackets alone are enough for the clean-up to run (the reader's quick test of the bytes).
    EXPECT_EQ(GetTvgId(ExtinfLine("#EXTINF:-1 tvg-id=\"[bbc.uk]\",N"), kWestern), "bbc.uk");
    EXPECT_EQ(GetTvgId(ExtinfLine("#EXTINF:-1 tvg-id=\"bbc]\",N"), kCentral), "bbc");
}

TEST(ExtractionRegions, DecodingAndFoldingOnlyWhereTheRegionSaysSo)
{
    const std::string line = "#EXTINF:-1 tvg-id=\"\xC5\xA0.id\" tvg-logo=\"http://l/\xC5\xA0\" "
                             "group-title=\"\xC5\xA0port %C4%8Cakovec\",\xC4\x90uro 100% Hits";
    for (const char* region : {"Balkan", "Central European"}) {
        const ValueDecoder d(Codepage::windows1250(), region);
        EXPECT_EQ(group(line, d), "Sport Cakovec") << region;
        EXPECT_EQ(name(line, d), "Duro 100% Hits") << region;
        // Plain ASCII too, with the '%' past the first eight bytes or in the last few.
        EXPECT_EQ(group("#EXTINF:-1 group-title=\"Sport 12 %C4%8Cakovec\",N", d),
                  "Sport 12 Cakovec")
            << region;
        EXPECT_EQ(group("#EXTINF:-1 group-title=\"Sport Cakovec 12%41\",N", d), "Sport Cakovec 12A")
            << region;
        // Links, logos and tvg-ids are never decoded: the code page reads their bytes.
        EXPECT_EQ(GetTvgLogo(ExtinfLine(line), d), "http://l/Ĺ\u00A0") << region;
        EXPECT_EQ(GetTvgId(ExtinfLine(line), d), "Ĺ\u00A0.id") << region;
    }
    EXPECT_EQ(group(line, kWestern), "Ĺ\u00A0port %C4%8Cakovec");
    EXPECT_EQ(name(line, kWestern), "Ä\u0090uro 100% Hits");
    const ValueDecoder cyrillic(*Codepage::find("windows-1251"), "Western European");
    EXPECT_EQ(group("#EXTINF:-1 group-title=\"\xCA\xE8\xED\xEE\",N", cyrillic), "Кино");
}

TEST(ExtractionValues, ParentCodeRange)
{
    const auto code = [](const std::string& value) {
        return GetParentCode(ExtinfLine("#EXTINF:-1 parent-code=\"" + value + "\",N"));
    };
    EXPECT_EQ(code(" -12 "), -12);
    EXPECT_EQ(code("+7"), 7);
    EXPECT_EQ(code("32767"), 32767);
    EXPECT_EQ(code("-32768"), -32768);
    for (const char* bad : {"32768", "12a", "", "- 1", "1.5", "++1"}) {
        EXPECT_EQ(code(bad), 0) << bad;
    }
    EXPECT_EQ(GetParentCode(ExtinfLine("#EXTINF:-1,N")), 0);
}

} // namespace
} // namespace listrion::playlist
