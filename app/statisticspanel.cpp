#include "app/statisticspanel.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "ui/widgets.h"

StatisticsWidgets buildStatisticsPanel(QWidget *bar, QBoxLayout *layout)
{
    StatisticsWidgets w;
    w.plCaculate = named<QWidget>(bar, "plCaculate");
    // Two rows, so the panel fits the bar beside the work order and the read-out.
    auto *grid = new QGridLayout(w.plCaculate);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(0);
    grid->addWidget(new QLabel(QStringLiteral("計算功能: "), w.plCaculate), 0, 0);
    w.BitBtn19 = named<QPushButton>(w.plCaculate, "BitBtn19", QStringLiteral("全部清除"));
    grid->addWidget(w.BitBtn19, 1, 0);
    int cell = 0;
    for (auto [value, name, caption] : {std::tuple{&w.lbCalValNum, "lbCalValNum", "取樣個數:"},
                                        {&w.lbCalValMax, "lbCalValMax", "最大值:"},
                                        {&w.lbCalValMin, "lbCalValMin", "最小值:"},
                                        {&w.lbCalValAvg, "lbCalValAvg", "平均值:"},
                                        {&w.lbCalValStd, "lbCalValStd", "標準差:"}}) {
        const int row = cell / 3;
        const int column = 1 + 2 * (cell % 3);
        grid->addWidget(new QLabel(QString::fromUtf8(caption), w.plCaculate), row, column, Qt::AlignRight);
        *value = named<QLabel>(w.plCaculate, name, QStringLiteral("0"));
        (*value)->setMinimumWidth(64);
        grid->addWidget(*value, row, column + 1);
        ++cell;
    }
    grid->setColumnStretch(7, 1);
    w.plCaculate->hide();
    layout->addWidget(w.plCaculate, 1);
    return w;
}
