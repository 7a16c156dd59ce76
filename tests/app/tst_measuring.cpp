// Measuring on the real main window with real mouse events on imgView: tool selection, prompts,
// drawn marks, side outputs, notes, the crosshair and the cursor read-out.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "acquire/picturefile.h"
#include "acquire/picturefiles.h"
#include "app/main.h"
#include "base/canvas.h"
#include "measure/kinds.h"
#include "measure/measuring.h"
#include "tests/app/testkit.h"
#include "ui/pictureview.h"
#include "ui/shape.h"

namespace {

constexpr TColor Blue = 0xFF0000;  // the default drawing colour, 0x00BBGGRR

TColor pixelAt(const QImage &image, int x, int y)
{
    const uchar *p = image.constScanLine(y) + 3 * x;
    return TColor(p[2]) | (TColor(p[1]) << 8) | (TColor(p[0]) << 16);
}

// A window with a plain grey 200 x 150 picture loaded.
struct MeasureWindow : TestWindow {
    MeasureWindow() { showPlainPicture(200, 150, QColor(128, 128, 128)); }
    QString prompt() const { return window->statusText(2); }
    const QImage &view() const { return imgView()->picture(); }
};

}  // namespace

class TestMeasuring : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void toolSelectionFramesTheButtonAndResets();
    void promptsFollowTheClicks_data();
    void promptsFollowTheClicks();
    void shiftCtrlAndRightButton();
    void widthDrawsItsLineTicksAndSideOutput();
    void circleFillsTheCirclePanelAndSearchFrame();
    void completionFillsTheCurrentMeasurement();
    void angleWithAZeroLengthLineIsDiscarded();
    void textNoteTakesTheWindowText();
    void crosshairIsXorAndReadOutIsCalibrated();
};

void TestMeasuring::toolSelectionFramesTheButtonAndResets()
{
    MeasureWindow t;
    auto *button = t.control<QAbstractButton>("bbtMeasure3");
    auto *moveLabel = t.control<QCheckBox>("cbMoveLabel");
    moveLabel->setChecked(true);
    t.clickPicture(5, 5);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(t.window->state().measuring.clicks.PointCount, 0);
    QCOMPARE(int(t.window->state().measuring.clicks.CurrentKind), 3);
    QCOMPARE(t.control<Shape>("Shape1")->geometry(), button->geometry().adjusted(-3, -3, 3, 3));
    QCOMPARE(t.window->statusText(1), KindDescriptions().at(3));
    QCOMPARE(t.prompt(), QStringLiteral("請點選P1座標"));
    QVERIFY(moveLabel->isEnabled() && moveLabel->isChecked());

    for (int kind : {8, 9}) {
        t.selectKind(kind);
        QVERIFY(!moveLabel->isEnabled());
        QVERIFY(!moveLabel->isChecked());
    }
    t.selectKind(0);
    QVERIFY(moveLabel->isEnabled());

    // The hidden second tool bar picks the kind but keeps the points.
    t.clickPicture(5, 5);
    t.window->measuring().tbWidthClick(2);
    QCOMPARE(int(t.window->state().measuring.clicks.CurrentKind), 2);
    QCOMPARE(t.window->state().measuring.clicks.PointCount, 1);
}

void TestMeasuring::promptsFollowTheClicks_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("prompts");
    const QString again = QStringLiteral("繼續量測請點選P1座標。");
    auto p = [](int n) { return QStringLiteral("請點選P%1座標").arg(n); };
    QTest::newRow("width") << 0 << QStringList{p(2), again, p(2)};
    QTest::newRow("height") << 1 << QStringList{p(2), again};
    QTest::newRow("point to point") << 2 << QStringList{p(2), again};
    QTest::newRow("point to line") << 3 << QStringList{p(2), p(3), again};
    QTest::newRow("line to line") << 4 << QStringList{p(2), p(3), again};
    QTest::newRow("circle") << 5 << QStringList{p(2), p(3), again};
    QTest::newRow("angle") << 6 << QStringList{p(2), p(3), p(4), p(5), p(2)};
    QTest::newRow("arc") << 7 << QStringList{p(2), p(3), again};
    QTest::newRow("circle to circle") << 8 << QStringList{p(2), p(3)};
    QTest::newRow("point group") << 9 << QStringList{p(1), p(1)};
}

void TestMeasuring::promptsFollowTheClicks()
{
    QFETCH(int, kind);
    QFETCH(QStringList, prompts);
    MeasureWindow t;
    t.selectKind(kind);
    const QPoint points[] = {{20, 30}, {150, 40}, {90, 120}, {30, 100}, {60, 60}};
    for (int i = 0; i < prompts.size(); ++i) {
        t.clickPicture(points[i].x(), points[i].y());
        QCOMPARE(t.prompt(), prompts[i]);
    }
}

void TestMeasuring::shiftCtrlAndRightButton()
{
    MeasureWindow t;
    t.selectKind(2);
    const QImage before = t.view().copy();
    t.clickPicture(40, 40, Qt::LeftButton, Qt::ShiftModifier);
    t.clickPicture(40, 40, Qt::LeftButton, Qt::ControlModifier);
    QCOMPARE(t.prompt(), QStringLiteral("請點選P1座標"));
    QCOMPARE(t.window->state().measuring.clicks.PointCount, 0);
    QVERIFY(t.view() == before);

    t.clickPicture(40, 40);
    QCOMPARE(t.prompt(), QStringLiteral("請點選P2座標"));
    t.clickPicture(100, 100, Qt::RightButton);
    QCOMPARE(t.window->state().measuring.clicks.PointCount, 0);
    QCOMPARE(t.prompt(), QStringLiteral("請點選P1座標"));
    // The click mark of the abandoned point stays; the right click draws nothing.
    QCOMPARE(pixelAt(t.view(), 40 - 9, 40), Blue);
    QCOMPARE(pixelAt(t.view(), 100, 100), TColor(0x808080));
}

void TestMeasuring::widthDrawsItsLineTicksAndSideOutput()
{
    MeasureWindow t;
    t.selectKind(0);
    t.clickPicture(20, 40);
    t.clickPicture(120, 51);
    const int m = 45;  // trunc((40 + 51) * 0.5)
    for (int x = 21; x < 120; x += 7)
        QCOMPARE(pixelAt(t.view(), x, m), Blue);
    // The ticks run from m - 9 to m + 10 without their end pixel (the click mark at P1 ends at y 49).
    QCOMPARE(pixelAt(t.view(), 20, m + 9), Blue);
    QCOMPARE(pixelAt(t.view(), 20, m + 10), TColor(0x808080));
    QCOMPARE(pixelAt(t.view(), 120, m - 9), Blue);
    QCOMPARE(pixelAt(t.view(), 120, m - 10), TColor(0x808080));
    // The starter scale: 0.01 mm per pixel.
    QCOMPARE(t.control<QLineEdit>("edVideoLineW")->text(), QStringLiteral("1"));

    t.selectKind(1);
    t.clickPicture(10, 10);
    t.clickPicture(14, 140);
    QCOMPARE(t.control<QLineEdit>("edVideoLineH")->text(), QStringLiteral("1.3"));
    QCOMPARE(pixelAt(t.view(), 12, 100), Blue);
}

void TestMeasuring::circleFillsTheCirclePanelAndSearchFrame()
{
    MeasureWindow t;
    t.window->state().scale.ScaleX = 0.5;
    t.window->state().scale.ScaleY = 0.25;
    t.selectKind(5);
    t.clickPicture(100, 30);   // centre (100, 80), r = 50
    t.clickPicture(150, 80);
    t.clickPicture(100, 130);
    QCOMPARE(t.control<QLineEdit>("Edit7")->text(), QStringLiteral("50"));
    QCOMPARE(t.control<QLineEdit>("Edit8")->text(), QStringLiteral("20"));
    // The calibrated radius scales each axis: P1 lies straight above the centre.
    QCOMPARE(t.control<QLineEdit>("edVideoLineR")->text(), QStringLiteral("12.5"));
    QCOMPARE(t.control<Shape>("Shape3")->geometry(), QRect(52, 32, 101, 101));
    // The centre cross and the circle's leftmost point.
    QCOMPARE(pixelAt(t.view(), 100 - 8, 80), Blue);
    QCOMPARE(pixelAt(t.view(), 50, 80), Blue);
}

void TestMeasuring::completionFillsTheCurrentMeasurement()
{
    MeasureWindow t;
    // The number is stored as the list will show it, without the blanks around it.
    t.control<QLineEdit>("edWorkSheetID")->setText(QStringLiteral(" WO-7 "));
    t.control<QComboBox>("cbOBJID")->setEditText(QStringLiteral("P1"));
    t.control<QComboBox>("cbOBJName")->setEditText(QStringLiteral("軸"));
    t.control<QLineEdit>("edNewOBJNote")->setText(QStringLiteral("first"));
    t.window->state().scale.ScaleX = 0.01;
    t.window->state().scale.ScaleY = 0.02;
    t.selectKind(2);
    t.clickPicture(10, 20);
    t.clickPicture(40, 60);
    const MeasurementObject &m = t.window->state().measuring.CurrentMeasurement;
    QCOMPARE(m.OperNo, QStringLiteral("WO-7"));
    QCOMPARE(m.RecID, QStringLiteral("P1"));
    QCOMPARE(m.RecName, QStringLiteral("軸"));
    QCOMPARE(m.AttribID, 3);
    QCOMPARE(m.Attrib, QStringLiteral("點到點"));
    QCOMPARE(m.x[0], 10.0);
    QCOMPARE(m.y[1], 60.0);
    QCOMPARE(m.x[5], 0.4);
    QCOMPARE(m.Val[0], 50.0);
    QVERIFY(qAbs(m.Val[3] - std::sqrt(0.3 * 0.3 + 0.8 * 0.8)) < 1e-12);
    QCOMPARE(m.LabelX, 25);
    QCOMPARE(m.LabelY, 40);
    QCOMPARE(m.LabelSize, t.control<QLabel>("Panel19")->font().pointSize());
    QCOMPARE(m.OBJNote, QStringLiteral("first"));
    QVERIFY(m.MeasureName.startsWith(QLatin1Char('d')));
}

void TestMeasuring::angleWithAZeroLengthLineIsDiscarded()
{
    MeasureWindow t;
    t.selectKind(6);
    for (QPoint p : {QPoint(10, 10), QPoint(60, 10), QPoint(30, 30), QPoint(30, 30)})
        t.clickPicture(p.x(), p.y());
    QCOMPARE(t.window->state().measuring.clicks.PointCount, 0);
    QCOMPARE(t.window->state().measuring.CurrentMeasurement.AttribID, 0);

    // A proper angle draws the path P1 -> Q -> P3 -> Q.
    for (QPoint p : {QPoint(20, 100), QPoint(120, 100), QPoint(70, 140), QPoint(70, 40)})
        t.clickPicture(p.x(), p.y());
    QCOMPARE(t.window->state().measuring.CurrentMeasurement.AttribID, 7);
    QVERIFY(qAbs(t.window->state().measuring.CurrentMeasurement.Val[0] - 90.0) < 1e-9);
    QCOMPARE(t.window->state().measuring.CurrentMeasurement.Val[1], 70.0);
    QCOMPARE(t.window->state().measuring.CurrentMeasurement.Val[2], 100.0);
    QCOMPARE(pixelAt(t.view(), 45, 100), Blue);
    QCOMPARE(pixelAt(t.view(), 70, 125), Blue);
    QCOMPARE(pixelAt(t.view(), 95, 100), TColor(0x808080));
}

void TestMeasuring::textNoteTakesTheWindowText()
{
    MeasureWindow t;
    t.dialogs->onExec = [](QDialog &dialog) {
        dialog.findChild<QLineEdit *>(QStringLiteral("edText"))->setText(QStringLiteral("毛邊"));
        dialog.findChild<QPushButton *>(QStringLiteral("BitBtn1"))->click();
        return int(dialog.result());
    };
    t.selectKind(10);
    t.clickPicture(50, 60);
    QCOMPARE(t.log->execs, QStringList{QStringLiteral("fmText")});
    const MeasurementObject &m = t.window->state().measuring.CurrentMeasurement;
    QCOMPARE(m.AttribID, 11);
    QCOMPARE(m.OBJNote, QStringLiteral("毛邊"));
    QCOMPARE(m.LabelX, 50);
    QCOMPARE(m.LabelY, 60);
    QCOMPARE(t.control<QLineEdit>("edNewOBJNote")->text(), QStringLiteral("毛邊"));
    QVERIFY(!t.window->findChild<QDialog *>(QStringLiteral("fmText")));

    // Closed without OK: the previous note text is used again.
    t.dialogs->onExec = [](QDialog &dialog) {
        dialog.findChild<QLineEdit *>(QStringLiteral("edText"))->setText(QStringLiteral("ignored"));
        dialog.reject();
        return int(QDialog::Rejected);
    };
    t.clickPicture(70, 80);
    QCOMPARE(t.window->state().measuring.CurrentMeasurement.OBJNote, QStringLiteral("毛邊"));
    QCOMPARE(t.window->state().measuring.CurrentMeasurement.LabelX, 70);
}

void TestMeasuring::crosshairIsXorAndReadOutIsCalibrated()
{
    MeasureWindow t;
    const QImage clean = t.view().copy();
    t.window->state().scale.ScaleX = 0.5;
    t.window->state().scale.ScaleY = 0.25;
    t.window->state().scale.UnitFactor = 2;
    t.moveOverPicture(30, 40);
    QCOMPARE(t.control<QLabel>("lbDisplayPosX")->text(), QStringLiteral("30.000"));
    QCOMPARE(t.control<QLabel>("lbDisplayPosY")->text(), QStringLiteral("20.000"));
    QCOMPARE(pixelAt(t.view(), 0, 40), TColor(0x7F7F7F));
    QCOMPARE(pixelAt(t.view(), 199, 40), TColor(0x7F7F7F));
    QCOMPARE(pixelAt(t.view(), 30, 149), TColor(0x7F7F7F));
    QCOMPARE(pixelAt(t.view(), 31, 41), TColor(0x808080));
    QVERIFY(t.window->pictures().crosshairDrawn());

    // A click under the crosshair: its mark keeps the pen colour when the crosshair moves on.
    t.selectKind(2);
    t.clickPicture(30, 40);
    QVERIFY(t.window->pictures().crosshairDrawn());
    t.moveOverPicture(150, 100);
    QCOMPARE(pixelAt(t.view(), 30 - 9, 40), Blue);
    QCOMPARE(pixelAt(t.view(), 30, 40 + 9), Blue);
    QCOMPARE(pixelAt(t.view(), 0, 40), TColor(0x808080));
    QCOMPARE(pixelAt(t.view(), 0, 100), TColor(0x7F7F7F));
    t.window->pictures().hideCrosshair();
    QCOMPARE(pixelAt(t.view(), 150, 100), TColor(0x808080));
    QCOMPARE(pixelAt(t.view(), 0, 100), TColor(0x808080));
    t.window->pictureFiles().LoadPictureFile(t.path(QStringLiteral("grey.bmp")));
    QVERIFY(t.view() == clean);
    QVERIFY(!t.window->pictures().crosshairDrawn());
}

QUILLMONT_TEST_MAIN(TestMeasuring)
#include "tst_measuring.moc"
