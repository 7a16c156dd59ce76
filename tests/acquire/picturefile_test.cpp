#include "acquire/picturefile.h"

#include <algorithm>
#include <cstdlib>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>
#include <turbojpeg.h>

#include "tests/acquire/damagedfiles.h"
#include "tests/filebytes.h"

namespace {

using Error = PictureResult::Error;

// Every pixel different, so a swapped row, channel or padding byte shows.
QImage pattern(int width, int height)
{
    QImage image(width, height, QImage::Format_BGR888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 37 + y * 11, x * 5 + y * 71, (x ^ y) * 13 + 1));
    return image;
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    ASSERT_TRUE(writeFileBytes(path, bytes));
}

// An uncompressed 24- or 32-bit bitmap built independently of the code under test.
QByteArray bitmapBytes(const QImage &image, bool topDown, int infoSize, int bitsPerPixel = 24)
{
    const int pixelBytes = bitsPerPixel / 8;
    const int rowBytes = (image.width() * pixelBytes + 3) & ~3;
    QByteArray bytes(14 + infoSize + rowBytes * image.height(), '\0');
    auto *head = reinterpret_cast<uchar *>(bytes.data());
    head[0] = 'B';
    head[1] = 'M';
    qToLittleEndian<quint32>(14 + infoSize, head + 10);
    qToLittleEndian<quint32>(infoSize, head + 14);
    qToLittleEndian<qint32>(image.width(), head + 18);
    qToLittleEndian<qint32>(topDown ? -image.height() : image.height(), head + 22);
    qToLittleEndian<quint16>(1, head + 26);
    qToLittleEndian<quint16>(bitsPerPixel, head + 28);
    for (int y = 0; y < image.height(); ++y) {
        uchar *row = head + 14 + infoSize + rowBytes * (topDown ? y : image.height() - 1 - y);
        for (int x = 0; x < image.width(); ++x)
            memcpy(row + x * pixelBytes, image.constScanLine(y) + x * 3, 3);
    }
    return bytes;
}

int maxDifference(const QImage &a, const QImage &b)
{
    int worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width() * 3; ++x)
            worst = std::max(worst, std::abs(a.constScanLine(y)[x] - b.constScanLine(y)[x]));
    return worst;
}

class PictureFile : public ::testing::Test {
protected:
    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

} // namespace

TEST(EnsurePicture, ReusesOnlyAnUnsharedBufferOfTheRightSizeAndFormat)
{
    QImage image(5, 7, QImage::Format_BGR888);
    const uchar *buffer = image.constBits();
    ASSERT_TRUE(ensurePicture(image, 5, 7));
    EXPECT_EQ(image.constBits(), buffer);

    const QImage other = image;
    ASSERT_TRUE(ensurePicture(image, 5, 7));
    EXPECT_NE(image.constBits(), other.constBits());

    QImage rgb(5, 7, QImage::Format_RGB888);
    ASSERT_TRUE(ensurePicture(rgb, 5, 7));
    EXPECT_EQ(rgb.format(), QImage::Format_BGR888);
    ASSERT_TRUE(ensurePicture(image, 6, 7));
    EXPECT_EQ(image.size(), QSize(6, 7));
}

TEST_F(PictureFile, BitmapRoundTripKeepsEveryPixelWhateverThePadding)
{
    for (const QSize size : {QSize(1, 1), QSize(3, 2), QSize(5, 7), QSize(4, 3)}) {
        SCOPED_TRACE(size.width());
        const QImage original = pattern(size.width(), size.height());
        ASSERT_TRUE(writeBitmapFile(original, path("p.bmp")).ok());
        const int rowBytes = (size.width() * 3 + 3) & ~3;
        EXPECT_EQ(fileBytes(path("p.bmp")).size(), 54 + rowBytes * size.height());
        EXPECT_EQ(QImage(path("p.bmp")).convertToFormat(QImage::Format_BGR888), original);
        QImage read;
        ASSERT_TRUE(readBitmapFile(path("p.bmp"), read).ok());
        EXPECT_EQ(read, original);
    }
}

TEST_F(PictureFile, FastBitmapWriteReplacesTheFileAndLeavesNoScratch)
{
    ASSERT_TRUE(writeBitmapFile(pattern(3, 2), path("t.bmp"), FileSync::Fast).ok());
    ASSERT_TRUE(writeBitmapFile(pattern(5, 7), path("t.bmp"), FileSync::Fast).ok());
    QImage read;
    ASSERT_TRUE(readBitmapFile(path("t.bmp"), read).ok());
    EXPECT_EQ(read, pattern(5, 7));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"t.bmp"});
    EXPECT_EQ(writeBitmapFile(pattern(4, 4), path("no/t.bmp"), FileSync::Fast).error,
              Error::WriteFailed);
}

TEST_F(PictureFile, ReadsTopDownBitmapsAndExtendedHeaders)
{
    const QImage original = pattern(5, 3);
    for (const int infoSize : {40, 108, 124}) {
        for (const bool topDown : {false, true}) {
            writeBytes(path("p.bmp"), bitmapBytes(original, topDown, infoSize));
            QImage read;
            ASSERT_TRUE(readBitmapFile(path("p.bmp"), read).ok());
            EXPECT_EQ(read, original) << infoSize << topDown;
        }
    }
}

TEST_F(PictureFile, ReadsPaletteAnd32BitBitmapsThroughQt)
{
    QImage indexed(3, 2, QImage::Format_Indexed8);
    QList<QRgb> palette;
    for (int i = 0; i < 20; ++i)
        palette.append(qRgb(10 * i, 255 - 5 * i, 3 * i));
    indexed.setColorTable(palette);
    indexed.fill(0);
    indexed.setPixel(2, 1, 17);
    ASSERT_TRUE(indexed.save(path("q.bmp"), "BMP"));
    ASSERT_EQ(fileBytes(path("q.bmp")).at(28), 8);
    QImage read;
    ASSERT_TRUE(readBitmapFile(path("q.bmp"), read).ok());
    EXPECT_EQ(read, indexed.convertToFormat(QImage::Format_BGR888));

    writeBytes(path("q.bmp"), bitmapBytes(pattern(3, 2), false, 40, 32));
    ASSERT_TRUE(readBitmapFile(path("q.bmp"), read).ok());
    EXPECT_EQ(read, pattern(3, 2));
}

TEST_F(PictureFile, BrokenFilesFailAndLeaveThePictureAlone)
{
    const QByteArray good = bitmapBytes(pattern(5, 7), false, 40);
    QByteArray huge = good;
    qToLittleEndian<qint32>(200000, huge.data() + 18);
    qToLittleEndian<qint32>(200000, huge.data() + 22);
    writeBytes(path("cut.bmp"), good.left(good.size() - 10));
    writeBytes(path("huge.bmp"), huge);
    writeBytes(path("junk.bmp"), QByteArray(300, 'x'));
    writeBytes(path("empty.bmp"), {});
    writeBytes(path("junk.jpg"), QByteArray(300, 'x'));

    QImage image = pattern(5, 7);
    const QImage before = image.copy();
    const uchar *buffer = image.constBits();
    const auto check = [&](PictureResult result, Error expected) {
        EXPECT_EQ(result.error, expected);
        EXPECT_FALSE(result.detail.isEmpty());
        EXPECT_EQ(image.constBits(), buffer);
        EXPECT_EQ(image, before);
    };
    check(readBitmapFile(path("cut.bmp"), image), Error::Unreadable);
    EXPECT_TRUE(readBitmapFile(path("cut.bmp"), image).detail.contains("truncated"));
    check(readBitmapFile(path("huge.bmp"), image), Error::TooLarge);
    check(readBitmapFile(path("junk.bmp"), image), Error::Unreadable);
    check(readBitmapFile(path("empty.bmp"), image), Error::Unreadable);
    check(readBitmapFile(path("none.bmp"), image), Error::Missing);
    check(decodeJpegFile(path("junk.jpg"), image), Error::Unreadable);
    check(decodeJpegFile(path("empty.bmp"), image), Error::Unreadable);
    check(decodeJpegFile(path("none.jpg"), image), Error::Missing);

    // An absurd JPEG size is refused from the header: this one is a valid file claiming 65000².
    ASSERT_TRUE(writeJpegFile(pattern(8, 8), 80, path("small.jpg")).ok());
    QByteArray jpeg = fileBytes(path("small.jpg"));
    const qsizetype frame = jpeg.indexOf("\xFF\xC0");
    ASSERT_GT(frame, 0);
    qToBigEndian<quint16>(65000, jpeg.data() + frame + 5);
    qToBigEndian<quint16>(65000, jpeg.data() + frame + 7);
    writeBytes(path("huge.jpg"), jpeg);
    check(decodeJpegFile(path("huge.jpg"), image), Error::TooLarge);
}

TEST_F(PictureFile, ReadsReuseTheBufferButNeverAnotherPicturesPixels)
{
    ASSERT_TRUE(writeBitmapFile(pattern(5, 7), path("p.bmp")).ok());
    ASSERT_TRUE(writeJpegFile(pattern(5, 7), 90, path("p.jpg")).ok());
    QImage image(5, 7, QImage::Format_BGR888);
    image.fill(Qt::black);
    const uchar *buffer = image.constBits();
    ASSERT_TRUE(readBitmapFile(path("p.bmp"), image).ok());
    EXPECT_EQ(image.constBits(), buffer);
    ASSERT_TRUE(decodeJpegFile(path("p.jpg"), image).ok());
    EXPECT_EQ(image.constBits(), buffer);

    image.fill(Qt::black);
    const QImage shared = image;
    ASSERT_TRUE(readBitmapFile(path("p.bmp"), image).ok());
    EXPECT_EQ(image, pattern(5, 7));
    EXPECT_EQ(shared.pixel(4, 6), qRgb(0, 0, 0));
}

TEST_F(PictureFile, ADecodeThatStopsAfterAWarningFails)
{
    ASSERT_TRUE(writeJpegFile(pattern(5, 7), 90, path("p.jpg")).ok());
    writeBytes(path("stopped.jpg"), jpegStoppingAfterAWarning(fileBytes(path("p.jpg"))));
    QImage image = pattern(5, 7);
    const QImage before = image.copy();
    const PictureResult result = decodeJpegFile(path("stopped.jpg"), image);
    EXPECT_EQ(result.error, Error::Unreadable);
    EXPECT_TRUE(result.detail.contains("Quantization table")) << result.detail.toStdString();
    EXPECT_EQ(image, before);
}

TEST_F(PictureFile, ADecodeThatStopsAfterItsRowsShowsThem)
{
    // A second scan after the only one: the decoder stops on it with every row produced.
    ASSERT_TRUE(writeJpegFile(pattern(16, 12), 95, path("p.jpg")).ok());
    QByteArray jpeg = fileBytes(path("p.jpg"));
    const qsizetype scan = jpeg.indexOf("\xFF\xDA");
    const int scanHeader = 2 + qFromBigEndian<quint16>(jpeg.constData() + scan + 2);
    jpeg.insert(jpeg.lastIndexOf("\xFF\xD9"), jpeg.mid(scan, scanHeader) + QByteArray(2, '\0'));
    writeBytes(path("twice.jpg"), jpeg);
    QImage whole;
    ASSERT_TRUE(decodeJpegFile(path("p.jpg"), whole).ok());
    QImage reused = pattern(16, 12);
    const PictureResult result = decodeJpegFile(path("twice.jpg"), reused);
    EXPECT_TRUE(result.ok());
    EXPECT_FALSE(result.detail.isEmpty());
    EXPECT_EQ(reused, whole);
}

// Row bytes of an uncompressed bitmap: bits per pixel times width, padded to 4 bytes.
QByteArray rows(int width, int height, int bitsPerPixel, char fill = '\x21')
{
    return QByteArray((width * bitsPerPixel + 31) / 32 * 4 * height, fill);
}

TEST_F(PictureFile, BitmapsWhosePixelsEndBeforeTheirRowsFail)
{
    // RLE8: a run of 4 pixels of colour 1 and the end of the row, per row; 00 01 ends the bitmap.
    const QByteArray rle = QByteArray("\x04\x01\x00\x00\x04\x01\x00\x00\x04\x01\x00\x01", 12);
    const struct {
        const char *what;
        QByteArray file;
    } cases[] = {
        {"8-bit palette", bitmapWith(5, 3, 8, 0, rows(5, 3, 8)).chopped(3)},
        {"4-bit palette", bitmapWith(9, 4, 4, 0, rows(9, 4, 4)).chopped(1)},
        {"32-bit", bitmapWith(4, 4, 32, 0, rows(4, 4, 32)).chopped(16)},
        {"OS/2 8-bit", os2BitmapWith(6, 2, 8, rows(6, 2, 8)).chopped(8)},
        {"RLE8 without its last row", bitmapWith(4, 3, 8, 1, rle.left(8))},
        {"RLE8 ended early", bitmapWith(4, 4, 8, 1, rle)},
        {"RLE8 short row", bitmapWith(5, 3, 8, 1, rle)},
        {"RLE8 of 64 bytes for 10000 x 10000", bitmapWith(10000, 10000, 8, 1, {}).left(1078) + QByteArray(64, '\x05')},
    };
    QImage image = pattern(4, 3);
    const QImage before = image.copy();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        writeBytes(path("c.bmp"), c.file);
        const PictureResult result = readBitmapFile(path("c.bmp"), image);
        EXPECT_EQ(result.error, Error::Unreadable);
        EXPECT_TRUE(result.detail.startsWith("truncated")) << result.detail.toStdString();
        EXPECT_EQ(image, before);
    }
    // The whole of it reads.
    writeBytes(path("c.bmp"), bitmapWith(4, 3, 8, 1, rle));
    ASSERT_TRUE(readBitmapFile(path("c.bmp"), image).ok());
    EXPECT_EQ(image.pixel(3, 2), qRgb(1, 1, 1));
}

TEST_F(PictureFile, TopDownBitmapsOfEveryDepthReadAsBottomUpOnes)
{
    for (const int bits : {1, 4, 8, 16, 32}) {
        SCOPED_TRACE(bits);
        QByteArray bottomUp;
        QByteArray topDown;
        const QByteArray row = rows(7, 1, bits);
        for (const char fill : {'\x00', '\x5A', '\xFF'}) {
            QByteArray r = row;
            r.fill(fill);
            bottomUp.prepend(r);
            topDown.append(r);
        }
        writeBytes(path("up.bmp"), bitmapWith(7, 3, bits, 0, bottomUp));
        writeBytes(path("down.bmp"), bitmapWith(7, 3, bits, 0, topDown, true));
        QImage up;
        QImage down;
        ASSERT_TRUE(readBitmapFile(path("up.bmp"), up).ok());
        const PictureResult result = readBitmapFile(path("down.bmp"), down);
        ASSERT_TRUE(result.ok()) << result.detail.toStdString();
        EXPECT_EQ(down, up);
        EXPECT_NE(down.pixel(0, 0), down.pixel(0, 2));
    }
}

TEST_F(PictureFile, EveryRefusalNamesItsCause)
{
    QByteArray unknownHeader = bitmapWith(2, 2, 24, 0, rows(2, 2, 24));
    qToLittleEndian<quint32>(20, unknownHeader.data() + 14);
    const struct {
        const char *what;
        QByteArray file;
        Error error;
        const char *cause;
    } cases[] = {
        {"palette over the size limit", bitmapWith(20000, 20000, 8, 0, {}), Error::TooLarge, "exceed the limit"},
        {"top-down over the size limit", bitmapWith(20000, 20000, 32, 0, {}, true), Error::TooLarge, "exceed the limit"},
        {"RLE over the size limit", bitmapWith(20000, 20000, 8, 1, {}), Error::TooLarge, "exceed the limit"},
        {"RLE stored top-down", bitmapWith(4, 3, 8, 1, QByteArray(2, '\0'), true), Error::Unreadable, "top-down"},
        {"12-bit pixels", bitmapWith(2, 2, 12, 0, rows(2, 2, 12)), Error::Unreadable, "12-bit"},
        {"a header of 20 bytes", unknownHeader, Error::Unreadable, "20 bytes"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        writeBytes(path("c.bmp"), c.file);
        QImage image;
        const PictureResult result = readBitmapFile(path("c.bmp"), image);
        EXPECT_EQ(result.error, c.error);
        EXPECT_TRUE(result.detail.contains(c.cause)) << result.detail.toStdString();
    }
}

TEST_F(PictureFile, JpegAtQuality100StaysCloseToTheOriginal)
{
    QImage gradient(64, 48, QImage::Format_BGR888);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            gradient.setPixel(x, y, qRgb(40 + 2 * x, 60 + 3 * y, 200 - x - y));
    ASSERT_TRUE(writeJpegFile(gradient, 100, path("g.jpg")).ok());
    QImage read;
    ASSERT_TRUE(decodeJpegFile(path("g.jpg"), read).ok());
    ASSERT_EQ(read.size(), gradient.size());
    EXPECT_LE(maxDifference(read, gradient), 3);
}

TEST_F(PictureFile, TruncatedJpegDecodesWithAGreyTailAndAWarning)
{
    QImage noisy(128, 128, QImage::Format_BGR888);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            noisy.setPixel(x, y, qRgb(30 + (x * 7919 + y * 104729) % 40, 200, 60));
    ASSERT_TRUE(writeJpegFile(noisy, 90, path("n.jpg")).ok());
    QImage whole;
    ASSERT_TRUE(decodeJpegFile(path("n.jpg"), whole).ok());
    const QByteArray bytes = fileBytes(path("n.jpg"));
    writeBytes(path("n.jpg"), bytes.left(bytes.size() / 2));

    QImage cut;
    const PictureResult result = decodeJpegFile(path("n.jpg"), cut);
    ASSERT_TRUE(result.ok()) << result.detail.toStdString();
    EXPECT_FALSE(result.detail.isEmpty());
    EXPECT_EQ(cut.copy(0, 0, 128, 16), whole.copy(0, 0, 128, 16));
    EXPECT_EQ(cut.pixel(127, 127), qRgb(128, 128, 128));
}

TEST_F(PictureFile, CmykJpegIsReadThroughQt)
{
    const unsigned char cmyk[4 * 16 * 16] = {};  // no ink at all
    tjhandle tj = tjInitCompress();
    unsigned char *jpeg = nullptr;
    unsigned long size = 0;
    ASSERT_EQ(tjCompress2(tj, cmyk, 16, 0, 16, TJPF_CMYK, &jpeg, &size, TJSAMP_444, 90, 0), 0);
    writeBytes(path("c.jpg"), QByteArray(reinterpret_cast<char *>(jpeg), qsizetype(size)));
    tjFree(jpeg);
    tjDestroy(tj);
    QImage read;
    ASSERT_TRUE(decodeJpegFile(path("c.jpg"), read).ok());
    EXPECT_EQ(read.size(), QSize(16, 16));
    EXPECT_EQ(read.format(), QImage::Format_BGR888);
}

TEST_F(PictureFile, WritersRefuseBadRequestsWithoutLeavingAFile)
{
    for (const int quality : {0, 101}) {
        const PictureResult result = writeJpegFile(pattern(4, 4), quality, path("q.jpg"));
        EXPECT_EQ(result.error, Error::WriteFailed);
        EXPECT_TRUE(result.detail.contains(QString::number(quality)));
    }
    EXPECT_EQ(writeBitmapFile(QImage(), path("q.bmp")).error, Error::WriteFailed);
    EXPECT_EQ(writeBitmapFile(pattern(4, 4), path("no/such/dir.bmp")).error, Error::WriteFailed);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}
