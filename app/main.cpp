#include "app/main.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStandardPaths>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "acquire/capture.h"
#include "acquire/folderwatchcontroller.h"
#include "acquire/picturefiles.h"
#include "app/aboutbox.h"
#include "app/help.h"
#include "app/pages.h"
#include "app/settingsfile.h"
#include "automeasure/circlecontroller.h"
#include "automeasure/hardnesscontroller.h"
#include "automeasure/widthheightcontroller.h"
#include "calibration/activescale.h"
#include "calibration/cameraratio.h"
#include "calibration/ratiocalibration.h"
#include "calibration/unitscale.h"
#include "display/displayoptionscontroller.h"
#include "display/pictureexport.h"
#include "display/magnifiercontroller.h"
#include "display/picturerefresh.h"
#include "display/refreshcontroller.h"
#include "measure/labels.h"
#include "measure/measuring.h"
#include "measure/persistence.h"
#include "output/reportcontroller.h"
#include "output/workorderexport.h"
#include "records/database.h"
#include "records/datasets.h"
#include "records/newworkorder.h"
#include "records/measurementlist.h"
#include "records/workorderlisting.h"
#include "records/workorders.h"
#include "records/products.h"
#include "records/statistics.h"
#include "ui/gridlayouts.h"
#include "ui/guarded.h"
#include "ui/pictureview.h"
#include "ui/widgets.h"

void setApplicationTexts()
{
    QApplication::setApplicationName(QStringLiteral("Quillmont3.07"));
}

TfmMain::TfmMain(const QString &programFolder, QWidget *parent)
    : TfmMain(programFolder, std::make_unique<QtDialogs>(), QString(), parent)
{
}

TfmMain::TfmMain(const QString &programFolder, std::unique_ptr<Dialogs> dialogs, const QString &watchFolder,
                 QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("fmMain"));
    setWindowTitle(QStringLiteral("Quillmont 1394"));
    setWindowIcon(QIcon(QStringLiteral(":/quillmont.png")));
    m_dialogs.set(std::move(dialogs));
    m_state.paths.ProgramFolder = QDir::cleanPath(QDir(programFolder).absolutePath()) + QLatin1Char('/');
    // Until the settings file is read the watched folder is the user's pictures folder.
    m_state.paths.WatchFolder =
        watchFolder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::PicturesLocation) : watchFolder;
    m_database = Database::open(m_state.paths.ProgramFolder);
    m_datasets = std::make_unique<Datasets>(m_database->db());
    m_workOrderQuery =
        std::make_unique<WorkOrderListing>(m_workOrder, *m_datasets->qryTitle, *m_datasets->qryMeasure);

    buildStatusBar();
    buildPages();
    buildMenu();
    buildTray();
    buildTimers();
    m_aboutBox = new TfmAboutBox(this);

    FormCreate();
}

TfmMain::~TfmMain()
{
    // The controllers go first, then the controls (which show the pictures and the datasets),
    // then the owners and the connection, as the members are declared.
    resetStationControllers();
    m_gridLayouts.reset();
    m_workOrderExport.reset();
    m_report.reset();
    m_pictureExport.reset();
    m_widthHeight.reset();
    m_circleDetection.reset();
    m_hardness.reset();
    m_statistics.reset();
    m_products.reset();
    m_measurementList.reset();
    m_workOrders.reset();
    m_measuring.reset();
    m_persistence.reset();
    m_pictureFiles.reset();
    m_activeScale.reset();
    m_pictureRefresh.reset();
    m_displayOptions.reset();
    m_labels.reset();
    m_unitScale.reset();
    delete takeCentralWidget();
}

void TfmMain::setDialogs(std::unique_ptr<Dialogs> dialogs)
{
    m_dialogs.set(std::move(dialogs));
}

QString TfmMain::statusText(int panel) const
{
    return m_statusPanels.at(std::size_t(panel))->text();
}

bool TfmMain::trayAvailable() const
{
    return m_tray && QSystemTrayIcon::isSystemTrayAvailable();
}

void TfmMain::buildStatusBar()
{
    auto *status = statusBar();
    status->setObjectName(QStringLiteral("StatusBar1"));
    const int widths[3] = {100, 550, 0};
    for (std::size_t i = 0; i < 3; ++i) {
        auto *panel = new QLabel(status);
        panel->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(i));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        if (widths[i] > 0)
            panel->setFixedWidth(widths[i]);
        status->addWidget(panel, widths[i] > 0 ? 0 : 1);
        m_statusPanels[i] = panel;
    }
    m_statusPanels[0]->setText(QStringLiteral("Ver3.01.00"));
}

void TfmMain::buildPages()
{
    m_pages = named<QTabWidget>(this, "PageControl1");
    setCentralWidget(m_pages);
    const MeasuringPage measuring = buildMeasuringPage(m_pages, this, m_statusPanels);
    const TablePage table = buildTablePage(m_pages);
    const SettingsPage settings = buildSettingsPage(m_pages, this);
    buildTestPage(m_pages);
    m_measurePage = measuring.TabSheet1;
    m_settingsPages = settings.PageControl2;

    // The two picture controls show the picture pair; the scroll content follows the picture's size.
    PictureView *imgView = measuring.measuring.imgView;
    imgView->setPicture(&m_pictures.view());
    measuring.imgTemp->setPainted([this] { return m_pictures.cleanSize(); },
                                  [this](QPainter &painter, const QRect &rect) { m_pictures.paintClean(painter, rect); });
    connect(&m_pictures, &Pictures::viewChanged, imgView, &PictureView::repaintRects);
    connect(&m_pictures, &Pictures::viewReplaced, imgView, &PictureView::pictureReplaced);
    connect(&m_pictures, &Pictures::cleanReplaced, measuring.imgTemp, &PictureView::pictureReplaced);
    connect(imgView, &PictureView::resized, measuring.content,
            [content = measuring.content, imgView] { content->resize(imgView->width() + 4, imgView->height() + 4); });

    connect(measuring.bbtHidden, &QToolButton::clicked, this, &TfmMain::bbtHiddenClick);

    buildControllers(measuring, table, settings);
}

void TfmMain::buildControllers(const MeasuringPage &mp, const TablePage &tp, const SettingsPage &sp)
{
    const Datasets &d = *m_datasets;
    m_unitScale = std::make_unique<UnitScaleController>(d, m_dialogs, sp.unitScale, mp.scaleBox.cbScaleSet,
                                                        mp.scaleBox.cbUnitSet);
    m_labels = std::make_unique<LabelsController>(m_state.selection, m_state.measuring, m_state.scale, m_pictures,
                                                  *d.qryMeasure, *d.qryX, m_dialogs, mp.labels);
    connect(mp.bbtClearLabel, &QPushButton::clicked, m_labels.get(), &LabelsController::bbtClearLabelClick);

    m_displayOptions = std::make_unique<DisplayOptionsController>(m_dialogs, mp.displayOptions);
    m_pictureRefresh = std::make_unique<PictureRefreshController>(m_pictures, m_workOrder, *m_workOrderQuery,
                                                                  m_state.scale, *m_displayOptions, *m_labels,
                                                                  m_database->db(), *d.qryMeasure, *d.qryX, m_dialogs,
                                                                  mp.refresh);
    connect(m_displayOptions.get(), &DisplayOptionsController::redrawRequested, m_pictureRefresh.get(),
            &PictureRefreshController::bbtPictureRefreshClick);

    m_activeScale = std::make_unique<ActiveScaleController>(m_state.scale, m_workOrder, *m_workOrderQuery,
                                                            *m_pictureRefresh, d, m_dialogs, mp.scaleBox, mp.gauge,
                                                            mp.unitCaptions);
    connect(m_unitScale.get(), &UnitScaleController::activeScaleSetReplaced, m_activeScale.get(),
            &ActiveScaleController::cbScaleSetChange);
    connect(m_displayOptions.get(), &DisplayOptionsController::gaugeVisibilityChosen, m_activeScale.get(),
            &ActiveScaleController::setGaugeVisible);
    m_displayOptions->cbDisplayScaleGaugeClick();

    m_pictureFiles = std::make_unique<PictureFilesController>(m_pictures, m_state.paths, m_dialogs, sp.pictureFile);
    connect(mp.sbLoad, &QToolButton::clicked, m_pictureFiles.get(), &PictureFilesController::mmLoad1Click);
    m_persistence = std::make_unique<MeasurementPersistence>(*m_labels, *m_workOrderQuery, m_workOrder, *d.qryMeasure,
                                                             *d.qryX, *d.qryY, mp.persistence);
    m_measuring = std::make_unique<MeasuringController>(m_state.measuring, m_state.scale, m_workOrder, m_part,
                                                        m_pictures, *m_persistence, m_dialogs, mp.measuring);
    connect(m_labels.get(), &LabelsController::picked, m_measuring.get(), &MeasuringController::labelPicked);
    connect(m_measuring.get(), &MeasuringController::labelColourRequested, m_labels.get(),
            &LabelsController::autoLabelColour);
    connect(mp.ToolBar4, &QToolBar::actionTriggered, m_measuring.get(),
            [measuring = m_measuring.get()](QAction *action) { measuring->tbWidthClick(action->property("tag").toInt()); });

    WorkOrderWidgets orders = mp.workOrders;
    orders.maintenance = tp.workOrders.fields;
    orders.BitBtn16 = tp.workOrders.BitBtn16;
    orders.DBGrid2 = tp.workOrders.DBGrid2;
    orders.DBNavigator1 = tp.workOrders.DBNavigator1;
    orders.lbFileName = sp.lbFileName;
    m_workOrders = std::make_unique<WorkOrdersController>(m_workOrder, *m_workOrderQuery, *m_activeScale,
                                                          *m_pictureFiles, m_pictures, *m_pictureRefresh,
                                                          m_state.paths, d, m_dialogs, orders);
    MeasurementListWidgets list = mp.measurementList;
    list.dbgRecDetail = tp.workOrders.dbgRecDetail;
    list.DBNavigator2 = tp.workOrders.DBNavigator2;
    list.bbtClearAll = tp.workOrders.bbtClearAll;
    m_measurementList = std::make_unique<MeasurementListController>(*m_workOrderQuery, *m_activeScale, m_state.scale,
                                                                    *m_pictureRefresh, *m_displayOptions, d, m_dialogs,
                                                                    list);

    m_products = std::make_unique<ProductsController>(m_part, d, m_dialogs, mp.products, tp.products);
    m_statistics = std::make_unique<StatisticsController>(m_state.selection, *m_labels, *m_pictureRefresh, m_dialogs,
                                                          mp.statistics);
    connect(m_labels.get(), &LabelsController::selectionChanged, m_statistics.get(),
            &StatisticsController::selectionChanged);

    HardnessWidgets hardness = mp.hardness;
    hardness.window = this;
    m_hardness = std::make_unique<HardnessController>(*m_measuring, m_dialogs, hardness);
    m_circleDetection = std::make_unique<CircleDetectionController>(m_state.scale, m_pictures, *m_measuring,
                                                                    *m_hardness, m_dialogs, hardness);
    connect(m_pictureFiles.get(), &PictureFilesController::pictureOpened, m_circleDetection.get(),
            &CircleDetectionController::pictureOpened);
    m_widthHeight = std::make_unique<WidthHeightController>(m_state.scale, m_pictures, *m_hardness, m_dialogs, hardness);
    buildOutputs(mp, sp);
    buildGridLayouts();
    buildStationControllers(mp, sp);
}

void TfmMain::buildGridLayouts()
{
    // Attached in the order they are restored at start-up.
    m_gridLayouts = std::make_unique<GridLayoutFiles>(m_state.paths, m_dialogs, this);
    for (const char *grid : {"DBGrid5", "dbgMeasure", "DBGrid2", "DBGrid3", "DBGrid4", "dbgRecDetail", "dbgUnitSet",
                             "dbgScaleSet"})
        m_gridLayouts->attach(QString::fromLatin1(grid), QString::fromLatin1(grid) + QStringLiteral(".pos"));
}

void TfmMain::openPicture(const QString &fileName)
{
    guarded(m_dialogs, this, [&] { m_pictureFiles->openPicture(fileName); });
}

void TfmMain::buildTimers()
{
    m_Timer1 = new QTimer(this);
    m_Timer1->setObjectName(QStringLiteral("Timer1"));
    m_Timer1->setSingleShot(true);
    m_Timer1->setInterval(2000);
    connect(m_Timer1, &QTimer::timeout, this, &TfmMain::Timer1Timer);

    m_hideDelay = new QTimer(this);
    m_hideDelay->setObjectName(QStringLiteral("Timer1Hide"));
    m_hideDelay->setSingleShot(true);
    m_hideDelay->setInterval(500);
    connect(m_hideDelay, &QTimer::timeout, this, &TfmMain::hideToTray);
}

void TfmMain::FormCreate()
{
    setGeometry(0, 0, 1024, 768);
    setProperty("tag", 0);
    m_pages->setCurrentWidget(m_pages->findChild<QWidget *>(QStringLiteral("TabSheet2")));
    m_settingsPages->setCurrentWidget(m_settingsPages->findChild<QWidget *>(QStringLiteral("tsCapture")));
    // The label selection starts empty. The first kind is chosen, as its frame shows; the status bar
    // keeps the working folder.
    m_measuring->selectKind(0);
    m_statusPanels[1]->setText(QDir::currentPath());
    m_statusPanels[2]->clear();
    // A watched folder that cannot be made, or a file that cannot be read, ends the creation here
    // as a missing folder does below; the window still opens.
    if (!guarded(m_dialogs, this, [this] { m_settingsFile->readSettings(false); }))
        return;

    // The unit and scale lists are filled before anything is measured.
    guarded(m_dialogs, this, [this] {
        for (Dataset *list : {m_datasets->qryUnitSet.get(), m_datasets->qryScaleSet.get()}) {
            list->close();
            list->open();
        }
    });
    // The product lists are filled once; the product grid then fills the part grid and lists.
    guarded(m_dialogs, this, [this] {
        m_products->fillProductLists();
        m_products->openProductGrid();
    });
    // The work orders are listed and the first one selected; the scale selection reopens the list
    // on it again. As one batch, the picture of the work order they end on is read once, at the end.
    // The measurement list is read by the work order query, never for every stored measurement.
    bool folderReady = false;
    guarded(m_dialogs, this, [&] {
        m_workOrderQuery->batch([&] {
            guarded(m_dialogs, this, [this] {
                m_datasets->qryTitle->close();
                m_datasets->qryTitle->open();
            });
            // Without its watched folder the rest of the creation is skipped; the window still opens.
            folderReady = guarded(m_dialogs, this, [this] { ensureWatchFolder(); });
            if (!folderReady)
                return;
            QDir::setCurrent(m_state.paths.ProgramFolder);
            // A damaged layout file is reported and its grid keeps its columns; the start goes on.
            guarded(m_dialogs, this, [this] { m_gridLayouts->restoreAll(); });
            guarded(m_dialogs, this, [this] { m_activeScale->chooseScaleSet(); });
        });
    });
    if (!folderReady)
        return;
    m_hardness->leaveOffAtStart();
    m_displayOptions->collapseSidePanel();
    m_Timer1->start();
}

void TfmMain::ensureWatchFolder()
{
    const QString &folder = m_state.paths.WatchFolder;
    if (!QDir(folder).exists() && !QDir().mkpath(folder))
        throw ProgramError(QStringLiteral("Cannot create ") + folder);
}

void TfmMain::Timer1Timer()
{
    guarded(m_dialogs, this, [this] {
        m_Timer1->stop();
        m_folderWatch->startUpStep();
        m_pages->setCurrentWidget(m_measurePage);
        // A short pause lets the measuring page paint before the window goes to the tray.
        m_hideDelay->start();
    });
}

void TfmMain::hideToTray()
{
    // Without a notification area the operator would have no way back to a hidden window.
    if (trayAvailable())
        hide();
}

void TfmMain::bbtHiddenClick()
{
    guarded(m_dialogs, this, [this] {
        if (trayAvailable())
            hide();
        else
            showMinimized();
    });
}

void TfmMain::TrayIcon1Restore()
{
    guarded(m_dialogs, this, [this] {
        FormShow();
        showNormal();
        raise();
        activateWindow();
    });
}

void TfmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    FormShow();
}

void TfmMain::hideEvent(QHideEvent *event)
{
    QMainWindow::hideEvent(event);
    FormHide();
}

void TfmMain::FormShow()
{
    // The folder watch runs only while the window is hidden.
    if (m_folderWatch)
        m_folderWatch->windowShown();
}

void TfmMain::FormHide()
{
    if (QWidget *zoom = findChild<QWidget *>(QStringLiteral("fmZoom")))
        zoom->close();
    if (m_folderWatch)
        m_folderWatch->windowHidden();
}

void TfmMain::buildTray()
{
    m_tray = new QSystemTrayIcon(QIcon(QStringLiteral(":/quillmont.png")), this);
    m_tray->setObjectName(QStringLiteral("TrayIcon1"));
    m_tray->setToolTip(QStringLiteral("Quillmont3.07"));
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick)
            TrayIcon1Restore();
    });
    if (QSystemTrayIcon::isSystemTrayAvailable())
        m_tray->show();
}

void TfmMain::Exit1Click()
{
    guarded(m_dialogs, this, [this] {
        if (m_dialogs.confirm(this, QStringLiteral("確定要結束量測程式嗎？"), QStringLiteral("確認"),
                              Dialogs::Icon::Question))
            close();
    });
}

void TfmMain::PrintSetup1Click()
{
    m_report->PrintSetup1Click();
}

void TfmMain::N8Click()
{
    guarded(m_dialogs, this, [this] {
        if (findChild<TfmHelp *>(QStringLiteral("fmHelp")))
            return;
        auto *help = new TfmHelp(this);
        help->show();
        help->setWindowState(Qt::WindowNoState);
    });
}

void TfmMain::N11Click()
{
    guarded(m_dialogs, this, [this] { m_dialogs.exec(*m_aboutBox); });
}
