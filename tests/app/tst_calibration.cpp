// The unit and scale-set maintenance and the active scale, driven through their controls on a fresh
// starter database: units mm (1), um "µm" (0.001), inch (25.4); scale set "1X" in mm, 1 per 100 pixels.
#include <cmath>
#include <memory>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QTest>

#include "app/state.h"
#include "calibration/activescale.h"
#include "calibration/scalemath.h"
#include "calibration/unitscale.h"
#include "display/shape.h"
#include "records/database.h"
#include "records/dataset.h"
#include "records/datasets.h"
#include "records/sqlbind.h"
#include "records/sqlcatalogue.h"
#include "tests/app/testkit.h"

namespace {

// Both controllers on their own hosts, started as the main window starts them.
struct Rig {
    QTemporaryDir folder;
    std::unique_ptr<Database> database = Database::open(folder.path());
    QObject datasetOwner;
    Datasets d = createDatasets(database->db(), &datasetOwner);
    MainState state;
    ScriptedDialogs dialogs;
    QWidget settingsHost;
    QWidget scaleBoxHost;
    QWidget pictureContent;
    QLabel posX{QStringLiteral("mm")};
    QLabel posY{QStringLiteral("mm")};
    QLabel pointCaption{QStringLiteral("mm")};
    QString workOrder = QStringLiteral("W1");
    int redraws = 0;
    int workOrderQueries = 0;
    std::unique_ptr<ActiveScaleController> active;
    std::unique_ptr<UnitScaleController> unitScale;

    Rig()
    {
        active = std::make_unique<ActiveScaleController>(state, dialogs, d, &scaleBoxHost, &pictureContent);
        unitScale = std::make_unique<UnitScaleController>(state, dialogs, d, &settingsHost);
        unitScale->setLists(active->scaleSetList(), active->unitSetList());
        active->setUnitCaptions(&posX, &posY, {&pointCaption});
        active->workOrderNumber = [this] { return workOrder; };
        active->redrawPicture = [this] { ++redraws; };
        active->queryWorkOrder = [this] { ++workOrderQueries; };
        (void)runStatement(database->db(), Sql::TitleInsert,
                           {{QStringLiteral("_mIndex"), 1},
                            {QStringLiteral("_OperNo"), workOrder},
                            {QStringLiteral("_OperName"), QString()},
                            {QStringLiteral("_OperatorID"), QString()},
                            {QStringLiteral("_OperatorName"), QString()},
                            {QStringLiteral("_PicFullName"), QString()},
                            {QStringLiteral("_UnitName"), QStringLiteral("none")},
                            {QStringLiteral("_ScaleName"), QStringLiteral("none")},
                            {QStringLiteral("_ScaleX"), 7.0},
                            {QStringLiteral("_ScaleY"), 7.0}});
        d.qryUnitSet->open();
        d.qryScaleSet->open();
        d.qryTitle->open();
        active->selectActiveScale();
        settingsHost.show();
    }

    template <class T = QWidget>
    T *control(const char *name) const
    {
        const QString objectName = QString::fromLatin1(name);
        for (const QWidget *root : {&settingsHost, &scaleBoxHost, &pictureContent}) {
            if (T *found = root->findChild<T *>(objectName))
                return found;
        }
        qFatal("no control %s", name);
    }
    QComboBox *cbScaleSet() const { return active->scaleSetList(); }
    QComboBox *cbUnitSet() const { return active->unitSetList(); }
    QString text(const char *name) const { return control<QLineEdit>(name)->text(); }
    void type(const char *name, const QString &text) { control<QLineEdit>(name)->setText(text); }
    void click(const char *name) { QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton); }

    // The operator picks an entry from the list's popup.
    static void choose(QComboBox *list, const QString &entry)
    {
        const int index = list->findText(entry);
        QVERIFY2(index >= 0, qPrintable(entry));
        list->setCurrentIndex(index);
        Q_EMIT list->activated(index);
    }
    void clickGridRow(const char *grid, int row)
    {
        auto *view = control<QTableView>(grid);
        const QRect cell = view->visualRect(view->model()->index(row, 1));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    }

    // Table contents as "field=value" lines, read through the program's own statements.
    QStringList rows(const QStringList &sql, const QStringList &fields) const
    {
        QSqlQuery query = runStatement(database->db(), sql);
        QStringList out;
        while (query.next()) {
            QStringList values;
            for (const QString &field : fields)
                values << query.value(field).toString();
            out << values.join(u'|');
        }
        return out;
    }
    QStringList units() const
    {
        return rows(Sql::UnitRenumber,
                    {QStringLiteral("mIndex"), QStringLiteral("UnitCode"), QStringLiteral("UnitName"),
                     QStringLiteral("mValue")});
    }
    QStringList scaleSets() const
    {
        return rows(Sql::ScaleRenumber,
                    {QStringLiteral("mIndex"), QStringLiteral("ScaleName"), QStringLiteral("UnitCode"),
                     QStringLiteral("X_Length"), QStringLiteral("X_Pixel"), QStringLiteral("Y_Length"),
                     QStringLiteral("Y_Pixel")});
    }
    QStringList title() const
    {
        return rows(Sql::TitleByIndex,
                    {QStringLiteral("OperNo"), QStringLiteral("UnitName"), QStringLiteral("ScaleName"),
                     QStringLiteral("ScaleX"), QStringLiteral("ScaleY")});
    }
    QStringList entries(QComboBox *list) const
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->itemText(i);
        return out;
    }

    void addScaleSet(const QString &name, const QString &unitCode, const QString &xLength, const QString &xPixel)
    {
        type("edScaleIndex", QStringLiteral("9"));
        type("edScaleName", name);
        type("edScaleUnitCode", unitCode);
        type("edXLength", xLength);
        type("edXPixel", xPixel);
        type("edYLength", QStringLiteral("1"));
        type("edYPixel", QStringLiteral("100"));
        click("BitBtn2");
    }
    void addUnit(const QString &index, const QString &code, const QString &name, const QString &value)
    {
        type("edUnitIndex", index);
        type("edUnitCode", code);
        type("edUnitName", name);
        type("edUnitValue", value);
        click("BitBtn11");
    }
};

const QString Micro = QStringLiteral("µm");

}  // namespace

class TestCalibration : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void scaleFactorOfAnAxis_data();
    void scaleFactorOfAnAxis();
    void unitFactorNeverBecomesInfinite();
    void parsingOperatorNumbers_data();
    void parsingOperatorNumbers();

    void startUpFillsTheListsAndTheGauge();
    void unitAddUpdateDelete();
    void renumberingAfterDeletingTheSecondOfThree();
    void duplicatesAreRefused();
    void nonNumericInputWritesNothing_data();
    void nonNumericInputWritesNothing();
    void databaseErrorIsShownAndStops();
    void scaleSetAddUpdateDelete();
    void changingAUnitCodeDropsItsScaleSets();
    void displayUnitConvertsAndLeavesTheWorkOrder();
    void scaleSetSelectionRecordsTheWorkOrder();
    void scaleSetInAnotherUnitSwitchesTheDisplayUnit();
    void gridRowMovesTheScaleAtOnce();
    void postRebuildsTheListAndKeepsTheName();
    void gaugeFollowsTheCheckBox();
};

void TestCalibration::scaleFactorOfAnAxis_data()
{
    QTest::addColumn<double>("length");
    QTest::addColumn<double>("pixels");
    QTest::addColumn<double>("factor");
    QTest::newRow("starter set") << 1.0 << 100.0 << 0.01;
    QTest::newRow("fractional pixels") << 0.5 << 12.5 << 0.04;
    QTest::newRow("no pixels measures in pixels") << 3.0 << 0.0 << 1.0;
    QTest::newRow("nothing at all") << 0.0 << 0.0 << 1.0;
}

void TestCalibration::scaleFactorOfAnAxis()
{
    QFETCH(double, length);
    QFETCH(double, pixels);
    QFETCH(double, factor);
    QCOMPARE(scaleFactor(length, pixels), factor);
}

void TestCalibration::unitFactorNeverBecomesInfinite()
{
    QCOMPARE(unitFactor(1, 0.001, 1), 1000.0);
    QCOMPARE(unitFactor(25.4, 1, 1), 25.4);
    QCOMPARE(unitFactor(1, 0, 42), 42.0);
    QCOMPARE(unitFactor(1e308, 1e-308, 3), 3.0);
    QCOMPARE(unitFactor(0, 1, 3), 0.0);
    QCOMPARE(gaugeCaption(0.01, 1000), QStringLiteral("1000.000"));
    QCOMPARE(gaugeCaption(0.005, 1), QStringLiteral("0.500"));
}

void TestCalibration::parsingOperatorNumbers_data()
{
    QTest::addColumn<bool>("integer");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("error");
    const QString noInt = QStringLiteral("'%1' is not a valid integer value");
    const QString noFloat = QStringLiteral("'%1' is not a valid floating point value");
    QTest::newRow("integer") << true << QStringLiteral(" 12 ") << 12.0 << QString();
    QTest::newRow("negative integer") << true << QStringLiteral("-3") << -3.0 << QString();
    QTest::newRow("integer with decimals") << true << QStringLiteral("1.5") << 0.0 << noInt.arg(QStringLiteral("1.5"));
    QTest::newRow("empty integer") << true << QString() << 0.0 << noInt.arg(QString());
    QTest::newRow("letters") << true << QStringLiteral("abc") << 0.0 << noInt.arg(QStringLiteral("abc"));
    QTest::newRow("float") << false << QStringLiteral("0.0010") << 0.001 << QString();
    QTest::newRow("float exponent") << false << QStringLiteral("2.54e1") << 25.4 << QString();
    QTest::newRow("decimal comma") << false << QStringLiteral("1,5") << 0.0 << noFloat.arg(QStringLiteral("1,5"));
    QTest::newRow("infinity") << false << QStringLiteral("inf") << 0.0 << noFloat.arg(QStringLiteral("inf"));
    QTest::newRow("empty float") << false << QString() << 0.0 << noFloat.arg(QString());
}

void TestCalibration::parsingOperatorNumbers()
{
    QFETCH(bool, integer);
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(QString, error);
    if (integer) {
        const auto parsed = parseInteger(text);
        QCOMPARE(double(parsed.value), value);
        QCOMPARE(parsed.error, error);
    } else {
        const auto parsed = parseFloat(text);
        QCOMPARE(parsed.value, value);
        QCOMPARE(parsed.error, error);
    }
}

void TestCalibration::startUpFillsTheListsAndTheGauge()
{
    Rig r;
    QCOMPARE(r.entries(r.cbScaleSet()), QStringList{QStringLiteral("1X")});
    QCOMPARE(r.cbScaleSet()->currentText(), QStringLiteral("1X"));
    QCOMPARE(r.entries(r.cbUnitSet()), (QStringList{QStringLiteral("mm"), Micro, QStringLiteral("inch")}));
    QCOMPARE(r.cbUnitSet()->currentText(), QStringLiteral("mm"));
    QCOMPARE(r.control<QLineEdit>("dbedUnitName")->text(), QStringLiteral("mm"));
    QVERIFY(r.control<QLineEdit>("dbedUnitName")->isReadOnly());
    QCOMPARE(r.state.ScaleX, 0.01);
    QCOMPARE(r.state.ScaleY, 0.01);
    QCOMPARE(r.state.UnitFactor, 1.0);
    QCOMPARE(r.control<QLabel>("lbUnit100")->text(), QStringLiteral("1.000"));
    QCOMPARE(r.control<QLabel>("lbUnit")->text(), QStringLiteral("Unit:mm"));
    QCOMPARE(r.control<QLabel>("lbUnit0")->text(), QStringLiteral("0"));
    QCOMPARE(r.control<Shape>("spUnit0")->geometry(), QRect(12, 28, 50, 8));
    QCOMPARE(r.control<Shape>("spUnit50")->geometry(), QRect(62, 28, 50, 8));
    QVERIFY(r.control<QPushButton>("bbtChangeUnitSet")->isHidden());
    // The fields show the current rows.
    QCOMPARE(r.text("edScaleName"), QStringLiteral("1X"));
    QCOMPARE(r.text("edXPixel"), QStringLiteral("100.0000"));
    QCOMPARE(r.text("edScaleUnitName"), QStringLiteral("mm"));
    QCOMPARE(r.control<QTableView>("dbgScaleSet")->currentIndex().row(), 0);
}

void TestCalibration::unitAddUpdateDelete()
{
    Rig r;
    r.addUnit(QStringLiteral("4"), QStringLiteral("cm"), QStringLiteral("O'Brien's cm"), QStringLiteral("10"));
    QVERIFY(r.dialogs.log->errors.isEmpty());
    QCOMPARE(r.units().last(), QStringLiteral("4|cm|O'Brien's cm|10"));
    QVERIFY(r.entries(r.cbUnitSet()).contains(QStringLiteral("O'Brien's cm")));
    QCOMPARE(r.cbUnitSet()->currentText(), QStringLiteral("mm"));

    r.clickGridRow("dbgUnitSet", 3);
    QCOMPARE(r.d.qryUnitSet->recNo(), 3);
    QCOMPARE(r.text("edUnitCode"), QStringLiteral("cm"));
    QCOMPARE(r.text("edUnitValue"), QStringLiteral("10.0000"));
    r.type("edUnitName", QStringLiteral("centimetre"));
    r.type("edUnitValue", QStringLiteral("10.5"));
    r.click("BitBtn12");
    QCOMPARE(r.units().last(), QStringLiteral("4|cm|centimetre|10.5"));
    QCOMPARE(r.d.qryUnitSet->text(QStringLiteral("UnitCode")), QStringLiteral("cm"));
    QVERIFY(r.entries(r.cbUnitSet()).contains(QStringLiteral("centimetre")));

    r.dialogs.confirmAnswers = {false};
    r.click("BitBtn13");
    QCOMPARE(r.dialogs.log->confirms, QStringList{QStringLiteral("確認|確定要刪除單位資料(cm)嗎？!!")});
    QCOMPARE(r.units().size(), 4);

    r.dialogs.confirmAnswers = {true};
    r.click("BitBtn13");
    QCOMPARE(r.units().size(), 3);
    QVERIFY(!r.entries(r.cbUnitSet()).contains(QStringLiteral("centimetre")));
    QVERIFY(r.dialogs.log->errors.isEmpty());
}

void TestCalibration::renumberingAfterDeletingTheSecondOfThree()
{
    Rig r;
    r.clickGridRow("dbgUnitSet", 1);
    QCOMPARE(r.text("edUnitCode"), QStringLiteral("um"));
    r.dialogs.confirmAnswers = {true};
    r.click("BitBtn13");
    QCOMPARE(r.units(), (QStringList{QStringLiteral("1|mm|mm|1"), QStringLiteral("2|inch|inch|25.4")}));

    // Equal numbers keep the order of their names.
    r.addUnit(QStringLiteral("1"), QStringLiteral("a"), QStringLiteral("aaa"), QStringLiteral("2"));
    QCOMPARE(r.units(), (QStringList{QStringLiteral("1|a|aaa|2"), QStringLiteral("2|mm|mm|1"),
                                     QStringLiteral("3|inch|inch|25.4")}));
    QCOMPARE(r.control<QTableView>("dbgUnitSet")->model()->rowCount(), 3);
}

void TestCalibration::duplicatesAreRefused()
{
    Rig r;
    r.settingsHost.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&r.settingsHost));
    const QStringList unitsBefore = r.units();
    r.addUnit(QStringLiteral("7"), QStringLiteral("mm"), QStringLiteral("again"), QStringLiteral("2"));
    QCOMPARE(r.dialogs.log->messages, QStringList{QStringLiteral("這個單位代號(mm)已經存在\n請重新輸入單位代號!!")});
    QCOMPARE(r.units(), unitsBefore);
    QTRY_VERIFY(r.control<QLineEdit>("edUnitCode")->hasFocus());

    const QStringList scalesBefore = r.scaleSets();
    r.addScaleSet(QStringLiteral("1X"), QStringLiteral("mm"), QStringLiteral("2"), QStringLiteral("50"));
    QCOMPARE(r.dialogs.log->messages.last(), QStringLiteral("這個倍率組名稱(1X)已經存在\n請重新輸入倍率組名稱!!"));
    QCOMPARE(r.scaleSets(), scalesBefore);
    QTRY_VERIFY(r.control<QLineEdit>("edScaleName")->hasFocus());
    QVERIFY(r.dialogs.log->errors.isEmpty());
}

void TestCalibration::nonNumericInputWritesNothing_data()
{
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("error");
    QTest::newRow("unit add, number") << QByteArray("BitBtn11") << QByteArray("edUnitIndex") << QStringLiteral("abc")
                                      << QStringLiteral("'abc' is not a valid integer value");
    QTest::newRow("unit add, length") << QByteArray("BitBtn11") << QByteArray("edUnitValue") << QStringLiteral("1,5")
                                      << QStringLiteral("'1,5' is not a valid floating point value");
    QTest::newRow("unit update, number") << QByteArray("BitBtn12") << QByteArray("edUnitIndex")
                                         << QStringLiteral("2.5")
                                         << QStringLiteral("'2.5' is not a valid integer value");
    QTest::newRow("scale add, pixels") << QByteArray("BitBtn2") << QByteArray("edXPixel") << QStringLiteral("abc")
                                       << QStringLiteral("'abc' is not a valid floating point value");
    QTest::newRow("scale update, length") << QByteArray("BitBtn10") << QByteArray("edYLength") << QString()
                                          << QStringLiteral("'' is not a valid floating point value");
}

void TestCalibration::nonNumericInputWritesNothing()
{
    QFETCH(QByteArray, button);
    QFETCH(QByteArray, field);
    QFETCH(QString, text);
    QFETCH(QString, error);
    Rig r;
    // New names, so an add would not be refused as a duplicate.
    r.type("edUnitCode", QStringLiteral("new"));
    r.type("edScaleName", QStringLiteral("new"));
    r.type(field.constData(), text);
    const QStringList units = r.units();
    const QStringList scales = r.scaleSets();
    r.click(button.constData());
    QCOMPARE(r.dialogs.log->errors, QStringList{error});
    QCOMPARE(r.units(), units);
    QCOMPARE(r.scaleSets(), scales);
}

void TestCalibration::databaseErrorIsShownAndStops()
{
    Rig r;
    QSqlDatabase db = r.database->db();
    db.close();
    r.addUnit(QStringLiteral("4"), QStringLiteral("cm"), QStringLiteral("cm"), QStringLiteral("10"));
    QCOMPARE(r.dialogs.log->errors.size(), 1);
    QVERIFY(r.dialogs.log->messages.isEmpty());
    QVERIFY(db.open());
    QCOMPARE(r.units().size(), 3);
}

void TestCalibration::scaleSetAddUpdateDelete()
{
    Rig r;
    r.addScaleSet(QStringLiteral("5X"), QStringLiteral("um"), QStringLiteral("200"), QStringLiteral("100"));
    QVERIFY(r.dialogs.log->errors.isEmpty());
    QCOMPARE(r.scaleSets(), (QStringList{QStringLiteral("1|1X|mm|1|100|1|100"), QStringLiteral("2|5X|um|200|100|1|100")}));
    QCOMPARE(r.entries(r.cbScaleSet()), (QStringList{QStringLiteral("1X"), QStringLiteral("5X")}));
    QCOMPARE(r.cbScaleSet()->currentText(), QStringLiteral("1X"));
    QCOMPARE(r.state.ScaleX, 0.01);

    r.clickGridRow("dbgScaleSet", 1);
    QCOMPARE(r.text("edScaleUnitName"), Micro);
    r.type("edScaleName", QStringLiteral("5X'"));
    r.type("edXPixel", QStringLiteral("0"));
    r.click("BitBtn10");
    QCOMPARE(r.scaleSets().last(), QStringLiteral("2|5X'|um|200|0|1|100"));
    QCOMPARE(r.d.qryScaleSet->text(QStringLiteral("ScaleName")), QStringLiteral("5X'"));
    // An axis without pixels measures in pixels.
    QCOMPARE(r.state.ScaleX, 1.0);
    QCOMPARE(r.state.ScaleY, 0.01);
    QVERIFY(r.entries(r.cbScaleSet()).contains(QStringLiteral("5X'")));

    r.dialogs.confirmAnswers = {false, true};
    r.click("BitBtn18");
    QCOMPARE(r.scaleSets().size(), 2);
    r.click("BitBtn18");
    QCOMPARE(r.dialogs.log->confirms,
             QStringList(2, QStringLiteral("確認|確定要刪除倍率組資料(5X')嗎？!!")));
    QCOMPARE(r.scaleSets(), QStringList{QStringLiteral("1|1X|mm|1|100|1|100")});
    QCOMPARE(r.entries(r.cbScaleSet()), QStringList{QStringLiteral("1X")});
    QCOMPARE(r.state.ScaleX, 0.01);
}

void TestCalibration::changingAUnitCodeDropsItsScaleSets()
{
    Rig r;
    r.addScaleSet(QStringLiteral("2X"), QStringLiteral("um"), QStringLiteral("1"), QStringLiteral("100"));
    QCOMPARE(r.cbScaleSet()->count(), 2);

    r.clickGridRow("dbgUnitSet", 1);
    r.type("edUnitCode", QStringLiteral("micron"));
    r.click("BitBtn12");
    QCOMPARE(r.entries(r.cbScaleSet()), QStringList{QStringLiteral("1X")});
    QCOMPARE(r.control<QTableView>("dbgScaleSet")->model()->rowCount(), 1);
    QCOMPARE(r.d.qryUnitSet->text(QStringLiteral("UnitCode")), QStringLiteral("micron"));

    // The set comes back once the codes match again.
    r.type("edUnitCode", QStringLiteral("um"));
    r.click("BitBtn12");
    QCOMPARE(r.entries(r.cbScaleSet()), (QStringList{QStringLiteral("1X"), QStringLiteral("2X")}));
    QVERIFY(r.dialogs.log->errors.isEmpty());
}

void TestCalibration::displayUnitConvertsAndLeavesTheWorkOrder()
{
    Rig r;
    const QStringList title = r.title();
    r.redraws = 0;
    Rig::choose(r.cbUnitSet(), Micro);
    QCOMPARE(r.state.ScaleUnitLength, 1.0);
    QCOMPARE(r.state.DisplayUnitLength, 0.001);
    QCOMPARE(r.state.UnitFactor, 1000.0);
    QCOMPARE(r.control<QLabel>("lbUnit100")->text(), QStringLiteral("1000.000"));
    QCOMPARE(r.control<QLabel>("lbUnit")->text(), QStringLiteral("Unit:µm"));
    for (QLabel *caption : {&r.posX, &r.posY, &r.pointCaption})
        QCOMPARE(caption->text(), Micro);
    QCOMPARE(r.redraws, 1);
    QCOMPARE(r.title(), title);

    // A set in the same unit keeps the display unit: 10 pixels at 0.005 mm are 50 µm.
    r.addScaleSet(QStringLiteral("H"), QStringLiteral("mm"), QStringLiteral("1"), QStringLiteral("200"));
    Rig::choose(r.cbScaleSet(), QStringLiteral("H"));
    QCOMPARE(r.cbUnitSet()->currentText(), Micro);
    QCOMPARE(r.state.ScaleX, 0.005);
    QVERIFY(qFuzzyCompare(10 * r.state.ScaleX * r.state.UnitFactor, 50.0));
    QCOMPARE(r.control<QLabel>("lbUnit100")->text(), QStringLiteral("500.000"));

    // A unit of length 0 cannot make the factor infinite.
    r.addUnit(QStringLiteral("9"), QStringLiteral("zero"), QStringLiteral("zero"), QStringLiteral("0"));
    Rig::choose(r.cbUnitSet(), QStringLiteral("zero"));
    QCOMPARE(r.state.DisplayUnitLength, 0.0);
    QCOMPARE(r.state.UnitFactor, 1000.0);
    QCOMPARE(r.control<QLabel>("lbUnit")->text(), QStringLiteral("Unit:zero"));
}

void TestCalibration::scaleSetSelectionRecordsTheWorkOrder()
{
    Rig r;
    // Start-up's selection recorded the starter set already.
    QCOMPARE(r.title(), QStringList{QStringLiteral("W1|mm|1X|0.01|0.01")});
    r.addScaleSet(QStringLiteral("H"), QStringLiteral("mm"), QStringLiteral("1"), QStringLiteral("200"));
    r.workOrderQueries = 0;
    Rig::choose(r.cbScaleSet(), QStringLiteral("H"));
    QCOMPARE(r.title(), QStringList{QStringLiteral("W1|mm|H|0.005|0.01")});
    QCOMPARE(r.d.qryTitle->text(QStringLiteral("OperNo")), QStringLiteral("W1"));
    QCOMPARE(r.workOrderQueries, 1);
    QCOMPARE(r.posX.text(), QStringLiteral("mm"));
    QCOMPARE(r.control<QLabel>("lbUnit100")->text(), QStringLiteral("0.500"));

    // A work order number written differently is still found again.
    r.workOrder = QStringLiteral("w1");
    Rig::choose(r.cbScaleSet(), QStringLiteral("1X"));
    QCOMPARE(r.title(), QStringList{QStringLiteral("W1|mm|1X|0.01|0.01")});
    QCOMPARE(r.d.qryTitle->text(QStringLiteral("OperNo")), QStringLiteral("W1"));
    QVERIFY(r.dialogs.log->errors.isEmpty());
}

void TestCalibration::scaleSetInAnotherUnitSwitchesTheDisplayUnit()
{
    Rig r;
    r.addScaleSet(QStringLiteral("U"), QStringLiteral("um"), QStringLiteral("1"), QStringLiteral("100"));
    r.redraws = 0;
    Rig::choose(r.cbScaleSet(), QStringLiteral("U"));
    QCOMPARE(r.control<QLineEdit>("dbedUnitName")->text(), QStringLiteral("um"));
    QCOMPARE(r.cbUnitSet()->currentText(), Micro);
    QCOMPARE(r.state.ScaleUnitLength, 0.001);
    QCOMPARE(r.state.DisplayUnitLength, 0.001);
    QCOMPARE(r.state.UnitFactor, 1.0);
    QCOMPARE(r.posX.text(), QStringLiteral("um"));
    QCOMPARE(r.pointCaption.text(), QStringLiteral("mm"));
    QCOMPARE(r.control<QLabel>("lbUnit")->text(), QStringLiteral("Unit:µm"));
    QCOMPARE(r.control<QLabel>("lbUnit100")->text(), QStringLiteral("1.000"));
    QCOMPARE(r.title(), QStringList{QStringLiteral("W1|um|U|0.01|0.01")});
    // Following the scale unit is not the operator's choice: no picture refresh.
    QCOMPARE(r.redraws, 0);

    // Back to a set in mm with µm displayed would convert; choosing it switches back instead.
    Rig::choose(r.cbScaleSet(), QStringLiteral("1X"));
    QCOMPARE(r.cbUnitSet()->currentText(), QStringLiteral("mm"));
    QCOMPARE(r.state.UnitFactor, 1.0);
}

void TestCalibration::gridRowMovesTheScaleAtOnce()
{
    Rig r;
    r.addScaleSet(QStringLiteral("H"), QStringLiteral("mm"), QStringLiteral("1"), QStringLiteral("200"));
    r.clickGridRow("dbgScaleSet", 1);
    QCOMPARE(r.state.ScaleX, 0.005);
    QCOMPARE(r.cbScaleSet()->currentText(), QStringLiteral("1X"));
    QCOMPARE(r.text("edScaleName"), QStringLiteral("H"));
    QCOMPARE(r.text("edXPixel"), QStringLiteral("200.0000"));

    // And the other way: a dataset move selects the grid row.
    r.d.qryScaleSet->first();
    QCOMPARE(r.control<QTableView>("dbgScaleSet")->currentIndex().row(), 0);
    QCOMPARE(r.state.ScaleX, 0.01);
}

void TestCalibration::postRebuildsTheListAndKeepsTheName()
{
    Rig r;
    r.addScaleSet(QStringLiteral("2X"), QStringLiteral("mm"), QStringLiteral("1"), QStringLiteral("200"));
    Rig::choose(r.cbScaleSet(), QStringLiteral("2X"));
    r.d.qryScaleSet->edit();
    r.d.qryScaleSet->setField(QStringLiteral("X_Pixel"), 50.0);
    r.d.qryScaleSet->post();
    QCOMPARE(r.cbScaleSet()->currentText(), QStringLiteral("2X"));
    QCOMPARE(r.cbScaleSet()->count(), 2);
    QCOMPARE(r.state.ScaleX, 0.02);
}

void TestCalibration::gaugeFollowsTheCheckBox()
{
    Rig r;
    r.pictureContent.show();
    const char *gauge[] = {"spUnit0", "spUnit50", "lbUnit0", "lbUnit100", "lbUnit"};
    r.active->setGaugeVisible(false);
    for (const char *name : gauge)
        QVERIFY(!r.control(name)->isVisible());
    r.active->setGaugeVisible(true);
    for (const char *name : gauge)
        QVERIFY(r.control(name)->isVisible());
    // The end caption sits above the right end of the gauge.
    const QRect end = r.control("lbUnit100")->geometry();
    QVERIFY(end.bottom() < 28);
    QVERIFY(std::abs(end.center().x() - 112) <= 1);
}

QUILLMONT_TEST_MAIN(TestCalibration)

#include "tst_calibration.moc"
