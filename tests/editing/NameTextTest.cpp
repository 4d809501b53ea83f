#include "editing/NameText.h"
#include "editing/GroupNameTools.h"

#include <gtest/gtest.h>

namespace listrion::editing {
namespace {

using Names = std::vector<std::string>;

TEST(NameText, CapitalisationPassesOnGroupAndChannelNames)
{
    auto group = [](std::string_view name) {
        return NameText::capitalize(name, NameText::kGroupTokens);
    };
    EXPECT_EQ(group("uk sports hd"), "UK Sports HD");
    EXPECT_EQ(group("bbc"), "BBC");           // shorter than four characters
    EXPECT_EQ(group("usa NEWS"), "USA News"); // a blank fourth character
    EXPECT_EQ(group("kino"), "Kino");
    EXPECT_EQ(group("sky tv fhd 4k hevc"), "SKY TV FHD 4K HEVC");
    EXPECT_EQ(group("movies sd"), "Movies SD");
    // Letters of every script; a multi-byte character counts once.
    EXPECT_EQ(group("čt šport"), "ČT Šport");
    EXPECT_EQ(group("ерт ΝΕΑ"), "ЕРТ Νεα");
    EXPECT_EQ(group("šđč"), "ŠĐČ");
    // The channel table has its own repairs: UHD and RTV, and HDR restored after proper case.
    EXPECT_EQ(NameText::capitalize("rtv slo uhd hdr", NameText::kChannelTokens), "RTV Slo UHD HDR");
    EXPECT_EQ(NameText::capitalize("nat geo HDr", NameText::kChannelTokens), "NAT Geo HDR");
    EXPECT_EQ(NameText::upperCase("Straße ı"), "STRASSE I");
    // Case follows Unicode's rules whatever the machine's language: a Greek word ends in ς, a
    // Turkish dotted capital I lowers to i with its dot as a combining mark, Han has no case.
    EXPECT_EQ(group("ΑΘΗΝΑΣ ΣΠΟΡ"), "Αθηνας Σπορ");
    EXPECT_EQ(group("İZMİR ıstanbul"), "İzmi̇r Istanbul");
    EXPECT_EQ(group("北京卫视 hd"), "北京卫视 HD");
    EXPECT_EQ(NameText::upperCase("αθηνας ǆ istanbul"), "ΑΘΗΝΑΣ Ǆ ISTANBUL");
    EXPECT_EQ(NameText::length("ΑΘΗΝΑ 北京"), 8u);
}

TEST(NameText, StripPassesAndTheRuleForSquareBrackets)
{
    // A parenthesised tag or a colon anywhere: square brackets stay everywhere.
    EXPECT_EQ(strippedGroupNames({"UK| Sports", "Movies (HD)", "DE: Kino", "[VIP] Cinema",
                                  "Sport (HD) Extra", "|", "(x)", "a)b(", "FR: A: B"}),
              (Names{"Sports", "Movies", "Kino", "[VIP] Cinema", "Sport Extra", "|", "(x)", "a)b(",
                     "A B"}));
    // Neither: the fourth pass removes them; a name that would become empty keeps its name.
    EXPECT_EQ(strippedGroupNames({"[VIP] Cinema", "News [HD]", "[x]", "Plain"}),
              (Names{"Cinema", "News", "[x]", "Plain"}));
    // A pipe gives the text after the first one; a later colon then strips again.
    EXPECT_EQ(strippedGroupNames({"A|B|C", "x|  UK: Sport"}), (Names{"B|C", "Sport"}));
}

TEST(NameText, ToolsLeaveNamesThatWouldBecomeEmpty)
{
    const Names names{"Sport HD", "HD", "Film"};
    EXPECT_EQ(editedGroupNames(names, {GroupNameTool::Replace, "HD", ""}),
              (Names{"Sport ", "HD", "Film"}));
    EXPECT_EQ(editedGroupNames(names, {GroupNameTool::Replace, "hd", "X"}), names);
    EXPECT_EQ(editedGroupNames(names, {GroupNameTool::Suffix, "+1", {}}),
              (Names{"Sport HD +1", "HD +1", "Film +1"}));
    EXPECT_EQ(NameText::replaceAll("aaa", "aa", "b"), "ba");
}

} // namespace
} // namespace listrion::editing
