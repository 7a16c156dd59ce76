#pragma once

#include <QColor>

#include "base/canvas.h"

// The system's 0x00BBGGRR colours and Qt's colours.
[[nodiscard]] inline TColor toTColor(const QColor &c)
{
    return static_cast<TColor>(c.red()) | (static_cast<TColor>(c.green()) << 8) | (static_cast<TColor>(c.blue()) << 16);
}

[[nodiscard]] inline QColor fromTColor(TColor c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}
