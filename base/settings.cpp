#include "base/settings.h"

#include <cmath>
#include <limits>
#include <optional>

#include <QRegularExpression>

#include "base/inifile.h"
#include "base/numberformat.h"

namespace {

const QString Application = QStringLiteral("Application");
const QString Company = QStringLiteral("Company");
const QString OpenPicture = QStringLiteral("OpenPicture");
const QString Option = QStringLiteral("Option");
const QString OperMode = QStringLiteral("OperMode");
const QString Image = QStringLiteral("Image");
const QString ImageImportMode = QStringLiteral("ImageImportMode");
const QString CameraRetio = QStringLiteral("CameraRetio");
const QString Brinell = QStringLiteral("Brinell");

// "C:\Pictures", "d:/", "\\server\share": folders of the Windows station that name nothing here.
bool isWindowsOnlyPath(const QString &path)
{
#ifdef Q_OS_WIN
    Q_UNUSED(path);
    return false;
#else
    static const QRegularExpression drive(QStringLiteral("^([A-Za-z]:[\\\\/]|[A-Za-z]:$|\\\\\\\\)"));
    return drive.match(path).hasMatch();
#endif
}

bool holdsLineBreak(const QString &text)
{
    return text.contains(u'\n') || text.contains(u'\r') || text.contains(QChar(0));
}

// The operator's fields follow the same number rules as the file, blanks around them aside, and
// a bad one gives the conversion error the operator knows from the other fields.
std::optional<int> fieldInteger(const QString &text, QString &error)
{
    const auto value = iniInteger(text.trimmed());
    if (!value)
        error = QStringLiteral("'%1' is not a valid integer value").arg(text);
    return value;
}

std::optional<double> fieldFloat(const QString &text, QString &error)
{
    const auto value = iniFloat(text.trimmed());
    if (!value)
        error = QStringLiteral("'%1' is not a valid floating point value").arg(text);
    return value;
}

ValidatedSettings problem(const QString &field, const QString &message)
{
    ValidatedSettings result;
    result.field = field;
    result.message = message;
    return result;
}

} // namespace

Settings defaultSettings(const SettingsDefaults &defaults)
{
    Settings s;
    s.Application.PicPath = defaults.PicPath;
    s.Company.Name = DefaultCompanyName;
    s.Brinell.cx = 320 * defaults.ScaleX;
    s.Brinell.cy = 240 * defaults.ScaleY;
    return s;
}

Settings readSettings(const IniFile &file, const SettingsDefaults &defaults)
{
    const Settings d = defaultSettings(defaults);
    Settings s;
    s.Application.PicPath = file.readString(Application, u"PicPath", d.Application.PicPath);
    if (isWindowsOnlyPath(s.Application.PicPath))
        s.Application.PicPath = d.Application.PicPath;
    s.Company.Name = file.readString(Company, u"Name", d.Company.Name);
    s.OpenPicture.SaveLag = file.readInteger(OpenPicture, u"SaveLag", d.OpenPicture.SaveLag);
    s.Option.MoveLabel = file.readBool(Option, u"MoveLabel", d.Option.MoveLabel);
    s.Option.RedPoint = file.readBool(Option, u"RedPoint", d.Option.RedPoint);
    s.Option.Scalegauge = file.readBool(Option, u"Scalegauge", d.Option.Scalegauge);
    s.Option.CrossLine = file.readBool(Option, u"CrossLine", d.Option.CrossLine);
    s.Option.HidePhoto = file.readBool(Option, u"HidePhoto", d.Option.HidePhoto);
    s.OperMode.VFWMode = file.readBool(OperMode, u"VFWMode", d.OperMode.VFWMode);
    s.Image.Zoom = file.readInteger(Image, u"Zoom", d.Image.Zoom);
    s.OperMode.AutoDetect = file.readBool(OperMode, u"AutoDetect", d.OperMode.AutoDetect);
    s.ImageImportMode.CameraActive = file.readBool(ImageImportMode, u"CameraActive", d.ImageImportMode.CameraActive);
    s.CameraRetio.Active = file.readBool(CameraRetio, u"Active", d.CameraRetio.Active);
    s.CameraRetio.RatioX = file.readInteger(CameraRetio, u"RatioX", d.CameraRetio.RatioX);
    s.CameraRetio.RatioY = file.readInteger(CameraRetio, u"RatioY", d.CameraRetio.RatioY);
    s.Brinell.mmHardness = file.readBool(Brinell, u"mmHardness", d.Brinell.mmHardness);
    s.Brinell.CircleGreen = file.readInteger(Brinell, u"CircleGreen", d.Brinell.CircleGreen);
    s.Brinell.CircleBlue = file.readInteger(Brinell, u"CircleBlue", d.Brinell.CircleBlue);
    s.Brinell.Diffence = file.readInteger(Brinell, u"Diffence", d.Brinell.Diffence);
    s.Brinell.Simple = file.readFloat(Brinell, u"Simple", d.Brinell.Simple);
    s.Brinell.cx = file.readFloat(Brinell, u"cx", d.Brinell.cx);
    s.Brinell.cy = file.readFloat(Brinell, u"cy", d.Brinell.cy);
    return s;
}

void writeSettings(IniFile &file, const Settings &s)
{
    file.writeString(Company, QStringLiteral("Name"), s.Company.Name);
    file.writeString(Application, QStringLiteral("PicPath"), s.Application.PicPath);
    file.writeInteger(OpenPicture, QStringLiteral("SaveLag"), s.OpenPicture.SaveLag);
    file.writeBool(Option, QStringLiteral("MoveLabel"), s.Option.MoveLabel);
    file.writeBool(Option, QStringLiteral("RedPoint"), s.Option.RedPoint);
    file.writeBool(Option, QStringLiteral("Scalegauge"), s.Option.Scalegauge);
    file.writeBool(Option, QStringLiteral("CrossLine"), s.Option.CrossLine);
    file.writeBool(Option, QStringLiteral("HidePhoto"), s.Option.HidePhoto);
    file.writeBool(OperMode, QStringLiteral("AutoDetect"), s.OperMode.AutoDetect);
    file.writeBool(OperMode, QStringLiteral("VFWMode"), s.OperMode.VFWMode);
    file.writeBool(ImageImportMode, QStringLiteral("CameraActive"), s.ImageImportMode.CameraActive);
    file.writeBool(CameraRetio, QStringLiteral("Active"), s.CameraRetio.Active);
    file.writeInteger(CameraRetio, QStringLiteral("RatioX"), s.CameraRetio.RatioX);
    file.writeInteger(CameraRetio, QStringLiteral("RatioY"), s.CameraRetio.RatioY);
    file.writeBool(Brinell, QStringLiteral("mmHardness"), s.Brinell.mmHardness);
    file.writeInteger(Brinell, QStringLiteral("CircleGreen"), s.Brinell.CircleGreen);
    file.writeInteger(Brinell, QStringLiteral("CircleBlue"), s.Brinell.CircleBlue);
    file.writeInteger(Brinell, QStringLiteral("Diffence"), s.Brinell.Diffence);
    file.writeFloat(Brinell, QStringLiteral("Simple"), std::trunc(s.Brinell.Simple));
    file.writeFloat(Brinell, QStringLiteral("cx"), s.Brinell.cx);
    file.writeFloat(Brinell, QStringLiteral("cy"), s.Brinell.cy);
    file.writeInteger(Image, QStringLiteral("Zoom"), s.Image.Zoom);
}

SettingsFieldTexts fieldTexts(const Settings &s)
{
    return {QString::number(s.OpenPicture.SaveLag), QString::number(s.CameraRetio.RatioX),
            QString::number(s.CameraRetio.RatioY), floatToText(s.Brinell.Simple),
            floatToText(s.Brinell.cx), floatToText(s.Brinell.cy)};
}

ValidatedSettings validateSettings(const Settings &fromControls, const SettingsFieldTexts &texts)
{
    ValidatedSettings result;
    Settings &s = result.settings;
    s = fromControls;

    if (holdsLineBreak(s.Company.Name))
        return problem(QStringLiteral("edPrintTitle"), QStringLiteral("報表標題不可換行：%1").arg(s.Company.Name));
    if (holdsLineBreak(s.Application.PicPath))
        return problem(QString(), QStringLiteral("圖檔資料夾名稱含有換行，無法寫入設定檔：%1").arg(s.Application.PicPath));

    QString error;
    const auto saveLag = fieldInteger(texts.SaveLag, error);
    if (!saveLag)
        return problem(QStringLiteral("edSaveLag"), error);
    s.OpenPicture.SaveLag = *saveLag;

    // The ratios are typed as numbers and kept as whole ones, truncated towards zero.
    const auto ratio = [&error](const QString &text, int &value) {
        const auto number = fieldFloat(text, error);
        if (!number)
            return false;
        const double whole = std::trunc(*number);
        if (whole < std::numeric_limits<int>::min() || whole > std::numeric_limits<int>::max()) {
            error = QStringLiteral("'%1' is not a valid integer value").arg(text);
            return false;
        }
        value = int(whole);
        return true;
    };
    if (!ratio(texts.RatioX, s.CameraRetio.RatioX))
        return problem(QStringLiteral("edCCDRatioX"), error);
    if (!ratio(texts.RatioY, s.CameraRetio.RatioY))
        return problem(QStringLiteral("edCCDRatioY"), error);

    const struct {
        const QString &text;
        double &value;
        const char *field;
    } floats[] = {{texts.Simple, s.Brinell.Simple, "edTimes"},
                  {texts.cx, s.Brinell.cx, "Edit7"},
                  {texts.cy, s.Brinell.cy, "Edit8"}};
    for (const auto &f : floats) {
        const auto number = fieldFloat(f.text, error);
        if (!number)
            return problem(QString::fromLatin1(f.field), error);
        f.value = *number;
    }
    return result;
}

ModeMarks modeMarksAfterReading(const Settings &s)
{
    ModeMarks marks;
    marks.AutoDetect = s.OperMode.AutoDetect;
    marks.VFWMode = s.OperMode.VFWMode && !s.OperMode.AutoDetect;
    marks.VFWFuncEnabled = s.OperMode.VFWMode;
    marks.Zoom1x1 = s.Image.Zoom == 0;
    marks.Zoom2x2 = s.Image.Zoom == 1;
    return marks;
}

QString settingsFilePath(const QString &programFolder)
{
    return programFolder + QStringLiteral("Quillmont.ini");
}

SettingsFileRead loadSettingsFile(const QString &path, const SettingsDefaults &defaults)
{
    const IniParse parsed = IniFile::load(path);
    if (!parsed.ok())
        return {defaultSettings(defaults), parsed.error};
    return {readSettings(parsed.file, defaults), QString()};
}

FileWriteResult saveSettingsFile(const QString &path, const ValidatedSettings &validated)
{
    if (!validated.ok())
        return {validated.message};
    // The old file is read again so that its other lines survive; one that cannot be read is
    // left alone rather than replaced by a file that has lost them.
    IniParse parsed = IniFile::load(path);
    if (!parsed.ok())
        return {parsed.error};
    writeSettings(parsed.file, validated.settings);
    return parsed.file.save(path);
}
