#include "records/workorderlisting.h"

#include "records/currentworkorder.h"
#include "records/dataset.h"
#include "records/measurementobject.h"
#include "records/sqlcatalogue.h"

WorkOrderListing::WorkOrderListing(const CurrentWorkOrder &workOrder, Dataset &qryTitle, Dataset &qryMeasure,
                                   QObject *parent)
    : QObject(parent)
    , m_workOrder(workOrder)
    , m_qryTitle(qryTitle)
    , m_qryMeasure(qryMeasure)
{
}

void WorkOrderListing::btQryOperNoClick()
{
    if (m_workOrder.isEmpty())
        return;
    m_qryMeasure.openWith(Sql::MeasureList, {{QStringLiteral("_OperNo"), m_workOrder.number()}});
}

bool WorkOrderListing::listShows(const QString &operNo) const
{
    static const QString statement = Sql::MeasureList.join(u'\n');
    return m_qryMeasure.isOpen() && m_qryMeasure.sql() == statement
           && m_qryMeasure.param(QStringLiteral("_OperNo")).toString() == operNo;
}

void WorkOrderListing::measurementAdded(const MeasurementObject &m)
{
    // Without a number the query reads nothing; a list that is open is read again as it stands.
    if (m_workOrder.isEmpty()) {
        if (m_qryMeasure.isOpen())
            m_qryMeasure.open();
        return;
    }
    if (!listShows(m.OperNo) || m.OperNo != m_workOrder.number()) {
        btQryOperNoClick();
        return;
    }
    const int put = m_qryMeasure.insertRows(Sql::MeasureRow,
                                            {{QStringLiteral("_OperNo"), m.OperNo},
                                             {QStringLiteral("_RecID"), m.RecID},
                                             {QStringLiteral("_OBJIndex"), m.OBJIndex}},
                                            Sql::MeasureListOrder);
    // Another program may have stored under the same key: then only a full read is right.
    if (put != 1)
        btQryOperNoClick();
}

void WorkOrderListing::reopenWorkOrders(const QString &operNo)
{
    batch([&] {
        m_qryTitle.close();
        m_qryTitle.open();
        m_qryTitle.locate(QStringLiteral("OperNo"), operNo);
    });
}
