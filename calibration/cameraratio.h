#pragma once

#include <QImage>
#include <QList>
#include <QObject>

class Dialogs;
class NewWorkOrder;
class Pictures;
class QAction;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QWidget;

// The camera pixel ratio: the menu item "CCD比例設定" (CCD1) and the panel plCCDAligment it shows in
// place of the display-option check boxes, with "CCD比例" (cbCameraRatio), " X :" (edCCDRatioX),
// " Y :" (edCCDRatioY) and "重設" (BitBtn20).
struct CameraRatioWidgets {
    QWidget *window = nullptr;
    QAction *CCD1 = nullptr;
    QWidget *plCCDAligment = nullptr;
    QCheckBox *cbCameraRatio = nullptr;
    QLineEdit *edCCDRatioX = nullptr;
    QLineEdit *edCCDRatioY = nullptr;
    QPushButton *BitBtn20 = nullptr;
    QList<QWidget *> displayOptions;  // the check boxes the panel stands in for
};

// Corrects pictures from a camera whose pixels are not square by stretching them along one axis:
// "重設" stretches the picture shown, and a grab asks for its frame to be stretched while "CCD比例"
// is ticked. A ratio field that is not a number above 0 stops either before any picture changes.
class CameraRatioController : public QObject {
    Q_OBJECT
public:
    CameraRatioController(Pictures &pictures, NewWorkOrder &newWorkOrder, Dialogs &dialogs,
                          const CameraRatioWidgets &widgets, QObject *parent = nullptr);

    // "重設": a new work order for the picture, then the clean picture stretched by the ratio
    // becomes both pictures. Throws ProgramError with the operator's words.
    void resetPicture();
    // A captured frame stretched into out when "CCD比例" is ticked; false, out untouched, when it
    // is not. Throws ProgramError with the operator's words when the ratio or the picture fails.
    bool stretchCapture(const QImage &frame, QImage &out) const;

public Q_SLOTS:
    void CCD1Click();
    void BitBtn20Click();

private:
    Pictures &m_pictures;
    NewWorkOrder &m_newWorkOrder;
    Dialogs &m_dialogs;
    CameraRatioWidgets m_w;
};
