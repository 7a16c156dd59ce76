#include "measure/geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

using std::numbers::inv_pi;
using std::numbers::pi;

double sq(double v)
{
    return std::pow(v, 2);
}

double pixelDistance(QPointF a, QPointF b)
{
    return std::sqrt(sq(b.x() - a.x()) + sq(b.y() - a.y()));
}

void setMidAnchor(GeometryResult &g, QPointF a, QPointF b)
{
    g.labelX = toPixel((a.x() + b.x()) * 0.5);
    g.labelY = toPixel((a.y() + b.y()) * 0.5);
}

}  // namespace

int toPixel(double v)
{
    if (std::isnan(v))
        return 0;
    const double t = std::trunc(v);
    if (t >= 2147483647.0)
        return 2147483647;
    if (t <= -2147483648.0)
        return -2147483647 - 1;
    return static_cast<int>(t);
}

QPointF footPoint(QPointF p1, QPointF p2, QPointF p3)
{
    const double x1 = p1.x(), y1 = p1.y(), x2 = p2.x(), y2 = p2.y(), x3 = p3.x(), y3 = p3.y();
    const double d = x3 - x2;
    if (d == 0)
        return {x2, y1};
    const double m = (y3 - y2) / d;
    if (m == 0)
        return {x1, y2};
    const double fx = (x1 / m + y1 + m * x2 - y2) / (m + 1 / m);
    const double fy = y2 + (y3 - y2) / (x3 - x2) * (fx - x2);
    return {fx, fy};
}

QPointF circleCentre(QPointF p1, QPointF p2, QPointF p3)
{
    const double x1 = p1.x(), y1 = p1.y(), x2 = p2.x(), y2 = p2.y(), x3 = p3.x(), y3 = p3.y();
    const double d1 = (y3 - y1) * (x2 - x1);
    const double d2 = (y2 - y1) * (x3 - x1);
    if (d1 == d2)
        return {0, 0};
    const double a = sq(x2) - sq(x1) + sq(y2) - sq(y1);
    const double b = sq(x3) - sq(x1) + sq(y3) - sq(y1);
    const double cx = (a * (y3 - y1) - b * (y2 - y1)) * 0.5 / (d1 - d2);
    const double cy = (a * (x3 - x1) - b * (x2 - x1)) * 0.5 / ((y2 - y1) * (x3 - x1) - (y3 - y1) * (x2 - x1));
    return {cx, cy};
}

double calibratedDistance(QPointF a, QPointF b, double scaleX, double scaleY)
{
    return std::sqrt(sq((b.x() - a.x()) * scaleX) + sq((b.y() - a.y()) * scaleY));
}

std::optional<AngleResult> angleBetween(QPointF p1, QPointF p2, QPointF p3, QPointF p4)
{
    const double x1 = p1.x(), y1 = p1.y(), x2 = p2.x(), y2 = p2.y();
    const double x3 = p3.x(), y3 = p3.y(), x4 = p4.x(), y4 = p4.y();
    const double a1 = x2 - x1, b1 = y1 - y2, a2 = x4 - x3, b2 = y3 - y4;
    if ((a1 == 0 && b1 == 0) || (a2 == 0 && b2 == 0))
        return std::nullopt;
    const double denominator = (y4 - y3) * a1 - (y2 - y1) * a2;
    if (denominator == 0)
        return std::nullopt;  // parallel lines have no intersection to report

    const double l1 = std::sqrt(sq(b1) + sq(a1));
    const double l2 = std::sqrt(sq(b2) + sq(a2));
    // Rounding can push the cosine of nearly (anti)parallel lines just outside the domain of acos.
    const double cosine = std::clamp(((b1 * b2 + a1 * a2) / l1) / l2, -1.0, 1.0);
    const double theta = std::acos(cosine);

    const double t = (y1 * a1 - x1 * (y2 - y1) - y3 * a1 + x3 * (y2 - y1)) / denominator;
    AngleResult r;
    r.degrees = std::abs(theta * 180 * inv_pi);
    r.intersection = QPointF(x3 + (x4 - x3) * t, y3 + (y4 - y3) * t);
    return r;
}

std::optional<GeometryResult> computeGeometry(MeasurementKind kind, std::span<const QPointF> points,
                                              double scaleX, double scaleY, double unitFactor)
{
    const int n = kindPointCount(kind);
    if (n == 0 || points.size() < static_cast<std::size_t>(n))
        return std::nullopt;

    GeometryResult g;
    for (int i = 0; i < n; ++i) {
        const QPointF p = points[static_cast<std::size_t>(i)];
        const auto k = static_cast<std::size_t>(i);
        g.x[k] = p.x();
        g.y[k] = p.y();
        g.x[k + 4] = p.x() * scaleX;
        g.y[k + 4] = p.y() * scaleY;
    }
    const QPointF p1 = points[0];
    const QPointF p2 = n > 1 ? points[1] : QPointF();
    const QPointF p3 = n > 2 ? points[2] : QPointF();

    switch (kind) {
    case MeasurementKind::Width:
        g.val[0] = std::abs(p2.x() - p1.x());
        g.val[3] = g.val[0] * scaleX;
        setMidAnchor(g, p1, p2);
        break;
    case MeasurementKind::Height:
        g.val[0] = std::abs(p2.y() - p1.y());
        g.val[3] = g.val[0] * scaleY;
        setMidAnchor(g, p1, p2);
        break;
    case MeasurementKind::PointToPoint:
    case MeasurementKind::CircleToCircle:
        g.val[0] = pixelDistance(p1, p2);
        g.val[3] = calibratedDistance(p1, p2, scaleX, scaleY);
        setMidAnchor(g, p1, p2);
        break;
    case MeasurementKind::PointToLine:
    case MeasurementKind::LineToLine:
    case MeasurementKind::PointGroup: {
        const QPointF f = footPoint(p1, p2, p3);
        g.val[0] = pixelDistance(p1, f);
        g.val[1] = f.x();
        g.val[2] = f.y();
        g.val[3] = calibratedDistance(p1, f, scaleX, scaleY);
        g.val[4] = f.x() * scaleX;
        g.val[5] = f.y() * scaleY;
        if (kind == MeasurementKind::PointGroup)
            setMidAnchor(g, p1, f);
        else
            setMidAnchor(g, p1, p2);
        break;
    }
    case MeasurementKind::Circle:
    case MeasurementKind::Arc: {
        const QPointF c = circleCentre(p1, p2, p3);
        const double rc = calibratedDistance(c, p1, scaleX, scaleY);
        g.val[0] = pixelDistance(c, p1);
        g.val[1] = c.x();
        g.val[2] = c.y();
        g.val[3] = rc;
        g.val[4] = c.x() * scaleX;
        g.val[5] = c.y() * scaleY;
        g.labelX = toPixel(p3.x());
        g.labelY = toPixel(p3.y());
        if (kind == MeasurementKind::Circle) {
            g.area = sq(rc * unitFactor) * pi;
            break;
        }
        const double ux = p1.x() - c.x(), uy = p1.y() - c.y();
        const double wx = p3.x() - c.x(), wy = p3.y() - c.y();
        const double dot = ux * wx + uy * wy;
        const double lengths = std::sqrt(sq(ux) + sq(uy)) * std::sqrt(sq(wx) + sq(wy));
        const double theta = lengths != 0 ? std::acos(std::clamp(dot / lengths, -1.0, 1.0)) : pi / 2;
        g.arcLength = dot < 0 ? rc * unitFactor * (2 * pi - theta) : rc * unitFactor * theta;
        g.chord = calibratedDistance(p1, p3, scaleX, scaleY) * unitFactor;
        break;
    }
    case MeasurementKind::Angle: {
        const auto angle = angleBetween(p1, p2, p3, points[3]);
        if (!angle)
            return std::nullopt;
        g.val[0] = g.val[3] = angle->degrees;
        g.val[1] = g.val[4] = angle->intersection.x();
        g.val[2] = g.val[5] = angle->intersection.y();
        g.supplement = 180 - angle->degrees;
        setMidAnchor(g, p1, p2);
        break;
    }
    case MeasurementKind::TextNote:
        g.labelX = toPixel(p1.x());
        g.labelY = toPixel(p1.y());
        break;
    }
    return g;
}
