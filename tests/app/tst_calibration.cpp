// The unit and scale-set maintenance and the active scale, driven through their controls on a fresh
// starter database: units mm (1), um "µm" (0.001), inch (25.4); scale set "1X" in mm, 1 per 100 pixels.
#include <cmath>
#include <memory>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableView>
#include <QTest>

#include "base/numberparse.h"
#include "calibration/activescale.h"
#include "calibration/scalemath.h"
#include "calibration/scalevalues.h"
#include "calibration/unitscale.h"
#include "display/picturerefresh.h"
#include "records/currentworkorder.h"
#include "records/database.h"
#include "records/dataset.h"
#include "records/datasets.h"
#include "records/sqlbind.h"
#include "records/sqlcatalogue.h"
#include "records/workorderquery.h"
#include "tests/app/testkit.h"
#include "ui/shape.h"

namespace {

const QString Micro = QStringLiteral("µm");

// Every parameter of a catalogue statement bound to 0, for rows whose content does not matter.
QVariantMap zeroParams(const QStringList &sql)
{
    QVariantMap params;
    for (const QString &name : sqlPlaceholders(sql.join(u'\n')))
        params.insert(name, 0);
    return params;
}

// The picture refresh and the work order query as the controllers call them, counted.
struct Counted final : PictureRefresh, WorkOrderQuery {
    Dataset *titles = nullptr;
    int redraws = 0;
    int queries = 0;
    void RedrawPicture() override { ++redraws; }
    void btQryOperNoClick() override { ++queries; }
    void measurementAdded(const MeasurementObject &) override { ++queries; }
    void reopenWorkOrders(const QString &operNo) override
    {
        titles->close();
        titles->open();
        titles->locate(QStringLiteral("OperNo"), operNo);
    }
};

// Both controllers built as the main window builds them, on hosts of their own, started as the main
// window starts them, with work order W1.
struct Rig {
    QTemporaryDir folder;
    std::unique_ptr<Database> database = Database::open(folder.path());
    Datasets d{database->db()};
    ScaleValues scale;
    CurrentWorkOrder workOrder;
    Counted counted;
    ScriptedDialogs dialogs;
    QWidget settingsHost, scaleBoxHost, pictureContent;
    QLabel posX{QStringLiteral("mm")}, posY{QStringLiteral("mm")}, pointCaption{QStringLiteral("mm")};
    ScaleBoxWidgets box = buildScaleBox(&scaleBoxHost);
    std::unique_ptr<UnitScaleController> unitScale = std::make_unique<UnitScaleController>(
        d, dialogs, buildUnitScalePanels(&settingsHost), box.cbScaleSet, box.cbUnitSet);
    std::unique_ptr<ActiveScaleController> active = std::make_unique<ActiveScaleController>(
        scale, workOrder, counted, counted, d, dialogs, box, buildGauge(&pictureContent),
        UnitCaptions{&posX, &posY, {&pointCaption}});

    Rig()
    {
        QObject::connect(unitScale.get(), &UnitScaleController::activeScaleSetReplaced, active.get(),
                         &ActiveScaleController::cbScaleSetChange);
        counted.titles = d.qryTitle.get();
        workOrder.setNumber(QStringLiteral("W1"));
        QVariantMap title = zeroParams(Sql::TitleInsert);
        title[QStringLiteral("_OperNo")] = workOrder.number();
        (void)runStatement(database->db(), Sql::TitleInsert, title);
        d.qryUnitSet->open();
        d.qryScaleSet->open();
        d.qryTitle->open();
        active->chooseScaleSet();
        settingsHost.show();
    }

    template <class T = QWidget>
    T *control(const char *name) const
    {
        for (const QWidget *root : {&settingsHost, &scaleBoxHost, &pictureContent}) {
            if (T *found = root->findChild<T *>(QString::fromLatin1(name)))
                return found;
        }
        qFatal("no control %s", name);
    }
    QComboBox *cbScaleSet() const { return active->scaleSetList(); }
    QComboBox *cbUnitSet() const { return active->unitSetList(); }
    QString text(const char *name) const { return control<QLineEdit>(name)->text(); }
    QString caption(const char *name) const { return control<QLabel>(name)->text(); }
    void type(const char *name, const QString &text) { control<QLineEdit>(name)->setText(text); }
    void click(const char *name) { QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton); }
    void clickGridRow(const char *grid, int row)
    {
        auto *view = control<QTableView>(grid);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                          view->visualRect(view->model()->index(row, 1)).center());
    }
    // The operator picks an entry from the list's popup.
    static void choose(QComboBox *list, const QString &entry)
    {
        const int index = list->findText(entry);
        QVERIFY2(index >= 0, qPrintable(entry));
        list->setCurrentIndex(index);
        Q_EMIT list->activated(index);
    }

    // Rows as "value|value|…" of the space-separated fields, read through a catalogue statement.
    QStringList rows(const QStringList &sql, const QString &fields) const
    {
        QSqlQuery query = runStatement(database->db(), sql);
        return rowTexts(query, fields);
    }
    QStringList units() const { return rows(Sql::UnitRenumber, QStringLiteral("mIndex UnitCode UnitName mValue")); }
    QStringList scaleSets() const
    {
        return rows(Sql::ScaleRenumber, QStringLiteral("mIndex ScaleName UnitCode X_Length X_Pixel Y_Length Y_Pixel"));
    }
    QStringList title() const { return rows(Sql::TitleByIndex, QStringLiteral("OperNo UnitName ScaleName ScaleX ScaleY")); }
    static QStringList entries(const QComboBox *list)
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->itemText(i);
        return out;
    }

    void addUnit(const QString &index, const QString &code, const QString &name, const QString &value)
    {
        type("edUnitIndex", index);
        type("edUnitCode", code);
        type("edUnitName", name);
        type("edUnitValue", value);
        click("BitBtn11");
    }
    void addScaleSet(const QString &name, const QString &unitCode, const QString &xPixel)
    {
        type("edScaleIndex", QStringLiteral("9"));
        type("edScaleName", name);
        type("edScaleUnitCode", unitCode);
        type("edXLength", QStringLiteral("1"));
        type("edXPixel", xPixel);
        type("edYLength", QStringLiteral("1"));
        type("edYPixel", QStringLiteral("100"));
        click("BitBtn2");
    }
};

}  // namespace

class TestCalibration : public QObject {
    Q_OBJECT
private Q_SLOTS:
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
    void aUnitOfNoLengthIsRefused();
    void aScaleThatIsNotFiniteIsRefused();
    void gridEditsKeepTheValueAndItsType();
    void scaleSetSelectionRecordsTheWorkOrder();
    void scaleSetInAnotherUnitSwitchesTheDisplayUnit();
    void gridRowMovesTheScaleAtOnce();
    void measurementPostRebuildsTheList();
};

void TestCalibration::parsingOperatorNumbers_data()
{
    QTest::addColumn<bool>("integer");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("error");
    const QString noInt = QStringLiteral("'%1' is not a valid integer value");
    const QString noFloat = QStringLiteral("'%1' is not a valid floating point value");
    QTest::newRow("integer") << true << QStringLiteral(" -12 ") << -12.0 << QString();
    QTest::newRow("integer with decimals") << true << QStringLiteral("1.5") << 0.0 << noInt.arg(QStringLiteral("1.5"));
    QTest::newRow("float") << false << QStringLiteral("0.0010") << 0.001 << QString();
    QTest::newRow("infinity") << false << QStringLiteral("inf") << 0.0 << noFloat.arg(QStringLiteral("inf"));
}

void TestCalibration::parsingOperatorNumbers()
{
    QFETCH(bool, integer);
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(QString, error);
    const auto parsedInt = parseInteger(text);
    const auto parsedFloat = parseFloat(text);
    QCOMPARE(integer ? double(parsedInt.value) : parsedFloat.value, value);
    QCOMPARE(integer ? parsedInt.error : parsedFloat.error, error);
}

void TestCalibration::startUpFillsTheListsAndTheGauge()
{
    Rig r;
    QCOMPARE(Rig::entries(r.cbScaleSet()), QStringList{QStringLiteral("1X")});
    QCOMPARE(r.cbScaleSet()->currentText(), QStringLiteral("1X"));
    QCOMPARE(Rig::entries(r.cbUnitSet()), (QStringList{QStringLiteral("mm"), Micro, QStringLiteral("inch")}));
    QCOMPARE(r.cbUnitSet()->currentText(), QStringLiteral("mm"));
    QCOMPARE(r.text("dbedUnitName"), QStringLiteral("mm"));
    QCOMPARE(r.scale.ScaleX, 0.01);
    QCOMPARE(r.scale.ScaleY, 0.01);
    QCOMPARE(r.scale.UnitFactor, 1.0);
    QCOMPARE(r.text("edXPixel"), QStringLiteral("100.0000"));
    QCOMPARE(r.text("edScaleUnitName"), QStringLiteral("mm"));
    QCOMPARE(r.control<QTableView>("dbgScaleSet")->currentIndex().row(), 0);

    QCOMPARE(r.caption("lbUnit0"), QStringLiteral("0"));
    QCOMPARE(r.caption("lbUnit100"), QStringLiteral("1.000"));
    QCOMPARE(r.caption("lbUnit"), QStringLiteral("Unit:mm"));
    QCOMPARE(r.control<Shape>("spUnit0")->geometry(), QRect(12, 28, 50, 8));
    QCOMPARE(r.control<Shape>("spUnit50")->geometry(), QRect(62, 28, 50, 8));
    const QRect end = r.control("lbUnit100")->geometry();
    QVERIFY(end.bottom() < 28 && std::abs(end.center().x() - 112) <= 1);
    r.pictureContent.show();
    const char *gauge[] = {"spUnit0", "spUnit50", "lbUnit0", "lbUnit100", "lbUnit"};
    for (bool visible : {false, true}) {
        r.active->setGaugeVisible(visible);
        for (const char *name : gauge)
            QCOMPARE(r.control(name)->isVisible(), visible);
    }
}

void TestCalibration::unitAddUpdateDelete()
{
    Rig r;
    r.addUnit(QStringLiteral("4"), QStringLiteral("cm"), QStringLiteral("O'Brien's cm"), QStringLiteral("10"));
    QCOMPARE(r.units().last(), QStringLiteral("4|cm|O'Brien's cm|10"));
    QVERIFY(Rig::entries(r.cbUnitSet()).contains(QStringLiteral("O'Brien's cm")));
    QCOMPARE(r.cbUnitSet()->currentText(), QStringLiteral("mm"));

    r.clickGridRow("dbgUnitSet", 3);
    QCOMPARE(r.text("edUnitCode"), QStringLiteral("cm"));
    QCOMPARE(r.text("edUnitValue"), QStringLiteral("10.0000"));
    r.type("edUnitName", QStringLiteral("centimetre"));
    r.type("edUnitValue", QStringLiteral("10.5"));
    r.click("BitBtn12");
    QCOMPARE(r.units().last(), QStringLiteral("4|cm|centimetre|10.5"));
    QCOMPARE(r.d.qryUnitSet->text(QStringLiteral("UnitCode")), QStringLiteral("cm"));

    r.dialogs.confirmAnswers = {false, true};
    r.click("BitBtn13");
    QCOMPARE(r.dialogs.log->confirms, QStringList{QStringLiteral("確認|確定要刪除單位資料(cm)嗎？!!")});
    QCOMPARE(r.units().size(), 4);
    r.click("BitBtn13");
    QCOMPARE(r.units().size(), 3);
    QVERIFY(!Rig::entries(r.cbUnitSet()).contains(QStringLiteral("centimetre")));
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
}

void TestCalibration::duplicatesAreRefused()
{
    Rig r;
    r.settingsHost.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&r.settingsHost));
    const QStringList units = r.units();
    r.addUnit(QStringLiteral("7"), QStringLiteral("mm"), QStringLiteral("again"), QStringLiteral("2"));
    QCOMPARE(r.dialogs.log->messages, QStringList{QStringLiteral("這個單位代號(mm)已經存在\n請重新輸入單位代號!!")});
    QCOMPARE(r.units(), units);
    // The click gave the button the focus; the refusal takes it back to the field.
    QTRY_VERIFY(r.control("edUnitCode")->hasFocus());

    const QStringList scaleSets = r.scaleSets();
    r.addScaleSet(QStringLiteral("1X"), QStringLiteral("mm"), QStringLiteral("50"));
    QCOMPARE(r.dialogs.log->messages.last(), QStringLiteral("這個倍率組名稱(1X)已經存在\n請重新輸入倍率組名稱!!"));
    QCOMPARE(r.scaleSets(), scaleSets);
    QTRY_VERIFY(r.control("edScaleName")->hasFocus());
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
    QTest::newRow("unit update") << QByteArray("BitBtn12") << QByteArray("edUnitIndex") << QStringLiteral("2.5")
                                 << QStringLiteral("'2.5' is not a valid integer value");
    QTest::newRow("scale add") << QByteArray("BitBtn2") << QByteArray("edXPixel") << QStringLiteral("abc")
                               << QStringLiteral("'abc' is not a valid floating point value");
    QTest::newRow("scale update") << QByteArray("BitBtn10") << QByteArray("edYLength") << QString()
                                  << QStringLiteral("'' is not a valid floating point value");
}

void TestCalibration::nonNumericInputWritesNothing()
{
    QFETCH(QByteArray, button);
    QFETCH(QByteArray, field);
    QFETCH(QString, text);
    QFETCH(QString, error);
    Rig r;
    // New names, so an add is not refused as a duplicate first.
    r.type("edUnitCode", QStringLiteral("new"));
    r.type("edScaleName", QStringLiteral("new"));
    r.type(field.constData(), text);
    const QStringList units = r.units();
    const QStringList scaleSets = r.scaleSets();
    r.click(button.constData());
    QCOMPARE(r.dialogs.log->errors, QStringList{error});
    QCOMPARE(r.units(), units);
    QCOMPARE(r.scaleSets(), scaleSets);
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
    r.addScaleSet(QStringLiteral("5X"), QStringLiteral("um"), QStringLiteral("100"));
    QCOMPARE(r.scaleSets().last(), QStringLiteral("2|5X|um|1|100|1|100"));
    QCOMPARE(Rig::entries(r.cbScaleSet()), (QStringList{QStringLiteral("1X"), QStringLiteral("5X")}));
    QCOMPARE(r.cbScaleSet()->currentText(), QStringLiteral("1X"));

    r.clickGridRow("dbgScaleSet", 1);
    QCOMPARE(r.text("edScaleUnitName"), Micro);
    r.type("edScaleName", QStringLiteral("5X'"));
    r.type("edXPixel", QStringLiteral("0"));
    r.click("BitBtn10");
    QCOMPARE(r.scaleSets().last(), QStringLiteral("2|5X'|um|1|0|1|100"));
    QCOMPARE(r.d.qryScaleSet->text(QStringLiteral("ScaleName")), QStringLiteral("5X'"));
    // An axis without pixels measures in pixels.
    QCOMPARE(r.scale.ScaleX, 1.0);
    QCOMPARE(r.scale.ScaleY, 0.01);

    r.dialogs.confirmAnswers = {false, true};
    r.click("BitBtn18");
    QCOMPARE(r.scaleSets().size(), 2);
    r.click("BitBtn18");
    QCOMPARE(r.dialogs.log->confirms, QStringList(2, QStringLiteral("確認|確定要刪除倍率組資料(5X')嗎？!!")));
    QCOMPARE(r.scaleSets(), QStringList{QStringLiteral("1|1X|mm|1|100|1|100")});
    QCOMPARE(Rig::entries(r.cbScaleSet()), QStringList{QStringLiteral("1X")});
    QCOMPARE(r.scale.ScaleX, 0.01);
}

void TestCalibration::changingAUnitCodeDropsItsScaleSets()
{
    Rig r;
    r.addScaleSet(QStringLiteral("2X"), QStringLiteral("um"), QStringLiteral("100"));
    r.clickGridRow("dbgUnitSet", 1);
    r.type("edUnitCode", QStringLiteral("micron"));
    r.click("BitBtn12");
    QCOMPARE(Rig::entries(r.cbScaleSet()), QStringList{QStringLiteral("1X")});
    QCOMPARE(r.control<QTableView>("dbgScaleSet")->model()->rowCount(), 1);

    r.type("edUnitCode", QStringLiteral("um"));
    r.click("BitBtn12");
    QCOMPARE(Rig::entries(r.cbScaleSet()), (QStringList{QStringLiteral("1X"), QStringLiteral("2X")}));

    // When the active set drops out, every place moves to the set the list shows instead.
    r.type("edXPixel", QStringLiteral("50"));  // 2X: 0.02 um per pixel
    r.clickGridRow("dbgScaleSet", 1);
    r.type("edXPixel", QStringLiteral("50"));
    r.click("BitBtn10");
    Rig::choose(r.cbScaleSet(), QStringLiteral("2X"));
    QCOMPARE(r.title(), QStringList{QStringLiteral("W1|um|2X|0.02|0.01")});
    QCOMPARE(r.caption("lbUnit100"), QStringLiteral("2.000"));
    r.clickGridRow("dbgUnitSet", 1);
    r.type("edUnitCode", QStringLiteral("micron"));
    r.click("BitBtn12");
    QCOMPARE(r.cbScaleSet()->currentText(), QStringLiteral("1X"));
    QCOMPARE(r.text("dbedUnitName"), QStringLiteral("mm"));
    QCOMPARE(r.scale.ScaleX, 0.01);
    QCOMPARE(r.caption("lbUnit100"), QStringLiteral("1.000"));
    QCOMPARE(r.title(), QStringList{QStringLiteral("W1|mm|1X|0.01|0.01")});
    QVERIFY(r.dialogs.log->errors.isEmpty());
}

void TestCalibration::displayUnitConvertsAndLeavesTheWorkOrder()
{
    Rig r;
    const QStringList title = r.title();
    Rig::choose(r.cbUnitSet(), Micro);
    QCOMPARE(r.scale.ScaleUnitLength, 1.0);
    QCOMPARE(r.scale.DisplayUnitLength, 0.001);
    QCOMPARE(r.scale.UnitFactor, 1000.0);
    QCOMPARE(r.caption("lbUnit100"), QStringLiteral("1000.000"));
    QCOMPARE(r.caption("lbUnit"), QStringLiteral("Unit:µm"));
    for (QLabel *caption : {&r.posX, &r.posY, &r.pointCaption})
        QCOMPARE(caption->text(), Micro);
    QCOMPARE(r.counted.redraws, 1);
    QCOMPARE(r.title(), title);

    // A set in the same unit keeps the display unit: 10 pixels at 0.005 mm are 50 µm, and the
    // read-out that shows them keeps saying so.
    r.addScaleSet(QStringLiteral("H"), QStringLiteral("mm"), QStringLiteral("200"));
    Rig::choose(r.cbScaleSet(), QStringLiteral("H"));
    QCOMPARE(r.cbUnitSet()->currentText(), Micro);
    QCOMPARE(r.scale.ScaleX, 0.005);
    QVERIFY(qFuzzyCompare(10 * r.scale.ScaleX * r.scale.UnitFactor, 50.0));
    QCOMPARE(r.posX.text(), Micro);
    QCOMPARE(r.posY.text(), Micro);
    QVERIFY(r.dialogs.log->errors.isEmpty());
}

void TestCalibration::aUnitOfNoLengthIsRefused()
{
    Rig r;
    Rig::choose(r.cbUnitSet(), Micro);
    const QStringList units = r.units();
    const QString refusal = QStringLiteral("單位長度錯誤: 0\n單位長度必須是大於 0 的數值!!");
    r.addUnit(QStringLiteral("9"), QStringLiteral("zero"), QStringLiteral("zero"), QStringLiteral("0"));
    r.clickGridRow("dbgUnitSet", 1);
    r.type("edUnitValue", QStringLiteral("0"));
    r.click("BitBtn12");
    QCOMPARE(r.dialogs.log->errors, QStringList(2, refusal));
    QCOMPARE(r.units(), units);

    // One stored by an older program cannot be chosen: the unit in force stays, everywhere.
    (void)runStatement(r.database->db(), Sql::UnitInsert,
                       {{QStringLiteral("_mIndex"), 9}, {QStringLiteral("_UnitCode"), QStringLiteral("zero")},
                        {QStringLiteral("_UnitName"), QStringLiteral("zero")}, {QStringLiteral("_mValue"), 0.0}});
    r.click("bbtUnitSetRefresh");
    Rig::choose(r.cbUnitSet(), QStringLiteral("zero"));
    QCOMPARE(r.dialogs.log->errors.size(), 3);
    QCOMPARE(r.dialogs.log->errors.last(), refusal);
    QCOMPARE(r.cbUnitSet()->currentText(), Micro);
    QCOMPARE(r.scale.UnitFactor, 1000.0);
    QCOMPARE(r.caption("lbUnit"), QStringLiteral("Unit:µm"));
    QCOMPARE(r.posX.text(), Micro);
    QCOMPARE(r.pointCaption.text(), Micro);
    QCOMPARE(r.counted.redraws, 1);
}

void TestCalibration::aScaleThatIsNotFiniteIsRefused()
{
    Rig r;
    const QStringList scaleSets = r.scaleSets();
    r.addScaleSet(QStringLiteral("tiny"), QStringLiteral("mm"), QStringLiteral("1e-320"));
    r.clickGridRow("dbgScaleSet", 0);
    r.type("edXLength", QStringLiteral("1e308"));
    r.type("edXPixel", QStringLiteral("0.001"));
    r.click("BitBtn10");
    QCOMPARE(r.dialogs.log->errors.size(), 2);
    for (const QString &error : r.dialogs.log->errors)
        QVERIFY2(error.startsWith(QStringLiteral("X 軸倍率錯誤: ")) && error.contains(QStringLiteral("= INF\n")),
                 qPrintable(error));
    QCOMPARE(r.scaleSets(), scaleSets);

    // One stored by an older program is refused when it becomes the active set: the scale in force
    // stays, so nothing measured becomes INF.
    QVariantMap set = zeroParams(Sql::ScaleInsert);
    set[QStringLiteral("_ScaleName")] = QStringLiteral("tiny");
    set[QStringLiteral("_UnitCode")] = QStringLiteral("mm");
    set[QStringLiteral("_X_Length")] = 1.0;
    set[QStringLiteral("_X_Pixel")] = 1e-320;
    set[QStringLiteral("_Y_Length")] = 1.0;
    set[QStringLiteral("_Y_Pixel")] = 100.0;
    (void)runStatement(r.database->db(), Sql::ScaleInsert, set);
    r.click("bbtScaleSetRefresh");
    const QStringList title = r.title();
    r.dialogs.log->errors.clear();
    Rig::choose(r.cbScaleSet(), QStringLiteral("tiny"));
    QCOMPARE(r.dialogs.log->errors.size(), 1);
    QVERIFY(r.dialogs.log->errors[0].contains(QStringLiteral("INF")));
    QCOMPARE(r.cbScaleSet()->currentText(), QStringLiteral("1X"));
    QCOMPARE(r.scale.ScaleX, 0.01);
    QCOMPARE(r.caption("lbUnit100"), QStringLiteral("1.000"));
    QCOMPARE(r.title(), title);
}

void TestCalibration::gridEditsKeepTheValueAndItsType()
{
    Rig r;
    auto *grid = r.control<QTableView>("dbgUnitSet");
    const auto editCell = [&](int row, int column, const QString &typed) {
        const QModelIndex cell = grid->model()->index(row, column);
        grid->setCurrentIndex(cell);
        grid->edit(cell);
        auto *editor = grid->viewport()->findChild<QLineEdit *>();
        if (!editor)
            return QStringLiteral("no line editor");
        const QString shown = editor->text();
        if (!typed.isNull())
            editor->setText(typed);
        QTest::keyClick(editor, Qt::Key_Return);
        // The delegate commits and closes the editor through posted events.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return shown;
    };
    // The editor holds the whole value: Enter without a change writes it back unchanged.
    QCOMPARE(editCell(1, 3, QString()), QStringLiteral("0.001"));
    QCOMPARE(r.units()[1], QStringLiteral("2|um|µm|0.001"));
    QCOMPARE(editCell(1, 3, QStringLiteral("0.0025")), QStringLiteral("0.001"));
    QCOMPARE(r.units()[1], QStringLiteral("2|um|µm|0.0025"));
    QVERIFY(r.dialogs.log->errors.isEmpty());

    // Text in a number column, or a length of 0, is refused and writes nothing.
    QCOMPARE(editCell(1, 0, QStringLiteral("abc")), QStringLiteral("2"));
    QCOMPARE(editCell(1, 3, QStringLiteral("0")), QStringLiteral("0.0025"));
    QCOMPARE(r.dialogs.log->errors,
             (QStringList{QStringLiteral("'abc' is not a valid integer value"),
                          QStringLiteral("單位長度錯誤: 0\n單位長度必須是大於 0 的數值!!")}));
    QCOMPARE(r.units()[1], QStringLiteral("2|um|µm|0.0025"));
    QSqlQuery typed(r.database->db());
    QVERIFY(typed.exec(QStringLiteral("select typeof(mIndex) from UnitSet where UnitCode = 'um'")) && typed.next());
    QCOMPARE(typed.value(0).toString(), QStringLiteral("integer"));
}

void TestCalibration::scaleSetSelectionRecordsTheWorkOrder()
{
    Rig r;
    // Start-up's selection recorded the starter set already.
    QCOMPARE(r.title(), QStringList{QStringLiteral("W1|mm|1X|0.01|0.01")});
    r.addScaleSet(QStringLiteral("H"), QStringLiteral("mm"), QStringLiteral("200"));
    r.counted.queries = 0;
    Rig::choose(r.cbScaleSet(), QStringLiteral("H"));
    QCOMPARE(r.title(), QStringList{QStringLiteral("W1|mm|H|0.005|0.01")});
    QCOMPARE(r.counted.queries, 1);
    QCOMPARE(r.caption("lbUnit100"), QStringLiteral("0.500"));

    // The number is found again whatever its case.
    r.workOrder.setNumber(QStringLiteral("w1"));
    Rig::choose(r.cbScaleSet(), QStringLiteral("1X"));
    QCOMPARE(r.title(), QStringList{QStringLiteral("W1|mm|1X|0.01|0.01")});
    QCOMPARE(r.d.qryTitle->text(QStringLiteral("OperNo")), QStringLiteral("W1"));
    QVERIFY(r.dialogs.log->errors.isEmpty());
}

void TestCalibration::scaleSetInAnotherUnitSwitchesTheDisplayUnit()
{
    Rig r;
    r.addScaleSet(QStringLiteral("U"), QStringLiteral("um"), QStringLiteral("100"));
    Rig::choose(r.cbScaleSet(), QStringLiteral("U"));
    QCOMPARE(r.text("dbedUnitName"), QStringLiteral("um"));
    QCOMPARE(r.cbUnitSet()->currentText(), Micro);
    QCOMPARE(r.scale.ScaleUnitLength, 0.001);
    QCOMPARE(r.scale.UnitFactor, 1.0);
    QCOMPARE(r.posX.text(), Micro);
    QCOMPARE(r.pointCaption.text(), QStringLiteral("mm"));
    QCOMPARE(r.caption("lbUnit"), QStringLiteral("Unit:µm"));
    QCOMPARE(r.caption("lbUnit100"), QStringLiteral("1.000"));
    QCOMPARE(r.title(), QStringList{QStringLiteral("W1|um|U|0.01|0.01")});
    // Following the scale unit is not the operator's choice of a display unit: no picture refresh.
    QCOMPARE(r.counted.redraws, 0);

    Rig::choose(r.cbScaleSet(), QStringLiteral("1X"));
    QCOMPARE(r.cbUnitSet()->currentText(), QStringLiteral("mm"));
    QCOMPARE(r.scale.UnitFactor, 1.0);
}

void TestCalibration::gridRowMovesTheScaleAtOnce()
{
    Rig r;
    r.addScaleSet(QStringLiteral("H"), QStringLiteral("mm"), QStringLiteral("200"));
    r.clickGridRow("dbgScaleSet", 1);
    QCOMPARE(r.scale.ScaleX, 0.005);
    QCOMPARE(r.cbScaleSet()->currentText(), QStringLiteral("1X"));
    QCOMPARE(r.text("edXPixel"), QStringLiteral("200.0000"));

    r.d.qryScaleSet->first();
    QCOMPARE(r.control<QTableView>("dbgScaleSet")->currentIndex().row(), 0);
    QCOMPARE(r.scale.ScaleX, 0.01);
}

void TestCalibration::measurementPostRebuildsTheList()
{
    Rig r;
    r.addScaleSet(QStringLiteral("2X"), QStringLiteral("mm"), QStringLiteral("200"));
    Rig::choose(r.cbScaleSet(), QStringLiteral("2X"));
    (void)runStatement(r.database->db(), Sql::MeasureInsert, zeroParams(Sql::MeasureInsert));
    r.d.qryMeasure->open();
    // A stale list, as after a set changed behind its back.
    r.cbScaleSet()->removeItem(0);
    r.d.qryMeasure->edit();
    r.d.qryMeasure->setField(QStringLiteral("OBJNote"), QStringLiteral("note"));
    r.d.qryMeasure->post();
    QCOMPARE(Rig::entries(r.cbScaleSet()), (QStringList{QStringLiteral("1X"), QStringLiteral("2X")}));
    QCOMPARE(r.cbScaleSet()->currentText(), QStringLiteral("2X"));
    QCOMPARE(r.scale.ScaleX, 0.005);
    QVERIFY(r.dialogs.log->errors.isEmpty());
}

QUILLMONT_TEST_MAIN(TestCalibration)

#include "tst_calibration.moc"
