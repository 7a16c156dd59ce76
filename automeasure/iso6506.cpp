#include "automeasure/iso6506.h"

#include <algorithm>
#include <cmath>

#include "base/numberformat.h"

namespace {

// Relative slack at the limits: 0.24 × 10 is not exactly 2.4 in binary.
constexpr double Slack = 1e-9;

} // namespace

Iso6506Check iso6506Check(double ball, double impression, bool diametersKnown, double width, double height)
{
    Iso6506Check check;
    check.ratio = impression / ball;
    check.ratioWithin = std::isfinite(check.ratio) && check.ratio >= IsoRatioLow * (1 - Slack)
        && check.ratio <= IsoRatioHigh * (1 + Slack);
    const double shorter = std::min(width, height);
    const double longer = std::max(width, height);
    check.diametersKnown = diametersKnown && shorter > 0 && std::isfinite(longer);
    if (check.diametersKnown) {
        check.spread = (longer - shorter) / shorter * 100;
        check.spreadWithin = check.spread <= IsoSpreadPercent * (1 + Slack);
    }
    return check;
}

QString isoRatioText(const Iso6506Check &check)
{
    const QString ratio = QStringLiteral("d/D ") + formatFloat(QStringLiteral("0.000"), check.ratio);
    return check.ratioWithin ? ratio + QStringLiteral(" (0.24~0.6)") : ratio + QStringLiteral(" 超出 0.24~0.6");
}

QString isoSpreadText(const Iso6506Check &check)
{
    if (!check.diametersKnown)
        return QStringLiteral("兩徑差 —");
    const QString spread = QStringLiteral("兩徑差 ") + formatFloat(QStringLiteral("0.00"), check.spread) + QLatin1Char('%');
    return check.spreadWithin ? spread + QStringLiteral(" (≤1%)") : spread + QStringLiteral(" 超出 1%");
}
