#include "calibration/activescale.h"

#include <utility>

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

#include "app/dialogs.h"
#include "app/state.h"
#include "app/widgets.h"
#include "calibration/scalemath.h"
#include "display/shape.h"
#include "records/dataset.h"
#include "records/sqlcatalogue.h"

namespace {

// The gauge's geometry on the picture's content widget (the picture's top-left is at (2, 2)).
constexpr int GaugeLeft = 12;
constexpr int GaugeTop = 28;
constexpr int BarWidth = GaugePixels / 2;
constexpr int BarHeight = 8;
constexpr int CaptionGap = 2;

QString currentText(const Dataset &dataset, const QString &field)
{
    return dataset.isOpen() && !dataset.isEmpty() ? dataset.text(field) : QString();
}

QLabel *gaugeLabel(QWidget *content, const char *name, const QString &text)
{
    auto *label = named<QLabel>(content, name, text);
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(13);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    label->setPalette(palette);
    label->setAutoFillBackground(false);
    label->setAttribute(Qt::WA_TranslucentBackground);
    // Clicks go through to the picture underneath: the gauge is only a drawing.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

Shape *gaugeBar(QWidget *content, const char *name, int left)
{
    auto *bar = named<Shape>(content, name);
    bar->setPen(Qt::red, 1);
    bar->setBrush(Qt::white, Qt::NoBrush);
    bar->setGeometry(left, GaugeTop, BarWidth, BarHeight);
    bar->setAttribute(Qt::WA_TransparentForMouseEvents);
    return bar;
}

// Sizes a caption to its text and centres it above the gauge at x.
void centreAbove(QLabel *label, int x)
{
    label->adjustSize();
    label->move(x - label->width() / 2, GaugeTop - CaptionGap - label->height());
}

}  // namespace

ActiveScaleController::ActiveScaleController(MainState &state, Dialogs &dialogs, const Datasets &datasets,
                                             QWidget *scaleBoxHost, QWidget *pictureContent, QObject *parent)
    : QObject(parent)
    , m_state(state)
    , m_dialogs(dialogs)
    , m_d(datasets)
    , m_host(scaleBoxHost)
{
    buildScaleBox(scaleBoxHost);
    buildGauge(pictureContent);

    // Programmatic changes of the lists (refills, following the scale unit) must not run the
    // operator's reactions, so only activation counts.
    connect(m_cbScaleSet, &QComboBox::activated, this, &ActiveScaleController::cbScaleSetChange);
    connect(m_cbUnitSet, &QComboBox::activated, this, &ActiveScaleController::cbUnitSetChange);
    connect(m_dbedUnitName, &QLineEdit::textChanged, this, &ActiveScaleController::dbedUnitNameChange);
    connect(m_bbtChangeUnitSet, &QPushButton::clicked, this, &ActiveScaleController::bbtChangeUnitSetClick);
    connect(m_d.qryScaleSet, &Dataset::afterScroll, this, &ActiveScaleController::showActiveUnitCode);
}

void ActiveScaleController::buildScaleBox(QWidget *host)
{
    auto *hostLayout = new QVBoxLayout(host);
    hostLayout->setContentsMargins(0, 0, 0, 0);
    m_scaleBox = named<QGroupBox>(host, "gbScaleBox", QStringLiteral("  倍率選擇 :  "));
    hostLayout->addWidget(m_scaleBox);
    auto *form = new QFormLayout(m_scaleBox);

    auto *scaleRow = new QHBoxLayout;
    m_cbScaleSet = named<QComboBox>(m_scaleBox, "cbScaleSet");
    m_cbScaleSet->setEditable(false);
    scaleRow->addWidget(m_cbScaleSet, 1);
    m_dbedUnitName = named<QLineEdit>(m_scaleBox, "dbedUnitName");
    m_dbedUnitName->setReadOnly(true);
    m_dbedUnitName->setMaximumWidth(80);
    scaleRow->addWidget(m_dbedUnitName);
    form->addRow(scaleRow);

    m_cbUnitSet = named<QComboBox>(m_scaleBox, "cbUnitSet");
    m_cbUnitSet->setEditable(false);
    form->addRow(QStringLiteral("單位顯示切換 : "), m_cbUnitSet);

    m_bbtChangeUnitSet = named<QPushButton>(m_scaleBox, "bbtChangeUnitSet", QStringLiteral("變更倍率組"));
    m_bbtChangeUnitSet->hide();
}

void ActiveScaleController::buildGauge(QWidget *content)
{
    m_spUnit0 = gaugeBar(content, "spUnit0", GaugeLeft);
    m_spUnit50 = gaugeBar(content, "spUnit50", GaugeLeft + BarWidth);
    m_lbUnit0 = gaugeLabel(content, "lbUnit0", QStringLiteral("0"));
    m_lbUnit100 = gaugeLabel(content, "lbUnit100", gaugeCaption(1.0, 1.0));
    m_lbUnit = gaugeLabel(content, "lbUnit", gaugeUnitCaption(QStringLiteral("mm")));
    centreAbove(m_lbUnit0, GaugeLeft);
    centreAbove(m_lbUnit100, GaugeLeft + GaugePixels);
    m_lbUnit->adjustSize();
    m_lbUnit->move(GaugeLeft, GaugeTop + BarHeight + CaptionGap);
    // The gauge lies over the picture, which the content widget holds already.
    for (QWidget *w : gaugeControls())
        w->raise();
}

std::array<QWidget *, 5> ActiveScaleController::gaugeControls() const
{
    return {m_spUnit0, m_spUnit50, m_lbUnit0, m_lbUnit100, m_lbUnit};
}

void ActiveScaleController::setUnitCaptions(QLabel *posX, QLabel *posY, QList<QLabel *> others)
{
    m_posX = posX;
    m_posY = posY;
    m_otherCaptions.clear();
    for (QLabel *label : others)
        m_otherCaptions.append(label);
}

void ActiveScaleController::setGaugeVisible(bool visible)
{
    for (QWidget *w : gaugeControls())
        w->setVisible(visible);
}

void ActiveScaleController::selectActiveScale()
{
    cbScaleSetChange();
}

void ActiveScaleController::cbScaleSetChange()
{
    try {
        // Moving the row sets ScaleX and ScaleY (the unit-scale reactions) and may change the scale
        // unit field, which then follows with the display unit.
        m_d.qryScaleSet->locate(QStringLiteral("ScaleName"), m_cbScaleSet->currentText());
        const QString scaleUnit = m_dbedUnitName->text();
        for (QLabel *caption : {m_posX.data(), m_posY.data()}) {
            if (caption)
                caption->setText(scaleUnit);
        }
        updateUnitFactor();
        if (fillCalibrationBox)
            fillCalibrationBox();
        const Dataset &scales = *m_d.qryScaleSet;
        if (scales.isOpen()) {
            m_state.ScaleX =
                scaleFactor(scales.number(QStringLiteral("X_Length")), scales.number(QStringLiteral("X_Pixel")));
            m_state.ScaleY =
                scaleFactor(scales.number(QStringLiteral("Y_Length")), scales.number(QStringLiteral("Y_Pixel")));
        }
    } catch (const DatabaseError &e) {
        m_dialogs.error(m_host, e.message());
        return;
    }
    // A failed record is reported there; the values computed so far stand, and the gauge shows them.
    bbtChangeUnitSetClick();
    updateGauge();
}

void ActiveScaleController::cbUnitSetChange()
{
    try {
        updateUnitFactor();
    } catch (const DatabaseError &e) {
        m_dialogs.error(m_host, e.message());
        return;
    }
    updateGauge();
    const QString unitName = m_cbUnitSet->currentText();
    for (QLabel *caption : {m_posX.data(), m_posY.data()}) {
        if (caption)
            caption->setText(unitName);
    }
    for (const QPointer<QLabel> &caption : std::as_const(m_otherCaptions)) {
        if (caption)
            caption->setText(unitName);
    }
    if (redrawPicture)
        redrawPicture();
}

void ActiveScaleController::dbedUnitNameChange()
{
    try {
        const QString unitName = currentText(*m_d.qryScaleSet, QStringLiteral("UnitName"));
        // Case-insensitive, as the list's own look-up; a name missing from the list leaves it as it is.
        const int entry = m_cbUnitSet->findText(unitName, Qt::MatchFixedString);
        if (entry >= 0)
            m_cbUnitSet->setCurrentIndex(entry);
        updateUnitFactor();
    } catch (const DatabaseError &e) {
        m_dialogs.error(m_host, e.message());
    }
}

void ActiveScaleController::bbtChangeUnitSetClick()
{
    // Reopening qryTitle runs the work order selection, which may select the scale set again;
    // recording once is enough.
    if (m_recording)
        return;
    const QScopedValueRollback<bool> recording(m_recording, true);
    try {
        const QString operNo = workOrderNumber ? workOrderNumber() : QString();
        const Dataset &scales = *m_d.qryScaleSet;
        double scaleX = 1.0;
        double scaleY = 1.0;
        if (scales.isOpen()) {
            scaleX = scaleFactor(scales.number(QStringLiteral("X_Length")), scales.number(QStringLiteral("X_Pixel")));
            scaleY = scaleFactor(scales.number(QStringLiteral("Y_Length")), scales.number(QStringLiteral("Y_Pixel")));
        }
        Dataset &x = *m_d.qryX;
        x.close();
        x.clearParams();
        x.setSql(Sql::TitleScale);
        x.setParam(QStringLiteral("_UnitName"), m_dbedUnitName->text());
        x.setParam(QStringLiteral("_ScaleName"), m_cbScaleSet->currentText());
        x.setParam(QStringLiteral("_ScaleX"), scaleX);
        x.setParam(QStringLiteral("_ScaleY"), scaleY);
        x.setParam(QStringLiteral("_OperNo"), operNo);
        x.execSql();
        Dataset &titles = *m_d.qryTitle;
        titles.close();
        titles.open();
        titles.locate(QStringLiteral("OperNo"), operNo);
    } catch (const DatabaseError &e) {
        m_dialogs.error(m_host, e.message());
        return;
    }
    if (queryWorkOrder)
        queryWorkOrder();
}

void ActiveScaleController::updateUnitFactor()
{
    Dataset &units = *m_d.qryUnitSet;
    if (!units.isOpen())
        return;
    // The look-ups move qryUnitSet; a display unit that names no row leaves the scale unit's row
    // current, so its length is used for both.
    units.locate(QStringLiteral("UnitCode"), currentText(*m_d.qryScaleSet, QStringLiteral("S.UnitCode")));
    m_state.ScaleUnitLength = units.number(QStringLiteral("mValue"));
    units.locate(QStringLiteral("UnitName"), m_cbUnitSet->currentText());
    m_state.DisplayUnitLength = units.number(QStringLiteral("mValue"));
    m_state.UnitFactor = unitFactor(m_state.ScaleUnitLength, m_state.DisplayUnitLength, m_state.UnitFactor);
}

void ActiveScaleController::updateGauge()
{
    m_lbUnit100->setText(gaugeCaption(m_state.ScaleX, m_state.UnitFactor));
    centreAbove(m_lbUnit100, GaugeLeft + GaugePixels);
    m_lbUnit->setText(gaugeUnitCaption(m_cbUnitSet->currentText()));
    m_lbUnit->adjustSize();
}

void ActiveScaleController::showActiveUnitCode()
{
    try {
        const QString code = currentText(*m_d.qryScaleSet, QStringLiteral("S.UnitCode"));
        if (m_dbedUnitName->text() != code)
            m_dbedUnitName->setText(code);
    } catch (const DatabaseError &e) {
        m_dialogs.error(m_host, e.message());
    }
}
