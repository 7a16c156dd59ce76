#pragma once

#include <QString>

struct MeasurementObject;

// Where a completed measurement goes: the database side. Every call throws DatabaseError when a
// statement fails, which ends the click that completed the measurement.
class MeasurementSink {
public:
    virtual ~MeasurementSink() = default;
    // The next OBJIndex of the part in the work order.
    [[nodiscard]] virtual int nextIndex(const QString &operNo, const QString &recId) = 0;
    // The number of rows in the measurement list.
    [[nodiscard]] virtual int listRowCount() const = 0;
    // Store, label, list refresh: everything after CurrentMeasurement is filled; `caption` is the
    // label's text. The row is stored before its label is made, so a failed insert leaves no label.
    virtual void measurementCompleted(MeasurementObject &measurement, const QString &caption) = 0;
    // A note edited from its label: store the new text.
    virtual void noteEdited(const MeasurementObject &measurement, const QString &text) = 0;
};
