#pragma once

#include "editing/ui/EditingContext.h"

#include <QDialog>

#include <exception>
#include <memory>
#include <optional>

class QComboBox;
class QLineEdit;

namespace listrion::editing::ui {

struct DialogButtons;

// The dialog that adds a group: its name (txtIme) and type (ComboType); the group comes last in
// the list until the groups are renumbered.
class Add_Group : public QDialog {
    Q_OBJECT

public:
    Add_Group(const EditingContext& context, QWidget* parent = nullptr);
    ~Add_Group() override;

    // The name of the group added; empty while none was.
    const QString& addedGroup() const { return m_added; }

private:
    void cmdSave();

    const EditingContext& m_context;
    QLineEdit* txtIme = nullptr;
    QComboBox* ComboType = nullptr;
    std::unique_ptr<DialogButtons> m_buttons;
    QString m_added;
};

// The message for a refused group name (empty, too long, taken), or nothing for other refusals.
std::optional<settings::TextKey> refusalText(const std::exception& error);

} // namespace listrion::editing::ui
