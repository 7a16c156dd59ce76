#pragma once

#include "records/statistics.h"

class QBoxLayout;
class QWidget;

// The statistics panel plCaculate "計算功能: " with its five value captions and "全部清除", added to
// the bottom bar's layout beside the guide; it shows while "計算" is ticked.
[[nodiscard]] StatisticsWidgets buildStatisticsPanel(QWidget *bar, QBoxLayout *layout);
