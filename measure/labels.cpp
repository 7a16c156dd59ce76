#include "measure/labels.h"

#include <algorithm>
#include <cmath>

#include <QCheckBox>
#include <QHash>
#include <QMouseEvent>

#include "base/color.h"
#include "calibration/scalevalues.h"
#include "display/pictures.h"
#include "measure/kinds.h"
#include "measure/measurementlabel.h"
#include "measure/measuringstate.h"
#include "records/dataset.h"
#include "records/labelselection.h"
#include "records/measurementstore.h"
#include "ui/dialogs.h"
#include "ui/guarded.h"

namespace {

constexpr quint32 Red = 0x0000FF;

bool picksLabels(MeasurementKind kind)
{
    return kind == MeasurementKind::Circle || kind == MeasurementKind::CircleToCircle
           || kind == MeasurementKind::PointGroup || kind == MeasurementKind::TextNote;
}

}  // namespace

LabelsController::LabelsController(LabelSelection &selection, const MeasuringState &measuring,
                                   const ScaleValues &scale, const Pictures &pictures, Dataset &qryMeasure,
                                   Dataset &qryX, Dialogs &dialogs, const LabelWidgets &widgets, QObject *parent)
    : QObject(parent)
    , m_selection(selection)
    , m_measuring(measuring)
    , m_scale(scale)
    , m_pictures(pictures)
    , m_qryMeasure(qryMeasure)
    , m_qryX(qryX)
    , m_dialogs(dialogs)
    , m_w(widgets)
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

bool LabelsController::listHasRows() const
{
    return m_qryMeasure.isOpen() && !m_qryMeasure.isEmpty();
}

MeasurementLabel *LabelsController::makeLabel(const QString &caption, int tag, int x, int y, int pointSize,
                                              quint32 color)
{
    auto *label = new MeasurementLabel(m_w.content);
    setUpLabel(*label, caption, tag, x, y, pointSize, color);
    label->show();
    label->raise();
    connect(label, &MeasurementLabel::mouseDown, this, &LabelsController::labelMouseDown);
    connect(label, &MeasurementLabel::mouseMove, this, &LabelsController::labelMouseMove);
    connect(label, &MeasurementLabel::mouseUp, this, &LabelsController::labelMouseUp);
    return label;
}

void LabelsController::setUpLabel(MeasurementLabel &label, const QString &caption, int tag, int x, int y,
                                  int pointSize, quint32 color) const
{
    label.setTag(tag);
    const QString name = QStringLiteral("mlbMeasure%1").arg(tag, 4, 10, QLatin1Char('0'));
    if (label.objectName() != name)
        label.setObjectName(name);
    QFont font = m_w.window->font();
    font.setFamily(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    if (pointSize > 0)
        font.setPointSize(pointSize);
    // Unchanged text and font keep the label's size: laying a text out is what a label costs most.
    label.setText(caption);
    if (label.font() != font)
        label.setFont(font);
    if (labelColor(label) != color)
        setLabelColor(label, color);
    label.adjustSize();
    // Labels live in the content's coordinates, so the anchor does not depend on scrolling.
    label.move(x, y);
}

quint32 LabelsController::storedColour(const MeasurementObject &m, int tag) const
{
    return m_selection.isSelected(tag) ? Red : m.Color;
}

std::vector<MeasurementLabel *> LabelsController::resultLabels() const
{
    std::vector<MeasurementLabel *> labels;
    for (QObject *child : m_w.content->children()) {
        auto *label = qobject_cast<MeasurementLabel *>(child);
        if (label && label->objectName().left(10) == QLatin1String("mlbMeasure"))
            labels.push_back(label);
    }
    return labels;
}

LabelsController::StoredLabels::StoredLabels(LabelsController &labels)
    : m_labels(labels)
{
    // Each row mostly gets the label of its own tag back, with the same text and size.
    std::vector<MeasurementLabel *> old = labels.resultLabels();
    std::stable_sort(old.begin(), old.end(), [](auto *a, auto *b) { return a->tag() < b->tag(); });
    m_old.assign(old.begin(), old.end());
    labels.m_lastLabel = nullptr;
}

LabelsController::StoredLabels::~StoredLabels()
{
    for (std::size_t i = m_used; i < m_old.size(); ++i)
        delete m_old[i].data();
}

MeasurementLabel *LabelsController::StoredLabels::place(const MeasurementObject &m, const QString &caption, int tag)
{
    const quint32 colour = m_labels.storedColour(m, tag);
    while (m_used < m_old.size()) {
        MeasurementLabel *label = m_old[m_used++].data();
        if (!label)
            continue;
        m_labels.setUpLabel(*label, caption, tag, m.LabelX, m.LabelY, m.LabelSize, colour);
        return label;
    }
    return m_labels.makeLabel(caption, tag, m.LabelX, m.LabelY, m.LabelSize, colour);
}

MeasurementLabel *LabelsController::createLabel(const MeasurementObject &m, const QString &caption)
{
    m_lastLabel = makeLabel(caption, m.rIndex, m.LabelX, m.LabelY, m_w.Panel19->font().pointSize(),
                            labelColor(*m_w.Panel19));
    return m_lastLabel;
}

void LabelsController::labelMouseDown(MeasurementLabel *label, QMouseEvent *event)
{
    guarded(m_dialogs, m_w.window, [&] { pressed(label, event); });
}

void LabelsController::pressed(MeasurementLabel *label, QMouseEvent *event)
{
    m_dragOrigin = event->position().toPoint();
    const bool onRow = listHasRows();
    // A tag the list does not hold leaves it on whatever row is current.
    if (onRow)
        m_qryMeasure.locate(QStringLiteral("rIndex"), label->tag());
    if (event->button() != Qt::LeftButton)
        return;
    if (m_w.cbCaculate->isChecked()) {
        if (onRow)
            toggleSelection(label);
        return;
    }
    const MeasurementKind kind = m_measuring.clicks.CurrentKind;
    if (picksLabels(kind)) {
        if (kind == MeasurementKind::CircleToCircle)
            setDragState(PickedByCircleToCircle);
        if (onRow)
            Q_EMIT picked(measurementFromRow(m_qryMeasure), label);
        return;
    }
    setDragState(Armed);
}

void LabelsController::labelMouseMove(MeasurementLabel *label, QMouseEvent *event)
{
    guarded(m_dialogs, m_w.window, [&] {
        if (!m_w.cbMoveLabel->isChecked() || dragState() != Armed)
            return;
        const QPoint at = event->position().toPoint();
        label->move(label->pos() + at - m_dragOrigin);
    });
}

void LabelsController::labelMouseUp(MeasurementLabel *label, QMouseEvent *event)
{
    guarded(m_dialogs, m_w.window, [&] { released(label, event); });
}

void LabelsController::released(MeasurementLabel *label, QMouseEvent *event)
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
    // The drag state goes back to idle even when storing fails.
    const bool store = m_w.cbMoveLabel->isChecked() && dragState() == Armed;
    setDragState(Idle);
    if (store)
        storePlacement(label);
}

void LabelsController::storePlacement(MeasurementLabel *label)
{
    // The keys are those of the list's current row, the one the press located.
    if (!listHasRows())
        return;
    storeLabelPlacement(m_qryX, m_qryMeasure.text(QStringLiteral("OperNo")), m_qryMeasure.text(QStringLiteral("RecID")),
                        m_qryMeasure.integer(QStringLiteral("OBJIndex")), label->x(), label->y(),
                        label->font().pointSize(), labelColor(*label));
}

void LabelsController::toggleSelection(MeasurementLabel *label)
{
    const int tag = label->tag();
    // The selection table has its fixed size; later measurements cannot take part in the statistic.
    if (!LabelSelection::fits(tag))
        return;
    const auto i = std::size_t(tag);
    if (m_selection.LabelSelected[i]) {
        m_selection.LabelSelected[i] = 0;
        m_selection.LabelSelectedValue[i] = 0;
        --m_selection.SelectedCount;
        setLabelColor(*label, quint32(m_qryMeasure.field(QStringLiteral("Color")).toLongLong()));
    } else {
        m_selection.LabelSelected[i] = 1;
        m_selection.LabelSelectedValue[i] = m_qryMeasure.number(QStringLiteral("Val4")) * m_scale.UnitFactor;
        ++m_selection.SelectedCount;
        setLabelColor(*label, Red);
    }
    Q_EMIT selectionChanged();
}

void LabelsController::clearSelection()
{
    // The stored colour of every picked measurement, read from the list in one pass.
    QHash<int, quint32> stored;
    for (int row = 0; m_qryMeasure.isOpen() && row < m_qryMeasure.recordCount(); ++row) {
        const int tag = m_qryMeasure.value(row, QStringLiteral("rIndex")).toInt();
        if (m_selection.isSelected(tag) && !stored.contains(tag))
            stored.insert(tag, quint32(m_qryMeasure.value(row, QStringLiteral("Color")).toLongLong()));
    }
    for (MeasurementLabel *label : m_w.content->findChildren<MeasurementLabel *>(Qt::FindDirectChildrenOnly)) {
        if (const auto colour = stored.constFind(label->tag()); colour != stored.cend())
            setLabelColor(*label, *colour);
    }
    m_selection.LabelSelected.fill(0);
    m_selection.LabelSelectedValue.fill(0);
    m_selection.SelectedCount = 0;
}

void LabelsController::autoLabelColour()
{
    guarded(m_dialogs, m_w.window, [this] { pickLabelColour(); });
}

void LabelsController::pickLabelColour()
{
    if (!m_w.cbAutoFont->isChecked() || !m_lastLabel)
        return;
    const int x = m_lastLabel->x() + 1;
    const int y = m_lastLabel->y() + 1;
    if (!QRect(QPoint(0, 0), m_pictures.cleanSize()).contains(x, y))
        return;
    const TColor p = m_pictures.cleanPixel(x, y);
    const int luminance = int(std::trunc(0.299 * (p & 0xFF) + 0.587 * ((p >> 8) & 0xFF) + 0.114 * ((p >> 16) & 0xFF)));
    const quint32 color = luminance > 127 ? 0 : 0xFFFFFF;
    setLabelColor(*m_w.Panel19, color);
    setLabelColor(*m_lastLabel, color);
}

void LabelsController::bbtClearLabelClick()
{
    guarded(m_dialogs, m_w.window, [this] { clearLabels(); });
}

void LabelsController::clearLabels()
{
    const QObjectList children = m_w.content->children();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        QObject *child = *it;
        if (child->isWidgetType() && child->objectName().left(10) == QLatin1String("mlbMeasure"))
            delete child;
    }
}
