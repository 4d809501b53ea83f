#pragma once

#include <QWidget>

#include <functional>
#include <string>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;
class QUrl;

namespace listrion::controls {
class Gumb;
class Prompter;
} // namespace listrion::controls
namespace listrion::editing {
class StoreEvents;
struct StoreChange;
} // namespace listrion::editing
namespace listrion::settings {
class TextSource;
struct TextKey;
} // namespace listrion::settings
namespace listrion::store {
class Database;
}

namespace listrion::tools::ui {

class EpgGridModel;

// The EPG id window: the channels of one group, whose ids it derives from their names and a
// country code, clears or rewrites; it also opens an EPG provider's channel directory on the
// current channel's name and the list of country codes in the desktop's browser.
class EPG_Code : public QWidget {
    Q_OBJECT

public:
    struct Services {
        controls::Prompter& prompter;
        editing::StoreEvents& events;
        // Opens an address in the desktop's browser.
        std::function<void(const QUrl&)> openUrl;
        // cmdSave: asks whether to keep a numbered copy and makes it.
        std::function<void()> offerBackup = {};
        // Brings the main window to the front.
        std::function<void()> showMain = {};
    };

    // The country-code options: the index of each option button and its code, in the order shown.
    struct CountryOption {
        int index;
        const char* code;
    };
    static const CountryOption kCountryOptions[25];

    // Opens on `group`, or on the first group when there is no such group. The texts must
    // outlive the window.
    EPG_Code(store::Database& db, const settings::TextSource& texts, Services services,
             const std::string& group, QWidget* parent = nullptr);
    ~EPG_Code() override;

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Building (EPG_Code.cpp).
    void build();
    QWidget* buildGroupRow();
    QWidget* buildDerivation();
    QWidget* buildLookup();
    QWidget* buildRewrite();
    QWidget* buildCommands();
    void Prevedi();
    QString text(const settings::TextKey& key) const;
    void fillGroups(const QString& current);
    void stepGroup(int step);
    void showGroup();
    void rowChanged(int row);
    void txtEPG_changed(const QString& code);

    // The commands (EPG_CodeCommands.cpp).
    void cmdOK();
    void cmdClear();
    void cmdZamijeniIme();
    void cmdOnline();
    void cmdSIPTV();
    void Gumb1();
    // Runs a store command off the window thread; false when it was cancelled or failed (after
    // telling the user why).
    bool run(const std::string& step, const std::function<void(store::Database&)>& command);
    void publish(const editing::StoreChange& change);
    void storeChanged(const editing::StoreChange& change);
    std::string group() const;

    store::Database& m_db;
    const settings::TextSource& m_texts;
    Services m_services;
    EpgGridModel* m_model = nullptr;
    bool m_publishing = false;

    QComboBox* ComboGroup = nullptr;
    QTableView* TDBGrid1 = nullptr;
    QLineEdit* txtEPG = nullptr;
    QButtonGroup* Option1 = nullptr;
    QLineEdit* txtEPG_online = nullptr;
    QLineEdit* txtIme1 = nullptr;
    QLineEdit* txtIme2 = nullptr;
    QLabel* lblEPG = nullptr;
    QLabel* lblOnline = nullptr;
    controls::Gumb* cmdOK_ = nullptr;
    controls::Gumb* cmdClear_ = nullptr;
};

} // namespace listrion::tools::ui
