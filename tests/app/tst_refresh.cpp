// The picture refresh and the display options on the real main window, its database file and
// real mouse events: the stored rows drawn and labelled again, the label display modes, the hidden
// photograph, removing the last measurement and the option controls.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTest>
#include <QToolButton>

#include "acquire/picturefile.h"
#include "app/main.h"
#include "base/color.h"
#include "display/marks.h"
#include "measure/measurementlabel.h"
#include "records/database.h"
#include "records/dataset.h"
#include "records/datasets.h"
#include "records/measurementobject.h"
#include "records/measurementstore.h"
#include "records/sqlcatalogue.h"
#include "tests/app/testkit.h"
#include "ui/pictureview.h"
#include "ui/shape.h"

namespace {

constexpr TColor Blue = 0xFF0000;

TColor pixelAt(const QImage &image, int x, int y)
{
    const uchar *p = image.constScanLine(y) + 3 * x;
    return TColor(p[2]) | (TColor(p[1]) << 8) | (TColor(p[0]) << 16);
}

struct Shown {
    QString name;
    int tag;
    QString text;
    QPoint at;
    int size;
    TColor colour;
    bool operator==(const Shown &) const = default;
};

// A window with a textured 400 x 300 picture, work order WO1, part P1, scale 0.01 / 0.02 mm.
struct RefreshWindow : TestWindow {
    RefreshWindow()
    {
        openPartPicture(samplePicture(400, 300), 0.01, 0.02);
        dialogs->onExec = [](QDialog &dialog) {
            dialog.findChild<QLineEdit *>(QStringLiteral("edText"))->setText(QStringLiteral("it's a note"));
            dialog.findChild<QPushButton *>(QStringLiteral("BitBtn1"))->click();
            return int(dialog.result());
        };
    }
    void measure(int kind, std::initializer_list<QPoint> points)
    {
        selectKind(kind);
        for (QPoint p : points)
            clickPicture(p.x(), p.y());
    }
    void click(const char *name) { QTest::mouseClick(control<QAbstractButton>(name), Qt::LeftButton); }
    void refresh() { click("bbtPictureRefresh"); }
    QList<MeasurementLabel *> labels() const
    {
        QList<MeasurementLabel *> found;
        for (MeasurementLabel *label : window->findChildren<MeasurementLabel *>())
            if (label->objectName().startsWith(QLatin1String("mlbMeasure")))
                found.append(label);
        std::sort(found.begin(), found.end(), [](auto *a, auto *b) { return a->tag() < b->tag(); });
        return found;
    }
    QList<Shown> shown() const
    {
        QList<Shown> all;
        for (MeasurementLabel *l : labels())
            all.append({l->objectName(), l->tag(), l->text(), l->pos(), l->font().pointSize(), labelColor(*l)});
        return all;
    }
    // The stored rows of WO1 in the refresh's order.
    QList<MeasurementObject> rows() const
    {
        Dataset rows(QStringLiteral("check"), window->database().db());
        rows.openWith(Sql::MeasureDraw, {{QStringLiteral("_OperNo"), QStringLiteral("WO1")}});
        QList<MeasurementObject> all;
        for (rows.first(); !rows.eof(); rows.next())
            all.append(measurementFromRow(rows));
        return all;
    }
    const QImage &view() const { return imgView()->picture(); }
};

}  // namespace

class TestRefresh : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void refreshGivesBackTheClickTimeLabelsAndDrawsEveryRow();
    void labelDisplayModes_data();
    void labelDisplayModes();
    void renumbersAndPutsTheListBackOnItsRow();
    void pickedLabelsAreRed();
    void hiddenPhotographIsWhiteInABlackFrame();
    void removingTheLastMeasurement();
    void optionControls();
};

void TestRefresh::refreshGivesBackTheClickTimeLabelsAndDrawsEveryRow()
{
    RefreshWindow t;
    t.measure(0, {{10, 20}, {110, 30}});
    t.measure(1, {{10, 20}, {20, 120}});
    t.measure(2, {{10, 10}, {40, 50}});
    t.measure(3, {{50, 80}, {10, 10}, {210, 10}});
    t.measure(5, {{100, 50}, {150, 100}, {100, 150}});
    t.measure(6, {{20, 200}, {120, 200}, {70, 250}, {70, 150}});
    t.measure(7, {{250, 100}, {200, 50}, {150, 100}});
    t.measure(8, {{30, 30}, {60, 70}});
    t.measure(10, {{300, 250}});
    const QList<Shown> atClick = t.shown();
    QCOMPARE(atClick.size(), 9);
    t.window->datasets().qryMeasure->moveTo(4);
    t.moveOverPicture(200, 150);

    t.refresh();
    QVERIFY(t.log->errors.isEmpty());
    // The same labels, one per row: names, tags, texts, places, sizes and colours.
    QCOMPARE(t.shown(), atClick);
    QVERIFY(!t.window->pictures().crosshairDrawn());
    QCOMPARE(t.window->datasets().qryMeasure->recNo(), 4);

    // The picture is the clean one with every stored row's marks in the drawing colour.
    QImage expected = t.clean();
    Canvas canvas(expected);
    std::optional<QRect> circleFrame;
    for (const MeasurementObject &row : t.rows()) {
        if (auto frame = drawStoredMarks(canvas, row, {Blue, false}).circleFrame)
            circleFrame = frame;
    }
    QCOMPARE(maxDifference(t.view(), expected), 0);
    QCOMPARE(t.control<Shape>("Shape3")->geometry(), *circleFrame);
    // A second refresh changes nothing.
    t.refresh();
    QCOMPARE(t.shown(), atClick);
    QCOMPARE(maxDifference(t.view(), expected), 0);
}

void TestRefresh::labelDisplayModes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("circle");
    QTest::addColumn<QString>("note");
    const QString values = QStringLiteral("1.000\nCx:1.000\nCy:2.000\nArea:3.142");
    QTest::newRow("0 code=value") << 0 << QStringLiteral("r001=") + values << QStringLiteral("t002=it's a note");
    QTest::newRow("1 code:note") << 1 << QStringLiteral("r001:bore") << QStringLiteral("t002:it's a note");
    // A text note's value is its note, shown once.
    QTest::newRow("2 code=value:note") << 2 << QStringLiteral("r001=") + values + QStringLiteral("\n:bore")
                                       << QStringLiteral("t002=it's a note\n:");
    QTest::newRow("3 code") << 3 << QStringLiteral("r001") << QStringLiteral("t002");
    QTest::newRow("4 value") << 4 << values << QStringLiteral("it's a note");
    QTest::newRow("5 note") << 5 << QStringLiteral("bore") << QStringLiteral("it's a note");
}

void TestRefresh::labelDisplayModes()
{
    QFETCH(int, mode);
    QFETCH(QString, circle);
    QFETCH(QString, note);
    RefreshWindow t;
    t.control<QLineEdit>("edNewOBJNote")->setText(QStringLiteral("bore"));
    t.measure(5, {{100, 50}, {150, 100}, {100, 150}});
    t.measure(10, {{300, 250}});
    QTest::mouseClick(t.control<QRadioButton>(qPrintable(QStringLiteral("rgLabelDisplay%1").arg(mode))),
                      Qt::LeftButton);
    // The mode takes effect at the next refresh.
    QCOMPARE(t.labels().at(0)->text(), QStringLiteral("r001=1.000\nCx:1.000\nCy:2.000\nArea:3.142"));
    t.refresh();
    QCOMPARE(t.labels().size(), 2);
    QCOMPARE(t.labels().at(0)->text(), circle);
    QCOMPARE(t.labels().at(1)->text(), note);
}

void TestRefresh::renumbersAndPutsTheListBackOnItsRow()
{
    RefreshWindow t;
    for (int i = 0; i < 4; ++i)
        t.measure(2, {{10 + 20 * i, 10}, {40 + 20 * i, 50}});
    QSqlQuery q(t.window->database().db());
    QVERIFY(q.exec(QStringLiteral("delete from RecDetail where OBJIndex = 2")));
    t.window->datasets().qryMeasure->last();
    t.refresh();
    QList<int> indexes;
    for (const MeasurementObject &row : t.rows()) {
        QCOMPARE(row.rIndex, indexes.size());
        indexes.append(row.OBJIndex);
    }
    QCOMPARE(indexes, (QList<int>{1, 3, 4}));
    QStringList texts;
    for (MeasurementLabel *label : t.labels())
        texts << label->objectName() + QLatin1Char(' ') + label->text().left(4);
    QCOMPARE(texts, (QStringList{QStringLiteral("mlbMeasure0000 d001"), QStringLiteral("mlbMeasure0001 d003"),
                                 QStringLiteral("mlbMeasure0002 d004")}));
    const Dataset &list = *t.window->datasets().qryMeasure;
    QCOMPARE(list.integer(QStringLiteral("OBJIndex")), 4);

    // Without a work order number only the background comes back; the labels stay.
    t.control<QLineEdit>("edWorkSheetID")->clear();
    t.refresh();
    QCOMPARE(maxDifference(t.view(), t.clean()), 0);
    QCOMPARE(t.labels().size(), 3);
}

void TestRefresh::pickedLabelsAreRed()
{
    RefreshWindow t;
    t.measure(2, {{10, 10}, {40, 50}});
    t.measure(2, {{60, 10}, {90, 50}});
    const TColor stored = labelColor(*t.labels().at(0));
    t.control<QCheckBox>("cbCaculate")->setChecked(true);
    QTest::mouseClick(t.labels().at(1), Qt::LeftButton);
    t.refresh();
    QCOMPARE(labelColor(*t.labels().at(0)), stored);
    QCOMPARE(labelColor(*t.labels().at(1)), TColor(0x0000FF));
    // Picked again it is no longer selected, and the next refresh shows its own colour.
    QTest::mouseClick(t.labels().at(1), Qt::LeftButton);
    t.refresh();
    QCOMPARE(labelColor(*t.labels().at(1)), stored);
}

void TestRefresh::hiddenPhotographIsWhiteInABlackFrame()
{
    RefreshWindow t;
    t.measure(0, {{100, 150}, {300, 150}});
    t.control<QCheckBox>("cbPhotoHide")->setChecked(true);
    const QImage &view = t.view();
    for (QPoint frame : {QPoint(0, 0), QPoint(399, 0), QPoint(0, 299), QPoint(399, 299), QPoint(200, 0), QPoint(0, 77)})
        QCOMPARE(pixelAt(view, frame.x(), frame.y()), TColor(0));
    for (QPoint inside : {QPoint(1, 1), QPoint(398, 298), QPoint(200, 100)})
        QCOMPARE(pixelAt(view, inside.x(), inside.y()), TColor(0xFFFFFF));
    QCOMPARE(pixelAt(view, 200, 150), Blue);
    QCOMPARE(t.labels().size(), 1);
    // The photograph itself is untouched and comes back with the marks.
    QCOMPARE(maxDifference(t.clean(), samplePicture(400, 300)), 0);
    t.control<QCheckBox>("cbPhotoHide")->setChecked(false);
    QCOMPARE(pixelAt(view, 200, 100), pixelAt(samplePicture(400, 300), 200, 100));
    QCOMPARE(pixelAt(view, 200, 150), Blue);
}

void TestRefresh::removingTheLastMeasurement()
{
    RefreshWindow t;
    t.click("SpeedButton7");
    QCOMPARE(t.log->messages, QStringList{QStringLiteral("已經刪除全部量測記錄")});
    // The last in the list's order, part by part, not the last measured.
    t.control<QComboBox>("cbOBJID")->setEditText(QStringLiteral("P2"));
    t.measure(2, {{10, 10}, {40, 50}});
    t.control<QComboBox>("cbOBJID")->setEditText(QStringLiteral("P1"));
    t.measure(0, {{10, 100}, {140, 100}});
    t.measure(1, {{200, 10}, {210, 150}});
    t.click("SpeedButton7");
    QList<QString> left;
    for (const MeasurementObject &row : t.rows())
        left << row.RecID + row.MeasureName;
    QCOMPARE(left, (QList<QString>{QStringLiteral("P1w001"), QStringLiteral("P1h002")}));
    QCOMPARE(t.labels().size(), 2);
    QCOMPARE(t.labels().at(1)->text(), QStringLiteral("h002=2.800"));
    t.click("SpeedButton7");
    t.click("SpeedButton7");
    QVERIFY(t.rows().isEmpty());
    QVERIFY(t.labels().isEmpty());
    QCOMPARE(maxDifference(t.view(), t.clean()), 0);
    t.click("SpeedButton7");
    QCOMPARE(t.log->messages.size(), 2);
    QVERIFY(t.log->errors.isEmpty());
}

void TestRefresh::optionControls()
{
    TestWindow t;
    t.showPlainPicture(641, 480, QColor(128, 128, 128));
    QWidget *content = t.control("ScrollBox1Content");
    auto shown = [&](const char *name) { return t.control(name)->isVisibleTo(content); };
    auto *cross = t.control<QCheckBox>("cbCross");
    cross->setChecked(false);
    QVERIFY(!shown("plVert") && !shown("plHorz"));
    cross->setChecked(true);
    // Over the picture's middle column and row, in the scroll content where the picture is at (2, 2).
    QCOMPARE(t.control("plVert")->geometry(), QRect(2 + 320, 2, 1, 480));
    QCOMPARE(t.control("plHorz")->geometry(), QRect(2, 2 + 240, 641, 1));
    QVERIFY(shown("plVert") && shown("plHorz"));

    for (bool on : {false, true}) {
        t.control<QCheckBox>("CheckBox1")->setChecked(on);
        QCOMPARE(shown("spRedPoint"), on);
        t.control<QCheckBox>("cbDisplayScaleGauge")->setChecked(on);
        QCOMPARE(shown("lbUnit"), on);
    }

    // The colour dialog from the tool button and from the swatch's right button; cancelled, nothing.
    auto *swatch = t.control<Shape>("Shape2");
    t.dialogs->colorAnswers = {QColor(0, 200, 0)};
    QTest::mouseClick(t.control<QAbstractButton>("SpeedButton6"), Qt::LeftButton);
    QCOMPARE(swatch->brushColor(), QColor(0, 200, 0));
    t.dialogs->colorAnswers = {QColor(10, 20, 30)};
    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(3, 3), swatch->mapToGlobal(QPoint(3, 3)));
    QApplication::sendEvent(swatch, &menu);
    QCOMPARE(swatch->brushColor(), QColor(10, 20, 30));
    QTest::mouseClick(t.control<QAbstractButton>("SpeedButton6"), Qt::LeftButton);
    QCOMPARE(swatch->brushColor(), QColor(10, 20, 30));
    t.selectKind(2);
    t.clickPicture(10, 10);
    t.clickPicture(100, 10);
    QCOMPARE(pixelAt(t.imgView()->picture(), 50, 10), toTColor(QColor(10, 20, 30)));

    // The font dialog from the sample, its frame and the tool button; a click on the swatch is its own.
    auto *sample = t.control<QLabel>("Panel19");
    QFont larger = sample->font();
    larger.setPointSize(20);
    t.dialogs->fontAnswers = {larger, larger, larger};
    QTest::mouseClick(sample, Qt::LeftButton);
    QCOMPARE(sample->font().pointSize(), 20);
    QTest::mouseClick(swatch, Qt::LeftButton);
    QCOMPARE(t.dialogs->fontAnswers.size(), 2u);
    QTest::mouseClick(t.control<QAbstractButton>("sbLabelFont"), Qt::LeftButton);
    QCOMPARE(t.dialogs->fontAnswers.size(), 1u);

    // "只顯示修正值" shows the notes at once.
    t.control<QLineEdit>("edWorkSheetID")->setText(QStringLiteral("WO1"));
    t.control<QLineEdit>("edNewOBJNote")->setText(QStringLiteral("chamfer"));
    t.clickPicture(10, 50);
    t.clickPicture(100, 50);
    QTest::mouseClick(t.control<QPushButton>("Panel87"), Qt::LeftButton);
    QVERIFY(t.control<QRadioButton>("rgLabelDisplay5")->isChecked());
    const auto labels = t.window->findChildren<MeasurementLabel *>();
    QCOMPARE(labels.size(), 1);
    QCOMPARE(labels.at(0)->text(), QStringLiteral("chamfer"));
    QCOMPARE(labels.at(0)->font().pointSize(), 20);
}

QUILLMONT_TEST_MAIN(TestRefresh)
#include "tst_refresh.moc"
