#pragma once

#include <QByteArray>
#include <QCameraFormat>
#include <QImage>
#include <QList>
#include <QMediaCaptureSession>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QTimer>
#include <QVideoFrame>
#include <QVideoFrameFormat>
#include <QVideoSink>

#include "acquire/capturepreview.h"

class QCamera;
class QWidget;

// A picture source the device can connect to: a camera Qt Multimedia finds, or the built-in test
// pattern.
struct CaptureSource {
    QString name;   // as the source dialog lists it
    QByteArray id;  // the camera's id; TestPatternId for the test pattern
    [[nodiscard]] bool isTestPattern() const { return id == TestPatternId; }
    static inline const QByteArray TestPatternId = QByteArrayLiteral("quillmont:test-pattern");
};

// A frame size and pixel layout a source offers, as the format dialog lists it.
struct CaptureFormat {
    QSize size;
    QVideoFrameFormat::PixelFormat pixelFormat = QVideoFrameFormat::Format_Invalid;
    float frameRate = 0;  // frames per second at most
    [[nodiscard]] QString text() const;
};

// The station's capture device: one camera (or the test pattern, "測試圖樣") feeding a video sink,
// and its capture window, a CapturePreview placed inside the preview host. The operations keep the
// order and effects of the classic capture window: connecting creates the window at (0, 0),
// 640 x 480 in the host and starts the live view, which is redrawn every PreviewRateMs scaled to
// the window; copyFrame hands over the frame the window shows; grabFrame freezes that frame and ends
// the live view; disconnecting removes the window. While not connected every operation does
// nothing; each reason an operation does nothing is told through statusChanged in words for the
// operator.
//
// Frames from any source arrive through videoSink() (a test may push its own QVideoFrames there);
// the test pattern draws frame after frame at the preview rate and pushes them the same way, in
// the pixel layout its chosen format names.
class CaptureDevice : public QObject {
    Q_OBJECT
public:
    static constexpr int PreviewRateMs = 66;
    static constexpr int WindowWidth = 640;
    static constexpr int WindowHeight = 480;

    explicit CaptureDevice(QObject *parent = nullptr);
    ~CaptureDevice() override;

    // The cameras found now, then the test pattern.
    [[nodiscard]] QList<CaptureSource> sources() const;
    [[nodiscard]] const CaptureSource &source() const { return m_source; }  // empty name: none chosen
    // Chooses the source the next connection uses (the first camera at start, if there is one); a
    // connected device reconnects to it. The format goes back to the source's default.
    void setSource(const CaptureSource &source);

    // The formats the chosen source offers, and the chosen one (-1: the camera's own default).
    [[nodiscard]] QList<CaptureFormat> formats() const;
    [[nodiscard]] int formatIndex() const { return m_formatIndex; }
    // Takes effect at once when connected. False for an index out of range.
    bool setFormat(int index);

    // Connect(parent): nothing when host is null; "no camera" when no source is chosen or the camera
    // cannot be opened. True when connected.
    bool connectDevice(QWidget *host);
    void disconnectDevice();
    [[nodiscard]] bool isConnected() const { return m_connected; }
    // Live view on (again, after a grab). Nothing when not connected.
    void liveViewOn();
    [[nodiscard]] bool isLive() const { return m_live; }
    // The frame the capture window shows (the live one, or the still one after a grab) as a 24-bit
    // picture of the frame's own size, reusing out when the size matches. False when not connected,
    // when no frame has come yet or when it cannot be converted.
    [[nodiscard]] bool copyFrame(QImage &out);
    // Freezes the frame the window shows and ends the live view.
    void grabFrame();

    [[nodiscard]] QVideoSink *videoSink() { return &m_sink; }
    [[nodiscard]] CapturePreview *captureWindow() const { return m_window; }
    [[nodiscard]] quint64 framesReceived() const { return m_framesReceived; }
    [[nodiscard]] const QString &statusText() const { return m_status; }

Q_SIGNALS:
    // The capture window shows a new frame (live view) or the frozen one (grab).
    void previewUpdated();
    void statusChanged(const QString &text);

private:
    void frameArrived(const QVideoFrame &frame);
    void showInWindow(const QVideoFrame &frame);
    void refreshPreview();
    void drawTestPattern();
    bool startCamera();
    void stopSource();
    void applyFormat();
    void setStatus(const QString &text);
    [[nodiscard]] CaptureFormat currentFormat() const;

    CaptureSource m_source;
    int m_formatIndex = -1;
    QMediaCaptureSession m_session;
    QVideoSink m_sink;
    QCamera *m_camera = nullptr;
    QPointer<CapturePreview> m_window;
    QTimer m_previewTimer;
    QTimer m_patternTimer;
    QImage m_patternPicture;
    quint64 m_patternFrame = 0;
    QVideoFrame m_latest;
    QVideoFrame m_still;
    quint64 m_framesReceived = 0;
    quint64 m_framesShown = 0;
    bool m_connected = false;
    bool m_live = false;
    QString m_status;
};
