// The channel editor's tool panel: the text tools on channel names and the sort by name.
#include "editing/ui/Editor_Channels.h"

#include "controls/BackgroundRun.h"
#include "controls/Gumb.h"
#include "editing/EditRefused.h"
#include "editing/ui/Add_Group.h"
#include "editing/ui/ChannelGridPart.h"
#include "editing/ui/RestoreBox.h"
#include "settings/TextCatalogue.h"
#include "store/ChannelNumbering.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <exception>

namespace listrion::editing::ui {
namespace {

constexpr const char* kWorking = "Please wait. Playlist is loading...";
// What the find-name box holds to open the regional restructuring.
constexpr const char* kRestructuringCode = "regionsort";

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    return box;
}

QLineEdit* textBox(QWidget* parent, const char* name, const QString& hint = {})
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setPlaceholderText(hint);
    return box;
}

std::string stepName(const ChannelNameEdit& edit)
{
    switch (edit.tool) {
    case ChannelNameTool::Prefix:
        return "Add '" + edit.text + "' before the ticked channel names";
    case ChannelNameTool::Suffix:
        return "Add '" + edit.text + "' after the ticked channel names";
    case ChannelNameTool::Strip:
        return "Remove the first parameter of the channel names";
    case ChannelNameTool::Replace:
        return "Replace '" + edit.text + "' in the channel names";
    case ChannelNameTool::Capitalize:
        return "Capitalize the channel names";
    case ChannelNameTool::Upper:
        return "Upper-case the channel names";
    }
    return {};
}

} // namespace

QWidget* Editor_Channels::buildTools()
{
    auto* panel = new QWidget(this);
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(buildParameterBox(panel, true));
    layout->addWidget(buildParameterBox(panel, false));
    layout->addWidget(buildNameTools(panel));
    layout->addWidget(buildRestoreBox(this, m_context));
    layout->addStretch(1);
    return panel;
}

QWidget* Editor_Channels::buildParameterBox(QWidget* parent, bool first)
{
    auto* box = new QGroupBox(first ? "Add first parameter" : "Add last parameter", parent);
    auto* layout = new QGridLayout(box);
    QCheckBox* ticking = checkBox(box, first ? "Check8" : "Check9", "select channels");
    QCheckBox* names = checkBox(box, first ? "Check4" : "Check6", "Channel name");
    QCheckBox* ids = checkBox(box, first ? "Check5" : "Check7", "Channel ID");
    QLineEdit* text = textBox(box, first ? "txtAdd_First_Parameter" : "txtAdd_last_parameter");
    controls::Gumb* add = button(box, first ? "cmdAdd_Parameter" : "cmdAdd_last_parameter", "Add");
    layout->addWidget(ticking, 0, 0);
    layout->addWidget(names, 0, 1);
    layout->addWidget(ids, 0, 2);
    layout->addWidget(text, 1, 0, 1, 2);
    layout->addWidget(add, 1, 2);
    (first ? Check8 : Check9) = ticking;
    (first ? Check4 : Check6) = names;
    (first ? Check5 : Check7) = ids;
    (first ? txtAdd_First_Parameter : txtAdd_last_parameter) = text;
    connect(add, &QAbstractButton::clicked, this, [this, first] { addParameter(first); });
    connect(ticking, &QCheckBox::toggled, this, [this, ticking](bool on) {
        if (on) {
            QCheckBox* other = ticking == Check8 ? Check9 : Check8;
            const QSignalBlocker quiet(other);
            other->setChecked(false);
            m_part->enterCopyTicking();
        } else {
            m_part->leaveModes();
        }
    });
    return box;
}

QWidget* Editor_Channels::buildNameTools(QWidget* parent)
{
    auto* box = new QGroupBox("Channel names", parent);
    auto* layout = new QGridLayout(box);
    Combo_Grupa1 = groupList(box, "Combo_Grupa1");
    controls::Gumb* strip = button(box, "cmdSpremeni_ime", "Remove first parameter");
    txtIme1 = textBox(box, "txtIme1", "text");
    txtIme2 = textBox(box, "txtIme2", "change to");
    Combo_Odstrani = new QComboBox(box);
    Combo_Odstrani->setObjectName("Combo_Odstrani");
    Combo_Odstrani->addItems({" HD", " FHD", " SD"});
    Combo_Group_Find = groupList(box, "Combo_Group_Find");
    Check1 = checkBox(box, "Check1", "Channel name");
    Check2 = checkBox(box, "Check2", "Channel ID");
    Check1->setChecked(true);
    controls::Gumb* replace = button(box, "cmdZamijeniIme", "Replace");
    Combo_Grupa2 = groupList(box, "Combo_Grupa2");
    controls::Gumb* capitalize = button(box, "cmdCapitalize_text", "Capitalize text");
    Combo_Grupa3 = groupList(box, "Combo_Grupa3");
    controls::Gumb* upper = button(box, "cmdUper_case", "Uppercase");
    Combo_Group_Name = groupList(box, "Combo_Group_Name");
    Check3 = checkBox(box, "Check3", "Sort channels by name");
    int row = 0;
    layout->addWidget(Combo_Grupa1, row, 0, 1, 2);
    layout->addWidget(strip, row++, 2);
    layout->addWidget(txtIme1, row, 0, 1, 2);
    layout->addWidget(Combo_Odstrani, row++, 2);
    layout->addWidget(txtIme2, row++, 0, 1, 3);
    layout->addWidget(Combo_Group_Find, row, 0);
    layout->addWidget(Check1, row, 1);
    layout->addWidget(Check2, row++, 2);
    layout->addWidget(replace, row++, 2);
    layout->addWidget(Combo_Grupa2, row, 0, 1, 2);
    layout->addWidget(capitalize, row++, 2);
    layout->addWidget(Combo_Grupa3, row, 0, 1, 2);
    layout->addWidget(upper, row++, 2);
    layout->addWidget(Combo_Group_Name, row, 0, 1, 2);
    layout->addWidget(Check3, row++, 2);
    connect(Combo_Odstrani, &QComboBox::activated, this,
            [this](int index) { txtIme1->setText(Combo_Odstrani->itemText(index)); });
    connect(strip, &QAbstractButton::clicked, this, &Editor_Channels::cmdSpremeni_ime);
    connect(replace, &QAbstractButton::clicked, this, &Editor_Channels::cmdZamijeniIme);
    connect(capitalize, &QAbstractButton::clicked, this, &Editor_Channels::cmdCapitalize_text);
    connect(upper, &QAbstractButton::clicked, this, &Editor_Channels::cmdUper_case);
    connect(Check3, &QCheckBox::toggled, this, [this](bool on) {
        if (on) {
            sortByName();
        }
    });
    return box;
}

bool Editor_Channels::runNameTool(const ChannelNameEdit& edit,
                                  const std::optional<std::string>& group)
{
    bool done = false;
    try {
        done = controls::runInBackground(
            this, m_context.folder.dataMdb(), kWorking, stepName(edit),
            [&](store::Database& db) { applyChannelNameEdit(db, edit, group); });
    } catch (const std::exception& error) {
        const auto* refused = dynamic_cast<const EditRefused*>(&error);
        if (refused != nullptr && refused->reason() == EditRefused::Reason::NothingTicked) {
            m_context.message(settings::Texts::TickFirst);
        } else {
            m_context.prompter.message(QString::fromUtf8(error.what()));
        }
        return false;
    }
    if (done) {
        StoreChange change;
        change.parts = StoreChange::ChannelRows;
        if (group) {
            change.groups = {*group};
        }
        m_context.events.publish(change);
    }
    return done;
}

void Editor_Channels::addParameter(bool first)
{
    QCheckBox* ticking = first ? Check8 : Check9;
    QLineEdit* text = first ? txtAdd_First_Parameter : txtAdd_last_parameter;
    const bool names = (first ? Check4 : Check6)->isChecked();
    const bool ids = (first ? Check5 : Check7)->isChecked();
    if (!ticking->isChecked()) {
        m_context.message(settings::Texts::TickFirst);
        return;
    }
    if (text->text().isEmpty()) {
        m_context.message(first ? settings::Texts::PrefixEmpty : settings::Texts::SuffixEmpty);
        text->setFocus();
        return;
    }
    if (!names && !ids) {
        m_context.message(settings::Texts::NoNameColumn);
        return;
    }
    ChannelNameEdit edit{first ? ChannelNameTool::Prefix : ChannelNameTool::Suffix,
                         text->text().toStdString(),
                         {},
                         names,
                         ids};
    if (!runNameTool(edit, chosen(ComboGroup))) {
        return;
    }
    text->clear();
    ticking->setChecked(false);
    m_context.message(settings::Texts::ChangesMade);
}

void Editor_Channels::cmdSpremeni_ime()
{
    if (runNameTool({ChannelNameTool::Strip, {}, {}, true, true}, chosen(Combo_Grupa1))) {
        m_context.message(settings::Texts::ChangesMade);
    }
}

void Editor_Channels::cmdZamijeniIme()
{
    if (txtIme1->text().isEmpty()) {
        return;
    }
    // The access code opens the regional restructuring, which takes the main window's place;
    // the editor closes without replacing anything.
    if (txtIme1->text() == kRestructuringCode && m_context.openRestructuring) {
        reject();
        m_context.openRestructuring();
        return;
    }
    ChannelNameEdit edit{ChannelNameTool::Replace, txtIme1->text().toStdString(),
                         txtIme2->text().toStdString(), Check1->isChecked(), Check2->isChecked()};
    if (!edit.names && !edit.tvgNames) {
        m_context.message(settings::Texts::NoNameColumn);
        return;
    }
    if (runNameTool(edit, chosen(Combo_Group_Find))) {
        m_context.message(settings::Texts::ChangesMade);
    }
}

void Editor_Channels::cmdCapitalize_text()
{
    if (runNameTool({ChannelNameTool::Capitalize, {}, {}, true, true}, chosen(Combo_Grupa2))) {
        m_context.message(settings::Texts::ChangesMade);
    }
}

void Editor_Channels::cmdUper_case()
{
    if (runNameTool({ChannelNameTool::Upper, {}, {}, true, true}, chosen(Combo_Grupa3))) {
        m_context.message(settings::Texts::ChangesMade);
    }
}

void Editor_Channels::sortByName()
{
    const std::optional<std::string> group = chosen(Combo_Group_Name);
    const QString question = group ? m_context.text(settings::Texts::SortGroupChannelsQuestion) +
                                         " " + QString::fromStdString(*group) + " ?"
                                   : m_context.text(settings::Texts::SortAllChannelsQuestion);
    if (m_context.prompter.question(question)) {
        try {
            controls::runInBackground(this, m_context.folder.dataMdb(), kWorking,
                                      "Sort the channels by name", [&](store::Database& db) {
                                          store::Zapisi_Nove_Brojeve_Channels_Sort_By_Name(
                                              db, group ? std::optional<std::string_view>(*group)
                                                        : std::nullopt);
                                      });
            StoreChange change;
            change.parts = StoreChange::ChannelRows;
            m_context.events.publish(change);
        } catch (const std::exception& error) {
            m_context.prompter.message(QString::fromUtf8(error.what()));
        }
    }
    const QSignalBlocker quiet(Check3);
    Check3->setChecked(false);
}

} // namespace listrion::editing::ui
