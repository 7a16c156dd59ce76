#include "calibration/unitscalepanels.h"

#include <initializer_list>
#include <tuple>

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "ui/widgets.h"

namespace {

using Button = std::tuple<QPushButton **, const char *, QString>;

// A panel of fields on the host: its form gets the fields, then its buttons.
QFormLayout *panelForm(QWidget *host, const char *name)
{
    return new QFormLayout(named<QWidget>(host, name));
}

QLineEdit *field(QFormLayout *form, const char *name, const QString &caption)
{
    auto *edit = named<QLineEdit>(form->parentWidget(), name);
    form->addRow(caption, edit);
    return edit;
}

void addButtons(QFormLayout *form, std::initializer_list<Button> buttons)
{
    auto *row = new QHBoxLayout;
    for (const auto &[button, name, caption] : buttons) {
        *button = named<QPushButton>(form->parentWidget(), name, caption);
        row->addWidget(*button);
    }
    form->addRow(row);
}

// One row of the page: the panel, and its grid beside it.
void addPanelRow(QVBoxLayout *layout, QFormLayout *form, const char *gridName, QTableView *&grid)
{
    QWidget *panel = form->parentWidget();
    grid = named<QTableView>(panel->parentWidget(), gridName);
    auto *row = new QHBoxLayout;
    row->addWidget(panel);
    row->addWidget(grid, 1);
    layout->addLayout(row, 1);
}

}  // namespace

UnitScaleWidgets buildUnitScalePanels(QWidget *host)
{
    UnitScaleWidgets w;
    auto *layout = new QVBoxLayout(host);
    QFormLayout *units = panelForm(host, "plUnitSet");
    w.edUnitIndex = field(units, "edUnitIndex", QStringLiteral("序號 : "));
    w.edUnitCode = field(units, "edUnitCode", QStringLiteral("單位代號 : "));
    w.edUnitName = field(units, "edUnitName", QStringLiteral("單位名稱 : "));
    w.edUnitValue = field(units, "edUnitValue", QStringLiteral("單位長度 : "));
    addButtons(units, {{&w.BitBtn11, "BitBtn11", QStringLiteral("新增")},
                       {&w.BitBtn12, "BitBtn12", QStringLiteral("更新")},
                       {&w.BitBtn13, "BitBtn13", QStringLiteral("刪除")},
                       {&w.bbtUnitSetRefresh, "bbtUnitSetRefresh", QStringLiteral("資料重整")}});
    addPanelRow(layout, units, "dbgUnitSet", w.dbgUnitSet);

    QFormLayout *scales = panelForm(host, "plScaleSet");
    w.edScaleIndex = field(scales, "edScaleIndex", QStringLiteral("序號 : "));
    w.edScaleName = field(scales, "edScaleName", QStringLiteral("倍率組名稱 : "));
    w.edScaleUnitCode = field(scales, "edScaleUnitCode", QStringLiteral("單位代號 : "));
    w.edScaleUnitName = field(scales, "edScaleUnitName", QStringLiteral("單位名稱 : "));
    w.edScaleUnitName->setReadOnly(true);
    w.edXLength = field(scales, "edXLength", QStringLiteral("X 軸長度"));
    w.edXPixel = field(scales, "edXPixel", QStringLiteral("X 軸像數"));
    w.edYLength = field(scales, "edYLength", QStringLiteral("Y 軸長度"));
    w.edYPixel = field(scales, "edYPixel", QStringLiteral("Y 軸像數"));
    addButtons(scales, {{&w.BitBtn2, "BitBtn2", QStringLiteral("新增")},
                        {&w.BitBtn10, "BitBtn10", QStringLiteral("更新")},
                        {&w.BitBtn18, "BitBtn18", QStringLiteral("刪除")},
                        {&w.bbtScaleSetRefresh, "bbtScaleSetRefresh", QStringLiteral("資料重整")}});
    addPanelRow(layout, scales, "dbgScaleSet", w.dbgScaleSet);
    return w;
}
