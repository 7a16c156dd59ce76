#include "calibration/scalemath.h"

#include <cmath>

#include "base/numberformat.h"

double scaleFactor(double length, double pixels)
{
    return pixels == 0 ? 1.0 : length / pixels;
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

ParsedNumber<int> parseInteger(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok)
        return {0, QStringLiteral("'%1' is not a valid integer value").arg(text)};
    return {value, QString()};
}

ParsedNumber<double> parseFloat(const QString &text)
{
    bool ok = false;
    // QString's own conversion is locale-independent: "." is always the decimal point.
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return {0.0, QStringLiteral("'%1' is not a valid floating point value").arg(text)};
    return {value, QString()};
}
