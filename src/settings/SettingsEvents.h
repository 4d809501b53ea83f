#pragma once

#include <QObject>

namespace listrion::settings {

// Tells every open window that the look of the grids in Settings.ini changed (their fonts, the
// region, which columns show and how wide they are), so each re-applies its grid layouts. The
// window that changed the entries announces; no window re-formats another one directly.
class SettingsEvents : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    void announceGridLook() { emit gridLookChanged(); }

signals:
    void gridLookChanged();
};

} // namespace listrion::settings
