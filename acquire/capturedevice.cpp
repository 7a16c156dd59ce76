#include "acquire/capturedevice.h"

#include <cmath>
#include <optional>

#include <QCamera>
#include <QCameraDevice>
#include <QMediaDevices>
#include <QWidget>

#include "acquire/capturepreview.h"
#include "acquire/testpattern.h"
#include "acquire/videoframe.h"

namespace {

const QString TestPatternName = QStringLiteral("測試圖樣");

QString noCameraText()
{
    return QStringLiteral("找不到攝影機：請在「影像來源」選擇攝影機或「測試圖樣」");
}

std::optional<QCameraDevice> cameraWithId(const QByteArray &id)
{
    for (const QCameraDevice &camera : QMediaDevices::videoInputs())
        if (camera.id() == id)
            return camera;
    return std::nullopt;
}

QList<CaptureFormat> testPatternFormats()
{
    const QSize sizes[] = {{640, 480}, {800, 600}, {1024, 768}, {1280, 960}, {1600, 1200}, {1920, 1080}, {2592, 1944}};
    QList<CaptureFormat> formats;
    for (const QVideoFrameFormat::PixelFormat layout : {QVideoFrameFormat::Format_BGRX8888, QVideoFrameFormat::Format_YUYV})
        for (const QSize &size : sizes)
            formats.append({size, layout, 1000.0f / CaptureDevice::PreviewRateMs});
    return formats;
}

}  // namespace

QString CaptureFormat::text() const
{
    return QStringLiteral("%1 × %2  %3  %4 fps")
        .arg(size.width())
        .arg(size.height())
        .arg(QVideoFrameFormat::pixelFormatToString(pixelFormat))
        .arg(std::lround(frameRate));
}

CaptureDevice::CaptureDevice(QObject *parent) : QObject(parent)
{
    const QCameraDevice camera = QMediaDevices::defaultVideoInput();
    if (!camera.isNull())
        m_source = {camera.description(), camera.id()};
    m_session.setVideoSink(&m_sink);
    // A camera's frames may come from its own thread; they are taken in on this one.
    connect(&m_sink, &QVideoSink::videoFrameChanged, this, &CaptureDevice::frameArrived);
    m_previewTimer.setInterval(PreviewRateMs);
    connect(&m_previewTimer, &QTimer::timeout, this, &CaptureDevice::refreshPreview);
    m_patternTimer.setInterval(PreviewRateMs);
    connect(&m_patternTimer, &QTimer::timeout, this, &CaptureDevice::drawTestPattern);
}

CaptureDevice::~CaptureDevice()
{
    stopSource();
    delete m_window;
}

QList<CaptureSource> CaptureDevice::sources() const
{
    QList<CaptureSource> list;
    for (const QCameraDevice &camera : QMediaDevices::videoInputs())
        list.append({camera.description(), camera.id()});
    list.append({TestPatternName, CaptureSource::TestPatternId});
    return list;
}

void CaptureDevice::setSource(const CaptureSource &source)
{
    QWidget *host = m_window ? m_window->parentWidget() : nullptr;
    const bool reconnect = m_connected;
    disconnectDevice();
    m_source = source;
    m_formatIndex = source.isTestPattern() ? 0 : -1;
    if (reconnect)
        connectDevice(host);
}

QList<CaptureFormat> CaptureDevice::formats() const
{
    if (m_source.isTestPattern())
        return testPatternFormats();
    QList<CaptureFormat> list;
    if (const std::optional<QCameraDevice> camera = cameraWithId(m_source.id))
        for (const QCameraFormat &format : camera->videoFormats())
            list.append({format.resolution(), format.pixelFormat(), format.maxFrameRate()});
    return list;
}

bool CaptureDevice::setFormat(int index)
{
    if (index < 0 || index >= formats().size())
        return false;
    m_formatIndex = index;
    if (m_connected)
        applyFormat();
    return true;
}

CaptureFormat CaptureDevice::currentFormat() const
{
    const QList<CaptureFormat> list = formats();
    if (m_formatIndex >= 0 && m_formatIndex < list.size())
        return list[m_formatIndex];
    if (m_camera) {
        const QCameraFormat format = m_camera->cameraFormat();
        return {format.resolution(), format.pixelFormat(), format.maxFrameRate()};
    }
    return list.isEmpty() ? CaptureFormat{} : list.first();
}

void CaptureDevice::applyFormat()
{
    if (m_source.isTestPattern()) {
        drawTestPattern();  // the next frame already has the new size
        return;
    }
    if (!m_camera || m_formatIndex < 0)
        return;
    if (const std::optional<QCameraDevice> camera = cameraWithId(m_source.id)) {
        const QList<QCameraFormat> list = camera->videoFormats();
        if (m_formatIndex < list.size())
            m_camera->setCameraFormat(list[m_formatIndex]);
    }
}

bool CaptureDevice::connectDevice(QWidget *host)
{
    if (!host)
        return false;
    disconnectDevice();
    if (m_source.name.isEmpty()) {
        setStatus(noCameraText());
        return false;
    }
    m_window = new CapturePreview(host);
    m_window->setGeometry(0, 0, WindowWidth, WindowHeight);
    m_window->show();
    m_connected = true;
    if (m_source.isTestPattern()) {
        m_patternFrame = 0;
        drawTestPattern();
        m_patternTimer.start();
    } else if (!startCamera()) {
        m_connected = false;
        delete m_window;
        return false;
    }
    setStatus(QStringLiteral("影像來源：%1").arg(m_source.name));
    liveViewOn();
    return true;
}

bool CaptureDevice::startCamera()
{
    const std::optional<QCameraDevice> device = cameraWithId(m_source.id);
    if (!device) {
        setStatus(QStringLiteral("找不到攝影機「%1」：請在「影像來源」選擇攝影機或「測試圖樣」").arg(m_source.name));
        return false;
    }
    m_camera = new QCamera(*device, this);
    connect(m_camera, &QCamera::errorOccurred, this, [this](QCamera::Error, const QString &text) {
        setStatus(QStringLiteral("攝影機錯誤：%1").arg(text));
    });
    applyFormat();
    m_session.setCamera(m_camera);
    m_camera->start();
    return true;
}

void CaptureDevice::stopSource()
{
    m_patternTimer.stop();
    if (m_camera) {
        m_camera->stop();
        m_session.setCamera(nullptr);
        delete m_camera;
        m_camera = nullptr;
    }
}

void CaptureDevice::disconnectDevice()
{
    if (!m_connected)
        return;
    stopSource();
    m_previewTimer.stop();
    delete m_window;
    m_connected = false;
    m_live = false;
    m_latest = {};
    m_still = {};
    setStatus(QStringLiteral("影像擷取裝置已關閉"));
}

void CaptureDevice::liveViewOn()
{
    if (!m_connected)
        return;
    m_live = true;
    m_still = {};
    m_previewTimer.start();
    if (m_latest.isValid()) {
        showInWindow(m_latest);
        m_framesShown = m_framesReceived;
    }
}

bool CaptureDevice::copyFrame(QImage &out)
{
    if (!m_connected) {
        setStatus(QStringLiteral("影像擷取裝置未開啟：請先勾選「開啟影像擷取裝置」"));
        return false;
    }
    const QVideoFrame &frame = m_live ? m_latest : m_still;
    if (!frame.isValid()) {
        setStatus(QStringLiteral("尚未收到「%1」的影像").arg(m_source.name));
        return false;
    }
    if (!videoFrameToPicture(frame, frame.size(), out)) {
        setStatus(QStringLiteral("無法轉換影像格式 %1").arg(QVideoFrameFormat::pixelFormatToString(frame.pixelFormat())));
        return false;
    }
    return true;
}

void CaptureDevice::grabFrame()
{
    if (!m_connected || !m_live)
        return;
    m_live = false;
    m_previewTimer.stop();
    m_still = m_latest;
    if (m_still.isValid())
        showInWindow(m_still);
}

void CaptureDevice::frameArrived(const QVideoFrame &frame)
{
    if (!m_connected || !frame.isValid())
        return;
    m_latest = frame;
    ++m_framesReceived;
}

void CaptureDevice::refreshPreview()
{
    if (!m_live || m_framesShown == m_framesReceived)
        return;
    m_framesShown = m_framesReceived;
    showInWindow(m_latest);
}

void CaptureDevice::showInWindow(const QVideoFrame &frame)
{
    if (!m_window)
        return;
    if (!videoFrameToPicture(frame, m_window->size(), m_window->picture())) {
        setStatus(QStringLiteral("無法轉換影像格式 %1").arg(QVideoFrameFormat::pixelFormatToString(frame.pixelFormat())));
        return;
    }
    m_window->pictureChanged();
    Q_EMIT previewUpdated();
}

void CaptureDevice::drawTestPattern()
{
    const CaptureFormat format = currentFormat();
    if (!renderTestPattern(m_patternPicture, format.size, m_patternFrame)) {
        setStatus(QStringLiteral("記憶體不足，無法產生測試圖樣"));
        return;
    }
    ++m_patternFrame;
    m_sink.setVideoFrame(pictureToVideoFrame(m_patternPicture, format.pixelFormat));
}

void CaptureDevice::setStatus(const QString &text)
{
    m_status = text;
    Q_EMIT statusChanged(text);
}
