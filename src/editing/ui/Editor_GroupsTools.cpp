// The group editor's tool panel: the name tools, the type change, the sort by name, the export
// of ticked groups and the backup and undo buttons.
#include "editing/ui/Editor_Groups.h"

#include "controls/BackgroundRun.h"
#include "controls/Gumb.h"
#include "editing/GroupGridModel.h"
#include "editing/ui/Add_Group.h"
#include "editing/ui/RestoreBox.h"
#include "settings/TextCatalogue.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include <exception>

namespace listrion::editing::ui {
namespace {

constexpr const char* kWorking = "Please wait. Playlist is loading...";

QLineEdit* textBox(QWidget* parent, const char* name)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    return box;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    return box;
}

std::string stepName(const GroupNameEdit& edit)
{
    switch (edit.tool) {
    case GroupNameTool::Prefix:
        return "Add '" + edit.text + "' before the ticked group names";
    case GroupNameTool::Suffix:
        return "Add '" + edit.text + "' after the ticked group names";
    case GroupNameTool::Strip:
        return "Remove the first parameter of the group names";
    case GroupNameTool::Replace:
        return "Replace '" + edit.text + "' in the group names";
    case GroupNameTool::Capitalize:
        return "Capitalize the group names";
    case GroupNameTool::Upper:
        return "Upper-case the group names";
    }
    return {};
}

} // namespace

QWidget* Editor_Groups::buildTools()
{
    auto* panel = new QWidget(this);
    auto* layout = new QVBoxLayout(panel);
    auto* prefix = new QGroupBox("Add first parameter", panel);
    auto* suffix = new QGroupBox("Add last parameter", panel);
    auto* prefixLayout = new QGridLayout(prefix);
    auto* suffixLayout = new QGridLayout(suffix);
    Check1 = checkBox(prefix, "Check1", "select groups");
    Check2 = checkBox(suffix, "Check2", "select groups");
    txtAdd_first_parameter = textBox(prefix, "txtAdd_first_parameter");
    txtAdd_last_parameter = textBox(suffix, "txtAdd_last_parameter");
    controls::Gumb* first = button(prefix, "cmdAdd_first_parameter", "Add");
    controls::Gumb* last = button(suffix, "cmdAdd_last_parameter", "Add");
    prefixLayout->addWidget(Check1, 0, 0);
    prefixLayout->addWidget(txtAdd_first_parameter, 1, 0);
    prefixLayout->addWidget(first, 1, 1);
    suffixLayout->addWidget(Check2, 0, 0);
    suffixLayout->addWidget(txtAdd_last_parameter, 1, 0);
    suffixLayout->addWidget(last, 1, 1);
    connect(first, &QAbstractButton::clicked, this, &Editor_Groups::cmdAdd_first_parameter);
    connect(last, &QAbstractButton::clicked, this, &Editor_Groups::cmdAdd_last_parameter);
    layout->addWidget(prefix);
    layout->addWidget(suffix);

    auto* names = new QGroupBox("Group names", panel);
    auto* namesLayout = new QGridLayout(names);
    controls::Gumb* strip = button(names, "cmdSpremeni_ime", "Remove first parameter for groups");
    txtIme1 = textBox(names, "txtIme1");
    txtIme1->setPlaceholderText("text");
    txtIme2 = textBox(names, "txtIme2");
    txtIme2->setPlaceholderText("change to");
    controls::Gumb* replace = button(names, "cmdZamijeniIme", "Replace");
    controls::Gumb* capitalize = button(names, "cmdCapitalize_text", "Capitalize text for groups");
    controls::Gumb* upper = button(names, "cmdUper_case", "Uppercase for groups");
    namesLayout->addWidget(strip, 0, 0, 1, 2);
    namesLayout->addWidget(txtIme1, 1, 0);
    namesLayout->addWidget(txtIme2, 2, 0);
    namesLayout->addWidget(replace, 1, 1, 2, 1);
    namesLayout->addWidget(capitalize, 3, 0, 1, 2);
    namesLayout->addWidget(upper, 4, 0, 1, 2);
    connect(strip, &QAbstractButton::clicked, this, &Editor_Groups::cmdSpremeni_ime);
    connect(replace, &QAbstractButton::clicked, this, &Editor_Groups::cmdZamijeniIme);
    connect(capitalize, &QAbstractButton::clicked, this, &Editor_Groups::cmdCapitalize_text);
    connect(upper, &QAbstractButton::clicked, this, &Editor_Groups::cmdUper_case);
    layout->addWidget(names);
    layout->addWidget(buildTypeAndExport(panel));
    layout->addWidget(buildRestoreBox(this, m_context));
    layout->addStretch(1);

    for (QCheckBox* box : {Check1, Check2}) {
        connect(box, &QCheckBox::toggled, this, [this, box](bool on) { tickingBox(box, on); });
    }
    return panel;
}

QWidget* Editor_Groups::buildTypeAndExport(QWidget* parent)
{
    auto* box = new QWidget(parent);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* type = new QGroupBox("Change group type", box);
    auto* typeLayout = new QGridLayout(type);
    Combo_Grupa = new QComboBox(type);
    Combo_Grupa->setObjectName("Combo_Grupa");
    Combo_type = new QComboBox(type);
    Combo_type->setObjectName("Combo_type");
    controls::Gumb* change = button(type, "cmdChange_type", "Change");
    typeLayout->addWidget(Combo_Grupa, 0, 0);
    typeLayout->addWidget(Combo_type, 0, 1);
    typeLayout->addWidget(change, 0, 2);
    connect(Combo_Grupa, &QComboBox::activated, this, &Editor_Groups::Postavi_Poziciju_Type);
    connect(change, &QAbstractButton::clicked, this, &Editor_Groups::cmdChange_type);
    layout->addWidget(type);

    Check3 = checkBox(box, "Check3", "Sort groups by name");
    connect(Check3, &QCheckBox::toggled, this, [this](bool on) {
        if (on) {
            sortByName();
        }
    });
    layout->addWidget(Check3);

    auto* exporting = new QGroupBox("Export selected groups", box);
    auto* exportLayout = new QHBoxLayout(exporting);
    Check4 = checkBox(exporting, "Check4", "select groups");
    controls::Gumb* write = button(exporting, "cmdExport", "Export");
    exportLayout->addWidget(Check4);
    exportLayout->addWidget(write);
    connect(Check4, &QCheckBox::toggled, this, [this](bool on) { tickingBox(Check4, on); });
    connect(write, &QAbstractButton::clicked, this, &Editor_Groups::cmdExport);
    layout->addWidget(exporting);
    return box;
}

bool Editor_Groups::runNameTool(const GroupNameEdit& edit)
{
    OnMerge onMerge = OnMerge::Refuse;
    bool done = false;
    try {
        if (!planGroupNameEdit(m_context.db, edit).merges.empty()) {
            if (!m_context.prompter.question(
                    m_context.text(settings::Texts::MergeGroupsQuestion))) {
                return false;
            }
            onMerge = OnMerge::Merge;
        }
        done = controls::runInBackground(
            this, m_context.folder.dataMdb(), kWorking, stepName(edit),
            [&](store::Database& db) { applyGroupNameEdit(db, edit, onMerge); });
    } catch (const std::exception& error) {
        const std::optional<settings::TextKey> key = refusalText(error);
        m_context.prompter.message(key ? m_context.text(*key) : QString::fromUtf8(error.what()));
        return false;
    }
    if (done) {
        StoreChange change;
        change.parts = StoreChange::GroupRows | StoreChange::GroupNames | StoreChange::ChannelRows;
        m_context.events.publish(change);
    }
    return done;
}

void Editor_Groups::addParameter(QCheckBox* check, QLineEdit* box, GroupNameTool tool,
                                 settings::TextKey emptyText)
{
    if (!check->isChecked()) {
        m_context.message(settings::Texts::TickFirst);
        return;
    }
    if (box->text().isEmpty()) {
        m_context.message(emptyText);
        box->setFocus();
        return;
    }
    if (!runNameTool({tool, box->text().toStdString(), {}})) {
        return;
    }
    box->clear();
    check->setChecked(false);
    m_context.message(settings::Texts::ChangesMade);
}

void Editor_Groups::cmdAdd_first_parameter()
{
    addParameter(Check1, txtAdd_first_parameter, GroupNameTool::Prefix,
                 settings::Texts::PrefixEmpty);
}

void Editor_Groups::cmdAdd_last_parameter()
{
    addParameter(Check2, txtAdd_last_parameter, GroupNameTool::Suffix,
                 settings::Texts::SuffixEmpty);
}

void Editor_Groups::cmdSpremeni_ime()
{
    if (m_model->rowCount() > 0 && runNameTool({GroupNameTool::Strip, {}, {}})) {
        txtIme1->clear();
        txtIme2->clear();
    }
}

void Editor_Groups::cmdZamijeniIme()
{
    if (txtIme1->text().isEmpty() || m_model->rowCount() == 0) {
        return;
    }
    if (runNameTool({GroupNameTool::Replace, txtIme1->text().toStdString(),
                     txtIme2->text().toStdString()})) {
        txtIme1->clear();
        txtIme2->clear();
    }
}

void Editor_Groups::cmdCapitalize_text()
{
    if (m_model->rowCount() > 0 && runNameTool({GroupNameTool::Capitalize, {}, {}})) {
        m_context.message(settings::Texts::ChangesMade);
    }
}

void Editor_Groups::cmdUper_case()
{
    if (runNameTool({GroupNameTool::Upper, {}, {}})) {
        m_context.message(settings::Texts::ChangesMade);
    }
}

} // namespace listrion::editing::ui
