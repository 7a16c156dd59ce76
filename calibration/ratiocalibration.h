#pragma once

#include <QObject>

#include "measure/kinds.h"

class ActiveScaleController;
class Dialogs;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class UnitScaleController;
struct Datasets;

// One axis group of the calibration box: the reference length (in the active set's unit), its
// unit caption, the pixels it spans, the length per pixel and "儲存".
struct RatioAxisWidgets {
    QGroupBox *group = nullptr;
    QLineEdit *edLength = nullptr;
    QLabel *lbUnit = nullptr;
    QLineEdit *edPixel = nullptr;
    QLineEdit *edRatio = nullptr;
    QPushButton *bbtSave = nullptr;
};

// The calibration box in the scale box: "倍率校正" (cbRatioSetup) opens the groups "  X 軸 :  "
// (edLengthX, lbUnitX, edPixelX, edRatioX, bbtRatioXSave) and "  Y 軸 :  " (the same with Y).
struct RatioCalibrationWidgets {
    QWidget *window = nullptr;
    QCheckBox *cbRatioSetup = nullptr;
    RatioAxisWidgets x;
    RatioAxisWidgets y;
};

// The ratio calibration: a known length measured on the picture gives the pixels it spans, and
// "儲存" writes that span into the active scale set for both axes, so the set matches the optics.
//
// The box is filled from the active set when it opens and whenever another set is chosen while it
// is open; a width or height measured while it is open fills the pixel count of X or Y. A save
// writes square pixels (the other axis copied, rounded to four decimals), rereads the scale sets,
// which sets the active scale, and records the scale on the work order. A field that is not a
// number, or a pixel count of 0, stops a step with a message before anything is written.
class RatioCalibrationController : public QObject {
    Q_OBJECT
public:
    enum class Axis { X, Y };

    RatioCalibrationController(ActiveScaleController &activeScale, UnitScaleController &unitScale,
                               const Datasets &datasets, Dialogs &dialogs, const RatioCalibrationWidgets &widgets,
                               QObject *parent = nullptr);

    // The box's fields from the active scale set; nothing while the box is closed.
    void fillFromActiveSet();
    // X or Y "儲存"; throws ProgramError with the operator's words, or DatabaseError.
    void save(Axis from);

public Q_SLOTS:
    void cbRatioSetupClick();
    void edLengthXEnter();
    void edLengthYEnter();
    void bbtRatioXSaveClick();
    void bbtRatioYSaveClick();
    // A width (X) or height (Y) measured over `pixels`, unrounded, while the box is open.
    void spanMeasured(MeasurementKind kind, double pixels);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    [[nodiscard]] bool isOpen() const;
    void openBox(bool open);
    void enterLength(const RatioAxisWidgets &axis, const QString &name);
    [[nodiscard]] const RatioAxisWidgets &widgets(Axis axis) const { return axis == Axis::X ? m_w.x : m_w.y; }

    ActiveScaleController &m_activeScale;
    UnitScaleController &m_unitScale;
    const Datasets &m_d;
    Dialogs &m_dialogs;
    RatioCalibrationWidgets m_w;
};
