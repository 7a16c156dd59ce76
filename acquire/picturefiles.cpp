#include "acquire/picturefiles.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "base/numberparse.h"
#include "base/programpaths.h"
#include "display/pictures.h"
#include "ui/dialogs.h"
#include "ui/guarded.h"

namespace {

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

// The message of a file that could not be written, with its cause.
ProgramError saveError(const QString &name, const PictureResult &result)
{
    return ProgramError(QStringLiteral("檔案儲存錯誤!  <%1>\n%2").arg(name, result.detail));
}

}  // namespace

PictureFilesController::PictureFilesController(Pictures &pictures, const ProgramPaths &paths, Dialogs &dialogs,
                                               const PictureFileWidgets &widgets, QObject *parent)
    : QObject(parent)
    , m_pictures(pictures)
    , m_paths(paths)
    , m_dialogs(dialogs)
    , m_w(widgets)
{
    connect(m_w.edImageFile, &QLineEdit::textChanged, this, &PictureFilesController::edImageFileChange);
    connect(m_w.btJPG2BMP, &QPushButton::clicked, this, &PictureFilesController::btJPG2BMPClick);
    connect(m_w.bbtImg1toImg3, &QPushButton::clicked, this, &PictureFilesController::bbtImg1toImg3Click);
}

QString PictureFilesController::temporaryBitmapPath() const
{
    return m_paths.ProgramFolder + QStringLiteral("_Temp.bmp");
}

void PictureFilesController::mmLoad1Click()
{
    guarded(m_dialogs, m_w.window, [this] {
        m_openFileName.clear();
        const QString chosen = m_dialogs.openFileName(m_w.window, QString::fromLatin1(OpenFilter), m_openFileName);
        if (!chosen.isEmpty())
            openPicture(chosen);
    });
}

void PictureFilesController::openPicture(const QString &chosen)
{
    m_saveFileName = chosen;
    m_w.lbFullFileName->setText(chosen);
    // A picture that could not be read starts no work order: the one shown stays as it is.
    if (LoadPictureFile(chosen))
        Q_EMIT pictureOpened();
}

bool PictureFilesController::LoadPictureFile(const QString &name)
{
    m_openFileName = name;
    m_saveFileName = name;
    m_w.edImageFile->setText(name);
    m_w.lbFullFileName->setText(name);

    const bool isJpeg = QFileInfo(name).suffix().toUpper() == QLatin1String("JPG");
    if (isJpeg)
        m_w.btJPG2BMP->setEnabled(true);
    if (!QFileInfo::exists(name)) {
        // A missing JPEG is reported as such: an old temporary bitmap of another picture must
        // never stand in for it. A missing bitmap is written as the blank picture under its name,
        // which then becomes the clean picture too.
        m_pictures.showBlank(640, 480);
        if (!isJpeg && writeBitmapFile(m_pictures.view(), name).ok())
            m_pictures.commit();
        showOpenError(name, QString());
        return false;
    }
    // A JPEG that fails leaves the picture it decodes into as it was, so it goes straight into the
    // visible picture's buffer; a bitmap read may stop half-way and gets a buffer of its own.
    const PictureResult loaded = m_pictures.load(
        [&](QImage &into) { return isJpeg ? decodeJpegFile(name, into) : readBitmapFile(name, into); },
        isJpeg ? Pictures::FailedRead::LeavesItAsItWas : Pictures::FailedRead::MayHaveWritten);
    if (!loaded.ok()) {
        showOpenError(name, errorDetail(loaded));
        return false;
    }
    // The bitmap is kept for a capture's later save; failing to write it does not spoil the
    // picture already decoded, which is all this load promises.
    if (isJpeg)
        (void)writeBitmapFile(m_pictures.view(), temporaryBitmapPath(), FileSync::Fast);
    return true;
}

void PictureFilesController::btJPG2BMPClick()
{
    guarded(m_dialogs, m_w.window, [this] {
        const PictureResult converted = convertToTemporaryBitmap();
        if (!converted.ok() && converted.error != PictureResult::Error::Missing)
            showOpenError(m_w.edImageFile->text(), errorDetail(converted));
    });
}

PictureResult PictureFilesController::convertToTemporaryBitmap()
{
    const QString name = m_w.edImageFile->text();
    if (!QFileInfo::exists(name))
        return {PictureResult::Error::Missing, name};
    QImage decoded;
    if (PictureResult result = decodeJpegFile(name, decoded); !result.ok())
        return result;
    return writeBitmapFile(decoded, temporaryBitmapPath(), FileSync::Fast);
}

void PictureFilesController::bbtImg1toImg3Click()
{
    guarded(m_dialogs, m_w.window, [this] { m_pictures.commit(); });
}

void PictureFilesController::edImageFileChange(const QString &text)
{
    guarded(m_dialogs, m_w.window, [&] { m_w.window->setWindowTitle(QStringLiteral("Quillmont 1394  -  ") + text); });
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
                                                      m_paths.ProgramFolder);
        if (chosen.isEmpty())
            return;
        m_saveFileName = chosen;
    }
    // Relative names are relative to the program folder, the working folder of the program.
    const QString target = QDir(m_paths.ProgramFolder).filePath(m_saveFileName);
    const QString ext = QFileInfo(target).suffix().toUpper();
    if (ext == QLatin1String("JPG")) {
        keepAsJpeg(target);
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
    // Copied beside the target and renamed into place: a failed copy keeps the operator's file.
    if (const PictureResult copied = copyFileOver(source, bitmapTarget); !copied.ok())
        throw saveError(bitmapTarget, copied);
}

void PictureFilesController::keepAsJpeg(const QString &target)
{
    const auto quality = parseInteger(m_w.edJPEGQuality->text());
    if (!quality.ok())
        throw ProgramError(quality.error);
    PictureResult clean;
    m_pictures.withClean([&](const QImage &picture) { clean = writeJpegFile(picture, quality.value, target); });
    if (!clean.ok())
        throw saveError(target, clean);
    const QFileInfo info(target);
    const QString annotated = info.dir().filePath(QStringLiteral("_") + info.fileName());
    if (const PictureResult marked = writeJpegFile(m_pictures.view(), quality.value, annotated); !marked.ok())
        throw saveError(annotated, marked);
    m_pictures.setCurrentPicturePath(annotated);
}

void PictureFilesController::showOpenError(const QString &name, const QString &detail)
{
    QString text = QStringLiteral("檔案開啟錯誤!  <%1>").arg(name);
    if (!detail.isEmpty())
        text += QLatin1Char('\n') + detail;
    m_dialogs.message(m_w.window, text);
}
