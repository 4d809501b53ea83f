// The EPG id window driven by its controls' names with scripted answers, checked on the store.
#include "tools/ui/EPG_Code.h"

#include "ToolWindowFixture.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QUrl>

namespace listrion::tools::ui {
namespace {

class EpgWindow : public ToolWindowTest {
protected:
    void open(const std::string& group)
    {
        EPG_Code::Services services{prompter, events, [this](const QUrl& url) {
                                        opened << url.toString();
                                    }};
        services.showMain = [this] {
            ++mainShown;
        };
        window = std::make_unique<EPG_Code>(s.db, *texts, services, group, nullptr);
        tested = window.get();
        window->show();
    }
    QString group() const { return child<QComboBox>("ComboGroup")->currentText(); }
    Names ids(const std::string& grupa) const
    {
        return s.texts("SELECT tvgid FROM Playlist WHERE grupa = ? ORDER BY broj", grupa);
    }

    QStringList opened;
    int mainShown = 0;
    std::unique_ptr<EPG_Code> window;
};

TEST_F(EpgWindow, StepsStopAtTheEndsAndClearAsksBeforeIdsAreDerivedAgain)
{
    s.fill({2, 1, 3});
    open("g2");
    EXPECT_EQ(group(), "G2");
    for (const auto& [button, times, expected] :
         {std::tuple{"cmdNap_G", 2, "G3"}, std::tuple{"cmd_Naz_G", 3, "G1"}}) {
        for (int i = 0; i < times; ++i) {
            click(button);
        }
        EXPECT_EQ(group(), expected);
    }
    EXPECT_EQ(child<QTableView>("TDBGrid1")->model()->rowCount(), 2);
    EXPECT_EQ(child<QLineEdit>("txtEPG_online")->text(), "G1.1");

    s.db.exec("UPDATE Playlist SET tvgid = 'kept.de' WHERE name = 'G1.1'");
    prompter.answer(false);
    click("cmdClear");
    EXPECT_EQ(prompter.texts().front(), text(settings::Texts::EpgClearQuestion) + "G1" +
                                            text(settings::Texts::EpgClearQuestionEnd));
    EXPECT_EQ(ids("G1"), (Names{"kept.de", "ext"}));
    prompter.answer(true).acknowledge();
    click("cmdClear");
    EXPECT_EQ(ids("G1"), (Names{"ext", "ext"}));

    child<QLineEdit>("txtEPG")->setText("de");
    child<QButtonGroup>("Option1")->button(26)->click();
    EXPECT_EQ(child<QLineEdit>("txtEPG")->text(), "hr");
    prompter.acknowledge();
    click("cmdOK");
    EXPECT_EQ(ids("G1"), (Names{"g1.1.hr", "g1.2.hr"}));
    EXPECT_EQ(ids("G2"), (Names{"ext"}));
    EXPECT_EQ(prompter.texts().back(), text(settings::Texts::EpgDerived));

    click("cmdOnline");
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened.front().endsWith("/available-channels?term=G1.1"))
        << opened.front().toStdString();
}

TEST_F(EpgWindow, TheEasyModeCodeShowsTheMainWindowAndCloses)
{
    s.fill({1});
    open("G1");
    QSignalSpy closed(window.get(), &EPG_Code::closed);
    prompter.acknowledge();
    child<QLineEdit>("txtEPG")->setText(" 3915 ");
    EXPECT_EQ(prompter.texts(), QStringList{"Easy mod for Ex-Yu channels is enable !"});
    EXPECT_EQ(mainShown, 1);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(window->isVisible());
}

} // namespace
} // namespace listrion::tools::ui
