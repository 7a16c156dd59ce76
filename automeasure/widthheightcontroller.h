#pragma once

#include <QObject>

#include "automeasure/hardnesswidgets.h"
#include "automeasure/widthheight.h"

class Dialogs;
class HardnessController;
class Pictures;
struct ScaleValues;

// The page "手動": the width and height search from the search centre, its frame Shape3 on the
// picture with the four spin buttons that move its sides, and the read-outs of the frame; each
// result goes on to the average radius and the hardness.
class WidthHeightController : public QObject {
    Q_OBJECT
public:
    WidthHeightController(const ScaleValues &scale, Pictures &pictures, HardnessController &hardness,
                          Dialogs &dialogs, const HardnessWidgets &widgets, QObject *parent = nullptr);

    // bbtCalWidHeiClick's work; throws ProgramError when a setting holds no number, before the
    // picture is touched.
    void search();
    // BitBtn26Click's work: the read-outs from the frame, then the average radius and the hardness.
    void fromFrame();
    // One click on a side's spin button, then the read-outs of that side and the hardness.
    void adjust(BoxSide side, bool increase);
    // The frame as it stands: the one placed here, or the one a measured circle placed since.
    [[nodiscard]] Frame frame() const;

public Q_SLOTS:
    void bbtCalWidHeiClick();
    void BitBtn26Click();
    void cbShowRectClick(bool checked);
    void UpDown1Click(bool increase);
    void UpDown2Click(bool increase);
    void UpDown3Click(bool increase);
    void UpDown4Click(bool increase);

private:
    void placeFrame(const Frame &frame);

    const ScaleValues &m_scale;
    Pictures &m_pictures;
    HardnessController &m_hardness;
    Dialogs &m_dialogs;
    HardnessWidgets m_w;
    // A side moved past its opposite makes a negative size, which no widget can hold.
    Frame m_frame;
};
