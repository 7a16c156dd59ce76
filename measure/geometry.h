#pragma once

#include <array>
#include <optional>
#include <span>

#include <QPointF>

#include "measure/kinds.h"

// What one measurement computes from its clicked points: the stored coordinate and value fields,
// the label anchor, and the values shown but not stored.
struct GeometryResult {
    std::array<double, 8> x{};  // x1…x8 as stored: x1…x4 pixels, x5…x8 scaled (Angle: see kind table)
    std::array<double, 8> y{};
    std::array<double, 6> val{};  // Val1…Val6
    int labelX = 0;
    int labelY = 0;
    double supplement = 0;  // Angle: 180 - angle
    double arcLength = 0;   // Arc: in the display unit (UnitFactor applied)
    double chord = 0;       // Arc: in the display unit
    double area = 0;        // Circle: (rc * UnitFactor)^2 * pi
};

// A computed coordinate as a whole pixel: truncation toward zero; values beyond the int range (a
// nearly collinear circle's centre) saturate, NaN gives 0.
[[nodiscard]] int toPixel(double v);

// The foot F of the perpendicular from p1 on the line p2-p3, by the measuring rules
// (vertical line, also p2 == p3: F = (x2, y1); horizontal: F = (x1, y2)).
[[nodiscard]] QPointF footPoint(QPointF p1, QPointF p2, QPointF p3);

// Centre of the circle through three points; (0, 0) when they are collinear or two coincide.
[[nodiscard]] QPointF circleCentre(QPointF p1, QPointF p2, QPointF p3);

// Length between a and b with each axis scaled separately before the distance is taken.
[[nodiscard]] double calibratedDistance(QPointF a, QPointF b, double scaleX, double scaleY);

// The angle in degrees (0…180) between the directions p1->p2 and p3->p4 and the intersection of the
// two lines; nullopt when a line has zero length or the lines are parallel.
struct AngleResult {
    double degrees = 0;
    QPointF intersection;
};
[[nodiscard]] std::optional<AngleResult> angleBetween(QPointF p1, QPointF p2, QPointF p3, QPointF p4);

// The whole computation of one kind from the points P1…Pn (as many as the kind takes: 2, 3 or 4;
// TextNote 1; PointGroup 3 with P1 the measured point), the active scale and the display unit
// factor. nullopt when the kind gives no measurement (Angle with a zero-length or parallel line)
// or too few points are given.
[[nodiscard]] std::optional<GeometryResult> computeGeometry(MeasurementKind kind,
                                                            std::span<const QPointF> points,
                                                            double scaleX, double scaleY,
                                                            double unitFactor);
