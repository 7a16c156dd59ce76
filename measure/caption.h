#pragma once

#include <QString>

#include "measure/geometry.h"
#include "measure/kinds.h"

// The text of a just-measured result's label: prefix, the index with three digits and the values in
// the display unit ("w001=12.346"; a circle's centre and area on further lines; an angle over its
// supplement; a note's text). scaleX and scaleY are the scale the measurement was taken with.
[[nodiscard]] QString labelCaption(MeasurementKind kind, int index, const GeometryResult &geometry, double scaleX,
                                   double scaleY, double unitFactor, const QString &noteText = QString());
