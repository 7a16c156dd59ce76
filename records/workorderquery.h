#pragma once

// The work order query: rereads the measurement list for the current work order. Whatever changes
// measurements runs it afterwards, so the list shows the change.
class WorkOrderQuery {
public:
    virtual ~WorkOrderQuery() = default;
    // Throws DatabaseError when the list cannot be read; the list is then closed.
    virtual void btQryOperNoClick() = 0;
};
