// The regional restructuring on small stores: its text passes, the keyword positions and a whole
// run from rules in an izdvoji.mdb, taken back by one undo.
#include "tools/Restructuring.h"
#include "store/History.h"
#include "store/RuleSchema.h"
#include "support/PlaylistStore.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace listrion::tools {
namespace {

using Names = std::vector<std::string>;

TEST(RestructuringText, PrefixesGoAndCapitalsFollowTheName)
{
    EXPECT_EQ(Odstrani_Prvi_Parameter("(HR) Name"), "Name");
    EXPECT_EQ(Odstrani_Prvi_Parameter("HR: Word: Word"), "Word Word");
    EXPECT_EQ(Odstrani_Prvi_Parameter("UK | DE | ZDF"), "ZDF");
    EXPECT_EQ(Odstrani_Prvi_Parameter("[HR]"), std::nullopt);
    EXPECT_EQ(Odstrani_Prvi_Parameter("Sport (HD)"), std::nullopt);

    using Pair = std::pair<std::string, std::string>;
    EXPECT_EQ(Capitalize_Text("rts", "rts"), Pair("RTS", "RTS"));
    EXPECT_EQ(Capitalize_Text("hrt 1 hd", "HRT 1 HD"), Pair("HRT 1 HD", "HRT 1 HD"));
    EXPECT_EQ(Capitalize_Text("ab cd", "ab cd"), Pair("AB Cd", "AB Cd"));
    EXPECT_EQ(Capitalize_Text("ртс свет", "ртс"), Pair("РТС Свет", "РТС"));
}

TEST(RestructuringKeywords, OccupantsMoveToTheFirstFreePosition)
{
    EXPECT_EQ(DolociBroj("PINK"), 3);
    EXPECT_EQ(DolociBroj("Slovenija"), 11);
    EXPECT_EQ(DolociBroj("pink tv"), 0);

    test::TempFolder home;
    test::PlaylistStore s{home.file("data.mdb")};
    for (const auto& [name, broj] : std::vector<std::pair<std::string, int>>{
             {"A", 2}, {"B", 3}, {"C", 4}, {"Arena Sport", 20}}) {
        s.group(name, broj);
    }
    placeKeywordGroup(s.db, "arena sport", 2);
    EXPECT_EQ(s.groups(), (Names{"Arena Sport", "B", "C", "A"}));
    EXPECT_EQ(s.column("Grupa", "broj"), (std::vector<std::int64_t>{5, 3, 4, 2}));

    for (int broj = 6; broj <= 12; ++broj) {
        s.group("X" + std::to_string(broj), broj);
    }
    EXPECT_EQ(RotirajStevilko(s.db, 2), 13); // 3..11 and 12 are held
    EXPECT_EQ(RotirajStevilko(s.db, 2), std::nullopt);
}

TEST(Restructuring, RunsTheRulesAsOneStepThatUndoTakesBack)
{
    test::TempFolder home;
    test::PlaylistStore s{home.file("data.mdb")};
    const Names groups{"Kids", "Rock'n'Roll", "PINK", "News", "slovenija"};
    const Names names{"K1", "(HR) rock hd", "UK | bbc one", "HR: Pink: Music", "cnn", "slo 1"};
    for (std::size_t g = 0; g < groups.size(); ++g) {
        s.group(groups[g], static_cast<std::int64_t>(g) + 1);
    }
    const std::vector<std::size_t> groupOf{0, 1, 1, 2, 3, 4};
    for (std::size_t c = 0; c < names.size(); ++c) {
        s.channel(groups[groupOf[c]], names[c], static_cast<std::int64_t>(c) + 1);
    }
    s.recount();

    store::Database rules = store::RuleSchema::open(home.file("izdvoji.mdb"));
    for (const char* chosen : {" pink ", "Rock'n'Roll", "SLOVENIJA", "news"}) {
        EXPECT_EQ(chooseGroup(rules, chosen), ChooseResult::Added) << chosen;
    }
    EXPECT_EQ(chooseGroup(rules, "PINK"), ChooseResult::AlreadyChosen);
    EXPECT_EQ(chooseGroup(rules, "  "), ChooseResult::Empty);
    rules.exec("INSERT INTO grupa_novo VALUES (' Filmski'), ('NEWS');"
               "INSERT INTO Grupa VALUES ('News ', 'Vijesti'), ('Kids', '');"
               "INSERT INTO Spremeni_Skupino VALUES ('Rock''n''Roll', '(hr) ROCK HD', "
               "'Filmski', 'film hd')");

    const RestructuringResult done = restructure(s.db, readRules(rules));
    EXPECT_EQ(done.channelsDeleted, 1);
    EXPECT_EQ(done.groupsAdded, 1);
    EXPECT_EQ(done.groupsRenamed, 1);
    EXPECT_EQ(done.channelsMoved, 1);
    EXPECT_EQ(s.groups(), (Names{"PINK", "Filmski", "slovenija", "Rock'n'Roll", "Vijesti"}));
    EXPECT_EQ(s.names(), (Names{"Pink Music", "Film HD", "SLO 1", "BBC One", "CNN"}));
    EXPECT_EQ(s.texts("SELECT tvgname FROM Playlist WHERE grupa = 'filmski'"), Names{"Film HD"});
    EXPECT_EQ(s.texts("SELECT name FROM " + done.backup + " ORDER BY broj"),
              (Names{"HR: Pink: Music", "film hd", "slo 1", "UK | bbc one", "cnn"}));
    const std::vector<std::string> problems = s.problems();
    EXPECT_TRUE(problems.empty()) << problems.front();

    EXPECT_TRUE(store::History::undo(s.db));
    EXPECT_EQ(s.groups(), groups);
    EXPECT_EQ(s.names(), names);
}

TEST(Restructuring, RenamingOntoAGroupJoinsItAndChannelRulesMakeTheirGroup)
{
    test::TempFolder home;
    test::PlaylistStore s{home.file("data.mdb")};
    s.fill({2, 1});
    s.recount();
    RestructuringRules rules;
    rules.renames = {{"g2", "G1"}};
    rules.newGroups = {"New", "g1"};
    EXPECT_EQ(renameAndAddGroups(s.db, rules), std::make_pair(std::int64_t{1}, std::int64_t{1}));
    EXPECT_EQ(s.groups(), (Names{"G1", "New"}));
    EXPECT_EQ(s.names("G1"), (Names{"G1.1", "G1.2", "G2.1"}));

    rules.channelRules = {{"G1", "g1.2", "Elsewhere", "Moved"}, {"G1", "none", "Nowhere", "x"}};
    EXPECT_EQ(applyChannelRules(s.db, rules), 1);
    EXPECT_EQ(s.groups(), (Names{"G1", "New", "Elsewhere"}));
    EXPECT_EQ(s.names("Elsewhere"), Names{"Moved"});
    const std::vector<std::string> problems = s.problems();
    EXPECT_TRUE(problems.empty()) << problems.front();
}

} // namespace
} // namespace listrion::tools
