#include "playlist/Extras.h"
#include "playlist/StreamLink.h"

#include <gtest/gtest.h>

#include <string>

namespace listrion::playlist {
namespace {

std::string kept(const std::string& line)
{
    std::string out;
    const std::string_view link = GetStreamLink(line);
    Extras::appendKeptAttributes(
        ExtinfLine(line),
        link.empty() ? std::string_view::npos : std::size_t(link.data() - line.data()), out);
    return out;
}

std::string header(const std::string& line)
{
    std::string out;
    Extras::appendHeaderAttributes(line, out);
    return out;
}

TEST(ExtrasAttributes, WhatTheColumnsDoNotHoldIsKeptAsWrittenInItsOrder)
{
    // The attributes the reader takes go whatever their letter case (tvg-logo only in its own);
    // the others stay as written, quoted or not, commas inside quotes included.
    EXPECT_EQ(kept("#EXTINF:-1 tvg-id=\"x\" tvg-chno=5 TVG-LOGO=\"l\" tvg-logo=\"k\" "
                   "Group-Title=\"G\"  tvg-language=\"en,fr\" word PARENT-CODE=\"1\" "
                   "tvg-shift=\"-2\",Name, with commas"),
              "tvg-chno=5 TVG-LOGO=\"l\" tvg-language=\"en,fr\" tvg-shift=\"-2\"");
    // Only the first occurrence of a key goes into its column; a glued attribute is one of its
    // own.
    EXPECT_EQ(kept("#extinf:0 tvg-id=\"a\" tvg-id=\"b\"catchup=\"c\",N"),
              "tvg-id=\"b\" catchup=\"c\"");
    EXPECT_EQ(kept("#EXTINF:-1,Name only"), "");
    EXPECT_EQ(kept("#EXTINF:-1 tvg-logo=\"http://l/?a=b\" group-title=\"G\",N=1"), "");
    // radio= goes into no column, so it is kept wherever it stands.
    EXPECT_EQ(kept("#EXTINF:-1 radio=\"1\" tvg-id=\"i\" tvg-name=\"n\" tvg-logo=\"l\" "
                   "group-title=\"G\" parent-code=\"1\" x=1,N"),
              "radio=\"1\" x=1");
    // No comma before the name, or a quote that does not close: not an attribute list.
    EXPECT_EQ(kept("#EXTINF:-1 catchup=\"x\" Name without comma"), "");
    EXPECT_EQ(kept("#EXTINF:-1 tvg-chno=\"1\" catchup=\"x,Name"), "");
    // An address in the line is its link, holding the rest of the line: the attributes from
    // there on are not kept a second time.
    EXPECT_EQ(kept("#EXTINF:-1 tvg-chno=\"4\" http-referrer=\"https://r/\" group-title=\"G\",N"),
              "tvg-chno=\"4\"");
    EXPECT_EQ(kept("#EXTINF:-1 tvg-chno=\"4\",Name http://inline/x"), "tvg-chno=\"4\"");

    EXPECT_TRUE(Extras::isHeaderLine("  #extm3u") && !Extras::isHeaderLine("#EXTINF:0,#EXTM3U"));
    EXPECT_EQ(header("#EXTM3U x-tvg-url=\"a,b\" url-tvg=\"c\", m3uautoload=1 X-TVG-URL=\"d\" "
                     "junk refresh=\"3600"),
              "url-tvg=\"c\" m3uautoload=1");
}

} // namespace
} // namespace listrion::playlist
