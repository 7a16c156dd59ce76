#pragma once

#include <QList>
#include <QString>

#include "output/exportdata.h"

class Dataset;
struct MeasurementObject;

// The current work order as the exports read it from the database, through a scratch dataset of
// the window. Each function throws DatabaseError with the engine's words when a statement fails.

// The RecTitle row of the work order; a work order measured but never saved has none and is
// known by its number alone.
[[nodiscard]] ExportTitle readExportTitle(Dataset &scratch, const QString &operNo);

// The work order's measurement list, in the list's order (RecID, OBJIndex, AttribID, rIndex).
[[nodiscard]] QList<ExportRow> readExportRows(Dataset &scratch, const QString &operNo);

// The work order's measurements in the order the picture draws them (RecID, OBJIndex).
[[nodiscard]] QList<MeasurementObject> readDrawnMeasurements(Dataset &scratch, const QString &operNo);

// The work order's picture name (PicFullName). The work order list's current row takes it when it
// is this work order, so the list shows it at once; otherwise the row is updated in the table.
void storePictureName(Dataset &qryTitle, Dataset &scratch, const QString &operNo, const QString &pictureName);
