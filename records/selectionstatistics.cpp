#include "records/selectionstatistics.h"

#include <algorithm>
#include <cmath>

#include "base/numberformat.h"
#include "records/labelselection.h"

SelectionStatistics selectionStatistics(const LabelSelection &selection)
{
    SelectionStatistics s;
    double sum = 0;
    // The search starts from the extremes, so a selection of negative values shows its own largest.
    double maximum = -HugeValue;
    double minimum = HugeValue;
    for (int i = 0; i < LabelSelection::Size; ++i) {
        if (!selection.isSelected(i))
            continue;
        const double v = selection.LabelSelectedValue[std::size_t(i)];
        ++s.count;
        sum += v;
        maximum = std::max(maximum, v);
        minimum = std::min(minimum, v);
    }
    if (s.count == 0)
        return s;
    s.maximum = maximum;
    s.minimum = minimum;
    s.mean = sum / s.count;
    // Equal values have no spread even when their rounded mean leaves a tiny sum of squares.
    if (s.count < 2 || maximum == minimum)
        return s;
    double squares = 0;
    for (int i = 0; i < LabelSelection::Size; ++i) {
        if (selection.isSelected(i)) {
            const double d = selection.LabelSelectedValue[std::size_t(i)] - s.mean;
            squares += d * d;
        }
    }
    s.deviation = std::sqrt(squares / (s.count - 1));
    return s;
}

StatisticsTexts statisticsTexts(const SelectionStatistics &statistics)
{
    const QString pattern = QStringLiteral("0.0000");
    StatisticsTexts t;
    t.count = QString::number(statistics.count);
    t.maximum = formatFloat(pattern, statistics.maximum);
    t.mean = formatFloat(pattern, statistics.mean);
    if (statistics.count == 0) {
        t.minimum = QStringLiteral("0");
        return t;
    }
    t.minimum = formatFloat(pattern, statistics.minimum);
    t.deviation = statistics.deviation ? formatFloat(pattern, *statistics.deviation) : QStringLiteral("XXX");
    return t;
}
