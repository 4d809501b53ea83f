#include "controls/MousePointer.h"

namespace listrion::controls {

std::optional<QCursor> cursorFor(int pointer, const QPixmap& mouseIcon)
{
    switch (static_cast<MousePointer>(pointer)) {
    case MousePointer::Arrow:
    case MousePointer::Icon:
        return QCursor(Qt::ArrowCursor);
    case MousePointer::Cross:
        return QCursor(Qt::CrossCursor);
    case MousePointer::IBeam:
        return QCursor(Qt::IBeamCursor);
    case MousePointer::Size:
    case MousePointer::SizeAll:
        return QCursor(Qt::SizeAllCursor);
    case MousePointer::SizeNESW:
        return QCursor(Qt::SizeBDiagCursor);
    case MousePointer::SizeNS:
        return QCursor(Qt::SizeVerCursor);
    case MousePointer::SizeNWSE:
        return QCursor(Qt::SizeFDiagCursor);
    case MousePointer::SizeWE:
        return QCursor(Qt::SizeHorCursor);
    case MousePointer::UpArrow:
        return QCursor(Qt::UpArrowCursor);
    case MousePointer::Hourglass:
        return QCursor(Qt::WaitCursor);
    case MousePointer::NoDrop:
        return QCursor(Qt::ForbiddenCursor);
    case MousePointer::ArrowHourglass:
        return QCursor(Qt::BusyCursor);
    case MousePointer::ArrowQuestion:
        return QCursor(Qt::WhatsThisCursor);
    case MousePointer::Custom:
        if (!mouseIcon.isNull()) {
            return QCursor(mouseIcon);
        }
        return std::nullopt;
    case MousePointer::Default:
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace listrion::controls
