#include "base/settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "base/inifile.h"
#include "tests/base/lockedfolder.h"

// Failures show the settings as the file would hold them.
void PrintTo(const Settings &settings, std::ostream *os)
{
    IniFile ini;
    writeSettings(ini, settings);
    *os << "\n" << ini.serialize().bytes.toStdString();
}

namespace {

const SettingsDefaults Defaults{QStringLiteral("/home/op/Pictures"), 0.01, 0.02};

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void putFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// The file as the Windows station leaves it: Big5, CRLF, its own letter case, a comment, an
// unknown section, a company name whose Big5 bytes end in "\" (許功), one broken number.
const QByteArray WindowsIni =
    "[APPLICATION]\r\n"
    "picpath=C:\\\r\n"
    "[Company]\r\n"
    "Name=\xb3\x5c\xa5\x5c\xba\xeb\xb1\x4b\r\n"  // 許功精密
    "; \xb3\x5d\xa9\x77\r\n"                     // ; 設定
    "[OpenPicture]\r\n"
    "SaveLag=1000\r\n"
    "[option]\r\n"
    "MOVELABEL=1\r\n"
    "RedPoint=0\r\n"
    "ScaleGauge=0\r\n"
    "CrossLine=7\r\n"
    "HidePhoto=yes\r\n"
    "[OperMode]\r\n"
    "VFWMode=1\r\n"
    "AutoDetect=1\r\n"
    "[ImageImportMode]\r\n"
    "CameraActive=0\r\n"
    "[CameraRetio]\r\n"
    "Active=1\r\n"
    "RatioX=1100\r\n"
    "RatioY=abc\r\n"
    "[Brinell]\r\n"
    "mmHardness=1\r\n"
    "CircleGreen=30\r\n"
    "CircleBlue=80\r\n"
    "diffence=65\r\n"
    "Simple=12\r\n"
    "cx=1.5\r\n"
    "cy=2.25\r\n"
    "[Image]\r\n"
    "Zoom=2\r\n"
    "[\xbc\x76\xb9\xb3]\r\n"  // [影像], no section of ours
    "Lens=4X\r\n";

} // namespace

TEST(SettingsTest, MissingFileGivesTheDefaults)
{
    const SettingsFileRead read = loadSettingsFile(QStringLiteral("/nonexistent/Quillmont.ini"), Defaults);
    ASSERT_TRUE(read.ok());
    const Settings &s = read.settings;
    EXPECT_EQ(s.Application.PicPath, Defaults.PicPath);
    EXPECT_EQ(s.Company.Name, DefaultCompanyName);
    EXPECT_EQ(s.OpenPicture.SaveLag, 1);
    EXPECT_FALSE(s.Option.MoveLabel);
    EXPECT_TRUE(s.Option.RedPoint);
    EXPECT_TRUE(s.Option.Scalegauge);
    EXPECT_TRUE(s.Option.CrossLine);
    EXPECT_FALSE(s.Option.HidePhoto);
    EXPECT_FALSE(s.OperMode.VFWMode);
    EXPECT_FALSE(s.OperMode.AutoDetect);
    EXPECT_TRUE(s.ImageImportMode.CameraActive);
    EXPECT_EQ(s.Image.Zoom, 0);
    EXPECT_FALSE(s.CameraRetio.Active);
    EXPECT_EQ(s.CameraRetio.RatioX, 1000);
    EXPECT_EQ(s.CameraRetio.RatioY, 1000);
    EXPECT_FALSE(s.Brinell.mmHardness);
    EXPECT_EQ(s.Brinell.CircleGreen, 25);
    EXPECT_EQ(s.Brinell.CircleBlue, 75);
    EXPECT_EQ(s.Brinell.Diffence, 70);
    EXPECT_EQ(s.Brinell.Simple, 36);
    EXPECT_DOUBLE_EQ(s.Brinell.cx, 3.2);  // 320 x ScaleX
    EXPECT_DOUBLE_EQ(s.Brinell.cy, 4.8);  // 240 x ScaleY
    const ModeMarks marks = modeMarksAfterReading(s);
    EXPECT_TRUE(marks.Zoom1x1);
    EXPECT_FALSE(marks.Zoom2x2 || marks.VFWMode || marks.AutoDetect || marks.VFWFuncEnabled);
}

TEST(SettingsTest, WindowsFileIsReadAndWrittenBackKeepingItsOtherLines)
{
    QTemporaryDir dir;
    const QString path = settingsFilePath(dir.path() + u'/');
    putFile(path, WindowsIni);

    const SettingsFileRead read = loadSettingsFile(path, Defaults);
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    const Settings &s = read.settings;
    EXPECT_EQ(s.Application.PicPath, Defaults.PicPath) << "a Windows drive is no folder here";
    EXPECT_EQ(s.Company.Name, QStringLiteral("許功精密"));
    EXPECT_EQ(s.OpenPicture.SaveLag, 1000);
    EXPECT_TRUE(s.Option.MoveLabel);
    EXPECT_FALSE(s.Option.RedPoint);
    EXPECT_FALSE(s.Option.Scalegauge);
    EXPECT_TRUE(s.Option.CrossLine) << "any integer other than 0";
    EXPECT_FALSE(s.Option.HidePhoto) << "no number: the default";
    EXPECT_FALSE(s.ImageImportMode.CameraActive);
    EXPECT_TRUE(s.CameraRetio.Active);
    EXPECT_EQ(s.CameraRetio.RatioX, 1100);
    EXPECT_EQ(s.CameraRetio.RatioY, 1000) << "no number: the default";
    EXPECT_TRUE(s.Brinell.mmHardness);
    EXPECT_EQ(s.Brinell.CircleGreen, 30);
    EXPECT_EQ(s.Brinell.CircleBlue, 80);
    EXPECT_EQ(s.Brinell.Diffence, 65);
    EXPECT_EQ(s.Brinell.Simple, 12);
    EXPECT_EQ(s.Brinell.cx, 1.5);
    EXPECT_EQ(s.Brinell.cy, 2.25);
    EXPECT_EQ(s.Image.Zoom, 2);

    // Written back unchanged: only the lines whose value the reading replaced or normalised change, in Big5
    // with CRLF; everything else stays byte for byte.
    const ValidatedSettings validated = validateSettings(s, fieldTexts(s));
    ASSERT_TRUE(validated.ok()) << validated.message.toStdString();
    ASSERT_TRUE(saveSettingsFile(path, validated).ok());
    QByteArray expected = WindowsIni;
    expected.replace("picpath=C:\\\r\n", "picpath=/home/op/Pictures\r\n");
    expected.replace("CrossLine=7\r\n", "CrossLine=1\r\n");
    expected.replace("HidePhoto=yes\r\n", "HidePhoto=0\r\n");
    expected.replace("RatioY=abc\r\n", "RatioY=1000\r\n");
    EXPECT_EQ(fileBytes(path).toStdString(), expected.toStdString());
    EXPECT_EQ(loadSettingsFile(path, Defaults).settings, s);
}

TEST(SettingsTest, NewFileHoldsEveryKeyInWritingOrderAndReadsBack)
{
    Settings s = defaultSettings(Defaults);
    s.Application.PicPath = QStringLiteral("/srv/影像 in");
    s.Company.Name = QStringLiteral("  台北精密  ");
    s.Option.MoveLabel = true;
    s.OperMode.AutoDetect = true;
    s.Image.Zoom = 1;
    s.Brinell.CircleGreen = 150;
    SettingsFieldTexts texts = fieldTexts(s);
    texts.SaveLag = QStringLiteral(" 250 ");
    texts.RatioX = QStringLiteral("1000.7");
    texts.RatioY = QStringLiteral("-3.9");
    texts.Simple = QStringLiteral("36.9");
    texts.cx = QStringLiteral("0.1234567890123456");
    texts.cy = QStringLiteral("1e20");

    QTemporaryDir dir;
    const QString path = settingsFilePath(dir.path() + u'/');
    const ValidatedSettings validated = validateSettings(s, texts);
    ASSERT_TRUE(validated.ok()) << validated.message.toStdString();
    ASSERT_TRUE(saveSettingsFile(path, validated).ok());
    EXPECT_EQ(QString::fromUtf8(fileBytes(path)).toStdString(),
              "[Company]\nName=\"  台北精密  \"\n"
              "[Application]\nPicPath=/srv/影像 in\n"
              "[OpenPicture]\nSaveLag=250\n"
              "[Option]\nMoveLabel=1\nRedPoint=1\nScalegauge=1\nCrossLine=1\nHidePhoto=0\n"
              "[OperMode]\nAutoDetect=1\nVFWMode=0\n"
              "[ImageImportMode]\nCameraActive=1\n"
              "[CameraRetio]\nActive=0\nRatioX=1000\nRatioY=-3\n"
              "[Brinell]\nmmHardness=0\nCircleGreen=150\nCircleBlue=75\nDiffence=70\nSimple=36\n"
              "cx=0.123456789012346\ncy=1E20\n"
              "[Image]\nZoom=1\n");

    Settings expected = validated.settings;
    expected.Brinell.Simple = 36;                    // written truncated
    expected.Brinell.cx = 0.123456789012346;         // 15 significant digits
    EXPECT_EQ(loadSettingsFile(path, Defaults).settings, expected);
}

struct BadFieldRow {
    const char *Field;     // which text is spoiled
    const char *Text;
    const char *Control;   // objectName the window focuses
    const char *Message;
};

class SettingsValidationTest : public ::testing::TestWithParam<BadFieldRow> {};

// A bad field stops the write before anything is written: the old file stays byte for byte.
TEST_P(SettingsValidationTest, BadFieldLeavesTheOldFile)
{
    const BadFieldRow &row = GetParam();
    Settings s = defaultSettings(Defaults);
    SettingsFieldTexts texts = fieldTexts(s);
    const QString text = QString::fromUtf8(row.Text);
    const std::string field = row.Field;
    if (field == "Name") s.Company.Name = text;
    if (field == "PicPath") s.Application.PicPath = text;
    if (field == "SaveLag") texts.SaveLag = text;
    if (field == "RatioX") texts.RatioX = text;
    if (field == "RatioY") texts.RatioY = text;
    if (field == "Simple") texts.Simple = text;
    if (field == "cx") texts.cx = text;
    if (field == "cy") texts.cy = text;
    if (field == "SaveLag+cx") {
        texts.SaveLag = text;
        texts.cx = text;
    }

    const ValidatedSettings validated = validateSettings(s, texts);
    EXPECT_FALSE(validated.ok());
    EXPECT_EQ(validated.field.toStdString(), row.Control);
    EXPECT_EQ(validated.message.toStdString(), row.Message);

    QTemporaryDir dir;
    const QString path = settingsFilePath(dir.path() + u'/');
    putFile(path, WindowsIni);
    EXPECT_FALSE(saveSettingsFile(path, validated).ok());
    EXPECT_EQ(fileBytes(path), WindowsIni);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, SettingsValidationTest,
    ::testing::Values(
        BadFieldRow{"Name", "A\nB", "edPrintTitle", "報表標題不可換行：A\nB"},
        BadFieldRow{"PicPath", "/a\nb", "", "圖檔資料夾名稱含有換行，無法寫入設定檔：/a\nb"},
        BadFieldRow{"SaveLag", "abc", "edSaveLag", "'abc' is not a valid integer value"},
        BadFieldRow{"SaveLag", "2.5", "edSaveLag", "'2.5' is not a valid integer value"},
        BadFieldRow{"RatioX", "x", "edCCDRatioX", "'x' is not a valid floating point value"},
        BadFieldRow{"RatioX", "1e20", "edCCDRatioX", "'1e20' is not a valid integer value"},
        BadFieldRow{"RatioY", "", "edCCDRatioY", "'' is not a valid floating point value"},
        BadFieldRow{"Simple", "1,5", "edTimes", "'1,5' is not a valid floating point value"},
        BadFieldRow{"cx", "inf", "Edit7", "'inf' is not a valid floating point value"},
        BadFieldRow{"cy", "nan", "Edit8", "'nan' is not a valid floating point value"},
        // The first bad field in writing order is the one named.
        BadFieldRow{"SaveLag+cx", "q", "edSaveLag", "'q' is not a valid integer value"}));

TEST(SettingsTest, UnwritableFolderLeavesTheOldFile)
{
    QTemporaryDir dir;
    const QString path = settingsFilePath(dir.path() + u'/');
    putFile(path, WindowsIni);
    Settings s = defaultSettings(Defaults);
    const ValidatedSettings validated = validateSettings(s, fieldTexts(s));
    ASSERT_TRUE(validated.ok());
    {
        LockedFolder lock(dir.path());
        if (!lock.locked())
            GTEST_SKIP() << "this file system cannot lock a folder";
        const FileWriteResult saved = saveSettingsFile(path, validated);
        EXPECT_FALSE(saved.ok());
        EXPECT_TRUE(saved.error.contains(QDir::toNativeSeparators(path))) << saved.error.toStdString();
    }
    EXPECT_EQ(fileBytes(path), WindowsIni);
}

TEST(SettingsTest, ModeAndZoomMarksAfterReading)
{
    struct Row {
        bool VFWMode, AutoDetect;
        int Zoom;
        ModeMarks Expected;  // VFWMode, AutoDetect, VFWFuncEnabled, Zoom1x1, Zoom2x2
    };
    const Row rows[] = {
        {false, false, 0, {false, false, false, true, false}},
        {true, false, 1, {true, false, true, false, true}},
        {false, true, 0, {false, true, false, true, false}},
        // Both stored: folder watch wins, yet the capture menu stays enabled.
        {true, true, 0, {false, true, true, true, false}},
        // Zoom 2 (or anything but 0 and 1) checks neither zoom item.
        {false, false, 2, {false, false, false, false, false}},
        {false, false, -1, {false, false, false, false, false}},
    };
    for (const Row &row : rows) {
        Settings s;
        s.OperMode.VFWMode = row.VFWMode;
        s.OperMode.AutoDetect = row.AutoDetect;
        s.Image.Zoom = row.Zoom;
        const ModeMarks m = modeMarksAfterReading(s);
        const ModeMarks &e = row.Expected;
        EXPECT_EQ(std::tie(m.VFWMode, m.AutoDetect, m.VFWFuncEnabled, m.Zoom1x1, m.Zoom2x2),
                  std::tie(e.VFWMode, e.AutoDetect, e.VFWFuncEnabled, e.Zoom1x1, e.Zoom2x2))
            << row.VFWMode << row.AutoDetect << " zoom " << row.Zoom;
    }
}

TEST(SettingsTest, WindowsDrivePathsReadAsTheDefaultFolder)
{
    const struct {
        const char *Stored;
        const char *Read;
    } rows[] = {{"C:\\", "/home/op/Pictures"}, {"d:/pics", "/home/op/Pictures"},
                {"\\\\server\\share", "/home/op/Pictures"}, {"/srv/pics", "/srv/pics"},
                {"pics", "pics"}, {"C:", "/home/op/Pictures"}};
    for (const auto &row : rows) {
        IniFile ini;
        ini.writeString(QStringLiteral("Application"), QStringLiteral("PicPath"), QString::fromUtf8(row.Stored));
        EXPECT_EQ(readSettings(ini, Defaults).Application.PicPath.toStdString(), row.Read) << row.Stored;
    }
}
