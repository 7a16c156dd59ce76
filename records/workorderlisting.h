#pragma once

#include <QObject>

#include "records/workorderquery.h"

class CurrentWorkOrder;
class Dataset;

// The work order query and the reopening of the work order list, over qryTitle and qryMeasure.
//
// The list is read for the current number with the measurement list statement. A measurement just
// stored is put into the list in its place when the list shows its work order, so storing one more
// costs the same in a work order of ten thousand as in an empty one; otherwise the list is read.
//
// A reopen of qryTitle passes over its first row before it locates the wanted one, and a row
// selected loads its picture. Moves of qryTitle inside batch() are announced as the rows they are,
// while the loading is left to settled(), which comes once, when the outermost batch ends: so only
// the picture finally shown is decoded.
class WorkOrderListing : public QObject, public WorkOrderQuery {
    Q_OBJECT
public:
    WorkOrderListing(const CurrentWorkOrder &workOrder, Dataset &qryTitle, Dataset &qryMeasure,
                     QObject *parent = nullptr);

    void btQryOperNoClick() override;
    void measurementAdded(const MeasurementObject &measurement) override;
    void reopenWorkOrders(const QString &operNo) override;

    // Runs body as one batch; settled() follows when it returns and no outer batch runs. A body
    // that throws ends the batch without settled(): the selection waits for the next one.
    template <class Body>
    void batch(Body &&body)
    {
        ++m_batches;
        struct Leave {
            int &batches;
            ~Leave() { --batches; }
        };
        {
            const Leave leave{m_batches};
            body();
        }
        if (m_batches == 0)
            Q_EMIT settled();
    }
    [[nodiscard]] bool batching() const { return m_batches > 0; }
    // Whether the measurement list holds the rows of this work order, as the query reads them.
    [[nodiscard]] bool listShows(const QString &operNo) const;

Q_SIGNALS:
    void settled();

private:
    const CurrentWorkOrder &m_workOrder;
    Dataset &m_qryTitle;
    Dataset &m_qryMeasure;
    int m_batches = 0;
};
