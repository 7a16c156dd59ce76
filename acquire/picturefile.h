#pragma once

#include <QImage>
#include <QString>

// Pictures beyond this are refused before any memory is taken for them.
inline constexpr qint64 MaxPicturePixels = 100'000'000;

// Outcome of reading or writing a picture file. The core never shows anything; the window turns
// an error into the operator's message.
struct [[nodiscard]] PictureResult {
    enum class Error { None, Missing, Unreadable, TooLarge, OutOfMemory, WriteFailed };
    Error error = Error::None;
    QString detail;  // what went wrong (the library's or system's words, or the cause found)
    [[nodiscard]] bool ok() const { return error == Error::None; }
};

// Makes image a width x height 24-bit picture (QImage::Format_BGR888), keeping its buffer when it
// already has that size and format and is not shared. False when the memory cannot be had.
[[nodiscard]] bool ensurePicture(QImage &image, int width, int height);

// Decodes a JPEG file into image (24-bit BGR), reusing image's buffer when the size matches.
// A missing or undecodable file, an absurd size (refused before any allocation) or a decode that
// stopped on an error before it produced the picture's first row fails, and leaves image exactly as
// it was, so a caller may decode straight into the picture it shows. A decode that only warned (a
// truncated file decodes with a grey tail), or that stopped on an error after producing rows (the
// rows it did not produce are grey), is a success whose detail carries the warning or the error.
PictureResult decodeJpegFile(const QString &path, QImage &image);

// Reads a Windows bitmap file (every variant: 1 to 32 bits, palettes, bit fields, RLE, OS/2 and
// extended headers, bottom-up and top-down) into image as a 24-bit picture, reusing its buffer when
// the size matches. A file whose pixel data ends before its rows do, a broken or absurd file fails,
// each with its cause in the detail; image is unchanged unless a read error strikes while filling a
// reused buffer (then some of its rows are the file's).
PictureResult readBitmapFile(const QString &path, QImage &image);

// How a written file reaches the disk before it replaces the old one.
enum class FileSync {
    Durable,  // waits until the data is on the disk: for files kept as records
    Fast,     // leaves it to the system's write-back: for scratch files, where waiting for the
              // disk can cost more than writing them
};

// Writes image as a 24-bit bottom-up Windows bitmap (72 dpi). The file is written next to its
// place and renamed over it, so a failed write never leaves half a file.
PictureResult writeBitmapFile(const QImage &image, const QString &path,
                              FileSync sync = FileSync::Durable);

// Writes image as a JPEG of the given quality (1…100; other values fail), replacing the file the
// same way, durably. Quality 90 and above keeps full colour resolution (4:4:4); below, colour
// is halved both ways (4:2:0).
PictureResult writeJpegFile(const QImage &image, int quality, const QString &path);

// Copies the file source over target the same way: a copy that fails leaves target as it was.
PictureResult copyFileOver(const QString &source, const QString &target);
