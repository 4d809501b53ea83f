#pragma once

#include "playlist/LoadResult.h"
#include "playlist/PlaylistOpening.h"

#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QTableView;
class QThread;

namespace listrion::controls {
class Gumb;
class Prompter;
} // namespace listrion::controls
namespace listrion::editing {
class StoreEvents;
}
namespace listrion::settings {
class TextSource;
struct TextKey;
} // namespace listrion::settings
namespace listrion::store {
class Database;
}

namespace listrion::tools {
class GroupTableModel;
}

namespace listrion::tools::ui {

class RunObserver;

// The merge window: the groups of the open playlist beside those of a second playlist, which
// cmdOpen reads into the staging tables on a worker thread (with its progress and a stop
// button) and cmdMerge appends to the open playlist in one transaction. The open playlist is
// not touched before the merge.
class Merge_Playlist : public QWidget {
    Q_OBJECT

public:
    // Runs a long command on the store with a progress window; false when it was cancelled.
    using LongRun = std::function<bool(QWidget* window, const QString& text,
                                       const std::function<void(store::Database&)>& work)>;

    struct Services {
        controls::Prompter& prompter;
        editing::StoreEvents& events;
        // cmdSave: asks whether to keep a numbered copy and makes it.
        std::function<void()> offerBackup = {};
        // cmdLast_undo: the restore window of the numbered copies, modal over `window`.
        std::function<void(QWidget* window)> openRestore = {};
        // The merge; without it the merge runs at once on the window's connection.
        LongRun runLong = {};
    };

    // `options` say how the second playlist is read (region, code page, mode, temp.m3u). The
    // staging tables are emptied. The texts must outlive the window.
    Merge_Playlist(store::Database& db, const settings::TextSource& texts,
                   playlist::OpenOptions options, Services services, QWidget* parent = nullptr);
    ~Merge_Playlist() override;

    bool isReading() const { return m_thread != nullptr; }

signals:
    void closed();
    // A reading of a second playlist has ended and its end has been shown.
    void readingEnded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Building and the commands (Merge_Playlist.cpp).
    void build();
    QWidget* buildGrids();
    QWidget* buildProgress();
    QWidget* buildButtons();
    QString text(const settings::TextKey& key) const;
    void layoutGrids();
    void cmdMerge();
    void cmdChannel_undo2();
    void setCommandsEnabled(bool enabled);

    // Reading the second playlist (Merge_PlaylistRead.cpp).
    void Open_Playlist();
    void startReading(const QString& file);
    void showProgress();
    void readingDone();

    store::Database& m_db;
    const settings::TextSource& m_texts;
    playlist::OpenOptions m_options;
    Services m_services;
    GroupTableModel* m_open = nullptr;
    GroupTableModel* m_second = nullptr;
    std::unique_ptr<RunObserver> m_observer;
    QThread* m_thread = nullptr;
    playlist::LoadResult m_result;
    QTimer m_refresh;
    bool m_closeAfterReading = false;

    QTableView* TDBGrid1 = nullptr;
    QTableView* TDBGrid2 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QWidget* Picture1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* LabelStevec = nullptr;
    QLineEdit* txtIme_Grupe = nullptr;
    QLineEdit* txtIme_Kanala = nullptr;
    controls::Gumb* cmdStop_Find = nullptr;
    QWidget* m_commands = nullptr;
};

} // namespace listrion::tools::ui
