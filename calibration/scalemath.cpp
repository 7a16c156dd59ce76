#include "calibration/scalemath.h"

#include <cmath>

#include "base/numberformat.h"

double scaleFactor(double length, double pixels)
{
    return pixels == 0 ? 1.0 : length / pixels;
}

QString scaleRefusal(const QString &axis, double length, double pixels)
{
    const double factor = scaleFactor(length, pixels);
    if (std::isfinite(factor) && factor > 0)
        return QString();
    return QStringLiteral("%1 軸倍率錯誤: %2 / %3 = %4\n倍率必須是大於 0 的有限數值!!")
        .arg(axis, floatToText(length), floatToText(pixels), floatToText(factor));
}

QString unitLengthRefusal(double millimetres)
{
    if (std::isfinite(millimetres) && millimetres > 0)
        return QString();
    return QStringLiteral("單位長度錯誤: %1\n單位長度必須是大於 0 的數值!!").arg(floatToText(millimetres));
}

double unitFactor(double scaleUnitLength, double displayUnitLength, double previous)
{
    if (displayUnitLength == 0)
        return previous;
    const double factor = scaleUnitLength / displayUnitLength;
    return std::isfinite(factor) ? factor : previous;
}

QString gaugeCaption(double scaleX, double unitFactor)
{
    return formatFloat(QStringLiteral("0.000"), scaleX * GaugePixels * unitFactor);
}

QString gaugeUnitCaption(const QString &displayUnitName)
{
    return QStringLiteral("Unit:") + displayUnitName;
}
