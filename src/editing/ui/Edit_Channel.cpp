#include "editing/ui/Edit_Channel.h"

#include "controls/AutoResize.h"
#include "controls/Gumb.h"
#include "editing/ui/ChannelForm.h"
#include "editing/ui/CommandRun.h"
#include "editing/ui/DialogButtons.h"
#include "settings/TextCatalogue.h"

#include <QComboBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include <exception>

namespace listrion::editing::ui {

Edit_Channel::Edit_Channel(const EditingContext& context, std::int64_t rowid, QWidget* parent)
    : QDialog(parent), m_context(context), m_rowid(rowid)
{
    setObjectName("Edit_Channel");
    new controls::AutoResize(this);
    setWindowTitle(context.text(settings::Texts::EditChannelCaption));
    auto* layout = new QVBoxLayout(this);
    m_form = new ChannelForm(context, this);
    layout->addWidget(m_form);
    m_buttons = std::make_unique<DialogButtons>(this, layout, context);
    connect(m_buttons->cmdSave, &QAbstractButton::clicked, this, &Edit_Channel::cmdSave);

    m_form->Napuni_Kombo_Group();
    m_form->Napuni_Kombo_Type();
    // The group comes from the list of existing groups only.
    m_form->txtGroup->setReadOnly(true);
    if (const std::optional<ChannelFields> fields = readChannel(context.db, rowid)) {
        m_form->setFields(*fields);
        m_form->Postavi_Poziciju_Group(QString::fromStdString(fields->grupa));
        m_form->selectType(QString::fromStdString(fields->type));
    }
}

Edit_Channel::~Edit_Channel() = default;

void Edit_Channel::cmdSave()
{
    ChannelFields fields = m_form->fields();
    fields.grupa = m_form->ComboGroup->currentText().toStdString();
    const ChannelProblem problem = checkChannel(fields, false);
    if (problem != ChannelProblem::None) {
        m_context.message(problemText(problem));
        return;
    }
    EditedChannel edited;
    try {
        if (!runStoreWork(
                m_context, "Edit channel '" + fields.name + "'",
                [&](store::Database& db) { edited = editChannel(db, m_rowid, fields); })) {
            return;
        }
    } catch (const std::exception& error) {
        m_context.prompter.message(QString::fromUtf8(error.what()));
        return;
    }
    StoreChange change;
    change.parts = StoreChange::ChannelRows | StoreChange::GroupRows;
    change.groups = {fields.grupa, edited.from};
    m_context.events.publish(change);
    accept();
}

} // namespace listrion::editing::ui
