#pragma once

// What the picture file formats share: their failures, the size limit, the buffer a read fills,
// Qt's readers for the variants the fast paths leave out, and replacing a file safely. Only the
// files of acquire/ that read and write pictures include it.

#include <functional>

#include <QFile>
#include <QImage>
#include <QString>

#include "acquire/picturefile.h"

class QIODevice;

namespace pictureio {

using Error = PictureResult::Error;

// Longest side accepted; JPEG cannot go beyond it and it keeps every row size inside an int.
inline constexpr qint64 MaxPictureSide = 65535;

[[nodiscard]] PictureResult failure(Error error, const QString &detail);
[[nodiscard]] PictureResult tooLarge(qint64 width, qint64 height);
[[nodiscard]] PictureResult outOfMemory(qint64 width, qint64 height);
[[nodiscard]] bool sizeAllowed(qint64 width, qint64 height);
[[nodiscard]] bool isReusable(const QImage &image, int width, int height);

// The buffer a read fills: image's own when it can be reused, so reloading a picture of the same
// size allocates nothing; otherwise a new picture that replaces image only once the read
// succeeded, so a failure then leaves image untouched.
class Destination {
public:
    explicit Destination(QImage &image) : m_image(image) {}

    [[nodiscard]] bool prepare(int width, int height);
    [[nodiscard]] QImage &target() { return m_reuse ? m_image : m_fresh; }
    void commit();

private:
    QImage &m_image;
    QImage m_fresh;
    bool m_reuse = false;
};

// Opens path unbuffered for reading; Missing or Unreadable with the system's words.
[[nodiscard]] PictureResult openForReading(QFile &file);

// Reads the picture of the named format from device through Qt's reader into image (24-bit),
// with an allocation limit that fits the largest allowed picture. Only that format is tried, so
// a file of another kind under this name is refused rather than guessed at. `what` describes the
// file for a refusal, whose detail then names Qt's words too.
[[nodiscard]] PictureResult readWithQt(QIODevice &device, const char *format, const QString &what,
                                       QImage &image);

// Writes path's new contents into a temporary file beside it and renames that over path, so a
// failure never leaves half a file behind. writeBody returns false when a write failed.
[[nodiscard]] PictureResult replaceFile(const QString &path, FileSync sync,
                                        const std::function<bool(QIODevice &)> &writeBody);
[[nodiscard]] bool writeFully(QIODevice &file, const void *data, qint64 count);
// The picture in the 24-bit layout the writers expect, shared when it already is.
[[nodiscard]] QImage asPicture(const QImage &image);

}  // namespace pictureio
