#pragma once

#include <QImage>
#include <QSize>

// The pixel layouts cameras deliver that are turned into pictures here directly, named by their
// bytes in memory: Bgrx is B, G, R, X per pixel; Yuyv is Y0 U Y1 V per two pixels; Nv12 is a Y plane
// then interleaved U, V at half size both ways; Yuv420p three planes Y, U, V (Yv12: Y, V, U);
// Y8 a grey plane, taken as it is.
enum class FrameLayout { Bgrx, Rgbx, Xrgb, Xbgr, Yuyv, Uyvy, Nv12, Nv21, Yuv420p, Yv12, Y8 };

// Which luma weights turn Y'CbCr into RGB.
enum class YuvMatrix { Bt601, Bt709, Bt2020 };

// One mapped frame: up to three planes with their row strides in bytes.
struct FramePlanes {
    FrameLayout layout = FrameLayout::Bgrx;
    QSize size;
    const uchar *bits[3] = {};
    int stride[3] = {};
    YuvMatrix matrix = YuvMatrix::Bt601;
    bool fullRange = false;  // Y and C span 0..255 rather than 16..235 / 16..240
    bool bottomUp = false;   // the first row in memory is the bottom one
};

// Converts frame into out as a 24-bit picture (QImage::Format_BGR888) of outSize, reused when it
// already has that size. When outSize differs from the frame's size every target pixel takes the
// frame pixel under its centre, so a small live picture costs only its own pixels. Chroma shared by
// two or four pixels is used as it is, not interpolated. False for an empty size, missing planes
// or when the memory cannot be had.
[[nodiscard]] bool convertFrame(const FramePlanes &frame, QSize outSize, QImage &out);
