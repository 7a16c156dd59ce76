// The ratio calibration in the scale box and the camera pixel ratio's "重設", on the real window
// with its starter scale set "1X" (1 mm per 100 pixels) and the work order W1; then the two ways a
// station's pictures arrive: a grab from the camera and a file dropped into the watched folder.
#include <atomic>
#include <chrono>
#include <thread>

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTest>

#include "acquire/capture.h"
#include "acquire/folderwatchcontroller.h"
#include "acquire/picturefile.h"
#include "acquire/picturefiles.h"
#include "calibration/ratiocalibration.h"
#include "calibration/scalevalues.h"
#include "display/pictures.h"
#include "records/database.h"
#include "records/sqlbind.h"
#include "records/sqlcatalogue.h"
#include "tests/app/testkit.h"
#include "ui/pictureview.h"

namespace {

struct RatioWindow : TestWindow {
    RatioWindow()
    {
        QVariantMap title;
        for (const QString &name : sqlPlaceholders(Sql::TitleInsert.join(u'\n')))
            title.insert(name, 0);
        title[QStringLiteral("_OperNo")] = QStringLiteral("W1");
        (void)runStatement(window->database().db(), Sql::TitleInsert, title);
        control<QLineEdit>("edWorkSheetID")->setText(QStringLiteral("W1"));
        control<QTabWidget>("PageControl1")->setCurrentWidget(control("TabSheet1"));
        window->show();
        // The side panel opens from its strip, as the operator opens it to reach the scale box.
        QTest::mouseClick(control<QPushButton>("Panel85"), Qt::LeftButton);
        // The page lays the wider panel out before the operator's next click lands in it.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    }

    QString text(const char *name) const { return control<QLineEdit>(name)->text(); }
    void type(const char *name, const QString &text) const { control<QLineEdit>(name)->setText(text); }
    // A check box takes a click on its box, not on the empty end of its row.
    void click(const char *name) const
    {
        auto *button = control<QAbstractButton>(name);
        const QPoint at = qobject_cast<QCheckBox *>(button) ? QPoint(8, button->height() / 2) : button->rect().center();
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, at);
    }
    // Ticks "倍率校正" as the operator does, answering its question.
    void openBox(bool yes)
    {
        dialogs->confirmAnswers.push_back(yes);
        click("cbRatioSetup");
    }
    // "X_Length|X_Pixel|Y_Length|Y_Pixel" of the set "1X".
    QString storedSet() const
    {
        QSqlQuery q(window->database().db());
        q.exec(QStringLiteral("select X_Length, X_Pixel, Y_Length, Y_Pixel from ScaleSet where ScaleName = '1X'"));
        q.next();
        return QStringList{q.value(0).toString(), q.value(1).toString(), q.value(2).toString(), q.value(3).toString()}
            .join(u'|');
    }
    QString recordedScale() const
    {
        QSqlQuery q(window->database().db());
        q.exec(QStringLiteral("select ScaleX, ScaleY from RecTitle where OperNo = 'W1'"));
        q.next();
        return q.value(0).toString() + u'|' + q.value(1).toString();
    }
};

}  // namespace

class TestRatio : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void openingAsksFirst();
    void spansFillThePixelsAndTheRatio_data();
    void spansFillThePixelsAndTheRatio();
    void aWidthClickedOnThePictureIsTheSpan();
    void saveWritesSquarePixels_data();
    void saveWritesSquarePixels();
    void fieldsThatAreNoSpanWriteNothing_data();
    void fieldsThatAreNoSpanWriteNothing();
    void ccdMenuItemSwapsThePanels();
    void resetStretchesThePicture_data();
    void resetStretchesThePicture();
    void grabFromTheTestPatternStartsAWorkOrder_data();
    void grabFromTheTestPatternStartsAWorkOrder();
    void watchedFolderTakesOneWholePicturePerShowing();
};

void TestRatio::openingAsksFirst()
{
    RatioWindow t;
    auto *box = t.control<QCheckBox>("cbRatioSetup");
    auto *x = t.control<QGroupBox>("gbRatioX");
    QVERIFY(x->isHidden());
    t.openBox(false);
    QCOMPARE(t.log->confirms, QStringList{QStringLiteral("確認|確定要校正倍率嗎？")});
    QVERIFY(!box->isChecked());
    QVERIFY(x->isHidden());

    t.openBox(true);
    QVERIFY(box->isChecked());
    QVERIFY(x->isVisible() && t.control<QGroupBox>("gbRatioY")->isVisible());
    for (const char *axis : {"X", "Y"}) {
        QCOMPARE(t.text(qPrintable(QStringLiteral("edLength%1").arg(axis))), QStringLiteral("1.000"));
        QCOMPARE(t.text(qPrintable(QStringLiteral("edPixel%1").arg(axis))), QStringLiteral("100"));
        QCOMPARE(t.text(qPrintable(QStringLiteral("edRatio%1").arg(axis))), QStringLiteral("0.010000"));
        QCOMPARE(t.control<QLabel>(qPrintable(QStringLiteral("lbUnit%1").arg(axis)))->text(), QStringLiteral("mm"));
    }
    // Unticking closes it without asking.
    t.click("cbRatioSetup");
    QVERIFY(x->isHidden());
    QCOMPARE(t.log->confirms.size(), 2);
}

void TestRatio::spansFillThePixelsAndTheRatio_data()
{
    QTest::addColumn<bool>("open");
    QTest::addColumn<int>("kind");
    QTest::addColumn<double>("pixels");
    QTest::addColumn<QString>("pixelX");
    QTest::addColumn<QString>("ratioX");
    QTest::addColumn<QString>("pixelY");
    QTest::addColumn<QString>("ratioY");
    const int width = kindIndex(MeasurementKind::Width);
    const int height = kindIndex(MeasurementKind::Height);
    QTest::newRow("width 250.4") << true << width << 250.4 << "250" << "0.003994" << "100" << "0.010000";
    QTest::newRow("height 80") << true << height << 80.0 << "100" << "0.010000" << "80" << "0.012500";
    QTest::newRow("a distance is no span") << true << kindIndex(MeasurementKind::PointToPoint) << 250.0 << "100"
                                           << "0.010000" << "100" << "0.010000";
    QTest::newRow("box closed") << false << width << 250.0 << "100" << "0.010000" << "100" << "0.010000";
}

void TestRatio::spansFillThePixelsAndTheRatio()
{
    QFETCH(bool, open);
    QFETCH(int, kind);
    QFETCH(double, pixels);
    RatioWindow t;
    t.openBox(true);
    if (!open)
        t.click("cbRatioSetup");
    t.window->ratioCalibration().spanMeasured(kindFromIndex(kind), pixels);
    QTEST(t.text("edPixelX"), "pixelX");
    QTEST(t.text("edRatioX"), "ratioX");
    QTEST(t.text("edPixelY"), "pixelY");
    QTEST(t.text("edRatioY"), "ratioY");
    QVERIFY(t.log->errors.isEmpty());
}

void TestRatio::aWidthClickedOnThePictureIsTheSpan()
{
    RatioWindow t;
    t.showPlainPicture(400, 300, Qt::gray);
    t.openBox(true);
    t.type("edLengthX", QStringLiteral("2"));
    t.selectKind(kindIndex(MeasurementKind::Width));
    t.clickPicture(20, 40);
    t.clickPicture(270, 90);
    QCOMPARE(t.text("edPixelX"), QStringLiteral("250"));
    QCOMPARE(t.text("edRatioX"), QStringLiteral("0.008000"));
    // Entering the Y length with no pixel count takes 1 pixel.
    t.type("edPixelY", QString());
    t.type("edLengthY", QStringLiteral("0.5"));
    t.window->activateWindow();
    QTRY_VERIFY(t.window->isActiveWindow());
    t.control<QLineEdit>("edLengthY")->setFocus(Qt::TabFocusReason);
    QCOMPARE(t.text("edPixelY"), QStringLiteral("1"));
    QCOMPARE(t.text("edRatioY"), QStringLiteral("0.500000"));
}

void TestRatio::saveWritesSquarePixels_data()
{
    QTest::addColumn<QString>("axis");
    QTest::addColumn<QString>("length");
    QTest::addColumn<QString>("pixels");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<double>("scale");  // ScaleX of the set afterwards
    QTest::addColumn<QString>("copied");  // the other axis' length|pixels|ratio fields
    QTest::newRow("X 2 over 500") << "X" << "2" << "500" << "2|500|2|500" << 0.004 << "2.0000|500.0000|0.0040";
    QTest::newRow("Y rounds the copy") << "Y" << "1.23456" << "300" << "1.2346|300|1.23456|300" << 1.2346 / 300
                                       << "1.2346|300.0000|0.0041";
}

void TestRatio::saveWritesSquarePixels()
{
    QFETCH(QString, axis);
    QFETCH(QString, length);
    QFETCH(QString, pixels);
    QFETCH(double, scale);
    RatioWindow t;
    t.openBox(true);
    const QString other = axis == QLatin1String("X") ? QStringLiteral("Y") : QStringLiteral("X");
    t.type(qPrintable(QStringLiteral("edLength") + axis), length);
    t.type(qPrintable(QStringLiteral("edPixel") + axis), pixels);
    t.click(qPrintable(QStringLiteral("bbtRatio%1Save").arg(axis)));

    QVERIFY2(t.log->errors.isEmpty(), qPrintable(t.log->errors.join(u'\n')));
    QTEST(t.storedSet(), "stored");
    const QString copied = QStringList{t.text(qPrintable(QStringLiteral("edLength") + other)),
                                       t.text(qPrintable(QStringLiteral("edPixel") + other)),
                                       t.text(qPrintable(QStringLiteral("edRatio") + other))}
                               .join(u'|');
    QTEST(copied, "copied");
    const ScaleValues &s = t.window->state().scale;
    QVERIFY(qFuzzyCompare(s.ScaleX, scale));
    const double scaleY = axis == QLatin1String("X") ? scale : 1.23456 / 300;
    QVERIFY(qFuzzyCompare(s.ScaleY, scaleY));
    // The work order shown records the new scale.
    const QStringList recorded = t.recordedScale().split(u'|');
    QVERIFY(qFuzzyCompare(recorded[0].toDouble(), scale));
    QVERIFY(qFuzzyCompare(recorded[1].toDouble(), scaleY));
}

void TestRatio::fieldsThatAreNoSpanWriteNothing_data()
{
    QTest::addColumn<QString>("length");
    QTest::addColumn<QString>("pixels");
    QTest::addColumn<QString>("message");
    QTest::newRow("0 pixels") << "2" << "0" << "X軸像數不可為零!";
    QTest::newRow("pixels no number") << "2" << "" << "'' is not a valid floating point value";
    QTest::newRow("length no number") << "abc" << "500" << "'abc' is not a valid floating point value";
    QTest::newRow("negative length") << "-2" << "500" << "X 軸倍率錯誤";
}

void TestRatio::fieldsThatAreNoSpanWriteNothing()
{
    QFETCH(QString, length);
    QFETCH(QString, pixels);
    QFETCH(QString, message);
    RatioWindow t;
    t.openBox(true);
    const QString before = t.recordedScale();
    t.type("edLengthX", length);
    t.type("edPixelX", pixels);
    t.click("bbtRatioXSave");
    QCOMPARE(t.log->errors.size(), 1);
    QVERIFY2(t.log->errors[0].contains(message), qPrintable(t.log->errors[0]));
    QCOMPARE(t.storedSet(), QStringLiteral("1|100|1|100"));
    QCOMPARE(t.text("edLengthY"), QStringLiteral("1.000"));
    QCOMPARE(t.text("edPixelY"), QStringLiteral("100"));
    QCOMPARE(t.window->state().scale.ScaleX, 0.01);
    QCOMPARE(t.recordedScale(), before);

    // A span of 0 pixels gives no ratio either: the fields keep their texts.
    t.type("edLengthX", QStringLiteral("1"));
    t.type("edPixelX", QStringLiteral("100"));
    t.window->ratioCalibration().spanMeasured(MeasurementKind::Width, 0);
    QCOMPARE(t.log->errors.size(), 2);
    QCOMPARE(t.log->errors[1], QStringLiteral("X軸像數不可為零!"));
    QCOMPARE(t.text("edPixelX"), QStringLiteral("100"));
    QCOMPARE(t.text("edRatioX"), QStringLiteral("0.010000"));
}

void TestRatio::ccdMenuItemSwapsThePanels()
{
    RatioWindow t;
    auto *panel = t.control("plCCDAligment");
    auto *cross = t.control("cbCross");
    QVERIFY(panel->isHidden() && cross->isVisible());
    t.control<QAction>("CCD1")->trigger();
    QVERIFY(panel->isVisible());
    for (const char *option : {"cbCross", "CheckBox1", "cbDisplayScaleGauge", "cbPhotoHide"})
        QVERIFY2(t.control(option)->isHidden(), option);
    t.control<QAction>("CCD1")->trigger();
    QVERIFY(panel->isHidden() && cross->isVisible());
}

void TestRatio::resetStretchesThePicture_data()
{
    QTest::addColumn<QString>("ratioX");
    QTest::addColumn<QString>("ratioY");
    QTest::addColumn<QSize>("size");  // empty: refused
    QTest::addColumn<QString>("message");
    QTest::newRow("wider pixels on Y") << "1.0" << "1.1" << QSize(704, 480) << "";
    QTest::newRow("wider pixels on X") << "1.1" << "1.0" << QSize(640, 528) << "";
    QTest::newRow("square") << "1000" << "1000" << QSize(640, 480) << "";
    QTest::newRow("zero") << "0" << "1000" << QSize() << "CCD比例 X 必須大於零!";
    QTest::newRow("no number") << "1000" << "x" << QSize() << "'x' is not a valid floating point value";
}

void TestRatio::resetStretchesThePicture()
{
    QFETCH(QString, ratioX);
    QFETCH(QString, ratioY);
    QFETCH(QSize, size);
    QFETCH(QString, message);
    RatioWindow t;
    const QImage original = samplePicture(640, 480);
    const QString file = t.path(QStringLiteral("part.bmp"));
    QVERIFY(writeBitmapFile(original, file).ok());
    QVERIFY(t.window->pictureFiles().LoadPictureFile(file));
    t.moveOverPicture(30, 30);
    QVERIFY(t.window->pictures().crosshairDrawn());
    QSignalSpy workOrders(&t.window->pictureFiles(), &PictureFilesController::pictureOpened);

    t.control<QAction>("CCD1")->trigger();
    t.type("edCCDRatioX", ratioX);
    t.type("edCCDRatioY", ratioY);
    t.click("BitBtn20");
    Pictures &pictures = t.window->pictures();
    if (size.isEmpty()) {
        QCOMPARE(t.log->errors.size(), 1);
        QVERIFY2(t.log->errors[0].contains(message), qPrintable(t.log->errors[0]));
        QCOMPARE(workOrders.count(), 0);
        QVERIFY(pictures.crosshairDrawn());
        pictures.hideCrosshair();
        QCOMPARE(maxDifference(pictures.view(), original), 0);
        return;
    }
    QVERIFY(t.log->errors.isEmpty());
    QCOMPARE(workOrders.count(), 1);
    QVERIFY(!pictures.crosshairDrawn());
    QCOMPARE(pictures.view().size(), size);
    QCOMPARE(t.imgView()->size(), size);
    // The far pixel takes the source pixel it stretches from; the clean picture is the stretched one.
    const double r = size.width() > 640 ? 1.1 : size.height() > 480 ? 1.1 : 1.0;
    const QPoint far(size.width() - 1, size.height() - 1);
    const QPoint from(size.width() > 640 ? int(far.x() / r) : far.x(), size.height() > 480 ? int(far.y() / r) : far.y());
    QCOMPARE(pictures.view().pixel(far), original.pixel(from));
    pictures.restoreClean();
    QCOMPARE(pictures.view().size(), size);
    QCOMPARE(pictures.view().pixel(far), original.pixel(from));
}

void TestRatio::grabFromTheTestPatternStartsAWorkOrder_data()
{
    QTest::addColumn<QString>("ratioY");
    QTest::addColumn<QSize>("size");
    // The pattern's first format is 640 x 480; stretched by the ratio, then doubled.
    QTest::newRow("square pixels") << "1000" << QSize(1280, 960);
    QTest::newRow("wider pixels on Y") << "1100" << QSize(1408, 960);
}

void TestRatio::grabFromTheTestPatternStartsAWorkOrder()
{
    QFETCH(QString, ratioY);
    QFETCH(QSize, size);
    TestWindow t;
    t.window->show();
    t.control<QAction>("mmVFW1")->trigger();
    t.dialogs->onExec = [](QDialog &dialog) {
        auto *list = dialog.findChild<QListWidget *>(QStringLiteral("lbChoices"));
        const QList<QListWidgetItem *> found = list->findItems(QStringLiteral("測試圖樣"), Qt::MatchExactly);
        if (found.size() != 1)
            return int(QDialog::Rejected);
        list->setCurrentItem(found[0]);
        return int(QDialog::Accepted);
    };
    t.control<QAction>("VideoSource1")->trigger();
    QCOMPARE(t.log->execs, QStringList{QStringLiteral("dlgVideoSource")});
    QVERIFY(t.window->capture().device().source().isTestPattern());

    t.control<QCheckBox>("cbCameraRatio")->setChecked(true);
    t.control<QLineEdit>("edCCDRatioX")->setText(QStringLiteral("1000"));
    t.control<QLineEdit>("edCCDRatioY")->setText(ratioY);
    t.control<QAction>("mm2x2")->trigger();
    QCOMPARE(t.window->capture().zoomState(), 1);
    // The camera item starts checked; switched off and on again, it connects to the chosen source.
    auto *active = t.control<QAction>("mmCameraActive");
    if (active->isChecked())
        active->trigger();
    active->trigger();
    QVERIFY(active->isChecked());
    CaptureDevice &device = t.window->capture().device();
    QVERIFY(device.isConnected());
    QImage probe;
    QTRY_VERIFY(device.copyFrame(probe));
    QTRY_VERIFY(t.control("TreeView1")->isVisible());

    QTest::mouseClick(t.control<QAbstractButton>("sbCapture"), Qt::LeftButton);
    QVERIFY2(t.log->errors.isEmpty(), qPrintable(t.log->errors.join(u'\n')));
    QCOMPARE(t.window->pictures().view().size(), size);
    QVERIFY(t.imgView()->isVisible());
    // The stage's red marker at the top-left corner survives both enlargements.
    QCOMPARE(t.window->pictures().view().pixelColor(1, 1), QColor(Qt::red));

    QSqlQuery q(t.window->database().db());
    QVERIFY(q.exec(QStringLiteral("select OperNo, PicFullName from RecTitle")));
    QCOMPARE(rowTexts(q, QStringLiteral("OperNo PicFullName")), QStringList{QStringLiteral("TEMP|CaptureFN.JPG")});
    QCOMPARE(t.control<QLineEdit>("edWorkSheetID")->text(), QStringLiteral("TEMP"));
    QImage kept;
    QVERIFY(decodeJpegFile(t.path(QStringLiteral("CaptureFN.JPG")), kept).ok());
    QCOMPARE(kept.size(), size);
    QVERIFY(QFile::exists(t.path(QStringLiteral("_CaptureFN.JPG"))));
}

void TestRatio::watchedFolderTakesOneWholePicturePerShowing()
{
    TestWindow t;
    const QString folder = t.path(QStringLiteral("Pictures"));
    QVERIFY(QDir().mkpath(folder));
    FolderWatchController &watch = t.window->folderWatch();
    watch.setWatchFolder(folder);
    t.control<QLineEdit>("edSaveLag")->setText(QStringLiteral("1"));
    t.control<QAction>("mmAutoDetect")->trigger();
    QVERIFY(t.control<QAction>("mmAutoDetect")->isChecked());
    QSignalSpy arrived(&watch, &FolderWatchController::pictureArrived);
    // The timer's two ticks of one scan, each only while the timer runs, as it would fire them.
    const auto scan = [&] {
        for (int tick = 0; tick < 2 && watch.tmPicDetect().isActive(); ++tick)
            watch.tmPicDetectTimer();
    };

    const QImage first = samplePicture(48, 40);
    const QImage second = samplePicture(64, 24);
    QVERIFY(writeBitmapFile(first, QDir(folder).filePath(QStringLiteral("a.bmp"))).ok());
    QVERIFY(writeBitmapFile(second, QDir(folder).filePath(QStringLiteral("b.bmp"))).ok());
    t.window->show();
    t.window->hide();
    QVERIFY(watch.tmPicDetect().isActive());
    scan();
    QCOMPARE(arrived.count(), 1);
    QVERIFY(t.window->isVisible());
    QVERIFY(!watch.tmPicDetect().isActive());
    QCOMPARE(maxDifference(t.window->pictures().view(), first), 0);
    // Shown, the watch takes nothing more until the window is hidden again.
    scan();
    QCOMPARE(arrived.count(), 1);
    t.window->hide();
    scan();
    QCOMPARE(arrived.count(), 2);
    QCOMPARE(maxDifference(t.window->pictures().view(), second), 0);
    QCOMPARE(watch.watch().known(), (QStringList{QStringLiteral("a.bmp"), QStringLiteral("b.bmp")}));

    // A picture written slowly, a few bytes at a time, while the watch looks at it.
    const QImage third = samplePicture(80, 60);
    const QString staged = t.path(QStringLiteral("c.bmp"));
    QVERIFY(writeBitmapFile(third, staged).ok());
    QFile whole(staged);
    QVERIFY(whole.open(QIODevice::ReadOnly));
    const QByteArray bytes = whole.readAll();
    whole.close();
    const QString target = QDir(folder).filePath(QStringLiteral("c.bmp"));
    QFile growing(target);
    QVERIFY(growing.open(QIODevice::WriteOnly));
    growing.write(bytes.left(200));
    growing.flush();
    std::atomic<bool> finish = false;
    std::thread writer([&] {
        qsizetype written = 200;
        while (!finish && written < bytes.size() - 1) {
            growing.write(bytes.mid(written, 4));
            growing.flush();
            written += 4;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        growing.write(bytes.mid(written));
        growing.close();
    });
    t.window->hide();
    scan();
    const qint64 seenAt = QFileInfo(target).size();
    finish = true;
    writer.join();
    QVERIFY2(seenAt < bytes.size(), "the slow writer finished before the watch looked");
    QCOMPARE(arrived.count(), 2);
    QVERIFY(!watch.watch().known().contains(QStringLiteral("c.bmp")));
    QVERIFY(!t.window->isVisible());
    // Whole now, it is taken at the next scan.
    scan();
    QCOMPARE(arrived.count(), 3);
    QCOMPARE(maxDifference(t.window->pictures().view(), third), 0);
}

QUILLMONT_TEST_MAIN(TestRatio)
#include "tst_ratio.moc"
