#include "tools/ui/Check_Validate.h"

#include "controls/CountLabels.h"
#include "controls/Gumb.h"
#include "controls/Prompter.h"
#include "editing/StoreEvents.h"
#include "settings/TextCatalogue.h"
#include "store/Database.h"
#include "text/CountText.h"
#include "tools/ui/CheckGridModel.h"

#include <QLabel>
#include <QProgressBar>
#include <QTableView>
#include <QThread>

#include <algorithm>
#include <climits>

namespace listrion::tools::ui {
namespace {

constexpr int kRefreshMs = 100;
constexpr int kGridRefreshMs = 1000;

int progressValue(std::int64_t value)
{
    return static_cast<int>(std::clamp<std::int64_t>(value, 0, INT_MAX));
}

} // namespace

Check_Validate::~Check_Validate()
{
    if (m_thread != nullptr) {
        m_progress->stop();
        m_thread->wait();
        delete m_thread;
    }
    TDBGrid1->setModel(nullptr);
}

void Check_Validate::cmdCheck()
{
    if (isRunning()) {
        return;
    }
    if (m_player) {
        m_player->stop();
        m_player->setVisible(false);
    }
    showListing(CheckGridModel::Listing::RunOrder);
    lblStatus->clear();
    LinkCheckCounts start;
    start.total = m_grid->rowCount();
    m_progress = std::make_unique<CheckProgress>();
    m_progress->progress(start);
    showProgress();
    setCommandsEnabled(false);

    m_result = {};
    const std::filesystem::path file = m_db.file();
    const LinkCheckRunOptions options = m_services.runOptions;
    CheckProgress* progress = m_progress.get();
    m_thread = QThread::create([this, file, options, progress] {
        m_result = checkPlaylistLinks(file, options, progress);
    });
    connect(m_thread, &QThread::finished, this, [this] { endRun(true); });
    m_refresh.start(kRefreshMs);
    m_gridRefresh.start(kGridRefreshMs);
    m_thread->start();
}

void Check_Validate::cmdStop()
{
    if (isRunning()) {
        m_progress->stop();
    }
}

void Check_Validate::showProgress()
{
    if (!m_progress) {
        return;
    }
    const LinkCheckCounts c = m_progress->latest();
    ProgressBar1->setRange(0, std::max(1, progressValue(c.total)));
    ProgressBar1->setValue(progressValue(c.processed));
    lblProcenti->setText(QString::number(c.total > 0 ? c.processed * 100 / c.total : 0) + " %");
    lblStart->setText(controls::countText(c.processed));
    lblEnd->setText(controls::countText(c.total));
    lblBroken->setText(controls::countText(c.broken));
    // Links of schemes that cannot be tested count as working.
    lblWorked->setText(controls::countText(c.working + c.untested));
    if (c.untested > 0) {
        lblStatus->setText("Not tested (rtmp, rtsp, udp and other schemes), counted as working: " +
                           controls::countText(c.untested));
    }
}

void Check_Validate::endRun(bool tell)
{
    if (m_thread == nullptr) {
        return;
    }
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    m_refresh.stop();
    m_gridRefresh.stop();
    m_progress->progress(m_result.counts);
    showProgress();
    setCommandsEnabled(true);
    editing::StoreChange ticks;
    ticks.parts = editing::StoreChange::ChannelRows;
    publish(ticks);
    if (!m_result.error.empty()) {
        m_grid->refreshValues();
        if (tell) {
            m_services.prompter.message("The links could not be checked: " +
                                        QString::fromStdString(m_result.error));
        }
    } else if (m_result.stopped) {
        m_grid->refreshValues();
        if (tell) {
            m_services.prompter.message(text(settings::Texts::CheckLinkStopped));
        }
    } else {
        if (tell) {
            m_services.prompter.message(text(settings::Texts::CheckLinkFinished));
        }
        showListing(CheckGridModel::Listing::BrokenByName);
    }
    emit runEnded();
}

void Check_Validate::setCommandsEnabled(bool enabled)
{
    Frame1->setEnabled(enabled);
    Frame3->setEnabled(enabled);
}

} // namespace listrion::tools::ui
