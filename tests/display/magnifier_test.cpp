#include "display/magnifier.h"

#include <gtest/gtest.h>

namespace {

TEST(MagnifierZoom, StepsByPowersOfTwoBetweenSixteenTimesAndOneSixteenth)
{
    MagnifierZoom zoom;
    EXPECT_EQ(zoom.exponent(), -1);
    EXPECT_EQ(zoom.label(), QStringLiteral("2X"));
    EXPECT_DOUBLE_EQ(zoom.halfSize(), 75.0);

    // Five "放大" from the start: -2, -3, -4, then nothing.
    const QString in[] = {"4X", "8X", "16X", "16X", "16X"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(zoom.zoomIn(), i < 3);
        EXPECT_EQ(zoom.label(), in[i]);
    }
    EXPECT_EQ(zoom.exponent(), -4);
    EXPECT_DOUBLE_EQ(zoom.halfSize(), 9.375);

    const QString out[] = {"8X", "4X", "2X", "1X", "1/2X", "1/4X", "1/8X", "1/16X"};
    for (const QString &label : out) {
        EXPECT_TRUE(zoom.zoomOut());
        EXPECT_EQ(zoom.label(), label);
    }
    EXPECT_FALSE(zoom.zoomOut());
    EXPECT_EQ(zoom.exponent(), 4);
    EXPECT_DOUBLE_EQ(zoom.halfSize(), 2400.0);
}

// Each pixel tells where it came from: blue = x, green = y, red = 200.
QImage addressed(int width, int height)
{
    QImage picture(width, height, QImage::Format_BGR888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uchar *p = picture.scanLine(y) + 3 * x;
            p[0] = uchar(x);
            p[1] = uchar(y);
            p[2] = 200;
        }
    return picture;
}

QRgb from(int x, int y)
{
    return qRgb(200, y, x);
}

TEST(Magnifier, ShowsTheSquareAroundTheCursorWithBlackBeyondThePicture)
{
    const QImage picture = addressed(40, 30);
    EXPECT_EQ(magnifierSource({0.0, 0.0}, 9.375), QRect(QPoint(-9, -9), QPoint(8, 8)));
    EXPECT_EQ(magnifierSource({20.7, 10.2}, 150), QRect(QPoint(-129, -139), QPoint(169, 159)));

    QImage out;
    ASSERT_TRUE(renderMagnifier(picture, {0.0, 0.0}, 9.375, out));
    ASSERT_EQ(out.size(), QSize(300, 304));
    // 18 source pixels spread over 299: target i shows source -9 + (2i + 1) * 18 / 598.
    EXPECT_EQ(out.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(out.pixel(148, 148), qRgb(0, 0, 0));
    EXPECT_EQ(out.pixel(149, 148), qRgb(0, 0, 0));
    EXPECT_EQ(out.pixel(149, 149), from(0, 0));
    EXPECT_EQ(out.pixel(200, 170), from(3, 1));
    EXPECT_EQ(out.pixel(298, 298), from(8, 8));

    // Outside the 299-pixel square nothing is written: what was drawn there stays.
    out.setPixel(299, 10, qRgb(255, 255, 255));
    out.setPixel(10, 301, qRgb(255, 255, 255));
    ASSERT_TRUE(renderMagnifier(picture, {39.9, 29.9}, 9.375, out));
    EXPECT_EQ(out.pixel(299, 10), qRgb(255, 255, 255));
    EXPECT_EQ(out.pixel(10, 301), qRgb(255, 255, 255));
    // Around the far corner: source 30..48 by 20..38 (19 pixels), the picture ending at 39 and 29.
    EXPECT_EQ(out.pixel(0, 0), from(30, 20));
    EXPECT_EQ(out.pixel(156, 156), from(39, 29));
    EXPECT_EQ(out.pixel(157, 100), qRgb(0, 0, 0));
    EXPECT_EQ(out.pixel(100, 157), qRgb(0, 0, 0));
}

TEST(Magnifier, CopiesNearlyOneToOneAtExponentZero)
{
    const QImage picture = addressed(250, 250);
    QImage out;
    // 300 source pixels (0..299) onto 299: the ends are the square's own ends.
    ASSERT_TRUE(renderMagnifier(picture, {150.0, 100.0}, 150.0, out));
    EXPECT_EQ(out.pixel(0, 50), from(0, 0));
    EXPECT_EQ(out.pixel(100, 60), from(100, 10));
    EXPECT_EQ(out.pixel(248, 298), from(249, 249));
    EXPECT_EQ(out.pixel(249, 100), qRgb(0, 0, 0));
    EXPECT_EQ(out.pixel(100, 49), qRgb(0, 0, 0));
}

}  // namespace
