// The ratio calibration box in the scale box and the camera pixel ratio panel on the top bar.
#include <QAction>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/pagehelpers.h"
#include "app/pages.h"
#include "ui/widgets.h"

namespace {

QLineEdit *field(QWidget *parent, const QString &name, const QString &text, int width)
{
    auto *edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->setFixedWidth(width);
    return edit;
}

// One axis group: length and unit, "Pixel" and its count, the ratio, "儲存".
RatioAxisWidgets axisGroup(QWidget *parent, const QString &axis, const QString &caption)
{
    RatioAxisWidgets w;
    w.group = new QGroupBox(caption, parent);
    w.group->setObjectName(QStringLiteral("gbRatio") + axis);
    auto *grid = new QGridLayout(w.group);
    grid->setContentsMargins(4, 2, 4, 2);
    w.edLength = field(w.group, QStringLiteral("edLength") + axis, QStringLiteral("1"), 80);
    w.lbUnit = new QLabel(QStringLiteral("mm"), w.group);
    w.lbUnit->setObjectName(QStringLiteral("lbUnit") + axis);
    w.edPixel = field(w.group, QStringLiteral("edPixel") + axis, QString(), 80);
    w.edRatio = field(w.group, QStringLiteral("edRatio") + axis, QString(), 80);
    w.bbtSave = new QPushButton(QStringLiteral("儲存"), w.group);
    w.bbtSave->setObjectName(QStringLiteral("bbtRatio") + axis + QStringLiteral("Save"));
    grid->addWidget(w.edLength, 0, 0);
    grid->addWidget(w.lbUnit, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Pixel"), w.group), 1, 1);
    grid->addWidget(w.edPixel, 1, 0);
    grid->addWidget(w.edRatio, 2, 0);
    grid->addWidget(w.bbtSave, 2, 1);
    grid->setColumnStretch(2, 1);
    return w;
}

}  // namespace

void buildRatioPanels(MeasuringPage &p, QWidget *window)
{
    StationControls &s = p.station;

    // The calibration box grows the scale box below its lists.
    RatioCalibrationWidgets &r = s.ratio;
    r.window = window;
    QGroupBox *box = p.scaleBox.gbScaleBox;
    auto *form = qobject_cast<QFormLayout *>(box->layout());
    r.cbRatioSetup = named<QCheckBox>(box, "cbRatioSetup", QStringLiteral("倍率校正"));
    form->addRow(r.cbRatioSetup);
    auto *axes = new QHBoxLayout;
    r.x = axisGroup(box, QStringLiteral("X"), QStringLiteral("  X 軸 :  "));
    r.y = axisGroup(box, QStringLiteral("Y"), QStringLiteral("  Y 軸 :  "));
    axes->addWidget(r.x.group);
    axes->addWidget(r.y.group);
    form->addRow(axes);

    // The pixel ratio panel stands where the display options are while CCD1 is ticked.
    CameraRatioWidgets &c = s.cameraRatio;
    c.window = window;
    c.CCD1 = new QAction(QStringLiteral("CCD比例設定"), window);
    c.CCD1->setObjectName(QStringLiteral("CCD1"));
    c.CCD1->setCheckable(true);
    auto *top = p.TabSheet1->findChild<QWidget *>(QStringLiteral("plTop"));
    c.plCCDAligment = named<QWidget>(top, "plCCDAligment");
    auto *panel = new QHBoxLayout(c.plCCDAligment);
    panel->setContentsMargins(0, 0, 0, 0);
    c.cbCameraRatio = named<QCheckBox>(c.plCCDAligment, "cbCameraRatio", QStringLiteral("CCD比例"));
    c.edCCDRatioX = field(c.plCCDAligment, QStringLiteral("edCCDRatioX"), QStringLiteral("1000"), 56);
    c.edCCDRatioY = field(c.plCCDAligment, QStringLiteral("edCCDRatioY"), QStringLiteral("1000"), 56);
    c.BitBtn20 = named<QPushButton>(c.plCCDAligment, "BitBtn20", QStringLiteral("重設"));
    panel->addWidget(c.cbCameraRatio);
    panel->addWidget(new QLabel(QStringLiteral(" X :"), c.plCCDAligment));
    panel->addWidget(c.edCCDRatioX);
    panel->addWidget(new QLabel(QStringLiteral(" Y :"), c.plCCDAligment));
    panel->addWidget(c.edCCDRatioY);
    panel->addWidget(c.BitBtn20);
    c.plCCDAligment->hide();
    for (const char *name : {"cbCross", "CheckBox1", "cbDisplayScaleGauge", "cbPhotoHide"}) {
        if (auto *option = top->findChild<QCheckBox *>(QString::fromLatin1(name)))
            c.displayOptions << option;
    }
    QHBoxLayout *options = topBarRowOf(c.displayOptions.last());
    options->insertWidget(options->indexOf(c.displayOptions.last()) + 1, c.plCCDAligment);
}
