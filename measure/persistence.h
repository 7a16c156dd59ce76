#pragma once

#include <functional>

#include <QObject>

#include "measure/measuring.h"

class Dialogs;
class Dataset;
class LabelsController;
class QCheckBox;
class QLineEdit;
struct Datasets;

// The database side of a completed measurement: its label, its RecDetail row, the measurement list
// reloaded and moved to the new row.
class MeasurementPersistence : public QObject, public MeasurementSink {
    Q_OBJECT
public:
    struct Widgets {
        QWidget *window = nullptr;
        QCheckBox *cbNote = nullptr;
        QLineEdit *edNewOBJNote = nullptr;
        QLineEdit *edWorkSheetID = nullptr;
    };

    MeasurementPersistence(Dialogs &dialogs, const Widgets &widgets, const Datasets &datasets,
                           LabelsController &labels, QObject *parent = nullptr);

    int nextIndex(const QString &operNo, const QString &recId) override;
    int listRowCount() override;
    void measurementCompleted(MeasurementObject &measurement, const QString &caption) override;
    void noteEdited(const MeasurementObject &measurement, const QString &text) override;

    // Overwrites a recomputed measurement's row, then queries the work order again.
    void update(const MeasurementObject &measurement);

    // Reloads the measurement list for the work order in the field (the work-order query).
    std::function<void()> queryWorkOrder;

private:
    void reloadList();

    Dialogs &m_dialogs;
    Widgets m_w;
    Dataset &m_qryMeasure;
    Dataset &m_qryX;
    Dataset &m_qryY;
    LabelsController &m_labels;
};
