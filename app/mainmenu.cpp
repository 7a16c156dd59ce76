// The main menu: captions, check items and their first marks, hidden items and separators.
#include "app/main.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "acquire/picturefiles.h"
#include "app/settingsfile.h"
#include "automeasure/circlecontroller.h"
#include "automeasure/hardnesscontroller.h"
#include "display/pictureexport.h"
#include "output/reportcontroller.h"
#include "output/workorderexport.h"

namespace {

QMenu *addMenu(QMenuBar *bar, const char *name, const QString &caption)
{
    QMenu *menu = bar->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

QMenu *addSubMenu(QMenu *parent, const char *name, const QString &caption)
{
    QMenu *menu = parent->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

QAction *addItem(QMenu *menu, const char *name, const QString &caption, bool checkable = false, bool checked = false)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(checkable);
    action->setChecked(checked);
    return action;
}

}  // namespace

void TfmMain::buildMenu()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu *file = addMenu(bar, "mmFile", QStringLiteral("檔案"));
    addItem(file, "mmNew", QStringLiteral("New"))->setVisible(false);
    QAction *load = addItem(file, "mmLoad1", QStringLiteral("開啟圖擋"));
    addItem(file, "mmSave", QStringLiteral("Save"))->setVisible(false);
    file->addSeparator();
    QAction *saveAs = addItem(file, "SaveAd1", QStringLiteral("另存新檔"));
    file->addSeparator();
    QAction *printSetup = addItem(file, "PrintSetup1", QStringLiteral("設定印表機"));
    m_report->attachPreviewItem(addItem(file, "mmPreview", QStringLiteral("預覽列印"), true, true));
    QAction *print = addItem(file, "Print1", QStringLiteral("列印"));
    QAction *exportPdf = addItem(file, "mmExportPdf", QStringLiteral("匯出PDF"));
    file->addSeparator();
    QMenu *excel = addSubMenu(file, "mmExcel", QStringLiteral("Excel"));
    QAction *exportExcel = addItem(excel, "mmExcel2", QStringLiteral("匯出Excel"));
    QAction *exportCsv = addItem(excel, "CSV1", QStringLiteral("匯出CSV"));
    m_workOrderExport->attachOpenItem(addItem(excel, "mmOpenExcel", QStringLiteral("開啟EXCEL"), true, true));
    file->addSeparator();
    QAction *readIni = addItem(file, "mmReadIni", QStringLiteral("讀取INI檔"));
    QAction *writeIni = addItem(file, "mmWiteIni", QStringLiteral("寫入INI檔"));
    file->addSeparator();
    QAction *exit = addItem(file, "Exit1", QStringLiteral("離開"));

    // The capture and pixel-ratio items are made with the controls their controllers take.
    QMenu *mode = addMenu(bar, "mmOperMode", QStringLiteral("作業方式"));
    mode->addAction(findChild<QAction *>(QStringLiteral("mmVFW1")));
    mode->addAction(findChild<QAction *>(QStringLiteral("mmAutoDetect")));
    bar->addMenu(findChild<QMenu *>(QStringLiteral("mmVFWFunc")));

    QMenu *advanced = addMenu(bar, "mmAdvanced", QStringLiteral("進階功能"));
    QAction *help = addItem(advanced, "N8", QStringLiteral("線上求助"));
    help->setVisible(false);
    advanced->addAction(findChild<QAction *>(QStringLiteral("CCD1")));

    QMenu *automatic = addMenu(bar, "mmAutoMeasure", QStringLiteral("自動量測功能"));
    addItem(automatic, "mmLine", QStringLiteral("直線"), true);
    m_circleDetection->attachMenu(addItem(automatic, "mmCircle", QStringLiteral("圓"), true));
    QAction *hardness = addItem(automatic, "mmHardness", QStringLiteral("硬度計算"), true);
    m_hardness->attachMenu(hardness);
    m_settingsFile->attachMenu(readIni, writeIni, hardness);

    QMenu *done = addMenu(bar, "mmFinish", QStringLiteral("量測完成"));
    QAction *hide = addItem(done, "mmHide", QStringLiteral("隱藏程式"));
    QAction *quit = addItem(done, "mmExit", QStringLiteral("結束程式"));

    QMenu *info = addMenu(bar, "mmInfo", QStringLiteral("資訊"));
    QAction *about = addItem(info, "N11", QStringLiteral("關於"));

    connect(load, &QAction::triggered, m_pictureFiles.get(), &PictureFilesController::mmLoad1Click);
    connect(saveAs, &QAction::triggered, m_pictureExport.get(), &PictureExportController::SaveAd1Click);
    connect(printSetup, &QAction::triggered, this, &TfmMain::PrintSetup1Click);
    connect(print, &QAction::triggered, m_report.get(), &ReportController::Print1Click);
    connect(exportPdf, &QAction::triggered, m_report.get(), &ReportController::mmExportPdfClick);
    connect(exportExcel, &QAction::triggered, m_workOrderExport.get(), &WorkOrderExportController::mmExcel2Click);
    connect(exportCsv, &QAction::triggered, m_workOrderExport.get(), &WorkOrderExportController::CSV1Click);
    connect(exit, &QAction::triggered, this, &TfmMain::Exit1Click);
    connect(quit, &QAction::triggered, this, &TfmMain::Exit1Click);
    connect(hide, &QAction::triggered, this, &TfmMain::bbtHiddenClick);
    connect(help, &QAction::triggered, this, &TfmMain::N8Click);
    connect(about, &QAction::triggered, this, &TfmMain::N11Click);
}
