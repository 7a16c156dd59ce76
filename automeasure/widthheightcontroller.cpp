#include "automeasure/widthheightcontroller.h"

#include <algorithm>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "automeasure/hardnesscontroller.h"
#include "base/numberformat.h"
#include "calibration/scalevalues.h"
#include "display/pictures.h"
#include "ui/guarded.h"
#include "ui/shape.h"
#include "ui/updown.h"

namespace {

QRect shown(const Frame &frame)
{
    return {frame.left, frame.top, std::max(frame.width, 0), std::max(frame.height, 0)};
}

} // namespace

WidthHeightController::WidthHeightController(const ScaleValues &scale, Pictures &pictures,
                                             HardnessController &hardness, Dialogs &dialogs,
                                             const HardnessWidgets &widgets, QObject *parent)
    : QObject(parent)
    , m_scale(scale)
    , m_pictures(pictures)
    , m_hardness(hardness)
    , m_dialogs(dialogs)
    , m_w(widgets)
{
    const WidthHeightWidgets &w = m_w.widthHeight;
    connect(w.bbtCalWidHei, &QPushButton::clicked, this, &WidthHeightController::bbtCalWidHeiClick);
    connect(w.BitBtn26, &QPushButton::clicked, this, &WidthHeightController::BitBtn26Click);
    connect(w.cbShowRect, &QCheckBox::toggled, this, &WidthHeightController::cbShowRectClick);
    connect(w.UpDown1, &UpDown::clicked, this, &WidthHeightController::UpDown1Click);
    connect(w.UpDown2, &UpDown::clicked, this, &WidthHeightController::UpDown2Click);
    connect(w.UpDown3, &UpDown::clicked, this, &WidthHeightController::UpDown3Click);
    connect(w.UpDown4, &UpDown::clicked, this, &WidthHeightController::UpDown4Click);
    m_frame = {w.Shape3->x(), w.Shape3->y(), w.Shape3->width(), w.Shape3->height()};
}

void WidthHeightController::bbtCalWidHeiClick()
{
    guarded(m_dialogs, m_w.window, [this] { search(); });
}

void WidthHeightController::BitBtn26Click()
{
    guarded(m_dialogs, m_w.window, [this] { fromFrame(); });
}

void WidthHeightController::cbShowRectClick(bool checked)
{
    guarded(m_dialogs, m_w.window, [&] {
        m_w.widthHeight.Shape3->setVisible(checked);
        fromFrame();
    });
}

void WidthHeightController::UpDown1Click(bool increase)
{
    guarded(m_dialogs, m_w.window, [&] { adjust(BoxSide::Top, increase); });
}

void WidthHeightController::UpDown2Click(bool increase)
{
    guarded(m_dialogs, m_w.window, [&] { adjust(BoxSide::Bottom, increase); });
}

void WidthHeightController::UpDown3Click(bool increase)
{
    guarded(m_dialogs, m_w.window, [&] { adjust(BoxSide::Right, increase); });
}

void WidthHeightController::UpDown4Click(bool increase)
{
    guarded(m_dialogs, m_w.window, [&] { adjust(BoxSide::Left, increase); });
}

void WidthHeightController::search()
{
    const WidthHeightWidgets &w = m_w.widthHeight;
    const CircleSearch settings = searchFromFields(m_w.circle);
    for (UpDown *spin : {w.UpDown1, w.UpDown2, w.UpDown3, w.UpDown4})
        spin->setValue(0);
    m_pictures.restoreClean();
    const EdgeBox box = searchWidthHeight(rowsOf(m_pictures.view()), settings, m_scale.ScaleX, m_scale.ScaleY);
    const BoxFields f = boxFields(box, m_scale.ScaleX, m_scale.ScaleY);
    const auto text = [](double v) { return formatFloat(QStringLiteral("0.000"), v); };
    w.lbedRtX->setText(text(f.rtX));
    w.lbedRtY->setText(text(f.rtY));
    w.lbedDnX->setText(text(f.dnX));
    w.lbedDnY->setText(text(f.dnY));
    w.lbedLtX->setText(text(f.ltX));
    w.lbedLtY->setText(text(f.ltY));
    w.lbedUpX->setText(text(f.upX));
    w.lbedUpY->setText(text(f.upY));
    m_w.brinell.edVideoLineW->setText(text(f.width));
    m_w.brinell.edVideoLineH->setText(text(f.height));
    m_hardness.setDiameter(text(f.diameter), HardnessController::Source::WidthAndHeight);
    placeFrame(frameOf(box));
    if (!w.cbShowRect->isChecked()) {
        // As its click would: the frame shows and the read-outs are taken from it.
        const QSignalBlocker quiet(w.cbShowRect);
        w.cbShowRect->setChecked(true);
        w.Shape3->setVisible(true);
        fromFrame();
    }
    m_hardness.calculate();
}

void WidthHeightController::fromFrame()
{
    const WidthHeightWidgets &w = m_w.widthHeight;
    const FrameFields f = frameFields(frame(), m_scale.ScaleX, m_scale.ScaleY);
    w.lbedUpY->setText(floatToText(f.upY));
    w.lbedDnY->setText(floatToText(f.dnY));
    m_w.brinell.edVideoLineH->setText(floatToText(f.height));
    w.lbedLtX->setText(floatToText(f.ltX));
    w.lbedRtX->setText(floatToText(f.rtX));
    m_w.brinell.edVideoLineW->setText(floatToText(f.width));
    m_hardness.averageRadius();
    m_hardness.calculate();
}

void WidthHeightController::adjust(BoxSide side, bool increase)
{
    const WidthHeightWidgets &w = m_w.widthHeight;
    const Frame moved = adjustFrame(frame(), side, increase, w.cb10X->isChecked());
    placeFrame(moved);
    const FrameFields f = frameFields(moved, m_scale.ScaleX, m_scale.ScaleY);
    switch (side) {
    case BoxSide::Top:
        w.lbedUpY->setText(floatToText(f.upY));
        break;
    case BoxSide::Bottom:
        w.lbedDnY->setText(floatToText(f.dnY));
        break;
    case BoxSide::Right:
        w.lbedRtX->setText(floatToText(f.rtX));
        break;
    case BoxSide::Left:
        w.lbedLtX->setText(floatToText(f.ltX));
        break;
    }
    if (side == BoxSide::Top || side == BoxSide::Bottom)
        m_w.brinell.edVideoLineH->setText(floatToText(f.height));
    else
        m_w.brinell.edVideoLineW->setText(floatToText(f.width));
    m_hardness.averageRadius();
    m_hardness.calculate();
}

Frame WidthHeightController::frame() const
{
    const QRect now = m_w.widthHeight.Shape3->geometry();
    if (now == shown(m_frame))
        return m_frame;
    return {now.left(), now.top(), now.width(), now.height()};
}

void WidthHeightController::placeFrame(const Frame &frame)
{
    m_frame = frame;
    m_w.widthHeight.Shape3->setGeometry(shown(frame));
}
