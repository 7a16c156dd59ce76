#pragma once

#include <array>

#include "acquire/picturefiles.h"
#include "app/workorderpanels.h"
#include "app/productpanels.h"
#include "app/statisticspanel.h"
#include "app/stationpanels.h"
#include "automeasure/hardnesswidgets.h"
#include "calibration/activescale.h"
#include "calibration/scalebox.h"
#include "calibration/unitscalepanels.h"
#include "display/displayoptionscontroller.h"
#include "display/refreshcontroller.h"
#include "measure/labels.h"
#include "measure/measuring.h"
#include "measure/persistence.h"

class PictureView;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QPushButton;
class QScrollArea;
class QTabWidget;
class QToolBar;
class QToolButton;
class QWidget;

// The controls of the measuring page "量測功能" (TabSheet1), grouped by the controllers that take them.
struct MeasuringPage {
    QWidget *TabSheet1 = nullptr;
    StationControls station;
    MeasuringWidgets measuring;
    LabelWidgets labels;
    PersistenceWidgets persistence;
    ProductPanelWidgets products;
    StatisticsWidgets statistics;
    ScaleBoxWidgets scaleBox;
    GaugeWidgets gauge;
    UnitCaptions unitCaptions;
    WorkOrderWidgets workOrders;
    MeasurementListWidgets measurementList;
    DisplayOptionWidgets displayOptions;
    PictureRefreshWidgets refresh;
    HardnessWidgets hardness;

    QToolButton *sbLoad = nullptr;
    QToolButton *bbtHidden = nullptr;
    QToolBar *ToolBar4 = nullptr;
    QCheckBox *cbDisplayScaleGauge = nullptr;
    QScrollArea *ScrollBox1 = nullptr;
    QWidget *content = nullptr;  // ScrollBox1's content: the picture at (2, 2), labels and marks over it
    PictureView *imgTemp = nullptr;
    QWidget *Panel3 = nullptr;
    QPushButton *Panel85 = nullptr;
    QPushButton *Panel89 = nullptr;
    QPushButton *Panel90 = nullptr;
    QPushButton *bbtClearLabel = nullptr;
};

// The table maintenance page "表格資料維護" (TabSheet8).
struct TablePage {
    ProductGridWidgets products;
    WorkOrderTables workOrders;
};

// The settings page "系統參數" (TabSheet2) with its page control PageControl2.
struct SettingsPage {
    QTabWidget *PageControl2 = nullptr;
    UnitScaleWidgets unitScale;
    PictureFileWidgets pictureFile;
    FolderWatchWidgets folderWatch;
    QLabel *lbFileName = nullptr;  // the work order's picture, on "影像擷取設定"
    QLineEdit *edPrintTitle = nullptr;  // the title printed at the top of the report
};

// One builder per page of PageControl1, in tab order. Each makes the page's controls with their
// names, captions and first states, and no reactions: the controllers are made afterwards with the
// controls they are given here. statusPanels are the status bar's three panels.
[[nodiscard]] MeasuringPage buildMeasuringPage(QTabWidget *pages, QMainWindow *window,
                                               const std::array<QLabel *, 3> &statusPanels);
// Adds the display options' and the picture refresh's controls to the measuring page.
void buildDisplayPanels(MeasuringPage &page);
[[nodiscard]] TablePage buildTablePage(QTabWidget *pages);
[[nodiscard]] SettingsPage buildSettingsPage(QTabWidget *pages, QMainWindow *window);
void buildTestPage(QTabWidget *pages);
