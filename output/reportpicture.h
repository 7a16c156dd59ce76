#pragma once

#include <optional>

#include <QImage>
#include <QList>
#include <QString>

#include "base/canvas.h"
#include "display/annotate.h"
#include "display/marks.h"

struct MeasurementObject;

struct ReportPictureOptions {
    TColor pen = 0xFF0000;  // the drawing colour
    LabelScale scale;       // UnitFactor, and the scale an arc's chord needs
    int labelMode = 0;      // the label display mode 0…5
    QString face;           // the picture canvas's face for the label texts
    std::optional<ScaleGauge> gauge;  // painted when the gauge is shown
};

// The report's own picture of the work order: a copy of the clean picture with, row by row, the
// marks of each stored measurement (an angle with its arc) and its label text on one line at
// (LabelX, LabelY) in the row's size and colour, then the gauge. Labels picked on screen are not
// shown red here. rows are in the order they are drawn (RecID, OBJIndex).
[[nodiscard]] QImage renderReportPicture(const QImage &clean, const QList<MeasurementObject> &rows,
                                         const ReportPictureOptions &options);
