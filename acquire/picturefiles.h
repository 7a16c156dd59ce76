#pragma once

#include <QObject>
#include <QString>

#include "acquire/picturefile.h"

class Dialogs;
class Pictures;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
struct ProgramPaths;

struct PictureFileWidgets {
    QWidget *window = nullptr;  // its caption names the picture file
    QLineEdit *edImageFile = nullptr;
    QLabel *lbFullFileName = nullptr;
    QPushButton *btJPG2BMP = nullptr;      // hidden
    QPushButton *bbtImg1toImg3 = nullptr;  // "儲存"
    QLineEdit *edJPEGQuality = nullptr;
};

// Opening picture files into the picture pair, the temporary bitmap, committing the drawn marks to
// the clean picture, keeping a temporary picture under a permanent name, and the window caption.
//
// A file that cannot be opened is reported with "檔案開啟錯誤!  <name>" and its cause; a missing one
// shows a blank picture, a broken one leaves both pictures as they were. Writing failures are
// reported with "檔案儲存錯誤!  <name>" and leave the file that was there before.
class PictureFilesController : public QObject {
    Q_OBJECT
public:
    static constexpr const char *OpenFilter = "JPG & BMP File|*.jpg;*.bmp|BMP File|*.bmp|JPG File|*.jpg";
    static constexpr const char *SaveFilter = "JPG File|*.jpg|BMP File|*.bmp";

    PictureFilesController(Pictures &pictures, const ProgramPaths &paths, Dialogs &dialogs,
                           const PictureFileWidgets &widgets, QObject *parent = nullptr);

    // Loads the named file into both pictures; false when the operator was shown an error instead.
    bool LoadPictureFile(const QString &name);
    // Opens the file as "開啟圖擋" does once it is chosen: loads it, then pictureOpened() when it
    // could be read: a failed read starts no work order and leaves the picture shown as it was.
    void openPicture(const QString &chosen);
    // Saves a temporary picture (a name ending in "_TEMP.BMP") under a permanent name. insideCapture:
    // a captured frame, kept as "CaptureFN.JPG" without asking.
    void KeepTemporaryPicture(bool insideCapture);

    [[nodiscard]] QString openDialogFileName() const { return m_openFileName; }
    void setOpenDialogFileName(const QString &name) { m_openFileName = name; }
    [[nodiscard]] QString saveDialogFileName() const { return m_saveFileName; }
    void setSaveDialogFileName(const QString &name) { m_saveFileName = name; }
    [[nodiscard]] QString temporaryBitmapPath() const;

public Q_SLOTS:
    void mmLoad1Click();
    void btJPG2BMPClick();
    void bbtImg1toImg3Click();
    void edImageFileChange(const QString &text);

Q_SIGNALS:
    // A picture was opened from the menu or by openPicture: the work orders start a new one for it.
    void pictureOpened();

private:
    // Converts the JPEG named in edImageFile into the temporary bitmap.
    PictureResult convertToTemporaryBitmap();
    void showOpenError(const QString &name, const QString &detail);
    void keepAsJpeg(const QString &target);

    Pictures &m_pictures;
    const ProgramPaths &m_paths;
    Dialogs &m_dialogs;
    PictureFileWidgets m_w;
    QString m_openFileName;
    QString m_saveFileName;
};
