#include "playlist/StreamHeaders.h"

#include <gtest/gtest.h>

namespace listrion::playlist {
namespace {

TEST(StreamHeaders, FromOptionLinesElseAttributesAndAsVlcOptions)
{
    // Option lines win over attributes, the last one over earlier ones, as a player applies
    // them; attributes fill in what no option line names.
    EXPECT_EQ(streamHeaders("user-agent=\"Attr/1\" http-referrer=\"https://attr/\"\n"
                            "#EXTVLCOPT:http-user-agent=First/1\n#KODIPROP:k=v\n"
                            "#extvlcopt:HTTP-USER-AGENT=Mozilla/5.0 (X11; Linux)  "),
              (StreamHeaders{"Mozilla/5.0 (X11; Linux)", "https://attr/"}));
    EXPECT_EQ(streamHeaders("tvg-chno=1\n#EXTVLCOPT:http-referrer=https://r/?p=1"),
              (StreamHeaders{"", "https://r/?p=1"}));
    EXPECT_EQ(streamHeaders("a=1 HTTP-User-Agent=\"A, B\" referer=\"https://b/\""),
              (StreamHeaders{"A, B", "https://b/"}));
    EXPECT_EQ(streamHeaders(""), StreamHeaders{});
    EXPECT_EQ(vlcMediaOptions({"Mozilla/5.0 (X11)", "https://r/"}),
              (std::vector<std::string>{":http-user-agent=Mozilla/5.0 (X11)",
                                        ":http-referrer=https://r/"}));
    EXPECT_TRUE(vlcMediaOptions({}).empty());
}

} // namespace
} // namespace listrion::playlist
