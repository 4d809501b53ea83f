#include "playlist/ui/Loading.h"

#include "controls/CountLabels.h"
#include "controls/Gumb.h"
#include "controls/Prompter.h"
#include "playlist/CurlHttpClient.h"
#include "settings/Settings.h"
#include "settings/SettingsKey.h"
#include "settings/TextCatalogue.h"
#include "text/CountText.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QStatusBar>
#include <QThread>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

namespace listrion::playlist::ui {
namespace {

constexpr int kRefreshMs = 100;
constexpr int kClockMs = 1000;

QLabel* label(const QString& text, const char* name, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

controls::Gumb* button(const QString& caption, const char* name, QWidget* parent)
{
    auto* b = new controls::Gumb(caption, parent);
    b->setObjectName(name);
    return b;
}

} // namespace

// Carries the worker's progress to the window (which reads the latest at its own pace) and the
// Cancel button to the worker.
class Loading::Observer final : public ProgressObserver {
public:
    void progress(const Progress& p) override
    {
        const std::lock_guard lock(m_mutex);
        m_latest = p;
        m_fresh = true;
    }
    bool cancelRequested() override { return m_cancels.load(std::memory_order_relaxed) > 0; }
    // A Cancel while the rows read are being stored stops that too (the playlist that was open
    // then stays).
    int cancelRequests() override { return m_cancels.load(std::memory_order_relaxed); }

    void cancel() { ++m_cancels; }
    bool cancelled() const { return m_cancels > 0; }
    // The progress reported since the last call, if any.
    bool take(Progress& out)
    {
        const std::lock_guard lock(m_mutex);
        if (!m_fresh) {
            return false;
        }
        out = m_latest;
        m_fresh = false;
        return true;
    }

private:
    std::mutex m_mutex;
    Progress m_latest;
    bool m_fresh = false;
    std::atomic<int> m_cancels{0};
};

Loading::Loading(const QString& source, const OpenOptions& options,
                 const settings::TextSource& texts, controls::Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_source(source), m_address(isPlaylistAddress(source.toStdString())),
      m_options(options), m_texts(texts), m_prompter(prompter),
      m_openAddress([](const QString& address) { QDesktopServices::openUrl(QUrl(address)); }),
      m_limit(ReaderOptions::kDefaultLimit), m_observer(std::make_unique<Observer>())
{
    setObjectName("Loading");
    build();
    connect(&m_refresh, &QTimer::timeout, this, &Loading::showProgress);
    connect(&m_clock, &QTimer::timeout, this, &Loading::showElapsed);
}

Loading::~Loading()
{
    if (m_thread != nullptr) {
        m_observer->cancel();
        m_thread->wait();
        delete m_thread;
    }
}

void Loading::setAddressOpener(std::function<void(const QString&)> opener)
{
    m_openAddress = std::move(opener);
}

void Loading::build()
{
    setWindowTitle("     Loading channels");
    auto* layout = new QVBoxLayout(this);
    Label1 = label("Please wait. Playlist is loading...", "Label1", this);
    layout->addWidget(Label1);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setTextVisible(false);
    layout->addWidget(ProgressBar1);
    lblTime = label("00:00:00", "lblTime", this);
    layout->addWidget(lblTime);
    layout->addWidget(buildCounters());
    txtIme_Grupe = new QLineEdit(this);
    txtIme_Grupe->setObjectName("txtIme_Grupe");
    txtIme_Kanala = new QLineEdit(this);
    txtIme_Kanala->setObjectName("txtIme_Kanala");
    for (QLineEdit* box : {txtIme_Grupe, txtIme_Kanala}) {
        box->setReadOnly(true);
        layout->addWidget(box);
    }
    layout->addWidget(
        label("Attention! More than 700,000 channels cause program instability", "Label2", this));
    layout->addWidget(buildLimit());
    cmdStop_Find = button("Cancel", "cmdStop_Find", this);
    connect(cmdStop_Find, &QAbstractButton::clicked, this, [this] { m_observer->cancel(); });
    layout->addWidget(cmdStop_Find);

    auto* status = new QStatusBar(this);
    status->setObjectName("StatusBar1");
    status->setSizeGripEnabled(false);
    status->addWidget(label("  Playlist name", "StatusBar1_Panel1", status));
    // The text after the last path separator, as for a Windows path.
    const qsizetype cut = std::max(m_source.lastIndexOf('/'), m_source.lastIndexOf('\\'));
    status->addWidget(label(m_source.mid(cut + 1), "StatusBar1_Panel2", status), 1);
    layout->addWidget(status);
}

QWidget* Loading::buildCounters()
{
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    lblGroups = label("0", "lblSkupina_1", box);
    lblLive = label("0", "lblSkupina_3", box);
    lblVod = label("0", "lblSkupina_4", box);
    lblLive->setToolTip("Live");
    lblVod->setToolTip("VOD");
    LabelStevec = label("0", "LabelStevec", box);
    grid->addWidget(label("Groups :", "lblSkupina_0", box), 0, 0);
    grid->addWidget(lblGroups, 0, 1);
    grid->addWidget(label("Channels  :", "lblSkupina_2", box), 1, 0);
    grid->addWidget(lblLive, 1, 1);
    grid->addWidget(lblVod, 1, 2);
    grid->addWidget(LabelStevec, 0, 2);
    return box;
}

QWidget* Loading::buildLimit()
{
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(label("Limit", "lblLimit", box));
    cmd_Naz_G = button("<", "cmd_Naz_G", box);
    lblOmejitev = label(QString(), "lblOmejitev", box);
    cmdNap_G = button(">", "cmdNap_G", box);
    Check1 = new QCheckBox("unlimited", box);
    Check1->setObjectName("Check1");
    for (QWidget* w : std::initializer_list<QWidget*>{cmd_Naz_G, lblOmejitev, cmdNap_G, Check1}) {
        row->addWidget(w);
    }
    connect(cmd_Naz_G, &QAbstractButton::clicked, this,
            [this] { stepLimit(-ReaderOptions::kLimitStep); });
    connect(cmdNap_G, &QAbstractButton::clicked, this,
            [this] { stepLimit(ReaderOptions::kLimitStep); });
    connect(Check1, &QCheckBox::toggled, this, &Loading::setUnlimited);
    showLimit();
    return box;
}

void Loading::stepLimit(std::int64_t step)
{
    const std::int64_t next = m_limit.load() + step;
    if (next >= ReaderOptions::kSmallestLimit && next <= ReaderOptions::kDefaultLimit) {
        m_limit = next;
        showLimit();
    }
}

void Loading::setUnlimited(bool unlimited)
{
    m_limit = unlimited ? ReaderOptions::kNoLimit : ReaderOptions::kDefaultLimit;
    cmd_Naz_G->setEnabled(!unlimited);
    cmdNap_G->setEnabled(!unlimited);
    showLimit();
}

void Loading::showLimit()
{
    // The limit is written with full stops between the digit groups, as "700.000".
    lblOmejitev->setText(QString::fromStdString(text::formatCount(m_limit.load(), '.')));
}

Loading::Run Loading::readerRun()
{
    const std::string source = m_source.toStdString();
    if (!m_address) {
        return [source](const OpenOptions& options, ProgressObserver* observer) {
            return Open_Playlist(source, options, observer);
        };
    }
    if (m_http == nullptr) {
        m_ownHttp = std::make_unique<CurlHttpClient>();
        m_http = m_ownHttp.get();
    }
    return [source, http = m_http](const OpenOptions& options, ProgressObserver* observer) {
        return Open_URL(source, *http, options, observer);
    };
}

void Loading::start()
{
    if (m_thread != nullptr) {
        return;
    }
    show();
    if (!m_run) {
        m_run = readerRun();
    }
    m_options.reader.liveLimit = &m_limit;
    m_elapsed.start();
    m_thread = QThread::create([this] { m_result = m_run(m_options, m_observer.get()); });
    connect(m_thread, &QThread::finished, this, &Loading::runEnded);
    m_refresh.start(kRefreshMs);
    m_clock.start(kClockMs);
    m_thread->start();
}

int Loading::exec()
{
    start();
    return QDialog::exec();
}

void Loading::reject()
{
    if (isRunning()) {
        m_observer->cancel();
        return;
    }
    QDialog::reject();
}

void Loading::showElapsed()
{
    lblTime->setText(controls::clockText(m_elapsed.elapsed() / 1000));
}

void Loading::showProgress()
{
    Progress p;
    if (!m_observer->take(p)) {
        return;
    }
    switch (p.activity) {
    case Activity::Downloading:
        Label1->setText("Wait for server response . Process may take some time!");
        break;
    case Activity::Restructuring:
        Label1->setText("Please wait. Playlist is making structure...");
        break;
    case Activity::Counting:
        if (m_address) {
            Label1->setText(
                QString::fromStdString(m_texts.text(settings::Texts::WorkReadingDownload)));
        }
        break;
    case Activity::Reading:
        if (p.lineCount > 0) {
            const double percent = 100.0 * static_cast<double>(p.line) / p.lineCount;
            Label1->setText("Loading : " + QString::number(percent, 'f', 1) + " %");
            ProgressBar1->setRange(0,
                                   static_cast<int>(std::min<std::int64_t>(p.lineCount, INT_MAX)));
            ProgressBar1->setValue(static_cast<int>(std::min<std::int64_t>(p.line, INT_MAX)));
        }
        break;
    case Activity::MakingBackup:
    case Activity::Indexing:
        // The rows are read; the undo snapshot and the indexes follow (Cancel still stops them).
        Label1->setText("Please wait. Making backup !");
        break;
    default:
        break;
    }
    if (p.activity == Activity::Reading || p.entries > 0) {
        LabelStevec->setText(controls::countText(p.entries));
        lblGroups->setText(controls::countText(p.groups));
        lblLive->setText(controls::countText(p.live));
        lblVod->setText(controls::countText(p.vod));
        txtIme_Grupe->setText("Group : " + controls::trimmedEnd(p.group));
        txtIme_Kanala->setText(controls::trimmedEnd(p.channel));
    }
}

void Loading::runEnded()
{
    m_thread->wait();
    m_done = true;
    m_refresh.stop();
    m_clock.stop();
    showElapsed();
    m_observer->progress(m_result.counts);
    showProgress();
    tellFailure();
    done(m_result.stored() ? Accepted : Rejected);
}

void Loading::tellFailure()
{
    if (m_address && (m_result.status == LoadStatus::DownloadFailed ||
                      m_result.status == LoadStatus::SourceMissing)) {
        if (m_prompter.question(
                QString::fromStdString(m_texts.text(settings::Texts::MainDownloadFailedQuestion)),
                QString())) {
            m_openAddress(m_source);
        } else if (m_settings != nullptr) {
            m_settings->write(settings::Keys::URL, m_source.toStdString());
        }
    } else if (!m_result.stored() && m_result.status != LoadStatus::Cancelled) {
        // The open playlist stayed; Cancel needs no message.
        m_prompter.message(QString::fromStdString(m_result.message));
    }
}

} // namespace listrion::playlist::ui
