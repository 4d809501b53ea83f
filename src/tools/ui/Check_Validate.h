#pragma once

#include "player/VlcPreviewPlayer.h"
#include "player/ui/VideoSurface.h"
#include "tools/LinkCheckRun.h"
#include "tools/ui/CheckGridModel.h"
#include "tools/ui/CheckProgress.h"

#include <QTimer>
#include <QWidget>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QLabel;
class QProgressBar;
class QTableView;
class QThread;

namespace listrion::controls {
class Gumb;
class Prompter;
} // namespace listrion::controls
namespace listrion::editing {
class StoreEvents;
struct StoreChange;
} // namespace listrion::editing
namespace listrion::settings {
class Settings;
class TextSource;
struct TextKey;
} // namespace listrion::settings
namespace listrion::store {
class Database;
}

namespace listrion::tools::ui {

// The link checker window: tests the link of every channel on a worker thread while it shows
// the progress, ticks the broken channels, lists them when the run is complete and deletes them
// on request; a manual check plays the current row's link in an embedded player. While a run
// goes on only stop, register and exit act.
class Check_Validate : public QWidget {
    Q_OBJECT

public:
    struct Services {
        controls::Prompter& prompter;
        editing::StoreEvents& events;
        player::ui::PlayerFactory makePlayer = player::ui::makeVlcPlayer;
        // cmdSave: asks whether to keep a numbered copy and makes it.
        std::function<void()> offerBackup = {};
        // cmdLast_undo: the restore window of the numbered copies, modal over `window`.
        std::function<void(QWidget* window)> openRestore = {};
        // A channel's own stream options, for the manual check and the run.
        std::function<player::MediaOptions(std::int64_t rowId)> mediaOptions = {};
        // Whether the media player works, with why not (the registration's check).
        std::function<bool(std::string* why)> playerWorks = player::VlcPreviewPlayer::works;
        LinkCheckRunOptions runOptions = {};
    };

    // The texts must outlive the window; the opener keeps them while the window is open.
    Check_Validate(store::Database& db, const settings::TextSource& texts,
                   const settings::Settings& settings, Services services,
                   QWidget* parent = nullptr);
    ~Check_Validate() override;

    // Shows the window and, the first time ever, runs the registration (RegAsm 1).
    void start();
    bool isRunning() const { return m_thread != nullptr; }
    player::PreviewPlayer* previewPlayer() const { return m_player.get(); }

signals:
    void closed();
    // A run has ended and its end has been shown.
    void runEnded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Building (Check_Validate.cpp).
    void build();
    QWidget* buildCounters();
    QWidget* buildManualCheck();
    QWidget* buildCommands();
    void Prevedi();
    QString text(const settings::TextKey& key) const;
    void rowChanged();

    // The run (Check_ValidateRun.cpp).
    void cmdCheck();
    void cmdStop();
    void showProgress();
    void endRun(bool tell);
    void setCommandsEnabled(bool enabled);

    // The other commands (Check_ValidateCommands.cpp).
    void cmdDelete_broken();
    void moveRow(int step);
    void cmdPlay();
    void cmdStop_playing();
    void cmdRegister_dll();
    void registration(bool tell);
    void cmdSave();
    void cmdChannel_undo2();
    void cmdLast_undo();
    void showListing(CheckGridModel::Listing listing);
    void publish(const editing::StoreChange& change);
    void storeChanged(const editing::StoreChange& change);

    store::Database& m_db;
    const settings::TextSource& m_texts;
    const settings::Settings& m_settings;
    Services m_services;
    CheckGridModel* m_grid = nullptr;
    std::unique_ptr<player::PreviewPlayer> m_player;
    std::unique_ptr<CheckProgress> m_progress;
    QThread* m_thread = nullptr;
    LinkCheckResult m_result;
    QTimer m_refresh;     // counters, from the worker's latest
    QTimer m_gridRefresh; // the ticks written so far
    bool m_publishing = false;

    QTableView* TDBGrid1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* lblProcenti = nullptr;
    QLabel* lblStart = nullptr;
    QLabel* lblEnd = nullptr;
    QLabel* lblBroken = nullptr;
    QLabel* lblWorked = nullptr;
    QLabel* lblStartCaption = nullptr;
    QLabel* lblEndCaption = nullptr;
    QLabel* lblBrokenCaption = nullptr;
    QLabel* lblWorkedCaption = nullptr;
    QLabel* lblStatus = nullptr;
    QWidget* Frame1 = nullptr; // the commands a run turns off
    QWidget* Frame3 = nullptr; // the manual check
    player::ui::VideoSurface* VLCPlugin21 = nullptr;
    controls::Gumb* cmdCheck_ = nullptr;
    controls::Gumb* cmdStop_ = nullptr;
    controls::Gumb* cmdDelete_broken_ = nullptr;
    controls::Gumb* cmd_Naz_G = nullptr;
    controls::Gumb* cmdNap_G = nullptr;
    controls::Gumb* cmdPlay_ = nullptr;
    controls::Gumb* cmdStop_playing_ = nullptr;
    controls::Gumb* cmdRegister_dll_ = nullptr;
    controls::Gumb* cmdSave_ = nullptr;
    controls::Gumb* cmdChannel_undo2_ = nullptr;
    controls::Gumb* cmdLast_undo_ = nullptr;
    controls::Gumb* cmdIzlaz = nullptr;
};

} // namespace listrion::tools::ui
