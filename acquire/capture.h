#pragma once

#include <QImage>
#include <QObject>

#include "acquire/capturedevice.h"

class CameraRatioController;
class Dialogs;
class NewWorkOrder;
class PictureFilesController;
class Pictures;
class QAbstractButton;
class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QWidget;

// The capture controls: the mode item "VFW 標準影像輸入介面" (mmVFW1) beside "自動偵測圖檔", the
// menu "影像輸入 設定" (mmVFWFunc) with "開啟影像擷取裝置", "影像來源", "影像大小" and "Digital Zoom"
// (whose tag is the zoom state), the tool buttons sbLifeCap and sbCapture, and the preview host
// TreeView1 over the picture.
struct CaptureWidgets {
    QWidget *window = nullptr;
    QAction *mmVFW1 = nullptr;
    QAction *mmAutoDetect = nullptr;
    QMenu *mmVFWFunc = nullptr;
    QAction *mmCameraActive = nullptr;
    QAction *VideoSource1 = nullptr;
    QAction *ImageSize1 = nullptr;
    QMenu *mmDigitalZoom = nullptr;
    QAction *mm1x1 = nullptr;
    QAction *mm2x2 = nullptr;
    QAbstractButton *sbLifeCap = nullptr;
    QAbstractButton *sbCapture = nullptr;  // its tag is 1 while a grab starts its work order
    QWidget *TreeView1 = nullptr;
    QWidget *imgView = nullptr;
    QCheckBox *cbCross = nullptr;
    QLabel *statusPanel = nullptr;  // tells the operator why the camera does nothing
};

// Video capture: switching the camera on and off, the live view in the preview host, grabbing a
// frame into the picture as a new work order (stretched by the camera pixel ratio and enlarged 2x
// when chosen), and the source and format dialogs.
//
// Without a camera every operation does nothing, and the status bar says why. A grab writes the
// temporary bitmap and is kept as "CaptureFN.JPG" by the work order it starts; a stretch, zoom or
// bitmap that fails leaves the picture as far as it got, beeps and says why, and the work order
// still follows.
class CaptureController : public QObject {
    Q_OBJECT
public:
    CaptureController(Pictures &pictures, PictureFilesController &pictureFiles, const CameraRatioController &cameraRatio,
                      NewWorkOrder &newWorkOrder, Dialogs &dialogs, const CaptureWidgets &widgets,
                      QObject *parent = nullptr);

    [[nodiscard]] CaptureDevice &device() { return m_device; }
    // The digital zoom state: 0 "1 x 1", 1 "2 x 2"; any other value checks neither (and zooms not).
    [[nodiscard]] int zoomState() const;
    void setZoomState(int state);
    // The camera item checked or unchecked, and its reaction run (the settings file opens it so).
    void setCameraActive(bool on);
    // The grab behind sbCapture; throws ProgramError when the work order cannot be started.
    void grab();

public Q_SLOTS:
    void mmVFW1Click();
    void mmCameraActiveClick();
    void VideoSource1Click();
    void ImageSize1Click();
    void sbLifeCapClick();
    void sbCaptureClick();
    void mm1x1Click();
    void mm2x2Click();

private:
    void cameraActive(bool on);
    void startLiveView();
    // Takes the copied frame into the picture; the words of what went wrong, empty when nothing did.
    QString takeFrame();
    void showPicture();
    void pictureOpened();
    void setStatus(const QString &text);

    Pictures &m_pictures;
    PictureFilesController &m_pictureFiles;
    const CameraRatioController &m_cameraRatio;
    NewWorkOrder &m_newWorkOrder;
    Dialogs &m_dialogs;
    CaptureWidgets m_w;
    CaptureDevice m_device;
    // Kept between grabs, so grabbing frames of one size again allocates nothing.
    QImage m_frame;
    QImage m_stretched;
    QImage m_zoomed;
};
