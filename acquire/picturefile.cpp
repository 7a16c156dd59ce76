#include "acquire/picturefile.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>

#include <QFile>
#include <QImageReader>
#include <QSaveFile>
#include <QtEndian>

#include <turbojpeg.h>

namespace {

using Error = PictureResult::Error;

// Longest side accepted; JPEG cannot go beyond it and it keeps every row size inside an int.
constexpr qint64 MaxPictureSide = 65535;

// Qt's readers refuse to allocate more than this many megabytes; enough for the largest allowed
// picture at 32 bits per pixel, which is what Qt decodes 32-bit bitmaps into.
constexpr int QtReaderLimitMb = int(MaxPicturePixels * 4 / (1024 * 1024)) + 1;

constexpr int BitmapFileHeaderSize = 14;
constexpr int BitmapInfoHeaderSize = 40;
constexpr quint32 BitmapPixelsPerMeter = 2835;  // 72 dpi

PictureResult failure(Error error, const QString &detail)
{
    return PictureResult{error, detail};
}

PictureResult tooLarge(qint64 width, qint64 height)
{
    return failure(Error::TooLarge, QStringLiteral("%1 x %2 pixels exceed the limit of %3 pixels "
                                                   "or %4 per side")
                                        .arg(width)
                                        .arg(height)
                                        .arg(MaxPicturePixels)
                                        .arg(MaxPictureSide));
}

PictureResult outOfMemory(int width, int height)
{
    return failure(Error::OutOfMemory,
                   QStringLiteral("no memory for a %1 x %2 picture (%3 MB)")
                       .arg(width)
                       .arg(height)
                       .arg(qint64(width) * height * 3 / (1024 * 1024)));
}

bool sizeAllowed(qint64 width, qint64 height)
{
    return width <= MaxPictureSide && height <= MaxPictureSide
        && width * height <= MaxPicturePixels;
}

bool isReusable(const QImage &image, int width, int height)
{
    return image.width() == width && image.height() == height
        && image.format() == QImage::Format_BGR888 && image.isDetached();
}

qint64 bitmapRowBytes(qint64 width)
{
    return (width * 3 + 3) & ~qint64(3);
}

// The buffer a read fills: image's own when it can be reused, so reloading a picture of the same
// size allocates nothing; otherwise a new picture that replaces image only once the read
// succeeded, so a failure then leaves image untouched.
class Destination {
public:
    explicit Destination(QImage &image) : m_image(image) {}

    bool prepare(int width, int height)
    {
        m_reuse = isReusable(m_image, width, height);
        return m_reuse || ensurePicture(m_fresh, width, height);
    }
    QImage &target() { return m_reuse ? m_image : m_fresh; }
    void commit()
    {
        if (!m_reuse)
            m_image = std::move(m_fresh);
    }

private:
    QImage &m_image;
    QImage m_fresh;
    bool m_reuse = false;
};

PictureResult openForReading(QFile &file)
{
    if (!file.exists())
        return failure(Error::Missing, QStringLiteral("no such file: %1").arg(file.fileName()));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return failure(Error::Unreadable, file.errorString());
    return {};
}

bool readFully(QFile &file, uchar *to, qint64 count)
{
    return file.read(reinterpret_cast<char *>(to), count) == count;
}

// Qt's readers take the variants the fast paths leave out. Only the named format is tried, so a
// file of another kind under this name is refused rather than guessed at.
PictureResult readWithQt(const QString &path, const char *format, QImage &image)
{
    QImageReader reader(path, format);
    reader.setAutoDetectImageFormat(false);
    reader.setAllocationLimit(QtReaderLimitMb);
    const QSize size = reader.size();
    if (!size.isValid())
        return failure(Error::Unreadable, reader.errorString());
    if (!sizeAllowed(size.width(), size.height()))
        return tooLarge(size.width(), size.height());
    QImage read;
    if (!reader.read(&read))
        return failure(Error::Unreadable, reader.errorString());
    read = std::move(read).convertToFormat(QImage::Format_BGR888);
    if (read.isNull())
        return outOfMemory(size.width(), size.height());
    image = std::move(read);
    return {};
}

struct TjDestroy {
    void operator()(void *handle) const { tjDestroy(handle); }
};
using TjHandle = std::unique_ptr<void, TjDestroy>;

struct TjFree {
    void operator()(unsigned char *buffer) const { tjFree(buffer); }
};

QString tjMessage(tjhandle handle)
{
    return QString::fromLocal8Bit(tjGetErrorStr2(handle));
}

// Writes path's new contents into a temporary file beside it and renames that over path, so a
// failure never leaves half a file behind.
PictureResult replaceFile(const QString &path, FileSync sync, const auto &writeBody)
{
    if (sync == FileSync::Durable) {
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return failure(Error::WriteFailed, file.errorString());
        if (!writeBody(file) || !file.commit())
            return failure(Error::WriteFailed, file.errorString());
        return {};
    }
    // QSaveFile always waits for the disk, so the fast way renames by itself.
    QFile part(path + QStringLiteral(".part"));
    if (!part.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return failure(Error::WriteFailed, part.errorString());
    const bool written = writeBody(part);
    part.close();
    QString message = part.errorString();
    if (written && part.error() == QFileDevice::NoError) {
        // Renaming over an existing file makes ext4 push the new data to the disk first, which
        // costs about what waiting for it would; a scratch file can do without that guarantee.
        QFile::remove(path);
        std::error_code error;
        std::filesystem::rename(part.filesystemFileName(), QFile(path).filesystemFileName(), error);
        if (!error)
            return {};
        message = QString::fromStdString(error.message());
    }
    part.remove();
    return failure(Error::WriteFailed, message);
}

bool writeFully(QIODevice &file, const void *data, qint64 count)
{
    return file.write(static_cast<const char *>(data), count) == count;
}

// The picture in the 24-bit layout the writers expect, shared when it already is.
QImage asPicture(const QImage &image)
{
    return image.format() == QImage::Format_BGR888
        ? image
        : image.convertToFormat(QImage::Format_BGR888);
}

} // namespace

bool ensurePicture(QImage &image, int width, int height)
{
    if (isReusable(image, width, height))
        return true;
    image = QImage(width, height, QImage::Format_BGR888);
    return !image.isNull();
}

PictureResult decodeJpegFile(const QString &path, QImage &image)
{
    QFile file(path);
    if (PictureResult opened = openForReading(file); !opened.ok())
        return opened;
    // Read rather than mapped: a mapped file cut short by another program kills the process,
    // and the copy costs about a hundredth of the decode.
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return failure(Error::Unreadable, file.errorString());
    file.close();

    TjHandle tj(tjInitDecompress());
    if (!tj)
        return failure(Error::OutOfMemory, tjMessage(nullptr));
    const auto *jpeg = reinterpret_cast<const unsigned char *>(data.constData());
    const auto jpegSize = static_cast<unsigned long>(data.size());
    int width = 0;
    int height = 0;
    int subsampling = 0;
    int colorspace = 0;
    if (tjDecompressHeader3(tj.get(), jpeg, jpegSize, &width, &height, &subsampling, &colorspace)
            != 0
        && tjGetErrorCode(tj.get()) == TJERR_FATAL) {
        // TurboJPEG also refuses valid files with unusual colour sampling, which Qt reads.
        const QString message = tjMessage(tj.get());
        if (!data.startsWith("\xFF\xD8"))
            return failure(Error::Unreadable, message);
        PictureResult viaQt = readWithQt(path, "jpeg", image);
        if (viaQt.error == Error::Unreadable)
            viaQt.detail = message;
        return viaQt;
    }
    if (width <= 0 || height <= 0)
        return failure(Error::Unreadable, QStringLiteral("the JPEG header gives no size"));
    if (!sizeAllowed(width, height))
        return tooLarge(width, height);
    // TurboJPEG cannot turn CMYK into BGR.
    if (colorspace == TJCS_CMYK || colorspace == TJCS_YCCK)
        return readWithQt(path, "jpeg", image);

    Destination destination(image);
    if (!destination.prepare(width, height))
        return outOfMemory(width, height);
    QImage &target = destination.target();
    PictureResult result;
    // Without flags TurboJPEG uses the accurate DCT and smooth chroma upsampling.
    if (tjDecompress2(tj.get(), jpeg, jpegSize, target.bits(), width,
                      int(target.bytesPerLine()), height, TJPF_BGR, 0)
        != 0) {
        // A warning (a truncated file, damaged data) still yields the whole picture.
        if (tjGetErrorCode(tj.get()) == TJERR_FATAL)
            return failure(Error::Unreadable, tjMessage(tj.get()));
        result.detail = tjMessage(tj.get());
    }
    destination.commit();
    return result;
}

PictureResult readBitmapFile(const QString &path, QImage &image)
{
    QFile file(path);
    if (PictureResult opened = openForReading(file); !opened.ok())
        return opened;
    uchar head[BitmapFileHeaderSize + BitmapInfoHeaderSize] = {};
    const qint64 headBytes = file.read(reinterpret_cast<char *>(head), sizeof head);
    if (headBytes < BitmapFileHeaderSize + 4 || head[0] != 'B' || head[1] != 'M')
        return failure(Error::Unreadable, QStringLiteral("not a Windows bitmap"));

    const auto pixelOffset = qFromLittleEndian<quint32>(head + 10);
    const auto infoSize = qFromLittleEndian<quint32>(head + 14);
    // The plain info header and its later extensions (V2…V5) share the first 40 bytes.
    const bool infoHeader = infoSize == 40 || infoSize == 52 || infoSize == 56 || infoSize == 108
        || infoSize == 124;
    const bool plain24 = infoHeader && headBytes == qint64(sizeof head)
        && qFromLittleEndian<quint16>(head + 26) == 1   // planes
        && qFromLittleEndian<quint16>(head + 28) == 24  // bits per pixel
        && qFromLittleEndian<quint32>(head + 30) == 0;  // BI_RGB: uncompressed
    if (!plain24) {
        file.close();
        return readWithQt(path, "bmp", image);
    }

    const qint64 width = qFromLittleEndian<qint32>(head + 18);
    const qint64 signedHeight = qFromLittleEndian<qint32>(head + 22);
    const bool topDown = signedHeight < 0;
    const qint64 height = topDown ? -signedHeight : signedHeight;
    if (width <= 0 || height == 0)
        return failure(Error::Unreadable,
                       QStringLiteral("impossible size %1 x %2").arg(width).arg(signedHeight));
    if (!sizeAllowed(width, height))
        return tooLarge(width, height);
    if (pixelOffset < BitmapFileHeaderSize + infoSize)
        return failure(Error::Unreadable, QStringLiteral("the pixels overlap the header"));
    const qint64 rowBytes = bitmapRowBytes(width);
    const qint64 pixelBytes = rowBytes * height;
    if (file.size() < pixelOffset + pixelBytes)
        return failure(Error::Unreadable,
                       QStringLiteral("truncated: the pixels need %1 bytes from offset %2, "
                                      "the file holds %3")
                           .arg(pixelBytes)
                           .arg(pixelOffset)
                           .arg(file.size()));

    Destination destination(image);
    if (!destination.prepare(int(width), int(height)))
        return outOfMemory(int(width), int(height));
    QImage &target = destination.target();
    // Bitmap rows and QImage's 24-bit rows are both padded to 4 bytes, so the file's rows land
    // straight in the picture: all at once when stored top-down, one by one otherwise.
    Q_ASSERT(target.bytesPerLine() == rowBytes);
    uchar *bits = target.bits();
    bool read = file.seek(pixelOffset);
    if (read && topDown) {
        read = readFully(file, bits, pixelBytes);
    } else {
        for (qint64 y = height - 1; read && y >= 0; --y)
            read = readFully(file, bits + y * rowBytes, rowBytes);
    }
    if (!read)
        return failure(Error::Unreadable, file.errorString());
    destination.commit();
    return {};
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
    const qint64 rowBytes = bitmapRowBytes(width);
    const qint64 pixelBytes = rowBytes * height;
    const qint64 fileBytes = BitmapFileHeaderSize + BitmapInfoHeaderSize + pixelBytes;
    if (fileBytes > std::numeric_limits<quint32>::max())
        return failure(Error::WriteFailed, QStringLiteral("too large for a bitmap file"));

    uchar head[BitmapFileHeaderSize + BitmapInfoHeaderSize] = {'B', 'M'};
    qToLittleEndian<quint32>(quint32(fileBytes), head + 2);
    qToLittleEndian<quint32>(sizeof head, head + 10);
    qToLittleEndian<quint32>(BitmapInfoHeaderSize, head + 14);
    qToLittleEndian<qint32>(width, head + 18);
    qToLittleEndian<qint32>(height, head + 22);  // positive: bottom-up
    qToLittleEndian<quint16>(1, head + 26);
    qToLittleEndian<quint16>(24, head + 28);
    qToLittleEndian<quint32>(quint32(pixelBytes), head + 34);
    qToLittleEndian<quint32>(BitmapPixelsPerMeter, head + 38);
    qToLittleEndian<quint32>(BitmapPixelsPerMeter, head + 42);

    return replaceFile(path, sync, [&](QIODevice &file) {
        if (!writeFully(file, head, sizeof head))
            return false;
        // Rows go out bottom-up through a buffer of about a megabyte: few system calls, and the
        // padding is written as zeros rather than whatever lies past the picture's rows.
        const qint64 chunkRows = std::max<qint64>(1, (qint64(1) << 20) / rowBytes);
        QByteArray chunk(chunkRows * rowBytes, '\0');
        auto *chunkData = reinterpret_cast<uchar *>(chunk.data());
        for (qint64 y = height - 1; y >= 0;) {
            const qint64 rows = std::min(chunkRows, y + 1);
            for (qint64 i = 0; i < rows; ++i)
                std::memcpy(chunkData + i * rowBytes, picture.constScanLine(int(y - i)),
                            size_t(width) * 3);
            if (!writeFully(file, chunkData, rows * rowBytes))
                return false;
            y -= rows;
        }
        return true;
    });
}

PictureResult writeJpegFile(const QImage &image, int quality, const QString &path)
{
    if (quality < 1 || quality > 100)
        return failure(Error::WriteFailed,
                       QStringLiteral("JPEG quality %1 is outside 1 to 100").arg(quality));
    if (image.isNull())
        return failure(Error::WriteFailed, QStringLiteral("no picture to write"));
    const QImage picture = asPicture(image);
    if (picture.isNull())
        return outOfMemory(image.width(), image.height());

    TjHandle tj(tjInitCompress());
    if (!tj)
        return failure(Error::OutOfMemory, tjMessage(nullptr));
    // Measuring pictures keep full colour resolution when quality is asked for.
    const int subsampling = quality >= 90 ? TJSAMP_444 : TJSAMP_420;
    // The worst-case size taken up front spares the encoder growing and copying its output;
    // the pages it never writes are never touched.
    unsigned long jpegSize = tjBufSize(picture.width(), picture.height(), subsampling);
    if (jpegSize > unsigned(std::numeric_limits<int>::max()))
        return failure(Error::WriteFailed, QStringLiteral("too large for a JPEG file"));
    std::unique_ptr<unsigned char, TjFree> jpeg(tjAlloc(int(jpegSize)));
    if (!jpeg)
        return outOfMemory(picture.width(), picture.height());
    unsigned char *out = jpeg.get();
    if (tjCompress2(tj.get(), picture.constBits(), picture.width(), int(picture.bytesPerLine()),
                    picture.height(), TJPF_BGR, &out, &jpegSize, subsampling, quality,
                    TJFLAG_NOREALLOC)
        != 0)
        return failure(Error::WriteFailed, tjMessage(tj.get()));
    return replaceFile(path, FileSync::Durable,
                       [&](QIODevice &file) { return writeFully(file, out, qint64(jpegSize)); });
}
