#pragma once

#include <QObject>

#include "measure/measurementsink.h"

class CurrentWorkOrder;
class Dataset;
class LabelsController;
class QCheckBox;
class QLineEdit;
class WorkOrderQuery;

struct PersistenceWidgets {
    QCheckBox *cbNote = nullptr;        // "說明：": a new measurement's caption becomes its note
    QLineEdit *edNewOBJNote = nullptr;  // the note of new measurements
};

// The database side of a completed measurement: its RecDetail row, then its label, then the
// measurement list showing the new row and moved to it. Every failure is a
// DatabaseError thrown to the click that completed the measurement.
class MeasurementPersistence : public QObject, public MeasurementSink {
    Q_OBJECT
public:
    MeasurementPersistence(LabelsController &labels, WorkOrderQuery &workOrderQuery, const CurrentWorkOrder &workOrder,
                           Dataset &qryMeasure, Dataset &qryX, Dataset &qryY, const PersistenceWidgets &widgets,
                           QObject *parent = nullptr);

    int nextIndex(const QString &operNo, const QString &recId) override;
    int listRowCount() const override;
    void measurementCompleted(MeasurementObject &measurement, const QString &caption) override;
    void noteEdited(const MeasurementObject &measurement, const QString &text) override;

    // Overwrites a recomputed measurement's row, then queries the work order again.
    void update(const MeasurementObject &measurement);

private:
    void reloadList();

    LabelsController &m_labels;
    WorkOrderQuery &m_workOrderQuery;
    const CurrentWorkOrder &m_workOrder;
    Dataset &m_qryMeasure;
    Dataset &m_qryX;
    Dataset &m_qryY;
    PersistenceWidgets m_w;
};
