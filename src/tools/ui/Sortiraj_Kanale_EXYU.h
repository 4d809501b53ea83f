#pragma once

#include "store/Database.h"

#include <QWidget>

#include <filesystem>
#include <functional>
#include <optional>

class QGroupBox;
class QLabel;
class QTableView;

namespace listrion::controls {
class Prompter;
}
namespace listrion::editing {
class StoreEvents;
}
namespace listrion::settings {
class TextSource;
}

namespace listrion::tools {
class QueryGridModel;
struct RestructuringRules;
} // namespace listrion::tools

namespace listrion::tools::ui {

// The regional restructuring window: the playlist's groups on the left, the groups chosen to
// keep (izdvoji.mdb) on the right, the channel rules below; its commands rebuild the playlist
// by the rule tables. A missing or damaged izdvoji.mdb is made afresh when the user agrees.
class Sortiraj_Kanale_EXYU : public QWidget {
    Q_OBJECT

public:
    // Runs a store command as the history step `step`, with a progress window; false when it
    // was cancelled.
    using LongRun = std::function<bool(QWidget* window, const std::string& step,
                                       const std::function<void(store::Database&)>& work)>;

    struct Services {
        controls::Prompter& prompter;
        editing::StoreEvents& events;
        std::filesystem::path rulesFile; // izdvoji.mdb
        // Without it the commands run at once on the window's connection.
        LongRun runLong = {};
    };

    // The texts must outlive the window.
    Sortiraj_Kanale_EXYU(store::Database& db, const settings::TextSource& texts, Services services,
                         QWidget* parent = nullptr);
    ~Sortiraj_Kanale_EXYU() override;

    // False when izdvoji.mdb could not be opened (the user would not have it made afresh): the
    // window is then of no use.
    bool ready() const { return m_rules.has_value(); }

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void openRules();
    void build();
    QGroupBox* frame(const char* name, const char* title, QTableView*& grid, QLabel** caption);
    QWidget* buildButtons();
    void showCounts();
    void reloadGroups();
    void reloadChosen();
    void cmdPremakni_Desno();
    void cmdIzbrisi();
    void cmdIzbrisi_sve();
    // Runs a command of the rule tables on the store, then announces what changed.
    void runRules(const std::string& step,
                  const std::function<void(store::Database&, const RestructuringRules&)>& work,
                  bool closeAfter);

    store::Database& m_db;
    const settings::TextSource& m_texts;
    Services m_services;
    std::optional<store::Database> m_rules;
    QueryGridModel* m_groups = nullptr;
    QueryGridModel* m_chosen = nullptr;
    QueryGridModel* m_channelRules = nullptr;

    QTableView* TDBGrid1 = nullptr;
    QTableView* TDBGrid2 = nullptr;
    QTableView* TDBGrid3 = nullptr;
    QLabel* m_groupsCaption = nullptr;
    QLabel* m_chosenCaption = nullptr;
};

} // namespace listrion::tools::ui
