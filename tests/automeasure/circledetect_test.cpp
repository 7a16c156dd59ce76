#include <cmath>

#include <QImage>

#include <gtest/gtest.h>

#include "automeasure/circledetect.h"
#include "base/canvas.h"
#include "tests/automeasure/impression.h"

namespace {

using impression::Scene;

constexpr double Scale = 0.01;  // mm per pixel on both axes

// A search around the middle of the picture for a rim of about nominal pixels.
CircleSearch searchFor(double nominal, int inner, int outer, bool outline)
{
    CircleSearch s;
    s.radius = nominal * Scale;
    s.innerPercent = inner;
    s.outerPercent = outer;
    s.outline = outline;
    return s;
}

CircleDetection detect(const QImage &image, const CircleSearch &search)
{
    return detectCircle(rowsOf(image), search, Scale, Scale);
}

double distance(QPointF a, QPointF b)
{
    return std::hypot(a.x() - b.x(), a.y() - b.y());
}

TEST(CircleDetectTest, RaysFindTheRimOrTheBowlOfACleanImpression)
{
    Scene scene;
    scene.centre = {322.4, 237.8};
    scene.bowl = 55;
    const QImage picture = impression::render(scene);
    // The band 37.5 … 112.5 px holds both the bowl's edge and the rim.
    struct Case {
        const char *what;
        bool outline;
        double radius;
    } const cases[] = {{"second step: the rim", true, 100}, {"first step: the bowl", false, 55}};
    for (const Case &c : cases) {
        const CircleDetection d = detect(picture, searchFor(150, 25, 75, c.outline));
        ASSERT_TRUE(d.found()) << c.what;
        EXPECT_EQ(d.edges.size(), 18u) << c.what;
        EXPECT_EQ(d.marks.size(), 18u) << c.what;
        EXPECT_EQ(d.groupsUsed, 6) << c.what;
        // Each edge is the first sample past its step: up to a pixel and a half outside.
        EXPECT_GT(d.radius, c.radius) << c.what;
        EXPECT_LT(d.radius, c.radius + 1.5) << c.what;
        EXPECT_LT(distance(d.centre, scene.centre), 1.0) << c.what;
        EXPECT_DOUBLE_EQ(d.diameter, d.radius * Scale * 2) << c.what;
    }
}

TEST(CircleDetectTest, GroupCountIsTruncatedAndAtMostAHundred)
{
    const QImage picture = impression::render(Scene{});
    struct Case {
        double groups;
        size_t rays;
    } const cases[] = {{2.9, 6}, {1, 3}, {0.5, 0}, {150, 300}};
    for (const Case &c : cases) {
        CircleSearch s = searchFor(100, 50, 150, false);
        s.groups = c.groups;
        EXPECT_EQ(detect(picture, s).edges.size(), c.rays) << c.groups;
    }
}

TEST(CircleDetectTest, SearchCentreAndGuideCircles)
{
    CircleSearch s = searchFor(101, 25, 75, true);
    SearchRange r = searchRange(s, Scale, 0.02, 641, 481);
    EXPECT_EQ(r.cx, 320);  // integer halves of the view
    EXPECT_EQ(r.cy, 240);
    EXPECT_DOUBLE_EQ(r.nominal, 101);
    EXPECT_DOUBLE_EQ(r.inner, 25.25);
    EXPECT_DOUBLE_EQ(r.outer, 75.75);
    s.autoCentre = true;
    s.centreX = 3.209;
    s.centreY = 4.8052;
    r = searchRange(s, Scale, 0.02, 641, 481);
    EXPECT_DOUBLE_EQ(r.cx, 320.9);
    EXPECT_DOUBLE_EQ(r.cy, 240.26);
    // The inner circle keeps the centre's fraction (295.65, 215.01), the outer one truncates the
    // centre first (244.25, 164.25).
    const GuideBox inner = guideCircle(r, 25, false);
    EXPECT_EQ(inner.left, 295);
    EXPECT_EQ(inner.top, 215);
    EXPECT_EQ(inner.size, 51);
    const GuideBox outer = guideCircle(r, 75, true);
    EXPECT_EQ(outer.left, 244);
    EXPECT_EQ(outer.top, 164);
    EXPECT_EQ(outer.size, 152);
}

TEST(CircleDetectTest, TenEdgePointsMakeThreeGroups)
{
    // 18 rays 20° apart; only those from 0° to 180° (y down) meet a rim.
    Scene scene;
    scene.sectorFrom = -10;
    scene.sectorTo = 190;
    const CircleDetection d = detect(impression::render(scene), searchFor(100, 50, 150, false));
    ASSERT_TRUE(d.found());
    ASSERT_EQ(d.edges.size(), 10u);
    const std::vector<QPointF> groups = {d.edges[0], d.edges[3], d.edges[6], d.edges[1], d.edges[4],
                                         d.edges[7], d.edges[2], d.edges[5], d.edges[8]};
    EXPECT_EQ(d.marks, groups);
    EXPECT_EQ(d.groupsUsed, 3);
    EXPECT_GT(d.radius, 100);
    EXPECT_LT(d.radius, 101.5);
}

TEST(CircleDetectTest, NothingToSizeIsNoEdgeNotAMadeUpRadius)
{
    Scene plain;
    plain.radius = 1000;  // no rim in the picture
    const QImage disc = impression::render(Scene{});
    struct Case {
        const char *what;
        QImage picture;
        CircleSearch search;
    };
    CircleSearch full = searchFor(100, 50, 150, false);
    Case cases[] = {
        {"no edge in the picture", impression::render(plain), full},
        {"threshold 100 lets no step through", disc, full},
        {"outer limit at the first sample", disc, searchFor(100, 50, 51, false)},
        {"zero groups cast no rays", disc, full},
        {"a negative group count too", disc, full},
        {"sub-pixel mode without an edge", impression::render(plain), full},
        {"a picture that is not 24-bit", disc.convertToFormat(QImage::Format_RGB32), full},
    };
    cases[1].search.threshold = 100;
    cases[3].search.groups = 0;
    cases[4].search.groups = -3;
    cases[5].search.subPixel = true;
    for (const Case &c : cases) {
        const CircleDetection d = detect(c.picture, c.search);
        EXPECT_EQ(d.status, DetectionStatus::NoEdge) << c.what;
        EXPECT_EQ(d.radius, 0) << c.what;
        EXPECT_EQ(d.diameter, 0) << c.what;
    }
    EXPECT_EQ(detectionStatusText(DetectionStatus::NoEdge), QString::fromUtf8("找不到邊緣"));
    EXPECT_TRUE(detectionStatusText(DetectionStatus::Found).isEmpty());
}

TEST(CircleDetectTest, RaysEndAtThePictureBorder)
{
    const QImage disc = impression::render(Scene{});
    const CircleDetection inside = detect(disc, searchFor(100, 50, 150, false));
    // A band far beyond the picture: the rays stop at its border (quickly) and the border
    // itself is no edge, so the second step never comes.
    const CircleDetection wide = detect(disc, searchFor(1e12, 0, 150, false));
    ASSERT_TRUE(inside.found());
    EXPECT_EQ(wide.edges, inside.edges);
    EXPECT_EQ(detect(disc, searchFor(1e12, 0, 150, true)).status, DetectionStatus::NoEdge);
}

TEST(CircleDetectTest, BrightnessWeighsTheChannels)
{
    // Red (Y 76.2) on green (Y 149.7): a step of 28.8 %. Swapping red and blue would make it 47 %.
    QImage picture(200, 200, QImage::Format_BGR888);
    picture.fill(QColor(0, 255, 0));
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            if (std::hypot(x + 0.5 - 100, y + 0.5 - 100) < 50)
                picture.setPixelColor(x, y, QColor(255, 0, 0));
    for (const QImage &p : {picture, picture.convertToFormat(QImage::Format_RGB888)}) {
        CircleSearch s = searchFor(50, 50, 150, false);
        s.threshold = 28;
        EXPECT_TRUE(detect(p, s).found()) << p.format();
        s.threshold = 29;
        EXPECT_EQ(detect(p, s).status, DetectionStatus::NoEdge) << p.format();
    }
}

TEST(CircleDetectTest, TriplesOnALineAreLeftOutOfTheMean)
{
    // Group 0 (points 0, 2, 4) lies on a line; group 1 (1, 3, 5) on the circle (50, 50) r 10.
    const double h = 10 * std::sqrt(3.0) / 2;
    const std::vector<QPointF> mixed = {{10, 10}, {60, 50}, {20, 20}, {45, 50 + h}, {30, 30}, {45, 50 - h}};
    CircleDetection d = fitRayTriples(mixed);
    ASSERT_TRUE(d.found());
    EXPECT_EQ(d.groupsUsed, 1);
    EXPECT_NEAR(d.radius, 10, 1e-9);  // not (10 + |(10, 10)|) / 2
    EXPECT_NEAR(d.centre.x(), 50, 1e-9);
    EXPECT_NEAR(d.centre.y(), 50, 1e-9);
    EXPECT_EQ(d.marks.size(), 6u);

    d = fitRayTriples({{0, 0}, {1, 1}, {2, 2}, {0, 0}, {3, 3}, {5, 5}});
    EXPECT_EQ(d.status, DetectionStatus::NoCircle);
    EXPECT_EQ(d.radius, 0);

    // Three points form one group, but fewer than four is no edge; their crosses still show.
    d = fitRayTriples({{60, 50}, {45, 50 + h}, {45, 50 - h}});
    EXPECT_EQ(d.status, DetectionStatus::NoEdge);
    EXPECT_EQ(d.marks.size(), 3u);
}

TEST(CircleDetectTest, MarksAreYellowCrossesAtTruncatedPoints)
{
    QImage view(20, 20, QImage::Format_BGR888);
    view.fill(Qt::black);
    Canvas canvas(view);
    const std::vector<QPointF> marks = {{10.9, 5.7}};
    markEdges(canvas, marks);
    EXPECT_EQ(canvas.pixel(8, 5), 0x00FFFFu);
    EXPECT_EQ(canvas.pixel(12, 5), 0x00FFFFu);
    EXPECT_EQ(canvas.pixel(13, 5), 0u);
    EXPECT_EQ(canvas.pixel(10, 3), 0x00FFFFu);
    EXPECT_EQ(canvas.pixel(10, 8), 0u);
}

} // namespace
