// The station's parts of the main window: the camera, the watched folder, the magnifier, the
// ratio calibration and the camera pixel ratio, and the new work order they start.
#include "app/main.h"

#include "acquire/capture.h"
#include "acquire/folderwatchcontroller.h"
#include "acquire/pictureworkorder.h"
#include "app/pages.h"
#include "app/settingsfile.h"
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

    SettingsFileWidgets settings;
    settings.window = this;
    settings.edPrintTitle = sp.edPrintTitle;
    settings.edSaveLag = sp.folderWatch.edSaveLag;
    settings.cbMoveLabel = mp.measuring.cbMoveLabel;
    settings.CheckBox1 = mp.displayOptions.CheckBox1;
    settings.cbDisplayScaleGauge = mp.displayOptions.cbDisplayScaleGauge;
    settings.cbCross = mp.displayOptions.cbCross;
    settings.cbPhotoHide = mp.displayOptions.cbPhotoHide;
    settings.mmVFW1 = s.capture.mmVFW1;
    settings.mmVFWFunc = s.capture.mmVFWFunc;
    settings.mmAutoDetect = s.capture.mmAutoDetect;
    settings.mmCameraActive = s.capture.mmCameraActive;
    settings.cbCameraRatio = s.cameraRatio.cbCameraRatio;
    settings.edCCDRatioX = s.cameraRatio.edCCDRatioX;
    settings.edCCDRatioY = s.cameraRatio.edCCDRatioY;
    const CircleWidgets &circle = mp.hardness.circle;
    settings.ScrollBar1 = circle.ScrollBar1;
    settings.ScrollBar2 = circle.ScrollBar2;
    settings.ScrollBar3 = circle.ScrollBar3;
    settings.edTimes = circle.edTimes;
    settings.Edit7 = circle.Edit7;
    settings.Edit8 = circle.Edit8;
    m_settingsFile = std::make_unique<SettingsFileController>(m_state.paths, m_state.scale, *m_capture, *m_folderWatch,
                                                              m_dialogs, settings);
}

void TfmMain::resetStationControllers()
{
    m_settingsFile.reset();
    m_magnifier.reset();
    m_folderWatch.reset();
    m_capture.reset();
    m_ratioCalibration.reset();
    m_cameraRatio.reset();
    m_newWorkOrder.reset();
}
