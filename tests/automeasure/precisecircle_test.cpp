#include <cmath>
#include <cstdio>

#include <gtest/gtest.h>

#include "automeasure/circledetect.h"
#include "automeasure/precisecircle.h"
#include "tests/automeasure/impression.h"

namespace {

using impression::Scene;

constexpr double Scale = 0.01;

// An impression 150.4 px in radius, off the middle of the picture and off the search centre,
// with a bright bowl bottom as a ring-lit microscope shows it: the rim is the second step outward.
Scene ringLit(double blur, double noise)
{
    Scene s;
    s.width = 720;
    s.height = 560;
    s.centre = {371.37, 276.81};
    s.radius = 150.4;
    s.bowl = 92;
    s.blur = blur;
    s.noise = noise;
    return s;
}

struct Noisy {
    const char *what;
    Scene scene;
    int threshold;
};

std::vector<Noisy> noisyImpressions()
{
    Scene scratched = ringLit(1.0, 8);
    scratched.scratches = {{{250, 150}, {520, 420}, 2.5, 25}, {{200, 330}, {560, 250}, 2.0, 35}};
    Scene piled = ringLit(1.8, 6);
    piled.pileUp = 45;
    piled.pileUpGap = 9;
    Scene all = ringLit(2.0, 10);
    all.scratches = {{{250, 150}, {520, 420}, 2.5, 25}};
    all.pileUp = 45;
    all.pileUpGap = 10;
    return {{"soft rims", ringLit(2.5, 6), 25},
            {"soft rims", ringLit(2.5, 6), 10},
            {"scratches", scratched, 25},
            {"scratches", scratched, 10},
            {"pile-up ring", piled, 10},
            {"all of them", all, 15}};
}

CircleSearch searchFor(int threshold, bool subPixel)
{
    CircleSearch s;
    s.radius = 200 * Scale;
    s.innerPercent = 30;  // 60 px: inside the bowl
    s.outerPercent = 90;  // 180 px: past the rim
    s.threshold = threshold;
    s.subPixel = subPixel;
    s.autoCentre = true;  // placed near the impression, 1.8 px off its centre
    s.centreX = 370 * Scale;
    s.centreY = 278 * Scale;
    return s;
}

double distance(QPointF a, QPointF b)
{
    return std::hypot(a.x() - b.x(), a.y() - b.y());
}

TEST(PreciseCircleTest, WithinATenthOfAPixelOnNoisyImpressions)
{
    std::printf("%-13s %9s  %-24s %-22s %s\n", "impression", "threshold", "rays: centre, radius off",
                "sub-pixel", "residual, outliers");
    for (const Noisy &c : noisyImpressions()) {
        const QImage picture = impression::render(c.scene);
        const PictureRows rows = rowsOf(picture);
        const CircleDetection rays = detectCircle(rows, searchFor(c.threshold, false), Scale, Scale);
        const CircleDetection fine = detectCircle(rows, searchFor(c.threshold, true), Scale, Scale);
        char raysText[64] = "no edge";
        if (rays.found())
            std::snprintf(raysText, sizeof raysText, "%.2f, %+.2f px",
                          distance(rays.centre, c.scene.centre), rays.radius - c.scene.radius);
        std::printf("%-13s %9d  %-24s %.3f, %+.3f px %12.3f px, %d\n", c.what, c.threshold, raysText,
                    distance(fine.centre, c.scene.centre), fine.radius - c.scene.radius,
                    fine.residual, fine.outliers);
        // These are the pictures the option is for: the rays miss the rim or find nothing.
        EXPECT_TRUE(!rays.found() || std::abs(rays.radius - c.scene.radius) > 2) << c.what;
        ASSERT_TRUE(fine.found()) << c.what;
        EXPECT_LT(distance(fine.centre, c.scene.centre), 0.1) << c.what;
        EXPECT_NEAR(fine.radius, c.scene.radius, 0.1) << c.what;
        EXPECT_DOUBLE_EQ(fine.diameter, fine.radius * Scale * 2) << c.what;
        EXPECT_GT(fine.residual, 0) << c.what;
        EXPECT_LT(fine.residual, 0.5) << c.what;
        EXPECT_EQ(fine.marks.size() + size_t(fine.outliers), fine.edges.size()) << c.what;
    }
}

TEST(PreciseCircleTest, FollowsTheOutlineRuleOnACleanImpression)
{
    // No noise: the bowl's edge is the first step, the rim the second, each to a hundredth.
    const QImage picture = impression::render(ringLit(1.2, 0));
    for (const bool outline : {false, true}) {
        CircleSearch s = searchFor(25, true);
        s.outline = outline;
        const CircleDetection d = detectCircle(rowsOf(picture), s, Scale, Scale);
        ASSERT_TRUE(d.found()) << outline;
        EXPECT_NEAR(d.radius, outline ? 150.4 : 92, 0.01) << outline;
        EXPECT_LT(distance(d.centre, {371.37, 276.81}), 0.01) << outline;
        EXPECT_EQ(d.edges.size(), size_t(PreciseRays)) << outline;
        EXPECT_EQ(d.outliers, 0) << outline;
    }
}

TEST(PreciseCircleTest, SubPixelEdgesAreWholeFlanks)
{
    // A soft step of 150 grey levels (59 %) at x = 100.3 seen along a horizontal ray: one edge,
    // however gently it rises, and none for a threshold above its height.
    Scene step;
    step.centre = {0.3, 240};
    step.radius = 100;
    step.blur = 3;
    const QImage picture = impression::render(step);
    const std::vector<double> edges = subPixelEdges(rowsOf(picture), 0.3, 240.5, 0, 40, 160, 25);
    ASSERT_EQ(edges.size(), 1u);
    EXPECT_NEAR(edges[0], 100, 0.02);
    EXPECT_TRUE(subPixelEdges(rowsOf(picture), 0.3, 240.5, 0, 40, 160, 60).empty());
}

TEST(PreciseCircleTest, LeastSquaresFitLeavesNoOutlierIn)
{
    std::vector<QPointF> points;
    for (int k = 0; k < 12; ++k)
        points.emplace_back(5 + 20 * std::cos(k * 0.5), -3 + 20 * std::sin(k * 0.5));
    const auto fit = fitCircle(points, {{4, -2}, 18});
    ASSERT_TRUE(fit);
    EXPECT_NEAR(fit->centre.x(), 5, 1e-9);
    EXPECT_NEAR(fit->centre.y(), -3, 1e-9);
    EXPECT_NEAR(fit->radius, 20, 1e-9);
    const std::vector<QPointF> line = {{0, 0}, {1, 1}, {2, 2}, {3, 3}};
    EXPECT_FALSE(fitCircle(line, {{0, 0}, 1}));
}

} // namespace
