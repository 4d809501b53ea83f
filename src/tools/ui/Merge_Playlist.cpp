#include "tools/ui/Merge_Playlist.h"

#include "controls/AutoResize.h"
#include "controls/GridLook.h"
#include "controls/Gumb.h"
#include "controls/Prompter.h"
#include "editing/PlaylistCommands.h"
#include "editing/StoreEvents.h"
#include "settings/TextCatalogue.h"
#include "store/Database.h"
#include "store/History.h"
#include "store/UndoSnapshot.h"
#include "tools/GroupTableModel.h"
#include "tools/PlaylistMerge.h"
#include "tools/SecondPlaylist.h"
#include "tools/ui/RunObserver.h"
#include "tools/ui/WindowUndo.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QVBoxLayout>

#include <exception>

namespace listrion::tools::ui {

Merge_Playlist::Merge_Playlist(store::Database& db, const settings::TextSource& texts,
                               playlist::OpenOptions options, Services services, QWidget* parent)
    : QWidget(parent, Qt::Window), m_db(db), m_texts(texts), m_options(std::move(options)),
      m_services(std::move(services))
{
    setObjectName("Merge_Playlist");
    new controls::AutoResize(this);
    setWindowTitle("Merge playlists");
    try {
        emptyStaging(db);
    } catch (const std::exception& error) {
        m_services.prompter.message(QString::fromUtf8(error.what()));
    }
    m_open = new GroupTableModel(db, GroupTableModel::Table::Open, this);
    m_second = new GroupTableModel(db, GroupTableModel::Table::Second, this);
    build();
    m_open->reload();
    m_second->reload();
    layoutGrids();
    connect(&m_services.events, &editing::StoreEvents::changed, this, [this] {
        m_open->reload();
        m_second->reload();
    });
    resize(1100, 700);
}

QString Merge_Playlist::text(const settings::TextKey& key) const
{
    return QString::fromStdString(m_texts.text(key));
}

void Merge_Playlist::build()
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildGrids(), 1);
    layout->addWidget(buildProgress());
    txtIme_Grupe = new QLineEdit(this);
    txtIme_Grupe->setObjectName("txtIme_Grupe");
    txtIme_Kanala = new QLineEdit(this);
    txtIme_Kanala->setObjectName("txtIme_Kanala");
    for (QLineEdit* line : {txtIme_Grupe, txtIme_Kanala}) {
        line->setReadOnly(true);
        line->setFrame(false);
        layout->addWidget(line);
    }
    layout->addWidget(buildButtons());
}

QWidget* Merge_Playlist::buildGrids()
{
    auto* grids = new QWidget(this);
    auto* layout = new QGridLayout(grids);
    layout->setContentsMargins(0, 0, 0, 0);
    Label2 = new QLabel("PLAYLIST  1 ( loaded playlist )", grids);
    Label2->setObjectName("Label2");
    Label3 = new QLabel("Select second playlist", grids);
    Label3->setObjectName("Label3");
    TDBGrid1 = new QTableView(grids);
    TDBGrid1->setObjectName("TDBGrid1");
    TDBGrid1->setModel(m_open);
    TDBGrid2 = new QTableView(grids);
    TDBGrid2->setObjectName("TDBGrid2");
    TDBGrid2->setModel(m_second);
    layout->addWidget(Label2, 0, 0);
    layout->addWidget(Label3, 0, 1);
    layout->addWidget(TDBGrid1, 1, 0);
    layout->addWidget(TDBGrid2, 1, 1);
    for (QTableView* grid : {TDBGrid1, TDBGrid2}) {
        controls::prepareGrid(grid);
    }
    return grids;
}

QWidget* Merge_Playlist::buildProgress()
{
    Picture1 = new QWidget(this);
    Picture1->setObjectName("Picture1");
    auto* layout = new QHBoxLayout(Picture1);
    Label1 = new QLabel("Please wait. Playlist is loading...", Picture1);
    Label1->setObjectName("Label1");
    LabelStevec = new QLabel("0", Picture1);
    LabelStevec->setObjectName("LabelStevec");
    cmdStop_Find = new controls::Gumb("Stop", Picture1);
    cmdStop_Find->setObjectName("cmdStop_Find");
    cmdStop_Find->setMinimumSize(90, 28);
    layout->addWidget(Label1, 1);
    layout->addWidget(LabelStevec);
    layout->addWidget(cmdStop_Find);
    Picture1->hide();
    return Picture1;
}

QWidget* Merge_Playlist::buildButtons()
{
    m_commands = new QWidget(this);
    auto* layout = new QHBoxLayout(m_commands);
    layout->setContentsMargins(0, 0, 0, 0);
    auto button = [&](const char* name, const char* caption) {
        auto* gumb = new controls::Gumb(caption, m_commands);
        gumb->setObjectName(name);
        gumb->setMinimumSize(110, 30);
        layout->addWidget(gumb);
        return gumb;
    };
    connect(button("cmdOpen", "Open second playlist"), &QAbstractButton::clicked, this,
            &Merge_Playlist::Open_Playlist);
    connect(button("cmdMerge", "Merge"), &QAbstractButton::clicked, this,
            &Merge_Playlist::cmdMerge);
    layout->addStretch(1);
    connect(button("cmdSave", "Backup"), &QAbstractButton::clicked, this, [this] {
        if (m_services.offerBackup) {
            m_services.offerBackup();
        }
    });
    connect(button("cmdChannel_undo2", "Undo"), &QAbstractButton::clicked, this,
            &Merge_Playlist::cmdChannel_undo2);
    connect(button("cmdLast_undo", "Restore backup"), &QAbstractButton::clicked, this, [this] {
        if (m_services.openRestore) {
            m_services.openRestore(this);
        }
    });
    connect(button("cmdIzlaz", "Exit"), &QAbstractButton::clicked, this, &QWidget::close);
    return m_commands;
}

void Merge_Playlist::layoutGrids()
{
    for (QTableView* grid : {TDBGrid1, TDBGrid2}) {
        grid->setColumnWidth(0, 50);
        grid->setColumnWidth(1, 230);
        grid->setColumnWidth(2, 60);
        grid->setColumnWidth(3, 70);
        grid->setColumnWidth(4, 60);
    }
}

void Merge_Playlist::setCommandsEnabled(bool enabled)
{
    m_commands->setEnabled(enabled);
}

// Merge_Playlist: only when a second playlist has been read; the window closes afterwards.
void Merge_Playlist::cmdMerge()
{
    if (m_second->rowCount() == 0) {
        return;
    }
    MergeResult merged;
    const auto work = [&merged](store::Database& db) {
        const store::StepName step(db, "Merge the second playlist");
        merged = mergeSecondPlaylist(db);
    };
    try {
        if (m_services.runLong) {
            if (!m_services.runLong(this, "Please wait. Playlists are merging...", work)) {
                return; // cancelled: the merge was undone whole
            }
        } else {
            work(m_db);
        }
    } catch (const std::exception& error) {
        m_services.prompter.message(QString::fromUtf8(error.what()));
        return;
    }
    editing::StoreChange change;
    change.parts = editing::StoreChange::GroupNames | editing::StoreChange::GroupRows |
                   editing::StoreChange::ChannelRows;
    m_services.events.publish(change);
    m_services.prompter.message(text(settings::Texts::PlaylistsMerged));
    close();
}

void Merge_Playlist::cmdChannel_undo2()
{
    if (!undoAllFromWindow(m_db, m_services.prompter, m_texts)) {
        return;
    }
    editing::StoreChange change;
    change.parts = editing::StoreChange::Playlist;
    m_services.events.publish(change);
    m_services.prompter.message(text(settings::Texts::UndoDone));
}

} // namespace listrion::tools::ui
