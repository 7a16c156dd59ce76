#include "display/marks.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <QPointF>

#include "base/numberformat.h"
#include "measure/geometry.h"
#include "measure/kinds.h"
#include "records/measurementobject.h"

namespace {

constexpr TColor kRed = 0x0000FF;
constexpr TColor kDarkGreen = 32768;

std::optional<MeasurementKind> kindOf(const MeasurementObject &row)
{
    if (row.AttribID < 1 || row.AttribID > KindCount)
        return std::nullopt;
    return kindFromIndex(row.AttribID - 1);
}

QPointF point(const MeasurementObject &row, int k)
{
    return {row.x[size_t(k)], row.y[size_t(k)]};
}

void cross(Canvas &canvas, QPointF p)
{
    canvas.cross(toPixel(p.x()), toPixel(p.y()), 3, 4);
}

void crosses(Canvas &canvas, const MeasurementObject &row, int count)
{
    for (int k = 0; k < count; ++k)
        cross(canvas, point(row, k));
}

void line(Canvas &canvas, QPointF a, QPointF b)
{
    canvas.line(toPixel(a.x()), toPixel(a.y()), toPixel(b.x()), toPixel(b.y()));
}

// The box of the circle of radius r about c; right and bottom are exclusive.
struct Box {
    int left, top, right, bottom;
};

Box circleBox(QPointF c, double r)
{
    return {toPixel(c.x() - r), toPixel(c.y() - r), toPixel(c.x() + r + 1), toPixel(c.y() + r + 1)};
}

void arcAbout(Canvas &canvas, QPointF c, double r, QPointF from, QPointF to)
{
    const Box b = circleBox(c, r);
    canvas.arc(b.left, b.top, b.right, b.bottom, toPixel(from.x()), toPixel(from.y()), toPixel(to.x()),
               toPixel(to.y()));
}

// The angle at the centre of the circle through p1, p2, p3 that the arc from p1 to p3 spans: the
// longer way round when the ends lie more than a right angle apart.
double arcSweep(QPointF p1, QPointF p2, QPointF p3)
{
    const QPointF c = circleCentre(p1, p2, p3);
    const QPointF u = p1 - c;
    const QPointF w = p3 - c;
    const double dot = QPointF::dotProduct(u, w);
    const double lengths = std::hypot(u.x(), u.y()) * std::hypot(w.x(), w.y());
    const double theta = lengths != 0 ? std::acos(std::clamp(dot / lengths, -1.0, 1.0)) : std::numbers::pi / 2;
    return dot < 0 ? 2 * std::numbers::pi - theta : theta;
}

QString fmt(const char *pattern, double value)
{
    return formatFloat(QString::fromUtf8(pattern), value);
}

QString valueText(MeasurementKind kind, const MeasurementObject &row, const LabelScale &s, LabelVariant variant)
{
    const auto &v = row.Val;
    const double uf = s.unitFactor;
    switch (kind) {
    case MeasurementKind::Circle: {
        const double radius = v[3] * uf;
        return fmt("0.000", radius) + fmt("\nCx:0.000,", v[4] * uf) + fmt("\nCy:0.000", v[5] * uf)
               + fmt("\nArea:0.000", std::numbers::pi * radius * radius);
    }
    case MeasurementKind::Angle: {
        const QString angle = fmt("0.000°", v[3]) + fmt("\n0.000°", 180 - v[3]);
        if (variant == LabelVariant::Export)
            return angle + fmt("\nCx:0.000", v[4]) + fmt("\nCy:0.000", v[5]);
        if (variant == LabelVariant::Report)
            return angle + fmt("Cx:0.000", v[4]) + fmt("Cy:0.000", v[5]);
        return angle;
    }
    case MeasurementKind::Arc: {
        if (variant == LabelVariant::Report)
            return fmt("0.000", v[3] * uf) + fmt("\nCx:0.000,", v[4] * uf) + fmt("\nCy:0.000", v[5] * uf);
        const QPointF p1 = point(row, 0);
        const QPointF p3 = point(row, 2);
        const double length = v[3] * uf * arcSweep(p1, point(row, 1), p3);
        const double chord = calibratedDistance(p1, p3, s.scaleX, s.scaleY) * uf;
        return fmt("0.000", length) + fmt("\nR0.000", v[3] * uf) + fmt("\nCL:0.000", chord);
    }
    case MeasurementKind::TextNote:
        return row.OBJNote;
    default:
        return fmt("0.000", v[3] * uf);
    }
}

}  // namespace

StoredMarks drawStoredMarks(Canvas &canvas, const MeasurementObject &row, const MarkOptions &options)
{
    StoredMarks marks;
    canvas.setPen(options.pen, PenMode::Copy);
    const auto kind = kindOf(row);
    if (!kind)
        return marks;
    const QPointF p1 = point(row, 0);
    const QPointF p2 = point(row, 1);
    const QPointF p3 = point(row, 2);
    const QPointF c(row.Val[1], row.Val[2]);  // centre, foot point or vertex, by kind
    const double r = row.Val[0];
    switch (*kind) {
    case MeasurementKind::Width: {
        const double m = (row.y[0] + row.y[1]) / 2;
        line(canvas, {p1.x(), m - 3}, {p1.x(), m + 4});
        line(canvas, {p2.x(), m - 3}, {p2.x(), m + 4});
        line(canvas, {p1.x(), m}, {p2.x(), m});
        break;
    }
    case MeasurementKind::Height: {
        const double n = (row.x[0] + row.x[1]) / 2;
        line(canvas, {n - 3, p1.y()}, {n + 4, p1.y()});
        line(canvas, {n - 3, p2.y()}, {n + 4, p2.y()});
        line(canvas, {n, p1.y()}, {n, p2.y()});
        break;
    }
    case MeasurementKind::PointToPoint:
    case MeasurementKind::CircleToCircle:
        crosses(canvas, row, 2);
        line(canvas, p1, p2);
        break;
    case MeasurementKind::PointToLine:
    case MeasurementKind::LineToLine:
        crosses(canvas, row, 3);
        line(canvas, p2, p3);
        line(canvas, p1, c);
        break;
    case MeasurementKind::PointGroup:
        crosses(canvas, row, 3);
        canvas.setPen(kRed, PenMode::Copy);
        line(canvas, p2, p3);
        canvas.setPen(kDarkGreen, PenMode::Copy);
        line(canvas, p1, c);
        canvas.setPen(options.pen, PenMode::Copy);
        break;
    case MeasurementKind::Circle: {
        crosses(canvas, row, 3);
        cross(canvas, c);
        const Box b = circleBox(c, r);
        canvas.ellipse(b.left, b.top, b.right, b.bottom);
        const int side = toPixel(2 * r + 1);
        marks.circleFrame = QRect(toPixel(c.x() - r + 2), toPixel(c.y() - r + 2), side, side);
        break;
    }
    case MeasurementKind::Angle:
        crosses(canvas, row, 4);
        line(canvas, p1, c);
        line(canvas, p3, c);
        if (options.angleArc)
            arcAbout(canvas, c, r, p1, p3);
        break;
    case MeasurementKind::Arc:
        crosses(canvas, row, 3);
        cross(canvas, c);
        arcAbout(canvas, c, r, p1, p3);
        break;
    case MeasurementKind::TextNote:
        cross(canvas, p1);
        break;
    }
    return marks;
}

LabelTexts labelTexts(const MeasurementObject &row, const LabelScale &scale, LabelVariant variant)
{
    LabelTexts texts;
    texts.note = row.OBJNote;
    const QString index = fmt("000", row.OBJIndex);
    const auto kind = kindOf(row);
    if (!kind) {
        texts.code = QLatin1Char('?') + index;
        return texts;
    }
    texts.code = kindPrefix(*kind) + index;
    texts.value = valueText(*kind, row, scale, variant);
    texts.noteOnce = *kind == MeasurementKind::TextNote && variant != LabelVariant::Export;
    return texts;
}

QString labelText(const LabelTexts &t, int mode)
{
    switch (mode) {
    case 1:
        return t.code + QLatin1Char(':') + t.note;
    case 2:
        return t.code + QLatin1Char('=') + t.value + QStringLiteral("\n:") + (t.noteOnce ? QString() : t.note);
    case 3:
        return t.code;
    case 4:
        return t.value;
    case 5:
        return t.note;
    default:
        return t.code + QLatin1Char('=') + t.value;
    }
}
