// The regional restructuring window driven by its controls' names, over a damaged rule file.
#include "tools/ui/Sortiraj_Kanale_EXYU.h"

#include "ToolWindowFixture.h"

#include <QLabel>
#include <QSignalSpy>

namespace listrion::tools::ui {
namespace {

TEST_F(ToolWindowTest, RestructuringChoosesGroupsAndKeepsThem)
{
    s.group("Kids", 1);
    s.group("Rock'n'Roll", 2);
    s.group("pink", 3);
    s.channel("Kids", "k1", 1);
    s.channel("Rock'n'Roll", "(HR) rock", 2);
    s.channel("pink", "pink hd", 3);
    s.recount();
    home.write("izdvoji.mdb", "damaged");
    prompter.answer(true);
    Sortiraj_Kanale_EXYU window(s.db, *texts, {prompter, events, folder.izdvojiMdb()});
    tested = &window;
    window.show();
    ASSERT_TRUE(window.ready());
    EXPECT_TRUE(prompter.texts().front().startsWith("izdvoji.mdb is damaged"));

    auto* groups = child<QTableView>("TDBGrid1");
    auto* chosen = child<QTableView>("TDBGrid2");
    groups->setCurrentIndex(groups->model()->index(1, 0));
    click("cmdPremakni_Desno");
    click("cmdPremakni_Desno"); // chosen once only
    groups->setCurrentIndex(groups->model()->index(2, 0));
    emit groups->doubleClicked(groups->currentIndex());
    EXPECT_EQ(chosen->model()->rowCount(), 2);
    EXPECT_EQ(child<QLabel>("Frame1Caption")->text(),
              text(settings::Texts::GroupsCaption) + "( 2 ) ");
    chosen->setCurrentIndex(chosen->model()->index(0, 0));
    click("cmdIzbrisi");
    EXPECT_EQ(chosen->model()->index(0, 0).data().toString(), "Rock'n'Roll");

    QSignalSpy closed(&window, &Sortiraj_Kanale_EXYU::closed);
    QSignalSpy changed(&events, &editing::StoreEvents::changed);
    click("cmdOK");
    EXPECT_EQ(closed.size(), 1);
    EXPECT_EQ(changed.size(), 1);
    EXPECT_EQ(s.groups(), Names{"Rock'n'Roll"});
    EXPECT_EQ(s.names(), Names{"Rock"});
    expectSound();
}

} // namespace
} // namespace listrion::tools::ui
