#pragma once

#include "player/PreviewPlayer.h"
#include "player/ui/VideoSurface.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;

namespace listrion::controls {
class Gumb;
class Prompter;
} // namespace listrion::controls
namespace listrion::editing {
class ChannelGridModel;
class StoreEvents;
struct StoreChange;
} // namespace listrion::editing
namespace listrion::settings {
class TextSource;
}
namespace listrion::store {
class Database;
}

namespace listrion::player::ui {

// The stream player window: the channels of one group beside the preview; the current channel
// plays, and moving to another row plays that one. Deleting a channel here publishes the change;
// closing the window tells its opener (closed()).
class Player : public QWidget {
    Q_OBJECT

public:
    struct Services {
        controls::Prompter& prompter;
        editing::StoreEvents& events;
        PlayerFactory makePlayer = makeVlcPlayer;
        // The channel's own stream options (user agent, referrer), when it keeps any.
        std::function<MediaOptions(std::int64_t rowId)> mediaOptions = {};
    };

    // The texts are read while the window is built.
    Player(store::Database& db, const settings::TextSource& texts, Services services,
           QWidget* parent = nullptr);
    ~Player() override;

    // Shows the channels of `group` and makes the channel with that row id current, which plays
    // it (the first channel when it is not among them).
    void showChannels(const std::string& group, std::int64_t rowId);

    PreviewPlayer* previewPlayer() const { return m_player.get(); }

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void build(const settings::TextSource& texts);
    QWidget* buildButtons();
    void Napuni_Kombo_Group();
    void groupChosen(int index);
    void rowChanged(int row);
    void playCurrent();
    void moveTo(int row);
    void cmdChannel_delete();
    void storeChanged(const editing::StoreChange& change);
    void selectRow(int row);
    std::string shownGroup() const;

    store::Database& m_db;
    Services m_services;
    editing::ChannelGridModel* m_channels = nullptr;
    std::unique_ptr<PreviewPlayer> m_player;
    bool m_quiet = false; // a re-read that keeps the current channel does not play it again

    QComboBox* ComboGroup = nullptr;
    QTableView* TDBGrid1 = nullptr;
    VideoSurface* VLCPlugin21 = nullptr;
    controls::Gumb* cmdPlay = nullptr;
    controls::Gumb* cmdZac_P = nullptr;
    controls::Gumb* cmdNaz_P = nullptr;
    controls::Gumb* cmdNap_P = nullptr;
    controls::Gumb* cmdKonec_P = nullptr;
    controls::Gumb* cmdChannel_delete_ = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLabel* lblStatus = nullptr;
};

} // namespace listrion::player::ui
