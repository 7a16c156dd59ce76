#pragma once

#include <optional>

#include <QObject>
#include <QPointF>

#include "automeasure/hardnesswidgets.h"
#include "automeasure/precisecircle.h"

class Dialogs;
class HardnessController;
class MeasuringController;
class Pictures;
class QAction;
class QMouseEvent;
struct CircleDetection;
struct ScaleValues;

// The page "自動": circle detection on the clean picture with its yellow crosses and the
// impression diameter it hands to the hardness, storing the circle found as a measurement
// ("存圓"), the scroll bars with their mirror fields and guide circles, and the two free circles
// the operator stretches on the picture while "圓" is checked.
class CircleDetectionController : public QObject {
    Q_OBJECT
public:
    CircleDetectionController(const ScaleValues &scale, Pictures &pictures, MeasuringController &measuring,
                              HardnessController &hardness, Dialogs &dialogs, const HardnessWidgets &widgets,
                              QObject *parent = nullptr);

    // The menu item "圓"; the controller reacts to it from now on.
    void attachMenu(QAction *mmCircle);
    // BitBtn22Click's work. Throws ProgramError when a setting holds no number, before the picture
    // is touched. A detection that finds no circle says so on the page and leaves the diameter and
    // the hardness as they were.
    void detect();
    // bbtStoreCircleClick's work: the circle last found becomes a Circle measurement, clicked
    // through its points at 0°, 120° and 240°. Nothing when there is none.
    void storeCircle();

public Q_SLOTS:
    void BitBtn22Click();
    void bbtStoreCircleClick();
    void ScrollBar1Change(int position);
    void ScrollBar2Change(int position);
    void ScrollBar3Change(int position);
    void Edit5KeyPress();
    void Edit6KeyPress();
    void Edit12KeyPress();
    void cbCircleGreenClick(bool checked);
    void cbCircleBlueClick(bool checked);
    void edTimesExit();
    void mmCircleClick(bool checked);
    void imgViewMouseDown(QMouseEvent *event);
    void imgViewMouseMove(QMouseEvent *event);
    void imgViewMouseUp(QMouseEvent *event);
    // The right button on the picture: the next free circle is the first again.
    void circleDetectionReset();
    // A new picture: the circle found on the old one can no longer be stored.
    void pictureOpened();

private:
    void showResult(const CircleDetection &found, bool subPixel);
    void forgetCircle();
    void updateGuides();
    void placeFreeCircle(QPointF at);
    void setFromField(QScrollBar *bar, const QLineEdit *field);

    const ScaleValues &m_scale;
    Pictures &m_pictures;
    MeasuringController &m_measuring;
    HardnessController &m_hardness;
    Dialogs &m_dialogs;
    HardnessWidgets m_w;
    QAction *m_mmCircle = nullptr;
    std::optional<FittedCircle> m_detected;  // the circle last found, in pixels, while it can be stored
    int m_freeCircle = 0;  // the free circle the next press places: 0 spCircle1, 1 spCircle2
    bool m_stretching = false;
    QPointF m_freeCentre;
};
