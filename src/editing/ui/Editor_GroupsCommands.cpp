// The group editor's type change, sort by name and export of ticked groups.
#include "editing/ui/Editor_Groups.h"

#include "controls/BackgroundRun.h"
#include "controls/PlaylistFileRequests.h"
#include "editing/ExportDialog.h"
#include "editing/GroupCommands.h"
#include "editing/ui/CommandRun.h"
#include "playlist/PlaylistWriter.h"
#include "settings/TextCatalogue.h"
#include "store/GroupNumbering.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QSignalBlocker>

#include <exception>

namespace listrion::editing::ui {

void Editor_Groups::Napuni_Kombo_Grupa()
{
    const QString chosen = Combo_Grupa->currentText();
    Combo_Grupa->clear();
    Combo_Grupa->addItem(QString());
    store::Statement st =
        m_context.db.prepare("SELECT grupa FROM Grupa ORDER BY type, broj, rowid");
    while (st.step()) {
        Combo_Grupa->addItem(QString::fromStdString(st.columnText(0)));
    }
    Combo_Grupa->setCurrentIndex(std::max(0, Combo_Grupa->findText(chosen)));
    if (Combo_type->count() == 0) {
        Combo_type->addItem(QString());
        for (std::string_view type : kStreamTypes) {
            Combo_type->addItem(
                QString::fromUtf8(type.data(), static_cast<qsizetype>(type.size())));
        }
    }
}

void Editor_Groups::Postavi_Poziciju_Type()
{
    const std::string group = Combo_Grupa->currentText().toStdString();
    const std::string type = [&] {
        store::Statement st = m_context.db.prepare("SELECT type FROM Grupa WHERE grupa = ?");
        st.bind(1, group);
        return st.step() ? st.columnText(0) : std::string();
    }();
    Combo_type->setCurrentIndex(std::max(0, Combo_type->findText(QString::fromStdString(type))));
}

void Editor_Groups::cmdChange_type()
{
    if (Combo_Grupa->currentIndex() < 1) {
        m_context.message(settings::Texts::ChooseAGroup);
        return;
    }
    if (Combo_type->currentIndex() < 1) {
        m_context.message(settings::Texts::ChooseAType);
        return;
    }
    const std::string group = Combo_Grupa->currentText().toStdString();
    const std::string type = Combo_type->currentText().toStdString();
    if (!runCommand(m_context, "Change the type of '" + group + "'",
                    [&](store::Database& db) { setGroupType(db, group, type); })) {
        return;
    }
    StoreChange change;
    change.parts = StoreChange::GroupRows | StoreChange::GroupNames | StoreChange::ChannelRows;
    change.groups = {group};
    m_context.events.publish(change);
    m_context.message(settings::Texts::GroupTypeChanged);
}

void Editor_Groups::sortByName()
{
    if (m_context.prompter.question(" Sorting Groups by Name ?")) {
        if (runCommand(m_context, "Sort the groups by name", [](store::Database& db) {
                store::Zapisi_Nove_Brojeve_Groups_Sort_By_Name(db);
            })) {
            StoreChange change;
            change.parts = StoreChange::GroupRows | StoreChange::GroupNames;
            m_context.events.publish(change);
        }
    }
    const QSignalBlocker quiet(Check3);
    Check3->setChecked(false);
}

void Editor_Groups::cmdExport()
{
    if (!Check4->isChecked()) {
        return;
    }
    if (!anyGroupTicked(m_context.db)) {
        m_context.message(settings::Texts::NoGroupTicked);
        return;
    }
    const std::optional<QString> file = m_context.prompter.saveFile(controls::kSavePlaylistRequest);
    if (!file || file->isEmpty()) {
        return;
    }
    if (QFileInfo::exists(*file) &&
        !m_context.prompter.question(m_context.text(settings::Texts::ReplaceFileQuestion),
                                     "Naslov")) {
        return;
    }
    playlist::SaveOptions options;
    options.dataMdb = m_context.folder.dataMdb();
    options.codepage = &m_context.settings.codepage();
    options.replaceExisting = true;
    playlist::SaveResult result;
    controls::runInBackground(this, m_context.folder.dataMdb(),
                              "Please wait. Playlist is saving now", [&](store::Database&) {
                                  result = playlist::Export_Groups(file->toStdString(), options,
                                                                   nullptr);
                              });
    if (!result.saved()) {
        m_context.prompter.message(
            QString("The playlist was not saved: %1").arg(QString::fromStdString(result.message)));
        return;
    }
    m_context.message(settings::Texts::NoGroupTicked);
}

} // namespace listrion::editing::ui
