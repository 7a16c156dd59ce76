#include "measure/caption.h"

#include <numbers>

#include "base/numberformat.h"

QString labelCaption(MeasurementKind kind, int index, const GeometryResult &g, double scaleX, double scaleY,
                     double unitFactor, const QString &noteText)
{
    const QString head = kindPrefix(kind) + formatFloat(QStringLiteral("000"), index);
    const double length = g.val[3] * unitFactor;
    switch (kind) {
    case MeasurementKind::Circle: {
        const double radius = g.val[3] * unitFactor;
        return head + formatFloat(QStringLiteral("=0.000"), radius)
               + formatFloat(QStringLiteral("\nCx:0.000,"), g.val[1] * scaleX * unitFactor)
               + formatFloat(QStringLiteral("\nCy:0.000"), g.val[2] * scaleY * unitFactor)
               + formatFloat(QStringLiteral("\nArea:0.000"), radius * radius * std::numbers::pi);
    }
    case MeasurementKind::Angle:
        return head + formatFloat(QStringLiteral("=0.000°"), g.val[0])
               + formatFloat(QStringLiteral("\n0.000°"), 180 - g.val[0]);
    case MeasurementKind::Arc:
        return head + formatFloat(QStringLiteral("=0.000"), g.arcLength)
               + formatFloat(QStringLiteral("\nR0.000"), g.val[3] * unitFactor)
               + formatFloat(QStringLiteral("\nCL:0.000"), g.chord);
    case MeasurementKind::TextNote:
        return head + QLatin1Char('=') + noteText;
    default:
        return head + formatFloat(QStringLiteral("=0.000"), length);
    }
}
