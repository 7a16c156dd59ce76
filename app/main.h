#pragma once

#include <array>
#include <memory>

#include <QMainWindow>

#include "app/mainstate.h"
#include "display/pictures.h"
#include "records/currentpart.h"
#include "records/currentworkorder.h"
#include "ui/dialogs.h"

class ActiveScaleController;
class CameraRatioController;
class CaptureController;
class CircleDetectionController;
class Database;
class DisplayOptionsController;
class FolderWatchController;
class GridLayoutFiles;
class HardnessController;
class LabelsController;
class MagnifierController;
class MeasurementListController;
class MeasurementPersistence;
class MeasuringController;
class PictureExportController;
class NewWorkOrder;
class PictureFilesController;
class PictureRefreshController;
class ProductsController;
class ReportController;
class QLabel;
class QSystemTrayIcon;
class QTabWidget;
class QTimer;
class QWidget;
class RatioCalibrationController;
class SettingsFileController;
class StatisticsController;
class TfmAboutBox;
class UnitScaleController;
class WidthHeightController;
class WorkOrderExportController;
class WorkOrderListing;
class WorkOrdersController;
struct Datasets;
struct MeasuringPage;
struct SettingsPage;
struct TablePage;

// The application's texts before any window exists: its name "Quillmont3.07", which the task bar
// shows. No display name is set, so window and box captions read exactly as they are given.
void setApplicationTexts();

// The main window: the composition root. Constructing it opens the database (a file that cannot be
// opened throws DatabaseError before any window exists) and then, in this order, makes the owners of
// the shared values, the pages with all their controls, the controllers bottom-up with what they use
// passed to their constructors, the menu and the tray, and runs the creation sequence. Showing it is
// separate. It holds no measuring, SQL or picture logic of its own.
class TfmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfmMain(const QString &programFolder, QWidget *parent = nullptr);
    // For tests: the dialogs are in place before the creation sequence runs, and the watched folder
    // (empty: the user's pictures folder) is where they say.
    TfmMain(const QString &programFolder, std::unique_ptr<Dialogs> dialogs, const QString &watchFolder,
            QWidget *parent = nullptr);
    ~TfmMain() override;

    // Replaces the modal-interaction seam (tests script their dialogs through it).
    void setDialogs(std::unique_ptr<Dialogs> dialogs);
    [[nodiscard]] Dialogs &dialogs() { return m_dialogs; }

    [[nodiscard]] MainState &state() { return m_state; }
    [[nodiscard]] Pictures &pictures() { return m_pictures; }
    [[nodiscard]] const CurrentWorkOrder &workOrder() const { return m_workOrder; }
    [[nodiscard]] const CurrentPart &part() const { return m_part; }
    [[nodiscard]] MeasuringController &measuring() { return *m_measuring; }
    [[nodiscard]] PictureFilesController &pictureFiles() { return *m_pictureFiles; }
    [[nodiscard]] LabelsController &labels() { return *m_labels; }
    [[nodiscard]] MeasurementPersistence &persistence() { return *m_persistence; }
    [[nodiscard]] const Datasets &datasets() const { return *m_datasets; }
    [[nodiscard]] Database &database() { return *m_database; }
    [[nodiscard]] ActiveScaleController &activeScale() { return *m_activeScale; }
    [[nodiscard]] CaptureController &capture() { return *m_capture; }
    [[nodiscard]] FolderWatchController &folderWatch() { return *m_folderWatch; }
    [[nodiscard]] MagnifierController &magnifier() { return *m_magnifier; }
    [[nodiscard]] RatioCalibrationController &ratioCalibration() { return *m_ratioCalibration; }
    [[nodiscard]] CameraRatioController &cameraRatio() { return *m_cameraRatio; }
    [[nodiscard]] SettingsFileController &settingsFile() { return *m_settingsFile; }
    [[nodiscard]] DisplayOptionsController &displayOptions() { return *m_displayOptions; }
    [[nodiscard]] PictureRefreshController &pictureRefresh() { return *m_pictureRefresh; }

    // Opens the picture file as "開啟圖擋" does with it chosen: a new scratch work order follows.
    void openPicture(const QString &fileName);
    [[nodiscard]] QString statusText(int panel) const;
    [[nodiscard]] bool trayAvailable() const;

public Q_SLOTS:
    void Exit1Click();
    void bbtHiddenClick();
    void TrayIcon1Restore();
    void PrintSetup1Click();
    void N8Click();
    void N11Click();
    void Timer1Timer();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void buildStatusBar();
    void buildPages();
    void buildControllers(const MeasuringPage &measuringPage, const TablePage &tablePage,
                          const SettingsPage &settingsPage);
    void buildOutputs(const MeasuringPage &measuringPage, const SettingsPage &settingsPage);
    void buildGridLayouts();
    void buildStationControllers(const MeasuringPage &measuringPage, const SettingsPage &settingsPage);
    void resetStationControllers();
    void buildMenu();
    void buildTray();
    void buildTimers();
    void FormCreate();
    void FormShow();
    void FormHide();
    void hideToTray();
    void ensureWatchFolder();

    // Declared in the order they are made; each is destroyed before what it uses.
    MainState m_state;
    DialogsSeam m_dialogs;
    std::unique_ptr<Database> m_database;
    std::unique_ptr<Datasets> m_datasets;
    Pictures m_pictures;
    CurrentWorkOrder m_workOrder;
    CurrentPart m_part;
    std::unique_ptr<WorkOrderListing> m_workOrderQuery;

    std::unique_ptr<UnitScaleController> m_unitScale;
    std::unique_ptr<LabelsController> m_labels;
    std::unique_ptr<DisplayOptionsController> m_displayOptions;
    std::unique_ptr<PictureRefreshController> m_pictureRefresh;
    std::unique_ptr<ActiveScaleController> m_activeScale;
    std::unique_ptr<PictureFilesController> m_pictureFiles;
    std::unique_ptr<MeasurementPersistence> m_persistence;
    std::unique_ptr<MeasuringController> m_measuring;
    std::unique_ptr<WorkOrdersController> m_workOrders;
    std::unique_ptr<MeasurementListController> m_measurementList;
    std::unique_ptr<ProductsController> m_products;
    std::unique_ptr<StatisticsController> m_statistics;
    std::unique_ptr<HardnessController> m_hardness;
    std::unique_ptr<CircleDetectionController> m_circleDetection;
    std::unique_ptr<WidthHeightController> m_widthHeight;
    std::unique_ptr<PictureExportController> m_pictureExport;
    std::unique_ptr<ReportController> m_report;
    std::unique_ptr<WorkOrderExportController> m_workOrderExport;
    std::unique_ptr<GridLayoutFiles> m_gridLayouts;
    // The station's parts; the new work order is a stand-in until the work orders take it over.
    std::unique_ptr<NewWorkOrder> m_newWorkOrder;
    std::unique_ptr<CameraRatioController> m_cameraRatio;
    std::unique_ptr<RatioCalibrationController> m_ratioCalibration;
    std::unique_ptr<CaptureController> m_capture;
    std::unique_ptr<FolderWatchController> m_folderWatch;
    std::unique_ptr<MagnifierController> m_magnifier;
    std::unique_ptr<SettingsFileController> m_settingsFile;

    QTabWidget *m_pages = nullptr;
    QTabWidget *m_settingsPages = nullptr;
    QWidget *m_measurePage = nullptr;
    std::array<QLabel *, 3> m_statusPanels{};
    QSystemTrayIcon *m_tray = nullptr;
    QTimer *m_Timer1 = nullptr;
    QTimer *m_hideDelay = nullptr;
    TfmAboutBox *m_aboutBox = nullptr;
};
