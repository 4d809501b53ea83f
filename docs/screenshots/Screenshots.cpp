// Takes the README's screenshots from the real windows: a corpus playlist is opened into a
// fresh program folder, then each window is shown and its picture saved.
// usage: listrion-screenshots OUTDIR PLAYLIST  (run under Xvfb by scripts/screenshots)
#include "controls/Prompter.h"
#include "editing/ChannelGridModel.h"
#include "editing/ui/EditingContext.h"
#include "editing/ui/Editor_Channels.h"
#include "editing/ui/Editor_Groups.h"
#include "editing/ui/Glavna.h"
#include "playlist/CurlHttpClient.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>

namespace {

using namespace listrion;

// Nobody answers: messages are dismissed, questions get No, dialogs are cancelled.
class SilentPrompter : public controls::Prompter {
public:
    void message(const QString&, const QString&) override {}
    bool question(const QString&, const QString&) override { return false; }
    std::optional<QString> input(const QString&, const QString&, const QString&) override
    {
        return std::nullopt;
    }
    std::optional<QString> openFile(const FileRequest&) override { return std::nullopt; }
    std::optional<QString> saveFile(const FileRequest&) override { return std::nullopt; }
};

void settle()
{
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
        QThread::msleep(20);
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

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName("Listrion");
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: listrion-screenshots OUTDIR PLAYLIST [UTF8-PLAYLIST]\n");
        return 2;
    }
    const QString out = QDir(argv[1]).absolutePath();
    QTemporaryDir work;
    // The playlist is opened by a path relative to a neutral working folder, as a user's
    // ~/tv/ would read, so no path of this machine shows in the pictures.
    QDir(work.path()).mkpath("home/tv");
    QDir(work.path()).mkpath("program");
    QFile::copy(argv[2], work.filePath("home/tv/us.m3u"));
    if (argc == 4) {
        QFile::copy(argv[3], work.filePath("home/tv/world.m3u"));
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
    if (argc == 4) {
        ok = saveUnicode(window, out) && ok;
    }
    return ok ? 0 : 1;
}
