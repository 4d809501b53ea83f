#include "editing/ui/Add_channel.h"

#include "controls/AutoResize.h"
#include "controls/Gumb.h"
#include "editing/EditRefused.h"
#include "editing/ui/BoxHighlight.h"
#include "editing/ui/ChannelForm.h"
#include "editing/ui/CommandRun.h"
#include "editing/ui/DialogButtons.h"
#include "settings/TextCatalogue.h"

#include <QComboBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include <exception>

namespace listrion::editing::ui {

Add_channel::Add_channel(const EditingContext& context, const QString& group, QWidget* parent)
    : QDialog(parent), m_context(context)
{
    setObjectName("Add_channel");
    new controls::AutoResize(this);
    setWindowTitle(context.text(settings::Texts::AddChannelCaption));
    auto* layout = new QVBoxLayout(this);
    m_form = new ChannelForm(context, this);
    layout->addWidget(m_form);
    m_buttons = std::make_unique<DialogButtons>(this, layout, context);
    connect(m_buttons->cmdSave, &QAbstractButton::clicked, this, &Add_channel::cmdSave);

    m_form->Napuni_Kombo_Type();
    m_form->Combo_type->setCurrentIndex(0);
    m_form->txtType->setText(m_form->Combo_type->currentText());
    m_form->Napuni_Kombo_Group();
    m_form->Postavi_Poziciju_Group(group);
    // The tvg-name usually is the channel name: clicking into an empty tvg-name box copies it.
    connect(m_form->highlight, &BoxHighlight::entered, this, [this](QLineEdit* box) {
        if (box == m_form->txttvgname && box->text().isEmpty() &&
            !m_form->txtChannel->text().isEmpty()) {
            box->setText(m_form->txtChannel->text());
        }
    });
}

Add_channel::~Add_channel() = default;

void Add_channel::cmdSave()
{
    const ChannelFields fields = m_form->fields();
    const ChannelProblem problem = checkChannel(fields);
    if (problem != ChannelProblem::None) {
        m_context.message(problemText(problem));
        return;
    }
    AddedChannel added;
    try {
        if (!runStoreWork(m_context, "Add channel '" + fields.name + "'",
                          [&](store::Database& db) { added = addChannel(db, fields); })) {
            return;
        }
    } catch (const std::exception& error) {
        m_context.prompter.message(QString::fromUtf8(error.what()));
        return;
    }
    m_added = added.rowid;
    StoreChange change;
    change.parts = StoreChange::GroupRows | StoreChange::ChannelRows;
    if (added.groupCreated) {
        change.parts |= StoreChange::GroupNames;
    }
    m_context.events.publish(change);
    m_context.message(settings::Texts::ChannelAdded);
    accept();
}

} // namespace listrion::editing::ui
