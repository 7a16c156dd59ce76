#include "display/annotate.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "acquire/picturefile.h"
#include "tests/base/lockedfolder.h"
#include "tests/filebytes.h"

namespace {

const QString Face = QStringLiteral("DejaVu Sans Mono");

QImage whitePicture(int width, int height)
{
    QImage image(width, height, QImage::Format_BGR888);
    image.fill(Qt::white);
    return image;
}

QImage painted(const QString &text, QPoint at, LineBreaks breaks = LineBreaks::Split)
{
    QImage image = whitePicture(300, 120);
    paintTexts(image, {{text, at, 10, 0x0000FF}}, Face, breaks);
    return image;
}

int firstInkRow(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                return y;
    return -1;
}

TEST(PaintTexts, LinesOfASize10LabelAt50And62)
{
    const QImage twoLines = painted(QStringLiteral("X1\nX2"), {100, 50});
    const QImage first = painted(QStringLiteral("X1"), {100, 50});
    const QImage second = painted(QStringLiteral("X2"), {100, 62});
    // The two lines do not overlap, so the label is exactly the union of its lines painted alone.
    QImage both = first;
    for (int y = 0; y < both.height(); ++y)
        for (int x = 0; x < both.width(); ++x)
            if (second.pixel(x, y) != qRgb(255, 255, 255))
                both.setPixel(x, y, second.pixel(x, y));
    EXPECT_EQ(twoLines, both);
    EXPECT_GE(firstInkRow(first), 50);
    EXPECT_LT(firstInkRow(first), 62);
    EXPECT_EQ(firstInkRow(second) - firstInkRow(first), 12);

    // The report's picture takes the label as one line.
    EXPECT_EQ(painted(QStringLiteral("X1\nX2"), {100, 50}, LineBreaks::Ignored),
              painted(QStringLiteral("X1 X2"), {100, 50}));
}

TEST(PaintGauge, BarsAreRedOutlinesWithExclusiveEdges)
{
    QImage image = whitePicture(120, 40);
    QFont font(Face);
    font.setPixelSize(13);
    paintGauge(image, {{{QStringLiteral("0"), {10, 20}, font}}, {QRect(10, 5, 50, 8), QRect(60, 5, 50, 8)}});
    for (const QPoint p : {QPoint(10, 5), QPoint(59, 12), QPoint(109, 5)})
        EXPECT_EQ(image.pixel(p), qRgb(255, 0, 0));
    for (const QPoint p : {QPoint(110, 5), QPoint(10, 13), QPoint(30, 9)})  // past the edges, inside
        EXPECT_EQ(image.pixel(p), qRgb(255, 255, 255));
    EXPECT_GE(firstInkRow(image.copy(0, 14, 120, 26)), 0);  // the caption
}

TEST(FixedExtension, KeepsJpgAndBmpAppendsByFilter)
{
    const struct {
        const char *chosen;
        int filter;
        const char *fixed;
    } cases[] = {
        {"/d/a", 1, "/d/a.JPG"},           {"/d/a", 2, "/d/a.BMP"},
        {"/d/a.jpg", 2, "/d/a.jpg"},       {"/d/a.Bmp", 1, "/d/a.Bmp"},
        {"/d/a.jpeg", 1, "/d/a.jpeg.JPG"}, {"/d/a.jpeg", 2, "/d/a.jpeg.BMP"},
        {"/data/rev.2/A01", 1, "/data/rev.2/A01.JPG"}, {"/d/a.", 1, "/d/a..JPG"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(fixedExtension(QString::fromUtf8(c.chosen), c.filter), QString::fromUtf8(c.fixed)) << c.chosen;
}

QImage noisyPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_BGR888);
    QRandomGenerator random(7);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width * 3; ++x)
            image.scanLine(y)[x] = uchar(random.bounded(256));
    return image;
}

QImage flatPicture(QColor color)
{
    QImage image(200, 200, QImage::Format_BGR888);
    image.fill(color);
    return image;
}

class AnnotatedPairTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const char *name) const { return dir.filePath(QString::fromUtf8(name)); }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
};

TEST_F(AnnotatedPairTest, CleanUnderTheChosenNameAnnotatedWithUnderscore)
{
    const AnnotatedPair jpeg = writeAnnotatedPair(flatPicture(Qt::gray), flatPicture(Qt::red), path("圖一"), 1, 92);
    ASSERT_TRUE(jpeg.ok()) << jpeg.error.toStdString();
    EXPECT_EQ(jpeg.cleanPath, path("圖一.JPG"));
    EXPECT_EQ(jpeg.annotatedPath, path("_圖一.JPG"));
    QImage clean, annotated;
    ASSERT_TRUE(decodeJpegFile(jpeg.cleanPath, clean).ok());
    ASSERT_TRUE(decodeJpegFile(jpeg.annotatedPath, annotated).ok());
    EXPECT_EQ(QColor(clean.pixel(100, 100)).red(), QColor(Qt::gray).red());
    EXPECT_GT(QColor(annotated.pixel(100, 100)).red(), 250);
    // Written anew, the files get the permissions any new file in the folder gets.
    QFile fresh(path("fresh"));
    ASSERT_TRUE(fresh.open(QIODevice::WriteOnly));
    EXPECT_EQ(QFile::permissions(jpeg.cleanPath), fresh.permissions());
    fresh.remove();

    // The four-letter JPEG extension with the bitmap filter: bitmaps, exact.
    const QImage noisy = noisyPicture(31, 17);
    const AnnotatedPair bitmaps = writeAnnotatedPair(flatPicture(Qt::gray), noisy, path("a.jpeg"), 2, 92);
    ASSERT_TRUE(bitmaps.ok()) << bitmaps.error.toStdString();
    QImage back;
    ASSERT_TRUE(readBitmapFile(path("_a.jpeg.BMP"), back).ok());
    EXPECT_EQ(back, noisy);
    EXPECT_EQ(files(), QStringList({QStringLiteral("_a.jpeg.BMP"), QStringLiteral("_圖一.JPG"),
                                    QStringLiteral("a.jpeg.BMP"), QStringLiteral("圖一.JPG")}));
}

TEST_F(AnnotatedPairTest, FailedAndKilledWritesLeaveTheEarlierPairAndNoPileOfTemporaries)
{
    ASSERT_TRUE(writeAnnotatedPair(flatPicture(Qt::gray), flatPicture(Qt::blue), path("p.jpg"), 1, 80).ok());
    const QByteArray cleanBefore = fileBytes(path("p.jpg"));
    const QByteArray annotatedBefore = fileBytes(path("_p.jpg"));
    const auto unchanged = [&] {
        EXPECT_EQ(fileBytes(path("p.jpg")), cleanBefore);
        EXPECT_EQ(fileBytes(path("_p.jpg")), annotatedBefore);
        EXPECT_EQ(files(), QStringList({QStringLiteral("_p.jpg"), QStringLiteral("p.jpg")}));
    };

    // The disk fills up while the annotated picture is written, after the clean one went through.
    AnnotatedPair full;
    withFileSizeLimit(64 * 1024, [&] {
        full = writeAnnotatedPair(flatPicture(Qt::white), noisyPicture(400, 400), path("p.jpg"), 1, 100);
    });
    EXPECT_FALSE(full.ok());
    EXPECT_TRUE(full.error.contains(QStringLiteral("_p.jpg"))) << full.error.toStdString();
    unchanged();

    for (const int quality : {0, 101}) {
        const AnnotatedPair refused = writeAnnotatedPair(flatPicture(Qt::white), flatPicture(Qt::white), path("p.jpg"), 1, quality);
        EXPECT_FALSE(refused.ok()) << quality;
        unchanged();
    }

    // Temporaries a killed write left behind go with the next write of the same picture; a fresh
    // one may be another write still going on, and other names are not ours.
    const auto leave = [&](const char *name, int secondsAgo) {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.write("half") == 4 && file.flush());
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-secondsAgo), QFileDevice::FileModificationTime));
    };
    leave(".p.jpg.Ab12Cd", 120);
    leave("._p.jpg.zzzzzz", 3600);
    leave(".p.jpg.Fresh1", 5);
    leave(".p.jpg.notes", 3600);
    ASSERT_TRUE(writeAnnotatedPair(flatPicture(Qt::gray), flatPicture(Qt::blue), path("p.jpg"), 1, 80).ok());
    EXPECT_EQ(files(), QStringList({QStringLiteral(".p.jpg.Fresh1"), QStringLiteral(".p.jpg.notes"),
                                    QStringLiteral("_p.jpg"), QStringLiteral("p.jpg")}));

    LockedFolder lock(dir.path());
    if (!lock.locked())
        GTEST_SKIP() << "the folder cannot be locked here";
    const AnnotatedPair locked = writeAnnotatedPair(flatPicture(Qt::white), flatPicture(Qt::white), path("p.jpg"), 1, 92);
    EXPECT_FALSE(locked.ok());
}

}  // namespace
