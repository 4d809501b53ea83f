#pragma once

#include "settings/TextSource.h"

#include <QObject>
#include <QPointer>

#include <utility>
#include <vector>

namespace listrion::editing::ui {

// The captions a window takes from the language file: menu titles, menu entries and buttons,
// each with its key. apply() sets them all again, at start and after a change of language.
class KeyedCaptions {
public:
    template <typename T> T* add(T* object, settings::TextKey key)
    {
        m_captions.emplace_back(object, key);
        return object;
    }
    // Sets each caption still alive: a QMenu's title, a QAction's or a button's text.
    void apply(const settings::TextSource& texts) const;

private:
    std::vector<std::pair<QPointer<QObject>, settings::TextKey>> m_captions;
};

} // namespace listrion::editing::ui
