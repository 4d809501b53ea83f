#include "editing/ui/DialogButtons.h"

#include "controls/Gumb.h"
#include "settings/TextCatalogue.h"

#include <QBoxLayout>
#include <QDialog>

namespace listrion::editing::ui {

DialogButtons::DialogButtons(QDialog* dialog, QBoxLayout* layout, const EditingContext& context)
{
    cmdSave = new controls::Gumb(context.text(settings::Texts::SaveButton), dialog);
    cmdSave->setObjectName("cmdSave");
    cmdCancel = new controls::Gumb(context.text(settings::Texts::CancelButton), dialog);
    cmdCancel->setObjectName("cmdCancel");
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (controls::Gumb* button : {cmdSave, cmdCancel}) {
        button->setMinimumSize(110, 30);
        row->addWidget(button);
    }
    layout->addLayout(row);
    QObject::connect(cmdCancel, &QAbstractButton::clicked, dialog, &QDialog::reject);
}

} // namespace listrion::editing::ui
