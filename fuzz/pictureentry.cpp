#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

#include <turbojpeg.h>

#include "acquire/picturefile.h"
#include "fuzz/fuzzentry.h"
#include "fuzz/memoryfile.h"

namespace {

// Pictures are allowed up to 100 million pixels, but a header of a few bytes that claims that
// many makes each try take seconds while adding nothing the small ones do not reach. The limit
// itself is checked by the unit tests.
constexpr qint64 MaxFuzzPixels = 1 << 20;

bool jpegSizeWorthTrying(const std::uint8_t *data, std::size_t size)
{
    tjhandle tj = tjInitDecompress();
    int width = 0;
    int height = 0;
    int subsampling = 0;
    int colorspace = 0;
    const bool known = tjDecompressHeader3(tj, data, static_cast<unsigned long>(size), &width, &height,
                                           &subsampling, &colorspace) == 0;
    tjDestroy(tj);
    if (!known) {
        // The loader hands such files to Qt's reader, which sees its own size.
        QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        const QSize qtSize = QImageReader(&buffer, "jpeg").size();
        width = qtSize.width();
        height = qtSize.height();
    }
    return qint64(width) * height <= MaxFuzzPixels;
}

bool bitmapSizeWorthTrying(const std::uint8_t *data, std::size_t size)
{
    if (size < 26)
        return true;
    const auto infoSize = qFromLittleEndian<quint32>(data + 14);
    qint64 width = 0;
    qint64 height = 0;
    if (infoSize == 12) {  // OS/2 1.x: 16-bit sides
        width = qFromLittleEndian<quint16>(data + 18);
        height = qFromLittleEndian<quint16>(data + 20);
    } else {
        width = qFromLittleEndian<qint32>(data + 18);
        height = qFromLittleEndian<qint32>(data + 22);
    }
    return qAbs(width) * qAbs(height) <= MaxFuzzPixels;
}

// One loader run twice: into an empty picture, and again into a picture of the size it gave,
// filled with a pattern, as when the operator opens the next picture of the same camera. A
// failure leaves the empty picture empty; a success gives a 24-bit picture, and the second run
// gives the very same pixels, none of the pattern left: a success never hands over rows the
// file did not fill.
int checkLoader(PictureResult (*load)(const QString &, QImage &), const std::uint8_t *data, std::size_t size)
{
    static MemoryFile file;
    file.assign(data, size);
    QImage first;
    const PictureResult result = load(file.path(), first);
    if (!result.ok()) {
        FUZZ_REQUIRE(first.isNull());
        FUZZ_REQUIRE(result.error != PictureResult::Error::Missing);
        return 0;
    }
    FUZZ_REQUIRE(!first.isNull());
    FUZZ_REQUIRE(first.format() == QImage::Format_BGR888);
    FUZZ_REQUIRE(qint64(first.width()) * first.height() <= MaxPicturePixels);

    QImage reused(first.size(), QImage::Format_BGR888);
    reused.fill(QColor(0x5A, 0xA5, 0x3C));
    const PictureResult again = load(file.path(), reused);
    FUZZ_REQUIRE(again.ok());
    FUZZ_REQUIRE(again.detail == result.detail);
    FUZZ_REQUIRE(reused == first);
    return 0;
}

}  // namespace

int fuzzJpeg(const std::uint8_t *data, std::size_t size)
{
    if (!jpegSizeWorthTrying(data, size))
        return -1;  // kept out of the corpus
    return checkLoader(decodeJpegFile, data, size);
}

int fuzzBitmap(const std::uint8_t *data, std::size_t size)
{
    if (!bitmapSizeWorthTrying(data, size))
        return -1;
    return checkLoader(readBitmapFile, data, size);
}
