#include "editing/ui/Add_Group.h"

#include "controls/AutoResize.h"
#include "controls/Gumb.h"
#include "editing/EditRefused.h"
#include "editing/GroupCommands.h"
#include "editing/ui/CommandRun.h"
#include "editing/ui/DialogButtons.h"
#include "settings/TextCatalogue.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <exception>

namespace listrion::editing::ui {

Add_Group::Add_Group(const EditingContext& context, QWidget* parent)
    : QDialog(parent), m_context(context)
{
    setObjectName("Add_Group");
    new controls::AutoResize(this);
    setWindowTitle(context.text(settings::Texts::AddGroupCaption));
    txtIme = new QLineEdit(this);
    txtIme->setObjectName("txtIme");
    txtIme->setMinimumWidth(320);
    ComboType = new QComboBox(this);
    ComboType->setObjectName("ComboType");
    for (std::string_view type : kStreamTypes) {
        ComboType->addItem(QString::fromUtf8(type.data(), static_cast<qsizetype>(type.size())));
    }
    ComboType->setCurrentIndex(0);
    auto* hint = new QLabel(context.text(settings::Texts::AddGroupHint), this);
    hint->setObjectName("Label3");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    auto* form = new QFormLayout;
    form->addRow(context.text(settings::Texts::GroupNameLabel), txtIme);
    form->addRow(context.text(settings::Texts::GroupTypeLabel), ComboType);
    layout->addLayout(form);
    m_buttons = std::make_unique<DialogButtons>(this, layout, context);
    connect(m_buttons->cmdSave, &QAbstractButton::clicked, this, &Add_Group::cmdSave);
}

Add_Group::~Add_Group() = default;

void Add_Group::cmdSave()
{
    const std::string name = txtIme->text().toStdString();
    try {
        const std::string type = ComboType->currentText().toStdString();
        if (!runStoreWork(m_context, "Add group '" + name + "'",
                          [&](store::Database& db) { addGroup(db, name, type); })) {
            return;
        }
    } catch (const std::exception& error) {
        const std::optional<settings::TextKey> key = refusalText(error);
        m_context.prompter.message(key ? m_context.text(*key) : QString::fromUtf8(error.what()));
        return;
    }
    m_added = txtIme->text();
    StoreChange change;
    change.parts = StoreChange::GroupRows | StoreChange::GroupNames;
    m_context.events.publish(change);
    accept();
}

std::optional<settings::TextKey> refusalText(const std::exception& error)
{
    const auto* refused = dynamic_cast<const EditRefused*>(&error);
    if (refused == nullptr) {
        return std::nullopt;
    }
    switch (refused->reason()) {
    case EditRefused::Reason::EmptyName:
        return settings::Texts::GroupNeedsName;
    case EditRefused::Reason::NameTooLong:
        return settings::Texts::TextTooLong;
    case EditRefused::Reason::NameTaken:
        return settings::Texts::GroupNameTaken;
    case EditRefused::Reason::NothingTicked:
        return settings::Texts::TickFirst;
    case EditRefused::Reason::NoType:
    case EditRefused::Reason::BadType:
        return settings::Texts::ChooseAType;
    default:
        return std::nullopt;
    }
}

} // namespace listrion::editing::ui
