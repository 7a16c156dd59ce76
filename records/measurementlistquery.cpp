#include "records/measurementlistquery.h"

#include "records/currentworkorder.h"
#include "records/dataset.h"
#include "records/sqlcatalogue.h"

MeasurementListQuery::MeasurementListQuery(const CurrentWorkOrder &workOrder, Dataset &qryMeasure)
    : m_workOrder(workOrder)
    , m_qryMeasure(qryMeasure)
{
}

void MeasurementListQuery::btQryOperNoClick()
{
    if (m_workOrder.isEmpty())
        return;
    m_qryMeasure.openWith(Sql::MeasureList, {{QStringLiteral("_OperNo"), m_workOrder.number()}});
}
