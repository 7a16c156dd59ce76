#include "acquire/capture.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QScopeGuard>
#include <QWidget>

#include "acquire/capturechoice.h"
#include "acquire/framemath.h"
#include "acquire/picturefile.h"
#include "acquire/picturefiles.h"
#include "base/programerror.h"
#include "calibration/cameraratio.h"
#include "display/pictures.h"
#include "records/newworkorder.h"
#include "ui/guarded.h"

CaptureController::CaptureController(Pictures &pictures, PictureFilesController &pictureFiles,
                                     const CameraRatioController &cameraRatio, NewWorkOrder &newWorkOrder,
                                     Dialogs &dialogs, const CaptureWidgets &widgets, QObject *parent)
    : QObject(parent)
    , m_pictures(pictures)
    , m_pictureFiles(pictureFiles)
    , m_cameraRatio(cameraRatio)
    , m_newWorkOrder(newWorkOrder)
    , m_dialogs(dialogs)
    , m_w(widgets)
{
    connect(m_w.mmVFW1, &QAction::triggered, this, &CaptureController::mmVFW1Click);
    connect(m_w.mmCameraActive, &QAction::triggered, this, &CaptureController::mmCameraActiveClick);
    connect(m_w.VideoSource1, &QAction::triggered, this, &CaptureController::VideoSource1Click);
    connect(m_w.ImageSize1, &QAction::triggered, this, &CaptureController::ImageSize1Click);
    connect(m_w.mm1x1, &QAction::triggered, this, &CaptureController::mm1x1Click);
    connect(m_w.mm2x2, &QAction::triggered, this, &CaptureController::mm2x2Click);
    connect(m_w.sbLifeCap, &QAbstractButton::clicked, this, &CaptureController::sbLifeCapClick);
    connect(m_w.sbCapture, &QAbstractButton::clicked, this, &CaptureController::sbCaptureClick);
    connect(&m_device, &CaptureDevice::statusChanged, this, &CaptureController::setStatus);
    connect(&m_pictureFiles, &PictureFilesController::pictureOpened, this, &CaptureController::pictureOpened);

    m_w.mmVFWFunc->menuAction()->setEnabled(m_w.mmVFW1->isChecked());
    m_w.sbCapture->setProperty("tag", 0);
    const bool active = m_w.mmCameraActive->isChecked();
    m_w.sbLifeCap->setVisible(active);
    m_w.sbCapture->setVisible(active);
    m_w.TreeView1->hide();
    setZoomState(m_w.mm2x2->isChecked() ? 1 : 0);
}

int CaptureController::zoomState() const
{
    return m_w.mmDigitalZoom->property("tag").toInt();
}

void CaptureController::setZoomState(int state)
{
    m_w.mmDigitalZoom->setProperty("tag", state);
    m_w.mm1x1->setChecked(state == 0);
    m_w.mm2x2->setChecked(state == 1);
}

void CaptureController::mmVFW1Click()
{
    guarded(m_dialogs, m_w.window, [this] {
        const bool capturing = m_w.mmVFW1->isChecked();
        if (capturing)
            m_w.mmAutoDetect->setChecked(false);
        m_w.mmVFWFunc->menuAction()->setEnabled(capturing);
    });
}

void CaptureController::mmCameraActiveClick()
{
    guarded(m_dialogs, m_w.window, [this] { cameraActive(m_w.mmCameraActive->isChecked()); });
}

void CaptureController::setCameraActive(bool on)
{
    m_w.mmCameraActive->setChecked(on);
    cameraActive(on);
}

void CaptureController::cameraActive(bool on)
{
    m_w.sbLifeCap->setVisible(on);
    m_w.sbCapture->setVisible(on);
    if (on) {
        m_w.sbLifeCap->setEnabled(true);
        m_w.sbCapture->setEnabled(true);
        // Without a camera the status bar says why, and the picture stays in view.
        if (m_device.connectDevice(m_w.TreeView1))
            startLiveView();
        return;
    }
    // The last frame becomes the picture; without one the picture shown stays.
    const auto disconnect = qScopeGuard([this] {
        m_device.disconnectDevice();
        showPicture();
        m_w.sbLifeCap->setEnabled(false);
        m_w.sbCapture->setEnabled(false);
    });
    grab();
}

void CaptureController::VideoSource1Click()
{
    guarded(m_dialogs, m_w.window, [this] {
        // A connected device reconnects to the chosen source and is live again.
        if (chooseCaptureSource(m_dialogs, m_device, m_w.window) && m_device.isConnected())
            startLiveView();
    });
}

void CaptureController::ImageSize1Click()
{
    guarded(m_dialogs, m_w.window, [this] {
        if (m_device.formats().isEmpty()) {
            setStatus(m_device.source().name.isEmpty()
                          ? QStringLiteral("找不到攝影機：請在「影像來源」選擇攝影機或「測試圖樣」")
                          : QStringLiteral("「%1」沒有可選擇的影像大小").arg(m_device.source().name));
            return;
        }
        (void)chooseCaptureFormat(m_dialogs, m_device, m_w.window);
    });
}

void CaptureController::sbLifeCapClick()
{
    guarded(m_dialogs, m_w.window, [this] { startLiveView(); });
}

void CaptureController::startLiveView()
{
    if (!m_device.isConnected()) {
        setStatus(QStringLiteral("影像擷取裝置未開啟：請先勾選「開啟影像擷取裝置」"));
        return;
    }
    m_device.liveViewOn();
    m_w.imgView->hide();
    // The picture's area holds the host even when the picture shown was smaller.
    QWidget *area = m_w.TreeView1->parentWidget();
    const QRect host = m_w.TreeView1->geometry();
    area->resize(area->size().expandedTo(QSize(host.right() + 1, host.bottom() + 1)));
    m_w.TreeView1->show();
    m_w.TreeView1->raise();
    m_w.cbCross->setChecked(false);
}

void CaptureController::sbCaptureClick()
{
    guarded(m_dialogs, m_w.window, [this] { grab(); });
}

void CaptureController::grab()
{
    // Not connected, or no frame yet: nothing at all happens, and the status bar says why.
    if (!m_device.copyFrame(m_frame))
        return;
    m_device.grabFrame();
    if (const QString failed = takeFrame(); !failed.isEmpty()) {
        QApplication::beep();
        setStatus(failed);
    }
    showPicture();
    m_w.sbCapture->setProperty("tag", 1);
    const auto untag = qScopeGuard([this] { m_w.sbCapture->setProperty("tag", 0); });
    m_newWorkOrder.startWorkOrder(true);
    m_w.cbCross->setChecked(false);
    m_pictures.hideCrosshair();
}

QString CaptureController::takeFrame()
{
    const QString temporary = m_pictureFiles.temporaryBitmapPath();
    m_pictures.setCurrentPicturePath(temporary);
    m_pictureFiles.setSaveDialogFileName(temporary);

    // Each step works on what the one before gave; a failure keeps the picture as far as it got.
    const QImage *picture = &m_frame;
    QString failed;
    try {
        if (m_cameraRatio.stretchCapture(*picture, m_stretched))
            picture = &m_stretched;
        if (zoomState() == 1) {
            if (const FrameResult zoomed = digitalZoom2x(*picture, m_zoomed); !zoomed.ok())
                throw ProgramError(frameFailureText(zoomed));
            picture = &m_zoomed;
        }
    } catch (const ProgramError &e) {
        failed = e.message();
    }
    m_pictures.replace(*picture);
    if (!failed.isEmpty())
        return failed;
    if (const PictureResult written = writeBitmapFile(*picture, temporary, FileSync::Fast); !written.ok())
        return QStringLiteral("檔案儲存錯誤!  <%1>  %2").arg(temporary, written.detail);
    return QString();
}

void CaptureController::showPicture()
{
    m_w.TreeView1->hide();
    m_w.imgView->show();
}

void CaptureController::pictureOpened()
{
    // A picture opened from a file while the live view shows: the camera stops on its frame and
    // the picture comes into view.
    if (m_w.TreeView1->isHidden() && !m_device.isLive())
        return;
    m_device.grabFrame();
    showPicture();
}

void CaptureController::setStatus(const QString &text)
{
    if (m_w.statusPanel)
        m_w.statusPanel->setText(text);
}

void CaptureController::mm1x1Click()
{
    guarded(m_dialogs, m_w.window, [this] { setZoomState(0); });
}

void CaptureController::mm2x2Click()
{
    guarded(m_dialogs, m_w.window, [this] { setZoomState(1); });
}
