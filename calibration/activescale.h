#pragma once

#include <array>

#include <QList>
#include <QObject>
#include <QPointer>

#include "calibration/scalebox.h"
#include "records/workorderscale.h"

class CurrentWorkOrder;
class Dialogs;
class PictureRefresh;
class QLabel;
class QWidget;
class WorkOrderQuery;
struct Datasets;
struct ScaleValues;

// The captions that name the display unit: beside the cursor read-out, and any others (the point
// read-outs) that follow the display unit when it is chosen.
struct UnitCaptions {
    QLabel *posX = nullptr;
    QLabel *posY = nullptr;
    QList<QLabel *> others;
};

// The active scale set and the display unit: the reactions of the scale box, recording the scale on
// the work order, the unit captions and the scale gauge.
//
// It is the one writer of ScaleValues. ScaleX and ScaleY follow qryScaleSet's current row however it
// moves (the list, a click in the scale grid, a reopen, a post); a row whose scale is not finite and
// above 0 is refused with a message and the scale in force stays, and a set with such a scale cannot
// be chosen: the list goes back to the set in force. UnitFactor is ScaleUnitLength /
// DisplayUnitLength; a display unit whose length is not above 0 cannot be chosen (the message names
// it, the unit in force stays in the list), and a stored one of length 0 keeps the previous factor.
// The cursor read-out's captions always name the display unit, whose values it shows.
//
// Choosing a display unit runs the picture refresh; recording the scale runs the work order query.
// scaleSetChosen() tells the ratio calibration to fill its box from the active set. A selected work
// order brings its scale set, and the measurement list its recorded scale (WorkOrderScale).
class ActiveScaleController : public QObject, public WorkOrderScale {
    Q_OBJECT
public:
    ActiveScaleController(ScaleValues &scale, const CurrentWorkOrder &workOrder, WorkOrderQuery &workOrderQuery,
                          PictureRefresh &pictureRefresh, const Datasets &datasets, Dialogs &dialogs,
                          const ScaleBoxWidgets &box, const GaugeWidgets &gauge, const UnitCaptions &captions,
                          QObject *parent = nullptr);

    [[nodiscard]] QComboBox *scaleSetList() const { return m_box.cbScaleSet; }
    [[nodiscard]] QComboBox *unitSetList() const { return m_box.cbUnitSet; }
    // The scale box itself, so the ratio calibration can add its controls below the lists.
    [[nodiscard]] QGroupBox *scaleBox() const { return m_box.gbScaleBox; }

    // Shows or hides the five gauge controls.
    void setGaugeVisible(bool visible);
    // Records the active scale on the current work order and rereads it (also after a ratio
    // calibration); throws DatabaseError.
    void recordScale();
    // The scale set selection for the name the list shows (start-up, a set that dropped out of the
    // list); throws DatabaseError.
    void chooseScaleSet();

    void useScaleSetOf(const QString &scaleName) override;
    void useWorkOrderScale(double scaleX, double scaleY) override;
    [[nodiscard]] QString displayUnitName() const override;

public Q_SLOTS:
    void cbScaleSetChange();
    void cbUnitSetChange();
    void dbedUnitNameChange();
    void bbtChangeUnitSetClick();

Q_SIGNALS:
    // A scale set was chosen and located; its values are not applied yet.
    void scaleSetChosen();

private:
    void chooseDisplayUnit();
    void followScaleUnit();
    void takeScaleFromRow();
    // Why qryScaleSet's current row cannot be the active scale; empty when it can.
    [[nodiscard]] QString rowScaleRefusal() const;
    void updateUnitFactor();
    void updateGauge();
    void showActiveUnitCode();
    void setReadOutCaptions(const QString &unitName);
    [[nodiscard]] std::array<QWidget *, 5> gaugeControls() const;

    ScaleValues &m_scale;
    const CurrentWorkOrder &m_workOrder;
    WorkOrderQuery &m_workOrderQuery;
    PictureRefresh &m_pictureRefresh;
    const Datasets &m_d;
    Dialogs &m_dialogs;
    ScaleBoxWidgets m_box;
    GaugeWidgets m_gauge;
    QPointer<QLabel> m_posX;
    QPointer<QLabel> m_posY;
    QList<QPointer<QLabel>> m_otherCaptions;
    QString m_activeSet;    // the name of the scale set last chosen
    QString m_displayUnit;  // the name of the display unit in force
    QString m_lastRefusal;  // a refused scale is reported once, not at every move onto its row
    bool m_recording = false;
};
