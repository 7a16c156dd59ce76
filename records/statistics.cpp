#include "records/statistics.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>

#include "display/picturerefresh.h"
#include "records/labelselection.h"
#include "records/selectionstatistics.h"
#include "ui/guarded.h"

StatisticsController::StatisticsController(const LabelSelection &selection, SelectionClearing &clearing,
                                           PictureRefresh &refresh, Dialogs &dialogs, const StatisticsWidgets &widgets,
                                           QObject *parent)
    : QObject(parent)
    , m_selection(selection)
    , m_clearing(clearing)
    , m_refresh(refresh)
    , m_dialogs(dialogs)
    , m_w(widgets)
{
    for (QLabel *value : {m_w.lbCalValNum, m_w.lbCalValMax, m_w.lbCalValMin, m_w.lbCalValAvg, m_w.lbCalValStd})
        value->setText(QStringLiteral("0"));
    connect(m_w.cbCaculate, &QCheckBox::toggled, this, &StatisticsController::cbCaculateClick);
    connect(m_w.BitBtn19, &QAbstractButton::clicked, this, &StatisticsController::BitBtn19Click);
    showPanel();
}

void StatisticsController::cbCaculateClick()
{
    guarded(m_dialogs, m_w.plCaculate->window(), [this] { showPanel(); });
}

void StatisticsController::showPanel()
{
    const bool shown = m_w.cbCaculate->isChecked();
    m_w.plGuide->setVisible(!shown);
    m_w.plCaculate->setVisible(shown);
}

void StatisticsController::BitBtn19Click()
{
    guarded(m_dialogs, m_w.plCaculate->window(), [this] { clearAll(); });
}

void StatisticsController::selectionChanged()
{
    guarded(m_dialogs, m_w.plCaculate->window(), [this] { showStatistics(); });
}

void StatisticsController::clearAll()
{
    m_clearing.clearSelection();
    for (QLabel *value : {m_w.lbCalValNum, m_w.lbCalValMax, m_w.lbCalValMin, m_w.lbCalValAvg, m_w.lbCalValStd})
        value->setText(QStringLiteral("0"));
    m_refresh.RedrawPicture();
}

void StatisticsController::showStatistics()
{
    const StatisticsTexts texts = statisticsTexts(selectionStatistics(m_selection));
    m_w.lbCalValNum->setText(texts.count);
    m_w.lbCalValMax->setText(texts.maximum);
    m_w.lbCalValMin->setText(texts.minimum);
    m_w.lbCalValAvg->setText(texts.mean);
    if (texts.deviation)
        m_w.lbCalValStd->setText(*texts.deviation);
}
