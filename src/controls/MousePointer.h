#pragma once

#include <QCursor>
#include <QPixmap>

#include <optional>

namespace listrion::controls {

// The pointer shapes of the MousePointer property, with the numbers windows have always
// used for them; Custom shows the MouseIcon picture.
enum class MousePointer : int {
    Default = 0,
    Arrow = 1,
    Cross = 2,
    IBeam = 3,
    Icon = 4,
    Size = 5,
    SizeNESW = 6,
    SizeNS = 7,
    SizeNWSE = 8,
    SizeWE = 9,
    UpArrow = 10,
    Hourglass = 11,
    NoDrop = 12,
    ArrowHourglass = 13,
    ArrowQuestion = 14,
    SizeAll = 15,
    Custom = 99,
};

// The cursor for `pointer`; nothing for Default (and for Custom without an icon or unknown
// numbers): the widget then shows its parent's cursor.
std::optional<QCursor> cursorFor(int pointer, const QPixmap& mouseIcon);

} // namespace listrion::controls
