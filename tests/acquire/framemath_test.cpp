#include "acquire/framemath.h"

#include <cmath>
#include <cstring>
#include <limits>

#include <gtest/gtest.h>

namespace {

// Every byte different, so a pixel taken from the wrong place or channel shows.
QImage numbered(int width, int height)
{
    QImage image(width, height, QImage::Format_BGR888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int k = 0; k < 3; ++k)
                image.scanLine(y)[3 * x + k] = uchar(7 * x + 31 * y + 101 * k);
    return image;
}

// The stretch as the station's loops write it: the old picture in the corner of one of the new
// size, then in place from the far end backwards.
QImage stretchedInPlace(const QImage &source, double ratioX, double ratioY)
{
    const int width = source.width();
    const int height = source.height();
    QImage grown;
    if (ratioX > ratioY) {
        const double e = ratioX / ratioY;
        grown = QImage(width, int(height * e), QImage::Format_BGR888);
        grown.fill(Qt::magenta);
        for (int y = 0; y < height; ++y)
            std::memcpy(grown.scanLine(y), source.constScanLine(y), size_t(width) * 3);
        for (int r = int(height * e - 1); r >= 1; --r)
            std::memcpy(grown.scanLine(r), grown.constScanLine(int(r / e)), size_t(width) * 3);
    } else {
        const double e = ratioY / ratioX;
        grown = QImage(int(width * e), height, QImage::Format_BGR888);
        grown.fill(Qt::magenta);
        for (int y = 0; y < height; ++y) {
            std::memcpy(grown.scanLine(y), source.constScanLine(y), size_t(width) * 3);
            uchar *row = grown.scanLine(y);
            for (int c = int(width * e - 1); c >= 1; --c)
                std::memcpy(row + 3 * c, row + 3 * int(c / e), 3);
        }
    }
    return grown;
}

struct StretchCase {
    int width, height;
    double ratioX, ratioY;
    int grownWidth, grownHeight;
};

class CcdStretch : public ::testing::TestWithParam<StretchCase> {};

TEST_P(CcdStretch, GrowsOneAxisAsTheInPlaceLoopsDo)
{
    const StretchCase c = GetParam();
    const QImage source = numbered(c.width, c.height);
    QImage picture = source;
    picture.detach();
    ASSERT_TRUE(stretchCcd(picture, c.ratioX, c.ratioY).ok());
    EXPECT_EQ(picture.size(), QSize(c.grownWidth, c.grownHeight));
    EXPECT_EQ(picture, stretchedInPlace(source, c.ratioX, c.ratioY));
}

INSTANTIATE_TEST_SUITE_P(Ratios, CcdStretch,
                         ::testing::Values(StretchCase{640, 480, 1.0, 1.1, 704, 480},
                                           StretchCase{640, 480, 1.1, 1.0, 640, 528},
                                           StretchCase{640, 480, 1000, 1000, 640, 480},
                                           StretchCase{13, 9, 1.0, 1.37, 17, 9},
                                           StretchCase{13, 9, 2.5, 1.0, 13, 22},
                                           StretchCase{1, 1, 3.0, 1.0, 1, 3}));

TEST(CcdStretch, EqualRatiosKeepTheBufferAndBadRatiosChangeNothing)
{
    QImage picture = numbered(64, 48);
    const QImage before = picture.copy();
    const uchar *bits = picture.constBits();
    ASSERT_TRUE(stretchCcd(picture, 1000, 1000).ok());
    EXPECT_EQ(picture.constBits(), bits);
    EXPECT_EQ(picture, before);

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (auto [x, y] : {std::pair{0.0, 1.0}, {1.0, 0.0}, {-1.0, -2.0}, {nan, 1.0}, {1.0, inf}, {nan, nan}}) {
        EXPECT_EQ(stretchCcd(picture, x, y).error, FrameResult::Error::BadRatio) << x << " " << y;
        EXPECT_EQ(picture, before);
    }
    // A ratio that would make the picture absurdly large is refused before any memory is taken.
    EXPECT_EQ(stretchCcd(picture, 1.0, 1e7).error, FrameResult::Error::TooLarge);
    EXPECT_EQ(stretchCcd(picture, 1e-9, 1.0).error, FrameResult::Error::TooLarge);
    EXPECT_EQ(picture, before);
    QImage wrongFormat(8, 8, QImage::Format_RGB32);
    EXPECT_EQ(stretchCcd(wrongFormat, 1.0, 1.1).error, FrameResult::Error::NotPicture);
}

QImage grey(const std::vector<std::vector<int>> &rows)
{
    QImage image(int(rows[0].size()), int(rows.size()), QImage::Format_BGR888);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            std::memset(image.scanLine(y) + 3 * x, rows[size_t(y)][size_t(x)], 3);
    return image;
}

TEST(DigitalZoom, AveragesNeighboursAndRepeatsTheLastComputedRowAndColumn)
{
    const QImage source = grey({{10, 21, 40}, {30, 51, 81}});
    QImage out;
    ASSERT_TRUE(digitalZoom2x(source, out).ok());
    // Sums shifted right: (10+21)>>1 = 15, (10+21+30+51)>>2 = 28, (21+40+51+81)>>2 = 48.
    EXPECT_EQ(out, grey({{10, 15, 21, 30, 30, 30},
                         {20, 28, 36, 48, 48, 48},
                         {20, 28, 36, 48, 48, 48},
                         {20, 28, 36, 48, 48, 48}}));

    // Channels stay apart; a frame one pixel high is doubled by repeating its pixels.
    QImage line(2, 1, QImage::Format_BGR888);
    const uchar bytes[6] = {10, 20, 30, 200, 100, 50};
    std::memcpy(line.scanLine(0), bytes, 6);
    ASSERT_TRUE(digitalZoom2x(line, out).ok());
    ASSERT_EQ(out.size(), QSize(4, 2));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(std::memcmp(out.constScanLine(y) + 3 * x, bytes + 3 * (x / 2), 3), 0) << x << "," << y;
}

TEST(DigitalZoom, DoublesAFrameIntoTheSameBufferEachTime)
{
    const QImage frame = numbered(640, 480);
    QImage out;
    ASSERT_TRUE(digitalZoom2x(frame, out).ok());
    EXPECT_EQ(out.size(), QSize(1280, 960));
    const uchar *bits = out.constBits();
    const QImage first = out.copy();
    ASSERT_TRUE(digitalZoom2x(frame, out).ok());
    EXPECT_EQ(out.constBits(), bits);
    EXPECT_EQ(out, first);
    // Even pixels of even rows are the frame's own.
    for (auto [x, y] : {std::pair{0, 0}, {100, 40}, {638, 478}})
        EXPECT_EQ(out.pixel(2 * x, 2 * y), frame.pixel(x, y));
    EXPECT_EQ(digitalZoom2x(QImage(), out).error, FrameResult::Error::NotPicture);
}

}  // namespace
