#include "measure/persistence.h"

#include <QCheckBox>
#include <QLineEdit>

#include "measure/labels.h"
#include "records/currentworkorder.h"
#include "records/dataset.h"
#include "records/measurementobject.h"
#include "records/measurementstore.h"
#include "records/workorderquery.h"

MeasurementPersistence::MeasurementPersistence(LabelsController &labels, WorkOrderQuery &workOrderQuery,
                                               const CurrentWorkOrder &workOrder, Dataset &qryMeasure, Dataset &qryX,
                                               Dataset &qryY, const PersistenceWidgets &widgets, QObject *parent)
    : QObject(parent)
    , m_labels(labels)
    , m_workOrderQuery(workOrderQuery)
    , m_workOrder(workOrder)
    , m_qryMeasure(qryMeasure)
    , m_qryX(qryX)
    , m_qryY(qryY)
    , m_w(widgets)
{
}

int MeasurementPersistence::nextIndex(const QString &operNo, const QString &recId)
{
    return nextMeasurementIndex(m_qryY, operNo, recId);
}

int MeasurementPersistence::listRowCount() const
{
    return m_qryMeasure.recordCount();
}

void MeasurementPersistence::measurementCompleted(MeasurementObject &m, const QString &caption)
{
    // "說明：" makes the caption the note of this measurement and of the following ones.
    if (m_w.cbNote->isChecked())
        m_w.edNewOBJNote->setText(caption);
    m.OBJNote = m_w.edNewOBJNote->text();
    insertMeasurement(m_qryX, m);
    m_labels.createLabel(m, caption);
    // The list takes the new row in its place rather than being read again whole.
    m_workOrderQuery.measurementAdded(m);
    m_qryMeasure.last();
}

void MeasurementPersistence::update(const MeasurementObject &m)
{
    updateMeasurement(m_qryX, m);
    reloadList();
}

void MeasurementPersistence::noteEdited(const MeasurementObject &m, const QString &text)
{
    storeLabelNote(m_qryX, m.OperNo, m.RecID, m.OBJIndex, text);
}

void MeasurementPersistence::reloadList()
{
    // The list is reopened and the work order queried again. The query reads the list for the
    // work order by itself; without a number it leaves the list alone, so only then is the list
    // reopened here: reopening first as well would read it twice.
    if (m_workOrder.isEmpty()) {
        m_qryMeasure.close();
        m_qryMeasure.open();
        return;
    }
    m_workOrderQuery.btQryOperNoClick();
}
