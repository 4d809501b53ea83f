#pragma once

#include "editing/ui/EditingContext.h"

#include <QDialog>

#include <cstdint>
#include <memory>

namespace listrion::editing::ui {

class ChannelForm;
struct DialogButtons;

// The dialog that changes one channel, all its fields at once; choosing another group in
// ComboGroup moves the channel there.
class Edit_Channel : public QDialog {
    Q_OBJECT

public:
    // `rowid` names the channel; a channel that is gone leaves the boxes empty and Save tells so.
    Edit_Channel(const EditingContext& context, std::int64_t rowid, QWidget* parent = nullptr);
    ~Edit_Channel() override;

private:
    void cmdSave();

    const EditingContext& m_context;
    std::int64_t m_rowid;
    ChannelForm* m_form = nullptr;
    std::unique_ptr<DialogButtons> m_buttons;
};

} // namespace listrion::editing::ui
