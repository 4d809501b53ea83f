#include "editing/ui/KeyedCaptions.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>

namespace listrion::editing::ui {

void KeyedCaptions::apply(const settings::TextSource& texts) const
{
    for (const auto& [object, key] : m_captions) {
        const QString caption = QString::fromStdString(texts.text(key));
        if (auto* menu = qobject_cast<QMenu*>(object.data())) {
            menu->setTitle(caption);
        } else if (auto* action = qobject_cast<QAction*>(object.data())) {
            action->setText(caption);
        } else if (auto* button = qobject_cast<QAbstractButton*>(object.data())) {
            button->setText(caption);
        }
    }
}

} // namespace listrion::editing::ui
