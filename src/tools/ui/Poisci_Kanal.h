#pragma once

#include <QWidget>

#include <cstdint>
#include <functional>
#include <string>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QTableView;

namespace listrion::controls {
class Gumb;
class Prompter;
} // namespace listrion::controls
namespace listrion::editing {
class StoreEvents;
struct ChannelSelection;
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

namespace listrion::tools {
class SearchGridModel;
class SearchRunner;
} // namespace listrion::tools

namespace listrion::tools::ui {

// The channel search window: every keystroke in txtNajdi searches the channel names of the
// whole playlist (off the window thread; a newer keystroke stops an older search), and the hits
// can be moved or copied to another group one at a time or ticked, previewed, and the playlist
// backed up or brought back. Opens on every channel by name.
class Poisci_Kanal : public QWidget {
    Q_OBJECT

public:
    struct Services {
        controls::Prompter& prompter;
        editing::StoreEvents& events;
        // cmdSave: asks whether to keep a numbered copy and makes it.
        std::function<void()> offerBackup = {};
        // cmdLast_undo: the restore window of the numbered copies, modal over `window`.
        std::function<void(QWidget* window)> openRestore = {};
        // cmdPlay: previews the channel of that row id; without it the button stays hidden.
        std::function<void(std::int64_t rowId)> play = {};
    };

    // The texts must outlive the window.
    Poisci_Kanal(store::Database& db, const settings::TextSource& texts,
                 const settings::Settings& settings, Services services, QWidget* parent = nullptr);
    ~Poisci_Kanal() override;

    // True while a search or the reading after a change has not been answered.
    bool searching() const;

signals:
    void closed();
    // The grid shows the answer to the newest search.
    void listShown();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Building and the list (Poisci_Kanal.cpp).
    void build();
    QWidget* buildButtons();
    void buildMenu();
    void Nastavitve_Grida();
    QString text(const settings::TextKey& key) const;
    void txtNajdi_changed();
    void sortAllByName();
    void showList(const std::vector<std::int64_t>& ids);
    void rowChanged(int row);
    void storeChanged(const editing::StoreChange& change);
    void publish(unsigned parts, bool ticksOnly = false);
    int rows() const;
    int currentRow() const;
    void selectRow(int row);

    // The commands (Poisci_KanalCommands.cpp).
    void Kreiraj_Meni(QMenu* sub, bool copy);
    void moveToGroup(const QString& target);
    void copyToGroup(const QString& target);
    void enterMultiselect();
    void leaveMultiselect();
    void showTicks(bool shown);
    void selectAll();
    void clickedCell(int row, int column);
    void cmdPlay();
    void cmdChannel_undo2();
    // Runs a store command; false after telling the user why it failed.
    bool run(const std::string& step, const std::function<void(store::Database&)>& command);
    std::string stepName(const char* verb, const editing::ChannelSelection& which, int row,
                         const QString& target) const;

    store::Database& m_db;
    const settings::TextSource& m_texts;
    const settings::Settings& m_settings;
    Services m_services;
    SearchGridModel* m_model = nullptr;
    SearchRunner* m_runner = nullptr;
    bool m_byName = true;      // the list shows every channel by name
    bool m_ticksShown = false; // multi-select mode
    bool m_ticking = false;    // a notice about ticks alone is on its way
    int m_rowAfterAnswer = 0;  // the row to make current when the next answer arrives

    QLabel* lblIsci = nullptr;
    QLineEdit* txtNajdi = nullptr;
    QTableView* TDBGrid1 = nullptr;
    QLabel* lblCount = nullptr;
    QMenu* mChannel = nullptr;
    QAction* c2 = nullptr;
    QAction* mnuSelect_all = nullptr;
    QAction* mnuDisable_multiselect_mode = nullptr;
    controls::Gumb* cmdPlay_ = nullptr;
};

} // namespace listrion::tools::ui
