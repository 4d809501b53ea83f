#pragma once

#include "editing/ChannelEntry.h"
#include "editing/ui/EditingContext.h"

#include <QWidget>

class QComboBox;
class QLineEdit;

namespace listrion::editing::ui {

class BoxHighlight;

// The boxes of the channel dialogs: txtGroup with the list ComboGroup, txtChannel, txttvgname,
// txtTvgidname, txtlogo, txtLink, txtType with the list Combo_type and txtParent_Code. Choosing
// an entry of a list copies it into the box beside it.
class ChannelForm : public QWidget {
    Q_OBJECT

public:
    ChannelForm(const EditingContext& context, QWidget* parent);

    ChannelFields fields() const;
    void setFields(const ChannelFields& fields);

    // Napuni_Kombo_Group: every group name in position order.
    void Napuni_Kombo_Group();
    // Napuni_Kombo_Type: Live, VOD, Radio.
    void Napuni_Kombo_Type();
    // Postavi_Poziciju_Group: the entry equal to `name` (any letter case) becomes current.
    void Postavi_Poziciju_Group(const QString& name);
    // The entry equal to `type` becomes current; none when no entry matches.
    void selectType(const QString& type);

    QComboBox* ComboGroup = nullptr;
    QComboBox* Combo_type = nullptr;
    QLineEdit* txtGroup = nullptr;
    QLineEdit* txtChannel = nullptr;
    QLineEdit* txttvgname = nullptr;
    QLineEdit* txtTvgidname = nullptr;
    QLineEdit* txtlogo = nullptr;
    QLineEdit* txtLink = nullptr;
    QLineEdit* txtType = nullptr;
    QLineEdit* txtParent_Code = nullptr;
    BoxHighlight* highlight = nullptr;

private:
    const EditingContext& m_context;
};

// The message of the dialogs for a problem with the fields.
settings::TextKey problemText(ChannelProblem problem);

} // namespace listrion::editing::ui
