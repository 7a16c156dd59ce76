#pragma once

#include <QDialog>
#include <QStringList>

class CaptureDevice;
class Dialogs;
class QListWidget;

// The source and format dialogs of the capture device: a list to pick one line from. Its list is
// "lbChoices"; the dialog is "dlgVideoSource" or "dlgImageSize".
class CaptureChoiceDialog : public QDialog {
    Q_OBJECT
public:
    CaptureChoiceDialog(const QString &caption, const QStringList &choices, int current, QWidget *parent = nullptr);

    // The line picked, -1 when none.
    [[nodiscard]] int chosen() const;

private:
    QListWidget *m_list;
};

// "影像來源": the cameras found and "測試圖樣", the device's source picked; OK makes the picked one
// the device's source (a connected device reconnects to it). False when cancelled.
bool chooseCaptureSource(Dialogs &dialogs, CaptureDevice &device, QWidget *parent);
// "影像大小": the source's frame sizes and pixel layouts; OK applies the picked one at once.
// False when cancelled or when the source offers none.
bool chooseCaptureFormat(Dialogs &dialogs, CaptureDevice &device, QWidget *parent);
