#pragma once

#include <optional>

#include <QPointF>
#include <QString>

struct MeasurementObject;

// What the read-out panel shows of a measurement list row, by its kind code (AttribID, 1 to 11).

// The point the red dot marks: P1 for point-to-line, line-to-line, point groups and notes; the
// centre (Val2, Val3) for circles, angles and arcs; the middle of P1 and P2 for widths, heights,
// point-to-point and circle-to-circle. None for any other code.
[[nodiscard]] std::optional<QPointF> referencePoint(int attribId, const MeasurementObject &m);

// The captions of the three results. A kind without captions of its own names its first result
// "距離：" and leaves the other two as they were (no value).
struct ResultCaptions {
    QString first;
    std::optional<QString> second;
    std::optional<QString> third;
    bool degrees = false;  // the first result is an angle
};
[[nodiscard]] ResultCaptions resultCaptions(int attribId);

// The kind code of an angle, whose first result is in degrees whatever the display unit.
inline constexpr int AngleAttribId = 7;
