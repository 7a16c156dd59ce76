// Grid layouts kept in ".pos" files: written by a right click, restored at the next start, a damaged
// file reported without stopping the start.
#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "app/main.h"
#include "base/gridlayout.h"
#include "calibration/scalevalues.h"
#include "tests/app/testkit.h"
#include "tests/filebytes.h"
#include "ui/gridlayouts.h"

namespace {

struct LayoutWindow : TestWindow {
    // Shows the grid's pages, as the operator sees it before arranging it.
    QTableView *grid(const char *name)
    {
        control<QTimer>("Timer1")->stop();
        window->show();
        auto *view = control<QTableView>(name);
        for (QWidget *w = view; w->parentWidget(); w = w->parentWidget()) {
            if (auto *tabs = qobject_cast<QTabWidget *>(w->parentWidget()->parentWidget()); tabs && tabs->indexOf(w) >= 0)
                tabs->setCurrentWidget(w);
        }
        return view;
    }
    static QStringList fields(const QTableView *view)
    {
        QStringList out;
        for (const GridColumnName &c : gridColumnNames(*view))
            out << c.field + u'|' + c.title;
        return out;
    }
    void rightClick(QWidget *where, QPoint at) { QTest::mouseClick(where, Qt::RightButton, Qt::NoModifier, at); }
};

GridColumnLayout column(const char *field, const char *title, int width)
{
    GridColumnLayout c;
    c.field = QString::fromLatin1(field);
    c.title = QString::fromUtf8(title);
    c.width = width;
    return c;
}

}  // namespace

class TestGridLayouts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rightClickKeepsTheArrangementForTheNextStart();
    void everyColumnAttributeComesBack();
    void damagedFilesAreReportedOnceAndTheStartGoesOn();
};

void TestGridLayouts::rightClickKeepsTheArrangementForTheNextStart()
{
    LayoutWindow t;
    QTableView *units = t.grid("dbgUnitSet");
    units->horizontalHeader()->moveSection(0, 3);
    units->horizontalHeader()->resizeSection(2, 150);
    // The right button keeps the layout and leaves the row where it was.
    t.rightClick(units->viewport(), units->visualRect(units->model()->index(2, 1)).center());
    QCOMPARE(units->currentIndex().row(), 0);
    const QByteArray written = fileBytes(t.path(QStringLiteral("dbgUnitSet.pos")));
    QVERIFY(!written.isEmpty());

    QTableView *products = t.grid("DBGrid3");
    products->horizontalHeader()->moveSection(1, 0);
    t.rightClick(products->horizontalHeader()->viewport(), QPoint(5, 5));
    // The measurement list is read again for every work order shown; its columns stay arranged.
    QTableView *list = t.grid("dbgMeasure");
    list->horizontalHeader()->moveSection(5, 0);
    t.rightClick(list->horizontalHeader()->viewport(), QPoint(5, 5));
    QVERIFY(QFile::exists(t.path(QStringLiteral("DBGrid3.pos"))));
    QVERIFY(!QFile::exists(t.path(QStringLiteral("DBGrid4.pos"))));

    t.restart();
    QVERIFY(t.log->errors.isEmpty());
    units = t.grid("dbgUnitSet");
    QCOMPARE(LayoutWindow::fields(units), (QStringList{QStringLiteral("UnitCode|單位代號"), QStringLiteral("UnitName|單位名稱"),
                                                       QStringLiteral("mValue|單位長度(mm)"), QStringLiteral("mIndex|序號")}));
    QCOMPARE(units->horizontalHeader()->sectionSize(1), 150);
    QCOMPARE(units->model()->index(0, 3).data().toString(), QStringLiteral("1"));
    // The length column still refuses what no unit can be.
    QVERIFY(!units->model()->setData(units->model()->index(0, 2), QStringLiteral("0")));
    QCOMPARE(t.log->errors.size(), 1);
    QCOMPARE(LayoutWindow::fields(t.grid("DBGrid3")),
             (QStringList{QStringLiteral("ProductName|產品名稱"), QStringLiteral("ProductID|產品編號")}));
    const QStringList arranged = {QStringLiteral("OBJNote|說明"),      QStringLiteral("OBJIndex|序號"),
                                  QStringLiteral("MeasureName|名稱"),  QStringLiteral("xAttribID|屬性"),
                                  QStringLiteral("xVal1|量測值"),      QStringLiteral("RecID|零件編號")};
    QCOMPARE(LayoutWindow::fields(t.grid("dbgMeasure")), arranged);
    t.showPlainPicture(64, 48, Qt::gray);
    QCOMPARE(LayoutWindow::fields(t.grid("dbgMeasure")), arranged);

    // Written again unchanged, the restored layout gives the same file.
    t.rightClick(units->viewport(), QPoint(5, 5));
    QCOMPARE(fileBytes(t.path(QStringLiteral("dbgUnitSet.pos"))), written);
}

void TestGridLayouts::everyColumnAttributeComesBack()
{
    LayoutWindow t;
    GridColumnLayout name = column("ScaleName", "名稱", 120);
    name.alignment = ColumnAlignment::Right;
    name.titleAlignment = ColumnAlignment::Center;
    name.color = 0x0000FF;
    name.font = QFont(QStringLiteral("DejaVu Sans"), 11, QFont::Bold).toString();
    GridColumnLayout hidden = column("X_Pixel", "X軸像數", 70);
    hidden.visible = false;
    const GridLayout layout = {name, hidden, column("UnitName", "", 90), column("Missing", "缺少", 40)};
    QVERIFY(writeFileBytes(t.path(QStringLiteral("dbgScaleSet.pos")), gridLayoutText(layout)));
    t.restart();

    QTableView *scales = t.grid("dbgScaleSet");
    QCOMPARE(currentGridLayout(*scales), layout);
    // Rereading the rows keeps the columns as they are.
    QTest::mouseClick(t.control<QPushButton>("bbtScaleSetRefresh"), Qt::LeftButton);
    QCOMPARE(currentGridLayout(*scales), layout);
    QVERIFY(scales->isColumnHidden(1));
    const QModelIndex cell = scales->model()->index(0, 0);
    QCOMPARE(cell.data().toString(), QStringLiteral("1X"));
    QCOMPARE(cell.data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignVCenter));
    QCOMPARE(cell.data(Qt::BackgroundRole).value<QColor>(), QColor(Qt::red));
    QVERIFY(cell.data(Qt::FontRole).value<QFont>().bold());
    QCOMPARE(scales->model()->headerData(0, Qt::Horizontal, Qt::TextAlignmentRole).toInt(),
             int(Qt::AlignHCenter | Qt::AlignVCenter));
    QCOMPARE(scales->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("UnitName"));
    QCOMPARE(scales->model()->index(0, 3).data(), QVariant());
    // What an export writes: every column in display order, hidden ones too, untitled ones by field.
    QCOMPARE(LayoutWindow::fields(scales), (QStringList{QStringLiteral("ScaleName|名稱"), QStringLiteral("X_Pixel|X軸像數"),
                                                        QStringLiteral("UnitName|UnitName"), QStringLiteral("Missing|缺少")}));
}

void TestGridLayouts::damagedFilesAreReportedOnceAndTheStartGoesOn()
{
    LayoutWindow t;
    const GridLayout scales = {column("ScaleName", "倍率組名稱", 100), column("S.mIndex", "序號", 40)};
    QByteArray cutOff = gridLayoutText({column("RecName", "零件名稱", 80)});
    cutOff.chop(1);
    QVERIFY(writeFileBytes(t.path(QStringLiteral("DBGrid3.pos")), "not a layout\n"));
    QVERIFY(writeFileBytes(t.path(QStringLiteral("DBGrid4.pos")), cutOff));
    for (const char *grid : {"DBGrid5", "dbgMeasure", "DBGrid2", "dbgRecDetail", "dbgUnitSet"})
        QVERIFY(writeFileBytes(t.path(QString::fromLatin1(grid) + QStringLiteral(".pos")), "damaged\n"));
    QVERIFY(writeFileBytes(t.path(QStringLiteral("dbgScaleSet.pos")), gridLayoutText(scales)));
    t.restart();

    // The steps after the layouts ran: the scale set chosen, the side panel closed, the timer started.
    QVERIFY(t.control<QTimer>("Timer1")->isActive());
    QCOMPARE(t.control<QComboBox>("cbScaleSet")->currentText(), QStringLiteral("1X"));
    QCOMPARE(t.window->state().scale.ScaleX, 0.01);
    QCOMPARE(t.control("Panel3")->maximumWidth(), 16);
    // One message names every damaged file, in the order the grids are restored.
    QCOMPARE(t.log->errors.size(), 1);
    const QStringList named = t.log->errors[0].split(u'\n');
    const QStringList order = {QStringLiteral("DBGrid5.pos"),      QStringLiteral("dbgMeasure.pos"),
                               QStringLiteral("DBGrid2.pos"),      QStringLiteral("DBGrid3.pos"),
                               QStringLiteral("DBGrid4.pos"),      QStringLiteral("dbgRecDetail.pos"),
                               QStringLiteral("dbgUnitSet.pos")};
    QCOMPARE(named.size(), order.size());
    for (qsizetype i = 0; i < order.size(); ++i)
        QVERIFY2(named[i].contains(order[i]), qPrintable(named[i]));
    QCOMPARE(LayoutWindow::fields(t.grid("DBGrid3")),
             (QStringList{QStringLiteral("ProductID|產品編號"), QStringLiteral("ProductName|產品名稱")}));
    QCOMPARE(LayoutWindow::fields(t.grid("DBGrid4")),
             (QStringList{QStringLiteral("RecID|零件編號"), QStringLiteral("RecName|零件名稱")}));
    QCOMPARE(currentGridLayout(*t.grid("dbgScaleSet")), scales);
}

QUILLMONT_TEST_MAIN(TestGridLayouts)
#include "tst_gridlayouts.moc"
