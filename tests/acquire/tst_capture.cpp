// The capture device without a camera: the test pattern from connect to grab, frames pushed into its
// sink, and the conversion of camera layouts checked against Qt's own.
#include <QApplication>
#include <QListWidget>
#include <QMediaDevices>
#include <QSignalSpy>
#include <QTest>
#include <QVideoFrame>

#include "acquire/capturechoice.h"
#include "acquire/capturedevice.h"
#include "acquire/testpattern.h"
#include "acquire/videoframe.h"
#include "tests/app/testkit.h"
#include "ui/scripteddialogs.h"

namespace {

using PixelFormat = QVideoFrameFormat::PixelFormat;

// Picks the first line of a choice dialog that `pick` accepts, and presses OK.
std::function<int(QDialog &)> choose(std::function<bool(int row, const QString &text)> pick)
{
    return [pick](QDialog &dialog) {
        auto *list = dialog.findChild<QListWidget *>(QStringLiteral("lbChoices"));
        for (int row = 0; list && row < list->count(); ++row) {
            if (pick(row, list->item(row)->text())) {
                list->setCurrentRow(row);
                dialog.accept();
                return int(QDialog::Accepted);
            }
        }
        dialog.reject();
        return int(QDialog::Rejected);
    };
}

struct Disc {
    qint64 area = 0;
    double x = 0;
    double y = 0;
};

// The dark disc of the test pattern as found in a picture.
Disc findDisc(const QImage &picture)
{
    Disc disc;
    const int threshold = (TestPatternGeometry::DiscLevel + TestPatternGeometry::GridLevel) / 2;
    for (int y = 0; y < picture.height(); ++y) {
        const uchar *row = picture.constScanLine(y);
        for (int x = 0; x < picture.width(); ++x) {
            const uchar *p = row + 3 * x;
            if (p[0] < threshold && p[1] < threshold && p[2] < threshold) {
                ++disc.area;
                disc.x += x;
                disc.y += y;
            }
        }
    }
    if (disc.area > 0) {
        disc.x /= double(disc.area);
        disc.y /= double(disc.area);
    }
    return disc;
}

qint64 latticePointsWithin(int radius)
{
    qint64 count = 0;
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            count += qint64(dx) * dx + qint64(dy) * dy <= qint64(radius) * radius;
    return count;
}

// A frame of the layout filled with a fixed byte sequence; opaque where the layout has alpha.
QVideoFrame scrambledFrame(PixelFormat layout, QSize size)
{
    QVideoFrame frame(QVideoFrameFormat(size, layout));
    if (!frame.map(QVideoFrame::WriteOnly))
        return {};
    quint32 state = 12345;
    for (int plane = 0; plane < frame.planeCount(); ++plane) {
        uchar *bits = frame.bits(plane);
        for (int i = 0; i < frame.mappedBytes(plane); ++i) {
            state = state * 1664525u + 1013904223u;
            bits[i] = uchar(state >> 24);
        }
    }
    int alpha = -1;
    if (layout == QVideoFrameFormat::Format_BGRA8888 || layout == QVideoFrameFormat::Format_RGBA8888)
        alpha = 3;
    else if (layout == QVideoFrameFormat::Format_ARGB8888 || layout == QVideoFrameFormat::Format_ABGR8888)
        alpha = 0;
    for (int i = alpha; alpha >= 0 && i < frame.mappedBytes(0); i += 4)
        frame.bits(0)[i] = 255;
    frame.unmap();
    return frame;
}

QVideoFrame plainNv12(QSize size, uchar y, uchar u, uchar v,
                      QVideoFrameFormat::ColorSpace space = QVideoFrameFormat::ColorSpace_Undefined,
                      QVideoFrameFormat::ColorRange range = QVideoFrameFormat::ColorRange_Unknown)
{
    QVideoFrameFormat format(size, QVideoFrameFormat::Format_NV12);
    format.setColorSpace(space);
    format.setColorRange(range);
    QVideoFrame frame(format);
    if (!frame.map(QVideoFrame::WriteOnly))
        return {};
    std::memset(frame.bits(0), y, size_t(frame.mappedBytes(0)));
    for (int i = 0; i < frame.mappedBytes(1); i += 2) {
        frame.bits(1)[i] = u;
        frame.bits(1)[i + 1] = v;
    }
    frame.unmap();
    return frame;
}

}  // namespace

class TestCapture : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void withoutACameraNothingHappensAndTheOperatorIsTold();
    void testPatternFromConnectToGrab();
    void aPushedFrameIsWhatTheWindowShowsAndACopyHands();
    void layoutsConvertAsQtConvertsThem_data();
    void layoutsConvertAsQtConvertsThem();
    void eachMatrixAndRangeDecodesItsOwnRed();
};

void TestCapture::withoutACameraNothingHappensAndTheOperatorIsTold()
{
    if (!QMediaDevices::videoInputs().isEmpty())
        QSKIP("this machine has a camera");
    QWidget host;
    host.resize(644, 484);
    CaptureDevice device;
    QSignalSpy status(&device, &CaptureDevice::statusChanged);
    QVERIFY(device.source().name.isEmpty());
    QCOMPARE(device.sources().size(), 1);
    QCOMPARE(device.sources().first().name, QStringLiteral("測試圖樣"));

    QVERIFY(!device.connectDevice(nullptr));
    QCOMPARE(status.count(), 0);
    QVERIFY(!device.connectDevice(&host));
    QVERIFY(!device.isConnected());
    QCOMPARE(status.count(), 1);
    QVERIFY(status.last().first().toString().contains(QStringLiteral("測試圖樣")));
    QVERIFY(host.findChildren<CapturePreview *>().isEmpty());

    QImage frame;
    QVERIFY(!device.copyFrame(frame));
    QVERIFY(frame.isNull());
    device.grabFrame();
    device.liveViewOn();
    QVERIFY(!device.isLive());
    QVERIFY(device.formats().isEmpty());
    QVERIFY(!device.setFormat(0));
    ScriptedDialogs dialogs;
    QVERIFY(!chooseCaptureFormat(dialogs, device, &host));
    QVERIFY(dialogs.log->execs.isEmpty());
}

void TestCapture::testPatternFromConnectToGrab()
{
    QWidget host;
    host.resize(644, 484);
    CaptureDevice device;
    ScriptedDialogs dialogs;

    // "影像來源" offers the test pattern beside the cameras; "影像大小" its sizes and layouts.
    dialogs.onExec = choose([](int, const QString &text) { return text == QStringLiteral("測試圖樣"); });
    QVERIFY(chooseCaptureSource(dialogs, device, &host));
    QCOMPARE(dialogs.log->execs, QStringList({"dlgVideoSource"}));
    QVERIFY(device.source().isTestPattern());
    const QList<CaptureFormat> formats = device.formats();
    int wanted = -1;
    for (int i = 0; i < formats.size(); ++i)
        if (formats[i].size == QSize(1280, 960) && formats[i].pixelFormat == QVideoFrameFormat::Format_YUYV)
            wanted = i;
    QVERIFY(wanted >= 0);
    dialogs.onExec = choose([&](int row, const QString &) { return row == wanted; });
    QVERIFY(chooseCaptureFormat(dialogs, device, &host));
    QCOMPARE(device.formatIndex(), wanted);

    QSignalSpy previews(&device, &CaptureDevice::previewUpdated);
    QVERIFY(device.connectDevice(&host));
    QVERIFY(device.isConnected() && device.isLive());
    auto *window = device.captureWindow();
    QVERIFY(window && window->parentWidget() == &host);
    QCOMPARE(window->geometry(), QRect(0, 0, 640, 480));
    QVERIFY(window->isVisibleTo(&host));
    QCOMPARE(previews.count(), 1);  // the first frame shows at once
    QCOMPARE(window->picture().size(), QSize(640, 480));

    // The pattern moves: later frames show the disc elsewhere.
    QImage first;
    QVERIFY(device.copyFrame(first));
    QCOMPARE(first.size(), QSize(1280, 960));
    QCOMPARE(first.format(), QImage::Format_BGR888);
    QTRY_VERIFY(previews.count() >= 3);
    QImage later;
    QVERIFY(device.copyFrame(later));
    QVERIFY(findDisc(later).x != findDisc(first).x);

    // The grab freezes what the window shows; frames that come after it change nothing.
    device.grabFrame();
    QVERIFY(!device.isLive());
    QImage grabbed;
    QVERIFY(device.copyFrame(grabbed));
    const quint64 received = device.framesReceived();
    const int shown = int(previews.count());
    QTRY_VERIFY(device.framesReceived() > received + 1);
    QImage still;
    QVERIFY(device.copyFrame(still));
    QCOMPARE(still, grabbed);
    QCOMPARE(previews.count(), shown);

    // The grabbed picture has the pattern's geometry: the disc of radius 960 / 8 on the middle row,
    // moved a whole number of steps, and the red and blue corner marks in their places.
    const Disc disc = findDisc(grabbed);
    const TestPatternGeometry geometry = testPatternGeometry(grabbed.size(), 0);
    QCOMPARE(geometry.discRadius, 120);
    QVERIFY2(std::abs(disc.area - latticePointsWithin(120)) <= 8, qPrintable(QString::number(disc.area)));
    QVERIFY(std::abs(disc.y - 480) < 0.05);
    const double offset = disc.x - 640;
    QVERIFY(std::abs(offset) <= 320 + 0.05);
    QVERIFY2(std::abs(offset / 4 - std::round(offset / 4)) < 0.02, qPrintable(QString::number(disc.x)));
    const QColor red = grabbed.pixelColor(4, 4);
    const QColor blue = grabbed.pixelColor(1275, 4);
    QVERIFY(red.red() > 240 && red.green() < 15 && red.blue() < 15);
    QVERIFY(blue.blue() > 240 && blue.red() < 15 && blue.green() < 15);

    // Live again, then off: the capture window goes and nothing more is handed over.
    device.liveViewOn();
    QVERIFY(device.isLive());
    QTRY_VERIFY(previews.count() > shown);
    device.disconnectDevice();
    QVERIFY(!device.isConnected());
    QTRY_VERIFY(host.findChildren<CapturePreview *>().isEmpty());
    QVERIFY(!device.copyFrame(still));
}

void TestCapture::aPushedFrameIsWhatTheWindowShowsAndACopyHands()
{
    QWidget host;
    CaptureDevice device;
    device.setSource({QStringLiteral("測試圖樣"), CaptureSource::TestPatternId});
    QVERIFY(device.connectDevice(&host));

    // A camera delivering 320 x 240 NV12: what the window shows and what a copy hands over are the
    // frame as Qt itself would convert it.
    const QVideoFrame pushed = plainNv12(QSize(320, 240), 81, 90, 240);
    const QColor expected = QColor(pushed.toImage().pixel(5, 5));
    device.videoSink()->setVideoFrame(pushed);
    QImage copy;
    QVERIFY(device.copyFrame(copy));
    QCOMPARE(copy.size(), QSize(320, 240));
    const QColor got = copy.pixelColor(319, 239);
    QVERIFY2(std::abs(got.red() - expected.red()) <= 1 && std::abs(got.green() - expected.green()) <= 1
                 && std::abs(got.blue() - expected.blue()) <= 1,
             qPrintable(QStringLiteral("%1 against %2").arg(got.name(), expected.name())));
    device.grabFrame();
    const QImage &shown = device.captureWindow()->picture();
    QCOMPARE(shown.size(), QSize(640, 480));
    QCOMPARE(shown.pixelColor(0, 0), got);
    QCOMPARE(shown.pixelColor(639, 479), got);

    // Frames that come while disconnected are not taken in.
    device.disconnectDevice();
    const quint64 received = device.framesReceived();
    device.videoSink()->setVideoFrame(pushed);
    QCOMPARE(device.framesReceived(), received);
    QVERIFY(!device.copyFrame(copy));
}

void TestCapture::layoutsConvertAsQtConvertsThem_data()
{
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("tolerance");
    using F = QVideoFrameFormat;
    for (auto [layout, tolerance] : {std::pair{F::Format_BGRX8888, 0}, {F::Format_BGRA8888, 0}, {F::Format_RGBX8888, 0},
                                     {F::Format_RGBA8888, 0}, {F::Format_XRGB8888, 0}, {F::Format_ARGB8888, 0},
                                     {F::Format_XBGR8888, 0}, {F::Format_ABGR8888, 0}, {F::Format_YUYV, 2},
                                     {F::Format_UYVY, 2}, {F::Format_NV12, 2}, {F::Format_NV21, 2},
                                     {F::Format_YUV420P, 2}, {F::Format_YV12, 2}, {F::Format_Y8, 0}})
        QTest::newRow(qPrintable(QVideoFrameFormat::pixelFormatToString(layout))) << int(layout) << tolerance;

}

void TestCapture::layoutsConvertAsQtConvertsThem()
{
    QFETCH(int, layout);
    QFETCH(int, tolerance);
    const QVideoFrame frame = scrambledFrame(PixelFormat(layout), QSize(64, 48));
    QVERIFY(frame.isValid());
    const QImage qt = frame.toImage().convertToFormat(QImage::Format_BGR888);
    QImage ours;
    QVERIFY(videoFrameToPicture(frame, frame.size(), ours));
    const int difference = maxDifference(ours, qt);
    QVERIFY2(difference >= 0 && difference <= tolerance, qPrintable(QString::number(difference)));

    // A smaller picture, as the live view takes, is the pixel under each target pixel's centre.
    QImage small;
    QVERIFY(videoFrameToPicture(frame, QSize(32, 24), small));
    for (auto [x, y] : {std::pair{0, 0}, {31, 0}, {7, 13}, {31, 23}})
        QCOMPARE(small.pixel(x, y), ours.pixel(2 * x + 1, 2 * y + 1));

    // Planar 4:2:2 is refused rather than handed to Qt 6.4, which writes past its picture there.
    QVERIFY(!videoFrameToPicture(QVideoFrame(QVideoFrameFormat(QSize(64, 48), QVideoFrameFormat::Format_YUV422P)),
                                 QSize(64, 48), ours));
}

// Qt's own conversion on the processor always takes BT.601 video range; cameras that say otherwise
// are decoded by their word. Pure red as each standard encodes it must come back red.
void TestCapture::eachMatrixAndRangeDecodesItsOwnRed()
{
    using F = QVideoFrameFormat;
    struct Red {
        F::ColorSpace space;
        F::ColorRange range;
        uchar y, cb, cr;
    };
    for (const Red &red : {Red{F::ColorSpace_Undefined, F::ColorRange_Unknown, 81, 90, 240},
                           Red{F::ColorSpace_BT601, F::ColorRange_Full, 76, 85, 255},
                           Red{F::ColorSpace_BT709, F::ColorRange_Video, 63, 102, 240},
                           Red{F::ColorSpace_BT2020, F::ColorRange_Video, 74, 97, 240}}) {
        QImage picture;
        QVERIFY(videoFrameToPicture(plainNv12(QSize(8, 8), red.y, red.cb, red.cr, red.space, red.range), QSize(8, 8),
                                    picture));
        const QColor got = picture.pixelColor(3, 3);
        QVERIFY2(got.red() >= 252 && got.green() <= 3 && got.blue() <= 3,
                 qPrintable(QStringLiteral("%1 for colour space %2").arg(got.name()).arg(int(red.space))));
    }
}

QUILLMONT_TEST_MAIN(TestCapture)
#include "tst_capture.moc"
