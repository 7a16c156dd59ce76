#pragma once

#include "base/programpaths.h"
#include "calibration/scalevalues.h"
#include "measure/measuringstate.h"
#include "records/labelselection.h"

// The values the parts of the main window share, one instance in TfmMain. Each slice is defined
// with its owner and written only by it; a controller is given the slices it needs, by const
// reference where it only reads them.
struct MainState {
    ProgramPaths paths;        // written by TfmMain at start-up
    ScaleValues scale;         // written by ActiveScaleController
    MeasuringState measuring;  // written by MeasuringController
    LabelSelection selection;  // written by LabelsController
};
