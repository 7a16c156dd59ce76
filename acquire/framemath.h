#pragma once

#include <QImage>
#include <QString>

// Outcome of reshaping a captured frame. The window turns a failure into the operator's words.
struct [[nodiscard]] FrameResult {
    enum class Error { None, BadRatio, NotPicture, TooLarge, OutOfMemory };
    Error error = Error::None;
    QString detail;
    [[nodiscard]] bool ok() const { return error == Error::None; }
};

// Corrects a sensor whose pixels are not square, from the relative pixel sizes on X and Y.
// ratioX > ratioY: e = ratioX / ratioY and the picture grows to trunc(H * e) rows, row r taking row
// trunc(r / e). Otherwise e = ratioY / ratioX and it grows to trunc(W * e) columns, column c taking
// column trunc(c / e) of its row. Row and column 0 stay; equal ratios leave the picture as it is.
// This is what copying from the far end backwards in place yields: every source row or column is
// read before it would be overwritten. Ratios that are not finite and above 0, or a result larger
// than a picture may be, are refused before anything changes. `source` must be 24-bit
// (QImage::Format_BGR888); `out` is reused when it already has the result's size and must not be
// `source`.
FrameResult stretchCcd(const QImage &source, QImage &out, double ratioX, double ratioY);
// The same on one picture, which the result replaces (kept as it is when the size stays).
FrameResult stretchCcd(QImage &picture, double ratioX, double ratioY);

// Doubles a 24-bit frame both ways by averaging neighbours, per byte with integer sums shifted right:
// (2x, 2r) = s[x], (2x+1, 2r) = (s[x] + s[x+1]) >> 1, (2x, 2r+1) = (s[x] + n[x]) >> 1 and
// (2x+1, 2r+1) = (s[x] + s[x+1] + n[x] + n[x+1]) >> 2, s being row r and n row r + 1, for every
// x < W - 1 and r < H - 1. The last two columns and rows, which that leaves out, repeat the
// nearest computed ones; a frame one pixel wide or high is doubled by repeating its pixels.
// `out` is reused when it is already 2W x 2H; it must not be `source`.
FrameResult digitalZoom2x(const QImage &source, QImage &out);
