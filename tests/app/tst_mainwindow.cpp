// The main window as the operator meets it: start-up, menu, tray, exit, about and help, captions,
// and opening, committing and keeping picture files.
#include <algorithm>

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QMenu>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWidget>

#include "acquire/picturefile.h"
#include "acquire/picturefiles.h"
#include "app/main.h"
#include "measure/kinds.h"
#include "tests/acquire/damagedfiles.h"
#include "tests/app/testkit.h"
#include "tests/filebytes.h"
#include "ui/guarded.h"
#include "ui/pictureview.h"
#include "ui/scripteddialogs.h"

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QVERIFY(writeFileBytes(path, bytes));
}

bool allWhite(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        const uchar *row = image.constScanLine(y);
        for (int i = 0; i < image.width() * 3; ++i)
            if (row[i] != 0xFF)
                return false;
    }
    return true;
}

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startsWithItsPagesButtonsAndStatusBar();
    void captionsReadAsTheyAreGiven();
    void startUpWithoutItsWatchedFolderStillOpens();
    void menuMatchesTheTable();
    void startupTimerKeepsTheWindowWithoutANotificationArea();
    void exitAsksFirst();
    void aboutAndHelpWindows();
    void sidePanelOpensAndCollapses();
    void opensAJpegThroughTheMenu();
    void opensABitmapExactly();
    void missingBitmapBecomesABlankWhiteFile();
    void brokenFilesLeaveThePicturesAlone();
    void missingJpegNeverShowsAnOldTemporaryBitmap();
    void commitMakesOverlaysPartOfTheCleanPicture();
    void keepsATemporaryPictureUnderItsOwnName();
};

void TestMainWindow::startsWithItsPagesButtonsAndStatusBar()
{
    TestWindow t;
    TfmMain &w = *t.window;
    QCOMPARE(w.windowTitle(), QStringLiteral("Quillmont 1394"));
    QCOMPARE(w.geometry().size(), QSize(1024, 768));
    // Shown, it stays that size: no page needs more than the station's 1024 x 768 screen.
    w.show();
    QVERIFY2(w.minimumSizeHint().width() <= 1024 && w.minimumSizeHint().height() <= 768,
             qPrintable(QStringLiteral("%1 x %2").arg(w.minimumSizeHint().width()).arg(w.minimumSizeHint().height())));
    QCOMPARE(w.size(), QSize(1024, 768));

    auto *pages = t.control<QTabWidget>("PageControl1");
    QVERIFY(pages);
    const QStringList expected = {QStringLiteral("量測功能"), QStringLiteral("表格資料維護"), QStringLiteral("系統參數"),
                                  QStringLiteral("測試頁")};
    QCOMPARE(pages->count(), 4);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(pages->tabText(i), expected[i]);
    QVERIFY(!pages->isTabVisible(3));
    QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("TabSheet2"));

    for (int kind = 0; kind < KindCount; ++kind) {
        auto *button = w.findChild<QToolButton *>(QStringLiteral("bbtMeasure%1").arg(kind));
        QVERIFY2(button, qPrintable(QString::number(kind)));
        QCOMPARE(button->property("tag").toInt(), kind);
        QCOMPARE(button->text(), kindButtonCaption(kindFromIndex(kind)));
        QCOMPARE(button->toolTip(), KindDescriptions().at(kind));
    }
    QCOMPARE(t.control<QToolButton>("bbtMeasure10")->text(), QStringLiteral("註解"));
    QCOMPARE(w.statusText(0), QStringLiteral("Ver3.01.00"));
    QCOMPARE(t.control<QLabel>("StatusBar1Panel0")->width(), 100);
    QCOMPARE(t.control<QWidget>("Panel3")->width(), 16);

    auto *timer = t.control<QTimer>("Timer1");
    QVERIFY(timer->isActive());
    QVERIFY(timer->isSingleShot());
    QCOMPARE(timer->interval(), 2000);
    QVERIFY(t.log->errors.isEmpty());
}

void TestMainWindow::captionsReadAsTheyAreGiven()
{
    // The task bar shows the application's name; no display name is set, which X11 would add to
    // every window and box caption.
    QCOMPARE(QApplication::applicationName(), QStringLiteral("Quillmont3.07"));
    QApplication::setApplicationName(QStringLiteral("renamed"));
    QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("renamed"));
    setApplicationTexts();
}

void TestMainWindow::startUpWithoutItsWatchedFolderStillOpens()
{
    QTemporaryDir folder;
    writeFile(folder.filePath(QStringLiteral("file")), "not a folder");
    auto scripted = std::make_unique<ScriptedDialogs>();
    const auto log = scripted->log;
    const QString watched = folder.filePath(QStringLiteral("file/Pictures"));
    TfmMain window(folder.path(), std::move(scripted), watched);
    QCOMPARE(log->errors, QStringList{QStringLiteral("Cannot create ") + watched});
    // The rest of the creation is skipped: no start-up timer, the side panel as built.
    QVERIFY(!window.findChild<QTimer *>(QStringLiteral("Timer1"))->isActive());
    window.show();
    QVERIFY(window.isVisible());
}

void TestMainWindow::menuMatchesTheTable()
{
    TestWindow t;
    struct Item {
        const char *name;
        const char *caption;
        bool checkable;
        bool checked;
        bool visible;
    };
    const Item items[] = {
        {"mmNew", "New", false, false, false},           {"mmLoad1", "開啟圖擋", false, false, true},
        {"mmSave", "Save", false, false, false},         {"SaveAd1", "另存新檔", false, false, true},
        {"PrintSetup1", "設定印表機", false, false, true}, {"mmPreview", "預覽列印", true, true, true},
        {"Print1", "列印", false, false, true},           {"mmExportPdf", "匯出PDF", false, false, true},
        {"mmExcel2", "匯出Excel", false, false, true},
        {"CSV1", "匯出CSV", false, false, true},          {"mmOpenExcel", "開啟EXCEL", true, true, true},
        {"mmReadIni", "讀取INI檔", false, false, true},   {"mmWiteIni", "寫入INI檔", false, false, true},
        {"Exit1", "離開", false, false, true},            {"mmVFW1", "VFW 標準影像輸入介面", true, false, true},
        {"mmAutoDetect", "自動偵測圖檔", true, false, true}, {"mmCameraActive", "開啟影像擷取裝置", true, true, true},
        {"VideoSource1", "影像來源", false, false, true},  {"ImageSize1", "影像大小", false, false, true},
        {"mm1x1", "1 x 1", true, true, true},            {"mm2x2", "2 x 2", true, false, true},
        {"N8", "線上求助", false, false, false},          {"CCD1", "CCD比例設定", true, false, true},
        {"mmLine", "直線", true, false, true},            {"mmCircle", "圓", true, false, true},
        {"mmHardness", "硬度計算", true, false, true},     {"mmHide", "隱藏程式", false, false, true},
        {"mmExit", "結束程式", false, false, true},        {"N11", "關於", false, false, true},
    };
    for (const Item &item : items) {
        auto *action = t.window->findChild<QAction *>(QString::fromLatin1(item.name));
        QVERIFY2(action, item.name);
        QCOMPARE(action->text(), QString::fromUtf8(item.caption));
        QCOMPARE(action->isCheckable(), item.checkable);
        QCOMPARE(action->isChecked(), item.checked);
        QCOMPARE(action->isVisible(), item.visible);
    }
    QVERIFY(!t.control<QMenu>("mmVFWFunc")->menuAction()->isEnabled());

    // Separators stand between the file menu's groups.
    const QList<QAction *> file = t.control<QMenu>("mmFile")->actions();
    QStringList shape;
    for (QAction *a : file)
        shape << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
    QCOMPARE(shape.join(QLatin1Char(' ')),
             QStringLiteral("mmNew mmLoad1 mmSave - SaveAd1 - PrintSetup1 mmPreview Print1 mmExportPdf - mmExcel - mmReadIni "
                            "mmWiteIni - Exit1"));

    auto *line = t.control<QAction>("mmLine");
    line->trigger();
    QVERIFY(line->isChecked());
    QVERIFY(t.log->messages.isEmpty());
}

void TestMainWindow::startupTimerKeepsTheWindowWithoutANotificationArea()
{
    TestWindow t;
    t.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(t.window.get()));
    QVERIFY(!t.window->trayAvailable());
    auto *hideDelay = t.control<QTimer>("Timer1Hide");
    QSignalSpy fired(hideDelay, &QTimer::timeout);
    t.window->Timer1Timer();
    QVERIFY(!t.control<QTimer>("Timer1")->isActive());
    QCOMPARE(t.control<QTabWidget>("PageControl1")->currentWidget()->objectName(), QStringLiteral("TabSheet1"));
    QCOMPARE(hideDelay->interval(), 500);
    QVERIFY(fired.wait(2000));
    // Offscreen has no notification area: hiding would leave the operator without a window.
    QVERIFY(t.window->isVisible());
    t.window->bbtHiddenClick();
    QVERIFY(t.window->isVisible() || t.window->isMinimized());
}

void TestMainWindow::exitAsksFirst()
{
    TestWindow t;
    t.window->show();
    t.dialogs->confirmAnswers = {false, true};
    t.control<QAction>("Exit1")->trigger();
    QVERIFY(t.window->isVisible());
    QCOMPARE(t.log->confirms.value(0), QStringLiteral("確認|確定要結束量測程式嗎？"));
    t.control<QAction>("mmExit")->trigger();
    QVERIFY(!t.window->isVisible());
}

void TestMainWindow::aboutAndHelpWindows()
{
    TestWindow t;
    QString version;
    QString title;
    QString product;
    t.dialogs->onExec = [&](QDialog &dialog) {
        version = dialog.findChild<QLabel *>(QStringLiteral("Version"))->text();
        title = dialog.windowTitle();
        product = dialog.findChild<QLabel *>(QStringLiteral("ProductName"))->text();
        return int(QDialog::Accepted);
    };
    t.control<QAction>("N11")->trigger();
    QCOMPARE(t.log->execs, QStringList{QStringLiteral("fmAboutBox")});
    QCOMPARE(version, QStringLiteral("Version 3.01(Build 96.11.06)"));
    QCOMPARE(title, QStringLiteral("About"));
    QCOMPARE(product, QStringLiteral("Quillmont"));

    t.window->N8Click();
    auto *help = t.control<QWidget>("fmHelp");
    QVERIFY(help);
    QCOMPARE(help->windowTitle(), QStringLiteral("線上協助"));
    t.window->N8Click();
    QCOMPARE(t.window->findChildren<QWidget *>(QStringLiteral("fmHelp")).size(), 1);
    help->close();
    QTRY_VERIFY(!t.control<QWidget>("fmHelp"));
}

void TestMainWindow::sidePanelOpensAndCollapses()
{
    TestWindow t;
    auto *panel = t.control<QWidget>("Panel3");
    auto press = [&](const char *name) { QTest::mouseClick(t.control<QPushButton>(name), Qt::LeftButton); };
    QCOMPARE(panel->width(), 16);
    press("Panel85");
    QCOMPARE(panel->maximumWidth(), 280);
    QCOMPARE(t.control<QPushButton>("Panel85")->text(), QStringLiteral(">"));
    press("Panel85");
    QCOMPARE(panel->maximumWidth(), 16);
    press("Panel90");
    QCOMPARE(panel->maximumWidth(), 384);
    press("Panel89");
    QCOMPARE(panel->maximumWidth(), 320);
    // The whole strip collapses the open panel as "<" does.
    QTest::mouseClick(t.control<QWidget>("Panel88"), Qt::LeftButton, Qt::NoModifier, QPoint(8, 200));
    QCOMPARE(panel->maximumWidth(), 16);
    QCOMPARE(t.control<QPushButton>("Panel85")->text(), QStringLiteral("<"));

    // "<<<-" is seen whole on the 16-pixel strip: its ink stays inside the button and ends in the
    // dash (one short run of rows), not in the open end of a "<" (two runs apart).
    auto *longest = t.control<QPushButton>("Panel90");
    QCOMPARE(longest->text(), QStringLiteral("<<<-"));
    const QImage shot = longest->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const int paper = qGray(shot.pixel(0, 0));
    int left = shot.width(), right = -1;
    for (int x = 0; x < shot.width(); ++x)
        for (int y = 0; y < shot.height(); ++y)
            if (qGray(shot.pixel(x, y)) < paper - 80) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    QVERIFY2(right > left, "no caption drawn");
    QVERIFY2(left >= 1 && right <= shot.width() - 2, qPrintable(QStringLiteral("ink %1..%2").arg(left).arg(right)));
    int top = shot.height(), bottom = -1;
    for (int y = 0; y < shot.height(); ++y)
        if (qGray(shot.pixel(right, y)) < paper - 80) {
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    QVERIFY2(bottom - top <= 1, qPrintable(QStringLiteral("last column inked from %1 to %2").arg(top).arg(bottom)));
}

void TestMainWindow::opensAJpegThroughTheMenu()
{
    TestWindow t;
    const QImage source = samplePicture(321, 203);
    const QString file = t.path(QStringLiteral("part.jpg"));
    QVERIFY(writeJpegFile(source, 100, file).ok());
    t.openThroughMenu(file);

    QVERIFY2(t.log->messages.isEmpty(), qPrintable(t.log->messages.join(QLatin1Char('\n'))));
    const QImage &view = t.imgView()->picture();
    QCOMPARE(view.size(), QSize(321, 203));
    QCOMPARE(t.imgView()->size(), QSize(321, 203));
    QCOMPARE(view.depth(), 24);
    QVERIFY(maxDifference(view, source) < 40);
    QCOMPARE(maxDifference(view, t.clean()), 0);
    QCOMPARE(t.window->windowTitle(), QStringLiteral("Quillmont 1394  -  ") + file);
    QCOMPARE(t.control<QLineEdit>("edImageFile")->text(), file);
    QCOMPARE(t.control<QLabel>("lbFullFileName")->text(), file);
    QCOMPARE(t.window->pictureFiles().saveDialogFileName(), file);
    // The temporary bitmap holds the decoded picture.
    QImage temporary;
    QVERIFY(readBitmapFile(t.path(QStringLiteral("_Temp.bmp")), temporary).ok());
    QCOMPARE(maxDifference(temporary, view), 0);
}

void TestMainWindow::opensABitmapExactly()
{
    TestWindow t;
    const QImage source = samplePicture(97, 61);
    const QString file = t.path(QStringLiteral("part.bmp"));
    QVERIFY(writeBitmapFile(source, file).ok());
    t.openThroughMenu(file);
    QVERIFY(t.log->messages.isEmpty());
    QCOMPARE(maxDifference(t.imgView()->picture(), source), 0);
    QCOMPARE(maxDifference(t.clean(), source), 0);
}

void TestMainWindow::missingBitmapBecomesABlankWhiteFile()
{
    TestWindow t;
    const QString file = t.path(QStringLiteral("gone.bmp"));
    t.openThroughMenu(file);
    QCOMPARE(t.log->messages, QStringList{QStringLiteral("檔案開啟錯誤!  <%1>").arg(file)});
    QCOMPARE(t.imgView()->picture().size(), QSize(640, 480));
    QVERIFY(allWhite(t.imgView()->picture()));
    QVERIFY(allWhite(t.clean()));
    QImage written;
    QVERIFY(readBitmapFile(file, written).ok());
    QCOMPARE(written.size(), QSize(640, 480));
    QVERIFY(allWhite(written));
}

void TestMainWindow::brokenFilesLeaveThePicturesAlone()
{
    TestWindow t;
    const QImage source = samplePicture(64, 48);
    const QString good = t.path(QStringLiteral("good.jpg"));
    QVERIFY(writeJpegFile(source, 95, good).ok());
    t.openThroughMenu(good);
    QVERIFY(t.log->messages.isEmpty());
    const QImage clean = t.clean().copy();
    const QByteArray temporary = fileBytes(t.path(QStringLiteral("_Temp.bmp")));
    // A mark on the picture, which a failed open must keep along with its label.
    t.window->show();
    t.selectKind(2);
    t.clickPicture(10, 10);
    t.clickPicture(50, 40);
    const QImage marked = t.imgView()->picture().copy();
    QVERIFY(maxDifference(marked, clean) > 0);

    // The same size, so a decode would go straight into the visible picture's buffer.
    writeFile(t.path(QStringLiteral("stopped.jpg")), jpegStoppingAfterAWarning(fileBytes(good)));
    const QByteArray palette = bitmapWith(64, 48, 8, 0, QByteArray(64 * 48, '\x40'));
    writeFile(t.path(QStringLiteral("short8.bmp")), palette.left(palette.size() - 64));

    writeFile(t.path(QStringLiteral("broken.jpg")), QByteArray(5000, 'x'));
    writeFile(t.path(QStringLiteral("huge.bmp")), bitmapWith(200000, 200000, 24, 0, {}));
    const QString goodBitmap = t.path(QStringLiteral("good.bmp"));
    QVERIFY(writeBitmapFile(source, goodBitmap).ok());
    const QByteArray bitmap = fileBytes(goodBitmap);
    writeFile(t.path(QStringLiteral("cut.bmp")), bitmap.left(bitmap.size() / 2));

    // The four-letter JPEG extension is read as a bitmap and fails like any broken bitmap.
    const QString fourLetter = t.path(QStringLiteral("photo.jpeg"));
    QVERIFY(writeJpegFile(source, 90, fourLetter).ok());

    for (const QString &name : {QStringLiteral("broken.jpg"), QStringLiteral("huge.bmp"), QStringLiteral("cut.bmp"),
                                QStringLiteral("photo.jpeg"), QStringLiteral("stopped.jpg"),
                                QStringLiteral("short8.bmp")}) {
        t.log->messages.clear();
        t.openThroughMenu(t.path(name));
        QCOMPARE(t.log->messages.size(), 1);
        // The message names the file and, on a line of its own, the cause.
        const QStringList lines = t.log->messages[0].split(QLatin1Char('\n'));
        QCOMPARE(lines.value(0), QStringLiteral("檔案開啟錯誤!  <%1>").arg(t.path(name)));
        QVERIFY2(lines.size() == 2 && !lines[1].isEmpty(), qPrintable(t.log->messages[0]));
        QVERIFY2(maxDifference(t.imgView()->picture(), marked) == 0, qPrintable(name));
        QCOMPARE(maxDifference(t.clean(), clean), 0);
        QVERIFY(t.control<QWidget>("mlbMeasure0000"));
    }
    QCOMPARE(fileBytes(t.path(QStringLiteral("_Temp.bmp"))), temporary);
}

void TestMainWindow::missingJpegNeverShowsAnOldTemporaryBitmap()
{
    TestWindow t;
    const QImage first = samplePicture(80, 60);
    const QString firstFile = t.path(QStringLiteral("first.jpg"));
    QVERIFY(writeJpegFile(first, 95, firstFile).ok());
    t.openThroughMenu(firstFile);
    QVERIFY(QFile::exists(t.path(QStringLiteral("_Temp.bmp"))));

    const QString missing = t.path(QStringLiteral("second.JPG"));
    t.openThroughMenu(missing);
    QCOMPARE(t.log->messages, QStringList{QStringLiteral("檔案開啟錯誤!  <%1>").arg(missing)});
    QCOMPARE(t.imgView()->picture().size(), QSize(640, 480));
    QVERIFY(allWhite(t.imgView()->picture()));
}

void TestMainWindow::commitMakesOverlaysPartOfTheCleanPicture()
{
    TestWindow t;
    const QString file = t.path(QStringLiteral("part.bmp"));
    QVERIFY(writeBitmapFile(samplePicture(120, 90), file).ok());
    t.openThroughMenu(file);
    t.selectKind(2);
    t.clickPicture(10, 10);
    t.clickPicture(100, 70);
    t.moveOverPicture(50, 50);  // the crosshair must not be committed
    QVERIFY(maxDifference(t.imgView()->picture(), t.clean()) > 0);
    auto *commit = t.control<QPushButton>("bbtImg1toImg3");
    QCOMPARE(commit->text(), QStringLiteral("儲存"));
    QTest::mouseClick(commit, Qt::LeftButton);
    QCOMPARE(maxDifference(t.imgView()->picture(), t.clean()), 0);
    const QImage committed = t.clean().copy();
    t.moveOverPicture(20, 20);
    QCOMPARE(maxDifference(t.clean(), committed), 0);
}

void TestMainWindow::keepsATemporaryPictureUnderItsOwnName()
{
    TestWindow t;
    const QString file = t.path(QStringLiteral("_Temp.bmp"));
    QVERIFY(writeBitmapFile(samplePicture(40, 30), file).ok());
    QVERIFY(t.window->pictureFiles().LoadPictureFile(file));

    t.dialogs->saveNames = {t.path(QStringLiteral("kept.jpg"))};
    t.window->pictureFiles().KeepTemporaryPicture(false);
    QVERIFY(QFile::exists(t.path(QStringLiteral("kept.jpg"))));
    QVERIFY(QFile::exists(t.path(QStringLiteral("_kept.jpg"))));
    QCOMPARE(t.window->pictures().currentPicturePath(), t.path(QStringLiteral("_kept.jpg")));

    // A name that is not temporary is left alone: no dialog, no file.
    t.window->pictureFiles().setSaveDialogFileName(t.path(QStringLiteral("other.bmp")));
    t.window->pictureFiles().KeepTemporaryPicture(false);
    QVERIFY(!QFile::exists(t.path(QStringLiteral("other.bmp"))));

    // Without an extension the temporary bitmap is copied as a .BMP file.
    t.window->pictureFiles().setSaveDialogFileName(file);
    t.dialogs->saveNames = {t.path(QStringLiteral("plain"))};
    t.window->pictureFiles().KeepTemporaryPicture(false);
    QVERIFY(QFile::exists(t.path(QStringLiteral("plain.BMP"))));

    // A capture keeps its frame as CaptureFN.JPG in the program folder without asking.
    t.window->pictureFiles().setSaveDialogFileName(file);
    t.window->pictureFiles().KeepTemporaryPicture(true);
    QVERIFY(QFile::exists(t.path(QStringLiteral("CaptureFN.JPG"))));
    QVERIFY(QFile::exists(t.path(QStringLiteral("_CaptureFN.JPG"))));

    // A copy that fails keeps the operator's earlier file under that name, and says so.
    QVERIFY(QFile::remove(file));
    const QByteArray earlier = fileBytes(t.path(QStringLiteral("plain.BMP")));
    t.window->pictureFiles().setSaveDialogFileName(file);
    t.dialogs->saveNames = {t.path(QStringLiteral("plain.BMP"))};
    QVERIFY(!guarded(t.window->dialogs(), t.window.get(), [&] { t.window->pictureFiles().KeepTemporaryPicture(false); }));
    QCOMPARE(t.log->errors.size(), 1);
    QVERIFY(t.log->errors[0].startsWith(QStringLiteral("檔案儲存錯誤!  <%1>\n").arg(t.path(QStringLiteral("plain.BMP")))));
    QCOMPARE(fileBytes(t.path(QStringLiteral("plain.BMP"))), earlier);
    QVERIFY(!earlier.isEmpty());
}

QUILLMONT_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
