#include <cmath>
#include <cstdio>
#include <numbers>

#include <gtest/gtest.h>

#include "automeasure/circledetect.h"
#include "automeasure/precisecircle.h"
#include "tests/automeasure/impression.h"

namespace {

using impression::Scene;
using impression::Scratch;

constexpr double Scale = 0.01;

struct Noisy {
    const char *what;
    Scene scene;
};

// Impressions 150 px in radius, off the middle of the picture, with a bright bowl bottom, as a
// ring-lit microscope shows them: the rim is the second step outward.
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

std::vector<Noisy> noisyImpressions()
{
    std::vector<Noisy> cases;
    cases.push_back({"soft rims", ringLit(2.5, 6)});
    Scene scratched = ringLit(1.0, 8);
    scratched.scratches = {{{250, 150}, {520, 420}, 2.5, 25}, {{200, 330}, {560, 250}, 2.0, 35}};
    cases.push_back({"scratches", scratched});
    Scene piled = ringLit(1.8, 6);
    piled.pileUp = 45;
    piled.pileUpGap = 9;
    cases.push_back({"pile-up ring", piled});
    Scene all = ringLit(2.2, 10);
    all.scratches = {{{220, 200}, {540, 380}, 2.0, 30}};
    all.pileUp = 40;
    cases.push_back({"all of it", all});
    return cases;
}

CircleSearch searchFor(const Scene &scene, bool subPixel)
{
    CircleSearch s;
    s.radius = 200 * Scale;
    s.innerPercent = 30;   // 60 px: inside the bowl
    s.outerPercent = 90;   // 180 px: past the rim
    s.subPixel = subPixel;
    s.autoCentre = true;   // the operator placed the centre near the impression
    s.centreX = 370 * Scale;
    s.centreY = 278 * Scale;
    (void)scene;
    return s;
}

double distance(QPointF a, QPointF b)
{
    return std::hypot(a.x() - b.x(), a.y() - b.y());
}

TEST(PreciseCircleTest, WithinATenthOfAPixelOnNoisyImpressions)
{
    std::printf("%-14s %-28s %-28s %s\n", "impression", "rays: centre / radius error", "sub-pixel: centre / radius error", "residual, outliers");
    for (const Noisy &c : noisyImpressions()) {
        const QImage picture = impression::render(c.scene);
        const PictureRows rows = rowsOf(picture);
        const CircleDetection rays = detectCircle(rows, searchFor(c.scene, false), Scale, Scale);
        const CircleDetection fine = detectCircle(rows, searchFor(c.scene, true), Scale, Scale);
        char raysText[64] = "nothing found";
        if (rays.found())
            std::snprintf(raysText, sizeof raysText, "%.2f / %+.2f px", distance(rays.centre, c.scene.centre),
                          rays.radius - c.scene.radius);
        std::printf("%-14s %-28s %.3f / %+.3f px %14.3f px, %d\n", c.what, raysText,
                    distance(fine.centre, c.scene.centre), fine.radius - c.scene.radius, fine.residual,
                    fine.outliers);
        ASSERT_TRUE(fine.found()) << c.what;
        EXPECT_LT(distance(fine.centre, c.scene.centre), 0.1) << c.what;
        EXPECT_NEAR(fine.radius, c.scene.radius, 0.1) << c.what;
        EXPECT_DOUBLE_EQ(fine.diameter, fine.radius * Scale * 2) << c.what;
        EXPECT_GT(fine.residual, 0) << c.what;
        EXPECT_LT(fine.residual, 1) << c.what;
    }
}

} // namespace
