#include "measure/persistence.h"

#include <QCheckBox>
#include <QLineEdit>

#include "app/dialogs.h"
#include "measure/labels.h"
#include "measure/measurementobject.h"
#include "records/dataset.h"
#include "records/datasets.h"
#include "records/measurementstore.h"
#include "records/sqlcatalogue.h"

MeasurementPersistence::MeasurementPersistence(Dialogs &dialogs, const Widgets &widgets, const Datasets &datasets,
                                               LabelsController &labels, QObject *parent)
    : QObject(parent)
    , m_dialogs(dialogs)
    , m_w(widgets)
    , m_qryMeasure(*datasets.qryMeasure)
    , m_qryX(*datasets.qryX)
    , m_qryY(*datasets.qryY)
    , m_labels(labels)
{
}

int MeasurementPersistence::nextIndex(const QString &operNo, const QString &recId)
{
    try {
        return nextMeasurementIndex(m_qryY, operNo, recId);
    } catch (const DatabaseError &e) {
        m_dialogs.error(m_w.window, e.message());
        return 1;
    }
}

int MeasurementPersistence::listRowCount()
{
    return m_qryMeasure.recordCount();
}

void MeasurementPersistence::measurementCompleted(MeasurementObject &m, const QString &caption)
{
    MeasurementLabel *label = m_labels.createLabel(m, caption);
    if (m_w.cbNote->isChecked())
        m_w.edNewOBJNote->setText(label->text());
    m.OBJNote = m_w.edNewOBJNote->text();
    try {
        insertMeasurement(m_qryX, m);
        reloadList();
        m_qryMeasure.last();
    } catch (const DatabaseError &e) {
        m_dialogs.error(m_w.window, e.message());
    }
}

void MeasurementPersistence::update(const MeasurementObject &m)
{
    try {
        updateMeasurement(m_qryX, m);
        reloadList();
    } catch (const DatabaseError &e) {
        m_dialogs.error(m_w.window, e.message());
    }
}

void MeasurementPersistence::noteEdited(const MeasurementObject &m, const QString &text)
{
    try {
        storeLabelNote(m_qryX, m.OperNo, m.RecID, m.OBJIndex, text);
    } catch (const DatabaseError &e) {
        m_dialogs.error(m_w.window, e.message());
    }
}

void MeasurementPersistence::reloadList()
{
    if (queryWorkOrder) {
        m_qryMeasure.close();
        m_qryMeasure.open();
        queryWorkOrder();
        return;
    }
    // Until work orders arrive the list follows the number in the work-order field.
    const QString operNo = m_w.edWorkSheetID->text().trimmed();
    m_qryMeasure.close();
    if (operNo.isEmpty()) {
        m_qryMeasure.open();
        return;
    }
    m_qryMeasure.clearParams();
    m_qryMeasure.setSql(Sql::MeasureList);
    m_qryMeasure.setParam(QStringLiteral("_OperNo"), operNo);
    m_qryMeasure.open();
}
