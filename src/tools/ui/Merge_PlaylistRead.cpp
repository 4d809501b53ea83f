// Reading the second playlist: the file dialog, the run on a worker thread with its progress and
// stop button, and what the window shows when it ends.
#include "tools/ui/Merge_Playlist.h"

#include "controls/CountLabels.h"
#include "controls/Gumb.h"
#include "controls/PlaylistFileRequests.h"
#include "controls/Prompter.h"
#include "settings/TextCatalogue.h"
#include "text/CountText.h"
#include "tools/GroupTableModel.h"
#include "tools/SecondPlaylist.h"
#include "tools/ui/RunObserver.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QThread>

namespace listrion::tools::ui {
namespace {

constexpr int kRefreshMs = 100;

} // namespace

Merge_Playlist::~Merge_Playlist()
{
    if (m_thread != nullptr) {
        m_observer->stop();
        m_thread->wait();
        delete m_thread;
    }
}

void Merge_Playlist::Open_Playlist()
{
    const std::optional<QString> file =
        m_services.prompter.openFile(controls::kOpenPlaylistRequest);
    if (!file || file->isEmpty()) {
        return;
    }
    setWindowTitle("         Playlist name  :  " + *file);
    startReading(*file);
}

void Merge_Playlist::startReading(const QString& file)
{
    m_observer = std::make_unique<RunObserver>();
    m_result = {};
    Label1->setText("Please wait. Playlist is loading...");
    LabelStevec->setText("0");
    txtIme_Grupe->clear();
    txtIme_Kanala->clear();
    Picture1->show();
    setCommandsEnabled(false);
    // The grid lets go of the staged rows the run is about to replace.
    m_second->showNothing();
    const std::filesystem::path path = file.toStdString();
    m_thread = QThread::create([this, path, options = m_options, observer = m_observer.get()] {
        m_result = stageSecondPlaylist(path, options, observer);
    });
    connect(m_thread, &QThread::finished, this, &Merge_Playlist::readingDone);
    connect(cmdStop_Find, &QAbstractButton::clicked, m_thread,
            [observer = m_observer.get()] { observer->stop(); });
    connect(&m_refresh, &QTimer::timeout, this, &Merge_Playlist::showProgress,
            Qt::UniqueConnection);
    m_refresh.start(kRefreshMs);
    m_thread->start();
}

void Merge_Playlist::showProgress()
{
    const playlist::Progress p = m_observer->latest();
    Label1->setText(p.activity == playlist::Activity::Restructuring
                        ? "Please wait. Playlist is making structure..."
                        : "Please wait. Playlist is loading...");
    LabelStevec->setText(controls::countText(p.entries));
    txtIme_Grupe->setText("Group : " + controls::trimmedEnd(p.group));
    txtIme_Kanala->setText(controls::trimmedEnd(p.channel));
}

void Merge_Playlist::readingDone()
{
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    m_refresh.stop();
    Picture1->hide();
    setCommandsEnabled(true);
    m_second->reload();
    layoutGrids();
    const std::int64_t channels = m_result.channels();
    if (!m_result.stored()) {
        txtIme_Grupe->clear();
        txtIme_Kanala->clear();
        m_services.prompter.message(QString::fromStdString(m_result.message));
    } else {
        txtIme_Grupe->setText(text(settings::Texts::SecondPlaylistLoaded) + "  " +
                              controls::countText(channels) + " " +
                              text(settings::Texts::ChannelsCaption) + ".");
        txtIme_Kanala->setText(text(settings::Texts::PressMergeToAdd));
        if (channels == 0) {
            m_services.prompter.message(
                m_result.status == playlist::LoadStatus::Cancelled
                    ? "The reading was stopped before any channel was read: there is nothing to "
                      "merge."
                    : "The second playlist holds no channels: there is nothing to merge.");
        }
    }
    emit readingEnded();
    if (m_closeAfterReading) {
        close();
    }
}

// Closing while a playlist is read stops the reading first; the window closes when it ends.
void Merge_Playlist::closeEvent(QCloseEvent* event)
{
    if (m_thread != nullptr) {
        m_closeAfterReading = true;
        m_observer->stop();
        event->ignore();
        return;
    }
    event->accept();
    emit closed();
}

} // namespace listrion::tools::ui
