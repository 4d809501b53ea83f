#include "editing/ui/Glavna.h"

#include "controls/Gumb.h"
#include "controls/QtTranslations.h"
#include "editing/PlaylistCommands.h"
#include "editing/ui/ChannelGridPart.h"
#include "editing/ui/GroupGridPart.h"
#include "editing/ui/HistoryMenu.h"
#include "settings/Languages.h"
#include "settings/TextCatalogue.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QTableView>

namespace listrion::editing {

QAction* Glavna::addCommand(QMenu* menu, const char* name, settings::TextKey caption,
                            void (Glavna::*slot)())
{
    QAction* action = keyed(menu->addAction(QString()), caption);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, slot);
    return action;
}

void Glavna::buildMenus()
{
    using namespace settings::Texts;
    QMenuBar* bar = menuBar();
    auto menu = [&](const char* name, settings::TextKey caption) {
        QMenu* m = keyed(bar->addMenu(QString()), caption);
        m->setObjectName(name);
        m_commandMenus << m;
        return m;
    };
    QMenu* file = menu("mnuFile", MenuFile);
    addCommand(file, "mnuOpen_playlist", OpenPlaylistEntry, &Glavna::Open_Playlist)
        ->setShortcut(QKeySequence::Open);
    addCommand(file, "mnuOpen_URL", OpenAddressEntry, &Glavna::Open_URL);
    m_recentMenu = keyed(file->addMenu(QString()), RecentPlaylistsMenu);
    m_recentMenu->setObjectName("mnuRecent");
    addCommand(file, "mnuNew_playlist", NewPlaylistEntry, &Glavna::newPlaylist)
        ->setShortcut(QKeySequence::New);
    QAction* save = keyed(file->addAction(QString()), SavePlaylistEntry);
    save->setObjectName("mnuSave_playlist");
    save->setShortcut(QKeySequence::Save);
    connect(save, &QAction::triggered, this, &Glavna::saveCommand);
    QMenu* convert = keyed(file->addMenu(QString()), ConvertPlaylistMenu);
    convert->setObjectName("mnuConvert");
    file->addSeparator();
    addCommand(file, "mnuClose_playlist", ClosePlaylistEntry, &Glavna::closePlaylist);
    addCommand(file, "mnuReload_playlist", RenumberPlaylistEntry, &Glavna::Reload_Playlist);
    file->addSeparator();
    QAction* exit = keyed(file->addAction(QString()), ExitEntry);
    exit->setObjectName("mnuIzhod");
    exit->setShortcut(QKeySequence::Quit);
    connect(exit, &QAction::triggered, this, [this] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window != this && window->isVisible()) {
                window->close();
            }
        }
        close();
    });

    QMenu* edit = menu("mnuEdit", MenuEdit);
    m_history = new ui::HistoryMenu(
        edit, this, [this] { return m_db ? &*m_db : nullptr; }, m_events, m_services.prompter);

    QMenu* groups = menu("mnuGroups", MenuGroups);
    m_groupPopup = new QMenu(this);
    m_groupPopup->setObjectName("mnuGroups2");
    m_groupGrid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_groupGrid, &QWidget::customContextMenuRequested, this,
            [this](QPoint at) { m_groupPopup->popup(m_groupGrid->viewport()->mapToGlobal(at)); });
    buildGroupCommands(groups, m_groupGrid->parentWidget());
    groups->addSeparator();
    addCommand(groups, "mnuPopravi_Group_Type", RepairGroupTypesEntry, &Glavna::Popravi_Group_Type);
    buildExportMenus(convert, groups);

    QMenu* channels = menu("mnuChannels", MenuChannels);
    buildChannelCommands(channels, m_channelGrid->parentWidget());

    QMenu* extra = menu("mnuExtra", MenuExtra);
    addCommand(extra, "mnuRestore_Orginal", UndoAllEntry, &Glavna::undo);
    buildSettingsEntries(extra);
    for (auto [name, caption] : {std::pair{"mnuTools", MenuTools}, std::pair{"mnuLogo", MenuLogo},
                                 std::pair{"mnuHelp", MenuHelp}}) {
        menu(name, caption)->menuAction()->setVisible(false);
    }
    m_languageMenu = menu("mnuLanguage", MenuLanguage);
    buildLanguageMenu();

    addButton(m_frame7, "cmdOpen", OpenButton);
    addButton(m_frame7, "cmdOpenURL", OpenAddressButton);
    addButton(m_frame7, "cmdNew", NewButton);
    addButton(m_frame7, "cmdSave", SaveButton);
    addButton(m_frame8, "cmdChannel_undo2", UndoEntry);
    addButton(m_frame8, "cmdSave2", BackupButton);
    addButton(m_frame8, "cmdLast_undo", RestoreBackupButton);
    auto wire = [this](const char* name, void (Glavna::*slot)()) {
        connect(findChild<controls::Gumb*>(name), &QAbstractButton::clicked, this, slot);
    };
    wire("cmdOpen", &Glavna::Open_Playlist);
    wire("cmdSave", &Glavna::saveCommand);
    wire("cmdOpenURL", &Glavna::Open_URL);
    wire("cmdNew", &Glavna::newPlaylist);
    wire("cmdChannel_undo2", &Glavna::undo);
    wire("cmdSave2", &Glavna::cmdSave2);
    wire("cmdLast_undo", &Glavna::cmdLast_undo);
    buildToolEntries();
    buildSearchAndMergeEntries();
    buildEpgEntries();
    buildArchiveEntries();
    buildRestructuringEntry();
    buildDesktopEntries();
}

void Glavna::buildLanguageMenu()
{
    // Kreiraj_Meni_Jezik: the thirteen entries, replacing any made before.
    m_languageMenu->clear();
    for (const settings::Language& language : settings::Languages::all()) {
        QAction* entry = m_languageMenu->addAction(
            QString::fromUtf8(language.caption.data(), language.caption.size()));
        entry->setObjectName("mnuSelectLanguage");
        entry->setCheckable(true);
        entry->setData(language.position);
        const int position = language.position;
        connect(entry, &QAction::triggered, this, [this, position] { chooseLanguage(position); });
    }
}

void Glavna::markLanguage(int position)
{
    for (QAction* entry : m_languageMenu->actions()) {
        entry->setChecked(entry->data().toInt() == position);
    }
}

void Glavna::chooseLanguage(int position)
{
    markLanguage(position);
    if (settings::Languages::choose(m_settings, position) == nullptr) {
        return;
    }
    Prevedi();
}

void Glavna::Isklopi_Sve()
{
    m_frame7->hide();
    m_frame8->hide();
    for (QMenu* menu : m_commandMenus) {
        menu->setEnabled(false);
    }
}

void Glavna::Uklopi_Sve()
{
    m_frame5->show();
    m_frame7->show();
    m_frame8->show();
    for (QMenu* menu : m_commandMenus) {
        menu->setEnabled(true);
    }
}

void Glavna::Kreiraj_Meni()
{
    m_groupMenuNames.clear();
    for (const std::string& name : groupNamesInGridOrder(*m_db)) {
        m_groupMenuNames << QString::fromStdString(name);
    }
    // A playlist has thousands of groups: four submenus of that many entries are made only
    // when one is opened.
    m_staleGroupSubmenus = m_groupSubmenus;
}

void Glavna::fillGroupSubmenu(QMenu* sub)
{
    if (!m_staleGroupSubmenus.removeOne(sub)) {
        return;
    }
    const QList<QAction*> entries = sub->actions();
    // From the highest index down to 1; entry 0 stays.
    for (qsizetype i = entries.size() - 1; i >= 1; --i) {
        sub->removeAction(entries[i]);
        delete entries[i];
    }
    const QString which = sub->objectName();
    for (const QString& name : m_groupMenuNames) {
        QAction* entry = sub->addAction(name);
        if (which.startsWith("mnuxxxCopy")) {
            connect(entry, &QAction::triggered, m_channelPart,
                    [this, name] { m_channelPart->copyToGroup(name); });
        } else {
            const bool wholeTable = which == "mnuxxx2";
            connect(entry, &QAction::triggered, m_channelPart,
                    [this, name, wholeTable] { m_channelPart->moveToGroup(name, wholeTable); });
        }
    }
}

void Glavna::Prevedi()
{
    m_texts = std::make_unique<settings::CurrentTexts>(m_settings, m_folder);
    const settings::Language* language =
        settings::Languages::byFile(settings::Languages::currentFile(m_settings));
    controls::useQtTranslations(language != nullptr ? language->qtLocale : "en");
    m_services.prompter.setButtonTexts({text(settings::Texts::YesButton),
                                        text(settings::Texts::NoButton),
                                        text(settings::Texts::OkButton)});
    m_captions.apply(*m_texts);
    m_history->setCaptions(text(settings::Texts::UndoEntry), text(settings::Texts::RedoEntry));
    showPlaylistLabels();
    m_groupPart->setCaptions();
    m_channelPart->setCaptions();
    applyGroupColumns();
    applyChannelColumns();
    groupGridLayout();
    channelGridLayout();
}

} // namespace listrion::editing
