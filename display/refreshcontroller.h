#pragma once

#include <QObject>
#include <QSqlDatabase>

#include "display/picturerefresh.h"
#include "measure/labels.h"

class CurrentWorkOrder;
class Dataset;
class Dialogs;
class DisplayOptions;
class Pictures;
class QAbstractButton;
class QWidget;
class Shape;
class WorkOrderQuery;
struct ScaleValues;

struct PictureRefreshWidgets {
    QWidget *window = nullptr;
    Shape *Shape3 = nullptr;                      // the frame a circle places
    QAbstractButton *bbtPictureRefresh = nullptr;  // "畫面重整"
    QAbstractButton *SpeedButton7 = nullptr;       // removes the last measurement
};

// The picture refresh: the one path from the stored measurements of the current work order to the
// screen. It restores the background (the clean picture, or white with a black frame while the
// photograph is hidden), draws every stored row's marks with the drawing colour, gives every row a
// fresh label in the label display mode (picked ones red), renumbers rIndex to the rows' order,
// rereads the measurement list through the work order query and puts the list back on the row it
// stood on. It also removes the last measurement.
//
// The renumbering is written in one transaction: a row after a deleted one moves every later row,
// and a commit each would cost seconds in a work order of a thousand.
class PictureRefreshController : public QObject, public PictureRefresh {
    Q_OBJECT
public:
    // `db` is the connection of the datasets, on which the renumbering is written as one.
    PictureRefreshController(Pictures &pictures, const CurrentWorkOrder &workOrder, WorkOrderQuery &workOrderQuery,
                             const ScaleValues &scale, const DisplayOptions &options, LabelsController &labels,
                             const QSqlDatabase &db, Dataset &qryMeasure, Dataset &qryX, Dialogs &dialogs,
                             const PictureRefreshWidgets &widgets, QObject *parent = nullptr);

    void RedrawPicture() override;

public Q_SLOTS:
    void bbtPictureRefreshClick();
    void SpeedButton7Click();

private:
    void drawBackground();
    void drawStoredRows(LabelsController::StoredLabels &labels);
    void deleteLastMeasurement();

    Pictures &m_pictures;
    const CurrentWorkOrder &m_workOrder;
    WorkOrderQuery &m_workOrderQuery;
    const ScaleValues &m_scale;
    const DisplayOptions &m_options;
    LabelsController &m_labels;
    QSqlDatabase m_db;
    Dataset &m_qryMeasure;
    Dataset &m_qryX;
    Dialogs &m_dialogs;
    PictureRefreshWidgets m_w;
};
