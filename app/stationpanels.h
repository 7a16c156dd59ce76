#pragma once

#include "acquire/capture.h"
#include "acquire/folderwatchcontroller.h"
#include "calibration/cameraratio.h"
#include "calibration/ratiocalibration.h"
#include "display/magnifiercontroller.h"

class QLabel;
class QMainWindow;
class QWidget;
struct MeasuringPage;

// The station's controls on the measuring page and in the menu: the camera, the magnifier button,
// the ratio calibration box and the camera pixel ratio panel.
struct StationControls {
    CaptureWidgets capture;
    MagnifierWidgets magnifier;
    RatioCalibrationWidgets ratio;
    CameraRatioWidgets cameraRatio;
};

// The capture tool buttons, the magnifier button, the preview host over the picture, and the
// capture menu items (mmVFW1, mmAutoDetect and the menu mmVFWFunc), which the main menu places.
// statusPanel tells the operator why the camera does nothing.
void buildCaptureControls(MeasuringPage &page, QMainWindow *window, QLabel *statusPanel);
// The page "影像擷取設定": the folder lists, the seen names, the save delay.
[[nodiscard]] FolderWatchWidgets buildCapturePage(QWidget *page);
// The calibration box inside the scale box, the pixel ratio panel on the top bar and its menu item
// CCD1, which the main menu places.
void buildRatioPanels(MeasuringPage &page, QWidget *window);
