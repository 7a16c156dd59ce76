#pragma once

#include <QString>

class Dataset;
struct MeasurementObject;

// Storing measurements as RecDetail rows, on the scratch datasets the window lends.
// Every function throws DatabaseError with the engine's words when a statement fails.

// The next OBJIndex of a part in a work order: the largest stored one plus 1 (1 for none).
[[nodiscard]] int nextMeasurementIndex(Dataset &scratch, const QString &operNo, const QString &recId);

// Inserts the measurement as a new row under its OBJIndex, which the caller took from
// nextMeasurementIndex when it named the measurement.
void insertMeasurement(Dataset &scratch, const MeasurementObject &m);

// Overwrites the coordinates, values, note and name of the row (OperNo, RecID, OBJIndex).
void updateMeasurement(Dataset &scratch, const MeasurementObject &m);

// Stores a label's place and style for the row (OperNo, RecID, OBJIndex).
void storeLabelPlacement(Dataset &scratch, const QString &operNo, const QString &recId, int objIndex, int labelX,
                         int labelY, int labelSize, quint32 color);

// Replaces the note of the row (OperNo, RecID, OBJIndex), as edited from its label.
void storeLabelNote(Dataset &scratch, const QString &operNo, const QString &recId, int objIndex,
                    const QString &note);

// Replaces the note of the row (OperNo, RecID, OBJIndex), as stored from the measurement list.
void storeListNote(Dataset &scratch, const QString &operNo, const QString &recId, int objIndex, const QString &note);

// Deletes the row (OperNo, RecID, OBJIndex).
void deleteMeasurement(Dataset &scratch, const QString &operNo, const QString &recId, int objIndex);

// Deletes every measurement of the work order; its title stays.
void deleteMeasurements(Dataset &scratch, const QString &operNo);

// The measurement of a dataset's current row (any query over RecDetail).
[[nodiscard]] MeasurementObject measurementFromRow(const Dataset &rows);

// Where each field of a measurement stands in a dataset over RecDetail, found once for reading many
// rows; throws DatabaseError when the dataset lacks one.
struct MeasurementColumns {
    explicit MeasurementColumns(const Dataset &rows);
    int OperNo, RecID, RecName, OBJIndex, AttribID, Attrib;
    int x[8], y[8], Val[6];
    int LabelX, LabelY, LabelSize, Color, OBJNote, MeasureName, rIndex;
};
[[nodiscard]] MeasurementObject measurementFromRow(const Dataset &rows, const MeasurementColumns &columns);
