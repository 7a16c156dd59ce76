// The magnifier window: one at a time, its zoom steps and label, the feed and a click on its picture.
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "display/magnifier.h"
#include "display/zoomin.h"
#include "tests/app/testkit.h"
#include "ui/pictureview.h"

class TestZoomIn : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void oneMagnifierWhoseZoomOutlivesIt();
    void feedAndClickDrawOnItsPicture();
};

void TestZoomIn::oneMagnifierWhoseZoomOutlivesIt()
{
    QWidget owner;
    MagnifierZoom zoom;
    QPointer<TfmZoom> window = TfmZoom::showFor(&owner, zoom);
    QVERIFY(window && window->isVisible());
    QCOMPARE(window->objectName(), QStringLiteral("fmZoom"));
    QCOMPARE(window->windowTitle(), QStringLiteral("放大鏡"));
    QVERIFY(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(!window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    auto *label = window->findChild<QLabel *>(QStringLiteral("Label1"));
    QCOMPARE(label->text(), QStringLiteral("2 X"));
    QCOMPARE(window->findChild<PictureView *>(QStringLiteral("imgView"))->size(), QSize(300, 304));

    // Five "放大" from the start reach 16X; "縮小" goes the other way.
    auto *zoomIn = window->findChild<QPushButton *>(QStringLiteral("bbtZoomIn"));
    for (int i = 0; i < 5; ++i)
        QTest::mouseClick(zoomIn, Qt::LeftButton);
    QCOMPARE(zoom.exponent(), -4);
    QCOMPARE(label->text(), QStringLiteral("16X"));
    QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("bbtZoomOut")), Qt::LeftButton);
    QCOMPARE(label->text(), QStringLiteral("8X"));

    // "放大鏡" again: the same window, back from minimised.
    window->setWindowState(Qt::WindowMinimized);
    QCOMPARE(TfmZoom::showFor(&owner, zoom), window.data());
    QVERIFY(!(window->windowState() & Qt::WindowMinimized));

    // Closing destroys it; the next one starts at the zoom the first one left.
    window->close();
    QTRY_VERIFY(window.isNull());
    QCOMPARE(TfmZoom::of(&owner), nullptr);
    TfmZoom *again = TfmZoom::showFor(&owner, zoom);
    QCOMPARE(again->findChild<QLabel *>(QStringLiteral("Label1"))->text(), QStringLiteral("8X"));
}

void TestZoomIn::feedAndClickDrawOnItsPicture()
{
    QWidget owner;
    MagnifierZoom zoom;  // 2x: 150 source pixels onto 299
    TfmZoom *window = TfmZoom::showFor(&owner, zoom);
    QImage picture(400, 300, QImage::Format_BGR888);
    picture.fill(Qt::white);
    picture.setPixelColor(200, 150, Qt::red);
    window->feed(picture, {200.0, 150.0});
    // Source 125..274 by 75..224; the red pixel is source 75 of 150, target 149 and 150.
    QCOMPARE(window->picture().pixelColor(149, 149), QColor(Qt::red));
    QCOMPARE(window->picture().pixelColor(150, 150), QColor(Qt::red));
    QCOMPARE(window->picture().pixelColor(151, 151), QColor(Qt::white));
    QCOMPARE(window->picture().pixelColor(299, 0), QColor(Qt::black));

    // A click draws with the canvas pen (black) from its position, the top-left corner at first.
    auto *view = window->findChild<PictureView *>(QStringLiteral("imgView"));
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, QPoint(40, 40));
    QCOMPARE(window->picture().pixelColor(20, 20), QColor(Qt::black));
    QCOMPARE(window->picture().pixelColor(40, 40), QColor(Qt::white));
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, QPoint(80, 40));
    QCOMPARE(window->picture().pixelColor(60, 40), QColor(Qt::black));
    QCOMPARE(window->picture().pixelColor(80, 40), QColor(Qt::white));
}

QUILLMONT_TEST_MAIN(TestZoomIn)
#include "tst_zoomin.moc"
