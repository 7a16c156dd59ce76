#pragma once

#include <array>
#include <functional>

#include <QList>
#include <QObject>
#include <QPointer>

#include "records/datasets.h"

class Dialogs;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class Shape;
struct MainState;

// The active scale set and the display unit: the scale box "  倍率選擇 :  " of the measuring page,
// the unit conversion values of MainState (ScaleUnitLength, DisplayUnitLength, UnitFactor; ScaleX and
// ScaleY as well when a set is chosen), recording the scale on the work order, the unit captions and
// the scale gauge on the picture.
//
// Built into `scaleBoxHost` (which gets a layout): the group box gbScaleBox with cbScaleSet (the
// scale-set list), dbedUnitName (read-only, S.UnitCode of qryScaleSet's current row), cbUnitSet with
// the caption "單位顯示切換 : " and the hidden button bbtChangeUnitSet "變更倍率組".
// Built into `pictureContent` (the scroll area's content; the picture sits at (2, 2)): the gauge.
// Its two 50 x 8 bars spUnit0 and spUnit50 lie side by side from (12, 28) to (112, 36), so it spans
// 100 picture pixels near the picture's top-left corner; lbUnit0 "0" is centred above x = 12,
// lbUnit100 (the gauge's length in display units) above x = 112, and lbUnit ("Unit:" + display unit)
// sits below the bars from x = 12.
//
// UnitFactor is ScaleUnitLength / DisplayUnitLength; when DisplayUnitLength is 0 (a unit entered with
// length 0) the previous UnitFactor is kept, so conversions never produce inf or NaN.
class ActiveScaleController : public QObject {
    Q_OBJECT
public:
    ActiveScaleController(MainState &state, Dialogs &dialogs, const Datasets &datasets, QWidget *scaleBoxHost,
                          QWidget *pictureContent, QObject *parent = nullptr);

    // The work order number shown in the work order field; an empty function gives empty text.
    std::function<QString()> workOrderNumber;
    // The work order query that rereads the measurement list, run after the scale is recorded.
    std::function<void()> queryWorkOrder;
    // The picture refresh, run after the display unit is chosen.
    std::function<void()> redrawPicture;
    // Fills the ratio calibration box from the active set when it is open; run on scale selection.
    std::function<void()> fillCalibrationBox;

    [[nodiscard]] QComboBox *scaleSetList() const { return m_cbScaleSet; }
    [[nodiscard]] QComboBox *unitSetList() const { return m_cbUnitSet; }
    // The scale box itself, so the ratio calibration can add its controls below the lists.
    [[nodiscard]] QGroupBox *scaleBox() const { return m_scaleBox; }

    // The cursor read-out captions take the scale unit on scale selection; all captions take the
    // display unit's name when it is chosen.
    void setUnitCaptions(QLabel *posX, QLabel *posY, QList<QLabel *> others);
    // Shows or hides the five gauge controls.
    void setGaugeVisible(bool visible);

    // Start-up: runs the scale-set selection once for the name the list shows.
    void selectActiveScale();
    // ScaleUnitLength, DisplayUnitLength and UnitFactor from the active set's unit and the display
    // unit's name; moves qryUnitSet's current row as a side effect of its look-ups.
    void updateUnitFactor();
    // The gauge's end caption and unit caption from ScaleX, UnitFactor and the display unit.
    void updateGauge();

public Q_SLOTS:
    void cbScaleSetChange();
    void cbUnitSetChange();
    void dbedUnitNameChange();
    void bbtChangeUnitSetClick();

private:
    void buildScaleBox(QWidget *host);
    void buildGauge(QWidget *content);
    void showActiveUnitCode();
    [[nodiscard]] std::array<QWidget *, 5> gaugeControls() const;

    MainState &m_state;
    Dialogs &m_dialogs;
    Datasets m_d;
    QWidget *m_host;

    QGroupBox *m_scaleBox = nullptr;
    QComboBox *m_cbScaleSet = nullptr;
    QLineEdit *m_dbedUnitName = nullptr;
    QComboBox *m_cbUnitSet = nullptr;
    QPushButton *m_bbtChangeUnitSet = nullptr;

    Shape *m_spUnit0 = nullptr;
    Shape *m_spUnit50 = nullptr;
    QLabel *m_lbUnit0 = nullptr;
    QLabel *m_lbUnit100 = nullptr;
    QLabel *m_lbUnit = nullptr;

    QPointer<QLabel> m_posX;
    QPointer<QLabel> m_posY;
    QList<QPointer<QLabel>> m_otherCaptions;
    bool m_recording = false;
};
