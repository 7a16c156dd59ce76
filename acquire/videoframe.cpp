#include "acquire/videoframe.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "acquire/frameconvert.h"
#include "acquire/picturefile.h"

namespace {

std::optional<FrameLayout> layoutOf(QVideoFrameFormat::PixelFormat format)
{
    using F = QVideoFrameFormat;
    switch (format) {
    case F::Format_BGRA8888:
    case F::Format_BGRA8888_Premultiplied:
    case F::Format_BGRX8888:
        return FrameLayout::Bgrx;
    case F::Format_RGBA8888:
    case F::Format_RGBX8888:
        return FrameLayout::Rgbx;
    case F::Format_ARGB8888:
    case F::Format_ARGB8888_Premultiplied:
    case F::Format_XRGB8888:
        return FrameLayout::Xrgb;
    case F::Format_ABGR8888:
    case F::Format_XBGR8888:
        return FrameLayout::Xbgr;
    case F::Format_YUYV:
        return FrameLayout::Yuyv;
    case F::Format_UYVY:
        return FrameLayout::Uyvy;
    case F::Format_NV12:
        return FrameLayout::Nv12;
    case F::Format_NV21:
        return FrameLayout::Nv21;
    case F::Format_YUV420P:
        return FrameLayout::Yuv420p;
    case F::Format_YV12:
        return FrameLayout::Yv12;
    case F::Format_Y8:
        return FrameLayout::Y8;
    default:
        return std::nullopt;
    }
}

YuvMatrix matrixOf(const QVideoFrameFormat &format)
{
    switch (format.colorSpace()) {
    case QVideoFrameFormat::ColorSpace_BT709:
        return YuvMatrix::Bt709;
    case QVideoFrameFormat::ColorSpace_BT2020:
        return YuvMatrix::Bt2020;
    default:
        return YuvMatrix::Bt601;
    }
}

bool throughQt(const QVideoFrame &frame, QSize outSize, QImage &out)
{
    QImage image = frame.toImage();
    if (image.isNull())
        return false;
    image = std::move(image).convertToFormat(QImage::Format_BGR888);
    if (image.size() != outSize)
        image = image.scaled(outSize, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (image.isNull() || !ensurePicture(out, outSize.width(), outSize.height()))
        return false;
    const size_t rowBytes = size_t(outSize.width()) * 3;
    for (int y = 0; y < outSize.height(); ++y)
        std::memcpy(out.scanLine(y), image.constScanLine(y), rowBytes);
    return true;
}

}  // namespace

bool videoFrameToPicture(const QVideoFrame &frame, QSize outSize, QImage &out)
{
    if (!frame.isValid() || outSize.isEmpty())
        return false;
    // Qt 6.4 describes planar 4:2:2 with quarter-width chroma rows and writes past its own picture
    // converting it; cameras deliver 4:2:2 packed (YUYV, UYVY) anyway.
    if (frame.pixelFormat() == QVideoFrameFormat::Format_YUV422P)
        return false;
    const std::optional<FrameLayout> layout = layoutOf(frame.pixelFormat());
    if (!layout)
        return throughQt(frame, outSize, out);
    QVideoFrame mapped = frame;  // shares the buffer; mapping needs a non-const handle
    if (!mapped.map(QVideoFrame::ReadOnly))
        return false;
    FramePlanes planes;
    planes.layout = *layout;
    planes.size = mapped.size();
    for (int plane = 0; plane < std::min(mapped.planeCount(), 3); ++plane) {
        planes.bits[plane] = mapped.bits(plane);
        planes.stride[plane] = mapped.bytesPerLine(plane);
    }
    const QVideoFrameFormat format = mapped.surfaceFormat();
    planes.matrix = matrixOf(format);
    planes.fullRange = format.colorRange() == QVideoFrameFormat::ColorRange_Full;
    planes.bottomUp = format.scanLineDirection() == QVideoFrameFormat::BottomToTop;
    const bool converted = convertFrame(planes, outSize, out);
    mapped.unmap();
    return converted;
}

QVideoFrame pictureToVideoFrame(const QImage &picture, QVideoFrameFormat::PixelFormat layout)
{
    if (picture.isNull() || picture.format() != QImage::Format_BGR888
        || (layout != QVideoFrameFormat::Format_BGRX8888 && layout != QVideoFrameFormat::Format_YUYV)
        || (layout == QVideoFrameFormat::Format_YUYV && picture.width() % 2 != 0))
        return {};
    QVideoFrameFormat format(picture.size(), layout);
    format.setColorSpace(QVideoFrameFormat::ColorSpace_BT601);
    format.setColorRange(QVideoFrameFormat::ColorRange_Video);
    QVideoFrame frame(format);
    if (!frame.map(QVideoFrame::WriteOnly))
        return {};
    const int width = picture.width();
    for (int y = 0; y < picture.height(); ++y) {
        const uchar *from = picture.constScanLine(y);
        uchar *to = frame.bits(0) + qsizetype(y) * frame.bytesPerLine(0);
        if (layout == QVideoFrameFormat::Format_BGRX8888) {
            for (int x = 0; x < width; ++x) {
                std::memcpy(to + 4 * x, from + 3 * x, 3);
                to[4 * x + 3] = 255;
            }
            continue;
        }
        // BT.601 video range in integers, chroma of each pixel pair averaged.
        for (int x = 0; x < width; x += 2) {
            const uchar *a = from + 3 * x;
            const uchar *b = a + 3;
            const auto luma = [](const uchar *p) { return ((66 * p[2] + 129 * p[1] + 25 * p[0] + 128) >> 8) + 16; };
            const int r = a[2] + b[2];
            const int g = a[1] + b[1];
            const int bl = a[0] + b[0];
            uchar *group = to + 2 * x;
            group[0] = uchar(luma(a));
            group[1] = uchar(((-38 * r - 74 * g + 112 * bl + 256) >> 9) + 128);
            group[2] = uchar(luma(b));
            group[3] = uchar(((112 * r - 94 * g - 18 * bl + 256) >> 9) + 128);
        }
    }
    frame.unmap();
    return frame;
}
