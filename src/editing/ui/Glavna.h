#pragma once

#include "controls/Prompter.h"
#include "editing/StoreEvents.h"
#include "editing/ui/KeyedCaptions.h"
#include "playlist/ExportFormat.h"
#include "playlist/HttpClient.h"
#include "playlist/LoadResult.h"
#include "playlist/PlaylistOpening.h"
#include "settings/LanguageFile.h"
#include "settings/ProgramFolder.h"
#include "settings/Settings.h"
#include "settings/SettingsEvents.h"
#include "store/CheckpointThread.h"
#include "store/Database.h"
#include "store/FolderLock.h"

#include <QMainWindow>
#include <QStringList>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QLabel;
class QMenu;
class QTableView;
class QUrl;

namespace listrion::controls {
class Gumb;
}
namespace listrion::player {
class PreviewPlayer;
}
namespace listrion::tools {
class UpdateCheck;
}

namespace listrion::editing {
namespace ui {
struct EditingContext;
class ChannelGridPart;
class GroupGridPart;
class HistoryMenu;
} // namespace ui

class ChannelGridModel;
class GroupGridModel;
class WaitPanel;

// The main window: the group grid TDBGrid2 and the channel grid TDBGrid1 over data.mdb, the
// menus and buttons of the commands that replace, clear, save or restore the whole playlist,
// the wait panel of long runs and the switching of all commands off and on around them.
class Glavna : public QMainWindow {
    Q_OBJECT

public:
    struct Services {
        controls::Prompter& prompter;
        playlist::HttpClient& http;               // downloads playlist addresses
        std::function<void(const QUrl&)> openUrl; // the desktop's default handler
        // The preview player of the player and link-checker windows, and whether it works
        // (with why not); libVLC when empty.
        std::function<std::unique_ptr<player::PreviewPlayer>(QWidget* surface)> makePlayer = {};
        std::function<bool(std::string* why)> playerWorks = {};
        // How long the start waits for another program that changes the same program folder.
        std::chrono::milliseconds lockWait = store::FolderLock::kDefaultWait;
        // The version file of the start-up update check (settings::kVersionFileUrl in the
        // editor); empty: no check.
        std::string versionFileUrl = {};
    };

    // A program to start once this one has ended and let go of the program folder: this
    // program again, or another version of it.
    struct NextProgram {
        QString program;
        QStringList arguments;
    };

    Glavna(settings::ProgramFolder folder, Services services, QWidget* parent = nullptr);
    ~Glavna() override;

    // The start-up sequence: the folder lock, compaction, Settings.ini defaults, language,
    // menus, grids, title. False, after telling the user, when another Listrion window or
    // command changes the same program folder, or the store is read-only: the window then
    // holds nothing and is not to be shown.
    bool start();

    // Disable all / enable all around a long run.
    void Isklopi_Sve();
    void Uklopi_Sve();
    // Rebuilds the move-to-group and copy-to-group submenus from the group rows. The names are
    // read at once; each submenu makes its entries when it is next about to show.
    void Kreiraj_Meni();
    // Assigns every caption of the window from the language in use.
    void Prevedi();
    void Popravi_Group_Type();
    void Reload_Playlist();
    // The save command: asks for the file, writes it; false when nothing was saved.
    bool Save_Playlist();
    // One of the set-top-box exports or the EPG listing: guard, save dialog, overwrite
    // question, the file written under the wait panel, the closing message.
    void exportTo(playlist::ExportFormat format);
    // mnuExport: the group grid shows its tick column and offers the ticked-groups export.
    void enterGroupSelection();
    // mnuExport_Groups: asks for a tick, then writes the ticked groups as a playlist.
    void exportTickedGroups();
    void Open_Playlist();
    void Open_URL();
    // Opens a file as Open_Playlist does after its dialog.
    void openPlaylistFile(const QString& path);
    // A file dropped on the window or named on the command line: the save question, then the
    // file is opened.
    void openNamedFile(const QString& path);
    void newPlaylist();
    void closePlaylist();
    void undo();
    // Re-reads both grids from the store (after any command that changed rows).
    void refreshGrids();
    void groupGridLayout();
    void channelGridLayout();

    WaitPanel& waitPanel() const { return *m_wait; }
    const settings::Settings& settings() const { return m_settings; }
    const settings::ProgramFolder& folder() const { return m_folder; }
    // The change notices of this window and of every window it opens.
    StoreEvents& events() { return m_events; }
    // The current group grid row's group name; empty without a row.
    std::string currentGroup() const;
    // What the dialogs and editor windows opened from here work with; valid while the language
    // stays the same (a dialog's lifetime).
    ui::EditingContext context();
    // The group commands of the group grid, its buttons and menus.
    ui::GroupGridPart& groupCommands() const { return *m_groupPart; }
    void openGroupEditor();
    // The channel commands of the channel grid, its buttons and menus.
    ui::ChannelGridPart& channelCommands() const { return *m_channelPart; }
    void openChannelEditor();
    // Opens the stream player on a channel, over `over` (this window or a modal editor).
    void playChannel(QWidget* over, const std::string& group, std::int64_t rowId);
    // Gives a tool window an Edit menu with the undo and redo of single steps.
    void attachHistoryMenu(QWidget* window);
    // Changes of the grid fonts and columns in Settings.ini.
    settings::SettingsEvents& settingsEvents() { return m_settingsEvents; }
    // Asks for this program to be started again with the same program folder and closes the
    // window, which ends this one.
    void RestartPrograma();
    // What is to be started when this program has ended; nothing unless asked.
    const std::optional<NextProgram>& nextProgram() const { return m_next; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // A button among those above a grid, after the button `after` (or first in the pane).
    static controls::Gumb* buttonAfter(QWidget* pane, const char* after, const char* name,
                                       const QString& caption);
    // The numbered-copy windows the tool windows are given: the backup question, and the
    // restore window over `over`, whose restore tells every window.
    void offerBackup();
    void openRestore(QWidget* over);
    void buildWidgets();
    void buildMenus();
    // The stream player's and the link checker's entries (cmdPlay, mnuPlayChannel,
    // mnuPlayChannel2, mnuCheck_broken_channels); the start-up check of the media player.
    void buildToolEntries();
    void checkMediaPlayer();
    // mnuSelect_font, mnuSelect_rows and the program variants mnuSystem1..3 in the Extra menu.
    void buildSettingsEntries(QMenu* extra);
    // Checks the variant entry of System 1.
    void Oznaci_System(int entry);
    void startVariant(int entry);
    // mnuCheckUpdates in the Help menu, checked as Updates 1 says.
    void buildUpdateEntries(bool checkAtStart);
    // Provjeri_Novu_Verziju: the update check on a worker thread; a newer version is offered
    // on this window's thread when the answer arrives.
    void startUpdateCheck();
    // The Help entries of the user guide, the product pages and the installation for this user.
    void buildDesktopEntries();
    void openUserGuide();
    void openVersionPage();
    void openHomePage();
    // mnuCopy_to_my_documents: the program, its data and its launchers under ~/.local.
    void installForUser();
    // File > Recent playlists: the files and addresses opened last, from Settings.ini.
    void refreshRecentMenu();
    void rememberOpened(const QString& source, bool isAddress);
    // Opens an entry as Open_Playlist or Open_URL would; a file gone is taken off the list.
    void openRecent(const QString& entry);
    void offerNewVersion(const std::string& version);
    QAction* addCommand(QMenu* menu, const char* name, settings::TextKey caption,
                        void (Glavna::*slot)());
    controls::Gumb* addButton(QWidget* frame, const char* name, settings::TextKey caption);
    // Registers the caption of a menu, an entry or a button to be set from the language file.
    template <typename T> T* keyed(T* object, settings::TextKey key)
    {
        return m_captions.add(object, key);
    }
    void buildExportMenus(QMenu* convert, QMenu* groups);
    void buildGroupCommands(QMenu* groups, QWidget* groupPane);
    void buildChannelCommands(QMenu* channels, QWidget* channelPane);
    void buildChannelEntries(QMenu* menu, bool popup);
    // The Logo menu: the EPG and logo archive commands and the EPG address.
    void buildArchiveEntries();
    // Import_EPG, mnuSave_EPG_settings_to_archive, Import_Logo, mnuExport_logos_to_archive and
    // Zapisi_EPG_Url; each runs off the window thread as one transaction.
    void Import_EPG();
    void saveEpgArchive();
    void Import_Logo();
    void saveLogoArchive();
    void Zapisi_EPG_Url();
    // True when logo.mdb can be used, after offering to replace a missing or damaged one with
    // the delivered copy.
    bool archiveReady();
    // Runs an archive command under the progress window (as the history step `step` unless it
    // is empty); false when it was cancelled or failed (after telling the user).
    bool runArchiveCommand(const QString& caption, const std::string& step,
                           const std::function<void(store::Database&)>& work);
    // The search, merge and explorer entries (cmdChannel_find, mnuSearch_channel, cmdMerge,
    // mnuMerge_playlist, cmdChannel_Explorer, mnuChannel_Explorer).
    void buildSearchAndMergeEntries();
    // mnuAdd_epg_url in the Logo menu: the EPG id window on the current group.
    void buildEpgEntries();
    // mnuRegional_restructuring in the Tools menu; the regional restructuring window in place
    // of this one (also opened from the channel editor).
    void buildRestructuringEntry();
    void openRestructuring();
    // The tick column shows while groups are chosen for export or in a group ticking mode.
    bool groupTicksShown() const;
    int currentGroupRow() const;
    void selectChannelRow(int row);
    bool eventFilter(QObject* watched, QEvent* event) override;
    void leaveGroupSelection();
    // Save_Playlist and Export_Groups: dialog, question, the writer under the wait panel.
    bool writePlaylist(bool tickedGroupsOnly);
    void buildLanguageMenu();
    void fillGroupSubmenu(QMenu* sub);
    void chooseLanguage(int position);
    void markLanguage(int position);
    void setupGrids();
    void applyGroupColumns();
    void applyChannelColumns();
    void groupRowChanged(int row);
    void headingClicked(int column);
    void showChosenPlaylist();
    void showCodepage();
    void setTitle();
    void setPlaylistLabel(const QString& file);
    // The playlist labels of the window and the status bar, in the language in use.
    void showPlaylistLabels();
    QString text(const settings::TextKey& key) const;
    bool offerToSave();
    // Reads a file or an address in the loading window, then re-reads the grids.
    void runLoading(const QString& source, bool address = false);
    playlist::OpenOptions openOptions() const;
    void selectGroupRow(int row);
    void shutDown();
    void saveCommand();
    void cmdSave2();
    void cmdLast_undo();
    // Re-reads what a change touched, keeping the current rows.
    void storeChanged(const StoreChange& change);

    settings::ProgramFolder m_folder;
    settings::Settings m_settings;
    Services m_services;
    StoreEvents m_events;
    settings::SettingsEvents m_settingsEvents;
    std::optional<NextProgram> m_next;
    std::unique_ptr<settings::CurrentTexts> m_texts;
    // Held from start() until the window is destroyed, after the store's last connection.
    store::FolderLock m_lock;
    std::optional<store::Database> m_db;
    // Commands commit without waiting for the disk; the log is copied on a thread of its own.
    std::optional<store::DeferredCheckpoints> m_checkpoints;
    GroupGridModel* m_groups = nullptr;
    ChannelGridModel* m_channels = nullptr;
    QTableView* m_groupGrid = nullptr;
    QTableView* m_channelGrid = nullptr;
    QLabel* m_groupCaption = nullptr;
    QLabel* m_channelCaption = nullptr;
    QLabel* m_totalChannels = nullptr;
    QLabel* m_playlistLabel = nullptr;
    QLabel* m_statusName = nullptr;
    QLabel* m_statusFile = nullptr;
    QLabel* m_statusCodepage = nullptr; // the code page the playlist was read with
    // What the playlist labels show: a file or address being opened, else the chosen playlist.
    QString m_labelFile;
    std::optional<QString> m_labelChosen;
    WaitPanel* m_wait = nullptr;
    QWidget* m_frame5 = nullptr;
    QWidget* m_frame7 = nullptr;
    QWidget* m_frame8 = nullptr;
    QList<QMenu*> m_commandMenus;
    ui::KeyedCaptions m_captions;
    QList<QMenu*> m_groupSubmenus; // mnuxxx, mnuxxx2, mnuxxxCopy, mnuxxxCopy2
    QStringList m_groupMenuNames;
    QList<QMenu*> m_staleGroupSubmenus; // not yet showing m_groupMenuNames
    QMenu* m_languageMenu = nullptr;
    QMenu* m_recentMenu = nullptr;   // mnuRecent
    QList<QAction*> m_selectEntries; // mnuExport, mnuExport2
    QList<QAction*> m_exportEntries; // mnuExport_Groups, mnuExport_Groups2
    QString m_lastDialogName;        // the name the export dialog last held
    bool m_selectingGroups = false;
    QMenu* m_groupPopup = nullptr; // mnuGroups2, the group grid's pop-up menu
    ui::GroupGridPart* m_groupPart = nullptr;
    QMenu* m_channelPopup = nullptr; // mnuChannels2, the channel grid's pop-up menu
    ui::ChannelGridPart* m_channelPart = nullptr;
    ui::HistoryMenu* m_history = nullptr; // Edit: undo and redo of single steps
    std::function<std::unique_ptr<player::PreviewPlayer>(QWidget*)> m_playerFactory;
    bool m_shutDown = false;
    std::int64_t m_logosImported = 0; // by Import_Logo, over the whole program run
    // Destroyed before the window's QObject, so its thread never posts to a dead window.
    std::unique_ptr<tools::UpdateCheck> m_updateCheck;
};

} // namespace listrion::editing
