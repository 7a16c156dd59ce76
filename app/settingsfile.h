#pragma once

#include <QObject>
#include <QString>

#include "base/settings.h"

class CaptureController;
class Dialogs;
class FolderWatchController;
class QAction;
class QCheckBox;
class QLineEdit;
class QMenu;
class QScrollBar;
class QWidget;
struct ProgramPaths;
struct ScaleValues;

// The controls the settings file feeds and is written from, in the order of its keys.
struct SettingsFileWidgets {
    QWidget *window = nullptr;
    QLineEdit *edPrintTitle = nullptr;  // the report title
    QLineEdit *edSaveLag = nullptr;
    QCheckBox *cbMoveLabel = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    QCheckBox *cbDisplayScaleGauge = nullptr;
    QCheckBox *cbCross = nullptr;
    QCheckBox *cbPhotoHide = nullptr;
    QAction *mmVFW1 = nullptr;
    QMenu *mmVFWFunc = nullptr;
    QAction *mmAutoDetect = nullptr;
    QAction *mmCameraActive = nullptr;
    QCheckBox *cbCameraRatio = nullptr;
    QLineEdit *edCCDRatioX = nullptr;
    QLineEdit *edCCDRatioY = nullptr;
    QAction *mmHardness = nullptr;  // made with the menu, see attachMenu
    QScrollBar *ScrollBar1 = nullptr;
    QScrollBar *ScrollBar2 = nullptr;
    QScrollBar *ScrollBar3 = nullptr;
    QLineEdit *edTimes = nullptr;
    QLineEdit *Edit7 = nullptr;
    QLineEdit *Edit8 = nullptr;
};

// "Quillmont.ini" in the program folder: read at start-up and by "讀取INI檔", written only by
// "寫入INI檔". Reading applies every key to its control at once, so the options take effect as the
// operator's clicks would; writing checks every field first and then replaces the file whole, so a
// field that is no number leaves the old file as it was.
class SettingsFileController : public QObject {
    Q_OBJECT
public:
    // The watched folder at construction stands for the file's "C:\" default.
    SettingsFileController(ProgramPaths &paths, const ScaleValues &scale, CaptureController &capture,
                           FolderWatchController &folderWatch, Dialogs &dialogs, const SettingsFileWidgets &widgets,
                           QObject *parent = nullptr);

    // The File menu's "讀取INI檔" and "寫入INI檔", and the hardness item whose mark the file keeps.
    void attachMenu(QAction *mmReadIni, QAction *mmWiteIni, QAction *mmHardness);

    [[nodiscard]] QString path() const;
    // Reads and applies the file; throws ProgramError when the watched folder cannot be made or
    // the file cannot be read. fromMenu: the folder lists count their changes again at the end.
    void readSettings(bool fromMenu);
    // Writes the controls' values; throws ProgramError with the field's message, nothing written.
    void writeSettings();

public Q_SLOTS:
    void mmReadIniClick();
    void mmWiteIniClick();

private:
    void apply(const Settings &s);
    [[nodiscard]] Settings fromControls() const;
    [[nodiscard]] SettingsFieldTexts typedNumbers() const;

    ProgramPaths &m_paths;
    const ScaleValues &m_scale;
    CaptureController &m_capture;
    FolderWatchController &m_folderWatch;
    Dialogs &m_dialogs;
    SettingsFileWidgets m_w;
    QString m_defaultFolder;
};
