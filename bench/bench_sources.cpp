// The picture sources and the magnifier: the magnifier's work per mouse move on a 20 MP picture
// against Qt's smooth scaling of its 300-pixel square (each with the crosshair move), and a grab of
// a 1920 x 1080 camera frame into a picture, with the pixel-aspect stretch, the 2x zoom and the
// temporary bitmap, against Qt's own frame conversion. Prints figures; never fails on timing.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QWidget>

#include "acquire/capturedevice.h"
#include "acquire/framemath.h"
#include "acquire/picturefile.h"
#include "acquire/testpattern.h"
#include "acquire/videoframe.h"
#include "bench/timing.h"
#include "display/magnifier.h"
#include "display/pictures.h"

namespace {

using bench::medianMs;

// A mouse path over the picture: a wide ellipse with its edges near the picture's corners.
std::vector<QPointF> mousePath(QSize size, int moves)
{
    std::vector<QPointF> path;
    for (int i = 0; i < moves; ++i) {
        const double t = 2 * M_PI * i / moves;
        path.emplace_back(size.width() * (0.5 + 0.49 * std::cos(t)), size.height() * (0.5 + 0.49 * std::sin(3 * t)));
    }
    return path;
}

void magnifier()
{
    const QSize size(5472, 3648);
    QImage picture;
    if (!renderTestPattern(picture, size, 7)) {
        std::printf("no memory for the picture\n");
        return;
    }
    Pictures pictures;
    pictures.replace(picture);
    const std::vector<QPointF> path = mousePath(size, 400);
    QImage shown(MagnifierWidth, MagnifierHeight, QImage::Format_RGB32);  // the screen's copy
    QImage out;
    std::size_t at = 0;
    const auto next = [&] { return path[at++ % path.size()]; };

    std::printf("magnifier on %d x %d, per mouse move (median of %zu):\n", size.width(), size.height(), path.size());
    const double floor = medianMs(int(path.size()), [&] {
        const QPointF p = next();
        pictures.moveCrosshair(p.toPoint());
        const QImage square = pictures.view().copy(QRect(int(p.x()) - 150, int(p.y()) - 150, 300, 300));
        const QImage scaled = square.scaled(MagnifierTarget, MagnifierTarget, Qt::IgnoreAspectRatio,
                                            Qt::SmoothTransformation);
        if (scaled.isNull())
            std::printf("scaling failed\n");
    });
    std::printf("  floor: crosshair + Qt smooth scale of the 300-px square  %7.3f ms (goal: ours <= 6 ms, about 2x)\n",
                floor);
    MagnifierZoom zoom;
    while (zoom.zoomIn()) {
    }
    do {
        const double ours = medianMs(int(path.size()), [&] {
            const QPointF p = next();
            pictures.moveCrosshair(p.toPoint());
            renderMagnifier(pictures.view(), p, zoom.halfSize(), out);
        });
        const double painted = medianMs(int(path.size()), [&] {
            const QPointF p = next();
            pictures.moveCrosshair(p.toPoint());
            renderMagnifier(pictures.view(), p, zoom.halfSize(), out);
            QPainter painter(&shown);
            painter.drawImage(QRect(0, 0, MagnifierTarget, MagnifierTarget), out,
                              QRect(0, 0, MagnifierTarget, MagnifierTarget));
        });
        std::printf("  zoom %-6s crosshair + magnifier %7.3f ms (%.2fx floor), with its paint %7.3f ms\n",
                    qPrintable(zoom.label()), ours, ours / floor, painted);
    } while (zoom.zoomOut());
}

void grab(QVideoFrameFormat::PixelFormat layout)
{
    QWidget host;
    host.resize(644, 484);
    CaptureDevice device;
    device.setSource({QStringLiteral("測試圖樣"), CaptureSource::TestPatternId});
    const QList<CaptureFormat> formats = device.formats();
    for (int i = 0; i < formats.size(); ++i)
        if (formats[i].size == QSize(1920, 1080) && formats[i].pixelFormat == layout)
            (void)device.setFormat(i);
    if (!device.connectDevice(&host)) {
        std::printf("cannot connect to the test pattern\n");
        return;
    }
    const QVideoFrame frame = device.videoSink()->videoFrame();
    QTemporaryDir folder;
    const QString bitmap = folder.filePath(QStringLiteral("_Temp.bmp"));
    QImage picture;
    QImage stretched;
    QImage zoomed;
    bool ok = true;
    std::printf("grab of a 1920 x 1080 %s frame (median of 15):\n",
                qPrintable(QVideoFrameFormat::pixelFormatToString(layout)));
    // Qt keeps the picture of a frame it converted once, so each run gets a frame of its own.
    std::vector<QVideoFrame> fresh;
    for (int i = 0; i < 15; ++i) {
        QVideoFrame source = frame;
        QVideoFrame copy(frame.surfaceFormat());
        if (source.map(QVideoFrame::ReadOnly) && copy.map(QVideoFrame::WriteOnly))
            std::memcpy(copy.bits(0), source.bits(0), size_t(std::min(copy.mappedBytes(0), source.mappedBytes(0))));
        source.unmap();
        copy.unmap();
        fresh.push_back(copy);
    }
    std::size_t next = 0;
    const double qt = medianMs(15, [&] {
        const QImage image = fresh[next++].toImage().convertToFormat(QImage::Format_BGR888);
        ok = ok && !image.isNull();
    });
    const double copy = medianMs(15, [&] { ok = ok && device.copyFrame(picture); });
    const double stretch = medianMs(15, [&] { ok = ok && stretchCcd(picture, stretched, 1.0, 1.1).ok(); });
    const double zoom = medianMs(15, [&] { ok = ok && digitalZoom2x(picture, zoomed).ok(); });
    const double save = medianMs(15, [&] { ok = ok && writeBitmapFile(picture, bitmap, FileSync::Fast).ok(); });
    const double whole = medianMs(15, [&] {
        ok = ok && device.copyFrame(picture) && stretchCcd(picture, stretched, 1.0, 1.1).ok()
            && digitalZoom2x(stretched, zoomed).ok() && writeBitmapFile(zoomed, bitmap, FileSync::Fast).ok();
    });
    if (!ok)
        std::printf("  a step failed\n");
    std::printf("  floor: Qt's frame conversion (toImage + 24-bit)          %7.2f ms\n", qt);
    std::printf("  copy frame -> 24-bit picture                            %7.2f ms (%.2fx floor)\n", copy, copy / qt);
    std::printf("  CCD stretch 1.0 : 1.1 (2112 x 1080)                     %7.2f ms\n", stretch);
    std::printf("  digital zoom 2x (3840 x 2160)                           %7.2f ms\n", zoom);
    std::printf("  temporary bitmap of the frame                           %7.2f ms\n", save);
    std::printf("  copy + stretch + zoom (4224 x 2160) + bitmap            %7.2f ms\n", whole);
}

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // "magnifier" or "grab" runs that part alone.
    const QString only = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (only.isEmpty() || only == QStringLiteral("magnifier"))
        magnifier();
    if (only.isEmpty() || only == QStringLiteral("grab")) {
        grab(QVideoFrameFormat::Format_YUYV);
        grab(QVideoFrameFormat::Format_BGRX8888);
    }
    return 0;
}
