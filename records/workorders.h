#pragma once

#include <QObject>
#include <QString>

class CurrentWorkOrder;
class Dialogs;
class PictureFilesController;
class PictureRefresh;
class Pictures;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QWidget;
class RecordNavigator;
class WorkOrderListing;
class WorkOrderScale;
struct Datasets;
struct ProgramPaths;
struct WorkOrderTitle;

// The four work order fields of a page.
struct WorkOrderFields {
    QLineEdit *edWorkSheetID = nullptr;    // "工單號碼："
    QLineEdit *edWorkSheetName = nullptr;  // "工單名稱："
    QLineEdit *edStaffID = nullptr;        // "員工編號："
    QLineEdit *edStaffName = nullptr;      // "員工姓名："
};

struct WorkOrderWidgets {
    QWidget *window = nullptr;    // its caption names the scratch order on "新增"
    WorkOrderFields fields;       // of the measuring page
    WorkOrderFields maintenance;  // their copies on the maintenance page: edWorkSheetID2 …
    QPushButton *btQryOperNo = nullptr;   // "查詢"
    QPushButton *bbtChangePic = nullptr;  // "換圖"
    QPushButton *bbtSaveTitle = nullptr;  // "儲存"
    QPushButton *bbtAdd = nullptr;        // hidden "新增", run by code
    QPushButton *BitBtn16 = nullptr;      // "新增" of the maintenance page
    QTableView *DBGrid5 = nullptr;        // the work orders on "工單查詢"
    QTableView *DBGrid2 = nullptr;        // the work orders on the maintenance page
    RecordNavigator *DBNavigator1 = nullptr;
    QLabel *lbFileName = nullptr;  // beside "FileName：" on "影像擷取設定"
};

// The life of a work order: the scratch order "TEMP" every new picture starts, saving it under its
// own number, a new one by hand, changing its picture, the two work order grids (edited in place,
// straight into RecTitle) and the selection of a work order.
//
// Selecting a row of qryTitle (a click in either grid, the navigator, a reopen, a locate) copies its
// fields, brings its scale set, loads its picture and runs the picture refresh. Rows a reopen passes
// over get their fields and scale but no picture: the loading waits until the reopen has settled on
// its row, and a picture already shown from that very file is not read again. The one writer of
// CurrentWorkOrder, which follows the number field.
class WorkOrdersController : public QObject {
    Q_OBJECT
public:
    WorkOrdersController(CurrentWorkOrder &workOrder, WorkOrderListing &listing, WorkOrderScale &scale,
                         PictureFilesController &pictureFiles, Pictures &pictures, PictureRefresh &pictureRefresh,
                         const ProgramPaths &paths, const Datasets &datasets, Dialogs &dialogs,
                         const WorkOrderWidgets &widgets, QObject *parent = nullptr);

    // The operations behind the reactions; each throws DatabaseError (or ProgramError) and stops
    // at the statement that failed.
    // A new scratch order "TEMP" for the picture now shown, replacing the previous one and its
    // measurements. insideCapture: a captured frame, kept as "CaptureFN.JPG" without asking.
    void startWorkOrder(bool insideCapture);
    // "儲存": the scratch order and its measurements take the number of the field, unless a work
    // order has that number already.
    void saveWorkOrder();
    // "新增": a scratch order made by hand, unless the active scale set has no X scale or a scratch
    // order exists.
    void newWorkOrder();
    // "換圖": another picture for the current work order.
    void changePicture();

    // qryTitle's row changed.
    void qryTitleAfterScroll();

public Q_SLOTS:
    void bbtSaveTitleClick();
    void btQryOperNoClick();
    void bbtChangePicClick();
    void bbtAddClick();
    void BitBtn16Click();
    // A picture was opened from the menu (or the command line).
    void pictureOpened();

private:
    void finishSelection();
    // True when the active scale set had to be corrected: nothing is created then.
    bool scaleSetCorrected();
    [[nodiscard]] WorkOrderTitle titleFromFields() const;
    void showInFields(const WorkOrderFields &fields);

    CurrentWorkOrder &m_workOrder;
    WorkOrderListing &m_listing;
    WorkOrderScale &m_scale;
    PictureFilesController &m_pictureFiles;
    Pictures &m_pictures;
    PictureRefresh &m_pictureRefresh;
    const ProgramPaths &m_paths;
    const Datasets &m_d;
    Dialogs &m_dialogs;
    WorkOrderWidgets m_w;
    bool m_selectionPending = false;
    QString m_pendingPicture;
    // The file the clean picture was last read from, as long as nothing else replaced it.
    QString m_shownPicture;
};
