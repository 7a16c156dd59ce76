#pragma once

#include "measure/clicks.h"
#include "records/measurementobject.h"

// What the measuring reactions keep between clicks: the kind and the points clicked so far, and the
// measurement a completion fills. MeasuringController is the one writer; labels and the later record
// editing read it.
struct MeasuringState {
    ClickState clicks;  // CurrentKind, PointX, PointY, PointCount
    MeasurementObject CurrentMeasurement;
};
