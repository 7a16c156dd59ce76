#include "app/statisticspanel.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "ui/widgets.h"

StatisticsWidgets buildStatisticsPanel(QWidget *bar, QBoxLayout *layout)
{
    StatisticsWidgets w;
    w.plCaculate = named<QWidget>(bar, "plCaculate");
    auto *row = new QHBoxLayout(w.plCaculate);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(QStringLiteral("計算功能: "), w.plCaculate));
    for (auto [value, name, caption] : {std::tuple{&w.lbCalValNum, "lbCalValNum", "取樣個數:"},
                                        {&w.lbCalValMax, "lbCalValMax", "最大值:"},
                                        {&w.lbCalValMin, "lbCalValMin", "最小值:"},
                                        {&w.lbCalValAvg, "lbCalValAvg", "平均值:"},
                                        {&w.lbCalValStd, "lbCalValStd", "標準差:"}}) {
        row->addWidget(new QLabel(QString::fromUtf8(caption), w.plCaculate));
        *value = named<QLabel>(w.plCaculate, name, QStringLiteral("0"));
        (*value)->setMinimumWidth(70);
        row->addWidget(*value);
    }
    w.BitBtn19 = named<QPushButton>(w.plCaculate, "BitBtn19", QStringLiteral("全部清除"));
    row->addWidget(w.BitBtn19);
    row->addStretch(1);
    w.plCaculate->hide();
    layout->addWidget(w.plCaculate, 1);
    return w;
}
