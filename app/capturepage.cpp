// The capture controls of the measuring page and the page "影像擷取設定".
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "acquire/capturedevice.h"
#include "app/pagehelpers.h"
#include "app/pages.h"
#include "ui/pictureview.h"
#include "ui/widgets.h"

namespace {

QAction *menuItem(QObject *owner, const char *name, const QString &caption, bool checkable = false,
                  bool checked = false)
{
    auto *action = new QAction(caption, owner);
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(checkable);
    action->setChecked(checked);
    return action;
}

QToolButton *toolButton(QWidget *bar, const char *name, const QString &caption, const QString &hint)
{
    auto *button = named<QToolButton>(bar, name);
    button->setText(caption);
    button->setToolTip(hint);
    return button;
}

// "作業方式" items and the menu "影像輸入 設定", made here so their controller has them; the main
// menu puts them in their places.
void buildCaptureMenu(CaptureWidgets &w, QMainWindow *window)
{
    w.mmVFW1 = menuItem(window, "mmVFW1", QStringLiteral("VFW 標準影像輸入介面"), true);
    w.mmAutoDetect = menuItem(window, "mmAutoDetect", QStringLiteral("自動偵測圖檔"), true);
    w.mmVFWFunc = new QMenu(QStringLiteral("影像輸入 設定"), window);
    w.mmVFWFunc->setObjectName(QStringLiteral("mmVFWFunc"));
    w.mmVFWFunc->menuAction()->setObjectName(QStringLiteral("mmVFWFunc"));
    w.mmVFWFunc->menuAction()->setEnabled(false);
    w.mmCameraActive = menuItem(w.mmVFWFunc, "mmCameraActive", QStringLiteral("開啟影像擷取裝置"), true);
    w.VideoSource1 = menuItem(w.mmVFWFunc, "VideoSource1", QStringLiteral("影像來源"));
    w.ImageSize1 = menuItem(w.mmVFWFunc, "ImageSize1", QStringLiteral("影像大小"));
    w.mmVFWFunc->addActions({w.mmCameraActive, w.VideoSource1, w.ImageSize1});
    w.mmVFWFunc->addSeparator();
    w.mmDigitalZoom = w.mmVFWFunc->addMenu(QStringLiteral("Digital Zoom"));
    w.mmDigitalZoom->setObjectName(QStringLiteral("mmDigitalZoom"));
    w.mmDigitalZoom->menuAction()->setObjectName(QStringLiteral("mmDigitalZoom"));
    w.mmDigitalZoom->setProperty("tag", 0);
    w.mm1x1 = menuItem(w.mmDigitalZoom, "mm1x1", QStringLiteral("1 x 1"), true, true);
    w.mm2x2 = menuItem(w.mmDigitalZoom, "mm2x2", QStringLiteral("2 x 2"), true);
    w.mmDigitalZoom->addActions({w.mm1x1, w.mm2x2});
}

}  // namespace

void buildCaptureControls(MeasuringPage &p, QMainWindow *window, QLabel *statusPanel)
{
    StationControls &s = p.station;
    CaptureWidgets &w = s.capture;
    w.window = window;
    buildCaptureMenu(w, window);

    // The capture buttons follow the open button; the magnifier stands before the hide button.
    auto *top = p.TabSheet1->findChild<QWidget *>(QStringLiteral("plTop"));
    QHBoxLayout *actions = topBarRowOf(p.sbLoad);
    int at = actions->indexOf(p.sbLoad) + 1;
    w.sbLifeCap = toolButton(top, "sbLifeCap", QStringLiteral("即時"), QStringLiteral("即時影像"));
    w.sbCapture = toolButton(top, "sbCapture", QStringLiteral("擷取"), QStringLiteral("擷取影像"));
    actions->insertWidget(at++, w.sbLifeCap);
    actions->insertWidget(at, w.sbCapture);
    s.magnifier.window = window;
    s.magnifier.bbtShowZoom = toolButton(top, "bbtShowZoom", QStringLiteral("放大鏡"), QStringLiteral("放大鏡"));
    QHBoxLayout *options = topBarRowOf(p.bbtHidden);
    options->insertWidget(options->indexOf(p.bbtHidden), s.magnifier.bbtShowZoom);

    // The preview host lies over the picture at the content's origin; the camera's window sits in it.
    w.TreeView1 = named<QWidget>(p.content, "TreeView1");
    w.TreeView1->setGeometry(0, 0, CaptureDevice::WindowWidth + 4, CaptureDevice::WindowHeight + 4);
    w.TreeView1->setAutoFillBackground(true);
    w.TreeView1->hide();
    w.imgView = p.measuring.imgView;
    w.cbCross = p.TabSheet1->findChild<QCheckBox *>(QStringLiteral("cbCross"));
    w.statusPanel = statusPanel;
}

FolderWatchWidgets buildCapturePage(QWidget *page)
{
    FolderWatchWidgets w;
    auto *layout = new QVBoxLayout(page);
    auto *row = new QHBoxLayout;
    layout->addLayout(row, 1);

    auto *folderBox = named<QGroupBox>(page, "gbWatchFolder", QStringLiteral("圖檔資料夾"));
    auto *folderLayout = new QVBoxLayout(folderBox);
    w.DriveComboBox1 = named<QComboBox>(folderBox, "DriveComboBox1");
    folderLayout->addWidget(w.DriveComboBox1);
    w.DirectoryListBox1 = named<QTreeView>(folderBox, "DirectoryListBox1");
    w.DirectoryListBox1->setMinimumWidth(280);
    folderLayout->addWidget(w.DirectoryListBox1, 1);
    w.FilterComboBox1 = named<QComboBox>(folderBox, "FilterComboBox1");
    w.FilterComboBox1->hide();
    row->addWidget(folderBox, 2);

    auto *fileBox = named<QGroupBox>(page, "gbFileList", QStringLiteral("圖檔"));
    auto *fileLayout = new QVBoxLayout(fileBox);
    w.FileListBox1 = named<QListWidget>(fileBox, "FileListBox1");
    fileLayout->addWidget(w.FileListBox1, 1);
    auto *fileButtons = new QHBoxLayout;
    w.BitBtn6 = named<QPushButton>(fileBox, "BitBtn6", QStringLiteral("刪除"));
    // "尋找" has no reaction of its own, like a change of the file list.
    auto *find = named<QPushButton>(fileBox, "BitBtn7", QStringLiteral("尋找"));
    fileButtons->addWidget(w.BitBtn6);
    fileButtons->addWidget(find);
    fileButtons->addStretch(1);
    fileLayout->addLayout(fileButtons);
    row->addWidget(fileBox, 1);

    auto *knownBox = named<QGroupBox>(page, "gbKnownFiles", QStringLiteral("已讀取圖檔"));
    auto *knownLayout = new QVBoxLayout(knownBox);
    w.ListBox1 = named<QListWidget>(knownBox, "ListBox1");
    knownLayout->addWidget(w.ListBox1, 1);
    w.bbtDelete = named<QPushButton>(knownBox, "bbtDelete", QStringLiteral("Delete"));
    knownLayout->addWidget(w.bbtDelete);
    row->addWidget(knownBox, 1);

    auto *lagRow = new QHBoxLayout;
    lagRow->addWidget(new QLabel(QStringLiteral("延遲讀檔(1~10,000ms)："), page));
    w.edSaveLag = named<QLineEdit>(page, "edSaveLag", QStringLiteral("1000"));
    // Only whole milliseconds can be typed; a text set otherwise is still checked when it is used.
    w.edSaveLag->setValidator(new QIntValidator(0, 10000, w.edSaveLag));
    w.edSaveLag->setFixedWidth(80);
    lagRow->addWidget(w.edSaveLag);
    w.lbTest1 = named<QLabel>(page, "lbTest1");
    lagRow->addWidget(w.lbTest1);
    lagRow->addStretch(1);
    layout->addLayout(lagRow);
    return w;
}
