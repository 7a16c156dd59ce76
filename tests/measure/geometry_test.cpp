#include <cmath>
#include <numbers>
#include <optional>
#include <random>
#include <vector>

#include <QPointF>

#include <gtest/gtest.h>

#include "measure/geometry.h"
#include "measure/kinds.h"

namespace {

using std::numbers::pi;

std::optional<GeometryResult> compute(MeasurementKind kind, std::vector<QPointF> points, double sx = 1,
                                      double sy = 1, double unit = 1)
{
    return computeGeometry(kind, points, sx, sy, unit);
}

TEST(KindTest, PrefixesAndStoredNames)
{
    QString prefixes;
    for (int i = 0; i < KindCount; ++i)
        prefixes += kindPrefix(kindFromIndex(i));
    EXPECT_EQ(prefixes, "whdlprgacmt");
    EXPECT_EQ(KindDescriptions().size(), KindCount);
    EXPECT_EQ(kindName(MeasurementKind::TextNote), QString::fromUtf8("文字註解"));
    EXPECT_EQ(kindButtonCaption(MeasurementKind::TextNote), QString::fromUtf8("註解"));
}

TEST(GeometryTest, FootPointRules)
{
    struct Case {
        const char *what;
        QPointF p1, p2, p3, foot;
    };
    const Case cases[] = {
        {"vertical line", {3, 7}, {10, 0}, {10, 50}, {10, 7}},
        {"horizontal line", {3, 7}, {0, 20}, {50, 20}, {3, 20}},
        {"P2 = P3 takes the vertical rule", {3, 7}, {10, 5}, {10, 5}, {10, 7}},
        {"diagonal", {0, 10}, {0, 0}, {10, 10}, {5, 5}},
        {"point on the line", {4, 8}, {0, 0}, {1, 2}, {4, 8}},
    };
    for (const Case &c : cases) {
        const QPointF f = footPoint(c.p1, c.p2, c.p3);
        EXPECT_NEAR(f.x(), c.foot.x(), 1e-12) << c.what;
        EXPECT_NEAR(f.y(), c.foot.y(), 1e-12) << c.what;
    }
}

TEST(GeometryTest, KindFieldsAndAnchors)
{
    // Width with P2 left of P1 is positive; the anchor truncates toward zero, not down.
    auto g = compute(MeasurementKind::Width, {{-3, 10}, {-20, 13}}, 0.5, 2);
    ASSERT_TRUE(g);
    EXPECT_DOUBLE_EQ(g->val[0], 17);
    EXPECT_DOUBLE_EQ(g->val[3], 8.5);
    EXPECT_EQ(g->labelX, -11);
    EXPECT_EQ(g->labelY, 11);
    EXPECT_DOUBLE_EQ(g->x[5], -10);
    EXPECT_DOUBLE_EQ(g->y[5], 26);
    EXPECT_EQ(g->x[2], 0);

    g = compute(MeasurementKind::Height, {{5, 40}, {6, 10}}, 0.5, 2);
    EXPECT_DOUBLE_EQ(g->val[0], 30);
    EXPECT_DOUBLE_EQ(g->val[3], 60);

    // Per-axis scaling: a mean scale would give 5 * 1.25 instead of sqrt(40).
    g = compute(MeasurementKind::CircleToCircle, {{0, 0}, {3, 4}}, 2, 0.5);
    EXPECT_DOUBLE_EQ(g->val[0], 5);
    EXPECT_DOUBLE_EQ(g->val[3], std::sqrt(40.0));

    g = compute(MeasurementKind::PointToLine, {{3, 7}, {10, 0}, {10, 50}}, 2, 3);
    EXPECT_DOUBLE_EQ(g->val[0], 7);
    EXPECT_DOUBLE_EQ(g->val[3], 14);
    EXPECT_DOUBLE_EQ(g->val[4], 20);
    EXPECT_DOUBLE_EQ(g->val[5], 21);
    EXPECT_EQ(g->labelX, 6);  // mid(P1, P2)
    g = compute(MeasurementKind::PointGroup, {{3, 7}, {10, 0}, {10, 50}});
    EXPECT_EQ(g->labelX, 6);  // mid(P1, F) = (6.5, 7)
    EXPECT_EQ(g->labelY, 7);

    g = compute(MeasurementKind::TextNote, {{12.7, -3.9}}, 2, 2);
    EXPECT_EQ(g->labelX, 12);
    EXPECT_EQ(g->labelY, -3);
    EXPECT_DOUBLE_EQ(g->x[4], 25.4);
    EXPECT_EQ(g->val, (std::array<double, 6>{}));

    EXPECT_FALSE(compute(MeasurementKind::Circle, {{1, 1}, {2, 2}}));
}

TEST(GeometryTest, CircleAndArc)
{
    auto g = compute(MeasurementKind::Circle, {{100, 20}, {150, 70}, {100, 120}}, 0.1, 0.1, 10);
    ASSERT_TRUE(g);
    EXPECT_DOUBLE_EQ(g->val[1], 100);
    EXPECT_DOUBLE_EQ(g->val[2], 70);
    EXPECT_DOUBLE_EQ(g->val[0], 50);
    EXPECT_NEAR(g->area, 2500 * pi, 1e-9);
    EXPECT_EQ(g->labelX, 100);
    EXPECT_EQ(g->labelY, 120);

    // Collinear points: centre at the origin, radius |P1|.
    g = compute(MeasurementKind::Circle, {{3, 4}, {6, 8}, {9, 12}});
    EXPECT_EQ(g->val[1], 0);
    EXPECT_EQ(g->val[2], 0);
    EXPECT_DOUBLE_EQ(g->val[0], 5);

    struct ArcCase {
        const char *what;
        double endDegrees;
        double expectedRadians;
    };
    const ArcCase arcs[] = {
        {"60 degrees apart: the short arc", 60, pi / 3},
        {"120 degrees apart: the long arc", 120, 2 * pi - 2 * pi / 3},
    };
    for (const ArcCase &a : arcs) {
        const double e = a.endDegrees * pi / 180;
        g = compute(MeasurementKind::Arc, {{10, 0}, {0, 10}, {10 * std::cos(e), 10 * std::sin(e)}}, 0.5, 0.5, 4);
        EXPECT_NEAR(g->arcLength, 10 * 0.5 * 4 * a.expectedRadians, 1e-9) << a.what;
        EXPECT_NEAR(g->chord, 2 * 10 * std::sin(e / 2) * 0.5 * 4, 1e-9) << a.what;
    }
    // P3 on the centre (collinear points through the origin): the angle falls back to pi/2.
    g = compute(MeasurementKind::Arc, {{2, 2}, {1, 1}, {0, 0}});
    EXPECT_NEAR(g->arcLength, std::sqrt(8.0) * pi / 2, 1e-12);
}

TEST(GeometryTest, Angle)
{
    auto g = compute(MeasurementKind::Angle, {{0, 0}, {10, 0}, {0, 0}, {10, 10}}, 2, 3);
    ASSERT_TRUE(g);
    EXPECT_NEAR(g->val[0], 45, 1e-12);
    EXPECT_NEAR(g->supplement, 135, 1e-12);
    EXPECT_EQ(g->val[3], g->val[0]);
    EXPECT_DOUBLE_EQ(g->x[7], 20);  // scaled P4
    EXPECT_DOUBLE_EQ(g->y[7], 30);

    g = compute(MeasurementKind::Angle, {{0, 0}, {10, 0}, {10, 10}, {0, 0}}, 2, 3);
    EXPECT_NEAR(g->val[0], 135, 1e-12);
    EXPECT_NEAR(g->val[1], 0, 1e-12);
    EXPECT_NEAR(g->val[2], 0, 1e-12);
    EXPECT_EQ(g->val[4], g->val[1]);  // the intersection stays in pixels

    g = compute(MeasurementKind::Angle, {{0, 0}, {10, 0}, {40, -10}, {20, 10}});
    EXPECT_NEAR(g->val[0], 135, 1e-12);
    EXPECT_NEAR(g->val[1], 30, 1e-12);
    EXPECT_NEAR(g->val[2], 0, 1e-12);

    EXPECT_FALSE(compute(MeasurementKind::Angle, {{5, 5}, {5, 5}, {0, 0}, {1, 3}}));
    EXPECT_FALSE(compute(MeasurementKind::Angle, {{0, 0}, {1, 3}, {7, 7}, {7, 7}}));
    EXPECT_FALSE(compute(MeasurementKind::Angle, {{0, 0}, {1, 3}, {5, 0}, {3, -6}}));  // parallel
}

double cross(QPointF a, QPointF b) { return a.x() * b.y() - a.y() * b.x(); }
double dot(QPointF a, QPointF b) { return a.x() * b.x() + a.y() * b.y(); }

// The same quantities derived another way: projection, a linear system, atan2.
TEST(GeometryTest, AgreesWithIndependentDerivation)
{
    std::mt19937 rng(20240611);
    std::uniform_real_distribution<double> coord(-200, 1400);
    std::uniform_real_distribution<double> scale(0.001, 0.2);
    auto point = [&] { return QPointF(coord(rng), coord(rng)); };
    const double tol = 1e-7;
    int circles = 0;
    int angles = 0;
    for (int i = 0; i < 4000; ++i) {
        const QPointF p1 = point(), p2 = point(), p3 = point(), p4 = point();
        const double sx = scale(rng), sy = scale(rng);

        const QPointF d = p3 - p2;
        const QPointF f = footPoint(p1, p2, p3);
        const QPointF expectedF = p2 + d * (dot(p1 - p2, d) / dot(d, d));
        EXPECT_NEAR(f.x(), expectedF.x(), tol * 1000);
        EXPECT_NEAR(f.y(), expectedF.y(), tol * 1000);
        const auto line = computeGeometry(MeasurementKind::LineToLine, std::vector{p1, p2, p3}, sx, sy, 1);
        EXPECT_NEAR(line->val[0], std::abs(cross(d, p1 - p2)) / std::hypot(d.x(), d.y()), tol * 1000);
        EXPECT_NEAR(line->val[3], std::hypot((p1.x() - expectedF.x()) * sx, (p1.y() - expectedF.y()) * sy),
                    tol * 100);

        // Perpendicular bisectors: 2(P2-P1).C = |P2|^2-|P1|^2, 2(P3-P1).C = |P3|^2-|P1|^2.
        const QPointF u = p2 - p1, w = p3 - p1;
        const double det = 2 * cross(u, w);
        if (std::abs(det) > 1e3) {
            ++circles;
            const double k1 = dot(p2, p2) - dot(p1, p1), k2 = dot(p3, p3) - dot(p1, p1);
            const QPointF c((k1 * w.y() - k2 * u.y()) / det, (u.x() * k2 - w.x() * k1) / det);
            const auto arc = computeGeometry(MeasurementKind::Arc, std::vector{p1, p2, p3}, sx, sy, 3);
            const double r = std::hypot(p1.x() - c.x(), p1.y() - c.y());
            const double rel = tol * (1 + r);
            EXPECT_NEAR(arc->val[1], c.x(), rel);
            EXPECT_NEAR(arc->val[2], c.y(), rel);
            EXPECT_NEAR(arc->val[0], r, rel);
            const double rc = std::hypot((p1.x() - c.x()) * sx, (p1.y() - c.y()) * sy);
            EXPECT_NEAR(arc->val[3], rc, tol * (1 + rc));
            const double turn = std::remainder(std::atan2(p3.y() - c.y(), p3.x() - c.x()) -
                                                   std::atan2(p1.y() - c.y(), p1.x() - c.x()),
                                               2 * pi);
            const double theta = std::abs(turn);
            if (std::abs(theta - pi / 2) > 1e-6) {
                const double expected = rc * 3 * (theta > pi / 2 ? 2 * pi - theta : theta);
                EXPECT_NEAR(arc->arcLength, expected, tol * (1 + expected));
            }
        }

        const QPointF d1 = p2 - p1, d2 = p4 - p3;
        const double sine = cross(d1, d2) / (std::hypot(d1.x(), d1.y()) * std::hypot(d2.x(), d2.y()));
        if (std::abs(sine) > 1e-3) {
            ++angles;
            const auto angle = angleBetween(p1, p2, p3, p4);
            ASSERT_TRUE(angle);
            EXPECT_NEAR(angle->degrees, std::abs(std::atan2(cross(d1, d2), dot(d1, d2))) * 180 / pi, 1e-6);
            const double s = cross(p3 - p1, d2) / cross(d1, d2);
            const QPointF q = p1 + d1 * s;
            const double qTol = tol * (1 + std::hypot(q.x(), q.y()));
            EXPECT_NEAR(angle->intersection.x(), q.x(), qTol);
            EXPECT_NEAR(angle->intersection.y(), q.y(), qTol);
        }
    }
    EXPECT_GT(circles, 3000);
    EXPECT_GT(angles, 3000);
}

}  // namespace
