#pragma once

#include "editing/ui/EditingContext.h"

#include <QDialog>

#include <memory>

class QLineEdit;

namespace listrion::editing::ui {

struct DialogButtons;

// The dialog that renames a group: txtIzbrana_Grupa shows the group, txtGroup takes the new
// name. A name another group already has asks whether to merge the two groups.
class Edit_Group : public QDialog {
    Q_OBJECT

public:
    Edit_Group(const EditingContext& context, const QString& group, QWidget* parent = nullptr);
    ~Edit_Group() override;

private:
    void cmdSave();

    const EditingContext& m_context;
    QLineEdit* txtIzbrana_Grupa = nullptr;
    QLineEdit* txtGroup = nullptr;
    std::unique_ptr<DialogButtons> m_buttons;
};

} // namespace listrion::editing::ui
