// The Logo menu of the main window: the logo archive question, the running count of imported
// logos and the EPG address box.
#include "editing/ui/GlavnaFixture.h"
#include "store/LogoSchema.h"

namespace listrion::editing {
namespace {

TEST_F(GlavnaTest, LogoArchiveAfterYesAndLogosCountedOverTheProgramRun)
{
    fill({2});
    store().db.exec("UPDATE Playlist SET tvgname = name, logo = CASE name WHEN 'G1.1' THEN "
                    "'http://l/1.png' ELSE '' END");
    store::LogoSchema::open(folder.logoMdb())
        .exec("INSERT INTO Logo_User (grupa, TVGname, Logo) VALUES ('', 'kept', 'k.png')");
    const auto userLogos = [this] {
        store::Database archive = store::LogoSchema::open(folder.logoMdb());
        store::Statement st = archive.prepare("SELECT TVGname || Logo FROM Logo_User");
        std::vector<std::string> rows;
        while (st.step()) {
            rows.push_back(st.columnText(0));
        }
        return rows;
    };
    start();
    prompter.answer(false);
    trigger("mnuExport_logos_to_archive");
    EXPECT_EQ(userLogos(), Names{"keptk.png"});
    prompter.answer(true).acknowledge();
    trigger("mnuExport_logos_to_archive");
    EXPECT_EQ(prompter.texts().back(), text(settings::Texts::LogoArchiveSaved));
    EXPECT_EQ(userLogos(), Names{"G1.1http://l/1.png"});

    store::LogoSchema::open(folder.logoMdb())
        .exec("DELETE FROM Logo_User; INSERT INTO Logo_User VALUES ('', 'g1.', 'x.png')");
    for (const char* count : {"1 ", "2 "}) {
        store().db.exec("UPDATE Playlist SET logo = '' WHERE name = 'G1.2'");
        prompter.acknowledge();
        trigger("mnuImport_Logos_From_Archive");
        EXPECT_EQ(prompter.texts().back(), count + text(settings::Texts::LogosImported));
    }
    EXPECT_EQ(store().texts("SELECT logo FROM Playlist WHERE name = 'G1.2'"), Names{"x.png"});

    prompter.type(QString()).type(QString("http://epg/b.xml"));
    trigger("mnuZapisi_EPG_Url");
    EXPECT_TRUE(store().texts("SELECT ssepgurl FROM SS_Epg").empty());
    trigger("mnuZapisi_EPG_Url");
    EXPECT_EQ(store().texts("SELECT ssepgurl FROM SS_Epg"), Names{"http://epg/b.xml"});
    prompter.verify();
}

TEST_F(GlavnaTest, ADamagedArchiveIsReplacedByTheDeliveredOneOnlyAfterYes)
{
    fill({1});
    const std::string damaged(70000, 'x');
    home.write("logo.mdb", damaged);
    start();
    prompter.answer(false);
    trigger("mnuImport_EPG_channels_settings");
    EXPECT_EQ(test::readFile(folder.logoMdb()), damaged);
    prompter.answer(true).acknowledge();
    trigger("mnuImport_EPG_channels_settings");
    EXPECT_EQ(prompter.texts().front(), text(settings::Texts::ArchiveDamagedQuestion));
    EXPECT_EQ(prompter.texts().back(), text(settings::Texts::ChangesMade));
    EXPECT_GT(store::LogoSchema::open(folder.logoMdb()).scalarInt("SELECT count(*) FROM EPG", 0),
              60000);
    prompter.verify();
}

} // namespace
} // namespace listrion::editing
