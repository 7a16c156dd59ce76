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

// Marks that cross some rows more than once, far apart.
void drawMarks(Canvas &canvas)
{
    canvas.setPen(0x0000FF);
    canvas.line(0, 0, 40, 30);
    canvas.ellipse(2, 4, 38, 28);
}

TEST(Pictures, KeepTheirBuffersAndTheMarksAPictureDidNotReplace)
{
    Pictures pictures;
    pictures.replace(plain(40, 30, qRgb(90, 90, 90)));
    const uchar *view = pictures.view().constBits();
    const uchar *clean = pictures.clean().constBits();

    // The crosshair is never part of a mark: drawing under it and moving it off leaves the mark.
    pictures.moveCrosshair({10, 5});
    pictures.draw(drawMarks);
    EXPECT_TRUE(pictures.crosshairDrawn());
    pictures.hideCrosshair();
    QImage marked = plain(40, 30, qRgb(90, 90, 90));
    Canvas expected(marked);
    drawMarks(expected);
    EXPECT_EQ(pictures.view(), marked);

    // A read that writes into the visible picture and then fails leaves both pictures as they were.
    const PictureResult failed = pictures.load([](QImage &into) {
        into.fill(Qt::green);
        return PictureResult{PictureResult::Error::Unreadable, QStringLiteral("stopped")};
    });
    EXPECT_EQ(failed.error, PictureResult::Error::Unreadable);
    EXPECT_EQ(pictures.view(), marked);
    EXPECT_EQ(pictures.clean(), plain(40, 30, qRgb(90, 90, 90)));

    // Replacing by a picture of the same size, committing and restoring copy into the same buffers.
    int replaced = 0;
    QObject::connect(&pictures, &Pictures::viewReplaced, [&] { ++replaced; });
    pictures.replace(plain(40, 30, qRgb(10, 20, 30)));
    pictures.draw(drawMarks);
    pictures.commit();
    EXPECT_EQ(pictures.clean(), pictures.view());
    pictures.replace(plain(40, 30, qRgb(10, 20, 30)));
    pictures.draw(drawMarks);
    pictures.restoreClean();
    EXPECT_EQ(pictures.view(), plain(40, 30, qRgb(10, 20, 30)));
    EXPECT_EQ(pictures.view().constBits(), view);
    EXPECT_EQ(pictures.clean().constBits(), clean);
    EXPECT_EQ(replaced, 3);
    EXPECT_FALSE(pictures.crosshairDrawn());
}

TEST(Pictures, AFailedReadAfterAnOpenErrorKeepsTheBlankPicture)
{
    Pictures pictures;
    pictures.replace(plain(8, 6, qRgb(1, 2, 3)));
    pictures.showBlank(640, 480);
    const PictureResult failed = pictures.load([](QImage &into) {
        into.fill(Qt::green);
        return PictureResult{PictureResult::Error::Unreadable, QString()};
    });
    EXPECT_FALSE(failed.ok());
    EXPECT_EQ(pictures.view(), plain(640, 480, qRgb(255, 255, 255)));
    EXPECT_EQ(pictures.clean(), plain(8, 6, qRgb(1, 2, 3)));
}

}  // namespace
