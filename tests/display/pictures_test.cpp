#include "display/pictures.h"

#include <gtest/gtest.h>

#include "base/canvas.h"

namespace {

QImage plain(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_BGR888);
    image.fill(colour);
    return image;
}

// Every pixel different, so a tile put back in the wrong place shows.
QImage textured(int width, int height)
{
    QImage image(width, height, QImage::Format_BGR888);
    for (int y = 0; y < height; ++y) {
        uchar *row = image.scanLine(y);
        for (int x = 0; x < width * 3; ++x)
            row[x] = uchar(x * 7 + y * 13 + (x * y) / 5);
    }
    return image;
}

// Marks that cross some rows more than once, far apart, and reach the picture's edges.
void drawMarks(Canvas &canvas)
{
    canvas.setPen(0x0000FF);
    canvas.line(0, 0, 40, 30);
    canvas.ellipse(2, 4, 38, 28);
}

TEST(Pictures, MarksShareTheCleanPictureUntilDrawnAndRestoreExactly)
{
    // Sizes that are not whole tiles, so the tiles at the right and bottom edges are partial.
    const QImage source = textured(CleanTiles::TileWidth * 9 + 7, CleanTiles::TileHeight * 11 + 5);
    Pictures pictures;
    pictures.replace(source);
    const uchar *buffer = pictures.view().constBits();
    EXPECT_EQ(pictures.cleanExtraBytes(), 0);

    pictures.moveCrosshair({33, 21});
    pictures.draw([](Canvas &canvas) {
        canvas.setPen(0xFF00FF);
        canvas.line(3, 3, 300, 3);                        // one row of tiles
        canvas.ellipse(120, 60, 250, 170);                // an outline, not its inside
        canvas.line(0, 185, 500, 185);                    // through the bottom edge tiles
        canvas.fillRect(290, 170, 400, 400, 0x00FF00);    // into the corner tile
    });
    EXPECT_TRUE(pictures.crosshairDrawn());
    // The clean picture reads the same under the marks and the crosshair.
    EXPECT_EQ(pictures.cleanCopy(), source);
    for (const QPoint p : {QPoint(150, 3), QPoint(33, 100), QPoint(200, 21), QPoint(33, 21), QPoint(294, 180)}) {
        const uchar *s = source.constScanLine(p.y()) + 3 * p.x();
        EXPECT_EQ(pictures.cleanPixel(p.x(), p.y()), TColor(s[2]) | TColor(s[1]) << 8 | TColor(s[0]) << 16);
    }
    // Only the tiles the marks reached were kept.
    const qint64 whole = source.sizeInBytes();
    EXPECT_GT(pictures.cleanExtraBytes(), 0);
    EXPECT_LT(pictures.cleanExtraBytes(), whole / 2);

    QImage expected = source.copy();
    Canvas marks(expected);
    marks.setPen(0xFF00FF);
    marks.line(3, 3, 300, 3);
    marks.ellipse(120, 60, 250, 170);
    marks.line(0, 185, 500, 185);
    marks.fillRect(290, 170, 400, 400, 0x00FF00);
    pictures.hideCrosshair();
    EXPECT_EQ(pictures.view(), expected);

    // Restoring puts back the exact clean pixels, in the same buffer; the crosshair is gone.
    pictures.moveCrosshair({50, 60});
    pictures.restoreClean();
    EXPECT_FALSE(pictures.crosshairDrawn());
    EXPECT_EQ(pictures.view(), source);
    EXPECT_EQ(pictures.view().constBits(), buffer);

    // Drawn again and committed, the marks are part of the clean picture and survive restoring.
    pictures.draw(drawMarks);
    const QImage marked = pictures.view().copy();
    pictures.commit();
    pictures.draw([](Canvas &canvas) { canvas.fillRect(0, 0, 10, 10, 0); });
    pictures.restoreClean();
    EXPECT_EQ(pictures.view(), marked);
    EXPECT_EQ(pictures.cleanCopy(), marked);
}

// A picture with marks drawn on it.
struct MarkedPictures : testing::Test {
    MarkedPictures()
    {
        pictures.replace(source);
        pictures.draw(drawMarks);
        marked = pictures.view().copy();
    }
    const QImage source = textured(40, 30);
    Pictures pictures;
    QImage marked;
};

TEST_F(MarkedPictures, CleanPictureWholeForAWhileAndTheCrosshairRestoresPixels)
{
    pictures.moveCrosshair({12, 8});
    pictures.moveCrosshair({35, 25});
    pictures.withClean([&](const QImage &clean) { EXPECT_EQ(clean, source); });
    // The crosshair is back where it was and taking it off leaves the marks exactly.
    EXPECT_TRUE(pictures.crosshairDrawn());
    EXPECT_EQ(pictures.crosshairPos(), QPoint(35, 25));
    pictures.hideCrosshair();
    EXPECT_EQ(pictures.view(), marked);
}

// A read given a fresh picture, and one that leaves its picture alone when it fails, given the
// visible picture itself.
TEST_F(MarkedPictures, AFailedReadKeepsBothPicturesAndTheMarks)
{
    const uchar *buffer = pictures.view().constBits();
    int replaced = 0;
    QObject::connect(&pictures, &Pictures::viewReplaced, [&] { ++replaced; });
    for (const auto failedRead : {Pictures::FailedRead::MayHaveWritten, Pictures::FailedRead::LeavesItAsItWas}) {
        const bool inPlace = failedRead == Pictures::FailedRead::LeavesItAsItWas;
        const uchar *given = nullptr;
        const PictureResult failed = pictures.load(
            [&](QImage &into) {
                given = into.constBits();
                if (!inPlace)
                    into = plain(40, 30, qRgb(0, 255, 0));
                return PictureResult{PictureResult::Error::Unreadable, QStringLiteral("stopped")};
            },
            failedRead);
        EXPECT_EQ(failed.error, PictureResult::Error::Unreadable);
        EXPECT_EQ(given, inPlace ? buffer : nullptr);
        EXPECT_EQ(pictures.view(), marked);
        EXPECT_EQ(pictures.cleanCopy(), source);
        EXPECT_EQ(replaced, 0);
    }
    const PictureResult loaded = pictures.load(
        [](QImage &into) {
            into.fill(qRgb(5, 6, 7));
            return PictureResult{};
        },
        Pictures::FailedRead::LeavesItAsItWas);
    EXPECT_TRUE(loaded.ok());
    EXPECT_EQ(pictures.view().constBits(), buffer);
    EXPECT_EQ(pictures.view(), plain(40, 30, qRgb(5, 6, 7)));
    EXPECT_EQ(pictures.cleanCopy(), pictures.view());
    EXPECT_EQ(pictures.cleanExtraBytes(), 0);
    EXPECT_EQ(replaced, 1);
}

TEST(Pictures, ABlankPictureAfterAnOpenErrorKeepsTheCleanOne)
{
    const QImage source = textured(8, 6);
    Pictures pictures;
    pictures.replace(source);
    pictures.draw(drawMarks);
    pictures.showBlank(640, 480);
    EXPECT_EQ(pictures.view(), plain(640, 480, qRgb(255, 255, 255)));
    EXPECT_EQ(pictures.cleanSize(), QSize(8, 6));
    EXPECT_EQ(pictures.cleanCopy(), source);
    // Marks on the blank picture do not reach the clean one; restoring brings the clean one back.
    pictures.draw(drawMarks);
    EXPECT_EQ(pictures.cleanCopy(), source);
    pictures.restoreClean();
    EXPECT_EQ(pictures.view(), source);
    // Committing the blank picture makes it the clean one too.
    pictures.showBlank(640, 480);
    pictures.commit();
    EXPECT_EQ(pictures.cleanCopy(), plain(640, 480, qRgb(255, 255, 255)));
}

// With no picture before it (an order whose picture is missing, chosen first thing), the blank
// picture is the clean one as well: marks drawn on it come off again.
TEST(Pictures, ABlankPictureWithNothingBeforeItIsAlsoTheCleanOne)
{
    Pictures pictures;
    pictures.showBlank(640, 480);
    const QImage blank = plain(640, 480, qRgb(255, 255, 255));
    pictures.draw(drawMarks);
    EXPECT_NE(pictures.view(), blank);
    EXPECT_EQ(pictures.cleanCopy(), blank);
    pictures.restoreClean();
    EXPECT_EQ(pictures.view(), blank);
}

}  // namespace
