// The settings file through the real window: the menu items "寫入INI檔" and "讀取INI檔", the
// controls each key feeds, and the file start-up reads.
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTest>

#include "acquire/capture.h"
#include "acquire/folderwatchcontroller.h"
#include "tests/app/testkit.h"

namespace {

struct SettingsWindow : TestWindow {
    [[nodiscard]] QString ini() const { return path(QStringLiteral("Quillmont.ini")); }
    [[nodiscard]] QByteArray iniBytes() const
    {
        QFile file(ini());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void trigger(const char *item) const { control<QAction>(item)->trigger(); }
    [[nodiscard]] bool checked(const char *name) const
    {
        if (auto *action = control<QAction>(name))
            return action->isChecked();
        return control<QCheckBox>(name)->isChecked();
    }
    void setChecked(const char *name, bool on) const { control<QCheckBox>(name)->setChecked(on); }
    [[nodiscard]] QString text(const char *name) const { return control<QLineEdit>(name)->text(); }
    void type(const char *name, const QString &text) const { control<QLineEdit>(name)->setText(text); }
    [[nodiscard]] int position(const char *name) const { return control<QScrollBar>(name)->value(); }
    void setPosition(const char *name, int value) const { control<QScrollBar>(name)->setValue(value); }

    // The state of every control the file keeps, one "name=value" per control.
    [[nodiscard]] QStringList controls() const
    {
        QStringList state;
        for (const char *name : {"edPrintTitle", "edSaveLag", "edCCDRatioX", "edCCDRatioY", "edTimes", "Edit7", "Edit8"})
            state << QStringLiteral("%1=%2").arg(QLatin1String(name), text(name));
        for (const char *name : {"cbMoveLabel", "CheckBox1", "cbDisplayScaleGauge", "cbCross", "cbPhotoHide", "mmVFW1",
                                 "mmAutoDetect", "mmCameraActive", "cbCameraRatio", "mmHardness", "mm1x1", "mm2x2"})
            state << QStringLiteral("%1=%2").arg(QLatin1String(name)).arg(checked(name));
        for (const char *name : {"ScrollBar1", "ScrollBar2", "ScrollBar3"})
            state << QStringLiteral("%1=%2").arg(QLatin1String(name)).arg(position(name));
        state << QStringLiteral("zoom=%1").arg(window->capture().zoomState());
        state << QStringLiteral("folder=%1").arg(window->state().paths.WatchFolder);
        return state;
    }
};

}  // namespace

class TestSettingsFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void noFileGivesTheDefaults();
    void writtenReadBackAndKeptOnABadField();
};

void TestSettingsFile::noFileGivesTheDefaults()
{
    SettingsWindow t;
    QVERIFY(!QFile::exists(t.ini()));
    QVERIFY2(t.log->errors.isEmpty(), qPrintable(t.log->errors.join(u'\n')));
    const QString pictures = t.path(QStringLiteral("Pictures"));
    QCOMPARE(t.controls(),
             (QStringList{"edPrintTitle=Quillmont", "edSaveLag=1", "edCCDRatioX=1000", "edCCDRatioY=1000", "edTimes=36", "Edit7=320",
                          "Edit8=240", "cbMoveLabel=0", "CheckBox1=1", "cbDisplayScaleGauge=1", "cbCross=1",
                          "cbPhotoHide=0", "mmVFW1=0", "mmAutoDetect=0", "mmCameraActive=1", "cbCameraRatio=0",
                          "mmHardness=0", "mm1x1=1", "mm2x2=0", "ScrollBar1=25", "ScrollBar2=75", "ScrollBar3=70",
                          "zoom=0", "folder=" + pictures}));
    // The cross lines are on, as their box says; no camera here, and the status bar says so.
    QVERIFY(!t.control("plVert")->isHidden());
    QVERIFY(!t.window->statusText(2).isEmpty());
    // Reading writes nothing.
    t.trigger("mmReadIni");
    QVERIFY(!QFile::exists(t.ini()));
}

void TestSettingsFile::writtenReadBackAndKeptOnABadField()
{
    SettingsWindow t;
    const QString folder = t.path(QStringLiteral("incoming"));
    QVERIFY(QDir().mkdir(folder));
    t.window->folderWatch().setWatchFolder(folder);
    t.type("edPrintTitle", QStringLiteral("品質檢驗報告"));
    t.type("edSaveLag", QStringLiteral(" 250 "));
    t.setChecked("cbMoveLabel", true);
    t.setChecked("CheckBox1", false);
    t.setChecked("cbPhotoHide", true);
    t.trigger("mmAutoDetect");
    t.trigger("mm2x2");
    t.setChecked("cbCameraRatio", true);
    t.type("edCCDRatioX", QStringLiteral("1100.7"));
    t.type("edCCDRatioY", QStringLiteral("1000"));
    t.control<QAction>("mmHardness")->setChecked(true);
    t.setPosition("ScrollBar1", 40);
    t.setPosition("ScrollBar2", 150);
    t.setPosition("ScrollBar3", 12);
    t.type("edTimes", QStringLiteral("36.9"));
    t.type("Edit7", QStringLiteral("12.5"));
    t.type("Edit8", QStringLiteral("0.25"));
    t.trigger("mmWiteIni");
    QVERIFY2(t.log->errors.isEmpty(), qPrintable(t.log->errors.join(u'\n')));
    const QByteArray written = t.iniBytes();
    QCOMPARE(QString::fromUtf8(written),
             QStringLiteral("[Company]\nName=品質檢驗報告\n"
                            "[Application]\nPicPath=%1\n"
                            "[OpenPicture]\nSaveLag=250\n"
                            "[Option]\nMoveLabel=1\nRedPoint=0\nScalegauge=1\nCrossLine=1\nHidePhoto=1\n"
                            "[OperMode]\nAutoDetect=1\nVFWMode=0\n"
                            "[ImageImportMode]\nCameraActive=1\n"
                            "[CameraRetio]\nActive=1\nRatioX=1100\nRatioY=1000\n"
                            "[Brinell]\nmmHardness=1\nCircleGreen=40\nCircleBlue=150\nDiffence=12\nSimple=36\n"
                            "cx=12.5\ncy=0.25\n"
                            "[Image]\nZoom=1\n")
                 .arg(folder));

    // Everything changed again, then read back from the file.
    const QStringList expected = [&] {
        QStringList state = t.controls();
        state.replaceInStrings(QStringLiteral("edSaveLag= 250 "), QStringLiteral("edSaveLag=250"));
        state.replaceInStrings(QStringLiteral("edCCDRatioX=1100.7"), QStringLiteral("edCCDRatioX=1100"));
        state.replaceInStrings(QStringLiteral("edTimes=36.9"), QStringLiteral("edTimes=36"));
        return state;
    }();
    t.window->folderWatch().setWatchFolder(t.path(QStringLiteral("Pictures")));
    t.type("edPrintTitle", QStringLiteral("x"));
    t.type("edSaveLag", QStringLiteral("7"));
    t.setChecked("cbMoveLabel", false);
    t.setChecked("CheckBox1", true);
    t.setChecked("cbPhotoHide", false);
    t.setChecked("cbCross", false);
    t.trigger("mmVFW1");
    t.trigger("mm1x1");
    t.setChecked("cbCameraRatio", false);
    t.type("edCCDRatioX", QStringLiteral("1"));
    t.control<QAction>("mmHardness")->setChecked(false);
    t.setPosition("ScrollBar1", 0);
    t.type("edTimes", QStringLiteral("8"));
    t.type("Edit7", QStringLiteral("1"));
    t.trigger("mmReadIni");
    QVERIFY2(t.log->errors.isEmpty(), qPrintable(t.log->errors.join(u'\n')));
    QCOMPARE(t.controls(), expected);
    // The options took effect: the red point is hidden, the folder lists count changes again.
    QVERIFY(t.control("spRedPoint")->isHidden());
    QVERIFY(!t.control("plVert")->isHidden());
    QCOMPARE(t.control("DirectoryListBox1")->property("tag").toInt(), 0);
    QVERIFY(!t.window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));

    // A field that is no number: its message, the field focused, the old file byte for byte.
    t.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(t.window.get()));
    t.type("edCCDRatioY", QStringLiteral("abc"));
    t.setChecked("cbMoveLabel", false);
    t.trigger("mmWiteIni");
    QCOMPARE(t.log->errors, QStringList{QStringLiteral("'abc' is not a valid floating point value")});
    QCOMPARE(t.iniBytes(), written);

    // The next start reads the file: the hardness item is turned off again as the window opens.
    t.restart();
    QStringList started = expected;
    started.replaceInStrings(QStringLiteral("mmHardness=1"), QStringLiteral("mmHardness=0"));
    QCOMPARE(t.controls(), started);
}

QUILLMONT_TEST_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
