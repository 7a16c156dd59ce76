#include "acquire/picturefile.h"

#include <filesystem>

#include <QImageReader>
#include <QSaveFile>

#include "acquire/pictureio.h"

namespace pictureio {

namespace {

// Qt's readers refuse to allocate more than this many megabytes; enough for the largest allowed
// picture at 32 bits per pixel, which is what Qt decodes 32-bit bitmaps into.
constexpr int QtReaderLimitMb = int(MaxPicturePixels * 4 / (1024 * 1024)) + 1;

}  // namespace

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

PictureResult outOfMemory(qint64 width, qint64 height)
{
    return failure(Error::OutOfMemory, QStringLiteral("no memory for a %1 x %2 picture (%3 MB)")
                                           .arg(width)
                                           .arg(height)
                                           .arg(width * height * 3 / (1024 * 1024)));
}

bool sizeAllowed(qint64 width, qint64 height)
{
    return width <= MaxPictureSide && height <= MaxPictureSide && width * height <= MaxPicturePixels;
}

bool isReusable(const QImage &image, int width, int height)
{
    return image.width() == width && image.height() == height && image.format() == QImage::Format_BGR888
        && image.isDetached();
}

bool Destination::prepare(int width, int height)
{
    m_reuse = isReusable(m_image, width, height);
    return m_reuse || ensurePicture(m_fresh, width, height);
}

void Destination::commit()
{
    if (!m_reuse)
        m_image = std::move(m_fresh);
}

PictureResult openForReading(QFile &file)
{
    if (!file.exists())
        return failure(Error::Missing, QStringLiteral("no such file: %1").arg(file.fileName()));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return failure(Error::Unreadable, file.errorString());
    return {};
}

PictureResult readWithQt(QIODevice &device, const char *format, const QString &what, QImage &image)
{
    QImageReader reader(&device, format);
    reader.setAutoDetectImageFormat(false);
    reader.setAllocationLimit(QtReaderLimitMb);
    // The header gives the size before any pixel is decoded. A top-down bitmap reports a negative
    // height here; its own reader has checked the size already.
    const QSize header = reader.size();
    if (header.width() > 0 && header.height() > 0 && !sizeAllowed(header.width(), header.height()))
        return tooLarge(header.width(), header.height());
    QImage read;
    if (!reader.read(&read))
        return failure(Error::Unreadable, QStringLiteral("%1 cannot be decoded: %2").arg(what, reader.errorString()));
    const QSize size = read.size();
    read = std::move(read).convertToFormat(QImage::Format_BGR888);
    if (read.isNull())
        return outOfMemory(size.width(), size.height());
    image = std::move(read);
    return {};
}

PictureResult replaceFile(const QString &path, FileSync sync, const std::function<bool(QIODevice &)> &writeBody)
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

QImage asPicture(const QImage &image)
{
    return image.format() == QImage::Format_BGR888 ? image : image.convertToFormat(QImage::Format_BGR888);
}

}  // namespace pictureio

using namespace pictureio;

bool ensurePicture(QImage &image, int width, int height)
{
    if (isReusable(image, width, height))
        return true;
    image = QImage(width, height, QImage::Format_BGR888);
    return !image.isNull();
}

PictureResult copyFileOver(const QString &source, const QString &target)
{
    QFile in(source);
    if (PictureResult opened = openForReading(in); !opened.ok())
        return opened;
    return replaceFile(target, FileSync::Durable, [&in](QIODevice &out) {
        QByteArray chunk(1 << 20, Qt::Uninitialized);
        for (;;) {
            const qint64 got = in.read(chunk.data(), chunk.size());
            if (got < 0)
                return false;
            if (got == 0)
                return true;
            if (!writeFully(out, chunk.constData(), got))
                return false;
        }
    });
}
