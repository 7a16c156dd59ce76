#include "app/settingsfile.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>

#include "acquire/capture.h"
#include "acquire/folderwatchcontroller.h"
#include "base/programerror.h"
#include "base/programpaths.h"
#include "calibration/scalevalues.h"
#include "ui/guarded.h"

SettingsFileController::SettingsFileController(ProgramPaths &paths, const ScaleValues &scale,
                                               CaptureController &capture, FolderWatchController &folderWatch,
                                               Dialogs &dialogs, const SettingsFileWidgets &widgets, QObject *parent)
    : QObject(parent)
    , m_paths(paths)
    , m_scale(scale)
    , m_capture(capture)
    , m_folderWatch(folderWatch)
    , m_dialogs(dialogs)
    , m_w(widgets)
    , m_defaultFolder(paths.WatchFolder)
{
}

void SettingsFileController::attachMenu(QAction *mmReadIni, QAction *mmWiteIni, QAction *mmHardness)
{
    m_w.mmHardness = mmHardness;
    connect(mmReadIni, &QAction::triggered, this, &SettingsFileController::mmReadIniClick);
    connect(mmWiteIni, &QAction::triggered, this, &SettingsFileController::mmWiteIniClick);
}

QString SettingsFileController::path() const
{
    return settingsFilePath(m_paths.ProgramFolder);
}

void SettingsFileController::mmReadIniClick()
{
    guarded(m_dialogs, m_w.window, [this] { readSettings(true); });
}

void SettingsFileController::mmWiteIniClick()
{
    guarded(m_dialogs, m_w.window, [this] { writeSettings(); });
}

void SettingsFileController::readSettings(bool fromMenu)
{
    const SettingsFileRead read = loadSettingsFile(path(), {m_defaultFolder, m_scale.ScaleX, m_scale.ScaleY});
    if (!read.ok())
        throw ProgramError(read.error);
    const QString &folder = read.settings.Application.PicPath;
    if (!QDir(folder).exists() && !QDir().mkdir(folder))
        throw ProgramError(QStringLiteral("Cannot create ") + folder);
    m_folderWatch.setWatchFolder(folder);
    apply(read.settings);
    if (fromMenu)
        m_folderWatch.setListsGuarded(false);
}

void SettingsFileController::apply(const Settings &s)
{
    m_w.edPrintTitle->setText(s.Company.Name);
    const SettingsFieldTexts texts = fieldTexts(s);
    m_w.edSaveLag->setText(texts.SaveLag);
    // The boxes' reactions follow their check marks, so each option takes effect here.
    m_w.cbMoveLabel->setChecked(s.Option.MoveLabel);
    m_w.CheckBox1->setChecked(s.Option.RedPoint);
    m_w.cbDisplayScaleGauge->setChecked(s.Option.Scalegauge);
    m_w.cbCross->setChecked(s.Option.CrossLine);
    m_w.cbPhotoHide->setChecked(s.Option.HidePhoto);

    const ModeMarks marks = modeMarksAfterReading(s);
    m_w.mmVFW1->setChecked(marks.VFWMode);
    m_w.mmVFWFunc->menuAction()->setEnabled(marks.VFWFuncEnabled);
    m_capture.setZoomState(s.Image.Zoom);
    // Its check mark brings the minimise button back or takes it away.
    m_w.mmAutoDetect->setChecked(marks.AutoDetect);
    if (s.ImageImportMode.CameraActive)
        m_capture.setCameraActive(true);
    else
        m_w.mmCameraActive->setChecked(false);

    m_w.cbCameraRatio->setChecked(s.CameraRetio.Active);
    m_w.edCCDRatioX->setText(texts.RatioX);
    m_w.edCCDRatioY->setText(texts.RatioY);

    // The hardness item takes its mark only; start-up turns the tool off through its reaction.
    m_w.mmHardness->setChecked(s.Brinell.mmHardness);
    m_w.ScrollBar1->setValue(s.Brinell.CircleGreen);
    m_w.ScrollBar2->setValue(s.Brinell.CircleBlue);
    m_w.ScrollBar3->setValue(s.Brinell.Diffence);
    m_w.edTimes->setText(texts.Simple);
    m_w.Edit7->setText(texts.cx);
    m_w.Edit8->setText(texts.cy);
}

Settings SettingsFileController::fromControls() const
{
    Settings s;
    s.Application.PicPath = m_paths.WatchFolder;
    s.Company.Name = m_w.edPrintTitle->text();
    s.Option = {m_w.cbMoveLabel->isChecked(), m_w.CheckBox1->isChecked(), m_w.cbDisplayScaleGauge->isChecked(),
                m_w.cbCross->isChecked(), m_w.cbPhotoHide->isChecked()};
    s.OperMode = {m_w.mmVFW1->isChecked(), m_w.mmAutoDetect->isChecked()};
    s.Image.Zoom = m_capture.zoomState();
    s.ImageImportMode.CameraActive = m_w.mmCameraActive->isChecked();
    s.CameraRetio.Active = m_w.cbCameraRatio->isChecked();
    s.Brinell.mmHardness = m_w.mmHardness->isChecked();
    s.Brinell.CircleGreen = m_w.ScrollBar1->value();
    s.Brinell.CircleBlue = m_w.ScrollBar2->value();
    s.Brinell.Diffence = m_w.ScrollBar3->value();
    return s;
}

SettingsFieldTexts SettingsFileController::typedNumbers() const
{
    return {m_w.edSaveLag->text(), m_w.edCCDRatioX->text(), m_w.edCCDRatioY->text(),
            m_w.edTimes->text(),   m_w.Edit7->text(),       m_w.Edit8->text()};
}

void SettingsFileController::writeSettings()
{
    const ValidatedSettings validated = validateSettings(fromControls(), typedNumbers());
    if (!validated.ok()) {
        if (auto *field = m_w.window->findChild<QWidget *>(validated.field))
            field->setFocus(Qt::OtherFocusReason);
        throw ProgramError(validated.message);
    }
    if (const FileWriteResult written = saveSettingsFile(path(), validated); !written.ok())
        throw ProgramError(written.error);
}
