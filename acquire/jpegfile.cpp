// JPEG files through TurboJPEG: decoding into the picture's buffer, encoding at a given quality.
#include "acquire/picturefile.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include <QFile>

#include <turbojpeg.h>

#include "acquire/pictureio.h"

using namespace pictureio;

namespace {

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

// Whether a decode that returned an error only warned, after which the whole picture is there (a
// truncated file decodes with a grey tail). TurboJPEG 2.1 answers "warning" from tjGetErrorCode
// once any warning came, even when the decode then stopped on an error, so the decode is run again,
// at an eighth of the size and stopping at the first warning: when that warning is also the last
// word of the full decode, nothing worse followed it.
bool onlyWarned(tjhandle tj, const unsigned char *jpeg, unsigned long size, int width, int height,
                const QString &message)
{
    if (tjGetErrorCode(tj) == TJERR_FATAL)
        return false;
    const tjscalingfactor eighth{1, 8};
    const int smallWidth = TJSCALED(width, eighth);
    const int smallHeight = TJSCALED(height, eighth);
    std::vector<unsigned char> small(std::size_t(smallWidth) * std::size_t(smallHeight) * 3);
    if (tjDecompress2(tj, jpeg, size, small.data(), smallWidth, 0, smallHeight, TJPF_BGR, TJFLAG_STOPONWARNING)
        == 0)
        return false;  // no warning at all: the full decode failed on something else
    return tjMessage(tj) == message;
}

// Marks at the start of every row of the picture a decode writes into, so that after a failed decode
// it is known how far the decoder got: it writes whole rows from the top. A decode that fails before
// its first row has the marks taken off again and leaves the picture exactly as it was; rows are
// only produced once the whole header and, for a progressive file, every scan have been read.
class RowMarks {
public:
    explicit RowMarks(QImage &image)
        : m_image(image)
        , m_bytes(std::min<qsizetype>(Bytes, qsizetype(image.width()) * 3))
        , m_kept(std::size_t(image.height()))
    {
        for (int y = 0; y < image.height(); ++y) {
            std::memcpy(m_kept[std::size_t(y)].data(), image.constScanLine(y), std::size_t(m_bytes));
            const auto mark = markOf(y);
            std::memcpy(image.scanLine(y), mark.data(), std::size_t(m_bytes));
        }
    }

    // The rows from the top the decoder wrote.
    [[nodiscard]] int writtenRows() const
    {
        int y = 0;
        while (y < m_image.height() && std::memcmp(m_image.constScanLine(y), markOf(y).data(), std::size_t(m_bytes)) != 0)
            ++y;
        return y;
    }

    void takeOff()
    {
        for (int y = 0; y < m_image.height(); ++y)
            std::memcpy(m_image.scanLine(y), m_kept[std::size_t(y)].data(), std::size_t(m_bytes));
    }

private:
    static constexpr qsizetype Bytes = 12;

    // Bytes no decoded picture shows by chance: they differ from row to row.
    [[nodiscard]] static std::array<uchar, Bytes> markOf(int y)
    {
        std::array<uchar, Bytes> mark{};
        quint32 state = 0x9E3779B9u ^ quint32(y) * 0x85EBCA6Bu;
        for (uchar &b : mark) {
            state = state * 1664525u + 1013904223u;
            b = uchar(state >> 24);
        }
        return mark;
    }

    QImage &m_image;
    qsizetype m_bytes;
    std::vector<std::array<uchar, Bytes>> m_kept;
};

// A JPEG that TurboJPEG cannot take (unusual colour sampling, CMYK) may still be one Qt reads.
PictureResult decodeThroughQt(const QString &path, QImage &image)
{
    QFile file(path);
    if (PictureResult opened = openForReading(file); !opened.ok())
        return opened;
    return readWithQt(file, "jpeg", QStringLiteral("the JPEG file"), image);
}

}  // namespace

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
    // A header that stopped on an error gives no size, whatever tjGetErrorCode says.
    if (tjDecompressHeader3(tj.get(), jpeg, jpegSize, &width, &height, &subsampling, &colorspace) != 0
        && (tjGetErrorCode(tj.get()) == TJERR_FATAL || width <= 0 || height <= 0)) {
        const QString message = tjMessage(tj.get());
        if (!data.startsWith("\xFF\xD8"))
            return failure(Error::Unreadable, message);
        PictureResult viaQt = decodeThroughQt(path, image);
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
        return decodeThroughQt(path, image);

    Destination destination(image);
    if (!destination.prepare(width, height))
        return outOfMemory(width, height);
    QImage &target = destination.target();
    RowMarks marks(target);
    PictureResult result;
    // Without flags TurboJPEG uses the accurate DCT and smooth chroma upsampling.
    if (tjDecompress2(tj.get(), jpeg, jpegSize, target.bits(), width, int(target.bytesPerLine()), height, TJPF_BGR,
                      0)
        != 0) {
        const QString message = tjMessage(tj.get());
        if (!onlyWarned(tj.get(), jpeg, jpegSize, width, height, message)) {
            const int written = marks.writtenRows();
            if (written == 0) {
                marks.takeOff();
                return failure(Error::Unreadable, message);
            }
            // The decoder gave up after it had produced rows (on what follows the picture's data,
            // as a second scan where none may be): the picture is there as far as it got, the
            // rest grey as a cut-off file shows, and the error is its warning.
            for (int y = written; y < height; ++y)
                std::memset(target.scanLine(y), 0x80, std::size_t(width) * 3);
        }
        result.detail = message;
    }
    destination.commit();
    return result;
}

PictureResult writeJpegFile(const QImage &image, int quality, const QString &path)
{
    if (quality < 1 || quality > 100)
        return failure(Error::WriteFailed, QStringLiteral("JPEG quality %1 is outside 1 to 100").arg(quality));
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
    if (tjCompress2(tj.get(), picture.constBits(), picture.width(), int(picture.bytesPerLine()), picture.height(),
                    TJPF_BGR, &out, &jpegSize, subsampling, quality, TJFLAG_NOREALLOC)
        != 0)
        return failure(Error::WriteFailed, tjMessage(tj.get()));
    return replaceFile(path, FileSync::Durable,
                       [&](QIODevice &file) { return writeFully(file, out, qint64(jpegSize)); });
}
