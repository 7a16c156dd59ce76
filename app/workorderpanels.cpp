// The controls of the work orders and the measurement list on the measuring, maintenance and
// capture-settings pages.
#include "app/workorderpanels.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "ui/recordnavigator.h"
#include "ui/widgets.h"

namespace {

QLineEdit *field(QWidget *parent, QHBoxLayout *row, const QString &caption, const char *name, int width,
                 const QString &text = QString())
{
    row->addWidget(new QLabel(caption, parent));
    auto *edit = named<QLineEdit>(parent, name, text);
    edit->setFixedWidth(width);
    row->addWidget(edit);
    return edit;
}

QTableView *grid(QWidget *parent, const char *name)
{
    auto *view = named<QTableView>(parent, name);
    view->horizontalHeader()->setStretchLastSection(true);
    return view;
}

QHBoxLayout *tightRow()
{
    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    return row;
}

// A read-out: its caption, the edit and the unit caption, in one column group of the grid.
QLineEdit *readOut(QWidget *parent, QGridLayout *grid, int row, int column, QLabel *caption, const char *name,
                   QLabel *&unit, const char *unitName)
{
    grid->addWidget(caption, row, column, Qt::AlignRight);
    auto *edit = named<QLineEdit>(parent, name, QStringLiteral("0.000"));
    edit->setFixedWidth(72);
    edit->setAlignment(Qt::AlignRight);
    grid->addWidget(edit, row, column + 1);
    unit = named<QLabel>(parent, unitName, QStringLiteral("mm"));
    unit->setMinimumWidth(24);
    grid->addWidget(unit, row, column + 2);
    return edit;
}

}  // namespace

void buildWorkOrderPanels(QWidget *parent, QBoxLayout *layout, WorkOrderWidgets &w, MeasurementListWidgets &list)
{
    auto *orders = named<QWidget>(parent, "plWorkOrder");
    QHBoxLayout *row = tightRow();
    orders->setLayout(row);
    row->setContentsMargins(4, 2, 4, 2);
    WorkOrderFields &f = w.fields;
    f.edWorkSheetID = field(orders, row, QStringLiteral("工單號碼："), "edWorkSheetID", 120, QStringLiteral("TEMP"));
    f.edWorkSheetName = field(orders, row, QStringLiteral("工單名稱："), "edWorkSheetName", 140, QStringLiteral("測試"));
    f.edStaffID = field(orders, row, QStringLiteral("員工編號："), "edStaffID", 90);
    f.edStaffName = field(orders, row, QStringLiteral("員工姓名："), "edStaffName", 90);
    w.btQryOperNo = named<QPushButton>(orders, "btQryOperNo", QStringLiteral("查詢"));
    w.bbtChangePic = named<QPushButton>(orders, "bbtChangePic", QStringLiteral("換圖"));
    w.bbtSaveTitle = named<QPushButton>(orders, "bbtSaveTitle", QStringLiteral("儲存"));
    w.bbtAdd = named<QPushButton>(orders, "bbtAdd", QStringLiteral("新增"));
    w.bbtAdd->hide();
    for (QPushButton *button : {w.btQryOperNo, w.bbtChangePic, w.bbtSaveTitle, w.bbtAdd})
        row->addWidget(button);
    row->addStretch(1);
    layout->addWidget(orders);

    auto *record = named<QWidget>(parent, "plRecord");
    auto *readOuts = new QGridLayout(record);
    readOuts->setContentsMargins(4, 0, 4, 0);
    readOuts->setHorizontalSpacing(3);
    readOuts->setVerticalSpacing(1);
    for (int i = 0; i < 8; ++i) {
        const QString axis = QStringLiteral("%1%2").arg(QChar(i % 2 == 0 ? u'X' : u'Y')).arg(i / 2 + 1);
        const QByteArray name = QStringLiteral("ed%1").arg(axis).toLatin1();
        const QByteArray unitName = QStringLiteral("lbUnit%1").arg(axis).toLatin1();
        // Two rows of four, so that the panel fits a 1024-pixel screen with any unit caption.
        list.points[std::size_t(i)] = readOut(record, readOuts, i / 4, 3 * (i % 4), new QLabel(axis + QStringLiteral(":"), record),
                                              name.constData(), list.pointUnits[std::size_t(i)], unitName.constData());
    }
    const QString captions[3] = {QStringLiteral("距離："), QStringLiteral("圓心X："), QStringLiteral("圓心Y：")};
    for (int i = 0; i < 3; ++i) {
        const QByteArray caption = QStringLiteral("lbResult%1").arg(i + 1).toLatin1();
        const QByteArray name = QStringLiteral("edResult%1").arg(i + 1).toLatin1();
        const QByteArray unit = QStringLiteral("lbResultUnit%1").arg(i + 1).toLatin1();
        list.resultCaptions[std::size_t(i)] = named<QLabel>(record, caption.constData(), captions[i]);
        list.results[std::size_t(i)] = readOut(record, readOuts, 2, 3 * i, list.resultCaptions[std::size_t(i)],
                                               name.constData(), list.resultUnits[std::size_t(i)], unit.constData());
    }
    // The note takes the rest of the results' row.
    QHBoxLayout *note = tightRow();
    note->addWidget(new QLabel(QStringLiteral("說明："), record));
    list.edOBJNote = named<QLineEdit>(record, "edOBJNote");
    note->addWidget(list.edOBJNote, 1);
    list.btUpdRec = named<QPushButton>(record, "btUpdRec", QStringLiteral("更新"));
    note->addWidget(list.btUpdRec);
    readOuts->addLayout(note, 2, 9, 1, 4);
    readOuts->setColumnStretch(12, 1);
    layout->addWidget(record);
}

void buildNoteUpdate(QWidget *panel, QFormLayout *form, MeasurementListWidgets &list)
{
    list.bbtUpdate = named<QPushButton>(panel, "bbtUpdate", QStringLiteral("更新"));
    form->addRow(QString(), list.bbtUpdate);
}

void buildOrderQueryPage(QWidget *page, WorkOrderWidgets &w, MeasurementListWidgets &list)
{
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    QHBoxLayout *buttons = tightRow();
    list.BitBtn21 = named<QPushButton>(page, "BitBtn21", QStringLiteral("刪除"));
    list.BitBtn23 = named<QPushButton>(page, "BitBtn23", QStringLiteral("列印"));
    buttons->addWidget(list.BitBtn21);
    buttons->addWidget(list.BitBtn23);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    w.DBGrid5 = grid(page, "DBGrid5");
    layout->addWidget(w.DBGrid5, 1);
}

void buildOrderContentPage(QWidget *page, MeasurementListWidgets &list)
{
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    QHBoxLayout *top = tightRow();
    list.lbRecCount = named<QLabel>(page, "lbRecCount", QStringLiteral("共(0)筆"));
    list.btDelItem = named<QPushButton>(page, "btDelItem", QStringLiteral("刪除"));
    list.BitBtn24 = named<QPushButton>(page, "BitBtn24", QStringLiteral("刪除全部"));
    top->addWidget(list.lbRecCount);
    top->addStretch(1);
    top->addWidget(list.btDelItem);
    top->addWidget(list.BitBtn24);
    layout->addLayout(top);
    list.dbgMeasure = grid(page, "dbgMeasure");
    layout->addWidget(list.dbgMeasure, 1);
}

QLabel *buildPictureFileName(QWidget *page)
{
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("FileName："), page));
    auto *name = named<QLabel>(page, "lbFileName");
    name->setTextInteractionFlags(Qt::TextSelectableByMouse);
    row->addWidget(name, 1);
    auto *box = qobject_cast<QBoxLayout *>(page->layout());
    if (!box) {
        box = new QVBoxLayout(page);
        box->addStretch(1);
    }
    box->insertLayout(0, row);
    return name;
}

WorkOrderTables buildWorkOrderTables(QWidget *parent, QBoxLayout *layout)
{
    WorkOrderTables t;
    auto *orders = named<QWidget>(parent, "plWorkOrderTable");
    auto *ordersLayout = new QVBoxLayout(orders);
    ordersLayout->setContentsMargins(0, 0, 0, 0);
    QHBoxLayout *fields = tightRow();
    t.fields.edWorkSheetID = field(orders, fields, QStringLiteral("工單號碼："), "edWorkSheetID2", 120);
    t.fields.edWorkSheetName = field(orders, fields, QStringLiteral("工單名稱："), "edWorkSheetName2", 140);
    t.fields.edStaffID = field(orders, fields, QStringLiteral("員工編號："), "edStaffID2", 90);
    t.fields.edStaffName = field(orders, fields, QStringLiteral("員工姓名："), "edStaffName2", 90);
    t.BitBtn16 = named<QPushButton>(orders, "BitBtn16", QStringLiteral("新增"));
    fields->addWidget(t.BitBtn16);
    fields->addStretch(1);
    ordersLayout->addLayout(fields);
    t.DBNavigator1 = named<RecordNavigator>(orders, "DBNavigator1");
    ordersLayout->addWidget(t.DBNavigator1);
    t.DBGrid2 = grid(orders, "DBGrid2");
    ordersLayout->addWidget(t.DBGrid2, 1);
    layout->addWidget(orders, 1);

    auto *measurements = named<QWidget>(parent, "plRecDetailTable");
    auto *measurementsLayout = new QVBoxLayout(measurements);
    measurementsLayout->setContentsMargins(0, 0, 0, 0);
    QHBoxLayout *top = tightRow();
    t.DBNavigator2 = named<RecordNavigator>(measurements, "DBNavigator2");
    t.bbtClearAll = named<QPushButton>(measurements, "bbtClearAll", QStringLiteral("全部刪除"));
    top->addWidget(t.DBNavigator2, 1);
    top->addWidget(t.bbtClearAll);
    measurementsLayout->addLayout(top);
    t.dbgRecDetail = grid(measurements, "dbgRecDetail");
    measurementsLayout->addWidget(t.dbgRecDetail, 1);
    layout->addWidget(measurements, 1);
    return t;
}
