#pragma once

#include <QImage>
#include <QString>

// Pictures beyond this are refused before any memory is taken for them.
inline constexpr qint64 MaxPicturePixels = 100'000'000;

// Outcome of reading or writing a picture file. The core never shows anything; the window turns
// an error into the operator's message.
struct PictureResult {
    enum class Error { None, Missing, Unreadable, TooLarge, OutOfMemory, WriteFailed };
    Error error = Error::None;
    QString detail;  // the library's or system's words, for the message
    [[nodiscard]] bool ok() const { return error == Error::None; }
};

// Makes image a width x height 24-bit picture (QImage::Format_BGR888), keeping its buffer when it
// already has that size and format and is not shared. False when the memory cannot be had.
bool ensurePicture(QImage &image, int width, int height);

// Decodes a JPEG file into image (24-bit BGR), reusing image's buffer when the size matches.
// A truncated file whose decoder reports a fatal error, an undecodable file or an absurd size
// fails and leaves image unchanged.
PictureResult decodeJpegFile(const QString &path, QImage &image);

// Reads a Windows bitmap file (every variant) into image as a 24-bit picture, reusing its buffer
// when the size matches; fails and leaves image unchanged on a broken, truncated or absurd file.
PictureResult readBitmapFile(const QString &path, QImage &image);

// Writes image as a 24-bit bottom-up Windows bitmap. The file is written next to its place and
// renamed over it, so a failed write never leaves half a file.
PictureResult writeBitmapFile(const QImage &image, const QString &path);

// Writes image as a JPEG of the given quality (1…100; other values fail).
PictureResult writeJpegFile(const QImage &image, int quality, const QString &path);
