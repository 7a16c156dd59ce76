#include "acquire/picturefiles.h"

#include <cstring>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "app/dialogs.h"
#include "app/state.h"
#include "display/pictureview.h"

namespace {

// Copies a picture into another, keeping the target's buffer when the sizes agree.
bool copyPicture(const QImage &from, QImage &to)
{
    if (from.isNull()) {
        to = QImage();
        return true;
    }
    if (!ensurePicture(to, from.width(), from.height()))
        return false;
    std::memcpy(to.bits(), from.constBits(), size_t(from.sizeInBytes()));
    return true;
}

QString errorDetail(const PictureResult &result)
{
    switch (result.error) {
    case PictureResult::Error::TooLarge:
        return QStringLiteral("圖檔尺寸過大 (%1)").arg(result.detail);
    case PictureResult::Error::OutOfMemory:
        return QStringLiteral("記憶體不足 (%1)").arg(result.detail);
    default:
        return result.detail;
    }
}

}  // namespace

PictureFilesController::PictureFilesController(MainState &state, Dialogs &dialogs, const PictureFileWidgets &widgets,
                                               QObject *parent)
    : QObject(parent)
    , m_state(state)
    , m_dialogs(dialogs)
    , m_w(widgets)
{
    connect(m_w.edImageFile, &QLineEdit::textChanged, this, &PictureFilesController::edImageFileChange);
    connect(m_w.btJPG2BMP, &QPushButton::clicked, this, [this] { btJPG2BMPClick(); });
}

QString PictureFilesController::temporaryBitmapPath() const
{
    return m_state.ProgramFolder + QStringLiteral("_Temp.bmp");
}

void PictureFilesController::mmLoad1Click()
{
    m_openFileName.clear();
    const QString chosen = m_dialogs.openFileName(m_w.window, QString::fromLatin1(OpenFilter), m_openFileName);
    if (chosen.isEmpty())
        return;
    m_saveFileName = chosen;
    m_w.lbFullFileName->setText(chosen);
    LoadPictureFile(chosen);
    if (newWorkOrder)
        newWorkOrder();
    m_state.CrosshairDrawn = false;
}

bool PictureFilesController::LoadPictureFile(const QString &name)
{
    m_openFileName = name;
    m_saveFileName = name;
    m_w.edImageFile->setText(name);
    m_w.lbFullFileName->setText(name);
    if (beforePictureReplaced)
        beforePictureReplaced();

    QImage &view = m_w.imgView->picture();
    const bool isJpeg = QFileInfo(name).suffix().toUpper() == QLatin1String("JPG");
    if (isJpeg) {
        m_w.btJPG2BMP->setEnabled(true);
        // A missing JPEG is reported as such: an old temporary bitmap of another picture must
        // never stand in for it.
        if (!QFileInfo::exists(name)) {
            showBlankPicture();
            showOpenError(name, QString());
            return false;
        }
        PictureResult decoded = decodeJpegFile(name, view);
        if (decoded.ok()) {
            // The bitmap is kept for a capture's later save; failing to write it does not spoil
            // the picture already decoded.
            writeBitmapFile(view, temporaryBitmapPath(), FileSync::Fast);
        } else {
            restoreVisibleFromClean();
            showOpenError(name, errorDetail(decoded));
            return false;
        }
    } else {
        if (!QFileInfo::exists(name)) {
            showBlankPicture();
            // The blank picture is written under the requested name and becomes the clean one too.
            if (writeBitmapFile(view, name).ok())
                copyPicture(view, m_w.imgTemp->picture());
            pictureLoaded();
            showOpenError(name, QString());
            return false;
        }
        PictureResult read = readBitmapFile(name, view);
        if (!read.ok()) {
            restoreVisibleFromClean();
            showOpenError(name, errorDetail(read));
            return false;
        }
    }
    if (!copyPicture(view, m_w.imgTemp->picture())) {
        showOpenError(name, errorDetail({PictureResult::Error::OutOfMemory, QString()}));
        return false;
    }
    pictureLoaded();
    return true;
}

PictureResult PictureFilesController::btJPG2BMPClick()
{
    const QString name = m_w.edImageFile->text();
    if (!QFileInfo::exists(name))
        return {PictureResult::Error::Missing, name};
    QImage decoded;
    PictureResult result = decodeJpegFile(name, decoded);
    if (!result.ok())
        return result;
    return writeBitmapFile(decoded, temporaryBitmapPath(), FileSync::Fast);
}

void PictureFilesController::bbtImg1toImg3Click()
{
    // The cursor crosshair is not part of the picture: take it off before committing.
    if (beforePictureReplaced)
        beforePictureReplaced();
    copyPicture(m_w.imgView->picture(), m_w.imgTemp->picture());
    m_w.imgTemp->pictureReplaced();
}

void PictureFilesController::edImageFileChange(const QString &text)
{
    m_w.window->setWindowTitle(QStringLiteral("Quillmont 1394  -  ") + text);
}

void PictureFilesController::KeepTemporaryPicture(bool insideCapture)
{
    const QString upper = m_saveFileName.toUpper();
    if (upper.size() < 9 || !upper.endsWith(QLatin1String("_TEMP.BMP")))
        return;
    if (insideCapture) {
        m_saveFileName = QStringLiteral("CaptureFN.JPG");
    } else {
        const QString chosen = m_dialogs.saveFileName(m_w.window, QString::fromLatin1(SaveFilter), m_saveFileName,
                                                      m_state.ProgramFolder);
        if (chosen.isEmpty())
            return;
        m_saveFileName = chosen;
    }
    // Relative names are relative to the program folder, the working folder of the program.
    const QString target = QDir(m_state.ProgramFolder).filePath(m_saveFileName);
    const QFileInfo info(target);
    const QString ext = info.suffix().toUpper();
    if (ext == QLatin1String("JPG")) {
        bool ok = false;
        const int quality = m_w.edJPEGQuality->text().trimmed().toInt(&ok);
        if (!ok) {
            m_dialogs.error(m_w.window, QStringLiteral("'%1' is not a valid integer value").arg(m_w.edJPEGQuality->text()));
            return;
        }
        PictureResult clean = writeJpegFile(m_w.imgTemp->picture(), quality, target);
        if (!clean.ok()) {
            m_dialogs.error(m_w.window, QStringLiteral("檔案儲存錯誤!  <%1>\n%2").arg(target, clean.detail));
            return;
        }
        const QString annotated = info.dir().filePath(QStringLiteral("_") + info.fileName());
        PictureResult marked = writeJpegFile(m_w.imgView->picture(), quality, annotated);
        if (!marked.ok()) {
            m_dialogs.error(m_w.window, QStringLiteral("檔案儲存錯誤!  <%1>\n%2").arg(annotated, marked.detail));
            return;
        }
        m_state.CurrentPicturePath = annotated;
        return;
    }
    QString bitmapTarget = target;
    if (ext.isEmpty()) {
        m_saveFileName += QStringLiteral(".BMP");
        bitmapTarget += QStringLiteral(".BMP");
    }
    const QString source = temporaryBitmapPath();
    if (QFileInfo(source).absoluteFilePath() == QFileInfo(bitmapTarget).absoluteFilePath())
        return;
    QFile::remove(bitmapTarget);
    if (!QFile::copy(source, bitmapTarget))
        m_dialogs.error(m_w.window, QStringLiteral("檔案儲存錯誤!  <%1>").arg(bitmapTarget));
}

void PictureFilesController::showOpenError(const QString &name, const QString &detail)
{
    QString text = QStringLiteral("檔案開啟錯誤!  <%1>").arg(name);
    if (!detail.isEmpty())
        text += QLatin1Char('\n') + detail;
    m_dialogs.message(m_w.window, text);
}

void PictureFilesController::showBlankPicture()
{
    QImage &view = m_w.imgView->picture();
    if (ensurePicture(view, 640, 480))
        std::memset(view.bits(), 0xFF, size_t(view.sizeInBytes()));
    m_w.imgView->pictureReplaced();
    m_state.CrosshairDrawn = false;
}

void PictureFilesController::pictureLoaded()
{
    m_w.imgView->pictureReplaced();
    m_w.imgTemp->pictureReplaced();
    m_state.CrosshairDrawn = false;
}

void PictureFilesController::restoreVisibleFromClean()
{
    // A failed decode may have written part of the visible picture; the clean copy puts it back.
    copyPicture(m_w.imgTemp->picture(), m_w.imgView->picture());
    m_w.imgView->pictureReplaced();
    m_state.CrosshairDrawn = false;
}
