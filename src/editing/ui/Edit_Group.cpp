#include "editing/ui/Edit_Group.h"

#include "controls/AutoResize.h"
#include "controls/Gumb.h"
#include "editing/EditRefused.h"
#include "editing/GroupCommands.h"
#include "editing/ui/Add_Group.h"
#include "editing/ui/CommandRun.h"
#include "editing/ui/DialogButtons.h"
#include "settings/TextCatalogue.h"
#include "store/TextCollation.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <exception>

namespace listrion::editing::ui {

Edit_Group::Edit_Group(const EditingContext& context, const QString& group, QWidget* parent)
    : QDialog(parent), m_context(context)
{
    setObjectName("Edit_Group");
    new controls::AutoResize(this);
    setWindowTitle(context.text(settings::Texts::RenameGroupCaption));
    txtIzbrana_Grupa = new QLineEdit(group, this);
    txtIzbrana_Grupa->setObjectName("txtIzbrana_Grupa");
    txtIzbrana_Grupa->setReadOnly(true);
    txtGroup = new QLineEdit(group, this);
    txtGroup->setObjectName("txtGroup");
    txtGroup->setMinimumWidth(320);
    auto* label = new QLabel(context.text(settings::Texts::RenameGroupLabel), this);
    label->setObjectName("Label1");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtIzbrana_Grupa);
    layout->addWidget(label);
    layout->addWidget(txtGroup);
    m_buttons = std::make_unique<DialogButtons>(this, layout, context);
    connect(m_buttons->cmdSave, &QAbstractButton::clicked, this, &Edit_Group::cmdSave);
}

Edit_Group::~Edit_Group() = default;

void Edit_Group::cmdSave()
{
    const std::string from = txtIzbrana_Grupa->text().toStdString();
    const std::string to = txtGroup->text().toStdString();
    OnMerge onMerge = OnMerge::Refuse;
    try {
        checkGroupName(to);
        const std::optional<std::string> other = storedGroupName(m_context.db, to);
        if (other && store::compareText(*other, from) != 0) {
            if (!m_context.prompter.question(
                    m_context.text(settings::Texts::MergeIntoGroupQuestion) + " " +
                    QString::fromStdString(*other) + " ?")) {
                return;
            }
            onMerge = OnMerge::Merge;
        }
        RenamedGroup renamed;
        if (!runStoreWork(
                m_context, "Rename group '" + from + "' to '" + to + "'",
                [&](store::Database& db) { renamed = renameGroup(db, from, to, onMerge); })) {
            return;
        }
        StoreChange change;
        change.parts = StoreChange::GroupRows | StoreChange::GroupNames | StoreChange::ChannelRows;
        change.groups = {renamed.name};
        change.renamedFrom = from;
        change.renamedTo = renamed.name;
        m_context.events.publish(change);
    } catch (const std::exception& error) {
        const std::optional<settings::TextKey> key = refusalText(error);
        m_context.prompter.message(key ? m_context.text(*key) : QString::fromUtf8(error.what()));
        return;
    }
    accept();
}

} // namespace listrion::editing::ui
