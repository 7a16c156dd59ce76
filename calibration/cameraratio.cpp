#include "calibration/cameraratio.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "acquire/framemath.h"
#include "base/programerror.h"
#include "calibration/ratiomath.h"
#include "display/pictures.h"
#include "records/newworkorder.h"
#include "ui/guarded.h"

namespace {

PixelRatioReading readRatio(const CameraRatioWidgets &w)
{
    PixelRatioReading ratio = readPixelRatio(w.edCCDRatioX->text(), w.edCCDRatioY->text());
    if (!ratio.ok())
        throw ProgramError(ratio.error);
    return ratio;
}

}  // namespace

CameraRatioController::CameraRatioController(Pictures &pictures, NewWorkOrder &newWorkOrder, Dialogs &dialogs,
                                             const CameraRatioWidgets &widgets, QObject *parent)
    : QObject(parent)
    , m_pictures(pictures)
    , m_newWorkOrder(newWorkOrder)
    , m_dialogs(dialogs)
    , m_w(widgets)
{
    connect(m_w.CCD1, &QAction::triggered, this, &CameraRatioController::CCD1Click);
    connect(m_w.BitBtn20, &QPushButton::clicked, this, &CameraRatioController::BitBtn20Click);
}

void CameraRatioController::CCD1Click()
{
    guarded(m_dialogs, m_w.window, [this] {
        const bool shown = m_w.CCD1->isChecked();
        for (QWidget *option : std::as_const(m_w.displayOptions))
            option->setVisible(!shown);
        m_w.plCCDAligment->setVisible(shown);
    });
}

void CameraRatioController::BitBtn20Click()
{
    guarded(m_dialogs, m_w.window, [this] { resetPicture(); });
}

void CameraRatioController::resetPicture()
{
    // Read before anything happens: a field that is no ratio leaves the work order and the picture.
    const PixelRatioReading ratio = readRatio(m_w);
    m_newWorkOrder.startWorkOrder(false);
    m_pictures.hideCrosshair();
    // The clean picture is stretched, so the marks of the order just replaced are not stretched
    // into it, and both pictures keep one size for every later refresh.
    m_pictures.restoreClean();
    QImage picture;
    if (const FrameResult stretched = stretchCcd(m_pictures.view(), picture, ratio.x, ratio.y); !stretched.ok())
        throw ProgramError(frameFailureText(stretched));
    m_pictures.replace(picture);
}

bool CameraRatioController::stretchCapture(const QImage &frame, QImage &out) const
{
    if (!m_w.cbCameraRatio->isChecked())
        return false;
    const PixelRatioReading ratio = readRatio(m_w);
    if (const FrameResult stretched = stretchCcd(frame, out, ratio.x, ratio.y); !stretched.ok())
        throw ProgramError(frameFailureText(stretched));
    return true;
}
