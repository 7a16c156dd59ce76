// Windows bitmap files: uncompressed 24-bit ones straight into the picture's rows, every other
// variant through Qt's reader once its header and pixel data have been checked; writing 24-bit
// bottom-up files.
#include "acquire/picturefile.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include <QFile>
#include <QtEndian>

#include "acquire/pictureio.h"

using namespace pictureio;

namespace {

constexpr int FileHeaderSize = 14;
constexpr int InfoHeaderSize = 40;
constexpr int CoreHeaderSize = 12;  // OS/2 1.x
constexpr int Os2HeaderSize = 64;   // OS/2 2.x, whose compressions 3 and 4 are its own
constexpr quint32 PixelsPerMeter = 2835;  // 72 dpi

enum Compression : quint32 { Rgb = 0, Rle8 = 1, Rle4 = 2, BitFields = 3, AlphaBitFields = 6 };

// What the headers say, whatever their variant.
struct Header {
    quint32 pixelOffset = 0;
    quint32 infoSize = 0;
    qint64 width = 0;
    qint64 height = 0;  // rows, positive
    bool topDown = false;
    int bitsPerPixel = 0;
    quint32 compression = Rgb;
};

qint64 rowBytes(qint64 width, int bitsPerPixel)
{
    return (width * bitsPerPixel + 31) / 32 * 4;
}

QString describe(const Header &h)
{
    return QStringLiteral("the %1-bit bitmap (compression %2)").arg(h.bitsPerPixel).arg(h.compression);
}

// Reads the file and info headers; a header of an unknown kind is refused with its size.
PictureResult readHeader(QFile &file, Header &h)
{
    uchar head[FileHeaderSize + 124] = {};
    const qint64 got = file.read(reinterpret_cast<char *>(head), sizeof head);
    if (got < FileHeaderSize + 4 || head[0] != 'B' || head[1] != 'M')
        return failure(Error::Unreadable, QStringLiteral("not a Windows bitmap"));
    h.pixelOffset = qFromLittleEndian<quint32>(head + 10);
    h.infoSize = qFromLittleEndian<quint32>(head + 14);
    const uchar *info = head + FileHeaderSize;
    const bool known = h.infoSize == CoreHeaderSize || h.infoSize == 16 || h.infoSize == InfoHeaderSize
        || h.infoSize == 52 || h.infoSize == 56 || h.infoSize == Os2HeaderSize || h.infoSize == 108
        || h.infoSize == 124;
    if (!known)
        return failure(Error::Unreadable, QStringLiteral("a bitmap header of %1 bytes is not known").arg(h.infoSize));
    if (got < FileHeaderSize + qint64(h.infoSize))
        return failure(Error::Unreadable, QStringLiteral("truncated: the file ends inside the bitmap header"));
    if (h.infoSize == CoreHeaderSize) {
        h.width = qFromLittleEndian<quint16>(info + 4);
        h.height = qFromLittleEndian<quint16>(info + 6);
        h.bitsPerPixel = qFromLittleEndian<quint16>(info + 10);
        return {};
    }
    h.width = qFromLittleEndian<qint32>(info + 4);
    const qint64 signedHeight = qFromLittleEndian<qint32>(info + 8);
    h.topDown = signedHeight < 0;
    h.height = h.topDown ? -signedHeight : signedHeight;
    h.bitsPerPixel = qFromLittleEndian<quint16>(info + 14);
    h.compression = h.infoSize >= InfoHeaderSize ? qFromLittleEndian<quint32>(info + 16) : Rgb;
    if (h.width <= 0 || h.height == 0)
        return failure(Error::Unreadable, QStringLiteral("impossible size %1 x %2").arg(h.width).arg(signedHeight));
    return {};
}

// Whether the compression and the pixel depth go together in a variant the readers know.
PictureResult checkVariant(const Header &h)
{
    const int bits = h.bitsPerPixel;
    const bool plainDepth = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    const bool os2Own = h.infoSize == Os2HeaderSize && h.compression >= BitFields;
    bool fits = false;
    if (!os2Own) {
        switch (h.compression) {
        case Rgb: fits = plainDepth; break;
        case Rle8: fits = bits == 8 && !h.topDown; break;
        case Rle4: fits = bits == 4 && !h.topDown; break;
        case BitFields:
        case AlphaBitFields: fits = bits == 16 || bits == 32; break;
        default: break;
        }
    }
    if (fits)
        return {};
    return failure(Error::Unreadable, QStringLiteral("%1%2 is not a variant that can be read")
                                          .arg(describe(h), h.topDown ? QStringLiteral(", stored top-down") : QString()));
}

// Walks RLE8 or RLE4 pixel data: it must give every pixel of every row before its bytes run out.
// Qt's reader leaves the pixels the data does not give (a cut-off file, an early end, a skip) as
// whatever the memory held, so such a file is refused with the row where it falls short.
PictureResult checkRunLengths(const QByteArray &data, const Header &h)
{
    const auto *p = reinterpret_cast<const uchar *>(data.constData());
    const qint64 n = data.size();
    qint64 x = 0;
    qint64 y = 0;
    qint64 i = 0;
    const auto shortAt = [&](const QString &how) {
        return failure(Error::Unreadable,
                       QStringLiteral("truncated: the compressed pixels %1 at row %2 of %3").arg(how).arg(y + 1).arg(h.height));
    };
    while (y < h.height) {
        if (i + 2 > n)
            return x >= h.width && y == h.height - 1 ? PictureResult{} : shortAt(QStringLiteral("end"));
        const uchar count = p[i];
        const uchar code = p[i + 1];
        i += 2;
        if (count > 0) {
            x += count;
        } else if (code == 0 || code == 1) {  // end of line, end of bitmap
            if (x < h.width)
                return shortAt(QStringLiteral("leave %1 of %2 pixels out").arg(h.width - x).arg(h.width));
            if (code == 1 && y < h.height - 1)
                return shortAt(QStringLiteral("end"));
            x = 0;
            ++y;
        } else if (code == 2) {
            return shortAt(QStringLiteral("skip pixels"));
        } else {
            const qint64 bytes = h.compression == Rle4 ? (code + 1) / 2 : code;
            i += bytes + (bytes & 1);  // absolute runs are padded to whole words
            if (i > n)
                return shortAt(QStringLiteral("end"));
            x += code;
        }
    }
    return {};
}

// Whether the pixel data is all there: for uncompressed rows the file must hold every row, for
// run lengths the data must give every pixel.
PictureResult checkPixelData(QFile &file, const Header &h)
{
    if (h.pixelOffset < FileHeaderSize + h.infoSize)
        return failure(Error::Unreadable, QStringLiteral("the pixels overlap the header"));
    const qint64 available = file.size() - h.pixelOffset;
    if (h.compression == Rle8 || h.compression == Rle4) {
        // Valid data never needs more than about two bytes a pixel; more is not read.
        const qint64 enough = 2 * h.width * h.height + 4 * h.height + 16;
        if (available <= 0 || !file.seek(h.pixelOffset))
            return failure(Error::Unreadable, QStringLiteral("truncated: the file holds no pixels"));
        return checkRunLengths(file.read(std::min(available, enough)), h);
    }
    const qint64 pixelBytes = rowBytes(h.width, h.bitsPerPixel) * h.height;
    if (available < pixelBytes)
        return failure(Error::Unreadable, QStringLiteral("truncated: the pixels need %1 bytes from offset %2, "
                                                         "the file holds %3")
                                              .arg(pixelBytes)
                                              .arg(h.pixelOffset)
                                              .arg(file.size()));
    return {};
}

bool readFully(QFile &file, uchar *to, qint64 count)
{
    return file.read(reinterpret_cast<char *>(to), count) == count;
}

// Uncompressed 24-bit rows and QImage's 24-bit rows are both padded to 4 bytes, so the file's rows
// land straight in the picture: all at once when stored top-down, one by one otherwise.
PictureResult readPlain24(QFile &file, const Header &h, QImage &image)
{
    Destination destination(image);
    if (!destination.prepare(int(h.width), int(h.height)))
        return outOfMemory(h.width, h.height);
    QImage &target = destination.target();
    const qint64 bytes = rowBytes(h.width, 24);
    Q_ASSERT(target.bytesPerLine() == bytes);
    uchar *bits = target.bits();
    bool read = file.seek(h.pixelOffset);
    if (read && h.topDown) {
        read = readFully(file, bits, bytes * h.height);
    } else {
        for (qint64 y = h.height - 1; read && y >= 0; --y)
            read = readFully(file, bits + y * bytes, bytes);
    }
    if (!read)
        return failure(Error::Unreadable, file.errorString());
    destination.commit();
    return {};
}

}  // namespace

PictureResult readBitmapFile(const QString &path, QImage &image)
{
    QFile file(path);
    if (PictureResult opened = openForReading(file); !opened.ok())
        return opened;
    Header h;
    if (PictureResult header = readHeader(file, h); !header.ok())
        return header;
    if (!sizeAllowed(h.width, h.height))
        return tooLarge(h.width, h.height);
    if (PictureResult variant = checkVariant(h); !variant.ok())
        return variant;
    if (PictureResult pixels = checkPixelData(file, h); !pixels.ok())
        return pixels;
    if (h.compression == Rgb && h.bitsPerPixel == 24)
        return readPlain24(file, h, image);
    if (!file.seek(0))
        return failure(Error::Unreadable, file.errorString());
    return readWithQt(file, "bmp", describe(h), image);
}

PictureResult writeBitmapFile(const QImage &image, const QString &path, FileSync sync)
{
    if (image.isNull())
        return failure(Error::WriteFailed, QStringLiteral("no picture to write"));
    const QImage picture = asPicture(image);
    if (picture.isNull())
        return outOfMemory(image.width(), image.height());
    const int width = picture.width();
    const int height = picture.height();
    const qint64 bytes = rowBytes(width, 24);
    const qint64 pixelBytes = bytes * height;
    const qint64 fileBytes = FileHeaderSize + InfoHeaderSize + pixelBytes;
    if (fileBytes > std::numeric_limits<quint32>::max())
        return failure(Error::WriteFailed, QStringLiteral("too large for a bitmap file"));

    uchar head[FileHeaderSize + InfoHeaderSize] = {'B', 'M'};
    qToLittleEndian<quint32>(quint32(fileBytes), head + 2);
    qToLittleEndian<quint32>(sizeof head, head + 10);
    qToLittleEndian<quint32>(InfoHeaderSize, head + 14);
    qToLittleEndian<qint32>(width, head + 18);
    qToLittleEndian<qint32>(height, head + 22);  // positive: bottom-up
    qToLittleEndian<quint16>(1, head + 26);
    qToLittleEndian<quint16>(24, head + 28);
    qToLittleEndian<quint32>(quint32(pixelBytes), head + 34);
    qToLittleEndian<quint32>(PixelsPerMeter, head + 38);
    qToLittleEndian<quint32>(PixelsPerMeter, head + 42);

    return replaceFile(path, sync, [&](QIODevice &file) {
        if (!writeFully(file, head, sizeof head))
            return false;
        // Rows go out bottom-up through a buffer of about a megabyte: few system calls, and the
        // padding is written as zeros rather than whatever lies past the picture's rows.
        const qint64 chunkRows = std::max<qint64>(1, (qint64(1) << 20) / bytes);
        QByteArray chunk(chunkRows * bytes, '\0');
        auto *chunkData = reinterpret_cast<uchar *>(chunk.data());
        for (qint64 y = height - 1; y >= 0;) {
            const qint64 rows = std::min(chunkRows, y + 1);
            for (qint64 i = 0; i < rows; ++i)
                std::memcpy(chunkData + i * bytes, picture.constScanLine(int(y - i)), size_t(width) * 3);
            if (!writeFully(file, chunkData, rows * bytes))
                return false;
            y -= rows;
        }
        return true;
    });
}
