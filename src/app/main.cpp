// The editor: resolves the program folder, builds the main window with the real dialogs and
// the real downloader, runs its start-up sequence and, when a playlist file is named on the
// command line, opens it as the open command would.
//
// With LISTRION_STARTUP_PROBE=1 in the environment the editor prints, on its first painted main
// window, the milliseconds since the process started and since main() began and the processor
// time used, and quits without the shut-down steps (bench/editor/run uses it).

#include "controls/QtPrompter.h"
#include "editing/ui/Glavna.h"
#include "playlist/CurlHttpClient.h"
#include "settings/ProgramFolder.h"
#include "settings/UpdateDeployment.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QEvent>
#include <QFileInfo>
#include <QIcon>
#include <QProcess>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <exception>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include <sys/resource.h>
#include <unistd.h>

namespace {

// Milliseconds since the kernel started this process (field 22 of /proc/self/stat, in clock
// ticks since boot), or -1 when that cannot be read.
double msSinceProcessStart()
{
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const std::size_t close = text.rfind(')'); // the command name may hold spaces
    if (close == std::string::npos) {
        return -1;
    }
    std::size_t at = close + 2; // field 3
    for (int field = 3; field < 22 && at != std::string::npos; ++field) {
        at = text.find(' ', at);
        at = at == std::string::npos ? at : at + 1;
    }
    timespec now{};
    if (at == std::string::npos || clock_gettime(CLOCK_BOOTTIME, &now) != 0) {
        return -1;
    }
    const double startTicks = std::strtod(text.c_str() + at, nullptr);
    const double nowMs = static_cast<double>(now.tv_sec) * 1000.0 + now.tv_nsec / 1e6;
    return nowMs - startTicks * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// Processor time of the process so far (user and system), which a busy machine disturbs less
// than the elapsed time.
double cpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_usec) / 1000.0;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// Reports the first paint of the watched window once that paint has been delivered, then ends
// the event loop.
class StartupProbe : public QObject {
public:
    explicit StartupProbe(const QElapsedTimer& sinceMain) : m_sinceMain(sinceMain) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, this, [this] {
                std::printf("startup-ms: %.0f (since main: %lld, cpu: %.0f)\n",
                            msSinceProcessStart(), static_cast<long long>(m_sinceMain.elapsed()),
                            cpuMs());
                std::fflush(stdout);
                QApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const QElapsedTimer& m_sinceMain;
    bool m_seen = false;
};

} // namespace

int main(int argc, char** argv)
{
    QElapsedTimer sinceMain;
    sinceMain.start();
    QApplication app(argc, argv);
    QApplication::setApplicationName("listrion");
    // No application display name: Qt would add " — Listrion" to the main window's title.
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

        int code = 0;
        std::optional<listrion::editing::Glavna::NextProgram> next;
        {
            listrion::controls::QtPrompter prompter;
            listrion::playlist::CurlHttpClient http;
            listrion::editing::Glavna::Services services{prompter, http, {}};
            services.versionFileUrl = listrion::settings::kVersionFileUrl;
            listrion::editing::Glavna window(folder, std::move(services));
            prompter.setParent(&window);
            StartupProbe probe(sinceMain);
            if (qEnvironmentVariableIntValue("LISTRION_STARTUP_PROBE") == 1) {
                window.installEventFilter(&probe);
            }
            if (!window.start()) {
                return 1;
            }
            window.show();
            const QStringList files = parser.positionalArguments();
            if (!files.isEmpty()) {
                const QString file = QFileInfo(files.front()).absoluteFilePath();
                QTimer::singleShot(0, &window, [&window, file] { window.openNamedFile(file); });
            }
            code = QApplication::exec();
            next = window.nextProgram();
        }
        // A restart or another version starts once this window has let go of the program
        // folder, which one program changes at a time.
        if (next && !QProcess::startDetached(next->program, next->arguments)) {
            std::fprintf(stderr, "listrion: could not start %s\n",
                         next->program.toLocal8Bit().constData());
            return 1;
        }
        return code;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "listrion: %s\n", error.what());
        return 1;
    }
}
