#include "automeasure/hardnesscontroller.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>

#include "automeasure/brinell.h"
#include "automeasure/iso6506.h"
#include "base/numberformat.h"
#include "base/numberparse.h"
#include "measure/kinds.h"
#include "measure/measuring.h"
#include "ui/guarded.h"

namespace {

// A check that fails is shown in red beside the result, never left out.
void showCheck(QLabel *label, const QString &text, bool within)
{
    label->setText(text);
    label->setProperty("outside", !within);
    label->setStyleSheet(within ? QString() : QStringLiteral("color: #c00000;"));
}

void clearCheck(QLabel *label)
{
    showCheck(label, QString(), true);
}

} // namespace

HardnessController::HardnessController(MeasuringController &measuring, Dialogs &dialogs,
                                       const HardnessWidgets &widgets, QObject *parent)
    : QObject(parent)
    , m_measuring(measuring)
    , m_dialogs(dialogs)
    , m_w(widgets)
{
    const BrinellWidgets &b = m_w.brinell;
    connect(b.bbtCalBrinell, &QPushButton::clicked, this, &HardnessController::bbtCalBrinellClick);
    connect(b.bbtAvgRadus, &QPushButton::clicked, this, &HardnessController::bbtAvgRadusClick);
    connect(b.edVideoLineR, &QLineEdit::textChanged, this, &HardnessController::edVideoLineRChange);
    // A diameter typed over the mean of the two diameters is no longer their mean.
    connect(b.eddd, &QLineEdit::textEdited, this, [this] { m_source = Source::Other; });
}

void HardnessController::attachMenu(QAction *mmHardness)
{
    m_mmHardness = mmHardness;
    connect(mmHardness, &QAction::triggered, this, &HardnessController::mmHardnessClick);
}

void HardnessController::leaveOffAtStart()
{
    if (m_mmHardness && m_mmHardness->isChecked())
        m_mmHardness->trigger();
}

void HardnessController::mmHardnessClick(bool checked)
{
    guarded(m_dialogs, m_w.window, [&] {
        m_w.plPC5->setCurrentWidget(checked ? m_w.plHardTest : m_w.plMeasure);
        if (checked)
            m_measuring.selectKind(kindIndex(MeasurementKind::Circle));
    });
}

void HardnessController::bbtCalBrinellClick()
{
    guarded(m_dialogs, m_w.window, [this] { calculate(); });
}

void HardnessController::bbtAvgRadusClick()
{
    guarded(m_dialogs, m_w.window, [this] { averageRadius(); });
}

void HardnessController::edVideoLineRChange(const QString &text)
{
    guarded(m_dialogs, m_w.window, [&] {
        // Typing passes through texts that are no number yet ("", "1."): the diameter waits for one.
        const auto radius = parseFloat(text);
        if (!radius.ok())
            return;
        m_w.brinell.eddd->setText(floatToText(2 * radius.value));
        m_source = Source::Other;
    });
}

void HardnessController::setDiameter(const QString &text, Source source)
{
    m_w.brinell.eddd->setText(text);
    m_source = source;
}

void HardnessController::averageRadius()
{
    const BrinellWidgets &b = m_w.brinell;
    const AverageRadius a = ::averageRadius(numberIn(b.edVideoLineW), numberIn(b.edVideoLineH));
    b.edVideoLineR->setText(floatToText(a.radius));
    b.eddd->setText(floatToText(a.diameter));
    m_source = Source::WidthAndHeight;
}

void HardnessController::calculate()
{
    const BrinellWidgets &b = m_w.brinell;
    const double load = numberIn(b.edP);
    const double ball = numberIn(b.edD);
    const double impression = numberIn(b.eddd);
    const BrinellResult result = brinellHardness(load, ball, impression);
    if (result.state != BrinellState::Valid) {
        b.edHb->setText(brinellStateText(result.state));
        b.lbHR->clear();
        b.edHR->clear();
        clearCheck(b.lbIsoRatio);
        clearCheck(b.lbIsoDiameters);
        return;
    }
    b.edHb->setText(formatFloat(QStringLiteral("0.0"), result.hb));
    b.lbHR->setText(rockwellLabel(result.rockwell.scale));
    if (result.rockwell.scale == RockwellScale::None)
        b.edHR->clear();
    else
        b.edHR->setText(formatFloat(QStringLiteral("0.0"), result.rockwell.value));
    showChecks(ball, impression);
}

void HardnessController::showChecks(double ball, double impression)
{
    const BrinellWidgets &b = m_w.brinell;
    // The two diameters only add a check; fields without numbers leave it out rather than stop the result.
    const auto width = parseFloat(b.edVideoLineW->text());
    const auto height = parseFloat(b.edVideoLineH->text());
    const bool known = m_source == Source::WidthAndHeight && width.ok() && height.ok();
    const Iso6506Check check = iso6506Check(ball, impression, known, width.value, height.value);
    showCheck(b.lbIsoRatio, isoRatioText(check), check.ratioWithin);
    showCheck(b.lbIsoDiameters, isoSpreadText(check), !check.diametersKnown || check.spreadWithin);
}
