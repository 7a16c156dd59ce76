// The measuring page "量測功能": the tool bar, the picture area, the side panel and the read-out bar.
#include "app/pages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/hardnesspanel.h"
#include "app/pagehelpers.h"
#include "measure/kinds.h"
#include "ui/pictureview.h"
#include "ui/shape.h"
#include "ui/stripbutton.h"

namespace {

QPushButton *strip(QWidget *parent, const char *name, const QString &caption)
{
    auto *button = named<StripButton>(parent, name, caption);
    button->setFixedSize(14, 40);
    QFont small = button->font();
    small.setPixelSize(8);
    button->setFont(small);
    return button;
}

QLabel *readOut(QWidget *bar, QHBoxLayout *layout, const char *name)
{
    auto *label = named<QLabel>(bar, name, QStringLiteral("0.000"));
    label->setFixedWidth(90);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    layout->addWidget(label);
    return label;
}

// The top bar, two rows so that it fits a 1024-pixel screen: open, the eleven kind buttons with
// their frame and the redraw button; below them the display options and the hide button. And the
// hidden second tool bar.
void buildToolBar(MeasuringPage &p, QVBoxLayout *pageLayout)
{
    auto *top = named<QWidget>(p.TabSheet1, "plTop");
    auto *rows = new QVBoxLayout(top);
    rows->setContentsMargins(4, 3, 4, 1);
    rows->setSpacing(1);
    auto *layout = new QHBoxLayout;
    auto *options = new QHBoxLayout;
    for (QHBoxLayout *row : {layout, options}) {
        row->setSpacing(2);
        rows->addLayout(row);
    }
    p.sbLoad = named<QToolButton>(top, "sbLoad");
    p.sbLoad->setText(QStringLiteral("開啟"));
    p.sbLoad->setToolTip(QStringLiteral("開啟圖擋"));
    layout->addWidget(p.sbLoad);
    for (int kind = 0; kind < KindCount; ++kind) {
        auto *button = new QToolButton(top);
        button->setObjectName(QStringLiteral("bbtMeasure%1").arg(kind));
        button->setText(kindButtonCaption(kindFromIndex(kind)));
        button->setToolTip(KindDescriptions().at(kind));
        button->setProperty("tag", kind);
        button->setMinimumWidth(44);
        layout->addWidget(button);
        p.measuring.MeasureButtons[std::size_t(kind)] = button;
    }
    auto *refresh = named<QToolButton>(top, "bbtPictureRefresh");
    refresh->setText(QStringLiteral("畫面重整"));
    layout->addWidget(refresh);
    layout->addStretch(1);
    for (auto [name, caption, checked] : {std::tuple{"cbCross", "十字標", true}, {"CheckBox1", "小紅點", true},
                                          {"cbDisplayScaleGauge", "比例尺", true}, {"cbPhotoHide", "隱藏相片", false}}) {
        auto *box = named<QCheckBox>(top, name, QString::fromUtf8(caption));
        box->setChecked(checked);
        options->addWidget(box);
    }
    p.cbDisplayScaleGauge = top->findChild<QCheckBox *>(QStringLiteral("cbDisplayScaleGauge"));
    options->addStretch(1);
    p.bbtHidden = named<QToolButton>(top, "bbtHidden");
    p.bbtHidden->setText(QStringLiteral("隱藏主程式"));
    options->addWidget(p.bbtHidden);
    p.measuring.Shape1 = named<Shape>(top, "Shape1");
    p.measuring.Shape1->setPen(Qt::red, 3);
    p.measuring.Shape1->setAttribute(Qt::WA_TransparentForMouseEvents);
    p.measuring.Shape1->hide();
    pageLayout->addWidget(top);

    // The hidden second tool bar selects a kind without resetting the points.
    p.ToolBar4 = named<QToolBar>(p.TabSheet1, "ToolBar4");
    for (int kind = 0; kind < KindCount; ++kind) {
        QAction *action = p.ToolBar4->addAction(kindButtonCaption(kindFromIndex(kind)));
        action->setObjectName(QStringLiteral("tbMeasure%1").arg(kind));
        action->setProperty("tag", kind);
    }
    p.ToolBar4->hide();
}

// The picture area: ScrollBox1 whose content holds imgView at (2, 2), the hidden imgTemp, the
// search frame and, later, the labels and the gauge.
QWidget *buildPictureArea(MeasuringPage &p, QWidget *parent)
{
    auto *panel2 = named<QWidget>(parent, "Panel2");
    p.measuring.Panel2 = panel2;
    auto *layout = new QVBoxLayout(panel2);
    layout->setContentsMargins(0, 0, 0, 0);
    p.ScrollBox1 = named<QScrollArea>(panel2, "ScrollBox1");
    p.ScrollBox1->setWidgetResizable(false);
    p.content = named<QWidget>(nullptr, "ScrollBox1Content");
    p.ScrollBox1->setWidget(p.content);
    p.measuring.imgView = named<PictureView>(p.content, "imgView");
    p.measuring.imgView->move(2, 2);
    p.imgTemp = named<PictureView>(p.content, "imgTemp");
    p.imgTemp->hide();
    p.measuring.Shape3 = named<Shape>(p.content, "Shape3");
    p.measuring.Shape3->setPen(QColor(255, 0, 255), 1);
    p.measuring.Shape3->setAttribute(Qt::WA_TransparentForMouseEvents);
    p.measuring.Shape3->hide();
    layout->addWidget(p.ScrollBox1);
    p.content->resize(644, 484);
    p.gauge = buildGauge(p.content);
    return panel2;
}

// The measuring panel plMeasure of the side panel: part lists, note, label font, options, scale box
// and the lower page control.
QWidget *buildMeasurePanel(MeasuringPage &p, QWidget *sides)
{
    auto *panel = named<QWidget>(sides, "plMeasure");
    auto *form = new QFormLayout(panel);
    p.products = buildProductPanel(panel, form);
    p.persistence.cbNote = named<QCheckBox>(panel, "cbNote", QStringLiteral("說明："));
    p.measuring.edNewOBJNote = named<QLineEdit>(panel, "edNewOBJNote");
    p.persistence.edNewOBJNote = p.measuring.edNewOBJNote;
    form->addRow(p.persistence.cbNote, p.measuring.edNewOBJNote);
    buildNoteUpdate(panel, form, p.measurementList);

    auto *fontRow = named<QWidget>(panel, "Panel20");
    auto *fontLayout = new QHBoxLayout(fontRow);
    fontLayout->setContentsMargins(0, 0, 0, 0);
    p.measuring.Panel19 = named<QLabel>(fontRow, "Panel19", QStringLiteral("字型    自動"));
    p.measuring.Panel19->setFont(QFont(QStringLiteral("Courier New"), 12));
    p.measuring.Panel19->setFrameShape(QFrame::Panel);
    fontLayout->addWidget(p.measuring.Panel19, 1);
    p.labels.cbAutoFont = named<QCheckBox>(fontRow, "cbAutoFont");
    fontLayout->addWidget(p.labels.cbAutoFont);
    p.measuring.Shape2 = named<Shape>(fontRow, "Shape2");
    p.measuring.Shape2->setPen(Qt::black, 1);
    p.measuring.Shape2->setBrush(QColor(0, 0, 255), Qt::SolidPattern);
    p.measuring.Shape2->setFixedSize(24, 24);
    fontLayout->addWidget(p.measuring.Shape2);
    form->addRow(fontRow);

    p.measuring.cbMoveLabel = named<QCheckBox>(panel, "cbMoveLabel", QStringLiteral("調整標籤位置"));
    form->addRow(p.measuring.cbMoveLabel);
    p.labels.cbCaculate = named<QCheckBox>(panel, "cbCaculate", QStringLiteral("計算"));
    form->addRow(p.labels.cbCaculate);
    auto *scaleBoxHost = named<QWidget>(panel, "plScaleBox");
    p.scaleBox = buildScaleBox(scaleBoxHost);
    form->addRow(scaleBoxHost);
    auto *lower = named<QTabWidget>(panel, "PageControl3");
    buildOrderQueryPage(addPage(lower, "tsOrderQuery", QStringLiteral("工單查詢")), p.workOrders, p.measurementList);
    buildOrderContentPage(addPage(lower, "tsOrderContent", QStringLiteral("工單內容")), p.measurementList);
    addPage(lower, "tsLabelOptions", QStringLiteral("標籤選項"));
    form->addRow(lower);
    return panel;
}

// The side panel Panel3: the strip of width buttons and the measuring and hardness panels.
QWidget *buildSidePanel(MeasuringPage &p, QWidget *parent)
{
    p.Panel3 = named<QWidget>(parent, "Panel3");
    auto *layout = new QHBoxLayout(p.Panel3);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *panel88 = named<QWidget>(p.Panel3, "Panel88");
    panel88->setFixedWidth(16);
    auto *stripLayout = new QVBoxLayout(panel88);
    stripLayout->setContentsMargins(1, 1, 1, 1);
    p.Panel85 = strip(panel88, "Panel85", QStringLiteral("<"));
    p.Panel85->setProperty("tag", 1);
    p.Panel89 = strip(panel88, "Panel89", QStringLiteral("("));
    p.Panel90 = strip(panel88, "Panel90", QStringLiteral("<<<-"));
    for (QPushButton *button : {p.Panel85, p.Panel89, p.Panel90})
        stripLayout->addWidget(button);
    stripLayout->addStretch(1);
    layout->addWidget(panel88);

    auto *sides = named<QStackedWidget>(p.Panel3, "plPC5");
    sides->addWidget(buildMeasurePanel(p, sides));
    sides->addWidget(buildHardnessPanel(p, sides));
    // The stack takes the size of the panel it shows: the taller hardness panel must not make the
    // measuring panel scroll, nor its width push the measuring panel out of the strip's widths.
    const auto fitShownPanel = [sides](int shown) {
        for (int i = 0; i < sides->count(); ++i) {
            const QSizePolicy::Policy policy = i == shown ? QSizePolicy::Preferred : QSizePolicy::Ignored;
            sides->widget(i)->setSizePolicy(policy, policy);
        }
    };
    QObject::connect(sides, &QStackedWidget::currentChanged, sides, fitShownPanel);
    fitShownPanel(sides->currentIndex());
    // The panels scroll where the screen is lower than they are tall.
    auto *scroll = new QScrollArea(p.Panel3);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidget(sides);
    // Collapsed to the strip the panel has no room at all, not even for a scroll bar.
    scroll->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    layout->addWidget(scroll, 1);
    return p.Panel3;
}

// The bottom bar: the cursor read-out with its unit captions, the guide and the statistics panel.
QWidget *buildReadOutBar(MeasuringPage &p)
{
    auto *bar = named<QWidget>(p.TabSheet1, "plReadOut");
    auto *layout = new QHBoxLayout(bar);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(new QLabel(QStringLiteral("X:"), bar));
    p.measuring.lbDisplayPosX = readOut(bar, layout, "lbDisplayPosX");
    p.unitCaptions.posX = named<QLabel>(bar, "lbDisplayUnitX", QStringLiteral("mm"));
    layout->addWidget(p.unitCaptions.posX);
    layout->addWidget(new QLabel(QStringLiteral("Y:"), bar));
    p.measuring.lbDisplayPosY = readOut(bar, layout, "lbDisplayPosY");
    p.unitCaptions.posY = named<QLabel>(bar, "lbDisplayUnitY", QStringLiteral("mm"));
    layout->addWidget(p.unitCaptions.posY);
    auto *guide = named<QLabel>(bar, "plGuide", QStringLiteral("  操作說明  : "));
    layout->addWidget(guide, 1);
    p.statistics = buildStatisticsPanel(bar, layout);
    p.statistics.plGuide = guide;
    return bar;
}

}  // namespace

MeasuringPage buildMeasuringPage(QTabWidget *pages, QMainWindow *window, const std::array<QLabel *, 3> &statusPanels)
{
    MeasuringPage p;
    p.TabSheet1 = addPage(pages, "TabSheet1", QStringLiteral("量測功能"));
    auto *pageLayout = new QVBoxLayout(p.TabSheet1);
    pageLayout->setContentsMargins(2, 2, 2, 2);
    pageLayout->setSpacing(2);
    buildToolBar(p, pageLayout);

    auto *middle = new QWidget(p.TabSheet1);
    auto *middleLayout = new QHBoxLayout(middle);
    middleLayout->setContentsMargins(0, 0, 0, 0);
    middleLayout->setSpacing(2);
    middleLayout->addWidget(buildPictureArea(p, middle), 1);
    middleLayout->addWidget(buildSidePanel(p, middle));
    pageLayout->addWidget(middle, 1);
    buildWorkOrderPanels(p.TabSheet1, pageLayout, p.workOrders, p.measurementList);
    pageLayout->addWidget(buildReadOutBar(p));
    buildCaptureControls(p, window, statusPanels[2]);
    buildRatioPanels(p, window);

    // Invisible controls the reactions use: the note carrier, the drag state and the label clearing.
    p.measuring.edText = named<QLineEdit>(window, "edText");
    p.measuring.edText->hide();
    p.labels.Label58 = named<QLabel>(p.TabSheet1, "Label58");
    p.labels.Label58->setToolTip(QStringLiteral("按右鍵可以改變字體大小"));
    p.labels.Label58->setProperty("tag", 0);
    p.labels.Label58->hide();
    p.bbtClearLabel = named<QPushButton>(p.TabSheet1, "bbtClearLabel");
    p.bbtClearLabel->hide();

    p.measuring.window = window;
    p.measuring.statusPanels = statusPanels;
    p.labels.window = window;
    p.labels.content = p.content;
    p.labels.cbMoveLabel = p.measuring.cbMoveLabel;
    p.labels.Panel19 = p.measuring.Panel19;
    // The point read-outs and the second and third result name the display unit.
    for (QLabel *unit : p.measurementList.pointUnits)
        p.unitCaptions.others.append(unit);
    p.unitCaptions.others << p.measurementList.resultUnits[1] << p.measurementList.resultUnits[2];
    p.workOrders.window = window;
    p.measurementList.window = window;
    p.measurementList.edNewOBJNote = p.measuring.edNewOBJNote;
    p.statistics.cbCaculate = p.labels.cbCaculate;
    buildDisplayPanels(p);
    // The red dot belongs to the display options; the list puts it on the current row.
    p.measurementList.spRedPoint = p.displayOptions.spRedPoint;
    return p;
}
