#include "editing/ui/ChannelForm.h"

#include "editing/GroupCommands.h"
#include "editing/ui/BoxHighlight.h"
#include "settings/TextCatalogue.h"
#include "store/TextCollation.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>

namespace listrion::editing::ui {
namespace {

QString qt(const std::string& text)
{
    return QString::fromStdString(text);
}

QLineEdit* box(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMinimumWidth(420);
    return edit;
}

QComboBox* list(QWidget* parent, const char* name, QLineEdit* target)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setMaximumWidth(220);
    QObject::connect(combo, &QComboBox::activated, target,
                     [combo, target](int index) { target->setText(combo->itemText(index)); });
    return combo;
}

QWidget* withList(QWidget* parent, QLineEdit* edit, QComboBox* combo)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit, 1);
    layout->addWidget(combo);
    return row;
}

} // namespace

ChannelForm::ChannelForm(const EditingContext& context, QWidget* parent)
    : QWidget(parent), m_context(context)
{
    txtGroup = box(this, "txtGroup");
    txtChannel = box(this, "txtChannel");
    txttvgname = box(this, "txttvgname");
    txtTvgidname = box(this, "txtTvgidname");
    txtlogo = box(this, "txtlogo");
    txtLink = box(this, "txtLink");
    txtType = box(this, "txtType");
    txtParent_Code = box(this, "txtParent_Code");
    ComboGroup = list(this, "ComboGroup", txtGroup);
    Combo_type = list(this, "Combo_type", txtType);

    auto* form = new QFormLayout(this);
    form->addRow(context.text(settings::Texts::GroupLabel), withList(this, txtGroup, ComboGroup));
    form->addRow(context.text(settings::Texts::ChannelNameColumn), txtChannel);
    form->addRow(context.text(settings::Texts::TvgNameColumn), txttvgname);
    form->addRow("EPG ID", txtTvgidname);
    form->addRow("Logo", txtlogo);
    form->addRow(context.text(settings::Texts::StreamLinkLabel), txtLink);
    form->addRow("Type", withList(this, txtType, Combo_type));
    form->addRow("Parental code", txtParent_Code);

    highlight = new BoxHighlight(
        {txtGroup, txtChannel, txttvgname, txtTvgidname, txtlogo, txtLink, txtType, txtParent_Code},
        this);
}

ChannelFields ChannelForm::fields() const
{
    return {txtGroup->text().toStdString(),   txtChannel->text().toStdString(),
            txttvgname->text().toStdString(), txtTvgidname->text().toStdString(),
            txtlogo->text().toStdString(),    txtLink->text().toStdString(),
            txtType->text().toStdString(),    txtParent_Code->text().toStdString()};
}

void ChannelForm::setFields(const ChannelFields& f)
{
    txtGroup->setText(qt(f.grupa));
    txtChannel->setText(qt(f.name));
    txttvgname->setText(qt(f.tvgname));
    txtTvgidname->setText(qt(f.tvgid));
    txtlogo->setText(qt(f.logo));
    txtLink->setText(qt(f.link));
    txtType->setText(qt(f.type));
    txtParent_Code->setText(qt(f.parentCode));
}

void ChannelForm::Napuni_Kombo_Group()
{
    ComboGroup->clear();
    store::Statement st = m_context.db.prepare("SELECT grupa FROM Grupa ORDER BY broj, rowid");
    while (st.step()) {
        ComboGroup->addItem(qt(st.columnText(0)));
    }
}

void ChannelForm::Napuni_Kombo_Type()
{
    Combo_type->clear();
    for (std::string_view type : kStreamTypes) {
        Combo_type->addItem(QString::fromUtf8(type.data(), static_cast<qsizetype>(type.size())));
    }
}

void ChannelForm::Postavi_Poziciju_Group(const QString& name)
{
    const std::string wanted = name.toStdString();
    for (int i = 0; i < ComboGroup->count(); ++i) {
        if (store::compareText(ComboGroup->itemText(i).toStdString(), wanted) == 0) {
            ComboGroup->setCurrentIndex(i);
            txtGroup->setText(ComboGroup->itemText(i));
            return;
        }
    }
}

void ChannelForm::selectType(const QString& type)
{
    Combo_type->setCurrentIndex(Combo_type->findText(type));
}

settings::TextKey problemText(ChannelProblem problem)
{
    switch (problem) {
    case ChannelProblem::NoGroup:
        return settings::Texts::ChannelNeedsGroup;
    case ChannelProblem::NoName:
        return settings::Texts::ChannelNeedsName;
    case ChannelProblem::NoLink:
        return settings::Texts::ChannelNeedsLink;
    case ChannelProblem::TooLong:
        return settings::Texts::TextTooLong;
    case ChannelProblem::CodeNotNumeric:
        return settings::Texts::CodeDigitsOnly;
    case ChannelProblem::CodeTooLong:
        return settings::Texts::CodeTooLong;
    case ChannelProblem::CodeTooShort:
        return settings::Texts::CodeTooShort;
    case ChannelProblem::None:
    case ChannelProblem::NoType:
    case ChannelProblem::BadType:
        break;
    }
    return settings::Texts::ChannelNeedsType;
}

} // namespace listrion::editing::ui
