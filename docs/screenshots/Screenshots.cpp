// Takes the README's screenshots from the real windows: a corpus playlist is opened into a
// fresh program folder, then each window is shown and its picture saved.
// usage: listrion-screenshots OUTDIR PLAYLIST SECOND [UTF8-PLAYLIST]  (run under Xvfb by
// scripts/screenshots)
#include "controls/Prompter.h"
#include "editing/ChannelGridModel.h"
#include "editing/ui/Channel_Explorer.h"
#include "editing/ui/EditingContext.h"
#include "editing/ui/Editor_Channels.h"
#include "editing/ui/Editor_Groups.h"
#include "editing/ui/Glavna.h"
#include "playlist/CurlHttpClient.h"
#include "settings/RecentPlaylists.h"
#include "settings/ui/Kolone_prikaz.h"
#include "settings/ui/Settings.h"
#include "tools/ui/EPG_Code.h"
#include "tools/ui/Merge_Playlist.h"
#include "tools/ui/Poisci_Kanal.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTableView>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <functional>

namespace {

using namespace listrion;

// Nobody answers: messages are dismissed, questions get No, dialogs are cancelled, except that
// an open-file dialog chooses `fileToOpen` when it is set.
class SilentPrompter : public controls::Prompter {
public:
    QString fileToOpen;

    void message(const QString&, const QString&) override {}
    bool question(const QString&, const QString&) override { return false; }
    std::optional<QString> input(const QString&, const QString&, const QString&, int) override
    {
        return std::nullopt;
    }
    std::optional<QString> openFile(const FileRequest&) override
    {
        return fileToOpen.isEmpty() ? std::nullopt : std::optional<QString>(fileToOpen);
    }
    std::optional<QString> saveFile(const FileRequest&) override { return std::nullopt; }
};

void settle()
{
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
        QThread::msleep(20);
    }
}

// Lets the window's events run until `done` says so (at most five seconds).
void waitFor(const std::function<bool()>& done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 5000) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
}

bool save(QWidget& window, const QString& file)
{
    settle();
    const bool saved = window.grab().save(file);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(file));
    return saved;
}

// A playlist of names in many scripts: the group "General" with its channels ordered by name and
// the grid at its end, where the Arabic, Cyrillic, Greek, Hebrew and Han names sort.
bool saveUnicode(editing::Glavna& window, const QString& out)
{
    window.openPlaylistFile("tv/world.m3u");
    settle();
    auto* groups = window.findChild<QTableView*>("TDBGrid2");
    for (int row = 0; row < groups->model()->rowCount(); ++row) {
        if (groups->model()->index(row, 1).data().toString() == "General") {
            groups->setCurrentIndex(groups->model()->index(row, 1));
        }
    }
    settle();
    auto* channels = window.findChild<QTableView*>("TDBGrid1");
    channels->model()->sort(editing::ChannelGridModel::kNameColumn);
    settle();
    channels->scrollToBottom();
    return save(window, out + "/screenshot-unicode.png");
}

// A menu of the window and one of its submenus opened, as the screen shows them: popups are
// windows of their own, so the picture is taken from the screen.
bool saveMenu(editing::Glavna& window, const char* menuName, const char* submenuName,
              const QString& file)
{
    auto* bar = window.menuBar();
    auto* menu = window.findChild<QMenu*>(menuName);
    const QPoint corner = window.mapToGlobal(QPoint(0, 0));
    menu->popup(bar->mapToGlobal(bar->actionGeometry(menu->menuAction()).bottomLeft()));
    settle();
    QRect area = menu->geometry();
    QMenu* submenu = submenuName != nullptr ? window.findChild<QMenu*>(submenuName) : nullptr;
    if (submenu != nullptr) {
        menu->setActiveAction(submenu->menuAction());
        submenu->popup(menu->geometry().topRight() +
                       QPoint(0, menu->actionGeometry(submenu->menuAction()).top()));
        settle();
        area = area.united(submenu->geometry());
    }
    area = area.united(QRect(corner, QSize(area.width(), 1))).adjusted(0, 0, 24, 24);
    const bool saved = QGuiApplication::primaryScreen()
                           ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
                           .save(file);
    if (submenu != nullptr) {
        submenu->hide();
    }
    menu->hide();
    settle();
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(file));
    return saved;
}

// The pictures of the user guide: File with the playlists opened last, and Help.
bool saveGuideMenus(editing::Glavna& window, const settings::ProgramFolder& folder,
                    const QString& out)
{
    // Neutral entries only: the playlist opened above lies in a temporary folder.
    const settings::RecentPlaylists recent(folder.settingsIni());
    for (const std::string& opened : recent.entries()) {
        recent.remove(opened);
    }
    for (const char* entry : {"/home/user/tv/sports.m3u", "http://tv.example/lists/world.m3u",
                              "/home/user/tv/news.m3u", "/home/user/tv/us.m3u"}) {
        recent.add(entry);
    }
    return saveMenu(window, "mnuFile", "mnuRecent", out + "/guide-recent.png") &&
           saveMenu(window, "mnuHelp", nullptr, out + "/guide-help.png");
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName("Listrion");
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr,
                     "usage: listrion-screenshots OUTDIR PLAYLIST SECOND [UTF8-PLAYLIST]\n");
        return 2;
    }
    const QString out = QDir(argv[1]).absolutePath();
    QTemporaryDir work;
    // The playlist is opened by a path relative to a neutral working folder, as a user's
    // ~/tv/ would read, so no path of this machine shows in the pictures.
    QDir(work.path()).mkpath("home/tv");
    QDir(work.path()).mkpath("program");
    QFile::copy(argv[2], work.filePath("home/tv/us.m3u"));
    QFile::copy(argv[3], work.filePath("home/tv/second.m3u"));
    if (argc == 5) {
        QFile::copy(argv[4], work.filePath("home/tv/world.m3u"));
    }
    QDir::setCurrent(work.filePath("home"));
    settings::ProgramFolder folder(work.filePath("program").toStdString());
    folder.installShippedData();

    SilentPrompter prompter;
    playlist::CurlHttpClient http;
    editing::Glavna window(folder, {prompter, http, {}});
    window.start();
    window.resize(1280, 800);
    window.show();
    window.openPlaylistFile("tv/us.m3u");
    bool ok = save(window, out + "/screenshot.png");
    ok = saveGuideMenus(window, folder, out) && ok;

    const editing::ui::EditingContext context = window.context();
    editing::ui::Editor_Groups editor(context, &window);
    editor.resize(1180, 760);
    editor.show();
    editor.findChild<QCheckBox*>("Check1")->setChecked(true);
    auto* grid = editor.findChild<QTableView*>("TDBGrid1");
    for (int row : {1, 3, 4}) {
        grid->model()->setData(grid->model()->index(row, 0), Qt::Checked, Qt::CheckStateRole);
    }
    grid->setCurrentIndex(grid->model()->index(4, 1));
    ok = save(editor, out + "/group-editor.png") && ok;
    editor.findChild<QCheckBox*>("Check1")->setChecked(false);
    editor.hide();

    editing::ui::Editor_Channels channels(context, "News", &window);
    channels.resize(1280, 760);
    channels.show();
    ok = save(channels, out + "/channel-editor.png") && ok;
    channels.hide();

    tools::ui::Poisci_Kanal search(context.db, context.texts, context.settings,
                                   {prompter, context.events}, &window);
    search.resize(1100, 640);
    search.show();
    search.findChild<QLineEdit*>("txtNajdi")->setText("news");
    waitFor([&search] { return !search.searching(); });
    ok = save(search, out + "/search.png") && ok;
    search.hide();

    editing::ui::Channel_Explorer explorer(context, {}, &window);
    explorer.resize(1400, 760);
    explorer.show();
    auto* right = explorer.findChild<QComboBox*>("ComboGroup2");
    right->setCurrentIndex(std::min(2, right->count() - 1));
    emit right->activated(right->currentIndex());
    ok = save(explorer, out + "/explorer.png") && ok;
    explorer.hide();

    playlist::OpenOptions options;
    options.dataMdb = folder.dataMdb();
    options.tempM3u = folder.tempM3u();
    tools::ui::Merge_Playlist merge(context.db, context.texts, options, {prompter, context.events},
                                    &window);
    merge.resize(1100, 640);
    merge.show();
    prompter.fileToOpen = "tv/second.m3u";
    QMetaObject::invokeMethod(merge.findChild<QAbstractButton*>("cmdOpen"), "click");
    waitFor([&merge] { return !merge.isReading(); });
    ok = save(merge, out + "/merge.png") && ok;
    merge.hide();

    tools::ui::EPG_Code epg(context.db, context.texts, {prompter, context.events, {}}, "News",
                            &window);
    epg.resize(1100, 720);
    epg.show();
    epg.findChild<QButtonGroup*>("Option1")->button(7)->click();
    auto* epgGrid = epg.findChild<QTableView*>("TDBGrid1");
    epgGrid->setCurrentIndex(
        epgGrid->model()->index(std::min(3, epgGrid->model()->rowCount() - 1), 2));
    ok = save(epg, out + "/epg-window.png") && ok;
    epg.hide();
    settings::ui::Settings fonts(window.settings(), context.texts, prompter,
                                 window.settingsEvents(), &window);
    fonts.show();
    ok = save(fonts, out + "/settings.png") && ok;
    fonts.hide();
    settings::ui::Kolone_prikaz columns(window.settings(), context.texts, window.settingsEvents(),
                                        &window);
    columns.show();
    ok = save(columns, out + "/columns.png") && ok;
    columns.hide();
    if (argc == 5) {
        ok = saveUnicode(window, out) && ok;
    }
    return ok ? 0 : 1;
}
