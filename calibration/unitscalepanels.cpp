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

QLineEdit *field(QWidget *panel, QFormLayout *form, const char *name, const QString &caption)
{
    auto *edit = named<QLineEdit>(panel, name);
    form->addRow(caption, edit);
    return edit;
}

// The four buttons under a panel's fields.
void addButtons(QWidget *panel, QFormLayout *form,
                std::initializer_list<std::tuple<QPushButton **, const char *, QString>> buttons)
{
    auto *row = new QHBoxLayout;
    for (const auto &[button, name, caption] : buttons) {
        *button = named<QPushButton>(panel, name, caption);
        row->addWidget(*button);
    }
    form->addRow(row);
}

}  // namespace

UnitScaleWidgets buildUnitScalePanels(QWidget *host)
{
    UnitScaleWidgets w;
    auto *layout = new QVBoxLayout(host);

    auto *unitRow = new QHBoxLayout;
    auto *unitPanel = named<QWidget>(host, "plUnitSet");
    auto *unitForm = new QFormLayout(unitPanel);
    w.edUnitIndex = field(unitPanel, unitForm, "edUnitIndex", QStringLiteral("序號 : "));
    w.edUnitCode = field(unitPanel, unitForm, "edUnitCode", QStringLiteral("單位代號 : "));
    w.edUnitName = field(unitPanel, unitForm, "edUnitName", QStringLiteral("單位名稱 : "));
    w.edUnitValue = field(unitPanel, unitForm, "edUnitValue", QStringLiteral("單位長度 : "));
    addButtons(unitPanel, unitForm,
               {{&w.BitBtn11, "BitBtn11", QStringLiteral("新增")},
                {&w.BitBtn12, "BitBtn12", QStringLiteral("更新")},
                {&w.BitBtn13, "BitBtn13", QStringLiteral("刪除")},
                {&w.bbtUnitSetRefresh, "bbtUnitSetRefresh", QStringLiteral("資料重整")}});
    unitRow->addWidget(unitPanel);
    w.dbgUnitSet = named<QTableView>(host, "dbgUnitSet");
    unitRow->addWidget(w.dbgUnitSet, 1);
    layout->addLayout(unitRow, 1);

    auto *scaleRow = new QHBoxLayout;
    auto *scalePanel = named<QWidget>(host, "plScaleSet");
    auto *scaleForm = new QFormLayout(scalePanel);
    w.edScaleIndex = field(scalePanel, scaleForm, "edScaleIndex", QStringLiteral("序號 : "));
    w.edScaleName = field(scalePanel, scaleForm, "edScaleName", QStringLiteral("倍率組名稱 : "));
    w.edScaleUnitCode = field(scalePanel, scaleForm, "edScaleUnitCode", QStringLiteral("單位代號 : "));
    w.edScaleUnitName = field(scalePanel, scaleForm, "edScaleUnitName", QStringLiteral("單位名稱 : "));
    w.edScaleUnitName->setReadOnly(true);
    w.edXLength = field(scalePanel, scaleForm, "edXLength", QStringLiteral("X 軸長度"));
    w.edXPixel = field(scalePanel, scaleForm, "edXPixel", QStringLiteral("X 軸像數"));
    w.edYLength = field(scalePanel, scaleForm, "edYLength", QStringLiteral("Y 軸長度"));
    w.edYPixel = field(scalePanel, scaleForm, "edYPixel", QStringLiteral("Y 軸像數"));
    addButtons(scalePanel, scaleForm,
               {{&w.BitBtn2, "BitBtn2", QStringLiteral("新增")},
                {&w.BitBtn10, "BitBtn10", QStringLiteral("更新")},
                {&w.BitBtn18, "BitBtn18", QStringLiteral("刪除")},
                {&w.bbtScaleSetRefresh, "bbtScaleSetRefresh", QStringLiteral("資料重整")}});
    scaleRow->addWidget(scalePanel);
    w.dbgScaleSet = named<QTableView>(host, "dbgScaleSet");
    scaleRow->addWidget(w.dbgScaleSet, 1);
    layout->addLayout(scaleRow, 1);
    return w;
}
