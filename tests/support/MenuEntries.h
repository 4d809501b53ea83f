#pragma once

#include <QAction>
#include <QMenu>

namespace listrion::test {

// Fills `menu` as opening it would (menus built on aboutToShow) and triggers its entry
// captioned `caption`; false when there is none.
inline bool triggerEntry(QMenu& menu, const QString& caption)
{
    emit menu.aboutToShow();
    for (QAction* entry : menu.actions()) {
        if (entry->text() == caption) {
            entry->trigger();
            return true;
        }
    }
    return false;
}

} // namespace listrion::test
