#include "calibration/ratiomath.h"

#include <cmath>

#include "base/numberformat.h"
#include "base/numberparse.h"
#include "calibration/scalemath.h"

AxisReading readCalibrationAxis(const QString &axis, const QString &lengthText, const QString &pixelText)
{
    const ParsedNumber<double> length = parseFloat(lengthText);
    if (!length.ok())
        return {0, 0, length.error};
    const ParsedNumber<double> pixels = parseFloat(pixelText);
    if (!pixels.ok())
        return {0, 0, pixels.error};
    if (pixels.value == 0)
        return {length.value, 0, axis + QStringLiteral("軸像數不可為零!")};
    if (QString refusal = scaleRefusal(axis, length.value, pixels.value); !refusal.isEmpty())
        return {length.value, pixels.value, refusal};
    return {length.value, pixels.value, QString()};
}

QString pixelCountText(double pixels)
{
    return formatFloat(QStringLiteral("0."), pixels);
}

QString ratioText(double length, double pixels)
{
    return formatFloat(QStringLiteral("0.000000"), length / pixels);
}

PixelRatioReading readPixelRatio(const QString &xText, const QString &yText)
{
    const ParsedNumber<double> x = parseFloat(xText);
    if (!x.ok())
        return {1, 1, x.error};
    const ParsedNumber<double> y = parseFloat(yText);
    if (!y.ok())
        return {1, 1, y.error};
    for (auto [axis, value] : {std::pair{"X", x.value}, std::pair{"Y", y.value}}) {
        if (!(value > 0))
            return {1, 1, QStringLiteral("CCD比例 %1 必須大於零! (%2)").arg(QLatin1String(axis), floatToText(value))};
    }
    // Both finite and above 0, yet one may be so much larger that the quotient is not.
    if (!std::isfinite(x.value / y.value) || !std::isfinite(y.value / x.value))
        return {1, 1, QStringLiteral("CCD比例 X : Y 超出範圍! (%1 : %2)").arg(floatToText(x.value), floatToText(y.value))};
    return {x.value, y.value, QString()};
}
