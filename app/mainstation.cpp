// The station's parts of the main window: the camera, the watched folder, the magnifier, the
// ratio calibration and the camera pixel ratio, and the new work order they start.
#include "app/main.h"

#include "acquire/capture.h"
#include "acquire/folderwatchcontroller.h"
#include "acquire/pictureworkorder.h"
#include "app/pages.h"
#include "calibration/cameraratio.h"
#include "calibration/ratiocalibration.h"
#include "display/magnifiercontroller.h"
#include "measure/measuring.h"

void TfmMain::buildStationControllers(const MeasuringPage &mp, const SettingsPage &sp)
{
    const StationControls &s = mp.station;
    m_newWorkOrder = std::make_unique<PictureOpenedWorkOrder>(*m_pictureFiles);

    m_cameraRatio = std::make_unique<CameraRatioController>(m_pictures, *m_newWorkOrder, m_dialogs, s.cameraRatio);
    m_ratioCalibration =
        std::make_unique<RatioCalibrationController>(*m_activeScale, *m_unitScale, *m_datasets, m_dialogs, s.ratio);
    connect(m_measuring.get(), &MeasuringController::spanMeasured, m_ratioCalibration.get(),
            &RatioCalibrationController::spanMeasured);

    m_capture = std::make_unique<CaptureController>(m_pictures, *m_pictureFiles, *m_cameraRatio, *m_newWorkOrder,
                                                    m_dialogs, s.capture);

    FolderWatchWidgets watch = sp.folderWatch;
    watch.window = this;
    watch.mmAutoDetect = s.capture.mmAutoDetect;
    watch.mmVFW1 = s.capture.mmVFW1;
    m_folderWatch = std::make_unique<FolderWatchController>(m_state.paths, *m_pictureFiles, m_pictures,
                                                            *m_newWorkOrder, m_dialogs, watch);
    connect(m_folderWatch.get(), &FolderWatchController::pictureArrived, this, &TfmMain::TrayIcon1Restore);

    // Fed after the measuring reaction has drawn the crosshair, which the magnifier shows too.
    m_magnifier = std::make_unique<MagnifierController>(m_pictures, m_dialogs, s.magnifier);
    connect(m_measuring.get(), &MeasuringController::cursorMoved, m_magnifier.get(), &MagnifierController::cursorMoved);
}

void TfmMain::resetStationControllers()
{
    m_magnifier.reset();
    m_folderWatch.reset();
    m_capture.reset();
    m_ratioCalibration.reset();
    m_cameraRatio.reset();
    m_newWorkOrder.reset();
}
