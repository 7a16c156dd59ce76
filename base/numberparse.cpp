#include "base/numberparse.h"

#include <cmath>

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
