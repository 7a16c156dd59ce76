// The hardness panel plHardTest: Brinell fields, the width and height search and circle detection.
#include "app/hardnesspanel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/pagehelpers.h"
#include "app/pages.h"
#include "base/settings.h"
#include "base/numberformat.h"
#include "ui/shape.h"
#include "ui/updown.h"

namespace {

// A field on a grid row: caption, field and, when given, its unit.
QLineEdit *fieldRow(QWidget *page, QGridLayout *grid, int row, const char *name, const QString &caption,
                    const QString &text, const QString &unit = QString())
{
    auto *field = named<QLineEdit>(page, name, text);
    grid->addWidget(new QLabel(caption, page), row, 0);
    grid->addWidget(field, row, 1);
    if (!unit.isEmpty())
        grid->addWidget(new QLabel(unit, page), row, 2);
    return field;
}

QLabel *noteRow(QWidget *page, QGridLayout *grid, int row, const char *name)
{
    auto *label = named<QLabel>(page, name);
    label->setWordWrap(true);
    grid->addWidget(label, row, 0, 1, 3);
    return label;
}

Shape *circleOverPicture(QWidget *content, const char *name, const QColor &color, const QRect &at)
{
    auto *shape = new Shape(content, Shape::Kind::Circle);
    shape->setObjectName(QString::fromLatin1(name));
    shape->setPen(color, 1);
    shape->setAttribute(Qt::WA_TransparentForMouseEvents);
    shape->setGeometry(at);
    shape->hide();
    return shape;
}

// The page "Brinell" above its two sub-pages.
void buildBrinellFields(BrinellWidgets &b, QWidget *page, QGridLayout *grid)
{
    const QString mm = QStringLiteral("mm");
    int row = 0;
    b.edD = fieldRow(page, grid, row++, "edD", QStringLiteral("鋼球直徑:"), QStringLiteral("10"), mm);
    b.eddd = fieldRow(page, grid, row++, "eddd", QStringLiteral("壓痕直徑:"), QStringLiteral("4"), mm);
    b.lbFitCircle = noteRow(page, grid, row++, "lbFitCircle");
    b.edP = fieldRow(page, grid, row++, "edP", QStringLiteral("負重:"), QStringLiteral("3000"), QStringLiteral("Kg"));
    b.edHb = fieldRow(page, grid, row++, "edHb", QStringLiteral("勃氏硬度:"), QStringLiteral("0"), QStringLiteral("HB"));
    b.edHb->setReadOnly(true);
    b.lbIsoRatio = noteRow(page, grid, row++, "lbIsoRatio");
    b.lbIsoDiameters = noteRow(page, grid, row++, "lbIsoDiameters");
    b.lbHR = named<QLabel>(page, "lbHR", QStringLiteral("HB"));
    b.edHR = named<QLineEdit>(page, "edHR", QStringLiteral("0"));
    b.edHR->setReadOnly(true);
    grid->addWidget(b.lbHR, row, 0);
    grid->addWidget(b.edHR, row++, 1);
    b.edVideoLineW = fieldRow(page, grid, row++, "edVideoLineW", QStringLiteral("水平寬度:"), QStringLiteral("0"), mm);
    b.edVideoLineH = fieldRow(page, grid, row++, "edVideoLineH", QStringLiteral("垂直高度:"), QStringLiteral("0"), mm);
    b.edVideoLineR = fieldRow(page, grid, row++, "edVideoLineR", QStringLiteral("半徑:"), QStringLiteral("0"), mm);
    auto *buttons = new QHBoxLayout;
    b.bbtAvgRadus = named<QPushButton>(page, "bbtAvgRadus", QStringLiteral("平均半徑"));
    b.bbtCalBrinell = named<QPushButton>(page, "bbtCalBrinell", QStringLiteral("計算硬度"));
    buttons->addWidget(b.bbtAvgRadus);
    buttons->addWidget(b.bbtCalBrinell);
    grid->addLayout(buttons, row, 0, 1, 3);
}

// The page "手動": the side read-outs, the spin buttons and the two "計算".
void buildManualPage(WidthHeightWidgets &w, QWidget *page)
{
    auto *grid = new QGridLayout(page);
    const struct {
        QLineEdit *WidthHeightWidgets::*x, *WidthHeightWidgets::*y;
        const char *xName, *yName, *xCaption, *yCaption;
    } sides[] = {{&WidthHeightWidgets::lbedUpX, &WidthHeightWidgets::lbedUpY, "lbedUpX", "lbedUpY", "X上:", "Y上:"},
                 {&WidthHeightWidgets::lbedDnX, &WidthHeightWidgets::lbedDnY, "lbedDnX", "lbedDnY", "X下:", "Y下:"},
                 {&WidthHeightWidgets::lbedLtX, &WidthHeightWidgets::lbedLtY, "lbedLtX", "lbedLtY", "X左:", "Y左:"},
                 {&WidthHeightWidgets::lbedRtX, &WidthHeightWidgets::lbedRtY, "lbedRtX", "lbedRtY", "X右:", "Y右:"}};
    int row = 0;
    for (const auto &s : sides) {
        grid->addWidget(new QLabel(QString::fromUtf8(s.xCaption), page), row, 0);
        grid->addWidget(w.*s.x = named<QLineEdit>(page, s.xName), row, 1);
        grid->addWidget(new QLabel(QString::fromUtf8(s.yCaption), page), row, 2);
        grid->addWidget(w.*s.y = named<QLineEdit>(page, s.yName), row, 3);
        ++row;
    }
    const struct {
        UpDown *WidthHeightWidgets::*spin;
        const char *name, *caption;
    } spins[] = {{&WidthHeightWidgets::UpDown1, "UpDown1", "上"},
                 {&WidthHeightWidgets::UpDown2, "UpDown2", "下"},
                 {&WidthHeightWidgets::UpDown3, "UpDown3", "右"},
                 {&WidthHeightWidgets::UpDown4, "UpDown4", "左"}};
    for (int i = 0; i < 4; ++i) {
        auto *spin = named<UpDown>(page, spins[i].name);
        spin->setRange(-10000, 10000);
        w.*spins[i].spin = spin;
        grid->addWidget(new QLabel(QString::fromUtf8(spins[i].caption), page), row + i / 2, (i % 2) * 2);
        grid->addWidget(spin, row + i / 2, (i % 2) * 2 + 1);
    }
    row += 2;
    w.cb10X = named<QCheckBox>(page, "cb10X", QStringLiteral("10X"));
    w.cbShowRect = named<QCheckBox>(page, "cbShowRect", QStringLiteral("範圍"));
    w.bbtCalWidHei = named<QPushButton>(page, "bbtCalWidHei", QStringLiteral("計算"));
    w.BitBtn26 = named<QPushButton>(page, "BitBtn26", QStringLiteral("計算"));
    grid->addWidget(w.cb10X, row, 0, 1, 2);
    grid->addWidget(w.cbShowRect, row++, 2, 1, 2);
    grid->addWidget(w.bbtCalWidHei, row, 0, 1, 2);
    grid->addWidget(w.BitBtn26, row++, 2, 1, 2);
    grid->setRowStretch(row, 1);
}

// A scroll bar with its caption (a check box for the guides) and its mirror field.
QScrollBar *mirroredBar(QWidget *page, QGridLayout *grid, int row, QWidget *caption, const char *name,
                        int maximum, int position, QLineEdit *&mirror, const char *mirrorName)
{
    auto *bar = named<QScrollBar>(page, name, Qt::Horizontal);
    bar->setRange(0, maximum);
    bar->setValue(position);
    mirror = named<QLineEdit>(page, mirrorName, QString::number(position));
    mirror->setFixedWidth(44);
    grid->addWidget(caption, row, 0);
    grid->addWidget(bar, row, 1, 1, 2);
    grid->addWidget(mirror, row, 3);
    return bar;
}

// The page "自動": the search settings, the guides and detection.
void buildAutoPage(CircleWidgets &c, QWidget *page)
{
    // The window starts with the settings file's values, and a missing file gives these.
    const Settings::BrinellSection start = defaultSettings({}).Brinell;
    auto *grid = new QGridLayout(page);
    int row = 0;
    c.cbAutoCenter = named<QCheckBox>(page, "cbAutoCenter", QStringLiteral("定位"));
    grid->addWidget(c.cbAutoCenter, row++, 0, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("Cx:"), page), row, 0);
    grid->addWidget(c.Edit7 = named<QLineEdit>(page, "Edit7", floatToText(start.cx)), row, 1);
    grid->addWidget(new QLabel(QStringLiteral("Cy:"), page), row, 2);
    grid->addWidget(c.Edit8 = named<QLineEdit>(page, "Edit8", floatToText(start.cy)), row++, 3);
    c.cbCircleGreen = named<QCheckBox>(page, "cbCircleGreen", QStringLiteral("內圈%"));
    c.ScrollBar1 = mirroredBar(page, grid, row++, c.cbCircleGreen, "ScrollBar1", 150, start.CircleGreen, c.Edit5, "Edit5");
    c.cbCircleBlue = named<QCheckBox>(page, "cbCircleBlue", QStringLiteral("外圈%"));
    c.ScrollBar2 = mirroredBar(page, grid, row++, c.cbCircleBlue, "ScrollBar2", 150, start.CircleBlue, c.Edit6, "Edit6");
    c.ScrollBar3 = mirroredBar(page, grid, row++, new QLabel(QStringLiteral("差異量"), page), "ScrollBar3", 100,
                               start.Diffence, c.Edit12, "Edit12");
    grid->addWidget(new QLabel(QStringLiteral("抽樣點:"), page), row, 0);
    grid->addWidget(c.edTimes = named<QLineEdit>(page, "edTimes", floatToText(start.Simple)), row, 1);
    grid->addWidget(new QLabel(QStringLiteral("組"), page), row++, 2);
    c.cbOutline = named<QCheckBox>(page, "cbOutline", QStringLiteral("外緣"));
    c.cbOutline->setChecked(true);
    c.cbSubPixel = named<QCheckBox>(page, "cbSubPixel", QStringLiteral("精密"));
    c.cbSubPixel->setToolTip(QStringLiteral("邊緣定位至次像素，以最小平方法擬合圓並剔除離群點"));
    grid->addWidget(c.cbOutline, row, 0, 1, 2);
    grid->addWidget(c.cbSubPixel, row++, 2, 1, 2);
    c.BitBtn22 = named<QPushButton>(page, "BitBtn22", QStringLiteral("計算"));
    c.bbtStoreCircle = named<QPushButton>(page, "bbtStoreCircle", QStringLiteral("存圓"));
    c.bbtStoreCircle->setToolTip(QStringLiteral("將偵測到的圓存為圓量測"));
    grid->addWidget(c.BitBtn22, row, 0, 1, 2);
    grid->addWidget(c.bbtStoreCircle, row++, 2, 1, 2);
    c.lbDetection = named<QLabel>(page, "lbDetection");
    c.lbDetection->setWordWrap(true);
    grid->addWidget(c.lbDetection, row++, 0, 1, 4);
    grid->setRowStretch(row, 1);
}

} // namespace

QWidget *buildHardnessPanel(MeasuringPage &p, QStackedWidget *sides)
{
    HardnessWidgets &h = p.hardness;
    auto *panel = named<QGroupBox>(sides, "plHardTest", QStringLiteral("硬度計算"));
    h.plHardTest = panel;
    h.plPC5 = sides;
    h.plMeasure = sides->findChild<QWidget *>(QStringLiteral("plMeasure"));
    h.imgView = p.measuring.imgView;
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(2, 2, 2, 2);
    auto *pages = named<QTabWidget>(panel, "pcHardness");
    layout->addWidget(pages);
    QWidget *brinell = addPage(pages, "tsBrinell", QStringLiteral("Brinell"));
    auto *brinellLayout = new QVBoxLayout(brinell);
    auto *grid = new QGridLayout;
    brinellLayout->addLayout(grid);
    buildBrinellFields(h.brinell, brinell, grid);
    auto *ways = named<QTabWidget>(brinell, "pcBrinell");
    brinellLayout->addWidget(ways, 1);
    buildManualPage(h.widthHeight, addPage(ways, "tsManual", QStringLiteral("手動")));
    buildAutoPage(h.circle, addPage(ways, "tsAuto", QStringLiteral("自動")));
    h.circle.edVideoLineR = h.brinell.edVideoLineR;

    QWidget *content = p.content;
    h.circle.spCircleGreen = circleOverPicture(content, "spCircleGreen", QColor(0, 255, 0), QRect(2, 2, 1, 1));
    h.circle.spCircleBlue = circleOverPicture(content, "spCircleBlue", QColor(0, 0, 255), QRect(2, 2, 1, 1));
    h.circle.spCircle1 = circleOverPicture(content, "spCircle1", QColor(255, 0, 0), QRect(52, 52, 101, 101));
    h.circle.spCircle2 = circleOverPicture(content, "spCircle2", QColor(255, 0, 0), QRect(102, 102, 101, 101));
    h.widthHeight.Shape3 = p.measuring.Shape3;

    // A completed width, height or circle writes its side outputs here.
    p.measuring.edVideoLineW = h.brinell.edVideoLineW;
    p.measuring.edVideoLineH = h.brinell.edVideoLineH;
    p.measuring.edVideoLineR = h.brinell.edVideoLineR;
    p.measuring.Edit7 = h.circle.Edit7;
    p.measuring.Edit8 = h.circle.Edit8;
    return panel;
}
