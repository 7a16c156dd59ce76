// The pages of the main window besides the measuring page.
#include "app/pages.h"

#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/pagehelpers.h"
#include "base/settings.h"

TablePage buildTablePage(QTabWidget *pages)
{
    TablePage p;
    QWidget *page = addPage(pages, "TabSheet8", QStringLiteral("表格資料維護"));
    auto *layout = new QVBoxLayout(page);
    p.products = buildProductGrids(page, layout);
    p.workOrders = buildWorkOrderTables(page, layout);
    return p;
}

SettingsPage buildSettingsPage(QTabWidget *pages, QMainWindow *window)
{
    SettingsPage p;
    QWidget *settings = addPage(pages, "TabSheet2", QStringLiteral("系統參數"));
    auto *settingsLayout = new QVBoxLayout(settings);
    p.PageControl2 = named<QTabWidget>(settings, "PageControl2");
    settingsLayout->addWidget(p.PageControl2);

    QWidget *scalePage = addScrolledPage(p.PageControl2, "tsScale", QStringLiteral("倍率設定"));
    auto *scalePageLayout = new QVBoxLayout(scalePage);
    auto *unitScaleHost = named<QWidget>(scalePage, "plUnitScale");
    p.unitScale = buildUnitScalePanels(unitScaleHost);
    scalePageLayout->addWidget(unitScaleHost, 1);

    auto *pictureFileBox = named<QGroupBox>(scalePage, "gbPictureFile", QStringLiteral("圖檔"));
    auto *form = new QFormLayout(pictureFileBox);
    scalePageLayout->addWidget(pictureFileBox);
    PictureFileWidgets &f = p.pictureFile;
    f.window = window;
    f.edImageFile = addField(pictureFileBox, form, "edImageFile", QStringLiteral("圖檔:"));
    f.lbFullFileName = named<QLabel>(pictureFileBox, "lbFullFileName");
    form->addRow(QStringLiteral("完整檔名:"), f.lbFullFileName);
    f.btJPG2BMP = named<QPushButton>(pictureFileBox, "btJPG2BMP", QStringLiteral("JPG->BMP"));
    f.btJPG2BMP->hide();
    f.edJPEGQuality =
        addField(pictureFileBox, form, "edJPEGQuality", QStringLiteral("JPEG Quality(1~100) :"), QStringLiteral("100"));
    f.bbtImg1toImg3 = named<QPushButton>(pictureFileBox, "bbtImg1toImg3", QStringLiteral("儲存"));
    form->addRow(f.bbtImg1toImg3);

    auto *reportBox = named<QGroupBox>(scalePage, "gbReport", QStringLiteral("報表"));
    auto *reportForm = new QFormLayout(reportBox);
    scalePageLayout->addWidget(reportBox);
    p.edPrintTitle = addField(reportBox, reportForm, "edPrintTitle", QStringLiteral("報表標題:"), DefaultCompanyName);

    QWidget *capturePage = addPage(p.PageControl2, "tsCapture", QStringLiteral("影像擷取設定"));
    p.folderWatch = buildCapturePage(capturePage);
    p.lbFileName = buildPictureFileName(capturePage);
    return p;
}

void buildTestPage(QTabWidget *pages)
{
    QWidget *test = addPage(pages, "tsTest", QStringLiteral("測試頁"));
    pages->setTabVisible(pages->indexOf(test), false);
}
