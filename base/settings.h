#pragma once

#include <QString>

#include "base/safefile.h"

class IniFile;

// The operator's choices kept between runs in "Quillmont.ini", one field per key, grouped by the
// file's sections and named as the file names them (the spellings "CameraRetio", "Scalegauge",
// "Diffence" and "Simple" are the file's own). The window moves these values to and from its
// controls; nothing here knows a widget.
struct Settings {
    struct ApplicationSection {
        QString PicPath;  // WatchFolder
        friend bool operator==(const ApplicationSection &, const ApplicationSection &) = default;
    };
    struct CompanySection {
        QString Name;  // edPrintTitle, the report title
        friend bool operator==(const CompanySection &, const CompanySection &) = default;
    };
    struct OpenPictureSection {
        int SaveLag = 1;  // edSaveLag, milliseconds
        friend bool operator==(const OpenPictureSection &, const OpenPictureSection &) = default;
    };
    struct OptionSection {
        bool MoveLabel = false;  // cbMoveLabel
        bool RedPoint = true;    // CheckBox1
        bool Scalegauge = true;  // cbDisplayScaleGauge
        bool CrossLine = true;   // cbCross
        bool HidePhoto = false;  // cbPhotoHide
        friend bool operator==(const OptionSection &, const OptionSection &) = default;
    };
    struct OperModeSection {
        bool VFWMode = false;     // mmVFW1
        bool AutoDetect = false;  // mmAutoDetect
        friend bool operator==(const OperModeSection &, const OperModeSection &) = default;
    };
    struct ImageSection {
        int Zoom = 0;  // digital zoom state: 0 "1 x 1", 1 "2 x 2", any other value neither
        friend bool operator==(const ImageSection &, const ImageSection &) = default;
    };
    struct ImageImportModeSection {
        bool CameraActive = true;  // mmCameraActive
        friend bool operator==(const ImageImportModeSection &, const ImageImportModeSection &) = default;
    };
    struct CameraRetioSection {
        bool Active = false;  // cbCameraRatio
        int RatioX = 1000;    // edCCDRatioX
        int RatioY = 1000;    // edCCDRatioY
        friend bool operator==(const CameraRetioSection &, const CameraRetioSection &) = default;
    };
    struct BrinellSection {
        bool mmHardness = false;
        int CircleGreen = 25;  // ScrollBar1
        int CircleBlue = 75;   // ScrollBar2
        int Diffence = 70;     // ScrollBar3
        double Simple = 36;    // edTimes
        double cx = 320;       // Edit7
        double cy = 240;       // Edit8
        friend bool operator==(const BrinellSection &, const BrinellSection &) = default;
    };

    ApplicationSection Application;
    CompanySection Company;
    OpenPictureSection OpenPicture;
    OptionSection Option;
    OperModeSection OperMode;
    ImageSection Image;
    ImageImportModeSection ImageImportMode;
    CameraRetioSection CameraRetio;
    BrinellSection Brinell;

    friend bool operator==(const Settings &, const Settings &) = default;
};

// The report title when the file names no company.
inline const QString DefaultCompanyName = QStringLiteral("Quillmont");

// What the defaults depend on at the moment of reading.
struct SettingsDefaults {
    QString PicPath;   // the user's pictures folder, standing in for the Windows "C:\"
    double ScaleX = 1; // the active scale's length per pixel; 1 before a scale is chosen
    double ScaleY = 1;
};

// Every key at its default: cx = 320 × ScaleX, cy = 240 × ScaleY.
[[nodiscard]] Settings defaultSettings(const SettingsDefaults &defaults);

// Reads every key in the file's reading order; an absent key, or a number, boolean or float key
// whose value is no number, takes its default. A PicPath naming a Windows drive ("C:\…") cannot
// be a folder here and reads as the default folder.
[[nodiscard]] Settings readSettings(const IniFile &file, const SettingsDefaults &defaults);

// Writes every key in the file's writing order (Company first, Image/Zoom last), leaving the
// file's other lines alone. Simple is written truncated to a whole number. Give it validated
// settings: a string with a line break or a non-finite number throws std::invalid_argument.
void writeSettings(IniFile &file, const Settings &settings);

// The texts of the fields the operator types the numbers into.
struct SettingsFieldTexts {
    QString SaveLag;  // edSaveLag
    QString RatioX;   // edCCDRatioX
    QString RatioY;   // edCCDRatioY
    QString Simple;   // edTimes
    QString cx;       // Edit7
    QString cy;       // Edit8
};

// The fields' texts as reading shows them: integers in decimal, Simple, cx and cy in the
// general float-to-text form.
[[nodiscard]] SettingsFieldTexts fieldTexts(const Settings &settings);

// Settings ready to be written, or the first field, in writing order, that cannot be.
struct ValidatedSettings {
    Settings settings;
    QString field;    // objectName of the control to focus; empty when the value has none
    QString message;  // the operator's message
    [[nodiscard]] bool ok() const { return message.isEmpty(); }
};

// Checks everything before anything is written: PicPath and Name without line breaks; SaveLag a
// whole number ("'abc' is not a valid integer value"); RatioX and RatioY numbers, truncated
// towards zero to whole numbers that fit an integer; Simple, cx and cy finite numbers ("'abc' is
// not a valid floating point value"). Numbers follow the file's rules (IniFile::readInteger,
// readFloat) with blanks around them allowed. fromControls holds the check marks, positions and
// texts the window has; texts the typed numbers, which replace fromControls' numbers in the result.
[[nodiscard]] ValidatedSettings validateSettings(const Settings &fromControls, const SettingsFieldTexts &texts);

// The check marks of the mode and zoom menu items after reading: video mode and folder watch
// exclude each other with folder watch winning, while "影像輸入 設定" follows the video mode as
// stored, even when folder watch then unchecks it.
struct ModeMarks {
    bool VFWMode = false;         // mmVFW1
    bool AutoDetect = false;      // mmAutoDetect
    bool VFWFuncEnabled = false;  // mmVFWFunc
    bool Zoom1x1 = false;
    bool Zoom2x2 = false;
};
[[nodiscard]] ModeMarks modeMarksAfterReading(const Settings &settings);

// programFolder (ending in a separator) + "Quillmont.ini".
[[nodiscard]] QString settingsFilePath(const QString &programFolder);

struct SettingsFileRead {
    Settings settings;
    QString error;  // the file exists but cannot be read; settings then hold the defaults
    [[nodiscard]] bool ok() const { return error.isEmpty(); }
};

// Reads the settings file; a missing file is no error and gives the defaults.
[[nodiscard]] SettingsFileRead loadSettingsFile(const QString &path, const SettingsDefaults &defaults);

// Writes validated settings into the file at path, keeping the file's other lines, its encoding
// and line ends. Nothing is written when the settings failed validation, the old file cannot be
// read, a value cannot be held in its encoding or the write fails: the old file then stays byte
// for byte as it was.
[[nodiscard]] FileWriteResult saveSettingsFile(const QString &path, const ValidatedSettings &validated);
