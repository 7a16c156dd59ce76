#pragma once

#include <functional>

#include <QObject>
#include <QString>

#include "acquire/picturefile.h"

class Dialogs;
class PictureView;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
struct MainState;

struct PictureFileWidgets {
    QWidget *window = nullptr;
    PictureView *imgView = nullptr;
    PictureView *imgTemp = nullptr;
    QLineEdit *edImageFile = nullptr;
    QLabel *lbFullFileName = nullptr;
    QPushButton *btJPG2BMP = nullptr;
    QLineEdit *edJPEGQuality = nullptr;
};

// Opening picture files into the clean and the visible picture, the temporary bitmap, keeping a
// temporary picture under a permanent name, and the window caption.
class PictureFilesController : public QObject {
    Q_OBJECT
public:
    static constexpr const char *OpenFilter = "JPG & BMP File|*.jpg;*.bmp|BMP File|*.bmp|JPG File|*.jpg";
    static constexpr const char *SaveFilter = "JPG File|*.jpg|BMP File|*.bmp";

    PictureFilesController(MainState &state, Dialogs &dialogs, const PictureFileWidgets &widgets,
                           QObject *parent = nullptr);

    // Loads the named file into both pictures; false when the operator was shown an error instead.
    bool LoadPictureFile(const QString &name);
    // Saves a temporary picture (a name ending in "_TEMP.BMP") under a permanent name. insideCapture:
    // a captured frame, kept as "CaptureFN.JPG" without asking.
    void KeepTemporaryPicture(bool insideCapture);

    [[nodiscard]] QString openDialogFileName() const { return m_openFileName; }
    [[nodiscard]] QString saveDialogFileName() const { return m_saveFileName; }
    void setSaveDialogFileName(const QString &name) { m_saveFileName = name; }
    [[nodiscard]] QString temporaryBitmapPath() const;

    // Run before a new picture replaces the old one (the crosshair is not on the new bitmap).
    std::function<void()> beforePictureReplaced;
    // The new-work-order step that follows every load from the menu.
    std::function<void()> newWorkOrder;

public Q_SLOTS:
    void mmLoad1Click();
    // Converts the JPEG named in edImageFile into the temporary bitmap. The picture decoded on the
    // way is left in imgView, so the load need not read the bitmap back.
    PictureResult btJPG2BMPClick();
    void bbtImg1toImg3Click();
    void edImageFileChange(const QString &text);

private:
    void showOpenError(const QString &name, const QString &detail);
    void showBlankPicture();
    void pictureLoaded();
    void restoreVisibleFromClean();

    MainState &m_state;
    Dialogs &m_dialogs;
    PictureFileWidgets m_w;
    QString m_openFileName;
    QString m_saveFileName;
};
