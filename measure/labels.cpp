#include "measure/labels.h"

#include <cmath>

#include <QCheckBox>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>

#include "app/dialogs.h"
#include "app/state.h"
#include "base/color.h"
#include "display/pictureview.h"
#include "measure/kinds.h"
#include "measure/measurementobject.h"
#include "records/dataset.h"
#include "records/measurementstore.h"

namespace {

constexpr quint32 Red = 0x0000FF;

bool picksLabels(MeasurementKind kind)
{
    return kind == MeasurementKind::Circle || kind == MeasurementKind::CircleToCircle
           || kind == MeasurementKind::PointGroup || kind == MeasurementKind::TextNote;
}

}  // namespace

MeasurementLabel::MeasurementLabel(QWidget *parent)
    : QLabel(parent)
{
    setAutoFillBackground(false);
    setTextFormat(Qt::PlainText);
}

void MeasurementLabel::mousePressEvent(QMouseEvent *event)
{
    Q_EMIT mouseDown(this, event);
}

void MeasurementLabel::mouseMoveEvent(QMouseEvent *event)
{
    Q_EMIT mouseMove(this, event);
}

void MeasurementLabel::mouseReleaseEvent(QMouseEvent *event)
{
    Q_EMIT mouseUp(this, event);
}

quint32 labelColor(const QLabel &label)
{
    return toTColor(label.palette().color(QPalette::WindowText));
}

void setLabelColor(QLabel &label, quint32 color)
{
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, fromTColor(color));
    label.setPalette(palette);
}

LabelsController::LabelsController(MainState &state, Dialogs &dialogs, const LabelWidgets &widgets,
                                   Dataset &qryMeasure, Dataset &qryX, QObject *parent)
    : QObject(parent)
    , m_state(state)
    , m_dialogs(dialogs)
    , m_w(widgets)
    , m_qryMeasure(qryMeasure)
    , m_qryX(qryX)
{
}

int LabelsController::dragState() const
{
    return m_w.Label58->property("tag").toInt();
}

void LabelsController::setDragState(int state)
{
    m_w.Label58->setProperty("tag", state);
}

MeasurementLabel *LabelsController::makeLabel(const QString &caption, int tag, int x, int y, int pointSize,
                                              quint32 color)
{
    auto *label = new MeasurementLabel(m_w.content);
    label->setTag(tag);
    label->setObjectName(QStringLiteral("mlbMeasure%1").arg(tag, 4, 10, QLatin1Char('0')));
    label->setText(caption);
    QFont font = m_w.window->font();
    font.setFamily(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    if (pointSize > 0)
        font.setPointSize(pointSize);
    label->setFont(font);
    setLabelColor(*label, color);
    label->adjustSize();
    // Labels live in the content's coordinates, so the anchor does not depend on scrolling.
    label->move(x, y);
    label->show();
    label->raise();
    connect(label, &MeasurementLabel::mouseDown, this, &LabelsController::labelMouseDown);
    connect(label, &MeasurementLabel::mouseMove, this, &LabelsController::labelMouseMove);
    connect(label, &MeasurementLabel::mouseUp, this, &LabelsController::labelMouseUp);
    return label;
}

MeasurementLabel *LabelsController::createLabel(const MeasurementObject &m, const QString &caption)
{
    m_lastLabel = makeLabel(caption, m_qryMeasure.recordCount(), m.LabelX, m.LabelY, m_w.Panel19->font().pointSize(),
                            labelColor(*m_w.Panel19));
    return m_lastLabel;
}

MeasurementLabel *LabelsController::createStoredLabel(const MeasurementObject &m, const QString &caption, int tag)
{
    const bool selected = tag >= 0 && tag < int(m_state.LabelSelected.size()) && m_state.LabelSelected[tag];
    return makeLabel(caption, tag, m.LabelX, m.LabelY, m.LabelSize, selected ? Red : m.Color);
}

void LabelsController::labelMouseDown(MeasurementLabel *label, QMouseEvent *event)
{
    m_dragOrigin = event->position().toPoint();
    m_qryMeasure.locate(QStringLiteral("rIndex"), label->tag());
    if (event->button() != Qt::LeftButton)
        return;
    if (m_w.cbCaculate->isChecked()) {
        toggleSelection(label);
        return;
    }
    const MeasurementKind kind = m_state.clicks.CurrentKind;
    if (picksLabels(kind)) {
        if (kind == MeasurementKind::CircleToCircle)
            setDragState(PickedByCircleToCircle);
        if (onPick && !m_qryMeasure.isEmpty())
            onPick(measurementFromRow(m_qryMeasure), label);
        return;
    }
    setDragState(Armed);
}

void LabelsController::labelMouseMove(MeasurementLabel *label, QMouseEvent *event)
{
    if (!m_w.cbMoveLabel->isChecked() || dragState() != Armed)
        return;
    const QPoint at = event->position().toPoint();
    label->move(label->pos() + at - m_dragOrigin);
}

void LabelsController::labelMouseUp(MeasurementLabel *label, QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        QFont font = label->font();
        if (m_dialogs.chooseFont(m_w.window, font)) {
            label->setFont(font);
            label->adjustSize();
            storePlacement(label);
        }
        return;
    }
    if (m_w.cbMoveLabel->isChecked() && dragState() == Armed)
        storePlacement(label);
    setDragState(Idle);
}

void LabelsController::storePlacement(MeasurementLabel *label)
{
    if (m_qryMeasure.isEmpty())
        return;
    try {
        storeLabelPlacement(m_qryX, m_qryMeasure.text(QStringLiteral("OperNo")), m_qryMeasure.text(QStringLiteral("RecID")),
                            m_qryMeasure.integer(QStringLiteral("OBJIndex")), label->x(), label->y(),
                            label->font().pointSize(), labelColor(*label));
    } catch (const DatabaseError &e) {
        m_dialogs.error(m_w.window, e.message());
    }
}

void LabelsController::toggleSelection(MeasurementLabel *label)
{
    const int tag = label->tag();
    // The selection table has 1000 entries; later measurements cannot take part in the statistic.
    if (tag < 0 || tag >= int(m_state.LabelSelected.size()) || m_qryMeasure.isEmpty())
        return;
    if (m_state.LabelSelected[tag]) {
        m_state.LabelSelected[tag] = 0;
        m_state.LabelSelectedValue[tag] = 0;
        --m_state.SelectedCount;
        setLabelColor(*label, quint32(m_qryMeasure.field(QStringLiteral("Color")).toLongLong()));
    } else {
        m_state.LabelSelected[tag] = 1;
        m_state.LabelSelectedValue[tag] = m_qryMeasure.number(QStringLiteral("Val4")) * m_state.UnitFactor;
        ++m_state.SelectedCount;
        setLabelColor(*label, Red);
    }
    Q_EMIT selectionChanged();
}

void LabelsController::autoLabelColour()
{
    if (!m_w.cbAutoFont->isChecked() || !m_lastLabel)
        return;
    const QImage &clean = m_w.imgTemp->picture();
    const int x = m_lastLabel->x() + 1;
    const int y = m_lastLabel->y() + 1;
    if (!clean.valid(x, y))
        return;
    const uchar *p = clean.constScanLine(y) + 3 * x;
    const int luminance = int(std::trunc(0.299 * p[2] + 0.587 * p[1] + 0.114 * p[0]));
    const quint32 color = luminance > 127 ? 0 : 0xFFFFFF;
    setLabelColor(*m_w.Panel19, color);
    setLabelColor(*m_lastLabel, color);
}

void LabelsController::bbtClearLabelClick()
{
    const QObjectList children = m_w.content->children();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        QObject *child = *it;
        if (child->isWidgetType() && child->objectName().left(10) == QLatin1String("mlbMeasure"))
            delete child;
    }
}
