#pragma once

#include "editing/ui/EditingContext.h"

#include <QDialog>

#include <cstdint>
#include <memory>

namespace listrion::editing::ui {

class ChannelForm;
struct DialogButtons;

// The dialog that adds one channel: the group box starts with the caller's group, the type with
// Live; the checks run in the order group, name, link, type before anything is stored.
class Add_channel : public QDialog {
    Q_OBJECT

public:
    Add_channel(const EditingContext& context, const QString& group, QWidget* parent = nullptr);
    ~Add_channel() override;

    // The row id of the channel added, 0 while none was.
    std::int64_t addedRowId() const { return m_added; }

private:
    void cmdSave();

    const EditingContext& m_context;
    ChannelForm* m_form = nullptr;
    std::unique_ptr<DialogButtons> m_buttons;
    std::int64_t m_added = 0;
};

} // namespace listrion::editing::ui
