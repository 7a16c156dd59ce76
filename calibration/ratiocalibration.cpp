#include "calibration/ratiocalibration.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "base/numberformat.h"
#include "base/numberparse.h"
#include "base/programerror.h"
#include "calibration/activescale.h"
#include "calibration/ratiomath.h"
#include "calibration/unitscale.h"
#include "records/dataset.h"
#include "records/datasets.h"
#include "records/sqlcatalogue.h"
#include "ui/dialogs.h"
#include "ui/guarded.h"

namespace {

QString axisName(RatioCalibrationController::Axis axis)
{
    return axis == RatioCalibrationController::Axis::X ? QStringLiteral("X") : QStringLiteral("Y");
}

QString fourDecimals(double value)
{
    return formatFloat(QStringLiteral("0.0000"), value);
}

// The focus comes into a field by the operator's doing, not back from a message box that a step
// of the field itself showed.
bool enteredByOperator(const QFocusEvent &event)
{
    switch (event.reason()) {
    case Qt::MouseFocusReason:
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
    case Qt::OtherFocusReason:
        return true;
    default:
        return false;
    }
}

}  // namespace

RatioCalibrationController::RatioCalibrationController(ActiveScaleController &activeScale,
                                                       UnitScaleController &unitScale, const Datasets &datasets,
                                                       Dialogs &dialogs, const RatioCalibrationWidgets &widgets,
                                                       QObject *parent)
    : QObject(parent)
    , m_activeScale(activeScale)
    , m_unitScale(unitScale)
    , m_d(datasets)
    , m_dialogs(dialogs)
    , m_w(widgets)
{
    // Only the operator's tick asks; a box closed by code just closes.
    connect(m_w.cbRatioSetup, &QCheckBox::clicked, this, &RatioCalibrationController::cbRatioSetupClick);
    connect(m_w.x.bbtSave, &QPushButton::clicked, this, &RatioCalibrationController::bbtRatioXSaveClick);
    connect(m_w.y.bbtSave, &QPushButton::clicked, this, &RatioCalibrationController::bbtRatioYSaveClick);
    connect(&m_activeScale, &ActiveScaleController::scaleSetChosen, this, [this] {
        guarded(m_dialogs, m_w.window, [this] { fillFromActiveSet(); });
    });
    m_w.x.edLength->installEventFilter(this);
    m_w.y.edLength->installEventFilter(this);
    openBox(m_w.cbRatioSetup->isChecked());
}

bool RatioCalibrationController::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn && enteredByOperator(*static_cast<QFocusEvent *>(event))) {
        if (watched == m_w.x.edLength)
            edLengthXEnter();
        else if (watched == m_w.y.edLength)
            edLengthYEnter();
    }
    return QObject::eventFilter(watched, event);
}

bool RatioCalibrationController::isOpen() const
{
    return m_w.cbRatioSetup->isChecked();
}

void RatioCalibrationController::openBox(bool open)
{
    m_w.x.group->setVisible(open);
    m_w.y.group->setVisible(open);
}

void RatioCalibrationController::cbRatioSetupClick()
{
    guarded(m_dialogs, m_w.window, [this] {
        if (!isOpen()) {
            openBox(false);
            return;
        }
        if (!m_dialogs.confirm(m_w.window, QStringLiteral("確定要校正倍率嗎？"), QStringLiteral("確認"),
                               Dialogs::Icon::Question)) {
            m_w.cbRatioSetup->setChecked(false);
            openBox(false);
            return;
        }
        fillFromActiveSet();
        openBox(true);
    });
}

void RatioCalibrationController::fillFromActiveSet()
{
    const Dataset &scales = *m_d.qryScaleSet;
    if (!isOpen() || !scales.isOpen() || scales.isEmpty())
        return;
    const QString unit = scales.text(QStringLiteral("UnitName"));
    for (Axis axis : {Axis::X, Axis::Y}) {
        const RatioAxisWidgets &w = widgets(axis);
        const QString prefix = axisName(axis);
        w.lbUnit->setText(unit);
        w.edLength->setText(formatFloat(QStringLiteral("0.000"), scales.number(prefix + QStringLiteral("_Length"))));
        w.edPixel->setText(pixelCountText(scales.number(prefix + QStringLiteral("_Pixel"))));
        // A set not calibrated yet (0 pixels) has no ratio to show; an old one would mislead.
        const AxisReading shown = readCalibrationAxis(prefix, w.edLength->text(), w.edPixel->text());
        w.edRatio->setText(shown.ok() ? ratioText(shown.length, shown.pixels) : QString());
    }
}

void RatioCalibrationController::edLengthXEnter()
{
    guarded(m_dialogs, m_w.window, [this] { enterLength(m_w.x, QStringLiteral("X")); });
}

void RatioCalibrationController::edLengthYEnter()
{
    guarded(m_dialogs, m_w.window, [this] { enterLength(m_w.y, QStringLiteral("Y")); });
}

void RatioCalibrationController::enterLength(const RatioAxisWidgets &axis, const QString &name)
{
    if (axis.edPixel->text().isEmpty())
        axis.edPixel->setText(QStringLiteral("1"));
    const AxisReading reading = readCalibrationAxis(name, axis.edLength->text(), axis.edPixel->text());
    if (!reading.ok())
        throw ProgramError(reading.error);
    axis.edRatio->setText(ratioText(reading.length, reading.pixels));
}

void RatioCalibrationController::spanMeasured(MeasurementKind kind, double pixels)
{
    guarded(m_dialogs, m_w.window, [&] {
        if (!isOpen() || (kind != MeasurementKind::Width && kind != MeasurementKind::Height))
            return;
        const Axis axis = kind == MeasurementKind::Width ? Axis::X : Axis::Y;
        const RatioAxisWidgets &w = widgets(axis);
        const ParsedNumber<double> length = parseFloat(w.edLength->text());
        if (!length.ok())
            throw ProgramError(length.error);
        if (pixels == 0)
            throw ProgramError(axisName(axis) + QStringLiteral("軸像數不可為零!"));
        w.edPixel->setText(pixelCountText(pixels));
        w.edRatio->setText(ratioText(length.value, pixels));
    });
}

void RatioCalibrationController::bbtRatioXSaveClick()
{
    guarded(m_dialogs, m_w.window, [this] { save(Axis::X); });
}

void RatioCalibrationController::bbtRatioYSaveClick()
{
    guarded(m_dialogs, m_w.window, [this] { save(Axis::Y); });
}

void RatioCalibrationController::save(Axis from)
{
    const RatioAxisWidgets &source = widgets(from);
    const RatioAxisWidgets &copy = widgets(from == Axis::X ? Axis::Y : Axis::X);
    const AxisReading reading = readCalibrationAxis(axisName(from), source.edLength->text(), source.edPixel->text());
    if (!reading.ok()) {
        source.edPixel->setFocus(Qt::OtherFocusReason);
        throw ProgramError(reading.error);
    }
    // Square pixels: the other axis is the same span rounded to four decimals, which must still
    // be a scale (a length below 0.00005 would round to none).
    const AxisReading copied = readCalibrationAxis(axisName(from == Axis::X ? Axis::Y : Axis::X),
                                                   fourDecimals(reading.length), fourDecimals(reading.pixels));
    if (!copied.ok())
        throw ProgramError(copied.error);
    // The ratio shown follows the fields as saved, even when the length was typed after entering.
    source.edRatio->setText(ratioText(reading.length, reading.pixels));
    copy.edLength->setText(fourDecimals(reading.length));
    copy.edPixel->setText(fourDecimals(reading.pixels));
    copy.edRatio->setText(fourDecimals(reading.length / reading.pixels));
    const double copiedLength = copied.length;
    const double copiedPixels = copied.pixels;
    const bool fromX = from == Axis::X;
    m_d.qryX->run(Sql::ScaleCalibrate, {{QStringLiteral("_X_Length"), fromX ? reading.length : copiedLength},
                                        {QStringLiteral("_X_Pixel"), fromX ? reading.pixels : copiedPixels},
                                        {QStringLiteral("_Y_Length"), fromX ? copiedLength : reading.length},
                                        {QStringLiteral("_Y_Pixel"), fromX ? copiedPixels : reading.pixels},
                                        {QStringLiteral("_ScaleName"), m_activeScale.scaleSetList()->currentText()}});
    m_unitScale.refreshScaleSetTable();
    m_activeScale.recordScale();
}
