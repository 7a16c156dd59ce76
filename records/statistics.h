#pragma once

#include <QObject>

class Dialogs;
class PictureRefresh;
class QAbstractButton;
class QCheckBox;
class QLabel;
class QWidget;
class SelectionClearing;
struct LabelSelection;

// The statistics panel plCaculate "計算功能: " over the bottom bar, and what shows it.
struct StatisticsWidgets {
    QCheckBox *cbCaculate = nullptr;  // "計算": the panel shows, and label presses pick
    QWidget *plCaculate = nullptr;
    QWidget *plGuide = nullptr;  // shares the panel's place, so it gives way while the panel shows
    QLabel *lbCalValNum = nullptr;
    QLabel *lbCalValMax = nullptr;
    QLabel *lbCalValMin = nullptr;
    QLabel *lbCalValAvg = nullptr;
    QLabel *lbCalValStd = nullptr;
    QAbstractButton *BitBtn19 = nullptr;  // "全部清除"
};

// The quick statistic of the picked labels: count, maximum, minimum, mean and sample standard
// deviation of their values, recomputed whenever the selection changes. The labels' reactions pick
// and unpick (they own the selection); "全部清除" asks them to clear it and redraws the picture.
class StatisticsController : public QObject {
    Q_OBJECT
public:
    StatisticsController(const LabelSelection &selection, SelectionClearing &clearing, PictureRefresh &refresh,
                         Dialogs &dialogs, const StatisticsWidgets &widgets, QObject *parent = nullptr);

public Q_SLOTS:
    void cbCaculateClick();
    void BitBtn19Click();
    // A label was picked or unpicked.
    void selectionChanged();

private:
    void showPanel();
    void clearAll();
    void showStatistics();

    const LabelSelection &m_selection;
    SelectionClearing &m_clearing;
    PictureRefresh &m_refresh;
    Dialogs &m_dialogs;
    StatisticsWidgets m_w;
};
