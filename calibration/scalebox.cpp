#include "calibration/scalebox.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "calibration/scalemath.h"
#include "ui/shape.h"
#include "ui/widgets.h"

namespace {

constexpr int GaugeLeft = 12;
constexpr int GaugeTop = 28;
constexpr int BarWidth = GaugePixels / 2;
constexpr int BarHeight = 8;
constexpr int CaptionGap = 2;

QLabel *gaugeLabel(QWidget *content, const char *name, const QString &text)
{
    auto *label = named<QLabel>(content, name, text);
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(13);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    label->setPalette(palette);
    label->setAutoFillBackground(false);
    label->setAttribute(Qt::WA_TranslucentBackground);
    // Clicks go through to the picture underneath: the gauge is only a drawing.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

Shape *gaugeBar(QWidget *content, const char *name, int left)
{
    auto *bar = named<Shape>(content, name);
    bar->setPen(Qt::red, 1);
    bar->setBrush(Qt::white, Qt::NoBrush);
    bar->setGeometry(left, GaugeTop, BarWidth, BarHeight);
    bar->setAttribute(Qt::WA_TransparentForMouseEvents);
    return bar;
}

// Sizes a caption to its text and centres it above the gauge at x.
void centreAbove(QLabel *label, int x)
{
    label->adjustSize();
    label->move(x - label->width() / 2, GaugeTop - CaptionGap - label->height());
}

}  // namespace

ScaleBoxWidgets buildScaleBox(QWidget *host)
{
    ScaleBoxWidgets w;
    auto *hostLayout = new QVBoxLayout(host);
    hostLayout->setContentsMargins(0, 0, 0, 0);
    w.gbScaleBox = named<QGroupBox>(host, "gbScaleBox", QStringLiteral("  倍率選擇 :  "));
    hostLayout->addWidget(w.gbScaleBox);
    auto *form = new QFormLayout(w.gbScaleBox);

    auto *scaleRow = new QHBoxLayout;
    w.cbScaleSet = named<QComboBox>(w.gbScaleBox, "cbScaleSet");
    w.cbScaleSet->setEditable(false);
    scaleRow->addWidget(w.cbScaleSet, 1);
    w.dbedUnitName = named<QLineEdit>(w.gbScaleBox, "dbedUnitName");
    w.dbedUnitName->setReadOnly(true);
    w.dbedUnitName->setMaximumWidth(80);
    scaleRow->addWidget(w.dbedUnitName);
    form->addRow(scaleRow);

    w.cbUnitSet = named<QComboBox>(w.gbScaleBox, "cbUnitSet");
    w.cbUnitSet->setEditable(false);
    form->addRow(QStringLiteral("單位顯示切換 : "), w.cbUnitSet);

    w.bbtChangeUnitSet = named<QPushButton>(w.gbScaleBox, "bbtChangeUnitSet", QStringLiteral("變更倍率組"));
    w.bbtChangeUnitSet->hide();
    return w;
}

GaugeWidgets buildGauge(QWidget *content)
{
    GaugeWidgets g;
    g.spUnit0 = gaugeBar(content, "spUnit0", GaugeLeft);
    g.spUnit50 = gaugeBar(content, "spUnit50", GaugeLeft + BarWidth);
    g.lbUnit0 = gaugeLabel(content, "lbUnit0", QStringLiteral("0"));
    g.lbUnit100 = gaugeLabel(content, "lbUnit100", gaugeCaption(1.0, 1.0));
    g.lbUnit = gaugeLabel(content, "lbUnit", gaugeUnitCaption(QStringLiteral("mm")));
    placeGaugeCaptions(g);
    // The gauge lies over the picture, which the content widget holds already.
    for (QWidget *w : {static_cast<QWidget *>(g.spUnit0), static_cast<QWidget *>(g.spUnit50),
                       static_cast<QWidget *>(g.lbUnit0), static_cast<QWidget *>(g.lbUnit100),
                       static_cast<QWidget *>(g.lbUnit)})
        w->raise();
    return g;
}

void placeGaugeCaptions(const GaugeWidgets &g)
{
    centreAbove(g.lbUnit0, GaugeLeft);
    centreAbove(g.lbUnit100, GaugeLeft + GaugePixels);
    g.lbUnit->adjustSize();
    g.lbUnit->move(GaugeLeft, GaugeTop + BarHeight + CaptionGap);
}
