#include "tools/ui/Check_Validate.h"

#include "controls/BackgroundRun.h"

#include "controls/Prompter.h"
#include "editing/PlaylistCommands.h"
#include "editing/StoreEvents.h"
#include "settings/TextCatalogue.h"
#include "store/UndoSnapshot.h"
#include "tools/BrokenChannels.h"
#include "tools/Registration.h"
#include "tools/ui/CheckGridModel.h"
#include "tools/ui/WindowUndo.h"

#include <QLabel>
#include <QStringList>
#include <QTableView>

#include <exception>

namespace listrion::tools::ui {
namespace {

constexpr const char* kRegistered = "DLL library registration is done. Try the search button "
                                    "again if it works!";

} // namespace

void Check_Validate::showListing(CheckGridModel::Listing listing)
{
    m_grid->show(listing);
    if (m_grid->rowCount() > 0) {
        TDBGrid1->setCurrentIndex(m_grid->index(0, CheckGridModel::kNameColumn));
    }
}

void Check_Validate::rowChanged()
{
    if (m_player && m_player->isVisible()) {
        m_player->stop();
        m_player->setVisible(false);
    }
}

void Check_Validate::moveRow(int step)
{
    if (isRunning()) {
        return;
    }
    const int row = TDBGrid1->currentIndex().row() + step;
    if (TDBGrid1->currentIndex().isValid() && row >= 0 && row < m_grid->rowCount()) {
        const QModelIndex index = m_grid->index(row, CheckGridModel::kNameColumn);
        TDBGrid1->setCurrentIndex(index);
        TDBGrid1->scrollTo(index);
    }
}

void Check_Validate::cmdPlay()
{
    const int row = TDBGrid1->currentIndex().row();
    if (isRunning() || !m_player || row < 0 || row >= m_grid->rowCount()) {
        return;
    }
    lblStatus->clear();
    m_player->stop();
    m_player->clear();
    const player::MediaOptions options = m_services.mediaOptions
                                             ? m_services.mediaOptions(m_grid->rowId(row))
                                             : player::MediaOptions{};
    m_player->add(m_grid->link(row).toStdString(), options);
    m_player->play();
    m_player->setVisible(true);
}

void Check_Validate::cmdStop_playing()
{
    if (isRunning() || !m_player) {
        return;
    }
    m_player->stop();
    m_player->setVisible(false);
}

void Check_Validate::cmdDelete_broken()
{
    if (isRunning() ||
        !m_services.prompter.question(text(settings::Texts::CheckLinkDeleteQuestion))) {
        return;
    }
    BrokenDeletion deleted;
    try {
        if (!controls::runInBackground(
                this, m_db.file(), "Please wait. Playlist is loading...",
                "Delete the broken channels",
                [&deleted](store::Database& worker) { deleted = deleteBrokenChannels(worker); })) {
            return;
        }
    } catch (const std::exception& error) {
        m_services.prompter.message("The channels could not be deleted: " +
                                    QString::fromUtf8(error.what()));
        return;
    }
    showListing(CheckGridModel::Listing::AllByName);
    if (deleted.channels > 0) {
        editing::StoreChange change;
        change.parts = editing::StoreChange::ChannelRows | editing::StoreChange::GroupRows;
        if (deleted.groupsRemoved > 0) {
            change.parts |= editing::StoreChange::GroupNames;
        }
        change.groups = deleted.groups;
        publish(change);
    }
}

void Check_Validate::cmdRegister_dll()
{
    registration(true);
}

void Check_Validate::registration(bool tell)
{
    // Nothing is registered on Linux: what the link checker needs is checked instead.
    QStringList problems;
    const std::string curl = linkTestingProblem();
    if (!curl.empty()) {
        problems << "Links cannot be tested: " + QString::fromStdString(curl) + ".";
    }
    std::string why;
    if (m_services.playerWorks && !m_services.playerWorks(&why)) {
        problems << "The manual check cannot play: " + QString::fromStdString(why) + ".";
    }
    recordRegistration(m_settings);
    if (!problems.isEmpty()) {
        m_services.prompter.message(problems.join('\n'));
    }
    if (tell) {
        m_services.prompter.message(kRegistered);
    }
}

void Check_Validate::cmdSave()
{
    if (!isRunning() && m_services.offerBackup) {
        m_services.offerBackup();
    }
}

void Check_Validate::cmdChannel_undo2()
{
    if (isRunning()) {
        return;
    }
    if (!undoAllFromWindow(m_db, m_services.prompter, m_texts)) {
        return;
    }
    m_services.prompter.message(text(settings::Texts::UndoDone));
    showListing(m_grid->listing());
    editing::StoreChange change;
    change.parts = editing::StoreChange::Playlist;
    publish(change);
}

void Check_Validate::cmdLast_undo()
{
    if (!isRunning() && m_services.openRestore) {
        m_services.openRestore(this);
    }
}

void Check_Validate::publish(const editing::StoreChange& change)
{
    m_publishing = true;
    m_services.events.publish(change);
    m_publishing = false;
}

void Check_Validate::storeChanged(const editing::StoreChange&)
{
    if (m_publishing || isRunning()) {
        return;
    }
    // Another window changed the store (a numbered copy brought back): the same listing again,
    // with the same channel current when it is still there.
    const int row = TDBGrid1->currentIndex().row();
    const std::int64_t rowId = row >= 0 ? m_grid->rowId(row) : -1;
    m_grid->show(m_grid->listing());
    const int same = m_grid->rowOfId(rowId);
    const int target = same >= 0 ? same : std::min(std::max(row, 0), m_grid->rowCount() - 1);
    if (target >= 0) {
        TDBGrid1->setCurrentIndex(m_grid->index(target, CheckGridModel::kNameColumn));
    }
}

} // namespace listrion::tools::ui
