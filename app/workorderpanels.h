#pragma once

// The controls of the work orders and the measurement list, made by the page builders: each
// function makes one group with its names, captions and first states, and no reactions.

#include "records/measurementlist.h"
#include "records/workorders.h"

class QBoxLayout;
class QFormLayout;
class QLabel;
class QWidget;

// The work order fields "工單號碼：" (initially "TEMP") … "員工姓名：" with "查詢", "換圖", "儲存" and
// the hidden "新增", and the read-out panel of the current measurement with its "更新"; both as
// rows of `parent`, added to `layout`.
void buildWorkOrderPanels(QWidget *parent, QBoxLayout *layout, WorkOrderWidgets &workOrders,
                          MeasurementListWidgets &list);
// "更新" beside the note field of the product panel, on a row of its own.
void buildNoteUpdate(QWidget *panel, QFormLayout *form, MeasurementListWidgets &list);
// The tab "工單查詢": the work order grid DBGrid5 with "刪除" and "列印".
void buildOrderQueryPage(QWidget *page, WorkOrderWidgets &workOrders, MeasurementListWidgets &list);
// The tab "工單內容": "共(%d)筆", "刪除", "刪除全部" and the list dbgMeasure.
void buildOrderContentPage(QWidget *page, MeasurementListWidgets &list);
// "FileName：" and the work order's picture file on the page "影像擷取設定".
[[nodiscard]] QLabel *buildPictureFileName(QWidget *page);

// The work order and measurement controls of the maintenance page "表格資料維護".
struct WorkOrderTables {
    WorkOrderFields fields;  // edWorkSheetID2 …
    QPushButton *BitBtn16 = nullptr;
    QTableView *DBGrid2 = nullptr;
    RecordNavigator *DBNavigator1 = nullptr;
    QTableView *dbgRecDetail = nullptr;
    RecordNavigator *DBNavigator2 = nullptr;
    QPushButton *bbtClearAll = nullptr;
};
[[nodiscard]] WorkOrderTables buildWorkOrderTables(QWidget *parent, QBoxLayout *layout);
