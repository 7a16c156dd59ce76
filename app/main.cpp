#include "app/main.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTimer>

#include "acquire/picturefiles.h"
#include "app/aboutbox.h"
#include "app/help.h"
#include "measure/labels.h"
#include "measure/measuring.h"
#include "measure/persistence.h"
#include "calibration/activescale.h"
#include "records/database.h"
#include "records/dataset.h"

TfmMain::TfmMain(const QString &programFolder, QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("fmMain"));
    setWindowTitle(QStringLiteral("Quillmont 1394"));
    setWindowIcon(QIcon(QStringLiteral(":/quillmont.png")));
    m_state.ProgramFolder = QDir::cleanPath(QDir(programFolder).absolutePath()) + QLatin1Char('/');
    m_database = Database::open(m_state.ProgramFolder);
    m_datasets = createDatasets(m_database->db(), this);

    auto *status = statusBar();
    status->setObjectName(QStringLiteral("StatusBar1"));
    const int widths[3] = {100, 550, 0};
    for (int i = 0; i < 3; ++i) {
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

    buildPages();
    buildRecords();
    buildCalibration();
    buildMenu();
    buildTray();

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

    m_aboutBox = new TfmAboutBox(this);

    FormCreate();
}

TfmMain::~TfmMain()
{
    // The datasets go before the connection they use.
    for (Dataset *d : {m_datasets.qryUnitSet, m_datasets.qryScaleSet, m_datasets.qryTitle, m_datasets.qryMeasure,
                       m_datasets.qryProductData, m_datasets.qryPrdOBJ, m_datasets.qryX, m_datasets.qryY})
        delete d;
}

void TfmMain::setDialogs(std::unique_ptr<Dialogs> dialogs)
{
    m_dialogs.set(std::move(dialogs));
}

QString TfmMain::statusText(int panel) const
{
    return m_statusPanels.at(panel)->text();
}

bool TfmMain::trayAvailable() const
{
    return m_tray && QSystemTrayIcon::isSystemTrayAvailable();
}

void TfmMain::FormCreate()
{
    setGeometry(0, 0, 1024, 768);
    setProperty("tag", 0);
    m_pages->setCurrentWidget(m_pages->findChild<QWidget *>(QStringLiteral("TabSheet2")));
    m_settingsPages->setCurrentWidget(m_settingsPages->findChild<QWidget *>(QStringLiteral("tsCapture")));
    m_state.LabelSelected.fill(0);
    m_state.LabelSelectedValue.fill(0);
    m_state.SelectedCount = 0;
    // The first kind is chosen, as its frame shows; the status bar keeps the working folder.
    m_measuring->selectKind(0);
    m_statusPanels[1]->setText(QDir::currentPath());
    m_statusPanels[2]->clear();

    // Until the settings file is read the watched folder is the user's pictures folder.
    if (m_state.WatchFolder.isEmpty())
        m_state.WatchFolder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    // The unit and scale lists are filled before anything is measured.
    try {
        m_datasets.qryUnitSet->close();
        m_datasets.qryUnitSet->open();
        m_datasets.qryScaleSet->close();
        m_datasets.qryScaleSet->open();
    } catch (const DatabaseError &e) {
        m_dialogs.error(this, e.message());
    }
    // Without its watched folder the rest of the creation is skipped; the window still opens.
    if (!ensureWatchFolder())
        return;
    QDir::setCurrent(m_state.ProgramFolder);
    try {
        m_activeScale->selectActiveScale();
    } catch (const DatabaseError &e) {
        m_dialogs.error(this, e.message());
    }
    m_Panel3->setFixedWidth(16);
    m_Panel85->setProperty("tag", 1);
    m_Panel85->setText(QStringLiteral("<"));
    m_Timer1->start();
}

bool TfmMain::ensureWatchFolder()
{
    if (QDir(m_state.WatchFolder).exists() || QDir().mkpath(m_state.WatchFolder))
        return true;
    m_dialogs.error(this, QStringLiteral("Cannot create ") + m_state.WatchFolder);
    return false;
}

void TfmMain::Timer1Timer()
{
    m_Timer1->stop();
    m_pages->setCurrentWidget(m_measurePage);
    // A short pause lets the measuring page paint before the window goes to the tray.
    m_hideDelay->start();
}

void TfmMain::hideToTray()
{
    // Without a notification area the operator would have no way back to a hidden window.
    if (trayAvailable())
        hide();
}

void TfmMain::bbtHiddenClick()
{
    if (trayAvailable())
        hide();
    else
        showMinimized();
}

void TfmMain::TrayIcon1Restore()
{
    FormShow();
    showNormal();
    raise();
    activateWindow();
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
    // The folder watch runs only while the window is hidden; it arrives with its own controller.
}

void TfmMain::FormHide()
{
    if (QWidget *zoom = findChild<QWidget *>(QStringLiteral("fmZoom")))
        zoom->close();
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
    if (m_dialogs.confirm(this, QStringLiteral("確定要結束量測程式嗎？"), QStringLiteral("確認"), Dialogs::Icon::Question))
        close();
}

void TfmMain::PrintSetup1Click()
{
    m_dialogs.printerSetup(this);
}

void TfmMain::N8Click()
{
    if (findChild<TfmHelp *>(QStringLiteral("fmHelp")))
        return;
    auto *help = new TfmHelp(this);
    help->show();
    help->setWindowState(Qt::WindowNoState);
}

void TfmMain::N11Click()
{
    m_dialogs.exec(*m_aboutBox);
}

void TfmMain::Panel85Click()
{
    static constexpr int widths[] = {16, 280, 320, 384};
    const int tag = m_Panel85->property("tag").toInt();
    if (tag < 0 || tag > 3)
        return;
    m_Panel3->setFixedWidth(widths[tag]);
    m_Panel85->setText(tag == 0 ? QStringLiteral("<") : QStringLiteral(">"));
    m_Panel85->setProperty("tag", tag == 0 ? 1 : 0);
}

void TfmMain::Panel89Click()
{
    m_Panel85->setProperty("tag", 2);
    Panel85Click();
}

void TfmMain::Panel90Click()
{
    m_Panel85->setProperty("tag", 3);
    Panel85Click();
}
