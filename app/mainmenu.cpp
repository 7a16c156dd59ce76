// The main menu: captions, check items and their first marks, hidden items and separators.
#include "app/main.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "acquire/picturefiles.h"
#include "automeasure/circlecontroller.h"
#include "automeasure/hardnesscontroller.h"

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
    addItem(file, "SaveAd1", QStringLiteral("另存新檔"));
    file->addSeparator();
    QAction *printSetup = addItem(file, "PrintSetup1", QStringLiteral("設定印表機"));
    addItem(file, "mmPreview", QStringLiteral("預覽列印"), true, true);
    addItem(file, "Print1", QStringLiteral("列印"));
    file->addSeparator();
    QMenu *excel = addSubMenu(file, "mmExcel", QStringLiteral("Excel"));
    addItem(excel, "mmExcel2", QStringLiteral("匯出Excel"));
    addItem(excel, "CSV1", QStringLiteral("匯出CSV"));
    addItem(excel, "mmOpenExcel", QStringLiteral("開啟EXCEL"), true, true);
    file->addSeparator();
    addItem(file, "mmReadIni", QStringLiteral("讀取INI檔"));
    addItem(file, "mmWiteIni", QStringLiteral("寫入INI檔"));
    file->addSeparator();
    QAction *exit = addItem(file, "Exit1", QStringLiteral("離開"));

    QMenu *mode = addMenu(bar, "mmOperMode", QStringLiteral("作業方式"));
    addItem(mode, "mmVFW1", QStringLiteral("VFW 標準影像輸入介面"), true);
    addItem(mode, "mmAutoDetect", QStringLiteral("自動偵測圖檔"), true);

    QMenu *video = addMenu(bar, "mmVFWFunc", QStringLiteral("影像輸入 設定"));
    video->menuAction()->setEnabled(false);
    addItem(video, "mmCameraActive", QStringLiteral("開啟影像擷取裝置"), true);
    addItem(video, "VideoSource1", QStringLiteral("影像來源"));
    addItem(video, "ImageSize1", QStringLiteral("影像大小"));
    video->addSeparator();
    QMenu *zoom = addSubMenu(video, "mmDigitalZoom", QStringLiteral("Digital Zoom"));
    addItem(zoom, "mm1x1", QStringLiteral("1 x 1"), true, true);
    addItem(zoom, "mm2x2", QStringLiteral("2 x 2"), true);

    QMenu *advanced = addMenu(bar, "mmAdvanced", QStringLiteral("進階功能"));
    QAction *help = addItem(advanced, "N8", QStringLiteral("線上求助"));
    help->setVisible(false);
    addItem(advanced, "CCD1", QStringLiteral("CCD比例設定"), true);

    QMenu *automatic = addMenu(bar, "mmAutoMeasure", QStringLiteral("自動量測功能"));
    addItem(automatic, "mmLine", QStringLiteral("直線"), true);
    m_circleDetection->attachMenu(addItem(automatic, "mmCircle", QStringLiteral("圓"), true));
    m_hardness->attachMenu(addItem(automatic, "mmHardness", QStringLiteral("硬度計算"), true));

    QMenu *done = addMenu(bar, "mmFinish", QStringLiteral("量測完成"));
    QAction *hide = addItem(done, "mmHide", QStringLiteral("隱藏程式"));
    QAction *quit = addItem(done, "mmExit", QStringLiteral("結束程式"));

    QMenu *info = addMenu(bar, "mmInfo", QStringLiteral("資訊"));
    QAction *about = addItem(info, "N11", QStringLiteral("關於"));

    connect(load, &QAction::triggered, m_pictureFiles.get(), &PictureFilesController::mmLoad1Click);
    connect(printSetup, &QAction::triggered, this, &TfmMain::PrintSetup1Click);
    connect(exit, &QAction::triggered, this, &TfmMain::Exit1Click);
    connect(quit, &QAction::triggered, this, &TfmMain::Exit1Click);
    connect(hide, &QAction::triggered, this, &TfmMain::bbtHiddenClick);
    connect(help, &QAction::triggered, this, &TfmMain::N8Click);
    connect(about, &QAction::triggered, this, &TfmMain::N11Click);
}
