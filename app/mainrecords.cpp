// The records side of the main window: labels and storing measurements.
#include "app/main.h"

#include <QLabel>
#include <QPushButton>

#include "app/widgets.h"
#include "calibration/activescale.h"
#include "calibration/unitscale.h"
#include "records/dataset.h"
#include <QCheckBox>
#include <QLineEdit>
#include "measure/labels.h"
#include "measure/persistence.h"

void TfmMain::buildCalibration()
{
    m_unitScale = new UnitScaleController(m_state, m_dialogs, m_datasets, m_unitScaleHost, this);
    m_activeScale = new ActiveScaleController(m_state, m_dialogs, m_datasets, m_scaleBoxHost, m_content, this);
    m_unitScale->setLists(m_activeScale->scaleSetList(), m_activeScale->unitSetList());
    m_activeScale->setUnitCaptions(m_posUnitX, m_posUnitY, {});
    m_activeScale->workOrderNumber = [this] { return m_mw.edWorkSheetID->text(); };
    auto *gauge = findChild<QCheckBox *>(QStringLiteral("cbDisplayScaleGauge"));
    connect(gauge, &QCheckBox::toggled, m_activeScale, &ActiveScaleController::setGaugeVisible);
    m_activeScale->setGaugeVisible(gauge->isChecked());
}

void TfmMain::buildRecords()
{
    auto *label58 = named<QLabel>(m_measurePage, "Label58");
    label58->setToolTip(QStringLiteral("按右鍵可以改變字體大小"));
    label58->setProperty("tag", 0);
    label58->hide();

    LabelWidgets lw;
    lw.window = this;
    lw.ScrollBox1 = m_scroll;
    lw.content = m_content;
    lw.imgTemp = m_imgTemp;
    lw.cbMoveLabel = m_mw.cbMoveLabel;
    lw.cbCaculate = m_cbCaculate;
    lw.cbAutoFont = m_cbAutoFont;
    lw.Panel19 = m_mw.Panel19;
    lw.Label58 = label58;
    m_labels = new LabelsController(m_state, m_dialogs, lw, *m_datasets.qryMeasure, *m_datasets.qryX, this);

    MeasurementPersistence::Widgets pw;
    pw.window = this;
    pw.cbNote = m_cbNote;
    pw.edNewOBJNote = m_mw.edNewOBJNote;
    pw.edWorkSheetID = m_mw.edWorkSheetID;
    m_persistence = new MeasurementPersistence(m_dialogs, pw, m_datasets, *m_labels, this);

    m_measuring->setSink(m_persistence);
    connect(m_measuring, &MeasuringController::labelColourRequested, m_labels, &LabelsController::autoLabelColour);
    m_labels->onPick = [this](const MeasurementObject &picked, MeasurementLabel *label) {
        m_measuring->labelPicked(picked, label);
    };
    auto *clearLabels = named<QPushButton>(m_measurePage, "bbtClearLabel");
    clearLabels->hide();
    connect(clearLabels, &QPushButton::clicked, m_labels, &LabelsController::bbtClearLabelClick);
}
