#pragma once

#include "text/CountText.h"

#include <QString>

#include <cstdint>
#include <string>

namespace listrion::controls {

// A count as the windows' labels show it: "1,234,567".
inline QString countText(std::int64_t value)
{
    return QString::fromStdString(text::formatCount(value));
}

// A progress text (a group or channel name) without the blanks that pad it at the end.
inline QString trimmedEnd(const std::string& value)
{
    QString s = QString::fromStdString(value);
    while (s.endsWith(' ')) {
        s.chop(1);
    }
    return s;
}

// Elapsed time as the progress windows show it: "00:01:05".
inline QString clockText(std::int64_t seconds)
{
    return QString("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QChar('0'))
        .arg(seconds / 60 % 60, 2, 10, QChar('0'))
        .arg(seconds % 60, 2, 10, QChar('0'));
}

} // namespace listrion::controls
