#include "measure/measuring.h"

#include <cmath>
#include <utility>

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScopeGuard>

#include "base/color.h"
#include "base/numberformat.h"
#include "calibration/scalevalues.h"
#include "display/pictures.h"
#include "measure/caption.h"
#include "measure/measurementlabel.h"
#include "measure/measurementsink.h"
#include "measure/measuringstate.h"
#include "measure/text.h"
#include "records/currentpart.h"
#include "records/currentworkorder.h"
#include "ui/guarded.h"
#include "ui/pictureview.h"
#include "ui/shape.h"

namespace {

ClickButton clickButton(Qt::MouseButton button)
{
    switch (button) {
    case Qt::RightButton: return ClickButton::Right;
    case Qt::MiddleButton: return ClickButton::Middle;
    default: return ClickButton::Left;
    }
}

}  // namespace

MeasuringController::MeasuringController(MeasuringState &state, const ScaleValues &scale,
                                         const CurrentWorkOrder &workOrder, const CurrentPart &part, Pictures &pictures,
                                         MeasurementSink &sink, Dialogs &dialogs, const MeasuringWidgets &widgets,
                                         QObject *parent)
    : QObject(parent)
    , m_state(state)
    , m_scale(scale)
    , m_workOrder(workOrder)
    , m_part(part)
    , m_pictures(pictures)
    , m_sink(sink)
    , m_dialogs(dialogs)
    , m_w(widgets)
{
    for (QAbstractButton *button : m_w.MeasureButtons) {
        connect(button, &QAbstractButton::clicked, this, &MeasuringController::bbtMeasure0Click);
        button->installEventFilter(this);
    }
    connect(m_w.imgView, &PictureView::mouseDown, this, &MeasuringController::imgViewMouseDown);
    connect(m_w.imgView, &PictureView::mouseMove, this, &MeasuringController::imgViewMouseMove);
    connect(m_w.imgView, &PictureView::mouseUp, this, &MeasuringController::imgViewMouseUp);
}

void MeasuringController::bbtMeasure0Click()
{
    auto *button = qobject_cast<QAbstractButton *>(sender());
    guarded(m_dialogs, m_w.window, [&] {
        if (button)
            selectKind(button->property("tag").toInt());
    });
}

void MeasuringController::selectKind(int kind)
{
    if (kind < 0 || kind >= KindCount)
        return;
    placeSelectionFrame(kind);
    ::selectKind(m_state.clicks, kindFromIndex(kind));
    const auto k = kindFromIndex(kind);
    // Picking labels is part of these two kinds, so labels must not move under the click.
    if (k == MeasurementKind::CircleToCircle || k == MeasurementKind::PointGroup) {
        m_w.cbMoveLabel->setChecked(false);
        m_w.cbMoveLabel->setEnabled(false);
    } else {
        m_w.cbMoveLabel->setEnabled(true);
    }
    setStatus(1, KindDescriptions().at(kind));
    setStatus(2, pointPrompt(0));
}

bool MeasuringController::eventFilter(QObject *watched, QEvent *event)
{
    // The frame follows its button when the tool bar is laid out again (first show, resizing).
    if ((event->type() == QEvent::Move || event->type() == QEvent::Resize)
        && watched == m_w.MeasureButtons[kindIndex(m_state.clicks.CurrentKind)])
        placeSelectionFrame(kindIndex(m_state.clicks.CurrentKind));
    return QObject::eventFilter(watched, event);
}

void MeasuringController::tbWidthClick(int kind)
{
    guarded(m_dialogs, m_w.window, [&] {
        if (kind < 0 || kind >= KindCount)
            return;
        m_state.clicks.CurrentKind = kindFromIndex(kind);
        placeSelectionFrame(kind);
    });
}

void MeasuringController::placeSelectionFrame(int kind)
{
    QAbstractButton *button = m_w.MeasureButtons[kind];
    if (!m_w.Shape1 || !button)
        return;
    const QRect g = button->geometry();
    m_w.Shape1->setGeometry(g.left() - 3, g.top() - 3, g.width() + 6, g.height() + 6);
    m_w.Shape1->raise();
    m_w.Shape1->show();
}

ClickSettings MeasuringController::clickSettings() const
{
    ClickSettings s;
    s.penColor = toTColor(m_w.Shape2->brushColor());
    s.scaleX = m_scale.ScaleX;
    s.scaleY = m_scale.ScaleY;
    s.unitFactor = m_scale.UnitFactor;
    s.circleDetection = m_circleDetection;
    return s;
}

void MeasuringController::imgViewMouseDown(QMouseEvent *event)
{
    guarded(m_dialogs, m_w.window, [&] { click(event); });
}

void MeasuringController::click(QMouseEvent *event)
{
    const bool shiftOrCtrl = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier);
    clickAt(clickButton(event->button()), shiftOrCtrl, QPointF(event->position().toPoint()));
}

void MeasuringController::measurePoints(int kind, std::span<const QPointF> points)
{
    selectKind(kind);
    const bool detection = std::exchange(m_circleDetection, false);
    const auto restore = qScopeGuard([&] { m_circleDetection = detection; });
    for (const QPointF &at : points)
        clickAt(ClickButton::Left, false, at);
}

void MeasuringController::clickAt(ClickButton button, bool shiftOrCtrl, QPointF at)
{
    ClickOutcome outcome;
    m_pictures.draw([&](Canvas &canvas) {
        outcome = measureClick(m_state.clicks, canvas, button, shiftOrCtrl, at.x(), at.y(), clickSettings());
    });
    if (!outcome.handled || outcome.forCircleDetection)
        return;
    if (outcome.resetCircleDetection)
        Q_EMIT circleDetectionReset();
    setStatus(2, outcome.prompt);
    if (outcome.completion)
        runCompletion(*outcome.completion);
    if (outcome.labelColour)
        Q_EMIT labelColourRequested();
}

void MeasuringController::imgViewMouseUp(QMouseEvent *)
{
    // Only circle detection advances on a release; nothing to do while it is off.
}

void MeasuringController::imgViewMouseMove(QMouseEvent *event)
{
    guarded(m_dialogs, m_w.window, [&] {
        const QPoint at = event->position().toPoint();
        m_w.lbDisplayPosX->setText(formatFloat(QStringLiteral("0.000"), at.x() * m_scale.ScaleX * m_scale.UnitFactor));
        m_w.lbDisplayPosY->setText(formatFloat(QStringLiteral("0.000"), at.y() * m_scale.ScaleY * m_scale.UnitFactor));
        if (m_circleDetection)
            m_pictures.hideCrosshair();
        else
            m_pictures.moveCrosshair(at);
    });
}

void MeasuringController::runCompletion(const Completion &completion)
{
    QString noteText;
    if (completion.kind == MeasurementKind::TextNote) {
        if (m_w.window->findChild<QWidget *>(QStringLiteral("fmText")))
            return;
        // Closing the window without OK keeps the previous note text for the new note.
        askNoteText(completion.points[0]);
        if (m_w.edText->text().isEmpty())
            m_w.edText->setText(QStringLiteral(" "));
        m_w.edNewOBJNote->setText(m_w.edText->text());
        noteText = m_w.edText->text();
    }

    writeSideOutputs(completion);

    MeasurementObject &m = m_state.CurrentMeasurement;
    m.OperNo = m_workOrder.number();
    m.RecID = m_part.RecID;
    m.RecName = m_part.RecName;
    // A failed look-up ends the click here: nothing is labelled or stored.
    const int index = m_sink.nextIndex(m.OperNo, m.RecID);
    m.OBJIndex = index;
    m.AttribID = kindIndex(completion.kind) + 1;
    m.Attrib = kindName(completion.kind);
    m.x = completion.geometry.x;
    m.y = completion.geometry.y;
    m.Val = completion.geometry.val;
    m.LabelX = completion.geometry.labelX;
    m.LabelY = completion.geometry.labelY;
    m.LabelSize = m_w.Panel19->font().pointSize();
    m.Color = toTColor(m_w.Panel19->palette().color(QPalette::WindowText));
    m.OBJNote = completion.kind == MeasurementKind::TextNote ? noteText : m_w.edNewOBJNote->text();
    m.MeasureName = kindPrefix(completion.kind) + formatFloat(QStringLiteral("000"), index);
    m.rIndex = m_sink.listRowCount();
    m_sink.measurementCompleted(m, labelCaption(completion.kind, index, completion.geometry, m_scale.ScaleX,
                                                m_scale.ScaleY, m_scale.UnitFactor, noteText));
}

void MeasuringController::labelPicked(const MeasurementObject &picked, MeasurementLabel *label)
{
    guarded(m_dialogs, m_w.window, [&] { pick(picked, label); });
}

void MeasuringController::pick(const MeasurementObject &picked, MeasurementLabel *label)
{
    switch (m_state.clicks.CurrentKind) {
    case MeasurementKind::Circle:
        m_w.Edit7->setText(floatToText(picked.Val[4]));
        m_w.Edit8->setText(floatToText(picked.Val[5]));
        m_w.edVideoLineR->setText(floatToText(picked.Val[3]));
        return;
    case MeasurementKind::TextNote:
        // Only a note's own label edits a note; a width's label stays as it is.
        if (picked.AttribID == kindIndex(MeasurementKind::TextNote) + 1)
            editNote(picked, label);
        return;
    case MeasurementKind::CircleToCircle:
    case MeasurementKind::PointGroup: {
        ClickOutcome outcome;
        m_pictures.draw([&](Canvas &canvas) { outcome = pickLabel(m_state.clicks, canvas, picked, clickSettings()); });
        if (outcome.completion)
            runCompletion(*outcome.completion);
        return;
    }
    default:
        return;
    }
}

void MeasuringController::editNote(const MeasurementObject &picked, QLabel *label)
{
    if (m_w.window->findChild<QWidget *>(QStringLiteral("fmText")))
        return;
    m_state.clicks.PointX[0] = picked.x[0];
    m_state.clicks.PointY[0] = picked.y[0];
    // Only OK changes the note: closing the window otherwise leaves the stored note as it was.
    if (!askNoteText(QPointF(picked.x[0], picked.y[0]), picked.OBJNote))
        return;
    m_sink.noteEdited(picked, m_w.edText->text());
    label->setText(picked.MeasureName + QLatin1Char(':') + m_w.edText->text());
    label->adjustSize();
}

bool MeasuringController::askNoteText(QPointF at, const QString &initial)
{
    if (m_w.window->findChild<QWidget *>(QStringLiteral("fmText")))
        return false;
    // The window lives while it is shown, so "fmText" is found exactly then.
    TfmText window(m_w.edText, m_w.window);
    window.edText()->setText(initial);
    // Near the click: the page's and the picture panel's offsets added to the picture point.
    const QPoint origin = m_w.Panel2->mapTo(m_w.window, QPoint(0, 0));
    window.move(m_w.window->mapToGlobal(origin) + QPoint(toPixel(at.x()) + 50, toPixel(at.y()) + 50));
    return m_dialogs.exec(window) == QDialog::Accepted;
}

void MeasuringController::writeSideOutputs(const Completion &completion)
{
    const GeometryResult &g = completion.geometry;
    switch (completion.kind) {
    case MeasurementKind::Width:
        m_w.edVideoLineW->setText(floatToText(g.val[3]));
        break;
    case MeasurementKind::Height:
        m_w.edVideoLineH->setText(floatToText(g.val[3]));
        break;
    case MeasurementKind::Circle: {
        const double cx = g.val[1];
        const double cy = g.val[2];
        const double r = g.val[0];
        m_w.Edit7->setText(floatToText(cx * m_scale.ScaleX));
        m_w.Edit8->setText(floatToText(cy * m_scale.ScaleY));
        m_w.edVideoLineR->setText(floatToText(g.val[3]));
        m_w.Shape3->setGeometry(toPixel(cx - r + 2), toPixel(cy - r + 2), toPixel(2 * r + 1), toPixel(2 * r + 1));
        break;
    }
    default:
        break;
    }
}

void MeasuringController::setStatus(int panel, const QString &text)
{
    if (QLabel *label = m_w.statusPanels[panel])
        label->setText(text);
}
