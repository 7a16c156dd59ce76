// The hardness panel on the real main window: detection on a generated impression opened through
// the menu, the hardness and its checks, storing the detected circle, the width and height search
// with its frame, the guides and the free circles.
#include <cmath>
#include <cstring>
#include <numbers>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStackedWidget>
#include <QTest>

#include "acquire/picturefile.h"
#include "app/main.h"
#include "automeasure/brinell.h"
#include "automeasure/circledetect.h"
#include "automeasure/widthheight.h"
#include "base/numberformat.h"
#include "measure/caption.h"
#include "measure/clicks.h"
#include "measure/labels.h"
#include "records/database.h"
#include "tests/app/testkit.h"
#include "tests/automeasure/impression.h"
#include "ui/pictureview.h"
#include "ui/shape.h"
#include "ui/updown.h"

namespace {

constexpr double Scale = 0.01;  // the starter scale set: 0.01 mm per pixel

TColor pixelAt(const QImage &image, int x, int y)
{
    const uchar *p = image.constScanLine(y) + 3 * x;
    return TColor(p[2]) | (TColor(p[1]) << 8) | (TColor(p[0]) << 16);
}

// A window with the hardness tool on and a picture opened through the menu.
struct HardnessWindow : TestWindow {
    explicit HardnessWindow(const QImage &picture)
    {
        const QString file = path(QStringLiteral("impression.bmp"));
        QVERIFY(writeBitmapFile(picture, file).ok());
        openThroughMenu(file);
        window->show();
        control<QAction>("mmHardness")->trigger();
    }
    QLineEdit *field(const char *name) const { return control<QLineEdit>(name); }
    QString text(const char *name) const { return control<QLineEdit>(name)->text(); }
    void type(const char *name, const QString &text) const { field(name)->setText(text); }
    void enter(const char *name, const QString &text) const
    {
        type(name, text);
        QTest::keyClick(field(name), Qt::Key_Return);
    }
    void press(const char *button) const { QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton); }
    const QImage &view() const { return imgView()->picture(); }
};

// The dark disc of an impression on a light ground, its rim at radius 48 px.
QImage disc()
{
    impression::Scene s;
    s.width = 200;
    s.height = 160;
    s.centre = {100.37, 80.61};
    s.radius = 48;
    s.ground = 210;
    s.wall = 40;
    return impression::render(s);
}

QList<QSqlRecord> storedRows(TfmMain &w)
{
    QSqlQuery q(w.database().db());
    q.exec(QStringLiteral("select * from RecDetail order by rowid"));
    QList<QSqlRecord> rows;
    while (q.next())
        rows.append(q.record());
    return rows;
}

}  // namespace

class TestHardness : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void detectionGivesTheHardnessAndStoresTheCircle();
    void brinellValuesNoValueTextsAndChecks_data();
    void brinellValuesNoValueTextsAndChecks();
    void widthAndHeightSearchFramesARectangle();
    void guidesMirrorsAndFreeCircles();
};

void TestHardness::detectionGivesTheHardnessAndStoresTheCircle()
{
    const QImage picture = disc();
    HardnessWindow t(picture);
    // The menu item swaps the side panels and picks the circle kind.
    QCOMPARE(t.control<QStackedWidget>("plPC5")->currentWidget(), t.control<QWidget>("plHardTest"));
    QCOMPARE(int(t.window->state().measuring.clicks.CurrentKind), kindIndex(MeasurementKind::Circle));
    t.type("edD", QStringLiteral("2.5"));
    t.type("edP", QStringLiteral("187.5"));
    // A typed radius is doubled into the diameter at once, without a new hardness.
    t.type("edVideoLineR", QStringLiteral("0.8"));
    QCOMPARE(t.text("eddd"), QStringLiteral("1.6"));
    QCOMPARE(t.text("edHb"), QStringLiteral("0"));
    t.enter("Edit12", QStringLiteral("25"));
    QCOMPARE(t.control<QScrollBar>("ScrollBar3")->value(), 25);

    // A plain disc has no second step on its rays: nothing is found and the fields stay.
    t.press("BitBtn22");
    QCOMPARE(t.control<QLabel>("lbDetection")->text(), QStringLiteral("找不到邊緣"));
    QCOMPARE(t.text("eddd"), QStringLiteral("1.6"));
    QCOMPARE(t.text("edHb"), QStringLiteral("0"));
    QVERIFY(!t.control<QPushButton>("bbtStoreCircle")->isEnabled());
    QVERIFY(t.log->errors.isEmpty());

    CircleSearch search;
    search.radius = 0.8;
    search.threshold = 25;
    search.groups = 36;
    search.outline = false;
    t.control<QCheckBox>("cbOutline")->setChecked(false);

    // "精密": the fitted centre and the residual beside the diameter.
    t.control<QCheckBox>("cbSubPixel")->setChecked(true);
    search.subPixel = true;
    t.press("BitBtn22");
    const CircleDetection fine = detectCircle(rowsOf(picture), search, Scale, Scale);
    QVERIFY(fine.found());
    QVERIFY(std::hypot(fine.centre.x() - 100.37, fine.centre.y() - 80.61) < 0.1);
    QVERIFY(std::abs(fine.radius - 48) < 0.1);
    QCOMPARE(t.text("eddd"), formatFloat(QStringLiteral("0.000"), fine.diameter));
    QCOMPARE(t.control<QLabel>("lbFitCircle")->text(),
             QStringLiteral("圓心 (%1, %2)  殘差 %3 px")
                 .arg(formatFloat(QStringLiteral("0.000"), fine.centre.x() * Scale),
                      formatFloat(QStringLiteral("0.000"), fine.centre.y() * Scale),
                      formatFloat(QStringLiteral("0.000"), fine.residual)));

    // The ray triples: the diameter, the hardness with its Rockwell estimate, the yellow crosses.
    t.control<QCheckBox>("cbSubPixel")->setChecked(false);
    search.subPixel = false;
    t.press("BitBtn22");
    const CircleDetection found = detectCircle(rowsOf(picture), search, Scale, Scale);
    QVERIFY(found.found());
    QVERIFY(std::abs(found.radius - 48) < 1);
    QVERIFY(t.control<QLabel>("lbFitCircle")->text().isEmpty());
    const QString diameter = formatFloat(QStringLiteral("0.000"), found.diameter);
    QCOMPARE(t.text("eddd"), diameter);
    const BrinellResult hb = brinellHardness(187.5, 2.5, diameter.toDouble());
    QVERIFY(hb.hb > 240 && hb.hb < 260);
    QCOMPARE(t.text("edHb"), formatFloat(QStringLiteral("0.0"), hb.hb));
    QCOMPARE(t.control<QLabel>("lbHR")->text(), QStringLiteral("HRC"));
    QCOMPARE(t.text("edHR"), formatFloat(QStringLiteral("0.0"), hb.rockwell.value));
    QCOMPARE(t.control<QLabel>("lbIsoRatio")->text(),
             QStringLiteral("d/D %1 (0.24~0.6)").arg(formatFloat(QStringLiteral("0.000"), diameter.toDouble() / 2.5)));
    QCOMPARE(int(found.marks.size()), 108);
    for (const QPointF &m : found.marks)
        QCOMPARE(pixelAt(t.view(), int(m.x()), int(m.y())), TColor(0x00FFFF));

    // "存圓": the circle clicked through its points at 0°, 120° and 240°.
    QImage expected = t.view().copy();
    std::array<QPointF, 3> points;
    ClickState clicks;
    clicks.CurrentKind = MeasurementKind::Circle;
    ClickSettings settings;
    settings.penColor = 0xFF0000;
    settings.scaleX = settings.scaleY = Scale;
    Canvas canvas(expected);
    std::optional<Completion> completion;
    for (int k = 0; k < 3; ++k) {
        const double theta = 2 * std::numbers::pi * k / 3;
        points[std::size_t(k)] = found.centre + found.radius * QPointF(std::cos(theta), std::sin(theta));
        completion = measureClick(clicks, canvas, ClickButton::Left, false, points[std::size_t(k)].x(),
                                  points[std::size_t(k)].y(), settings)
                         .completion;
    }
    QVERIFY(completion);
    t.press("bbtStoreCircle");
    QVERIFY(t.log->errors.isEmpty());
    QCOMPARE(maxDifference(t.view(), expected), 0);
    const QList<QSqlRecord> rows = storedRows(*t.window);
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0].value("AttribID").toInt(), 6);
    QCOMPARE(rows[0].value("MeasureName").toString(), QStringLiteral("r001"));
    for (int k = 0; k < 3; ++k) {
        QCOMPARE(rows[0].value(QStringLiteral("x%1").arg(k + 1)).toDouble(), points[std::size_t(k)].x());
        QCOMPARE(rows[0].value(QStringLiteral("y%1").arg(k + 1)).toDouble(), points[std::size_t(k)].y());
    }
    QVERIFY(std::abs(rows[0].value("Val1").toDouble() - found.radius) < 1e-9);
    QVERIFY(std::abs(rows[0].value("Val2").toDouble() - found.centre.x()) < 1e-9);
    QVERIFY(std::abs(rows[0].value("Val3").toDouble() - found.centre.y()) < 1e-9);
    auto *label = t.window->findChild<MeasurementLabel *>(QStringLiteral("mlbMeasure0000"));
    QVERIFY(label);
    QCOMPARE(label->text(), labelCaption(MeasurementKind::Circle, 1, completion->geometry, Scale, Scale, 1));
    // Stored once; a new picture forgets the circle anyway.
    QVERIFY(!t.control<QPushButton>("bbtStoreCircle")->isEnabled());
}

void TestHardness::brinellValuesNoValueTextsAndChecks_data()
{
    QTest::addColumn<QString>("load");
    QTest::addColumn<QString>("typed");  // eddd, or "W H" for the average radius of two diameters
    QTest::addColumn<QString>("hb");
    QTest::addColumn<QString>("scale");
    QTest::addColumn<QString>("rockwell");
    QTest::addColumn<QString>("ratio");
    QTest::addColumn<QString>("spread");
    QTest::addColumn<bool>("outside");
    const QString none = QStringLiteral("兩徑差 —");
    QTest::newRow("defaults") << "3000" << "4" << "228.8" << "HRB" << "98.2" << "d/D 0.400 (0.24~0.6)" << none << false;
    QTest::newRow("no impression") << "3000" << "0" << "無壓痕" << "" << "" << "" << "" << false;
    QTest::newRow("wider than the ball") << "3000" << "11" << "壓痕大於鋼球" << "" << "" << "" << "" << false;
    QTest::newRow("no load") << "0" << "4" << "鋼球或負重無效" << "" << "" << "" << "" << false;
    QTest::newRow("too small for the ball") << "3000" << "2" << "945.3" << "" << "" << "d/D 0.200 超出 0.24~0.6"
                                            << none << true;
    QTest::newRow("two diameters agree") << "3000" << "4 4.02" << "227.6" << "HRB" << "98.0"
                                         << "d/D 0.401 (0.24~0.6)" << "兩徑差 0.50% (≤1%)" << false;
    QTest::newRow("two diameters apart") << "3000" << "3.9 4.1" << "228.8" << "HRB" << "98.2"
                                         << "d/D 0.400 (0.24~0.6)" << "兩徑差 5.13% 超出 1%" << true;
}

void TestHardness::brinellValuesNoValueTextsAndChecks()
{
    QFETCH(QString, load);
    QFETCH(QString, typed);
    QFETCH(QString, hb);
    QFETCH(QString, scale);
    QFETCH(QString, rockwell);
    QFETCH(QString, ratio);
    QFETCH(QString, spread);
    QFETCH(bool, outside);
    HardnessWindow t(disc());
    t.type("edP", load);
    const QStringList diameters = typed.split(QLatin1Char(' '));
    if (diameters.size() == 2) {
        t.type("edVideoLineW", diameters[0]);
        t.type("edVideoLineH", diameters[1]);
        t.press("bbtAvgRadus");
        const double mean = (diameters[0].toDouble() + diameters[1].toDouble()) / 2;
        QCOMPARE(t.text("eddd"), floatToText(mean));
        QCOMPARE(t.text("edVideoLineR"), floatToText(mean / 2));
    } else {
        t.type("eddd", typed);
    }
    t.press("bbtCalBrinell");
    QCOMPARE(t.text("edHb"), hb);
    QCOMPARE(t.control<QLabel>("lbHR")->text(), scale);
    QCOMPARE(t.text("edHR"), rockwell);
    QCOMPARE(t.control<QLabel>("lbIsoRatio")->text(), ratio);
    QCOMPARE(t.control<QLabel>("lbIsoDiameters")->text(), spread);
    QCOMPARE(t.control<QLabel>("lbIsoRatio")->property("outside").toBool()
                 || t.control<QLabel>("lbIsoDiameters")->property("outside").toBool(),
             outside);

    // A field without a number is reported and the results stay.
    t.type("edD", QStringLiteral("ten"));
    t.press("bbtCalBrinell");
    QCOMPARE(t.log->errors, QStringList{QStringLiteral("'ten' is not a valid floating point value")});
    QCOMPARE(t.text("edHb"), hb);
}

void TestHardness::widthAndHeightSearchFramesARectangle()
{
    QImage picture(200, 160, QImage::Format_BGR888);
    picture.fill(QColor(210, 210, 210));
    for (int y = 50; y < 110; ++y)
        for (int x = 60; x < 140; ++x)
            std::memset(picture.scanLine(y) + 3 * x, 40, 3);
    HardnessWindow t(picture);
    t.type("edVideoLineR", QStringLiteral("0.6"));
    t.enter("Edit12", QStringLiteral("25"));
    t.control<QCheckBox>("cbOutline")->setChecked(false);
    auto *showRect = t.control<QCheckBox>("cbShowRect");
    auto *frame = t.control<Shape>("Shape3");
    QVERIFY(!showRect->isChecked() && frame->isHidden());

    t.press("bbtCalWidHei");
    // The edges are the first light pixels: right 140, bottom 110, left 59, top 49.
    QCOMPARE(frame->geometry(), QRect(61, 51, 81, 61));
    QVERIFY(showRect->isChecked() && !frame->isHidden());
    // "範圍" was off: the frame's read-outs replace the search's, 2 pixels further right and down.
    QCOMPARE(t.text("lbedUpX"), QStringLiteral("0.995"));
    QCOMPARE(t.text("lbedUpY"), QStringLiteral("0.51"));
    QCOMPARE(t.text("lbedDnY"), QStringLiteral("1.12"));
    QCOMPARE(t.text("lbedLtX"), QStringLiteral("0.61"));
    QCOMPARE(t.text("lbedRtX"), QStringLiteral("1.42"));
    QCOMPARE(t.text("edVideoLineW"), QStringLiteral("0.81"));
    QCOMPARE(t.text("edVideoLineH"), QStringLiteral("0.61"));
    QCOMPARE(t.text("edVideoLineR"), QStringLiteral("0.355"));
    QCOMPARE(t.text("eddd"), QStringLiteral("0.71"));
    QCOMPARE(t.control<QLabel>("lbIsoDiameters")->text(), QStringLiteral("兩徑差 32.79% 超出 1%"));

    // With "10X" one step of the top side's increasing arrow: up 10 pixels, 10 taller.
    t.control<QCheckBox>("cb10X")->setChecked(true);
    t.control<UpDown>("UpDown1")->stepBy(1);
    QCOMPARE(frame->geometry(), QRect(61, 41, 81, 71));
    QCOMPARE(t.text("lbedUpY"), QStringLiteral("0.41"));
    QCOMPARE(t.text("edVideoLineH"), QStringLiteral("0.71"));
    QCOMPARE(t.text("eddd"), QStringLiteral("0.76"));
    QCOMPARE(t.text("edHb"), formatFloat(QStringLiteral("0.0"), brinellHardness(3000, 10, 0.76).hb));

    // Searching again resets the spin buttons; with "範圍" on the search's own read-outs stay. The
    // average radius became the search radius, too short to reach the sides: it is typed again.
    t.type("edVideoLineR", QStringLiteral("0.6"));
    t.press("bbtCalWidHei");
    QCOMPARE(t.control<UpDown>("UpDown1")->value(), 0);
    QCOMPARE(frame->geometry(), QRect(61, 51, 81, 61));
    QCOMPARE(t.text("lbedUpY"), QStringLiteral("0.490"));
    QCOMPARE(t.text("lbedRtX"), QStringLiteral("1.400"));
    QCOMPARE(t.text("eddd"), QStringLiteral("0.710"));
    QVERIFY(t.log->errors.isEmpty());
}

void TestHardness::guidesMirrorsAndFreeCircles()
{
    HardnessWindow t(disc());
    t.type("edVideoLineR", QStringLiteral("0.5"));  // 50 px around the middle (100, 80)
    t.control<QScrollBar>("ScrollBar1")->setValue(40);
    QCOMPARE(t.text("Edit5"), QStringLiteral("40"));
    t.control<QCheckBox>("cbCircleGreen")->setChecked(true);
    t.control<QCheckBox>("cbCircleBlue")->setChecked(true);
    QVERIFY(!t.control<Shape>("spCircleGreen")->isHidden());
    // Radius 20 and 37.5 px, shown over the picture, which stands at (2, 2).
    QCOMPARE(t.control<Shape>("spCircleGreen")->geometry(), QRect(82, 62, 41, 41));
    QCOMPARE(t.control<Shape>("spCircleBlue")->geometry(), QRect(64, 44, 76, 76));
    t.enter("Edit6", QStringLiteral("200"));
    QCOMPARE(t.control<QScrollBar>("ScrollBar2")->value(), 150);
    QCOMPARE(t.text("Edit6"), QStringLiteral("150"));
    t.enter("edTimes", QStringLiteral("250"));
    QCOMPARE(t.text("edTimes"), QStringLiteral("100"));

    // "圓": pressing, moving and releasing stretch the free circles in turn; nothing is measured.
    t.control<QAction>("mmCircle")->trigger();
    auto *first = t.control<Shape>("spCircle1");
    auto *second = t.control<Shape>("spCircle2");
    QVERIFY(!first->isHidden() && !second->isHidden());
    const auto stretch = [&](QPoint from, QPoint to) {
        QTest::mousePress(t.imgView(), Qt::LeftButton, Qt::NoModifier, from);
        t.moveOverPicture(to.x(), to.y());
        QTest::mouseRelease(t.imgView(), Qt::LeftButton, Qt::NoModifier, to);
    };
    stretch({50, 40}, {80, 80});
    QCOMPARE(first->geometry(), QRect(2, -8, 101, 101));
    stretch({120, 100}, {130, 100});
    QCOMPARE(second->geometry(), QRect(112, 92, 21, 21));
    // The right button starts again at the first circle.
    t.clickPicture(10, 10, Qt::RightButton);
    stretch({60, 60}, {63, 64});
    QCOMPARE(first->geometry(), QRect(57, 57, 11, 11));
    QCOMPARE(t.window->state().measuring.clicks.PointCount, 0);
    QVERIFY(storedRows(*t.window).isEmpty());
    t.control<QAction>("mmCircle")->trigger();
    QVERIFY(first->isHidden() && second->isHidden());
}

QUILLMONT_TEST_MAIN(TestHardness)
#include "tst_hardness.moc"
