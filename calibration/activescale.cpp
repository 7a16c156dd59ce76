#include "calibration/activescale.h"

#include <cmath>
#include <utility>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>

#include "calibration/scalemath.h"
#include "calibration/scalevalues.h"
#include "display/picturerefresh.h"
#include "records/currentworkorder.h"
#include "records/dataset.h"
#include "records/datasets.h"
#include "records/sqlcatalogue.h"
#include "records/workorderquery.h"
#include "ui/dialogs.h"
#include "ui/grids.h"
#include "ui/guarded.h"
#include "ui/shape.h"

namespace {

QString currentText(const Dataset &dataset, const QString &field)
{
    return dataset.isOpen() && !dataset.isEmpty() ? dataset.text(field) : QString();
}

}  // namespace

ActiveScaleController::ActiveScaleController(ScaleValues &scale, const CurrentWorkOrder &workOrder,
                                             WorkOrderQuery &workOrderQuery, PictureRefresh &pictureRefresh,
                                             const Datasets &datasets, Dialogs &dialogs, const ScaleBoxWidgets &box,
                                             const GaugeWidgets &gauge, const UnitCaptions &captions, QObject *parent)
    : QObject(parent)
    , m_scale(scale)
    , m_workOrder(workOrder)
    , m_workOrderQuery(workOrderQuery)
    , m_pictureRefresh(pictureRefresh)
    , m_d(datasets)
    , m_dialogs(dialogs)
    , m_box(box)
    , m_gauge(gauge)
    , m_posX(captions.posX)
    , m_posY(captions.posY)
{
    for (QLabel *label : captions.others)
        m_otherCaptions.append(label);
    // Programmatic changes of the lists (refills, following the scale unit) must not run the
    // operator's reactions, so only activation counts.
    connect(m_box.cbScaleSet, &QComboBox::activated, this, &ActiveScaleController::cbScaleSetChange);
    connect(m_box.cbUnitSet, &QComboBox::activated, this, &ActiveScaleController::cbUnitSetChange);
    connect(m_box.dbedUnitName, &QLineEdit::textChanged, this, &ActiveScaleController::dbedUnitNameChange);
    connect(m_box.bbtChangeUnitSet, &QPushButton::clicked, this, &ActiveScaleController::bbtChangeUnitSetClick);
    // The active set is qryScaleSet's current row, however it moves.
    Dataset *scales = m_d.qryScaleSet.get();
    connect(scales, &Dataset::afterScroll, this, &ActiveScaleController::showActiveUnitCode);
    for (auto signal : {&Dataset::afterScroll, &Dataset::afterOpen, &Dataset::afterPost})
        connect(scales, signal, this, &ActiveScaleController::takeScaleFromRow);
    connect(m_d.qryMeasure.get(), &Dataset::afterPost, this, &ActiveScaleController::takeScaleFromRow);
}

std::array<QWidget *, 5> ActiveScaleController::gaugeControls() const
{
    return {m_gauge.spUnit0, m_gauge.spUnit50, m_gauge.lbUnit0, m_gauge.lbUnit100, m_gauge.lbUnit};
}

void ActiveScaleController::setGaugeVisible(bool visible)
{
    for (QWidget *w : gaugeControls())
        w->setVisible(visible);
}

void ActiveScaleController::cbScaleSetChange()
{
    guarded(m_dialogs, m_box.gbScaleBox, [this] { chooseScaleSet(); });
}

void ActiveScaleController::chooseScaleSet()
{
    // Moving the row takes its scale and may change the scale unit field, which then brings the
    // display unit along.
    Dataset &scales = *m_d.qryScaleSet;
    scales.locate(QStringLiteral("ScaleName"), m_box.cbScaleSet->currentText());
    if (!m_activeSet.isEmpty() && !rowScaleRefusal().isEmpty()) {
        // Refused as the row was reached; the set in force stays chosen, in the list as well.
        scales.locate(QStringLiteral("ScaleName"), m_activeSet);
        showInList(m_box.cbScaleSet, m_activeSet);
        return;
    }
    setReadOutCaptions(m_box.cbUnitSet->currentText());
    updateUnitFactor();
    Q_EMIT scaleSetChosen();
    takeScaleFromRow();
    m_activeSet = m_box.cbScaleSet->currentText();
    // A failed record is reported there; the values computed so far stand, and the gauge shows them.
    guarded(m_dialogs, m_box.gbScaleBox, [this] { recordScale(); });
    updateGauge();
}

void ActiveScaleController::cbUnitSetChange()
{
    guarded(m_dialogs, m_box.gbScaleBox, [this] { chooseDisplayUnit(); });
}

void ActiveScaleController::chooseDisplayUnit()
{
    const QString unitName = m_box.cbUnitSet->currentText();
    Dataset &units = *m_d.qryUnitSet;
    if (units.isOpen() && units.locate(QStringLiteral("UnitName"), unitName)) {
        if (const QString refusal = unitLengthRefusal(units.number(QStringLiteral("mValue"))); !refusal.isEmpty()) {
            showInList(m_box.cbUnitSet, m_displayUnit);
            throw ProgramError(refusal);
        }
    }
    updateUnitFactor();
    updateGauge();
    setReadOutCaptions(unitName);
    for (const QPointer<QLabel> &caption : std::as_const(m_otherCaptions)) {
        if (caption)
            caption->setText(unitName);
    }
    m_pictureRefresh.RedrawPicture();
}

void ActiveScaleController::dbedUnitNameChange()
{
    guarded(m_dialogs, m_box.gbScaleBox, [this] { followScaleUnit(); });
}

void ActiveScaleController::followScaleUnit()
{
    const QString unitName = currentText(*m_d.qryScaleSet, QStringLiteral("UnitName"));
    // Case-insensitive, as the list's own look-up; a name missing from the list leaves it as it is.
    const int entry = m_box.cbUnitSet->findText(unitName, Qt::MatchFixedString);
    if (entry >= 0)
        m_box.cbUnitSet->setCurrentIndex(entry);
    updateUnitFactor();
}

void ActiveScaleController::bbtChangeUnitSetClick()
{
    guarded(m_dialogs, m_box.gbScaleBox, [this] { recordScale(); });
}

void ActiveScaleController::recordScale()
{
    // Reopening qryTitle runs the work order selection, which may select the scale set again;
    // recording once is enough.
    if (m_recording)
        return;
    const QScopedValueRollback<bool> recording(m_recording, true);
    const QString operNo = m_workOrder.number();
    m_d.qryX->run(Sql::TitleScale, {{QStringLiteral("_UnitName"), m_box.dbedUnitName->text()},
                                    {QStringLiteral("_ScaleName"), m_box.cbScaleSet->currentText()},
                                    {QStringLiteral("_ScaleX"), m_scale.ScaleX},
                                    {QStringLiteral("_ScaleY"), m_scale.ScaleY},
                                    {QStringLiteral("_OperNo"), operNo}});
    m_workOrderQuery.reopenWorkOrders(operNo);
    m_workOrderQuery.btQryOperNoClick();
}

QString ActiveScaleController::rowScaleRefusal() const
{
    const Dataset &scales = *m_d.qryScaleSet;
    if (!scales.isOpen())
        return QString();
    const QString x = scaleRefusal(QStringLiteral("X"), scales.number(QStringLiteral("X_Length")),
                                   scales.number(QStringLiteral("X_Pixel")));
    return x.isEmpty() ? scaleRefusal(QStringLiteral("Y"), scales.number(QStringLiteral("Y_Length")),
                                      scales.number(QStringLiteral("Y_Pixel")))
                       : x;
}

void ActiveScaleController::takeScaleFromRow()
{
    const Dataset &scales = *m_d.qryScaleSet;
    if (!scales.isOpen())
        return;
    if (const QString refusal = rowScaleRefusal(); !refusal.isEmpty()) {
        // Shown here rather than thrown: the operation that moved the row goes on with the scale in
        // force, which keeps every length finite.
        if (refusal != m_lastRefusal)
            m_dialogs.error(m_box.gbScaleBox, refusal);
        m_lastRefusal = refusal;
        return;
    }
    m_lastRefusal.clear();
    m_scale.ScaleX = scaleFactor(scales.number(QStringLiteral("X_Length")), scales.number(QStringLiteral("X_Pixel")));
    m_scale.ScaleY = scaleFactor(scales.number(QStringLiteral("Y_Length")), scales.number(QStringLiteral("Y_Pixel")));
}

void ActiveScaleController::updateUnitFactor()
{
    Dataset &units = *m_d.qryUnitSet;
    if (!units.isOpen())
        return;
    // The look-ups move qryUnitSet; a display unit that names no row leaves the scale unit's row
    // current, so its length is used for both.
    units.locate(QStringLiteral("UnitCode"), currentText(*m_d.qryScaleSet, QStringLiteral("S.UnitCode")));
    m_scale.ScaleUnitLength = units.number(QStringLiteral("mValue"));
    units.locate(QStringLiteral("UnitName"), m_box.cbUnitSet->currentText());
    m_scale.DisplayUnitLength = units.number(QStringLiteral("mValue"));
    m_scale.UnitFactor = unitFactor(m_scale.ScaleUnitLength, m_scale.DisplayUnitLength, m_scale.UnitFactor);
    m_displayUnit = m_box.cbUnitSet->currentText();
}

void ActiveScaleController::updateGauge()
{
    m_gauge.lbUnit100->setText(gaugeCaption(m_scale.ScaleX, m_scale.UnitFactor));
    m_gauge.lbUnit->setText(gaugeUnitCaption(m_box.cbUnitSet->currentText()));
    placeGaugeCaptions(m_gauge);
}

void ActiveScaleController::showActiveUnitCode()
{
    const QString code = currentText(*m_d.qryScaleSet, QStringLiteral("S.UnitCode"));
    if (m_box.dbedUnitName->text() != code)
        m_box.dbedUnitName->setText(code);
}

void ActiveScaleController::setReadOutCaptions(const QString &unitName)
{
    for (QLabel *caption : {m_posX.data(), m_posY.data()}) {
        if (caption)
            caption->setText(unitName);
    }
}

void ActiveScaleController::useScaleSetOf(const QString &scaleName)
{
    // The locate takes the set's scale and unit as any move of the row does; a set that no longer
    // exists is not found, and the one in force stays, in the list as well.
    Dataset &scales = *m_d.qryScaleSet;
    if (scales.isOpen() && scales.locate(QStringLiteral("ScaleName"), scaleName)) {
        const QString name = scales.text(QStringLiteral("ScaleName"));
        showInList(m_box.cbScaleSet, name);
        if (rowScaleRefusal().isEmpty())
            m_activeSet = name;
    }
    setReadOutCaptions(m_box.cbUnitSet->currentText());
    takeScaleFromRow();
    updateUnitFactor();
    updateGauge();
}

void ActiveScaleController::useWorkOrderScale(double scaleX, double scaleY)
{
    // A title written with a zero scale (a set of length 0) would show every length as 0.
    if (!(std::isfinite(scaleX) && scaleX > 0 && std::isfinite(scaleY) && scaleY > 0))
        return;
    m_scale.ScaleX = scaleX;
    m_scale.ScaleY = scaleY;
}

QString ActiveScaleController::displayUnitName() const
{
    return m_box.cbUnitSet->currentText();
}
