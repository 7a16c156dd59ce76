#pragma once

#include "records/workorderquery.h"

class CurrentWorkOrder;
class Dataset;

// The work order query as far as the measurement list goes: with a current work order number, the
// list is read with that number's rows; without one it is left as it is. The work order window
// replaces it with its own query, which does the same and more.
class MeasurementListQuery final : public WorkOrderQuery {
public:
    MeasurementListQuery(const CurrentWorkOrder &workOrder, Dataset &qryMeasure);
    void btQryOperNoClick() override;

private:
    const CurrentWorkOrder &m_workOrder;
    Dataset &m_qryMeasure;
};
