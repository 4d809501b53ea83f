#include "editing/ui/Glavna.h"

#include "controls/Gumb.h"
#include "editing/ChannelGridModel.h"
#include "editing/GroupGridModel.h"
#include "editing/PlaylistCommands.h"
#include "editing/ui/HistoryMenu.h"
#include "editing/ui/WaitPanel.h"
#include "listrion/Version.h"
#include "playlist/Leftovers.h"
#include "settings/Languages.h"
#include "settings/StartupSettings.h"
#include "settings/TextCatalogue.h"
#include "store/Compaction.h"
#include "store/Schema.h"
#include "store/Tables.h"
#include "tools/UpdateCheck.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QUrl>
#include <QVBoxLayout>

namespace listrion::editing {

Glavna::Glavna(settings::ProgramFolder folder, Services services, QWidget* parent)
    : QMainWindow(parent), m_folder(std::move(folder)), m_settings(m_folder.settingsIni()),
      m_services(std::move(services))
{
    setObjectName("Glavna");
    if (!m_services.openUrl) {
        m_services.openUrl = [](const QUrl& url) {
            QDesktopServices::openUrl(url);
        };
    }
    setAcceptDrops(true);
    buildWidgets();
    buildMenus();
    connect(&m_events, &StoreEvents::changed, this, &Glavna::storeChanged);
}

Glavna::~Glavna()
{
    m_updateCheck.reset();
    m_checkpoints.reset();
    // The grids read through the connection; they go first.
    delete m_groups;
    delete m_channels;
}

void Glavna::buildWidgets()
{
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);

    m_frame5 = new QWidget(central);
    m_frame5->setObjectName("Frame5");
    m_playlistLabel = new QLabel(m_frame5);
    m_playlistLabel->setObjectName("lblPlaylist");
    auto* frame5Layout = new QHBoxLayout(m_frame5);
    frame5Layout->setContentsMargins(0, 0, 0, 0);
    frame5Layout->addWidget(m_playlistLabel);

    auto* toolbar = new QHBoxLayout;
    m_frame7 = new QWidget(central);
    m_frame7->setObjectName("Frame7");
    new QHBoxLayout(m_frame7);
    m_frame8 = new QWidget(central);
    m_frame8->setObjectName("Frame8");
    new QHBoxLayout(m_frame8);
    toolbar->addWidget(m_frame7);
    toolbar->addStretch(1);
    toolbar->addWidget(m_frame8);

    m_wait = new WaitPanel(central);

    auto* splitter = new QSplitter(Qt::Horizontal, central);
    auto* groupPane = new QWidget(splitter);
    auto* groupLayout = new QVBoxLayout(groupPane);
    groupLayout->setContentsMargins(0, 0, 0, 0);
    m_groupCaption = new QLabel(groupPane);
    m_groupCaption->setObjectName("TDBGrid2Caption");
    m_groupGrid = new QTableView(groupPane);
    m_groupGrid->setObjectName("TDBGrid2");
    m_totalChannels = new QLabel(groupPane);
    m_totalChannels->setObjectName("lblTotalChannels");
    groupLayout->addWidget(m_groupCaption);
    groupLayout->addWidget(m_groupGrid, 1);
    groupLayout->addWidget(m_totalChannels);

    auto* channelPane = new QWidget(splitter);
    auto* channelLayout = new QVBoxLayout(channelPane);
    channelLayout->setContentsMargins(0, 0, 0, 0);
    m_channelCaption = new QLabel(channelPane);
    m_channelCaption->setObjectName("TDBGrid1Caption");
    m_channelGrid = new QTableView(channelPane);
    m_channelGrid->setObjectName("TDBGrid1");
    channelLayout->addWidget(m_channelCaption);
    channelLayout->addWidget(m_channelGrid, 1);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({410, 790});

    layout->addWidget(m_frame5);
    layout->addLayout(toolbar);
    layout->addWidget(m_wait);
    layout->addWidget(splitter, 1);
    setCentralWidget(central);

    auto* status = new QStatusBar(this);
    status->setObjectName("StatusBar1");
    m_statusName = new QLabel(status);
    m_statusName->setObjectName("StatusBar1Panel1");
    m_statusFile = new QLabel(status);
    m_statusFile->setObjectName("StatusBar1Panel2");
    m_statusCodepage = new QLabel(status);
    m_statusCodepage->setObjectName("StatusBar1Panel3");
    status->addWidget(m_statusName);
    status->addWidget(m_statusFile, 1);
    status->addPermanentWidget(m_statusCodepage);
    setStatusBar(status);
    resize(1200, 760);
}

controls::Gumb* Glavna::addButton(QWidget* frame, const char* name, settings::TextKey caption)
{
    auto* button = keyed(new controls::Gumb(QString(), frame), caption);
    button->setObjectName(name);
    button->setMinimumSize(110, 30);
    frame->layout()->addWidget(button);
    return button;
}

bool Glavna::start()
{
    setFont(QFont("Segoe UI"));
    // One program changes a program folder at a time; this window is one for its whole run.
    m_lock = store::FolderLock::acquire(m_folder.dataMdb(), m_services.lockWait);
    if (!m_lock.held()) {
        m_services.prompter.message(QString::fromUtf8(m_lock.message()));
        return false;
    }
    playlist::removeLeftoverFiles(m_folder.dataMdb(), m_folder.tempM3u());
    // Compacting needs every other connection closed; the grids open theirs afterwards. A
    // compact file (of hundreds of megabytes with a large playlist) is not copied again.
    if (store::compactionPays(m_folder.dataMdb())) {
        store::Compact_Database(m_folder.dataMdb());
    }
    store::Database::setDefaultHistoryCap(m_settings.historyCapBytes());
    // Before the first connection, so that every connection of the editor leaves the copying to it.
    m_checkpoints.emplace(m_folder.dataMdb());
    m_db.emplace(store::Schema::open(m_folder.dataMdb()));
    playlist::dropLeftoverTables(*m_db);

    const settings::StartupSettings startup = settings::StartupSettings::apply(m_settings);
    m_texts = std::make_unique<settings::CurrentTexts>(m_settings, m_folder);

    m_groups = new GroupGridModel(*m_db, this);
    m_channels = new ChannelGridModel(*m_db, this);
    Kreiraj_Meni();
    markLanguage(startup.languagePosition);
    Oznaci_System(startup.system);
    buildUpdateEntries(startup.checkForUpdates);
    if (startup.checkForUpdates) {
        startUpdateCheck();
    }

    setupGrids();
    m_groups->reload();
    groupGridLayout();
    selectGroupRow(static_cast<int>(m_settings.readNumber(settings::Keys::PozicijaG).value_or(0)));
    showChosenPlaylist();
    checkMediaPlayer();
    setTitle();
    Prevedi();
    m_history->refresh();
    refreshRecentMenu();
    // The size the window had when it was last closed.
    const long long w = m_settings.readNumber(settings::Keys::Width).value_or(0);
    const long long h = m_settings.readNumber(settings::Keys::Height).value_or(0);
    if (w >= 400 && h >= 300) {
        resize(static_cast<int>(w), static_cast<int>(h));
    }
    return true;
}

void Glavna::showCodepage()
{
    const std::optional<store::PlaylistCodepage> codepage = store::playlistCodepage(*m_db);
    m_statusCodepage->setText(codepage ? QString::fromStdString(codepage->name) : QString());
}

void Glavna::showChosenPlaylist()
{
    showCodepage();
    m_labelFile.clear();
    m_labelChosen.reset();
    if (const std::optional<std::string> chosen = store::chosenPlaylist(*m_db)) {
        m_labelChosen = QString::fromStdString(*chosen);
    }
    showPlaylistLabels();
}

void Glavna::setPlaylistLabel(const QString& file)
{
    m_labelFile = file;
    m_labelChosen.reset();
    showPlaylistLabels();
}

void Glavna::showPlaylistLabels()
{
    const QString name = text(settings::Texts::PlaylistNameLabel);
    const QString file = m_labelChosen.value_or(m_labelFile);
    m_playlistLabel->setText(m_labelChosen
                                 ? "  " + text(settings::Texts::PlaylistLabel) + " : " + file
                                 : "  " + name + "  :  " + file);
    if (!file.isEmpty()) {
        m_statusName->setText("  " + name);
    }
    // The file name after the last separator (Windows and POSIX paths alike).
    m_statusFile->setText(file.mid(std::max(file.lastIndexOf('\\'), file.lastIndexOf('/')) + 1));
}

void Glavna::setTitle()
{
    // Qt adds no program name to it: the program sets no application display name.
    setWindowTitle(QString("Velmora  Listrion   Version %1.%2.%3")
                       .arg(kVersionMajor)
                       .arg(kVersionMinor)
                       .arg(kVersionRevision));
}

QString Glavna::text(const settings::TextKey& key) const
{
    return m_texts ? QString::fromStdString(m_texts->text(key)) : QString();
}

void Glavna::closeEvent(QCloseEvent* event)
{
    shutDown();
    event->accept();
}

void Glavna::shutDown()
{
    if (m_shutDown || !m_db) {
        return;
    }
    m_shutDown = true;
    // A check still waiting for the server is given up: its question would come too late.
    m_updateCheck.reset();
    // Compaction needs the grids' connection closed.
    m_groupGrid->setModel(nullptr);
    m_channelGrid->setModel(nullptr);
    delete m_groups;
    m_groups = nullptr;
    delete m_channels;
    m_channels = nullptr;
    m_checkpoints.reset();
    m_db.reset();
    // As at start, the file is rewritten only when that frees a real share of it: a compact
    // store of hundreds of megabytes is not copied again on every exit.
    if (store::compactionPays(m_folder.dataMdb())) {
        store::Compact_Database(m_folder.dataMdb());
    }
    m_settings.write(settings::Keys::Jezik, settings::Languages::currentFile(m_settings));
    m_settings.write(settings::Keys::Width, static_cast<long long>(width()));
    m_settings.write(settings::Keys::Height, static_cast<long long>(height()));
    removePlaylistFiles(m_folder.path());
}

void Glavna::dragEnterEvent(QDragEnterEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.front().isLocalFile() && m_frame7->isVisible()) {
        event->acceptProposedAction();
    }
}

void Glavna::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) {
        return;
    }
    event->acceptProposedAction();
    openNamedFile(urls.front().toLocalFile());
}

} // namespace listrion::editing
