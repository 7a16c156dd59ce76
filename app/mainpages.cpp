// The pages of the main window and the controls the reactions use.
#include "app/main.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "acquire/picturefiles.h"
#include "app/widgets.h"
#include "display/pictureview.h"
#include "display/shape.h"
#include "measure/measuring.h"

namespace {

QWidget *page(QTabWidget *tabs, const char *name, const QString &caption)
{
    auto *w = new QWidget;
    w->setObjectName(QString::fromLatin1(name));
    tabs->addTab(w, caption);
    return w;
}

QLineEdit *field(QWidget *parent, QFormLayout *form, const char *name, const QString &caption,
                 const QString &text = QString())
{
    auto *edit = named<QLineEdit>(parent, name, text);
    form->addRow(caption, edit);
    return edit;
}

QPushButton *strip(QWidget *parent, const char *name, const QString &caption)
{
    auto *button = named<QPushButton>(parent, name, caption);
    button->setFixedSize(14, 40);
    button->setFlat(true);
    QFont small = button->font();
    small.setPixelSize(8);
    button->setFont(small);
    return button;
}

}  // namespace

void TfmMain::buildPages()
{
    m_pages = named<QTabWidget>(this, "PageControl1");
    setCentralWidget(m_pages);

    // The measuring page.
    m_measurePage = page(m_pages, "TabSheet1", QStringLiteral("量測功能"));
    auto *measureLayout = new QVBoxLayout(m_measurePage);
    measureLayout->setContentsMargins(2, 2, 2, 2);
    measureLayout->setSpacing(2);

    auto *top = named<QWidget>(m_measurePage, "plTop");
    auto *topLayout = new QHBoxLayout(top);
    topLayout->setContentsMargins(4, 4, 4, 4);
    topLayout->setSpacing(6);
    auto *loadButton = named<QToolButton>(top, "sbLoad");
    loadButton->setText(QStringLiteral("開啟"));
    loadButton->setToolTip(QStringLiteral("開啟圖擋"));
    topLayout->addWidget(loadButton);

    MeasuringWidgets mw;
    mw.window = this;
    mw.TabSheet1 = m_measurePage;
    for (int kind = 0; kind < KindCount; ++kind) {
        auto *button = new QToolButton(top);
        button->setObjectName(QStringLiteral("bbtMeasure%1").arg(kind));
        button->setText(kindButtonCaption(kindFromIndex(kind)));
        button->setToolTip(KindDescriptions().at(kind));
        button->setProperty("tag", kind);
        button->setMinimumWidth(52);
        topLayout->addWidget(button);
        mw.MeasureButtons[kind] = button;
    }
    auto *refresh = named<QToolButton>(top, "bbtPictureRefresh");
    refresh->setText(QStringLiteral("畫面重整"));
    topLayout->addWidget(refresh);
    topLayout->addSpacing(8);
    for (auto [name, caption, checked] : {std::tuple{"cbCross", "十字標", true}, {"CheckBox1", "小紅點", true},
                                          {"cbDisplayScaleGauge", "比例尺", true}, {"cbPhotoHide", "隱藏相片", false}}) {
        auto *box = named<QCheckBox>(top, name, QString::fromUtf8(caption));
        box->setChecked(checked);
        topLayout->addWidget(box);
    }
    topLayout->addStretch(1);
    auto *hidden = named<QToolButton>(top, "bbtHidden");
    hidden->setText(QStringLiteral("隱藏主程式"));
    topLayout->addWidget(hidden);
    mw.Shape1 = named<Shape>(top, "Shape1");
    mw.Shape1->setPen(Qt::red, 3);
    mw.Shape1->setAttribute(Qt::WA_TransparentForMouseEvents);
    mw.Shape1->hide();
    measureLayout->addWidget(top);

    // The hidden second tool bar selects a kind without resetting the points.
    auto *toolBar4 = named<QToolBar>(m_measurePage, "ToolBar4");
    for (int kind = 0; kind < KindCount; ++kind) {
        QAction *action = toolBar4->addAction(kindButtonCaption(kindFromIndex(kind)));
        action->setObjectName(QStringLiteral("tbMeasure%1").arg(kind));
        action->setProperty("tag", kind);
    }
    toolBar4->hide();

    auto *middle = new QWidget(m_measurePage);
    auto *middleLayout = new QHBoxLayout(middle);
    middleLayout->setContentsMargins(0, 0, 0, 0);
    middleLayout->setSpacing(2);
    auto *panel2 = named<QWidget>(middle, "Panel2");
    mw.Panel2 = panel2;
    auto *panel2Layout = new QVBoxLayout(panel2);
    panel2Layout->setContentsMargins(0, 0, 0, 0);
    auto *scroll = named<QScrollArea>(panel2, "ScrollBox1");
    scroll->setWidgetResizable(false);
    auto *content = named<QWidget>(nullptr, "ScrollBox1Content");
    scroll->setWidget(content);
    mw.imgView = named<PictureView>(content, "imgView");
    mw.imgView->move(2, 2);
    auto *imgTemp = named<PictureView>(content, "imgTemp");
    imgTemp->hide();
    mw.Shape3 = named<Shape>(content, "Shape3");
    mw.Shape3->setPen(QColor(255, 0, 255), 1);
    mw.Shape3->setAttribute(Qt::WA_TransparentForMouseEvents);
    mw.Shape3->hide();
    panel2Layout->addWidget(scroll);
    middleLayout->addWidget(panel2, 1);
    content->resize(644, 484);

    m_Panel3 = named<QWidget>(middle, "Panel3");
    auto *panel3Layout = new QHBoxLayout(m_Panel3);
    panel3Layout->setContentsMargins(0, 0, 0, 0);
    panel3Layout->setSpacing(0);
    auto *panel88 = named<QWidget>(m_Panel3, "Panel88");
    panel88->setFixedWidth(16);
    auto *stripLayout = new QVBoxLayout(panel88);
    stripLayout->setContentsMargins(1, 1, 1, 1);
    m_Panel85 = strip(panel88, "Panel85", QStringLiteral("<"));
    m_Panel85->setProperty("tag", 1);
    stripLayout->addWidget(m_Panel85);
    QPushButton *panel89 = strip(panel88, "Panel89", QStringLiteral("("));
    QPushButton *panel90 = strip(panel88, "Panel90", QStringLiteral("<<<-"));
    stripLayout->addWidget(panel89);
    stripLayout->addWidget(panel90);
    connect(m_Panel85, &QPushButton::clicked, this, &TfmMain::Panel85Click);
    connect(panel89, &QPushButton::clicked, this, &TfmMain::Panel89Click);
    connect(panel90, &QPushButton::clicked, this, &TfmMain::Panel90Click);
    stripLayout->addStretch(1);
    panel3Layout->addWidget(panel88);

    auto *sides = named<QStackedWidget>(m_Panel3, "plPC5");
    auto *plMeasure = named<QWidget>(sides, "plMeasure");
    auto *measureForm = new QFormLayout(plMeasure);
    mw.cbOBJID = named<QComboBox>(plMeasure, "cbOBJID");
    mw.cbOBJID->setEditable(true);
    measureForm->addRow(QStringLiteral("零件編號"), mw.cbOBJID);
    mw.cbOBJName = named<QComboBox>(plMeasure, "cbOBJName");
    mw.cbOBJName->setEditable(true);
    measureForm->addRow(QStringLiteral("零件名稱"), mw.cbOBJName);
    auto *cbNote = named<QCheckBox>(plMeasure, "cbNote", QStringLiteral("說明："));
    m_cbNote = cbNote;
    mw.edNewOBJNote = named<QLineEdit>(plMeasure, "edNewOBJNote");
    measureForm->addRow(cbNote, mw.edNewOBJNote);
    auto *fontRow = named<QWidget>(plMeasure, "Panel20");
    auto *fontLayout = new QHBoxLayout(fontRow);
    fontLayout->setContentsMargins(0, 0, 0, 0);
    mw.Panel19 = named<QLabel>(fontRow, "Panel19", QStringLiteral("字型    自動"));
    QFont labelFont(QStringLiteral("Courier New"), 12);
    mw.Panel19->setFont(labelFont);
    mw.Panel19->setFrameShape(QFrame::Panel);
    fontLayout->addWidget(mw.Panel19, 1);
    m_cbAutoFont = named<QCheckBox>(fontRow, "cbAutoFont");
    fontLayout->addWidget(m_cbAutoFont);
    mw.Shape2 = named<Shape>(fontRow, "Shape2");
    mw.Shape2->setPen(Qt::black, 1);
    mw.Shape2->setBrush(QColor(0, 0, 255), Qt::SolidPattern);
    mw.Shape2->setFixedSize(24, 24);
    fontLayout->addWidget(mw.Shape2);
    measureForm->addRow(fontRow);
    mw.cbMoveLabel = named<QCheckBox>(plMeasure, "cbMoveLabel", QStringLiteral("調整標籤位置"));
    measureForm->addRow(mw.cbMoveLabel);
    m_cbCaculate = named<QCheckBox>(plMeasure, "cbCaculate", QStringLiteral("計算"));
    measureForm->addRow(m_cbCaculate);
    // The scale box "  倍率選擇 :  " is built by the active-scale controller into this host.
    auto *scaleBoxHost = named<QWidget>(plMeasure, "plScaleBox");
    measureForm->addRow(scaleBoxHost);
    auto *lower = named<QTabWidget>(plMeasure, "PageControl3");
    page(lower, "tsOrderQuery", QStringLiteral("工單查詢"));
    page(lower, "tsOrderContent", QStringLiteral("工單內容"));
    page(lower, "tsLabelOptions", QStringLiteral("標籤選項"));
    measureForm->addRow(lower);
    sides->addWidget(plMeasure);

    auto *plHardTest = named<QWidget>(sides, "plHardTest");
    auto *hardForm = new QFormLayout(plHardTest);
    mw.edVideoLineW = field(plHardTest, hardForm, "edVideoLineW", QStringLiteral("寬:"));
    mw.edVideoLineH = field(plHardTest, hardForm, "edVideoLineH", QStringLiteral("高:"));
    mw.Edit7 = field(plHardTest, hardForm, "Edit7", QStringLiteral("Cx:"));
    mw.Edit8 = field(plHardTest, hardForm, "Edit8", QStringLiteral("Cy:"));
    mw.edVideoLineR = field(plHardTest, hardForm, "edVideoLineR", QStringLiteral("R:"));
    sides->addWidget(plHardTest);
    panel3Layout->addWidget(sides, 1);
    middleLayout->addWidget(m_Panel3);
    measureLayout->addWidget(middle, 1);

    auto *bottom = named<QWidget>(m_measurePage, "plReadOut");
    auto *bottomLayout = new QHBoxLayout(bottom);
    bottomLayout->setContentsMargins(4, 2, 4, 2);
    bottomLayout->addWidget(new QLabel(QStringLiteral("工單號碼:"), bottom));
    mw.edWorkSheetID = named<QLineEdit>(bottom, "edWorkSheetID");
    mw.edWorkSheetID->setFixedWidth(140);
    bottomLayout->addWidget(mw.edWorkSheetID);
    bottomLayout->addSpacing(12);
    bottomLayout->addWidget(new QLabel(QStringLiteral("X:"), bottom));
    mw.lbDisplayPosX = named<QLabel>(bottom, "lbDisplayPosX", QStringLiteral("0.000"));
    mw.lbDisplayPosX->setFixedWidth(90);
    mw.lbDisplayPosX->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    bottomLayout->addWidget(mw.lbDisplayPosX);
    m_posUnitX = named<QLabel>(bottom, "lbDisplayUnitX", QStringLiteral("mm"));
    bottomLayout->addWidget(m_posUnitX);
    bottomLayout->addWidget(new QLabel(QStringLiteral("Y:"), bottom));
    mw.lbDisplayPosY = named<QLabel>(bottom, "lbDisplayPosY", QStringLiteral("0.000"));
    mw.lbDisplayPosY->setFixedWidth(90);
    mw.lbDisplayPosY->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    bottomLayout->addWidget(mw.lbDisplayPosY);
    m_posUnitY = named<QLabel>(bottom, "lbDisplayUnitY", QStringLiteral("mm"));
    bottomLayout->addWidget(m_posUnitY);
    auto *guide = named<QLabel>(bottom, "plGuide", QStringLiteral("  操作說明  : "));
    bottomLayout->addWidget(guide, 1);
    bottomLayout->addWidget(named<QWidget>(bottom, "plCaculate"));
    measureLayout->addWidget(bottom);

    mw.edText = named<QLineEdit>(this, "edText");
    mw.edText->hide();
    mw.statusPanels = m_statusPanels;

    // Table maintenance and the settings pages.
    page(m_pages, "TabSheet8", QStringLiteral("表格資料維護"));
    QWidget *settings = page(m_pages, "TabSheet2", QStringLiteral("系統參數"));
    auto *settingsLayout = new QVBoxLayout(settings);
    m_settingsPages = named<QTabWidget>(settings, "PageControl2");
    settingsLayout->addWidget(m_settingsPages);
    QWidget *scalePage = page(m_settingsPages, "tsScale", QStringLiteral("倍率設定"));
    auto *scalePageLayout = new QVBoxLayout(scalePage);
    // The unit and scale-set panels and grids are built by their controller into this host.
    auto *unitScaleHost = named<QWidget>(scalePage, "plUnitScale");
    scalePageLayout->addWidget(unitScaleHost, 1);
    auto *pictureFileBox = named<QGroupBox>(scalePage, "gbPictureFile", QStringLiteral("圖檔"));
    auto *scaleForm = new QFormLayout(pictureFileBox);
    scalePageLayout->addWidget(pictureFileBox);
    PictureFileWidgets pw;
    pw.window = this;
    pw.imgView = mw.imgView;
    pw.imgTemp = imgTemp;
    pw.edImageFile = field(pictureFileBox, scaleForm, "edImageFile", QStringLiteral("圖檔:"));
    pw.lbFullFileName = named<QLabel>(pictureFileBox, "lbFullFileName");
    scaleForm->addRow(QStringLiteral("完整檔名:"), pw.lbFullFileName);
    pw.btJPG2BMP = named<QPushButton>(pictureFileBox, "btJPG2BMP", QStringLiteral("JPG->BMP"));
    pw.btJPG2BMP->hide();
    pw.edJPEGQuality = field(pictureFileBox, scaleForm, "edJPEGQuality", QStringLiteral("JPEG Quality(1~100) :"),
                             QStringLiteral("100"));
    page(m_settingsPages, "tsCapture", QStringLiteral("影像擷取設定"));
    QWidget *test = page(m_pages, "tsTest", QStringLiteral("測試頁"));
    m_pages->setTabVisible(m_pages->indexOf(test), false);

    m_mw = mw;
    m_scaleBoxHost = scaleBoxHost;
    m_unitScaleHost = unitScaleHost;
    m_scroll = scroll;
    m_content = content;
    m_imgTemp = imgTemp;
    m_measuring = new MeasuringController(m_state, m_dialogs, mw, this);
    m_pictureFiles = new PictureFilesController(m_state, m_dialogs, pw, this);
    m_pictureFiles->beforePictureReplaced = [this] { m_measuring->eraseCrosshair(); };
    connect(loadButton, &QToolButton::clicked, m_pictureFiles, &PictureFilesController::mmLoad1Click);
    connect(hidden, &QToolButton::clicked, this, &TfmMain::bbtHiddenClick);
    connect(toolBar4, &QToolBar::actionTriggered, m_measuring,
            [this](QAction *action) { m_measuring->tbWidthClick(action->property("tag").toInt()); });
    // The scroll content follows the picture's size.
    connect(mw.imgView, &PictureView::resized, content,
            [content, view = mw.imgView] { content->resize(view->width() + 4, view->height() + 4); });
}
