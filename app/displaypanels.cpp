// The display options and the picture refresh on the measuring page: their tool buttons, the
// cross and the red point over the picture, and the label options page.
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/pagehelpers.h"
#include "app/pages.h"
#include "ui/shape.h"
#include "ui/widgets.h"

namespace {

template <class W>
W *existing(QWidget *page, const char *name)
{
    auto *w = page->findChild<W *>(QString::fromLatin1(name));
    Q_ASSERT(w);
    return w;
}

QToolButton *toolButton(QWidget *bar, const char *name, const QString &caption, const QString &hint)
{
    auto *button = named<QToolButton>(bar, name);
    button->setText(caption);
    button->setToolTip(hint);
    return button;
}

// A one-pixel red line of the centre cross; clicks go through it to the picture.
QWidget *crossLine(QWidget *content, const char *name)
{
    auto *line = named<QWidget>(content, name);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, Qt::red);
    line->setPalette(palette);
    line->setAttribute(Qt::WA_TransparentForMouseEvents);
    line->hide();
    return line;
}

// "顯示設定" with its six modes and the button "只顯示修正值" on the page "標籤選項".
void buildLabelOptions(DisplayOptionWidgets &w, QWidget *page)
{
    auto *layout = new QVBoxLayout(page);
    auto *box = named<QGroupBox>(page, "rgLabelDisplay", QStringLiteral("顯示設定"));
    auto *items = new QVBoxLayout(box);
    w.rgLabelDisplay = new QButtonGroup(box);
    w.rgLabelDisplay->setObjectName(QStringLiteral("rgLabelDisplayItems"));
    const QString captions[] = {QStringLiteral("代號=數值"),  QStringLiteral("代號:說明"),   QStringLiteral("代號=數值:說明"),
                                QStringLiteral("只顯示代號"), QStringLiteral("只顯示數值"), QStringLiteral("只顯示說明")};
    for (int mode = 0; mode < 6; ++mode) {
        auto *item = new QRadioButton(captions[mode], box);
        item->setObjectName(QStringLiteral("rgLabelDisplay%1").arg(mode));
        w.rgLabelDisplay->addButton(item, mode);
        items->addWidget(item);
    }
    w.rgLabelDisplay->button(0)->setChecked(true);
    layout->addWidget(box);
    w.Panel87 = named<QPushButton>(page, "Panel87", QStringLiteral("只顯示修正值"));
    layout->addWidget(w.Panel87);
    layout->addStretch(1);
}

}  // namespace

void buildDisplayPanels(MeasuringPage &p)
{
    DisplayOptionWidgets &w = p.displayOptions;
    w.window = p.measuring.window;
    w.imgView = p.measuring.imgView;
    w.cbCross = existing<QCheckBox>(p.TabSheet1, "cbCross");
    w.CheckBox1 = existing<QCheckBox>(p.TabSheet1, "CheckBox1");
    w.cbDisplayScaleGauge = p.cbDisplayScaleGauge;
    w.cbPhotoHide = existing<QCheckBox>(p.TabSheet1, "cbPhotoHide");
    w.Shape2 = p.measuring.Shape2;
    w.Panel19 = p.measuring.Panel19;
    w.Panel20 = existing<QWidget>(p.TabSheet1, "Panel20");
    w.Panel3 = p.Panel3;
    w.Panel88 = existing<QWidget>(p.Panel3, "Panel88");
    w.Panel85 = p.Panel85;
    w.Panel89 = p.Panel89;
    w.Panel90 = p.Panel90;

    // Over the picture, in the scroll content's coordinates like the labels.
    w.plVert = crossLine(p.content, "plVert");
    w.plHorz = crossLine(p.content, "plHorz");
    w.spRedPoint = new Shape(p.content, Shape::Kind::Circle);
    w.spRedPoint->setObjectName(QStringLiteral("spRedPoint"));
    w.spRedPoint->setPen(Qt::red, 1);
    w.spRedPoint->setBrush(Qt::red, Qt::DiagCrossPattern);
    w.spRedPoint->setAttribute(Qt::WA_TransparentForMouseEvents);
    w.spRedPoint->setGeometry(0, 0, 12, 12);

    // The tool buttons go on the top bar after the redraw button.
    auto *top = existing<QWidget>(p.TabSheet1, "plTop");
    auto *refresh = existing<QToolButton>(top, "bbtPictureRefresh");
    QHBoxLayout *bar = topBarRowOf(refresh);
    int at = bar->indexOf(refresh) + 1;
    QToolButton *colour = toolButton(top, "SpeedButton6", QStringLiteral("顏色"), QStringLiteral("畫線顏色"));
    QToolButton *font = toolButton(top, "sbLabelFont", QStringLiteral("字型"), QStringLiteral("標籤字型"));
    QToolButton *removeLast = toolButton(top, "SpeedButton7", QStringLiteral("刪除"), QStringLiteral("刪除最後一筆量測"));
    for (QToolButton *button : {colour, font, removeLast})
        bar->insertWidget(at++, button);
    w.SpeedButton6 = colour;
    w.sbLabelFont = font;
    p.refresh.SpeedButton7 = removeLast;

    p.refresh.window = p.measuring.window;
    p.refresh.Shape3 = p.measuring.Shape3;
    p.refresh.bbtPictureRefresh = refresh;

    buildLabelOptions(w, existing<QWidget>(p.TabSheet1, "tsLabelOptions"));
}
