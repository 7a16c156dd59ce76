#include "records/measurementrows.h"

#include "records/measurementobject.h"

std::optional<QPointF> referencePoint(int attribId, const MeasurementObject &m)
{
    switch (attribId) {
    case 4:
    case 5:
    case 10:
    case 11:
        return QPointF(m.x[0], m.y[0]);
    case 6:
    case 7:
    case 8:
        return QPointF(m.Val[1], m.Val[2]);
    case 1:
    case 2:
    case 3:
    case 9:
        return QPointF((m.x[0] + m.x[1]) / 2, (m.y[0] + m.y[1]) / 2);
    default:
        return std::nullopt;
    }
}

ResultCaptions resultCaptions(int attribId)
{
    switch (attribId) {
    case 6:
    case 8:
        return {QStringLiteral("半徑："), QStringLiteral("圓心X："), QStringLiteral("圓心Y："), false};
    case AngleAttribId:
        return {QStringLiteral("角度："), QStringLiteral("交點X："), QStringLiteral("交點Y："), true};
    default:
        return {QStringLiteral("距離："), std::nullopt, std::nullopt, false};
    }
}
