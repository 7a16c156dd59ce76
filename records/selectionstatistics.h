#pragma once

#include <optional>

#include <QString>

struct LabelSelection;

// The quick statistic over the picked measurements' values.
struct SelectionStatistics {
    int count = 0;
    double maximum = 0;  // the largest picked value
    double minimum = 0;  // the smallest picked value
    double mean = 0;
    // The sample standard deviation (divisor count - 1); none for a single value or values that
    // are all equal, where it says nothing.
    std::optional<double> deviation;
};

// Over every selected entry of the table. With nothing picked every value is 0.
[[nodiscard]] SelectionStatistics selectionStatistics(const LabelSelection &selection);

// The texts of the statistics panel's five value captions. With nothing picked the deviation
// caption keeps the text it had, so deviation is empty then.
struct StatisticsTexts {
    QString count;
    QString maximum;
    QString minimum;
    QString mean;
    std::optional<QString> deviation;
};

// Values in the pattern "0.0000", a missing deviation as "XXX"; with nothing picked the minimum
// reads "0" and the maximum and mean "0.0000".
[[nodiscard]] StatisticsTexts statisticsTexts(const SelectionStatistics &statistics);
