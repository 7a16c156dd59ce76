#pragma once

#include <array>

#include <QObject>

#include "records/measurementobject.h"

class Dialogs;
class LabelDisplayChoice;
class PictureRefresh;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QWidget;
class RecordNavigator;
class Shape;
class WorkOrderQuery;
class WorkOrderScale;
struct Datasets;
struct ScaleValues;

struct MeasurementListWidgets {
    QWidget *window = nullptr;
    QTableView *dbgMeasure = nullptr;  // the list on "工單內容"
    QLabel *lbRecCount = nullptr;      // "共(%d)筆" above it
    QPushButton *btDelItem = nullptr;  // "刪除"
    QPushButton *BitBtn24 = nullptr;   // "刪除全部"
    QPushButton *BitBtn21 = nullptr;   // "刪除" of "工單查詢"
    QPushButton *BitBtn23 = nullptr;   // "列印" of "工單查詢": stores the note
    QTableView *dbgRecDetail = nullptr;  // every column, on the maintenance page
    RecordNavigator *DBNavigator2 = nullptr;
    QPushButton *bbtClearAll = nullptr;   // "全部刪除"
    QLineEdit *edNewOBJNote = nullptr;    // the note field of the product panel
    QPushButton *bbtUpdate = nullptr;     // "更新" beside it
    // The read-out panel under the picture.
    std::array<QLineEdit *, 8> points{};  // X1, Y1, X2, Y2, X3, Y3, X4, Y4
    std::array<QLabel *, 8> pointUnits{};
    std::array<QLineEdit *, 3> results{};
    std::array<QLabel *, 3> resultCaptions{};
    std::array<QLabel *, 3> resultUnits{};
    QLineEdit *edOBJNote = nullptr;  // "說明："
    QPushButton *btUpdRec = nullptr;  // "更新": the record update
    Shape *spRedPoint = nullptr;      // marks the current measurement's reference point
};

// The measurement list of the current work order (qryMeasure): its calculated columns, the two
// grids, the read-out panel that follows the current row, deleting one or all measurements,
// storing a note and writing edited read-outs back.
//
// Moving in the list applies the work order's recorded scale, puts the red dot on the row's
// reference point and fills the read-outs in the display unit (x5 … y8 and Val4 … Val6 times
// UnitFactor; an angle stays in degrees). The list rounds x5 … y8 to four decimals as it reads them.
// Every change to stored rows is followed by the work order query, so the list shows it.
class MeasurementListController : public QObject {
    Q_OBJECT
public:
    MeasurementListController(WorkOrderQuery &workOrderQuery, WorkOrderScale &scale, const ScaleValues &scaleValues,
                              PictureRefresh &pictureRefresh, LabelDisplayChoice &labelDisplay,
                              const Datasets &datasets, Dialogs &dialogs, const MeasurementListWidgets &widgets,
                              QObject *parent = nullptr);

    // The operations behind the reactions; each throws DatabaseError or ProgramError.
    void deleteCurrent();
    // Asks first; true when the measurements were deleted.
    bool deleteAll();
    void storeNote();
    void updateRecord();

    // The reactions to qryMeasure.
    void qryMeasureAfterOpen();
    void qryMeasureAfterScroll();

public Q_SLOTS:
    void btDelItemClick();
    void bbtClearAllClick();
    void bbtUpdateClick();
    // Enter in the note field: the note is stored and the labels show notes only ("只顯示說明").
    void edNewOBJNoteKeyPress();
    void btUpdRecClick();

private:
    [[nodiscard]] bool hasCurrentRow() const;
    void showCount();

    WorkOrderQuery &m_workOrderQuery;
    WorkOrderScale &m_scale;
    const ScaleValues &m_scaleValues;
    PictureRefresh &m_pictureRefresh;
    LabelDisplayChoice &m_labelDisplay;
    const Datasets &m_d;
    Dialogs &m_dialogs;
    MeasurementListWidgets m_w;
    // The row last shown, whose pixel coordinates and pixel results the record update keeps.
    MeasurementObject m_shown;
};
