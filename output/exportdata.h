#pragma once

#include <array>
#include <optional>

#include <QList>
#include <QString>

#include "records/workordertitle.h"

// The current work order as the exports read it.
struct ExportTitle : WorkOrderTitle {};

// One row of the measurement list: a RecDetail row with its stored values. x[0]…x[3], y[0]…y[3]
// are x1…y4 (pixels), x[4]…x[7], y[4]…y[7] are x5…y8 (scaled), Val[0]…Val[5] are Val1…Val6. The
// exports show x5…y8 as the list does, rounded to four decimals, and derive the list's calculated
// columns (xAttribID, xVal1…xVal3) themselves.
struct ExportRow {
    QString OperNo;
    QString RecID;
    QString RecName;
    QString MeasureName;
    qint32 OBJIndex = 0;
    std::optional<qint32> AttribID;  // empty when the column holds no value
    QString Attrib;
    std::array<double, 8> x{};
    std::array<double, 8> y{};
    std::array<double, 6> Val{};
    qint32 LabelX = 0;
    qint32 LabelY = 0;
    qint32 LabelSize = 0;
    quint32 Color = 0;
    QString OBJNote;
    qint32 rIndex = 0;
};
