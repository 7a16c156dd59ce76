// Work orders and their measurement list on the real main window, a real database file and real
// picture files: the scratch order of every picture, saving it, reloading it, and editing its list.
#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableView>
#include <QTest>

#include "acquire/picturefile.h"
#include "app/main.h"
#include "calibration/scalevalues.h"
#include "display/pictures.h"
#include "measure/measurementlabel.h"
#include "records/database.h"
#include "records/dataset.h"
#include "records/datasets.h"
#include "records/sqlbind.h"
#include "records/sqlcatalogue.h"
#include "tests/app/testkit.h"
#include "ui/pictureview.h"

namespace {

// Rows of a table as "value|value|…" of the space-separated fields, in rowid order.
QStringList rows(TfmMain &w, const QString &where, const QString &fields)
{
    QSqlQuery q(w.database().db());
    if (!q.exec(QStringLiteral("select * from %1 order by rowid").arg(where)))
        qFatal("%s", qPrintable(q.lastQuery()));
    return rowTexts(q, fields);
}

struct OrdersWindow : TestWindow {
    QImage first = samplePicture(400, 300);
    QImage second = samplePicture(320, 240).mirrored(true, false);

    OrdersWindow()
    {
        (void)writeBitmapFile(first, path(QStringLiteral("a.bmp")));
        (void)writeBitmapFile(second, path(QStringLiteral("b.bmp")));
        // A second scale set, half the pixel size of the starter set on X.
        (void)runStatement(window->database().db(), Sql::ScaleInsert,
                           {{QStringLiteral("_mIndex"), 2}, {QStringLiteral("_ScaleName"), QStringLiteral("H")},
                            {QStringLiteral("_UnitCode"), QStringLiteral("mm")}, {QStringLiteral("_X_Length"), 1.0},
                            {QStringLiteral("_X_Pixel"), 200.0}, {QStringLiteral("_Y_Length"), 1.0},
                            {QStringLiteral("_Y_Pixel"), 100.0}});
        QTest::mouseClick(control<QPushButton>("bbtScaleSetRefresh"), Qt::LeftButton);
        window->show();
    }
    QString text(const char *name) const { return control<QLineEdit>(name)->text(); }
    // The measurement labels over the picture: name, text and place.
    QStringList labels() const
    {
        QStringList out;
        for (const MeasurementLabel *l : window->findChildren<MeasurementLabel *>())
            if (l->objectName().startsWith(QLatin1String("mlbMeasure")) && l->isVisibleTo(l->parentWidget()))
                out << QStringLiteral("%1|%2|%3,%4").arg(l->objectName(), l->text()).arg(l->x()).arg(l->y());
        out.sort();
        return out;
    }
    void type(const char *name, const QString &text) { control<QLineEdit>(name)->setText(text); }
    void click(const char *name) { QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton); }
    void clicks(std::initializer_list<QPoint> points)
    {
        for (QPoint p : points)
            clickPicture(p.x(), p.y());
    }
    // The operator picks an entry from the list's popup.
    void choose(const char *list, const QString &entry)
    {
        auto *box = control<QComboBox>(list);
        const int index = box->findText(entry);
        QVERIFY2(index >= 0, qPrintable(entry));
        box->setCurrentIndex(index);
        Q_EMIT box->activated(index);
    }
    // A row picked in a grid, as a click moves its current index.
    void pickRow(const char *grid, int row)
    {
        auto *view = control<QTableView>(grid);
        view->setCurrentIndex(view->model()->index(row, 1));
    }
    const Dataset &list() const { return *window->datasets().qryMeasure; }
    QStringList titles() const { return rows(*window, QStringLiteral("RecTitle"), QStringLiteral("OperNo PicFullName ScaleName ScaleX")); }
    QStringList details(const QString &fields = QStringLiteral("OperNo MeasureName")) const
    {
        return rows(*window, QStringLiteral("RecDetail"), fields);
    }
    // Width, circle and angle, one after the other.
    void measureThreeKinds()
    {
        selectKind(0);
        clicks({{10, 20}, {110, 30}});
        selectKind(5);
        clicks({{100, 50}, {150, 100}, {100, 150}});
        selectKind(6);
        clicks({{20, 200}, {120, 200}, {70, 250}, {70, 150}});
    }
};

}  // namespace

class TestWorkOrders : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aSavedWorkOrderComesBackWithItsPictureAndScale();
    void theListIsEditedDeletedAndAnnotated();
    void aNewOrderByHandChecksTheScaleFirst();
};

void TestWorkOrders::aSavedWorkOrderComesBackWithItsPictureAndScale()
{
    OrdersWindow t;
    const QString a = t.path(QStringLiteral("a.bmp"));
    const QString b = t.path(QStringLiteral("b.bmp"));
    t.openThroughMenu(a);
    QCOMPARE(t.text("edWorkSheetID"), QStringLiteral("TEMP"));
    QCOMPARE(t.titles(), QStringList{QStringLiteral("TEMP|%1|1X|0.01").arg(a)});
    t.choose("cbScaleSet", QStringLiteral("H"));
    QCOMPARE(t.titles(), QStringList{QStringLiteral("TEMP|%1|H|0.005").arg(a)});

    t.measureThreeKinds();
    QCOMPARE(t.details(), (QStringList{"TEMP|w001", "TEMP|r002", "TEMP|g003"}));
    QCOMPARE(t.control<QLabel>("lbRecCount")->text(), QStringLiteral("共(3)筆"));
    QCOMPARE(t.list().recNo(), 2);
    QCOMPARE(t.list().text(QStringLiteral("xAttribID")), QStringLiteral("夾角"));
    QCOMPARE(t.control<QLabel>("lbResult1")->text(), QStringLiteral("角度："));
    QCOMPARE(t.control<QLabel>("lbResultUnit1")->text(), QStringLiteral("°"));
    QCOMPARE(t.text("edResult1"), QStringLiteral("90.000"));

    t.type("edWorkSheetID", QStringLiteral("A001"));
    t.type("edWorkSheetName", QStringLiteral("it's mine"));
    t.type("edStaffID", QStringLiteral("7"));
    t.type("edStaffName", QStringLiteral("Li"));
    t.click("bbtSaveTitle");
    QCOMPARE(t.titles(), QStringList{QStringLiteral("A001|%1|H|0.005").arg(a)});
    QCOMPARE(t.details(), (QStringList{"A001|w001", "A001|r002", "A001|g003"}));
    QCOMPARE(rows(*t.window, QStringLiteral("RecTitle"), QStringLiteral("OperName OperatorID OperatorName")),
             QStringList{QStringLiteral("it's mine|7|Li")});
    QCOMPARE(t.list().recordCount(), 3);
    // As the refresh draws them, to compare with what the selection brings back.
    QTest::mouseClick(t.control<QAbstractButton>("bbtPictureRefresh"), Qt::LeftButton);
    const QImage drawn = t.window->pictures().view().copy();
    const QStringList placed = t.labels();
    QCOMPARE(placed.size(), 3);

    // The second picture replaces the scratch order, not the saved one; the reopen passes over
    // A001 on its way to TEMP without reading A001's picture.
    QSignalSpy reads(&t.window->pictures(), &Pictures::cleanReplaced);
    t.openThroughMenu(b);
    QCOMPARE(reads.count(), 1);
    QCOMPARE(maxDifference(t.clean(), t.second), 0);
    t.choose("cbScaleSet", QStringLiteral("1X"));
    QCOMPARE(t.titles(), (QStringList{QStringLiteral("A001|%1|H|0.005").arg(a), QStringLiteral("TEMP|%1|1X|0.01").arg(b)}));
    QCOMPARE(t.text("edWorkSheetID"), QStringLiteral("TEMP"));
    QCOMPARE(t.list().recordCount(), 0);
    t.selectKind(2);
    t.clicks({{10, 10}, {40, 50}});
    QCOMPARE(t.details().size(), 4);

    // Under a number that exists, in another case and with blanks, nothing changes.
    t.type("edWorkSheetID", QStringLiteral(" a001 "));
    t.click("bbtSaveTitle");
    QCOMPARE(t.log->messages.last(), QStringLiteral("工單號碼 a001 已存在!!"));
    QCOMPARE(t.titles().size(), 2);
    QCOMPARE(t.details(), (QStringList{"A001|w001", "A001|r002", "A001|g003", "TEMP|d001"}));

    // Selecting A001 brings back its fields, scale set, picture and measurements; one read only.
    reads.clear();
    t.pickRow("DBGrid5", 0);
    QCOMPARE(reads.count(), 1);
    QCOMPARE(t.text("edWorkSheetID"), QStringLiteral("A001"));
    QCOMPARE(t.text("edWorkSheetName2"), QStringLiteral("it's mine"));
    QCOMPARE(t.text("edStaffName"), QStringLiteral("Li"));
    QCOMPARE(t.control<QComboBox>("cbScaleSet")->currentText(), QStringLiteral("H"));
    QCOMPARE(t.window->state().scale.ScaleX, 0.005);
    QCOMPARE(t.control<QLabel>("lbFileName")->text(), a);
    QCOMPARE(maxDifference(t.clean(), t.first), 0);
    QCOMPARE(t.list().recordCount(), 3);
    QCOMPARE(t.list().text(QStringLiteral("MeasureName")), QStringLiteral("w001"));
    QCOMPARE(t.control<QLabel>("lbRecCount")->text(), QStringLiteral("共(3)筆"));
    // Its marks and labels come back in the same places; the scratch order's are gone.
    QCOMPARE(t.labels(), placed);
    QCOMPARE(maxDifference(t.window->pictures().view(), drawn), 0);
    QVERIFY(t.log->errors.isEmpty());
}

void TestWorkOrders::theListIsEditedDeletedAndAnnotated()
{
    OrdersWindow t;
    t.openThroughMenu(t.path(QStringLiteral("a.bmp")));
    t.measureThreeKinds();
    t.selectKind(2);
    t.clicks({{10, 10}, {40, 50}});
    const Dataset &list = t.list();
    QCOMPARE(list.recordCount(), 4);

    // In µm the read-outs are a thousand times the stored lengths; the list keeps the stored unit.
    t.choose("cbUnitSet", QStringLiteral("µm"));
    t.pickRow("dbgMeasure", 0);
    QCOMPARE(t.text("edX2"), QStringLiteral("1100.000"));
    QCOMPARE(t.text("edResult1"), QStringLiteral("1000.000"));
    QCOMPARE(list.text(QStringLiteral("xVal1")), QStringLiteral("1.0000"));
    QCOMPARE(t.control<QLabel>("lbUnitY4")->text(), QStringLiteral("µm"));
    t.pickRow("dbgMeasure", 2);  // the angle
    QCOMPARE(t.control<QLabel>("lbResult2")->text(), QStringLiteral("交點X："));
    t.pickRow("dbgMeasure", 3);  // a distance after it keeps the angle's second and third captions
    QCOMPARE(t.control<QLabel>("lbResult1")->text(), QStringLiteral("距離："));
    QCOMPARE(t.control<QLabel>("lbResult3")->text(), QStringLiteral("交點Y："));
    QCOMPARE(t.control<QLabel>("lbResultUnit1")->text(), QStringLiteral("µm"));
    // The red dot centres on the middle of P1 (10, 10) and P2 (40, 50).
    QCOMPARE(t.control<QWidget>("spRedPoint")->pos(), QPoint(19, 24));

    // Record update from edited read-outs: a field that is no number writes nothing; an empty one is 0.
    t.pickRow("dbgMeasure", 0);
    t.type("edX1", QStringLiteral("abc"));
    t.click("btUpdRec");
    QCOMPARE(t.log->errors, QStringList{QStringLiteral("'abc' is not a valid floating point value")});
    t.type("edX1", QStringLiteral("250"));
    t.type("edResult1", QString());
    t.type("edOBJNote", QStringLiteral("edited"));
    t.click("btUpdRec");
    QCOMPARE(t.details(QStringLiteral("MeasureName x1 x5 Val1 Val4 OBJNote")).first(),
             QStringLiteral("w001|10|0.25|100|0|edited"));

    // A note stored with Enter: the same row stays current and the labels show notes only.
    t.pickRow("dbgMeasure", 1);
    t.type("edNewOBJNote", QStringLiteral("it's round"));
    QTest::keyClick(t.control<QLineEdit>("edNewOBJNote"), Qt::Key_Return);
    QCOMPARE(t.details(QStringLiteral("MeasureName OBJNote"))[1], QStringLiteral("r002|it's round"));
    QCOMPARE(list.recNo(), 1);
    QVERIFY(t.control<QAbstractButton>("rgLabelDisplay5")->isChecked());

    // Delete one (no question), then all: No keeps them, Yes removes them and keeps the title.
    t.click("btDelItem");
    QCOMPARE(t.details(), (QStringList{"TEMP|w001", "TEMP|g003", "TEMP|d004"}));
    QCOMPARE(t.control<QLabel>("lbRecCount")->text(), QStringLiteral("共(3)筆"));
    t.dialogs->confirmAnswers = {false, true};
    t.click("BitBtn24");
    QCOMPARE(t.details().size(), 3);
    t.click("bbtClearAll");
    QCOMPARE(t.log->confirms, (QStringList(2, QStringLiteral("確認|確定要刪除這張工單所有資料嗎？!!"))));
    QVERIFY(t.details().isEmpty());
    QCOMPARE(list.recordCount(), 0);
    QCOMPARE(t.titles().size(), 1);
    // With nothing listed there is nothing to delete, and nothing goes wrong.
    t.click("BitBtn21");
    QCOMPARE(t.log->errors.size(), 1);
}

void TestWorkOrders::aNewOrderByHandChecksTheScaleFirst()
{
    OrdersWindow t;
    QSqlQuery q(t.window->database().db());
    QVERIFY(q.exec(QStringLiteral("update ScaleSet set X_Pixel = 0 where ScaleName = '1X'")));
    QTest::mouseClick(t.control<QPushButton>("bbtScaleSetRefresh"), Qt::LeftButton);
    t.type("edWorkSheetName2", QStringLiteral("by hand"));
    t.click("BitBtn16");
    QCOMPARE(t.log->messages, QStringList{QStringLiteral("\n比例校正錯誤!!!\n\nX軸像數不可為零!\n")});
    QCOMPARE(rows(*t.window, QStringLiteral("ScaleSet where ScaleName = '1X'"), QStringLiteral("X_Pixel")),
             QStringList{QStringLiteral("1")});
    QVERIFY(t.titles().isEmpty());

    t.dialogs->saveNames = {t.path(QStringLiteral("plate"))};
    t.click("BitBtn16");
    QCOMPARE(rows(*t.window, QStringLiteral("RecTitle"), QStringLiteral("mIndex OperNo OperName PicFullName")),
             QStringList{QStringLiteral("1|TEMP|by hand|%1.JPG").arg(t.path(QStringLiteral("plate")))});
    QCOMPARE(t.text("edWorkSheetName"), QStringLiteral("by hand"));
    // A scratch order exists: the caption names it and nothing more is made.
    t.click("BitBtn16");
    QCOMPARE(t.window->windowTitle(), QStringLiteral("Quillmont 1394  -   TEMP"));
    QCOMPARE(t.titles().size(), 1);
}

QUILLMONT_TEST_MAIN(TestWorkOrders)
#include "tst_workorders.moc"
