// The merge window driven by its controls' names with scripted answers, checked on the store.
#include "tools/ui/Merge_Playlist.h"

#include "ToolWindowFixture.h"
#include "store/UndoSnapshot.h"

#include <QLineEdit>
#include <QSignalSpy>

namespace listrion::tools::ui {
namespace {

class MergeWindow : public ToolWindowTest {
protected:
    MergeWindow()
    {
        s.group("Sport", 1);
        s.group("News", 2);
        s.channel("Sport", "S1", 1);
        s.channel("Sport", "S2", 2);
        s.channel("News", "N1", 3);
        s.recount();
        store::takeUndoSnapshot(s.db);
        playlist::OpenOptions options;
        options.dataMdb = folder.dataMdb();
        options.tempM3u = folder.tempM3u();
        window = std::make_unique<Merge_Playlist>(s.db, *texts, options,
                                                  Merge_Playlist::Services{prompter, events});
        tested = window.get();
        window->show();
    }
    // cmdOpen with the file chosen, until the reading has ended; `told`: a message follows.
    void read(const std::filesystem::path& file, bool told = false)
    {
        QSignalSpy ended(window.get(), &Merge_Playlist::readingEnded);
        prompter.chooseFile(QString::fromStdString(file.string()));
        if (told) {
            prompter.acknowledge();
        }
        click("cmdOpen");
        ASSERT_TRUE(ended.wait(10000));
    }
    int stagedGroups() const { return child<QTableView>("TDBGrid2")->model()->rowCount(); }
    void expectOpenPlaylistAsBefore() const
    {
        EXPECT_EQ(s.groups(), (Names{"Sport", "News"}));
        EXPECT_EQ(s.names(), (Names{"S1", "S2", "N1"}));
        expectSound();
    }

    std::unique_ptr<Merge_Playlist> window;
};

TEST_F(MergeWindow, ReadsTheSecondPlaylistThenMergesItAndCloses)
{
    click("cmdMerge"); // nothing read yet: nothing happens
    const auto second =
        home.write("second.m3u", "#EXTM3U\n#EXTINF:-1 group-title=\"sport\",A\nhttp://x/a\n"
                                 "#EXTINF:-1 group-title=\"Films\",B\nhttp://x/b.mkv\n"
                                 "#EXTINF:-1 group-title=\"sport\",C\nhttp://x/c\n");
    read(second);
    EXPECT_EQ(stagedGroups(), 2);
    EXPECT_EQ(child<QLineEdit>("txtIme_Kanala")->text(), text(settings::Texts::PressMergeToAdd));
    expectOpenPlaylistAsBefore();

    QSignalSpy closed(window.get(), &Merge_Playlist::closed);
    QSignalSpy changed(&events, &editing::StoreEvents::changed);
    prompter.acknowledge();
    click("cmdMerge");
    EXPECT_EQ(prompter.texts().back(), text(settings::Texts::PlaylistsMerged));
    EXPECT_EQ(closed.size(), 1);
    EXPECT_EQ(changed.size(), 1);
    EXPECT_EQ(s.groups(), (Names{"Sport", "News", "sport2", "Films"}));
}

TEST_F(MergeWindow, BadFilesAreToldAndChangeNothing)
{
    prompter.chooseFile(std::nullopt);
    click("cmdOpen"); // cancelled: nothing
    read(home.write("empty.m3u", "#EXTM3U\n"), true);
    EXPECT_NE(prompter.texts().back().indexOf("no channels"), -1);
    EXPECT_EQ(stagedGroups(), 0);
    click("cmdMerge");
    expectOpenPlaylistAsBefore();
}

} // namespace
} // namespace listrion::tools::ui
