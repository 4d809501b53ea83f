// The EPG id window's commands: derive, clear and rewrite the ids of the group, the two outside
// pages, undo, and keeping current when another window changes the store.
#include "tools/ui/EPG_Code.h"

#include "controls/BackgroundRun.h"
#include "controls/Prompter.h"
#include "editing/PlaylistCommands.h"
#include "editing/StoreEvents.h"
#include "settings/TextCatalogue.h"
#include "store/Database.h"
#include "store/UndoSnapshot.h"
#include "tools/EpgIds.h"
#include "tools/ui/EpgGridModel.h"
#include "tools/ui/WindowUndo.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QUrl>

#include <exception>

namespace listrion::tools::ui {
namespace {

QUrl address(const std::string& text)
{
    return QUrl(QString::fromStdString(text), QUrl::StrictMode);
}

} // namespace

bool EPG_Code::run(const std::string& step, const std::function<void(store::Database&)>& command)
{
    try {
        // A group of a hundred thousand channels takes a moment: off the window thread.
        return controls::runInBackground(this, m_db.file(), "Please wait...", step,
                                         [&](store::Database& worker) { command(worker); });
    } catch (const std::exception& error) {
        m_services.prompter.message(QString::fromUtf8(error.what()));
        return false;
    }
}

void EPG_Code::publish(const editing::StoreChange& change)
{
    m_publishing = true;
    m_services.events.publish(change);
    m_publishing = false;
}

void EPG_Code::cmdOK()
{
    const std::string code = txtEPG->text().toStdString();
    const std::string name = group();
    if (code.empty() || name.empty()) {
        return;
    }
    if (!run("Derive the EPG ids of '" + name + "'",
             [&](store::Database& db) { deriveEpgIds(db, name, code); })) {
        return;
    }
    m_services.prompter.message(text(settings::Texts::EpgDerived));
    publish({editing::StoreChange::ChannelRows, {name}, {}, {}});
    m_model->refreshValues();
}

void EPG_Code::cmdClear()
{
    const std::string name = group();
    if (name.empty() || !m_services.prompter.question(text(settings::Texts::EpgClearQuestion) +
                                                      QString::fromStdString(name) +
                                                      text(settings::Texts::EpgClearQuestionEnd))) {
        return;
    }
    if (!run("Clear the EPG ids of '" + name + "'",
             [&](store::Database& db) { clearEpgIds(db, name); })) {
        return;
    }
    publish({editing::StoreChange::ChannelRows, {name}, {}, {}});
    m_model->refreshValues();
    m_services.prompter.message(text(settings::Texts::EpgCleared));
}

void EPG_Code::cmdZamijeniIme()
{
    const std::string find = txtIme1->text().toStdString();
    const std::string replacement = txtIme2->text().toStdString();
    const std::string name = group();
    if (find.empty() || m_model->rowCount() == 0) {
        return;
    }
    if (!run("Replace '" + find + "' by '" + replacement + "' in the EPG ids of '" + name + "'",
             [&](store::Database& db) { replaceInEpgIds(db, name, find, replacement); })) {
        return;
    }
    publish({editing::StoreChange::ChannelRows, {name}, {}, {}});
    m_model->refreshValues();
    txtIme1->clear();
    txtIme2->clear();
    m_services.prompter.message(text(settings::Texts::ChangesMade));
}

void EPG_Code::cmdOnline()
{
    txtEPG_online->setText(
        QString::fromStdString(onlineLookupText(txtEPG_online->text().toStdString())));
    if (m_services.openUrl) {
        m_services.openUrl(address(lookupAddress(txtEPG_online->text().toStdString())));
    }
}

void EPG_Code::cmdSIPTV()
{
    if (m_services.openUrl) {
        m_services.openUrl(address(countryCodesAddress()));
    }
}

void EPG_Code::Gumb1()
{
    if (!undoAllFromWindow(m_db, m_services.prompter, m_texts)) {
        return;
    }
    publish({editing::StoreChange::Playlist, {}, {}, {}});
    fillGroups(ComboGroup->currentText());
    m_services.prompter.message(text(settings::Texts::UndoDone));
}

// Another window changed the store: the group list when groups came or went, the grid with
// the same row current.
void EPG_Code::storeChanged(const editing::StoreChange& change)
{
    if (m_publishing) {
        return;
    }
    if (change.has(editing::StoreChange::GroupNames) ||
        change.has(editing::StoreChange::Playlist)) {
        const QString shown = change.renamedFrom == group()
                                  ? QString::fromStdString(change.renamedTo)
                                  : ComboGroup->currentText();
        const int row = TDBGrid1->currentIndex().row();
        fillGroups(shown);
        if (row > 0 && row < m_model->rowCount()) {
            TDBGrid1->setCurrentIndex(m_model->index(row, EpgGridModel::kNameColumn));
        }
        return;
    }
    if (change.touchesGroup(group())) {
        const int row = TDBGrid1->currentIndex().row();
        m_model->reload();
        if (row >= 0 && row < m_model->rowCount()) {
            TDBGrid1->setCurrentIndex(m_model->index(row, EpgGridModel::kNameColumn));
        }
    }
}

} // namespace listrion::tools::ui
