// The editor: resolves the program folder, builds the main window with the real dialogs and
// the real downloader, runs its start-up sequence and, when a playlist file is named on the
// command line, opens it as the open command would.

#include "controls/QtPrompter.h"
#include "editing/ui/Glavna.h"
#include "playlist/CurlHttpClient.h"
#include "settings/ProgramFolder.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>
#include <QTimer>

#include <cstdio>
#include <exception>
#include <optional>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("listrion");
    QApplication::setApplicationDisplayName("Listrion");
    QApplication::setDesktopFileName("listrion");
    QApplication::setWindowIcon(QIcon::fromTheme("listrion", QIcon(":/listrion.svg")));

    QCommandLineParser parser;
    parser.setApplicationDescription("Listrion, an editor for IPTV playlists");
    parser.addHelpOption();
    const QCommandLineOption home(
        "home", "Keep data.mdb, Settings.ini and the language files in DIR.", "DIR");
    parser.addOption(home);
    parser.addPositionalArgument("playlist", "A playlist file to open.", "[playlist]");
    parser.process(app);

    std::optional<std::filesystem::path> homeOption;
    if (parser.isSet(home)) {
        homeOption = parser.value(home).toStdString();
    }
    try {
        listrion::settings::ProgramFolder folder =
            listrion::settings::ProgramFolder::resolve(homeOption);
        folder.installShippedData();

        listrion::controls::QtPrompter prompter;
        listrion::playlist::CurlHttpClient http;
        listrion::editing::Glavna window(folder, {prompter, http, {}});
        prompter.setParent(&window);
        window.start();
        window.show();
        const QStringList files = parser.positionalArguments();
        if (!files.isEmpty()) {
            const QString file = QFileInfo(files.front()).absoluteFilePath();
            QTimer::singleShot(0, &window, [&window, file] { window.openNamedFile(file); });
        }
        return QApplication::exec();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "listrion: %s\n", error.what());
        return 1;
    }
}
