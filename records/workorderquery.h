#pragma once

#include <QString>

struct MeasurementObject;

// The work order side that other parts call: the work order query, which rereads the measurement
// list for the current work order (whatever changes measurements runs it afterwards, so the list
// shows the change), and the reopening of the work order list. Every call throws DatabaseError when
// a statement fails.
class WorkOrderQuery {
public:
    virtual ~WorkOrderQuery() = default;
    // Reads the list for the current work order number; without a number it does nothing.
    virtual void btQryOperNoClick() = 0;
    // A measurement was just stored under the current number: the list shows it in its place.
    virtual void measurementAdded(const MeasurementObject &measurement) = 0;
    // Closes and reopens qryTitle and locates operNo (case-insensitively; the first row when none
    // matches). Every row passed over is selected; only the one it ends on loads its picture.
    virtual void reopenWorkOrders(const QString &operNo) = 0;
};
